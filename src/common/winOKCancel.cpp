#include "common/winOKCancel.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <memory>

#include "app/App.h"
#include "common/Anchors.h"
#include "common/ErrorGuard.h"
#include "common/Fonts.h"
#include "common/GoldenRatioFit.h"

namespace {
const QString kTitle = QStringLiteral("OK or Cancel");
const QString kOK = QStringLiteral("OK");
const QString kCancel = QStringLiteral("Cancel");
const QString kMessagePlaceholder = QStringLiteral("Message");

const QString kWindow = QStringLiteral("winOKCancel");
const auto kOKAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbOK"), QStringLiteral("Action"));
const auto kCancelAction =
    ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));
const auto kCautionPaint =
    ReportLocation::controlEvent(kWindow, QStringLiteral("cnCaution"), QStringLiteral("Paint"));
const auto kAdjust = ReportLocation::windowMethod(kWindow, QStringLiteral("AdjustWindowSize"));
const auto kBestWidth = ReportLocation::windowMethod(kWindow, QStringLiteral("BestWidth"));
const auto kClose = ReportLocation::windowEvent(kWindow, QStringLiteral("Close"));
const auto kAsk = ReportLocation::moduleMethod(QStringLiteral("RtrnBoolean"), QStringLiteral("rbOKCancel"));

constexpr GoldenRatioFit::Allowance kAllowance{115, 1.1};
constexpr int kIconSize = 48;
}  // namespace

winOKCancel::winOKCancel() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMaximizeButtonHint);
  setModal(true);
  setWindowTitle(kTitle);
  setMinimumSize(200, 125);
  setMaximumSize(800, 500);
  resize(400, 250);

  pbOK = new QPushButton(kOK, this);
  pbOK->setGeometry(311, 210, 69, 20);
  pbCancel = new QPushButton(kCancel, this);
  pbCancel->setGeometry(230, 210, 69, 20);
  for (QPushButton* pb : {pbOK, pbCancel}) {
    pb->setFont(Fonts::system(12));
    pb->setAutoDefault(false);
    pb->setDefault(false);
    anchorToEdges(pb, Qt::RightEdge | Qt::BottomEdge);
  }

  labMessage = new QLabel(kMessagePlaceholder, this);
  labMessage->setGeometry(90, 20, 285, 170);
  labMessage->setWordWrap(true);
  labMessage->setTextFormat(Qt::PlainText);
  labMessage->setTextInteractionFlags(Qt::NoTextInteraction);
  labMessage->setFont(Fonts::system(13, true));
  labMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  labMessage->setAutoFillBackground(true);
  QPalette pal = labMessage->palette();
  pal.setColor(QPalette::WindowText, Qt::black);
  labMessage->setPalette(pal);
  anchorToEdges(labMessage, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);

  cnCaution = new QWidget(this);
  cnCaution->setGeometry(20, 20, 55, 49);
  cnCaution->setFocusPolicy(Qt::NoFocus);
  cnCaution->installEventFilter(this);

  setTabOrder(pbOK, pbCancel);
  connect(pbOK, &QPushButton::clicked, this, &winOKCancel::pbOK_Action);
  connect(pbCancel, &QPushButton::clicked, this, &winOKCancel::pbCancel_Action);
}

void winOKCancel::pbOK_Action() {
  guarded(kOKAction, [&] {
    App::current().fGlobalBoolean = true;
    answered_ = true;
    close();
  });
}

void winOKCancel::pbCancel_Action() {
  guarded(kCancelAction, [&] {
    App::current().fGlobalBoolean = false;
    answered_ = true;
    close();
  });
}

void winOKCancel::closeEvent(QCloseEvent* event) {
  // A close that no button gave (a window manager's) must not leave an earlier OK standing.
  if (!answered_) {
    answered_ = true;
    guarded(kClose, [] { App::current().fGlobalBoolean = false; });
  }
  ModalWindow::closeEvent(event);
}

bool winOKCancel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cnCaution && event->type() == QEvent::Paint) {
    QPainter g(cnCaution);
    cnCaution_Paint(g);
    return true;
  }
  return ModalWindow::eventFilter(watched, event);
}

void winOKCancel::cnCaution_Paint(QPainter& g) {
  guardedOops(kCautionPaint, [&] {
    const QIcon caution = style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this);
    g.drawPixmap(0, 0, caution.pixmap(kIconSize, kIconSize));
  }, colonLogLine(kCautionPaint));
}

qint64 winOKCancel::BestWidth() {
  return guarded(kBestWidth, [&] {
    return GoldenRatioFit::bestWidth(GoldenRatioFit::measureInHelvetica14(labMessage->text()), kAllowance);
  });
}

void winOKCancel::AdjustWindowSize() {
  guarded(kAdjust, [&] {
    GoldenRatioFit::fitWindow(*this, BestWidth());
  });
}

namespace RtrnBoolean {

bool rbOKCancel(const QString& message, qint64 defaultButton, const QString& title) {
  return guarded(kAsk, [&] {
    auto window = std::make_unique<winOKCancel>();
    window->labMessage->setText(message);
    window->setWindowTitle(title);
    if (defaultButton == 1) window->pbOK->setDefault(true);
    else if (defaultButton == 2) window->pbCancel->setDefault(true);
    window->AdjustWindowSize();
    ModalSeam::run(*window);
    const bool answer = App::current().fGlobalBoolean;
    window->close();
    return answer;
  });
}

}  // namespace RtrnBoolean
