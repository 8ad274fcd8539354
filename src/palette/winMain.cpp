#include "palette/winMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLayout>
#include <QPainter>
#include <QPointer>
#include <algorithm>

#include "app/App.h"
#include "common/Controls.h"
#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/GeneralMethods.h"
#include "common/Fonts.h"
#include "common/PictureFile.h"
#include "common/RuntimeException.h"
#include "common/StringUtils.h"
#include "common/winShowText.h"
#include "palette/WinScrn.h"
#include "palette/x_FirePalette.h"
#include "platform/Dialogs.h"
#include "platform/KeyModifiers.h"
#include "platform/MoveRecord.h"
#include "store/KM.h"

namespace {

// Texts the user sees.
const QString kLaidOutTitle = QStringLiteral("Tavelin");
const QString kLaidOutTip = QStringLiteral("Tip");
const QString kLaidOutMark = QStringLiteral("*");
const QString kNoInformation = QStringLiteral("No Additional Information about this button.");

const QString kSaveFailed = QStringLiteral("Tavelin could not save your palettes.\n\nFile: %1\nReason: %2");
const QString kSaveFailedExplanation = QStringLiteral(
    "Keep Tavelin open, free some disk space or make the folder writable, then quit again. "
    "Quit Without Saving loses the changes of this session; the file keeps what it held before.");
const QString kKeepOpen = QStringLiteral("Keep Tavelin Open");
const QString kQuitWithoutSaving = QStringLiteral("Quit Without Saving");
const QString kNoDataFolder = QStringLiteral("The application data folder is not available.");
const QString kNoStateText = QStringLiteral("The palettes could not be made into the state file's text.");
const QString kSaveFailedLogLine = QStringLiteral("winMain.Close: the state file was not saved: %1");

const QString kPicturesFolder = QStringLiteral("ButtonPictures");
const QString kWindow = QStringLiteral("winMain");

const QColor kStripLaidOut(0xFE, 0xFB, 0x00);
const QColor kStripOpen(0xFE, 0xFF, 0x96);
const QColor kTipColour(0x93, 0x51, 0x00);
const QColor kShortcutLabelColour(0xFF, 0x93, 0x00);
const QColor kNumberLabelColour(0x00, 0x00, 0x00);
const QColor kLetterColour(0xDC, 0x6E, 0x00);
// Black whatever the style's text colour: a dark appearance would draw white numbers.
const QColor kNumberColour(0x00, 0x00, 0x00);
// White at transparency 75 of 255.
const QColor kBadgeFill(0xFF, 0xFF, 0xFF, 255 - 75);

constexpr int kBadgeSize = 13;
constexpr int kNumberLabelWidth = 45;
constexpr int kShortcutLabelWidth = 20;
constexpr int kStripRectWidth = 640;
constexpr int kMaxCells = 10;

QString twoDigits(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// The button canvases name their control "cnBut Set" (MouseDown: "cnButSet") on the label
// line but "cnBut" on the first line, so their locations are built here.
ReportLocation buttonLocation(const QString& member, const QString& control, const QString& event) {
  return ReportLocation::custom(kWindow + ".cnBut." + member,
                                {"WINDOW: " + kWindow, "CONTROL: " + control, "EVENT: " + event});
}
// Paint and hover run often; their locations are built once.
const ReportLocation kPaintAt = buttonLocation("Paint", "cnBut Set", "Paint");
const ReportLocation kEnterAt = buttonLocation("MouseEnter", "cnBut Set", "Mouse Enter");
const ReportLocation kExitAt = buttonLocation("MouseExit", "cnBut Set", "MouseExit");

const QFont& numberFont() {
  static const QFont font = Fonts::named(QStringLiteral("Helvetica"), 24);
  return font;
}
const QFont& letterFont() {
  static const QFont font = Fonts::named(QStringLiteral("Menlo"), 12, QFont::Monospace);
  return font;
}

// Width and height of "01" in the number font, wrapped at the button's width; the same for
// every button, so measured once.
QSizeF numberMeasure(qreal wrapWidth) {
  static qreal measuredFor = -1;
  static QSizeF size;
  if (wrapWidth != measuredFor) {
    const QFontMetricsF metrics(numberFont());
    size = QSizeF(metrics.horizontalAdvance(QStringLiteral("01")),
                  metrics.boundingRect(QRectF(0, 0, wrapWidth, 1e6), Qt::TextWordWrap, QStringLiteral("01")).height());
    measuredFor = wrapWidth;
  }
  return size;
}

QLabel* stripLabel(QWidget* parent, const QString& text, const QFont& font, const QColor& colour) {
  QLabel* label = plainLabel(parent, text, QRect(), colour, Qt::AlignCenter);
  label->setFont(font);
  return label;
}

}  // namespace

// ---- PaletteButton ----

PaletteButton::PaletteButton(winMain& owner, int index, QWidget* parent)
    : QWidget(parent), owner_(owner), index_(index) {
  setFocusPolicy(Qt::NoFocus);
}

void PaletteButton::setBackdrop(const QPixmap& picture) {
  backdrop_ = picture;
  update();
}

void PaletteButton::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (!backdrop_.isNull()) g.drawPixmap(0, 0, backdrop_);
  owner_.cnBut_Paint(index_, g);
}

