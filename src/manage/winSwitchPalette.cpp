#include "manage/winSwitchPalette.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

#include "common/Anchors.h"
#include "common/Controls.h"
#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/Fonts.h"
#include "common/HelpButton.h"
#include "help/HelpData.h"
#include "platform/KeyModifiers.h"
#include "store/KM.h"

namespace {
const QString kTitle = QStringLiteral("Switch Palette");
const QString kCurrentPlaceholder = QStringLiteral("Untitled");
const QString kTitlePlaceholder = QStringLiteral("Window Title");
const QString kNamePlaceholder = QStringLiteral("P_Name");
const QString kAliasPlaceholder = QStringLiteral("Choice");
const QString kTypePlaceholder = QStringLiteral("XX");
const QString kCancel = QStringLiteral("Cancel");
const QString kOK = QStringLiteral("OK");
const QString kAlreadyChosen = QStringLiteral("This is the already chosen palette.");
constexpr qint64 kHelpId = 4;

const QString kWindow = QStringLiteral("winSwitchPalette");
const auto kOKAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbOK"), QStringLiteral("Action"));
const auto kCancelAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));
const auto kCellClick =
    ReportLocation::controlEvent(kWindow, QStringLiteral("lbPalette"), QStringLiteral("CellClick"));
const auto kTimerAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("tiBothDigits"), QStringLiteral("Action"));
const auto kHelpAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbHelpSwiPal"), QStringLiteral("Action"));
const auto kOpen = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kKeyDown = ReportLocation::windowEvent(kWindow, QStringLiteral("KeyDown"));

constexpr int kFontSize = 13;
constexpr int kSmallFontSize = 11;
constexpr int kRowHeight = 20;

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, const QColor& colour,
                  Qt::Alignment alignment, Qt::Edges anchors) {
  QLabel* label = plainLabel(parent, text, geometry, colour, alignment);
  anchorToEdges(label, anchors);
  return label;
}

// The list gives its first cell the focus when it gets the focus itself; a frame drawn
// there would look like a choice the user never made.
class NoFocusFrame : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
  }
};

bool isDigit(const QString& key) { return key.size() == 1 && key.at(0) >= u'0' && key.at(0) <= u'9'; }

// Keys the focused control uses itself, which type nothing into the window: Tab and
// Shift+Tab move the focus, Space presses the focused button.
bool controlKey(const QKeyEvent& event, const QWidget* receiver) {
  if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab) return true;
  return event.key() == Qt::Key_Space && qobject_cast<const QAbstractButton*>(receiver);
}

// What a key press typed; a key held with Cmd (Qt's Control) or Control types nothing.
QString typedText(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return {};
  return event.text();
}
}  // namespace

void winSwitchPalette::OpenModal() {
  winSwitchPalette window;
  window.Event_Open();
  ModalSeam::run(window);
}

