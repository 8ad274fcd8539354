#include "pictures/winButtonPics.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

#include "app/App.h"
#include "common/Anchors.h"
#include "common/Controls.h"
#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/HelpButton.h"
#include "common/PictureFile.h"
#include "common/QuitRequest.h"
#include "common/RuntimeException.h"
#include "help/HelpData.h"
#include "pictures/ButtonPictureRules.h"
#include "platform/Dialogs.h"
#include "platform/KeyModifiers.h"
#include "platform/UserFolders.h"
#include "store/KM.h"

namespace {

// Texts the user sees.
const QString kLaidOutTitle = QStringLiteral("Button Pictures");
const QString kTitlePrefix = QStringLiteral("Button Pictures: ");
const QString kDone = QStringLiteral("Done");
const QString kReviewPicture = QStringLiteral("Review Picture");
const QString kRemove = QStringLiteral("Remove");
const QString kRemoveTip = QStringLiteral("The picture will be moved to the Desktop for potential future use.");
const QString kSelectPicToAdd = QStringLiteral("Select Picture To Add");
const QString kPictureName = QStringLiteral("Picture Name");
const QString kPID = QStringLiteral("PID");
const QString kAdd = QStringLiteral("Add");
const QString kCancel = QStringLiteral("Cancel");
const QString kHt = QStringLiteral("Ht");
const QString kWth = QStringLiteral("Wth");
const QString kPName = QStringLiteral("P_Name");
const QString kAlias = QStringLiteral("Alias");

const QString kNotTwoDigits = QStringLiteral("The file name is supposed to start with two digits. File: %1 is moved to Desktop.");
const QString kNotAPicture = QStringLiteral("The file is supposed to be a picture. File: %1 is moved to Desktop.");
const QString kTooWide = QStringLiteral("The file is supposed to be an ~ 64 pixel picture. File: %1 is too wide and is moved to Desktop.");
const QString kTooTall = QStringLiteral("The file is supposed to be an ~ 64 pixel picture. File: %1 is too tall and is moved to Desktop.");
const QString kAlreadyAPicture = QStringLiteral("There is already a picture for %1 File: %2 moved to Desktop.");
const QString kNameNotText = QStringLiteral("The file name is supposed to be text (UTF-8). File: %1 is left in the picture folder.");

const QString kPicturesFolder = QStringLiteral("ButtonPictures");
const QString kFirstPaletteFolder = QStringLiteral("P00");
constexpr qint64 kHelpId = 6;

const QColor kReviewKeyColour(0x04, 0x32, 0xFF);
const QColor kAddKeyColour(0x93, 0x51, 0x00);
const QColor kSizeCaptionColour(0x79, 0x79, 0x79);
const QColor kLineFill(0x92, 0x92, 0x92);
const QColor kLineTopLeft(0xD5, 0xD5, 0xD5);
const QColor kLineBottomRight(0x42, 0x42, 0x42);

const QString kWindow = QStringLiteral("winButtonPics");
const auto kOpenAt = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kPrepareAt = ReportLocation::windowMethod(kWindow, QStringLiteral("PrepareWindow"));
const auto kCellClickAt = ReportLocation::controlEvent(kWindow, QStringLiteral("lbButPic"), QStringLiteral("CellClick"));
const auto kDoneAt = ReportLocation::controlEvent(kWindow, QStringLiteral("pbDone"), QStringLiteral("Action"));
const auto kHelpAt = ReportLocation::controlEvent(kWindow, QStringLiteral("pbHelpButGraphics"), QStringLiteral("Action"));
const auto kValidNameAt = ReportLocation::windowMethod(kWindow, QStringLiteral("rfValidFileName"));

QPointer<winButtonPics> shared;

QLabel* keyLabel(QWidget* parent, const QString& text, const QRect& at, const QColor& c) {
  QLabel* label = plainLabel(parent, text, at, c);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

QLabel* sizeCaption(QWidget* parent, const QString& text, const QRect& at) {
  QLabel* label = plainLabel(parent, text, at, kSizeCaptionColour, Qt::AlignRight);
  label->hide();
  return label;
}

QPushButton* newButton(QWidget* parent, const QString& text, const QRect& at, bool enabled) {
  QPushButton* button = pushButton(parent, text, at);
  button->setEnabled(enabled);
  return button;
}

// The message for the first rule the file breaks, or the empty text when it keeps them all.
QString ruleBroken(const FolderItem& file) {
  const QString name = file.name();
  if (!ButtonPictureRules::startsWithTwoDigits(name)) return kNotTwoDigits.arg(name);
  const ButtonPictureRules::Opened picture = ButtonPictureRules::open(file);
  if (!picture.isPicture) return kNotAPicture.arg(name);
  switch (ButtonPictureRules::sizeFault(picture.size)) {
    case ButtonPictureRules::SizeFault::Width:
      return kTooWide.arg(name);
    case ButtonPictureRules::SizeFault::Height:
      return kTooTall.arg(name);
    case ButtonPictureRules::SizeFault::None:
      break;
  }
  return {};
}

const auto kMoveAt = ReportLocation::moduleMethod(QStringLiteral("FileTools"), QStringLiteral("MoveRenameIfNecessary"));

// Moves a file that breaks the rules to the Desktop, made when missing: a Linux account need
// not have one. A Desktop that cannot be made or named fails the move, which says why; the
// file stays and the check goes on.
void moveToDesktop(const FolderItem& item) {
  guarded(kMoveAt, [&] {
    const FolderItem desktop = UserFolders::desktop();
    try {
      desktop.createFolders();
    } catch (const IOException&) {
    }
    FileTools::MoveRenameIfNecessary(item, desktop);
  });
}

}  // namespace

// ---- Instance and layout ----

void winButtonPics::OpenModal() {
  // A quit asked for during the opening's folder check has closed every window; this one,
  // not shown yet, goes with them.
  const QuitRequest::Watch watch;
  winButtonPics& window = instance();
  if (watch.quitAsked()) {
    window.discard();
    return;
  }
  window.ShowModal();
}

winButtonPics& winButtonPics::instance() {
  if (!shared) {
    shared = new winButtonPics();
    shared->Event_Open();
  }
  return *shared;
}

void winButtonPics::ShowModal() {
  ModalSeam::run(*this);
  discard();
}

// The instance ends with its window; the next opening starts from the layout again.
void winButtonPics::discard() {
  if (shared == this) shared = nullptr;
  deleteLater();
}

winButtonPics::winButtonPics() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMinimizeButtonHint);
  setModal(true);
  setWindowTitle(kLaidOutTitle);
  setMinimumSize(600, 400);
  setMaximumSize(1000, 1000);
  resize(600, 400);

  pbDone = newButton(this, kDone, {500, 360, 80, 20}, true);
  lbButPic = new QListWidget(this);
  lbButPic->setGeometry(20, 20, 300, 360);
  lbButPic->setSelectionMode(QAbstractItemView::SingleSelection);
  lbButPic->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  lbButPic->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbButPic->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lbButPic->viewport()->installEventFilter(this);
  labSelect = plainLabel(this, kReviewPicture, {366, 30, 214, 20});
  cnShow = new PictureCanvas(this);
  cnShow->setGeometry(335, 60, 64, 64);
  pbToDesktop = newButton(this, kRemove, {332, 138, 160, 20}, false);
  pbToDesktop->setToolTip(kRemoveTip);
  labID = keyLabel(this, QString(), {332, 30, 20, 20}, kReviewKeyColour);
  rectLine = new BorderedRect(this);
  rectLine->setGeometry(332, 170, 248, 3);
  rectLine->FillColor = kLineFill;
  rectLine->BorderColorTopLeft = kLineTopLeft;
  rectLine->BorderColorBottomRight = kLineBottomRight;
  pbSelectPicToAdd = newButton(this, kSelectPicToAdd, {332, 185, 160, 20}, true);
  labPicToAdd = plainLabel(this, kPictureName, {366, 217, 214, 20});
  cnShowPicAdd = new PictureCanvas(this);
  cnShowPicAdd->setGeometry(335, 250, 64, 64);
  labID_Add = keyLabel(this, kPID, {332, 217, 20, 20}, kAddKeyColour);
  pbAdd = newButton(this, kAdd, {504, 325, 80, 20}, false);
  pbCancelAdd = newButton(this, kCancel, {408, 325, 80, 20}, false);
  labRevHt = sizeCaption(this, kHt, {410, 60, 25, 20});
  labRevHtValue = plainLabel(this, QString(), {445, 60, 40, 20});
  labRevWth = sizeCaption(this, kWth, {410, 80, 25, 20});
  labRevWthValue = plainLabel(this, QString(), {445, 80, 40, 20});
  labAddHt = sizeCaption(this, kHt, {410, 250, 25, 20});
  labAddHtValue = plainLabel(this, QString(), {445, 250, 40, 20});
  labAddWth = sizeCaption(this, kWth, {410, 270, 25, 20});
  labAddWthValue = plainLabel(this, QString(), {445, 270, 40, 20});
  labCurrentName = plainLabel(this, kPName, {335, 0, 40, 20});
  labCurrentName->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  labCurrentAlias = plainLabel(this, kAlias, {387, 0, 139, 20});
  pbHelpButGraphics = makeHelpButton(this, {565, 10, 25, 25});

  anchorToEdges(pbDone, Qt::RightEdge | Qt::BottomEdge);
  anchorToEdges(lbButPic, Qt::LeftEdge | Qt::TopEdge | Qt::BottomEdge);
  anchorToEdges(rectLine, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);

  setTabOrder(pbDone, lbButPic);
  setTabOrder(lbButPic, pbToDesktop);
  setTabOrder(pbToDesktop, pbSelectPicToAdd);
  setTabOrder(pbSelectPicToAdd, pbAdd);
  setTabOrder(pbAdd, pbCancelAdd);
  setTabOrder(pbCancelAdd, pbHelpButGraphics);
  clearDefaultButtons(*this);

  connect(pbDone, &QPushButton::clicked, this, &winButtonPics::pbDone_Action);
  connect(pbHelpButGraphics, &QPushButton::clicked, this, &winButtonPics::pbHelpButGraphics_Action);
  connect(pbSelectPicToAdd, &QPushButton::clicked, this, &winButtonPics::pbSelectPicToAdd_Action);
  connect(pbAdd, &QPushButton::clicked, this, &winButtonPics::pbAdd_Action);
  connect(pbCancelAdd, &QPushButton::clicked, this, &winButtonPics::pbCancelAdd_Action);
  connect(pbToDesktop, &QPushButton::clicked, this, &winButtonPics::pbToDesktop_Action);
}