void PaletteButton::enterEvent(QEnterEvent*) { owner_.cnBut_MouseEnter(index_); }
void PaletteButton::leaveEvent(QEvent*) { owner_.cnBut_MouseExit(index_); }

void PaletteButton::mousePressEvent(QMouseEvent* event) {
  if (!KeyModifiers::isClick(event->button(), event->modifiers())) return;
  const QPoint at = event->position().toPoint();
  pressedButton_ = event->button();
  pressTaken_ = owner_.cnBut_MouseDown(index_, at.x(), at.y());
}

void PaletteButton::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != pressedButton_ || !pressTaken_) return;
  pressTaken_ = false;
  // Qt delivers the release to the pressed button wherever the pointer is.
  const QPoint at = event->position().toPoint();
  owner_.cnBut_MouseUp(index_, at.x(), at.y());
}

// ---- BorderedRect ----

BorderedRect::BorderedRect(QWidget* parent)
    : QWidget(parent),
      FillColor(kStripLaidOut),
      BorderColorTopLeft(kStripLaidOut),
      BorderColorBottomRight(kStripLaidOut) {}

void BorderedRect::paintEvent(QPaintEvent*) {
  QPainter g(this);
  const QRect r = rect();
  g.fillRect(r, FillColor);
  g.fillRect(QRect(r.left(), r.top(), r.width(), 1), BorderColorTopLeft);
  g.fillRect(QRect(r.left(), r.top(), 1, r.height()), BorderColorTopLeft);
  g.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), BorderColorBottomRight);
  g.fillRect(QRect(r.right(), r.top(), 1, r.height()), BorderColorBottomRight);
}

// ---- winMain: layout ----

winMain::winMain() {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint);
  setWindowTitle(kLaidOutTitle);
  setFocusPolicy(Qt::StrongFocus);

  content = new QWidget(this);
  setCentralWidget(content);
  // The window is as large as its content (plus an in-window menu bar) and cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  // Created in this order; the strip is then stacked above the buttons so that the row just
  // below the grid, which reaches into the strip, stays under it.
  rectBackgroundTip = new BorderedRect(content);
  for (int i = 0; i < kButtonCount; ++i) {
    auto* button = new PaletteButton(*this, i, content);
    button->setGeometry(kButtonSize * (i % 10), kButtonSize * (i / 10), kButtonSize, kButtonSize);
    cnBut[static_cast<size_t>(i)] = button;
  }
  labTip = stripLabel(content, kLaidOutTip, QApplication::font(), kTipColour);
  QFont shortcutFont = Fonts::named(QStringLiteral("Menlo"), 18, QFont::Monospace);
  shortcutFont.setBold(true);
  labSeeSC = stripLabel(content, kLaidOutMark, shortcutFont, kShortcutLabelColour);
  labSeeNum = stripLabel(content, kLaidOutMark, letterFont(), kNumberLabelColour);
  labSeeNum->installEventFilter(this);
  rectBackgroundTip->raise();
  labTip->raise();
  labSeeSC->raise();
  labSeeNum->raise();

  setContentSize(kMaxCells * kButtonSize, kMaxCells * kButtonSize + kStripHeight);

  MainMenuBar::showIn(*this);
  AddMenuHandlers();

  KM::paletteView = this;
  Event_Open();
}

winMain::~winMain() {
  if (KM::paletteView == this) KM::paletteView = nullptr;
}

