#include <QRegularExpression>
#include <QTest>

#include "help/HelpData.h"
#include "manage/winNewPalette.h"
#include "WindowDriving.h"
#include "store/StoreFixture.h"

namespace {

const QString kInfo = QStringLiteral(
    "When a new palette is created, you are only asked to provide the Name/Alias. This is the "
    "human-friendly name of the palette that is displayed in many locations and makes the palette "
    "recognizable in text.\n"
    "Once the new palette has been accepted, it is then expected that the user will proceed to use "
    "Grid Construct under the Configure menu to create the basic design of the new palette by "
    "providing its various properties.");

class NewPaletteWindowTest : public StoreTest {
 protected:
  static bool open(const std::function<void(winNewPalette&)>& drive) { return openAndDrive(drive); }
  // Replaces the selected proposal by typing, as a user does.
  static void type(winNewPalette& w, const QString& text) {
    if (text.isEmpty()) QTest::keyClick(w.tfAlias, Qt::Key_Backspace);
    else QTest::keyClicks(w.tfAlias, text);
  }
};

}  // namespace

TEST_F(NewPaletteWindowTest, OpensWithASelectedRandomProposalReadyToBeTypedOver) {
  makeStore({"Work"});
  QStringList proposals;
  for (int opening = 0; opening < 2; ++opening) {
    open([&](winNewPalette& w) {
      EXPECT_EQ(w.windowTitle(), "New Palette");
      EXPECT_EQ(w.size(), QSize(500, 400));
      EXPECT_EQ(w.minimumSize(), w.maximumSize());
      EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
      EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
      EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
      EXPECT_EQ(w.labInfo->text(), kInfo);
      // Placed as designed, and tall enough for all its lines in whatever font the platform has.
      EXPECT_EQ(w.labInfo->geometry().topLeft(), QPoint(20, 47));
      EXPECT_EQ(w.labInfo->width(), 460);
      EXPECT_GE(w.labInfo->height(), 123);
      EXPECT_GE(w.labInfo->height(), w.labInfo->heightForWidth(460));
      EXPECT_EQ(w.labNmAls->text(), "Name/Alias");
      EXPECT_EQ(w.tfAlias->geometry(), QRect(112, 222, 182, 22));
      EXPECT_EQ(w.pbOK->geometry(), QRect(400, 360, 80, 20));
      EXPECT_EQ(w.pbHelpNewPal->text(), "");
      proposals << w.tfAlias->text();
      EXPECT_EQ(w.tfAlias->selectedText(), w.tfAlias->text());
      EXPECT_EQ(w.focusWidget(), w.tfAlias);
      w.pbCancel->click();
    });
  }
  for (const QString& proposal : proposals)
    EXPECT_TRUE(QRegularExpression("^[a-z]{6}$").match(proposal).hasMatch()) << proposal.toStdString();
  EXPECT_NE(proposals[0], proposals[1]);
}

TEST_F(NewPaletteWindowTest, TypedAliasIsCleanedMadeUniqueAndShown) {
  const QString sixty = QString("Sixty").repeated(12);
  struct Case {
    const char* name;
    QStringList stored;  // besides "Original"
    QString typed;
    QString alias;  // a pattern when it begins with "^"
  };
  const Case cases[] = {
      {"same alias in another case", {"Work"}, "work", "work01"},
      {"counters accumulate", {"Work", "work01"}, "work", "work0102"},
      {"empty field", {}, "", "^[A-Z]{2}$"},
      {"& and * are kept, the rest goes", {}, " (Red) & Blue*. ", "Red & Blue*"},
      {"no cut", {}, sixty, sixty},
      {"a freed slot is no clash", {KM::noneMark}, "Garden", "Garden"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    makeStore(c.stored);
    view.calls.clear();
    const bool stillOpen = open([&](winNewPalette& w) {
      type(w, c.typed);
      w.pbOK->click();
    });
    EXPECT_FALSE(stillOpen);
    if (c.alias.startsWith('^')) EXPECT_TRUE(QRegularExpression(c.alias).match(KM::paleAlias).hasMatch());
    else EXPECT_EQ(KM::paleAlias, c.alias);
    EXPECT_EQ(KM::DP.at(static_cast<size_t>(KM::idxCP)).s_Alias, KM::paleAlias);
    EXPECT_EQ(view.calls.value(3), "tip:" + KM::paleAlias);
  }

  // The proposal accepted as it stands.
  QString proposal;
  open([&](winNewPalette& w) {
    proposal = w.tfAlias->text();
    w.pbOK->click();
  });
  EXPECT_EQ(KM::paleAlias, proposal);
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(NewPaletteWindowTest, EveryWayOutButOKChangesNothing) {
  makeStore({"Work", KM::noneMark}, 1);
  const std::pair<const char*, std::function<void(winNewPalette&)>> ways[] = {
      {"Cancel", [](winNewPalette& w) { w.pbCancel->click(); }},
      {"close box", [](winNewPalette& w) { w.close(); }},
      {"Return and Escape",
       [](winNewPalette& w) {
         QTest::keyClick(w.tfAlias, Qt::Key_Return);
         QTest::keyClick(w.tfAlias, Qt::Key_Enter);
         QTest::keyClick(w.tfAlias, Qt::Key_Escape);
         EXPECT_TRUE(w.isVisible());
         w.close();
       }},
  };
  for (const auto& [name, way] : ways) {
    SCOPED_TRACE(name);
    open(way);
    EXPECT_EQ(KM::AllAliases(), (QStringList{"Original", "Work", KM::noneMark}));
    EXPECT_EQ(KM::idxCP, 1);
    EXPECT_EQ(KM::aBtn, KM::DP[1].a_Btn);
    EXPECT_FALSE(KM::paletteActiveChange);
    EXPECT_TRUE(view.calls.isEmpty());
  }
}

TEST_F(NewPaletteWindowTest, HelpShowsItsPageAndAFailedCreationKeepsTheWindowOpen) {
  makeStore({});
  HelpData::FillDictionaryFromHELP_TEXT();
  QString helpTitle;
  const bool stillOpen = open([&](winNewPalette& w) {
    helpTitle = helpTitleOpenedBy([&] { w.pbHelpNewPal->click(); });
    EXPECT_TRUE(w.isVisible());

    // No palette window to show it in: reported under the button, nothing created.
    KM::paletteView = nullptr;
    w.pbOK->click();
  });
  EXPECT_EQ(helpTitle, "Help: New Palette");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(logLines, QStringList{"Exception - winNewPalette.pbOK.Action"});
  EXPECT_EQ(KM::DP.size(), 1u);
  EXPECT_EQ(KM::idxCP, 0);
  HelpData::helpDict.reset();
}