winButtonPics::~winButtonPics() = default;

// A press on a row is the list's cell click; the list then selects the row as usual.
bool winButtonPics::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbButPic->viewport() && event->type() == QEvent::MouseButtonPress) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    const QModelIndex index = lbButPic->indexAt(at);
    if (index.isValid()) {
      const QRect cell = lbButPic->visualRect(index);
      return lbButPic_CellClick(index.row(), index.column(), at.x() - cell.x(), at.y() - cell.y());
    }
  }
  return ModalWindow::eventFilter(watched, event);
}

// ---- Opening and the folder check ----

void winButtonPics::Event_Open() {
  guarded(kOpenAt, [&] {
    diFile.clear();
    const FolderItem pictures = FileTools::CreateFolderInAppSupport(kPicturesFolder);
    const FolderItem first = pictures.child(kFirstPaletteFolder);
    if (!first.exists()) first.createFolder();
    labCurrentName->setText(DisplayText::shown(KM::paleName));
    labCurrentAlias->setText(DisplayText::shown(KM::paleAlias));
    const FolderItem folder = pictures.child(KM::paleName);
    if (folder.isNull()) throw MissingObjectException(QStringLiteral("%1 cannot name a picture folder.").arg(KM::paleName));
    fiFolderPictureForPalette = folder;
    if (!folder.exists()) folder.createFolder();
    labPicToAdd->clear();
    labID_Add->clear();
    setWindowTitle(DisplayText::windowTitle(kTitlePrefix + KM::paleWinTitle));
    PrepareWindow();
  });
}