void winMain::setContentSize(int width, int height) {
  content->setFixedSize(width, height);
  const int stripTop = height - kStripHeight;
  rectBackgroundTip->setGeometry(width - kStripRectWidth, stripTop, kStripRectWidth, kStripHeight);
  labSeeNum->setGeometry(0, stripTop, kNumberLabelWidth, kStripHeight);
  // With one column the tip has no room left.
  labTip->setGeometry(kNumberLabelWidth, stripTop,
                      std::max(0, width - kNumberLabelWidth - kShortcutLabelWidth), kStripHeight);
  labSeeSC->setGeometry(width - kShortcutLabelWidth, stripTop, kShortcutLabelWidth, kStripHeight);
  layout()->activate();
}

QPoint winMain::contentOrigin() const {
  layout()->activate();
  return content->mapToGlobal(QPoint(0, 0));
}

void winMain::moveContentTo(qint64 top, qint64 left) {
  layout()->activate();
  const QPoint offset = content->pos();
  setGeometry(QRect(QPoint(static_cast<int>(left) - offset.x(), static_cast<int>(top) - offset.y()), size()));
}

qint64 winMain::Top() const { return contentOrigin().y(); }
qint64 winMain::Left() const { return contentOrigin().x(); }
qint64 winMain::Height() const { return content->height(); }
qint64 winMain::Width() const { return content->width(); }

void winMain::setPaletteTitle(const QString& title) { setWindowTitle(DisplayText::windowTitle(title)); }
void winMain::setTipText(const QString& text) { labTip->setText(DisplayText::shown(text)); }
void winMain::setNumberText(const QString& text) { labSeeNum->setText(text); }

// ---- winMain: redraw ----

void winMain::RedrawGrid() {
  guarded(ReportLocation::windowMethod(kWindow, "RedrawGrid"), [&] {
    const FolderItem folder = App::current().appSupportFolder.child(kPicturesFolder).child(KM::paleName);
    std::vector<qint64> numbers;
    QStringList paths;
    for (const QString& name : PictureFile::sortedFileNames(folder)) {
      const std::optional<int> n = PictureFile::paletteButtonNumber(name);
      if (!n) continue;
      numbers.push_back(*n);
      paths << folder.child(name).path();
    }
    // Only the top-left corner of a picture is ever drawn. The pictures are decoded while
    // the window takes its size, and are all in before this returns.
    PictureFile::CornerReader reader(paths, kButtonSize);

    // The size limits of the window: 1 to 10 rows and columns.
    const qint64 columns = std::clamp<qint64>(KM::numColumns, 1, kMaxCells);
    const qint64 rows = std::clamp<qint64>(KM::numRows, 1, kMaxCells);
    setContentSize(static_cast<int>(columns) * kButtonSize, static_cast<int>(rows) * kButtonSize + kStripHeight);

    // In file order, so that of two files for one button the later one shows.
    const std::vector<QImage> pictures = reader.take();
    hasPicture = numbers;
    for (size_t i = 0; i < numbers.size(); ++i)
      cnBut.at(static_cast<size_t>(numbers[i]))->setBackdrop(QPixmap::fromImage(pictures[i]));

    // Every button is painted afresh: one that got no picture now shows its number.
    for (size_t i = 0; i < kButtonCount; ++i) {
      cnBut[i]->setVisible(KM::aBtn->at(i).Vis);
      cnBut[i]->update();
    }
  });
}

void winMain::EraseAllPictures() {
  guarded(ReportLocation::windowMethod(kWindow, "EraseAllPictures"), [&] {
    // No button holds a picture any more, so each paints its number until the next redraw.
    hasPicture.clear();
    for (PaletteButton* button : cnBut) button->setBackdrop(BlankPic);
  });
}

void winMain::Print(const QString&) {
  guarded(ReportLocation::windowMethod(kWindow, "Print"), [] {});
}

QString winMain::rsRowColFromNum(qint64 n) {
  return guarded(ReportLocation::windowMethod(kWindow, "rsRowColFromNum"), [n] { return twoDigits(n); });
}

// ---- winMain: buttons ----

