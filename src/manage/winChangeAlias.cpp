#include "manage/winChangeAlias.h"

#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/HelpButton.h"
#include "common/TitleField.h"
#include "common/TypingLimit.h"
#include "help/HelpData.h"
#include "manage/ManageControls.h"
#include "manage/PaletteRename.h"
#include "store/KM.h"

namespace {

const QString kTitle = QStringLiteral("Change Name/Alias");
const QString kCancel = QStringLiteral("Cancel");
const QString kAcceptChange = QStringLiteral("Accept Change");
const QString kInformation = QStringLiteral(
    "The Name/Alias is the human friendly name for a palette. This can be changed here if desired. The name "
    "cannot be too long and it has to be unique.");

constexpr int kTypedCharacters = 30;
constexpr qint64 kHelpId = 2;

const QString kWindow = QStringLiteral("winChangeAlias");
const auto kOpen = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kCancelAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));
const auto kMakeChangeAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbMakeChange"), QStringLiteral("Action"));
const auto kHelpAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbHelpChgAlias"), QStringLiteral("Action"));
const auto kTitleChange =
    ReportLocation::controlEvent(kWindow, QStringLiteral("tfWinTitle"), QStringLiteral("TextChange"));

}  // namespace

void winChangeAlias::OpenModal() {
  winChangeAlias window;
  window.Event_Open();
  ModalSeam::run(window);
}

winChangeAlias::winChangeAlias() : PreviewWindow(kWindow, kTitle) {
  using namespace ManageControls;
  pbCancel = pushButton(this, kCancel, {270, 360, 80, 20});
  pbMakeChange = pushButton(this, kAcceptChange, {370, 360, 110, 20});
  pbHelpChgAlias = makeHelpButton(this, {465, 10, 25, 25});
  labInfo = information(this, kInformation, {265, 55, 220, 130});
  tfAlias = textField(this, {110, 219, 150, 22});
  tfWinTitle = textField(this, {112, 252, 190, 22}, false);
  hideFocusFrame(*tfAlias);
  hideFocusFrame(*tfWinTitle);
  // Both take 30 typed characters; the title rules then cut the title to its 25.
  TypingLimit::apply(tfAlias, kTypedCharacters);
  TypingLimit::apply(tfWinTitle, kTypedCharacters);

  setTabOrder(pbCancel, pbMakeChange);
  setTabOrder(pbMakeChange, pbHelpChgAlias);
  setTabOrder(pbHelpChgAlias, tfAlias);
  setTabOrder(tfAlias, tfWinTitle);

  connect(pbCancel, &QPushButton::clicked, this, &winChangeAlias::pbCancel_Action);
  connect(pbMakeChange, &QPushButton::clicked, this, &winChangeAlias::pbMakeChange_Action);
  connect(pbHelpChgAlias, &QPushButton::clicked, this, &winChangeAlias::pbHelpChgAlias_Action);
  connect(tfWinTitle, &QLineEdit::textChanged, this, &winChangeAlias::tfWinTitle_TextChange);
  clearDefaultButtons(*this);
}

void winChangeAlias::Event_Open() {
  guarded(kOpen, [&] {
    loadPreview();
    labNameID->setText(DisplayText::shown(KM::paleName));
    TypingLimit::setWholeText(tfAlias, DisplayText::shown(KM::paleAlias));
    TypingLimit::setWholeText(tfWinTitle, DisplayText::shown(KM::paleWinTitle));
    opened_ = true;
  });
}

void winChangeAlias::tfWinTitle_TextChange() {
  guarded(kTitleChange, [&] { settleTitleField(*tfWinTitle); });
}

void winChangeAlias::pbMakeChange_Action() {
  guarded(kMakeChangeAction, [&] {
    // Fields that Open did not fill hold nothing of the palette: storing them would rename it.
    if (opened_) PaletteRename::acceptChange(tfAlias->text(), tfWinTitle->text());
    close();
  });
}

void winChangeAlias::pbCancel_Action() {
  guarded(kCancelAction, [&] { close(); });
}

void winChangeAlias::pbHelpChgAlias_Action() {
  guarded(kHelpAction, [] { HelpData::ShowHelp(kHelpId); });
}
