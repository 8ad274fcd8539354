#pragma once

#include <QColor>
#include <QString>

#include "common/ReportLocation.h"
#include "common/RuntimeException.h"
#include "store/KM.h"

// What the Grid Construct window's files share: what it shows, where its handlers report,
// and its way to the current palette's buttons.
namespace ConstructTexts {

inline const QString kWindow = QStringLiteral("winConstruct");

// Titles.
inline const QString kLaidOutTitle = QStringLiteral("Grid Construct");
inline const QString kTitlePrefix = QStringLiteral("Grid Construct: ");

// Palette-wide area.
inline const QString kRows = QStringLiteral("Rows");
inline const QString kColumns = QStringLiteral("Columns");
inline const QString kAssignShortcuts = QStringLiteral("Assign All Shortcuts");
inline const QString kAssignNoShortcut = QStringLiteral("Assign All No Shortcut");
inline const QString kLaidOutAllVisible = QStringLiteral("All Visible On Button");
inline const QString kAllVisible = QStringLiteral("All Visible on Button");
inline const QString kAllInvisible = QStringLiteral("All Invisible on Button");
inline const QString kAllVisibleTip = QStringLiteral("If button has a shortcut, make visible on button.");
inline const QString kAllInvisibleTip = QStringLiteral("If button has a shortcut, make invisible on button.");
inline const QString kNameIDLabel = QStringLiteral("Name/ID");
inline const QString kLaidOutNameID = QStringLiteral("ID");
inline const QString kNameAliasLabel = QStringLiteral("Name/Alias");
inline const QString kLaidOutAlias = QStringLiteral("Alias");
inline const QString kWindowTitleLabel = QStringLiteral("Window Title");

// Edit area.
inline const QString kNoButton = QStringLiteral("ID");
inline const QString kShortcut = QStringLiteral("Shortcut");
inline const QString kVisibleOnButton = QStringLiteral("Visible On Button");
inline const QString kVisibleOnButtonTip = QStringLiteral("The shortcut will be visible on the corner of the button");
inline const QString kTip = QStringLiteral("Tip");
inline const QString kInfo = QStringLiteral("Info");
inline const QString kInfoTip = QStringLiteral("When using program, Option-Click to see this information");
inline const QString kButtonVisible = QStringLiteral("Button Visible");
inline const QString kButtonVisibleTip = QStringLiteral("The entire button will or will not be invisible");
inline const QString kCancel = QStringLiteral("Cancel");
inline const QString kOK = QStringLiteral("OK");

// Bottom area.
inline const QString kHasTip = QStringLiteral("Has Tip");
inline const QString kHasTipTip = QStringLiteral("Buttons of this color have tip assigned");
inline const QString kHasInfo = QStringLiteral("Has Info");
inline const QString kHasInfoTip = QStringLiteral("Buttons of this color have information");
inline const QString kInvisible = QStringLiteral("Invisible");
inline const QString kInvisibleTip = QStringLiteral("Buttons of this color are not visible on palette");
inline const QString kButton = QStringLiteral("Button");
inline const QString kDone = QStringLiteral("Done");

// The warning about invisible buttons that have pictures.
inline const QString kOneInvisiblePicture =
    QStringLiteral("The following button has a picture assigned to it but is currently set as invisible: ");
inline const QString kInvisiblePictures =
    QStringLiteral("The following buttons have pictures assigned to them but are currently set as invisible: ");
inline const QString kInvisibleExplanation = QStringLiteral("This is legal but make sure this is your intent.");
inline const QString kPicturesFolder = QStringLiteral("ButtonPictures");

// Colours of the controls (the grid's own are GridColours').
inline const QColor kCaptionGrey(0x91, 0x91, 0x91);
inline const QColor kFieldLabel(0x42, 0x42, 0x42);
inline const QColor kLegendText(0x93, 0x51, 0x00);
inline const QColor kLetterUnticked(0x79, 0x79, 0x79);
inline const QColor kPickerChosen(0x00, 0x00, 0x00);
inline const QColor kPickerIdle(0xCF, 0xCF, 0xCF);

// Report locations.
inline ReportLocation control(const QString& name, const QString& event) {
  return ReportLocation::controlEvent(kWindow, name, event);
}
inline ReportLocation method(const QString& name) { return ReportLocation::windowMethod(kWindow, name); }

inline QString twoDigits(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

inline Btn& buttonAt(qint64 i) {
  if (i < 0 || i >= static_cast<qint64>(KM::aBtn->size()))
    throw OutOfBoundsException(QStringLiteral("No button %1 in the current palette.").arg(i));
  return KM::aBtn->at(static_cast<size_t>(i));
}

}  // namespace ConstructTexts
