#include "manage/winNewPalette.h"

#include <algorithm>
#include <limits>

#include "common/ErrorGuard.h"
#include "common/HelpButton.h"
#include "common/StringUtils.h"
#include "help/HelpData.h"
#include "manage/ManageControls.h"
#include "manage/PaletteCreation.h"

namespace {
const QString kTitle = QStringLiteral("New Palette");
const QString kInfo = QStringLiteral(
    "When a new palette is created, you are only asked to provide the Name/Alias. This is the "
    "human-friendly name of the palette that is displayed in many locations and makes the palette "
    "recognizable in text.\n"
    "Once the new palette has been accepted, it is then expected that the user will proceed to use "
    "Grid Construct under the Configure menu to create the basic design of the new palette by "
    "providing its various properties.");
const QString kNameAlias = QStringLiteral("Name/Alias");
const QString kCancel = QStringLiteral("Cancel");
const QString kOK = QStringLiteral("OK");
const QString kProposalLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
constexpr qint64 kProposalLength = 6;
constexpr qint64 kHelpId = 3;

const QString kWindow = QStringLiteral("winNewPalette");
const auto kOpen = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kOKAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbOK"), QStringLiteral("Action"));
const auto kCancelAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));
const auto kHelpAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbHelpNewPal"), QStringLiteral("Action"));

// Down to just above the Name/Alias row.
constexpr int kInfoMaxHeight = 165;

}  // namespace

void winNewPalette::OpenModal() {
  winNewPalette window;
  window.Event_Open();
  ModalSeam::run(window);
}

winNewPalette::winNewPalette() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinimizeButtonHint);
  setModal(true);
  setWindowTitle(kTitle);
  setFixedSize(500, 400);
  setFont(ManageControls::windowFont());

  labInfo = ManageControls::information(this, kInfo, {20, 47, 460, 123});
  // A wider platform font wraps the text onto more lines: the label grows into the free
  // space above the field rather than cut off its last line.
  labInfo->resize(labInfo->width(), std::clamp(labInfo->heightForWidth(labInfo->width()), 123, kInfoMaxHeight));

  labNmAls = ManageControls::caption(this, kNameAlias, {20, 220, 80, 20});

  tfAlias = ManageControls::textField(this, {112, 222, 182, 22});
  tfAlias->setMaxLength(std::numeric_limits<int>::max());

  pbCancel = pushButton(this, kCancel, {300, 360, 80, 20});
  pbOK = pushButton(this, kOK, {400, 360, 80, 20});
  pbHelpNewPal = makeHelpButton(this, {465, 10, 25, 25});
  clearDefaultButtons(*this);

  setTabOrder(pbCancel, pbOK);
  setTabOrder(pbOK, pbHelpNewPal);
  setTabOrder(pbHelpNewPal, tfAlias);
  connect(pbOK, &QPushButton::clicked, this, &winNewPalette::pbOK_Action);
  connect(pbCancel, &QPushButton::clicked, this, &winNewPalette::pbCancel_Action);
  connect(pbHelpNewPal, &QPushButton::clicked, this, &winNewPalette::pbHelpNewPal_Action);
}

winNewPalette::~winNewPalette() = default;

void winNewPalette::Event_Open() {
  guarded(kOpen, [&] {
    tfAlias->setText(StringUtils::Random(kProposalLength, kProposalLetters));
    // Selected and focused, so that typing replaces the proposal.
    tfAlias->selectAll();
    tfAlias->setFocus();
  });
}

void winNewPalette::pbOK_Action() {
  guarded(kOKAction, [&] {
    if (PaletteCreation::createFromAliasText(tfAlias->text())) close();
  });
}

void winNewPalette::pbCancel_Action() {
  guarded(kCancelAction, [&] { close(); });
}

void winNewPalette::pbHelpNewPal_Action() {
  guarded(kHelpAction, [] { HelpData::ShowHelp(kHelpId); });
}
