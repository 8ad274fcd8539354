#include "common/StringUtils.h"
#include "common/TextCleanup.h"
#include "support/TestEnvironment.h"

using TextCleanupTest = TavelinTest;

namespace {
bool twoCapitals(const QString& text) { return text.size() == 2 && StringUtils::IsUppercase(text); }
}  // namespace

TEST_F(TextCleanupTest, AliasAndTitleRules) {
  // text, new alias, changed alias, title (one pass)
  const std::tuple<QString, QString, QString, QString> cases[] = {
      {"  My   Palette  ", "My Palette", "My Palette", "My Palette"},
      {"(Work) [old]", "Work old", "Work old", "Work old"},
      {"Red & Blue*", "Red & Blue*", "Red Blue", "Red Blue"},
      {"3D tools", "A3D tools", "A3D tools", "A3D tools"},
      {u"\u00e9lan"_qs, u"A\u00e9lan"_qs, u"A\u00e9lan"_qs, u"A\u00e9lan"_qs},
      {"_x", "A_x", "A_x", "A_x"},
      {"( )", "A ", "A ", "A "},
      {"( abc", "A abc", "A abc", "A abc"},
      {"abc .", "abc ", "abc ", "abc "},
      {"a\t\tb", "a\t\tb", "a\t\tb", "a\t\tb"},
      {"012345678901234567890123456789", "A012345678901234567890123456789", "A0123456789012345678901",
       "A012345678901234567890123"},
  };
  for (const auto& [text, fresh, changed, title] : cases) {
    EXPECT_EQ(TextCleanup::newAlias(text), fresh) << text.toStdString();
    EXPECT_EQ(TextCleanup::changedAlias(text), changed) << text.toStdString();
    EXPECT_EQ(TextCleanup::title(text), title) << text.toStdString();
  }
  const QString hundred(100, QLatin1Char('x'));
  EXPECT_EQ(TextCleanup::newAlias(hundred), hundred);
  EXPECT_EQ(TextCleanup::title(QString(30, QLatin1Char('t'))), QString(25, QLatin1Char('t')));
}

TEST_F(TextCleanupTest, NothingLeftGivesTwoRandomCapitals) {
  for (const QString& text : {QString(), QString("   "), QString("..."), QString("()")}) {
    EXPECT_TRUE(twoCapitals(TextCleanup::newAlias(text))) << text.toStdString();
    EXPECT_TRUE(twoCapitals(TextCleanup::changedAlias(text))) << text.toStdString();
    EXPECT_TRUE(twoCapitals(TextCleanup::title(text))) << text.toStdString();
    EXPECT_TRUE(twoCapitals(TextCleanup::titleSettled(text))) << text.toStdString();
  }
}

TEST_F(TextCleanupTest, SettledTitleRestartsAfterEveryChange) {
  const std::pair<QString, QString> cases[] = {
      {"Hello, World (test)", "Hello World test"},
      {"a.b.c", "abc"},
      {"[Tools] & more", "Tools more"},
      {"abc .", "abc"},
      {". abc", "abc"},
      {"( abc", "abc"},
      {",", "A"},
      {"1st palette", "A1st palette"},
      {u"\u00c9cran"_qs, u"A\u00c9cran"_qs},
      {"Tools,", "Tools"},
      {"Tools ", "Tools"},
      {"two  words", "two words"},
      {"9" + QString(24, QLatin1Char('x')), "A9" + QString(23, QLatin1Char('x'))},
  };
  for (const auto& [text, settled] : cases)
    EXPECT_EQ(TextCleanup::titleSettled(text), settled) << text.toStdString();
  EXPECT_TRUE(twoCapitals(TextCleanup::titleSettled(". ,")));
}

TEST_F(TextCleanupTest, CutsNeverSplitACharacter) {
  const QString smile = u"\U0001F600"_qs;  // two UTF-16 units
  const QString title = "Ab" + smile.repeated(30);
  const QString cutTitle = TextCleanup::title(title);
  EXPECT_EQ(cutTitle.toUcs4().size(), 25);
  EXPECT_EQ(cutTitle, "Ab" + smile.repeated(23));
  EXPECT_EQ(TextCleanup::titleSettled(title), cutTitle);
  EXPECT_EQ(TextCleanup::changedAlias("x" + smile.repeated(40)), "x" + smile.repeated(22));
  EXPECT_EQ(TextCleanup::leftCharacters(smile + smile, 1), smile);
  EXPECT_EQ(TextCleanup::leftCharacters("abc", 0), "");
  EXPECT_EQ(TextCleanup::leftCharacters("abc", 9), "abc");
  // A character made of two units at the front is no letter.
  EXPECT_EQ(TextCleanup::newAlias(smile), "A" + smile);
}

TEST_F(TextCleanupTest, UniquenessSuffixAccumulatesCounters) {
  const QString freed = u"\u2400"_qs;
  const std::tuple<QString, QStringList, QString> cases[] = {
      {"work", {"Work"}, "work01"},
      {"work", {"Work", "work01"}, "work0102"},
      {"X", {"X", "x01", "X0102"}, "X010203"},
      {"Fresh", {"Work", freed}, "Fresh"},
      {"Work01", {"WORK01", "Work"}, "Work0101"},
      {"Alias", {}, "Alias"},
  };
  for (const auto& [alias, taken, expected] : cases)
    EXPECT_EQ(TextCleanup::withUniquenessSuffix(alias, taken), expected) << alias.toStdString();
}

// A cut counts code points but never ends inside what the eye reads as one character.
TEST_F(TextCleanupTest, ACutLeavesOutWholeACharacterThatDoesNotFit) {
  const QString flag = u"\U0001F1EB\U0001F1F7"_qs;              // two regional indicators
  const QString toned = u"\U0001F44D\U0001F3FD"_qs;             // thumbs up, skin tone
  const QString family = u"\U0001F469\u200D\U0001F467"_qs;      // woman, joiner, girl
  const QString accented = u"e\u0301"_qs;                        // e, combining acute
  const QString start(23, QLatin1Char('x'));
  // text, count, kept
  const std::tuple<QString, qsizetype, QString> cases[] = {
      {start + "y" + flag, 25, start + "y"},
      {start + flag, 25, start + flag},
      {start + "y" + toned, 25, start + "y"},
      {start + family, 25, start},
      {start + "y" + accented, 25, start + "y"},
      {start + accented + "z", 25, start + accented},
      {u"\U0001F600\U0001F600"_qs, 1, u"\U0001F600"_qs},
  };
  for (const auto& [text, count, kept] : cases) EXPECT_EQ(TextCleanup::leftCharacters(text, count), kept) << text.toStdString();
  EXPECT_EQ(TextCleanup::title(start + "y" + flag), start + "y");
  EXPECT_EQ(TextCleanup::changedAlias(QString(22, QLatin1Char('a')) + flag), QString(22, QLatin1Char('a')));
}