void winButtonPics::PrepareWindow() {
  guarded(kPrepareAt, [&] {
    const QuitRequest::Watch watch;
    if (validationPass(watch) && duplicatePass(watch)) listFill();
  });
}

// Each pass takes the folder's listing once, in name order; an item gone meanwhile is
// skipped. Every message is seen before its file moves. A quit dismisses the message on
// show, so once one has been asked for the check stops and nothing more moves: false.
bool winButtonPics::validationPass(const QuitRequest::Watch& watch) {
  // Names the program cannot hold as text are named, and left alone.
  QList<QByteArray> untextual = fiFolderPictureForPalette.untextualChildNames();
  std::sort(untextual.begin(), untextual.end());
  for (const QByteArray& raw : untextual) {
    if (raw.startsWith('.')) continue;
    Dialogs::messageBox(kNameNotText.arg(FolderItem::shownName(raw)));
    if (watch.quitAsked()) return false;
  }
  for (const FolderItem& item : ButtonPictureRules::sortedEntries(fiFolderPictureForPalette)) {
    if (!item.entryStands() || item.isFolder()) continue;
    if (item.name().startsWith(QLatin1Char('.'))) continue;
    const QString broken = ruleBroken(item);
    if (broken.isEmpty()) continue;
    Dialogs::messageBox(broken);
    if (watch.quitAsked()) return false;
    moveToDesktop(item);
  }
  return true;
}