winSwitchPalette::winSwitchPalette() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setWindowTitle(kTitle);
  resize(240, 400);
  setMinimumSize(240, 400);
  setMaximumSize(240, 800);
  setFont(Fonts::system(kFontSize));

  labCurrentAlias = makeLabel(this, kCurrentPlaceholder, {20, 20, 190, 20}, QColor(0x79, 0x80, 0xFF),
                              Qt::AlignHCenter, Qt::LeftEdge | Qt::TopEdge);
  pbHelpSwiPal = makeHelpButton(this, {210, 5, 25, 25});

  lbPalette = new QTableWidget(0, 2, this);
  lbPalette->setGeometry(20, 50, 200, 230);
  lbPalette->horizontalHeader()->hide();
  lbPalette->verticalHeader()->hide();
  lbPalette->verticalHeader()->setDefaultSectionSize(kRowHeight);
  // Name/ID 40 wide, the alias in the rest of the inside, which the frame and a scroll bar
  // make narrower than 160: the rows never scroll sideways.
  lbPalette->setColumnWidth(0, 40);
  lbPalette->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Fixed);
  lbPalette->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  lbPalette->setShowGrid(false);
  lbPalette->setWordWrap(false);
  lbPalette->setFrameShape(QFrame::Box);
  lbPalette->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbPalette->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lbPalette->setSelectionMode(QAbstractItemView::SingleSelection);
  lbPalette->setSelectionBehavior(QAbstractItemView::SelectRows);
  lbPalette->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbPalette->setTabKeyNavigation(false);
  lbPalette->setItemDelegate(new NoFocusFrame(lbPalette));
  anchorToEdges(lbPalette, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);

  labChoiceTitle = makeLabel(this, kTitlePlaceholder, {0, 290, 240, 20}, Qt::black, Qt::AlignHCenter,
                             Qt::LeftEdge | Qt::BottomEdge);
  labChoiceName = makeLabel(this, kNamePlaceholder, {20, 320, 40, 20}, QColor(0x79, 0x79, 0x79),
                            Qt::AlignLeft, Qt::LeftEdge | Qt::BottomEdge);
  labChoiceAlias = makeLabel(this, kAliasPlaceholder, {70, 320, 160, 20}, QColor(0x79, 0x79, 0x79),
                             Qt::AlignLeft, Qt::LeftEdge | Qt::BottomEdge);
  for (QLabel* bold : {labChoiceName, labChoiceAlias}) bold->setFont(Fonts::system(kFontSize, true));

  pbCancel = pushButton(this, kCancel, {20, 360, 80, 20});
  pbOK = pushButton(this, kOK, {140, 360, 80, 20});
  pbOK->setEnabled(false);
  for (QPushButton* pb : {pbCancel, pbOK}) anchorToEdges(pb, Qt::LeftEdge | Qt::BottomEdge);
  clearDefaultButtons(*this);

  labType = makeLabel(this, kTypePlaceholder, {220, 380, 20, 20}, QColor(0xA9, 0xA9, 0xA9), Qt::AlignLeft,
                      Qt::LeftEdge | Qt::BottomEdge);
  labType->setFont(Fonts::system(kSmallFontSize));

  tiBothDigits = new QTimer(this);
  tiBothDigits->setSingleShot(true);
  tiBothDigits->setInterval(kDigitTimeoutMs);

  setTabOrder(pbOK, pbCancel);
  setTabOrder(pbCancel, lbPalette);
  setTabOrder(lbPalette, pbHelpSwiPal);
  // Typing goes to the list; no button is pressed by a stray key.
  lbPalette->setFocus();

  // Every key of the window, whichever control has the focus, reaches Event_KeyDown.
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

  connect(pbOK, &QPushButton::clicked, this, &winSwitchPalette::pbOK_Action);
  connect(pbCancel, &QPushButton::clicked, this, &winSwitchPalette::pbCancel_Action);
  connect(pbHelpSwiPal, &QPushButton::clicked, this, &winSwitchPalette::pbHelpSwiPal_Action);
  connect(tiBothDigits, &QTimer::timeout, this, &winSwitchPalette::tiBothDigits_Action);
  connect(lbPalette, &QTableWidget::cellClicked, this, [this](int row, int column) {
    const QRect cell = lbPalette->visualRect(lbPalette->model()->index(row, column));
    lbPalette_CellClick(row, column, lastRelease_.x() - cell.x(), lastRelease_.y() - cell.y());
  });
}

winSwitchPalette::~winSwitchPalette() = default;

bool winSwitchPalette::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbPalette->viewport() && event->type() == QEvent::MouseButtonRelease)
    lastRelease_ = static_cast<QMouseEvent*>(event)->position().toPoint();
  if (event->type() != QEvent::KeyPress) return ModalWindow::eventFilter(watched, event);
  // Only where the key arrives first, so that a key passed on is not seen twice.
  QWidget* receiver = focusWidget() ? focusWidget() : this;
  if (watched != receiver) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (KeyModifiers::isModifierKey(key->key())) return false;
  // A key the focused control uses still ends a half-typed number, and then does its work.
  if (controlKey(*key, receiver)) {
    Event_KeyDown(typedText(*key));
    return false;
  }
  return Event_KeyDown(typedText(*key));
}

