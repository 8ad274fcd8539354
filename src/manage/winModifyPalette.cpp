#include "manage/winModifyPalette.h"

#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/StringUtils.h"
#include "manage/ManageControls.h"
#include "manage/PaletteCreation.h"
#include "manage/PaletteDeletion.h"
#include "manage/PaletteRename.h"
#include "store/KM.h"

namespace {

const QString kLaidOutTitle = QStringLiteral("Rename/Delete Palette");
const QString kTitlePrefix = QStringLiteral("Palette: ");
const QString kNameLaidOut = QStringLiteral("P_Name");
const QString kAliasCaption = QStringLiteral("Name/Alias");
const QString kCurrentAliasLaidOut = QStringLiteral("Alias");
const QString kChangeName = QStringLiteral("Change Name");
const QString kCreatePalette = QStringLiteral("Create Palette");
const QString kDeletePalette = QStringLiteral("Delete Palette");
const QString kCancel = QStringLiteral("Cancel");

const QString kProposalLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
constexpr qint64 kProposalLength = 5;

const QColor kBlue(0x04, 0x32, 0xFF);
const QColor kGreen(0x8D, 0xF9, 0x00);
const QColor kRed(0xFF, 0x4A, 0x23);
const QColor kOnBlue(0xD5, 0xD5, 0xD5);
const QColor kOnGreen(0x42, 0x42, 0x42);

const QString kWindow = QStringLiteral("winModifyPalette");
const auto kOpen = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kCurrentAliasChange =
    ReportLocation::controlEvent(kWindow, QStringLiteral("tfCurrentAlias"), QStringLiteral("TextChange"));
const auto kAliasChange = ReportLocation::controlEvent(kWindow, QStringLiteral("tfAlias"), QStringLiteral("TextChange"));
const auto kChangeAliasAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbChangeAlias"), QStringLiteral("Action"));
const auto kNewPaletteAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbNewPalette"), QStringLiteral("Action"));
const auto kDeletePaletteAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbDeletePalette"), QStringLiteral("Action"));
const auto kCancelAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));

QFrame* panel(QWidget* parent, const QRect& place, const QColor& fill) {
  auto* frame = new QFrame(parent);
  frame->setGeometry(place);
  frame->setFrameShape(QFrame::Box);
  frame->setLineWidth(1);
  frame->setAutoFillBackground(true);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, fill);
  palette.setColor(QPalette::WindowText, Qt::black);
  frame->setPalette(palette);
  return frame;
}

// A field never keeps a leading character that is not one of the shortcut letters; its
// button is offered once the field holds two characters or more.
void applyFieldRule(QLineEdit* field, QPushButton* button) {
  QString text = field->text();
  while (!text.isEmpty() && !KM::aAlphabetShortcut.contains(QString(text.front()), Qt::CaseInsensitive))
    text.remove(0, 1);
  if (text != field->text()) field->setText(text);
  button->setEnabled(text.size() >= 2);
}

}  // namespace

void winModifyPalette::OpenModal() {
  winModifyPalette window;
  window.Event_Open();
  ModalSeam::run(window);
}

winModifyPalette::winModifyPalette() : ModalWindow(nullptr) {
  using namespace ManageControls;
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinimizeButtonHint);
  setModal(true);
  setWindowTitle(kLaidOutTitle);
  setFixedSize(360, 400);
  setFont(windowFont());

  // Panels first, so the controls that lie over them are drawn above them.
  rectChangeAlias = panel(this, {20, 20, 320, 100}, kBlue);
  rectNewPalette = panel(this, {20, 150, 320, 100}, kGreen);
  rectDelete = panel(this, {20, 280, 320, 60}, kRed);

  labCurrentName = plainLabel(this, kNameLaidOut, {40, 35, 30, 22}, kOnBlue);
  QFont bold = labCurrentName->font();
  bold.setBold(true);
  labCurrentName->setFont(bold);
  labAliasChange = caption(this, kAliasCaption, {85, 36, 75, 20}, kOnBlue);
  tfCurrentAlias = textField(this, {170, 35, 150, 22});
  tfCurrentAlias->setText(kCurrentAliasLaidOut);
  pbChangeAlias = pushButton(this, kChangeName, {200, 70, 120, 20});
  pbChangeAlias->setEnabled(false);

  labAlias = caption(this, kAliasCaption, {40, 170, 75, 20}, kOnGreen);
  tfAlias = textField(this, {130, 170, 150, 22});
  pbNewPalette = pushButton(this, kCreatePalette, {200, 210, 120, 20});

  pbDeletePalette = pushButton(this, kDeletePalette, {130, 300, 100, 20});
  pbDeletePalette->setEnabled(false);
  pbCancel = pushButton(this, kCancel, {260, 360, 80, 20});

  connect(tfCurrentAlias, &QLineEdit::textChanged, this, &winModifyPalette::tfCurrentAlias_TextChange);
  connect(tfAlias, &QLineEdit::textChanged, this, &winModifyPalette::tfAlias_TextChange);
  connect(pbChangeAlias, &QPushButton::clicked, this, &winModifyPalette::pbChangeAlias_Action);
  connect(pbNewPalette, &QPushButton::clicked, this, &winModifyPalette::pbNewPalette_Action);
  connect(pbDeletePalette, &QPushButton::clicked, this, &winModifyPalette::pbDeletePalette_Action);
  connect(pbCancel, &QPushButton::clicked, this, &winModifyPalette::pbCancel_Action);
  clearDefaultButtons(*this);
}

void winModifyPalette::Event_Open() {
  guarded(kOpen, [&] {
    tfAlias->setText(StringUtils::Random(kProposalLength, kProposalLetters));
    labCurrentName->setText(DisplayText::shown(KM::paleName));
    tfCurrentAlias->setText(DisplayText::shown(KM::paleAlias));
    pbChangeAlias->setEnabled(false);
    setWindowTitle(kTitlePrefix + DisplayText::windowTitle(KM::paleWinTitle));
    pbDeletePalette->setEnabled(PaletteDeletion::allowed());
  });
}

void winModifyPalette::tfCurrentAlias_TextChange() {
  guarded(kCurrentAliasChange, [&] { applyFieldRule(tfCurrentAlias, pbChangeAlias); });
}

void winModifyPalette::tfAlias_TextChange() {
  guarded(kAliasChange, [&] { applyFieldRule(tfAlias, pbNewPalette); });
}

void winModifyPalette::pbChangeAlias_Action() {
  guarded(kChangeAliasAction, [&] {
    PaletteRename::changeAlias(tfCurrentAlias->text());
    close();
  });
}

void winModifyPalette::pbNewPalette_Action() {
  guarded(kNewPaletteAction, [&] {
    if (PaletteCreation::createFromAliasText(tfAlias->text())) close();
  });
}

void winModifyPalette::pbDeletePalette_Action() {
  guarded(kDeletePaletteAction, [&] {
    if (PaletteDeletion::confirmAndDelete()) close();
  });
}

void winModifyPalette::pbCancel_Action() {
  guarded(kCancelAction, [&] { close(); });
}

void winModifyPalette::reject() { pbCancel_Action(); }
