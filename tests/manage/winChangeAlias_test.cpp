#include <QRegularExpression>
#include <QTest>
#include <functional>

#include "ManageFixture.h"
#include "manage/winChangeAlias.h"
#include "support/TitleTyping.h"

namespace {

using ChangeAliasTest = ManageTest;

void typeAt(QLineEdit* field, int position, const QString& text) {
  field->setCursorPosition(position);
  QTest::keyClicks(field, text);
}

}  // namespace

TEST_F(ChangeAliasTest, OpensOnTheCurrentPalette) {
  openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    EXPECT_EQ(w.windowTitle(), "Change Name/Alias");
    EXPECT_EQ(w.labNameID->text(), "P05");
    EXPECT_EQ(w.tfAlias->text(), "Rubus");
    EXPECT_EQ(w.tfWinTitle->text(), "My Palette");
    EXPECT_TRUE(w.tfAlias->hasFrame());
    EXPECT_FALSE(w.tfWinTitle->hasFrame());
    EXPECT_EQ(w.pbMakeChange->geometry(), QRect(370, 360, 110, 20));
    EXPECT_EQ(w.labInfo->text(),
              "The Name/Alias is the human friendly name for a palette. This can be changed here if desired. The "
              "name cannot be too long and it has to be unique.");
  });
  EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(ChangeAliasTest, TitleFieldHoldsACleanTitleWhileTyping) {
  struct Case {
    const char* name;
    std::function<void(QLineEdit*)> edit;
    QString shown;
  };
  const Case cases[] = {
      {"space at the end vanishes", [](QLineEdit* f) { typeAt(f, 10, " "); }, "My Palette"},
      {"space between two characters stays", [](QLineEdit* f) { typeAt(f, 1, " "); }, "M y Palette"},
      {"two spaces become one", [](QLineEdit* f) { typeAt(f, 2, " "); }, "My Palette"},
      {"digit in front", [](QLineEdit* f) { typeAt(f, 0, "3"); }, "A3My Palette"},
      {"punctuation removed", [](QLineEdit* f) { typeAt(f, 5, "(&)"); }, "My Palette"},
      {"26th character dropped", [](QLineEdit* f) { typeAt(f, 10, QString(20, 'x')); },
       "My Palette" + QString(15, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openAndDrive<winChangeAlias>([&](winChangeAlias& w) {
      c.edit(w.tfWinTitle);
      EXPECT_EQ(w.tfWinTitle->text(), c.shown);
    });
  }
  // Emptied, the field takes two random capitals.
  openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    w.tfWinTitle->selectAll();
    QTest::keyClick(w.tfWinTitle, Qt::Key_Backspace);
    EXPECT_TRUE(QRegularExpression("^[A-Z]{2}$").match(w.tfWinTitle->text()).hasMatch());
  });
  // Nothing reaches the store before Accept Change.
  EXPECT_EQ(KM::paleWinTitle, "My Palette");
  EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(ChangeAliasTest, TitleFieldTakesTypingAndPastesUpTo25Characters) {
  openAndDrive<winChangeAlias>([](winChangeAlias& w) { TitleTyping::runCases(w.tfWinTitle, 30); });
  // Nothing reaches the store before Accept Change.
  EXPECT_EQ(KM::paleWinTitle, "My Palette");
}

TEST_F(ChangeAliasTest, AliasFieldTakes30TypedCharactersButShowsALongerStoredAliasWhole) {
  openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    typeAt(w.tfAlias, 5, QString(40, 'x'));
    EXPECT_EQ(w.tfAlias->text(), "Rubus" + QString(25, 'x'));
  });
  const QString stored = "An alias made in the New Palette window & kept";
  KM::paleAlias = stored;
  openAndDrive<winChangeAlias>([&](winChangeAlias& w) {
    EXPECT_EQ(w.tfAlias->text(), stored);
    typeAt(w.tfAlias, 0, "x");
    EXPECT_EQ(w.tfAlias->text(), stored);
    w.tfAlias->end(false);
    QTest::keyClick(w.tfAlias, Qt::Key_Backspace);
    EXPECT_EQ(w.tfAlias->text(), stored.chopped(1));
  });
}