void winSwitchPalette::Event_Open() {
  guarded(kOpen, [&] {
    labChoiceName->clear();
    labChoiceAlias->clear();
    labChoiceTitle->clear();
    rows_.clear();
    lbPalette->setRowCount(0);
    for (qint64 slot = 0; slot < static_cast<qint64>(KM::DP.size()); ++slot) {
      const PaletteRecord& record = KM::DP.at(static_cast<size_t>(slot));
      if (record.s_Alias.compare(KM::noneMark, Qt::CaseInsensitive) == 0) continue;
      const int row = lbPalette->rowCount();
      lbPalette->insertRow(row);
      int column = 0;
      for (const QString& text : {record.s_Name, record.s_Alias}) {
        auto* item = new QTableWidgetItem(DisplayText::shown(text));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        lbPalette->setItem(row, column++, item);
      }
      rows_.push_back({slot, record.s_Name});
    }
    lbPalette->clearSelection();
    setWindowTitle(DisplayText::windowTitle(KM::paleWinTitle));
    firstTyped.clear();
    labType->clear();
    labCurrentAlias->setText(DisplayText::shown(KM::paleAlias));
  });
}

void winSwitchPalette::showChoice(qint64 slot) {
  const PaletteRecord& record = KM::DP.at(static_cast<size_t>(slot));
  labChoiceName->setText(DisplayText::shown(record.s_Name));
  labChoiceTitle->setText(DisplayText::shown(record.s_WinTitle));
}

void winSwitchPalette::onCurrentChosen() {
  pbOK->setEnabled(false);
  Dialogs::messageBox(kAlreadyChosen);
}

bool winSwitchPalette::lbPalette_CellClick(int row, int column, int x, int y) {
  Q_UNUSED(column);
  Q_UNUSED(x);
  Q_UNUSED(y);
  return guarded(kCellClick, [&] {
    const Row& chosen = rows_.at(static_cast<size_t>(row));
    labChoiceAlias->setText(lbPalette->item(row, 1)->text());
    chosenSlot_ = chosen.slot;
    showChoice(chosen.slot);
    if (chosen.slot == KM::idxCP) onCurrentChosen();
    else pbOK->setEnabled(true);
    return false;
  });
}

void winSwitchPalette::pbOK_Action() {
  guarded(kOKAction, [&] {
    KM::ChangeToPalette(chosenSlot_);
    close();
  });
}

void winSwitchPalette::pbCancel_Action() {
  guarded(kCancelAction, [&] { close(); });
}

bool winSwitchPalette::Event_KeyDown(const QString& key) {
  return guarded(kKeyDown, [&] {
    if (!isDigit(key)) {
      firstTyped.clear();
      labType->clear();
      return true;
    }
    if (firstTyped.isEmpty()) {
      firstTyped = key;
      labType->setText(key);
      // A start while running restarts it: every entry gets its full time.
      tiBothDigits->start();
      return true;
    }
    const QString digits = firstTyped + key;
    // The entry is over whatever the search finds.
    firstTyped.clear();
    labType->setText(digits);
    const QString target = "P" + digits;
    for (const Row& row : rows_) {
      if (row.name.compare(target, Qt::CaseInsensitive) != 0) continue;
      if (row.slot == KM::idxCP) {
        showChoice(row.slot);
        onCurrentChosen();
      } else {
        KM::ChangeToPalette(row.slot);
        close();
      }
      break;
    }
    return true;
  });
}

void winSwitchPalette::tiBothDigits_Action() {
  guarded(kTimerAction, [&] {
    firstTyped.clear();
    labType->clear();
  });
}

void winSwitchPalette::pbHelpSwiPal_Action() {
  guarded(kHelpAction, [] { HelpData::ShowHelp(kHelpId); });
}
