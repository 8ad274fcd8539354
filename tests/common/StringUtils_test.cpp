#include <QSet>

#include "common/RtrnBoolean.h"
#include "common/StringUtils.h"
#include "platform/RandomSeed.h"
#include "support/TestEnvironment.h"

using StringUtilsTest = TavelinTest;

TEST_F(StringUtilsTest, RemoveDropsListedCharactersInAnyCase) {
  const std::tuple<QString, QString, QString> cases[] = {
      {",;:.'][()&*", ",;:.'][()", "&*"},
      {"Alias", "a", "lis"},
      {"", ",", ""},
      {",", ",;:", ","},  // one byte: unchanged
      {".", ",;:.'][()&*", "."},
      {"()", "()", ""},
      {u"\u2400"_qs, u"\u2400"_qs, ""},  // one character of three bytes is processed
      {u"Caf\u00e9 \u00c9t\u00e9"_qs, u"\u00e9"_qs, "Caf t"},
      {"My (Palette): 1", ",;:.'][()", "My Palette 1"},
  };
  for (const auto& [text, chars, expected] : cases)
    EXPECT_EQ(StringUtils::Remove(text, chars), expected) << text.toStdString();
}

TEST_F(StringUtilsTest, CharacterClassTests) {
  const std::tuple<QString, bool, bool, bool> cases[] = {
      // text, IsPosInteger, IsUppercase, IsLowercase
      {"", true, false, false},     {"07", true, false, false},  {"00", true, false, false},
      {"7a", false, false, false},  {"-1", false, false, false}, {" 1", false, false, false},
      {"XYZ", false, true, false},  {"Ab", false, false, false}, {"A1", false, false, false},
      {"abc", false, false, true},  {"aB", false, false, false}, {u"\u00c9"_qs, false, false, false},
      {u"\u00e9"_qs, false, false, false}, {u"\u0663"_qs, false, false, false},  // an Arabic-Indic digit
  };
  for (const auto& [text, posInteger, upper, lower] : cases) {
    EXPECT_EQ(StringUtils::IsPosInteger(text), posInteger) << text.toStdString();
    EXPECT_EQ(StringUtils::IsUppercase(text), upper) << text.toStdString();
    EXPECT_EQ(StringUtils::IsLowercase(text), lower) << text.toStdString();
  }
}

TEST_F(StringUtilsTest, ReplaceDoubledCharWithSingle) {
  const std::tuple<QString, QString, QString> cases[] = {
      {"two     words", " ", "two words"}, {"  ", " ", " "},   {"plain", " ", "plain"},
      {" a  b   c ", " ", " a b c "},      {"aAab", "a", "ab"}, {"text  kept", "", "text  kept"},
  };
  for (const auto& [text, ch, expected] : cases)
    EXPECT_EQ(StringUtils::ReplaceDoubledCharWithSingle(text, ch), expected) << text.toStdString();
}

TEST_F(StringUtilsTest, RandomDrawsWholeCharactersEvenlyFromTheSet) {
  EXPECT_EQ(StringUtils::Random(0, "AB"), "");
  EXPECT_EQ(StringUtils::Random(-3, "AB"), "");
  EXPECT_EQ(StringUtils::Random(4, ""), "");

  const QString letters = "abcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ(StringUtils::Random(6, letters).size(), 6);
  const QString two = StringUtils::Random(2, letters);  // nothing of the longer call shows
  ASSERT_EQ(two.size(), 2);
  EXPECT_TRUE(letters.contains(two[0]) && letters.contains(two[1]));

  QSet<QString> seen;
  for (int i = 0; i < 200; ++i) seen.insert(StringUtils::Random(2, "xy"));
  EXPECT_EQ(seen, (QSet<QString>{"xx", "xy", "yx", "yy"}));

  const QString wide = StringUtils::Random(50, u"\u2400\U0001F600"_qs);
  EXPECT_EQ(wide.toUcs4().size(), 50);
  EXPECT_FALSE(wide.contains(QChar(QChar::ReplacementCharacter)));

  RandomSeed::setSeed(42);
  const QString first = StringUtils::Random(20, letters);
  RandomSeed::setSeed(42);
  EXPECT_EQ(StringUtils::Random(20, letters), first);
  RandomSeed::setSeed(std::nullopt);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(StringUtilsTest, StartsWithRespectsLetterCase) {
  const QString home = homePath();
  EXPECT_TRUE(RtrnBoolean::rbDoesStringStartWith(home + "/Desktop", home));
  EXPECT_FALSE(RtrnBoolean::rbDoesStringStartWith(home.toUpper() + "/Desktop", home));
  EXPECT_TRUE(RtrnBoolean::rbDoesStringStartWith(home, "/"));
  EXPECT_FALSE(RtrnBoolean::rbDoesStringStartWith("Desktop", "/"));
  EXPECT_FALSE(RtrnBoolean::rbDoesStringStartWith("ab", "abc"));
}

TEST(StringUtilsOrder, CodePointsOrderCharactersBeyondTheBasicPlaneLast) {
  // In UTF-16 units U+1F600 would come before U+FF01.
  EXPECT_TRUE(StringUtils::lessByCodePoint(QStringLiteral("07\uFF01"), QStringLiteral("07\U0001F600")));
  EXPECT_FALSE(StringUtils::lessByCodePoint(QStringLiteral("07\U0001F600"), QStringLiteral("07\uFF01")));
  EXPECT_TRUE(StringUtils::lessByCodePoint("05 Mail.png", "12 Web.png"));
  EXPECT_TRUE(StringUtils::lessByCodePoint("07", "07.png"));
  EXPECT_FALSE(StringUtils::lessByCodePoint("07", "07"));
}