// At 30 characters, a character typed piece by piece that cannot be finished goes whole; one
// that is whole on its own stays when the key that would join it is refused.
TEST_F(ChangeAliasTest, AliasFieldLeavesOutWholeACharacterTypedPieceByPiece) {
  using namespace TitleTyping;
  const QString filled = "Rubus" + QString(20, 'x');  // 25 characters
  const struct {
    const char* name;
    QString start, typed, field;
  } cases[] = {
      {"flag as the 30th character", filled + "yyyy", kFlag, filled + "yyyy"},
      {"family of four after 25 characters", filled, kFamilyOfFour + "z", filled + "z"},
      {"skin tone after the 30th character", filled + "yyyy", kThumb + kSkinTone, filled + "yyyy" + kThumb},
      {"accent after the 30th character", filled + "yyyy", "e" + kAccent, filled + "yyyye"},
      {"joiner after the 30th character", filled + "yyyy", kMan + kJoiner + kMan, filled + "yyyy" + kMan},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KM::paleAlias = c.start;
    openAndDrive<winChangeAlias>([&](winChangeAlias& w) {
      w.tfAlias->setFocus();
      w.tfAlias->end(false);
      typeKeys(w.tfAlias, c.typed);
      EXPECT_EQ(w.tfAlias->text(), c.field);
    });
  }
}

TEST_F(ChangeAliasTest, AcceptStoresAndClosesCancelDropsTheEdits) {
  EXPECT_FALSE(openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    typeAt(w.tfAlias, 5, " Tools");
    typeAt(w.tfWinTitle, 10, " X");
    w.pbCancel->click();
  }));
  EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
  EXPECT_TRUE(view.calls.isEmpty());

  const bool open = openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    w.tfAlias->setText("alias1");
    typeAt(w.tfWinTitle, 10, "s");
    w.pbMakeChange->click();
  });
  EXPECT_FALSE(open);
  EXPECT_EQ(KM::DP.at(5).s_Alias, "alias101");
  EXPECT_EQ(KM::DP.at(5).s_WinTitle, "My Palettes");
  EXPECT_EQ(view.calls, (QStringList{"tip:alias101", "title:My Palettes"}));
  EXPECT_TRUE(KM::paletteContentChange);
  EXPECT_TRUE(KM::paletteActiveChange);
}

TEST_F(ChangeAliasTest, AcceptAfterAFailedOpenClosesWithoutStoring) {
  // Without a data folder the preview cannot load, and Open stops before the fields.
  App::current().appSupportFolder = FolderItem();
  const bool open = openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    EXPECT_EQ(w.labNameID->text(), "ID");
    EXPECT_EQ(w.tfAlias->text(), "");
    w.pbMakeChange->click();
  });
  EXPECT_FALSE(open);
  EXPECT_EQ(logLines, QStringList{"Exception - winChangeAlias.Open"});
  EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
  EXPECT_EQ(KM::paleAlias, "Rubus");
  EXPECT_EQ(KM::DP.at(5).s_WinTitle, "My Palette");
  EXPECT_TRUE(view.calls.isEmpty());
  EXPECT_FALSE(KM::paletteContentChange);
  EXPECT_FALSE(KM::paletteActiveChange);
}

TEST_F(ChangeAliasTest, HelpShowsItsPageAndKeepsTheEdits) {
  const bool open = openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    typeAt(w.tfAlias, 5, "X");
    EXPECT_EQ(helpTitleOpenedBy([&] { w.pbHelpChgAlias->click(); }), "Help: Change the Alias");
    EXPECT_EQ(w.tfAlias->text(), "RubusX");
  });
  EXPECT_TRUE(open);
  EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
}