bool winButtonPics::duplicatePass(const QuitRequest::Watch& watch) {
  diFile.clear();
  for (const FolderItem& item : ButtonPictureRules::sortedEntries(fiFolderPictureForPalette)) {
    if (!item.entryStands()) continue;
    const QString name = item.name();
    const QString key = ButtonPictureRules::pictureKey(name);
    if (diFile.contains(ButtonPictureRules::caseFreeKey(key))) {
      Dialogs::messageBox(kAlreadyAPicture.arg(key, name));
      if (watch.quitAsked()) return false;
      moveToDesktop(item);
    } else {
      diFile.insert(ButtonPictureRules::caseFreeKey(key), item);
    }
  }
  return true;
}

void winButtonPics::listFill() {
  lbButPic->clear();
  for (const QString& name : PictureFile::sortedFileNames(fiFolderPictureForPalette)) lbButPic->addItem(name);
}

FolderItem winButtonPics::fileForKey(const QString& key) const { return diFile.value(ButtonPictureRules::caseFreeKey(key)); }

// ---- Review, Done, help ----

bool winButtonPics::lbButPic_CellClick(int row, int, int, int) {
  guarded(kCellClickAt, [&] {
    if (pbCancelAdd->isEnabled()) return;
    const QListWidgetItem* clicked = lbButPic->item(row);
    if (!clicked) throw OutOfBoundsException(QStringLiteral("The list has no row %1.").arg(row));
    const QString name = clicked->text();
    labSelect->setText(name);
    labID->setText(ButtonPictureRules::pictureKey(name));
    // The row's own file, by its name: where a second file for the button could not be
    // moved away, its key stands for the other one.
    const FolderItem file = fiFolderPictureForPalette.child(name);
    if (file.isNull() || !file.entryStands())
      throw MissingObjectException(QStringLiteral("The picture file %1 is not there.").arg(name));
    const ButtonPictureRules::Opened picture = ButtonPictureRules::open(file);
    labRevHt->show();
    labRevWth->show();
    if (!picture.isPicture) throw IOException(QStringLiteral("%1 no longer opens as a picture.").arg(name));
    labRevHtValue->setText(QString::number(picture.size.height()));
    labRevWthValue->setText(QString::number(picture.size.width()));
    cnShow->setBackdrop(QPixmap::fromImage(picture.image));
    reviewedName_ = name;
    pbToDesktop->setEnabled(true);
  });
  return false;
}

void winButtonPics::pbDone_Action() {
  guarded(kDoneAt, [&] {
    if (PaletteView* view = KM::paletteView) KM::RedrawPalette(*view);
    close();
  });
}

void winButtonPics::pbHelpButGraphics_Action() {
  guarded(kHelpAt, [&] {
    if (KeyModifiers::controlKey()) return;
    HelpData::ShowHelp(kHelpId);
  });
}

bool winButtonPics::rfValidFileName(const QString& name) {
  return guarded(kValidNameAt, [&] {
    if (!ButtonPictureRules::startsWithTwoDigits(name)) return false;
    const FolderItem file = App::current().appSupportFolder.child(kPicturesFolder).child(KM::paleName).child(name);
    if (file.isNull() || !file.exists()) return false;
    const ButtonPictureRules::Opened picture = ButtonPictureRules::open(file);
    return picture.isPicture && ButtonPictureRules::sizeFault(picture.size) == ButtonPictureRules::SizeFault::None;
  });
}

// ---- Clearing the review ----

// A current row keeps a frame that reads as chosen, so the current index goes with the
// selection.
void winButtonPics::clearReview() {
  lbButPic->selectionModel()->clear();
  pbToDesktop->setEnabled(false);
  labID->clear();
  labSelect->clear();
  cnShow->setBackdrop(BlankPic);
  reviewedName_.clear();
}
