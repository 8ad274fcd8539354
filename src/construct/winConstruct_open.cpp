// Opening the Grid Construct window, the colours of its grid, Done and the help.
#include <algorithm>

#include "app/App.h"
#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/GeneralMethods.h"
#include "common/PictureFile.h"
#include "common/RuntimeException.h"
#include "common/StringUtils.h"
#include "common/TextColour.h"
#include "common/TypingLimit.h"
#include "construct/ConstructTexts.h"
#include "construct/GridColours.h"
#include "construct/GridEdits.h"
#include "construct/winConstruct.h"
#include "help/HelpData.h"
#include "store/KM.h"

using namespace ConstructTexts;

namespace {

constexpr qint64 kHelpId = 5;
const QString kHelpKey = QStringLiteral("5");
const QString kButtonHelpText = QStringLiteral(
    "<p>The tools of this window define the properties that characterize a palette, button by button.</p>\n"
    "<p>The upper quarter of the window sets what applies to the entire palette at once.</p>\n"
    "<p><b><font color=\"green\">Assign All Shortcuts</font></b></p>");

}  // namespace

void winConstruct::Event_Open() {
  guarded(ReportLocation::windowEvent(kWindow, QStringLiteral("Open")), [&] {
    for (qint64 i = 0; i < kCells; ++i) labBut.at(static_cast<size_t>(i))->setText(twoDigits(i));
    ColorEdgeRect();
    showShortcuts();
    for (qint64 i = 0; i < kCells; ++i) colourCell(i);
    const bool allShown = GridEdits::allShortcutsShown(*KM::aBtn);

    // Like a typed change: the title rules run, and the palette is marked as changed.
    TypingLimit::setWholeText(tfWinTitle, KM::paleWinTitle);
    setWindowTitle(kTitlePrefix + DisplayText::windowTitle(KM::paleWinTitle));
    labNameID->setText(DisplayText::shown(KM::paleName));
    labNameAlias->setText(DisplayText::shown(KM::paleAlias));

    if (allShown) {
      pbAllVisibleOnButton->setText(kAllInvisible);
      pbAllVisibleOnButton->setToolTip(kAllInvisibleTip);
      visibleOnButton = true;
    }
    warnOfInvisiblePictures();
  });
}

void winConstruct::showShortcuts() {
  for (qint64 i = 0; i < kCells; ++i) labSC.at(static_cast<size_t>(i))->setText(buttonAt(i).Shortcut);
}

void winConstruct::colourCell(qint64 i) {
  const Btn& button = buttonAt(i);
  setTextColour(*labSC.at(static_cast<size_t>(i)), GridColours::shortcutLetter(button.ShortcutShow));
  BorderedRect& cell = *rectGrid.at(static_cast<size_t>(i));
  cell.FillColor = GridColours::cellFill(button);
  cell.update();
}

void winConstruct::warnOfInvisiblePictures() {
  const FolderItem folder = App::current().appSupportFolder.child(kPicturesFolder).child(KM::paleName);
  const QList<qint64> numbers = GridEdits::invisibleWithPicture(PictureFile::sortedFileNames(folder), *KM::aBtn);
  if (numbers.isEmpty()) return;
  QStringList list;
  for (const qint64 n : numbers) list << QString::number(n);
  const QString message = (numbers.size() == 1 ? kOneInvisiblePicture : kInvisiblePictures) + list.join(", ");
  GeneralMethods::MesDlg(message, kInvisibleExplanation, kOK, false, QString());
}

void winConstruct::rectTip_Open() {
  guarded(control(QStringLiteral("rectTip"), QStringLiteral("Open")), [&] { rectTip->FillColor = GridColours::kHasTip; });
}

void winConstruct::rectInfo_Open() {
  guarded(control(QStringLiteral("rectInfo"), QStringLiteral("Open")),
          [&] { rectInfo->FillColor = GridColours::kHasInfo; });
}

void winConstruct::rectInvisible_Open() {
  guarded(control(QStringLiteral("rectInvisible"), QStringLiteral("Open")),
          [&] { rectInvisible->FillColor = GridColours::kInvisible; });
}

void winConstruct::ColorEdgeRect() {
  guarded(method(QStringLiteral("ColorEdgeRect")), [&] {
    const qint64 rows = KM::numRows, columns = KM::numColumns;
    for (qint64 i = 0; i < kCells; ++i) {
      const GridColours::Edge edge = GridColours::edge(GridColours::insideGrid(i, rows, columns));
      BorderedRect& cell = *rectGrid.at(static_cast<size_t>(i));
      cell.BorderColorTopLeft = edge.border;
      cell.BorderColorBottomRight = edge.border;
      cell.update();
      setTextColour(*labBut.at(static_cast<size_t>(i)), edge.number);
    }
  });
}

void winConstruct::SetEntireRowVisibilty(qint64 row, bool visible) {
  guarded(method(QStringLiteral("SetEntireRowVisibilty")),
          [&] { GridEdits::setRowVisibility(*KM::aBtn, row, visible); });
}

void winConstruct::pbDone_Action() {
  guarded(control(QStringLiteral("pbDone"), QStringLiteral("Action")), [&] {
    PaletteView& palette = KM::PaletteWindow();
    // The row just below the grid is hidden; rows further down keep their visibility.
    if (KM::numRows < 10) SetEntireRowVisibilty(KM::numRows, false);
    KM::RedrawPalette(palette);
    close();
  });
}

void winConstruct::pbHelpGridCon_Action() {
  guarded(control(QStringLiteral("pbHelpGridCon"), QStringLiteral("Action")), [] { HelpData::ShowHelp(kHelpId); });
}

void winConstruct::PushButton1_Action() {
  // Stored under the text key "5", which is not help id 5: the help page stays as it was.
  if (HelpData::helpDict) (*HelpData::helpDict)[HelpData::Key{kHelpKey}] = kButtonHelpText;
}
