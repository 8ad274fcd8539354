// The Grid Construct window's layout, its opening sequence and how it is shown.
#include "construct/winConstruct.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

#include "common/Fonts.h"
#include "common/Controls.h"
#include "common/HelpButton.h"
#include "common/TextColour.h"
#include "common/TitleField.h"
#include "construct/ConstructTexts.h"
#include "construct/GridColours.h"

using namespace ConstructTexts;

namespace {

constexpr int kWidth = 670;
constexpr int kHeight = 540;
constexpr int kCellSize = 35;
constexpr int kGridLeft = 20;
constexpr int kGridTop = 130;

const char* const kCellIndex = "cellIndex";
const char* const kCellPart = "cellPart";

QCheckBox* checkBox(QWidget* parent, const QString& caption, const QString& tip, const QRect& geometry) {
  auto* c = new QCheckBox(caption, parent);
  c->setGeometry(geometry);
  c->setToolTip(tip);
  c->setEnabled(false);
  return c;
}

BorderedRect* swatch(QWidget* parent, const QString& tip, int left) {
  auto* r = new BorderedRect(parent);
  r->setGeometry(left, 495, 15, 15);
  r->BorderColorTopLeft = Qt::black;
  r->BorderColorBottomRight = Qt::black;
  r->setToolTip(tip);
  return r;
}

}  // namespace

winConstruct::winConstruct() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinimizeButtonHint);
  setModal(true);
  setWindowTitle(kLaidOutTitle);
  setFixedSize(kWidth, kHeight);

  buildPaletteArea();
  buildGrid();
  buildEditArea();
  buildBottomArea();
  // No push button answers Return; Escape answers nothing (ModalWindow).
  clearDefaultButtons(*this);
  connectHandlers();

  // The controls open before the window.
  rectTip_Open();
  rectInfo_Open();
  rectInvisible_Open();
  ccRowUpDown->Event_Open();
  ccColUpDown->Event_Open();
  ccShortcutUpDown->Event_Open();
  Event_Open();
}

winConstruct::~winConstruct() = default;

void winConstruct::OpenModal() {
  winConstruct window;
  ModalSeam::run(window);
}

void winConstruct::buildPaletteArea() {
  ccRowUpDown = new ccDataIntUpDown(this);
  ccRowUpDown->setGeometry(20, 20, 156, 40);
  ccColUpDown = new ccDataIntUpDown(this);
  ccColUpDown->setGeometry(20, 68, 156, 40);

  pbAssignShortcuts = pushButton(this, kAssignShortcuts, {195, 20, 160, 20});
  pbAssignNoShortcut = pushButton(this, kAssignNoShortcut, {195, 50, 160, 20});
  pbAllVisibleOnButton = pushButton(this, kLaidOutAllVisible, {195, 80, 160, 20});
  pbAllVisibleOnButton->setToolTip(kAllVisibleTip);

  labNmID = plainLabel(this, kNameIDLabel, {380, 20, 80, 20}, kCaptionGrey, Qt::AlignRight);
  labNameID = plainLabel(this, kLaidOutNameID, {470, 20, 100, 20}, Qt::black, Qt::AlignLeft);
  labNmAls = plainLabel(this, kNameAliasLabel, {380, 50, 80, 20}, kCaptionGrey, Qt::AlignRight);
  labNameAlias = plainLabel(this, kLaidOutAlias, {470, 50, 150, 20}, Qt::black, Qt::AlignLeft);
  labWinTitle = plainLabel(this, kWindowTitleLabel, {365, 80, 90, 20}, kCaptionGrey, Qt::AlignRight);

  tfWinTitle = new QLineEdit(this);
  tfWinTitle->setGeometry(470, 80, 185, 22);
  limitTitleTyping(*tfWinTitle);
  hideFocusFrame(*tfWinTitle);
  tfWinTitle->installEventFilter(this);

  pbHelpGridCon = makeHelpButton(this, QRect(635, 10, 25, 25));

  RectHorizLine = new BorderedRect(this);
  RectHorizLine->setGeometry(0, 120, kWidth, 3);
  RectHorizLine->FillColor = QColor(0xA9, 0xA9, 0xA9);
  RectHorizLine->BorderColorTopLeft = QColor(0xD5, 0xD5, 0xD5);
  RectHorizLine->BorderColorBottomRight = QColor(0x79, 0x79, 0x79);
}