void winMain::cnBut_Paint(int index, QPainter& g) {
  guarded(kPaintAt, [&] {
    const PaletteButton& button = *cnBut.at(static_cast<size_t>(index));
    const qreal W = button.width(), H = button.height();

    if (std::find(hasPicture.begin(), hasPicture.end(), index) == hasPicture.end()) {
      g.setFont(numberFont());
      // Every button measures "01", so all numbers stand at the same place.
      const QSizeF measured = numberMeasure(W);
      const qreal tw = measured.width(), th = measured.height();
      g.setPen(kNumberColour);
      g.drawText(QPointF((W - tw) / 2, (H - th) / 2 + th), twoDigits(index));
    }

    const Btn& btn = KM::aBtn->at(static_cast<size_t>(index));
    if (btn.ShortcutShow && btn.Shortcut != KM::noneMark) {
      g.setFont(letterFont());
      g.fillRect(QRectF(W - kBadgeSize, H - kBadgeSize, kBadgeSize, kBadgeSize), kBadgeFill);
      g.setPen(kLetterColour);
      g.drawText(QPointF(W - 10, H - 3), btn.Shortcut);
    }
  });
}

void winMain::cnBut_MouseEnter(int index) {
  guarded(kEnterAt, [&] {
    labSeeNum->setText(KM::paleName + " " + twoDigits(index));
    const Btn& btn = KM::aBtn->at(static_cast<size_t>(index));
    setTipText(btn.Tip);
    labSeeSC->setText(btn.Shortcut);
  });
}

void winMain::cnBut_MouseExit(int) {
  guarded(kExitAt, [&] {
    setTipText(KM::paleAlias);
    labSeeNum->setText(KM::paleName);
    labSeeSC->setText(QString());
  });
}

bool winMain::cnBut_MouseDown(int, int, int) {
  return guarded(buttonLocation("MouseDown", "cnButSet", "MouseDown"), [] { return true; });
}

void winMain::cnBut_MouseUp(int index, int, int) {
  guarded(buttonLocation("MouseUp", "cnBut Set", "MouseUp"), [&] {
    // Only Option decides; Shift, Control and Command change nothing.
    if (!KeyModifiers::optionKey()) {
      x_FirePalette::FirePalette({KM::paleName, twoDigits(index)});
      return;
    }
    const Btn& btn = KM::aBtn->at(static_cast<size_t>(index));
    if (btn.Info.isEmpty() && btn.Tip.isEmpty()) {
      Dialogs::messageBox(kNoInformation);
      return;
    }
    KM::idxCurrentBtn = index;
    winShowText::instance().ShowModal();
  });
}

bool winMain::labSeeNum_MouseDown(int, int) {
  return guarded(ReportLocation::controlEvent(kWindow, "labSeeNum", "MouseDown"), [] { return true; });
}

void winMain::labSeeNum_MouseUp(int, int) {
  guarded(ReportLocation::controlEvent(kWindow, "labSeeNum", "MouseUp"), [&] {
    EraseAllPictures();
    RedrawGrid();
  });
}

bool winMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched != labSeeNum) return QMainWindow::eventFilter(watched, event);
  if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
    return QMainWindow::eventFilter(watched, event);
  auto* mouse = static_cast<QMouseEvent*>(event);
  const QPoint at = mouse->position().toPoint();
  if (event->type() == QEvent::MouseButtonPress) {
    if (!KeyModifiers::isClick(mouse->button(), mouse->modifiers())) return true;
    labSeeNumPressedButton_ = mouse->button();
    labSeeNumPressTaken_ = labSeeNum_MouseDown(at.x(), at.y());
  } else if (labSeeNumPressTaken_ && mouse->button() == labSeeNumPressedButton_) {
    labSeeNumPressTaken_ = false;
    labSeeNum_MouseUp(at.x(), at.y());
  }
  return true;
}

// ---- winMain: opening and closing ----

void winMain::Event_Open() {
  guarded(ReportLocation::windowEvent(kWindow, "Open"), [&] {
    FileTools::CreateFolderInAppSupport(kPicturesFolder);
    RedrawGrid();
    setPaletteTitle(KM::paleWinTitle);
    rectBackgroundTip->FillColor = kStripOpen;
    rectBackgroundTip->BorderColorTopLeft = kStripOpen;
    rectBackgroundTip->BorderColorBottomRight = kStripOpen;
    rectBackgroundTip->update();
    // Only the place is restored: the size always follows the palette's rows and columns,
    // which the Grid Construct window may have changed without a redraw before the save.
    if (WinScrn::IsWithinMainScreenTLBR(KM::initialWinTop, KM::initialWinLeft, KM::initialWinHeight,
                                        KM::initialWinWidth))
      moveContentTo(KM::initialWinTop, KM::initialWinLeft);
    setTipText(KM::paleAlias);
    labSeeNum->setText(KM::paleName);
  });
}

bool winMain::Event_Close() {
  return guarded(ReportLocation::windowEvent(kWindow, "Close"), [&] {
    if (!saveStateOrAsk()) return false;
    // From here the window is closing: the request the loop below sends it is harmless.
    closed_ = true;
    // Every window still open is asked to close, last first.
    QList<QPointer<QWidget>> windows;
    for (QWidget* window : QApplication::topLevelWidgets()) windows.append(window);
    for (qsizetype i = windows.size() - 1; i >= 0; --i) {
      QWidget* window = windows.at(i);
      if (window && window->isVisible()) window->close();
    }
    return true;
  }, true);
}

bool winMain::saveStateOrAsk() {
  const bool geometryChanged = Top() != KM::initialWinTop || Left() != KM::initialWinLeft ||
                               Height() != KM::initialWinHeight || Width() != KM::initialWinWidth;
  if (!KM::paletteContentChange && !KM::paletteActiveChange && !geometryChanged) return true;
  KM::SavePaletteToDP();
  const FolderItem folder = App::current().appSupportFolder;
  const FolderItem file = folder.isNull() ? FolderItem() : folder.child(KM::stateFileName);
  QString reason = kNoDataFolder;
  if (!file.isNull()) {
    // A state text that could not be built is never written over the stored one.
    const std::optional<QString> text = KM::JSON_CreateData();
    if (!text || text->isEmpty()) {
      reason = kNoStateText;
    } else {
      try {
        FileTools::writeWholeFile(file, *text, true);
        // The palette list on disk now agrees with the deletions made: their records go.
        MoveRecord::stateSaved();
        return true;
      } catch (const RuntimeException& error) {
        reason = error.message();
      }
    }
  }
  SystemLog::write(kSaveFailedLogLine.arg(reason));
  // The report windows close with everything else, so the user is asked here, before
  // anything is lost; keeping the program open is the default.
  const qint64 answer = GeneralMethods::MesDlg(
      kSaveFailed.arg(file.isNull() ? KM::stateFileName : file.path(), reason), kSaveFailedExplanation,
      kKeepOpen, false, kQuitWithoutSaving);
  return answer == 2;
}

void winMain::closeEvent(QCloseEvent* event) {
  // Once the state is handled a close always goes through, and saves once per run; a save
  // that failed may keep the window open at the user's choice.
  if (!closed_ && !Event_Close()) {
    event->ignore();
    return;
  }
  closed_ = true;
  event->accept();
}

// ---- winMain: shortcut keys ----

bool winMain::Event_KeyDown(const QString& key) {
  return guarded(ReportLocation::windowEvent(kWindow, "KeyDown"), [&] {
    const bool letter = std::any_of(KM::aAlphabetShortcut.begin(), KM::aAlphabetShortcut.end(),
                                    [&](const QString& a) { return a.compare(key, Qt::CaseInsensitive) == 0; });
    if (!letter) {
      Dialogs::beep();
      return true;
    }
    const QString sID = KM::sID_FromShortcut(key);
    if (sID.isEmpty()) {
      Dialogs::beep();
      return true;
    }
    if (sID.size() != 2 || !StringUtils::IsPosInteger(sID))
      throw OutOfBoundsException(QStringLiteral("The button number \"%1\" is not two digits.").arg(sID));
    const qint64 row = sID.at(0).digitValue();
    const qint64 column = sID.at(1).digitValue();
    if (row > KM::numRows - 1 || column > KM::numColumns - 1) {
      Dialogs::beep();
      return true;
    }
    // Visibility as the last redraw left it.
    if (cnBut.at(static_cast<size_t>(sID.toInt()))->isHidden()) {
      Dialogs::beep();
      return true;
    }
    x_FirePalette::FirePalette({KM::paleName, sID});
    return true;
  });
}

void winMain::keyPressEvent(QKeyEvent* event) {
  // A modifier pressed on its own is part of a key still to come.
  if (KeyModifiers::isModifierKey(event->key())) {
    QMainWindow::keyPressEvent(event);
    return;
  }
  if (Event_KeyDown(event->text()))
    event->accept();
  else
    QMainWindow::keyPressEvent(event);
}