void winConstruct::buildGrid() {
  const QFont letterFont = Fonts::named(QStringLiteral("Menlo"), 14, QFont::Monospace);
  for (int i = 0; i < kCells; ++i) {
    const int left = kGridLeft + kCellSize * (i % 10), top = kGridTop + kCellSize * (i / 10);
    auto* cell = new BorderedRect(this);
    cell->setGeometry(left, top, kCellSize, kCellSize);
    QLabel* letter =
        plainLabel(cell, KM::noneMark, {15, 13, 17, 19}, GridColours::kLetterNotShown, Qt::AlignRight);
    letter->setFont(letterFont);
    rectGrid[static_cast<size_t>(i)] = cell;
    labSC[static_cast<size_t>(i)] = letter;
  }
  // Over the cells, so that each number stays on top of its cell's corner.
  for (int i = 0; i < kCells; ++i) {
    const int left = kGridLeft + kCellSize * (i % 10), top = kGridTop + kCellSize * (i / 10);
    labBut[static_cast<size_t>(i)] = plainLabel(this, QString(), {left, top, 17, 17}, Qt::black, Qt::AlignHCenter);
  }
  for (int i = 0; i < kCells; ++i) {
    const std::pair<QWidget*, CellPart> parts[] = {{rectGrid[static_cast<size_t>(i)], CellPart::Rect},
                                                   {labSC[static_cast<size_t>(i)], CellPart::Letter},
                                                   {labBut[static_cast<size_t>(i)], CellPart::Number}};
    for (const auto& [widget, part] : parts) {
      widget->setProperty(kCellIndex, i);
      widget->setProperty(kCellPart, static_cast<int>(part));
      widget->installEventFilter(this);
    }
  }
}

void winConstruct::buildEditArea() {
  labID = plainLabel(this, kNoButton, {472, 130, 100, 20}, Qt::black, Qt::AlignHCenter);
  labID->setFont(Fonts::system(18));

  gbShortcut = new QGroupBox(kShortcut, this);
  gbShortcut->setGeometry(395, 169, 265, 110);
  // Only the caption is bold: the one control inside has its own font, the others lie over it.
  QFont caption = gbShortcut->font();
  caption.setBold(true);
  gbShortcut->setFont(caption);

  labShortcut = plainLabel(gbShortcut, KM::noneMark, {560 - 395, 197 - 169, 40, 38}, GridColours::kLetterShown,
                           Qt::AlignHCenter);
  QFont bigLetter = Fonts::named(QStringLiteral("Menlo"), 24, QFont::Monospace);
  bigLetter.setBold(true);
  labShortcut->setFont(bigLetter);
  labShortcut->setAttribute(Qt::WA_TranslucentBackground);

  ccShortcutUpDown = new ccDataStrUpDown(this);
  ccShortcutUpDown->setGeometry(406, 197, 146, 40);
  ccShortcutUpDown->udChangeVal->setEnabled(false);

  cbVisOnBtn = checkBox(this, kVisibleOnButton, kVisibleOnButtonTip, {503, 252, 130, 20});

  labTip = plainLabel(this, kTip, {380, 300, 40, 20}, kFieldLabel, Qt::AlignRight);
  tfTip = new QLineEdit(this);
  tfTip->setGeometry(432, 302, 220, 22);
  tfTip->setEnabled(false);

  labInfo = plainLabel(this, kInfo, {380, 330, 40, 20}, kFieldLabel, Qt::AlignRight);
  taInfo = new QPlainTextEdit(this);
  taInfo->setGeometry(430, 337, 220, 100);
  taInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  taInfo->setTabChangesFocus(true);
  taInfo->setToolTip(kInfoTip);
  taInfo->setEnabled(false);

  cbVisibleBtn = checkBox(this, kButtonVisible, kButtonVisibleTip, {503, 443, 120, 20});
  pbCancel = pushButton(this, kCancel, {472, 474, 80, 20});
  pbCancel->setEnabled(false);
  pbOK = pushButton(this, kOK, {564, 474, 80, 20});
  pbOK->setEnabled(false);
}

void winConstruct::buildBottomArea() {
  const QFont small = Fonts::system(11);
  rectTip = swatch(this, kHasTipTip, 20);
  labHasTip = plainLabel(this, kHasTip, {40, 495, 50, 15}, kLegendText, Qt::AlignLeft);
  rectInfo = swatch(this, kHasInfoTip, 100);
  labHasInfo = plainLabel(this, kHasInfo, {120, 495, 50, 15}, kLegendText, Qt::AlignLeft);
  rectInvisible = swatch(this, kInvisibleTip, 180);
  labInvisible = plainLabel(this, kInvisible, {200, 495, 50, 15}, kLegendText, Qt::AlignLeft);
  for (QLabel* legend : {labHasTip, labHasInfo, labInvisible}) legend->setFont(small);

  PushButton1 = pushButton(this, kButton, {472, 506, 80, 20});
  pbDone = pushButton(this, kDone, {570, 506, 80, 20});
}

void winConstruct::connectHandlers() {
  connect(ccRowUpDown, &UpDownPicker::Open_Instance, this, &winConstruct::ccRowUpDown_Open_Instance);
  connect(ccRowUpDown, &UpDownPicker::ValueChanged, this, &winConstruct::ccRowUpDown_ValueChanged);
  connect(ccColUpDown, &UpDownPicker::Open_Instance, this, &winConstruct::ccColUpDown_Open_Instance);
  connect(ccColUpDown, &UpDownPicker::ValueChanged, this, &winConstruct::ccColUpDown_ValueChanged);
  connect(ccShortcutUpDown, &UpDownPicker::Open_Instance, this, &winConstruct::ccShortcutUpDown_Open_Instance);
  connect(ccShortcutUpDown, &UpDownPicker::ValueChanged, this, &winConstruct::ccShortcutUpDown_ValueChanged);

  connect(pbAssignShortcuts, &QPushButton::clicked, this, &winConstruct::pbAssignShortcuts_Action);
  connect(pbAssignNoShortcut, &QPushButton::clicked, this, &winConstruct::pbAssignNoShortcut_Action);
  connect(pbAllVisibleOnButton, &QPushButton::clicked, this, &winConstruct::pbAllVisibleOnButton_Action);
  connect(pbHelpGridCon, &QPushButton::clicked, this, &winConstruct::pbHelpGridCon_Action);
  connect(PushButton1, &QPushButton::clicked, this, &winConstruct::PushButton1_Action);
  connect(pbDone, &QPushButton::clicked, this, &winConstruct::pbDone_Action);
  connect(pbOK, &QPushButton::clicked, this, &winConstruct::pbOK_Action);
  connect(pbCancel, &QPushButton::clicked, this, &winConstruct::pbCancel_Action);

  // A box ticked by the user, not one that loading a button sets: a freshly loaded
  // button's letter keeps the colour of its stored display.
  connect(cbVisOnBtn, &QCheckBox::clicked, this, &winConstruct::cbVisOnBtn_Action);
  connect(cbVisibleBtn, &QCheckBox::clicked, this, &winConstruct::cbVisibleBtn_Action);
  connect(tfTip, &QLineEdit::textChanged, this, &winConstruct::tfTip_TextChange);
  connect(taInfo, &QPlainTextEdit::textChanged, this, &winConstruct::taInfo_TextChange);
  connect(tfWinTitle, &QLineEdit::textChanged, this, &winConstruct::tfWinTitle_TextChange);
}

bool winConstruct::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tfWinTitle) {
    if (event->type() == QEvent::FocusOut) tfWinTitle_LostFocus();
    return false;
  }
  const QVariant index = watched->property(kCellIndex);
  const bool press = event->type() == QEvent::MouseButtonPress;
  if (!index.isValid() || !(press || event->type() == QEvent::MouseButtonRelease)) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;

  const int i = index.toInt();
  const QPoint at = mouse->position().toPoint();
  // The element that took the press receives its release, wherever the mouse is let go.
  switch (static_cast<CellPart>(watched->property(kCellPart).toInt())) {
    case CellPart::Rect:
      if (press) pressTaken_ = rectGrid_MouseDown(i, at.x(), at.y());
      else if (std::exchange(pressTaken_, false)) rectGrid_MouseUp(i, at.x(), at.y());
      break;
    case CellPart::Letter:
      if (press) pressTaken_ = labSC_MouseDown(i, at.x(), at.y());
      else if (std::exchange(pressTaken_, false)) labSC_MouseUp(i, at.x(), at.y());
      break;
    case CellPart::Number:
      if (press) pressTaken_ = labBut_MouseDown(i, at.x(), at.y());
      else if (std::exchange(pressTaken_, false)) labBut_MouseUp(i, at.x(), at.y());
      break;
  }
  return true;
}
