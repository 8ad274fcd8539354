#include "common/winReportError.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QGridLayout>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "common/ErrorHandling.h"
#include "common/ReportLocation.h"
#include "platform/Dialogs.h"
#include "platform/SystemLog.h"

namespace {
const QString kTitle = QStringLiteral("Oops! Error Message");
const QString kPlaceholder = QStringLiteral("The error message");

// A failure while a failed construction is being reported would nest without end.
bool reportingConstructorFailure = false;

quint64 reportsRaised = 0;
}  // namespace

std::function<void()>& winReportError::constructionProbe() {
  static std::function<void()> probe;
  return probe;
}

quint64 winReportError::raisedSoFar() { return reportsRaised; }

winReportError::winReportError(const QString& reportText) : QWidget(nullptr), serial_(++reportsRaised) {
  try {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setWindowTitle(kTitle);
    setMinimumSize(200, 100);
    setMaximumSize(600, 600);
    resize(424, 200);

    labMessage = new QLabel(kPlaceholder, this);
    labMessage->setWordWrap(true);
    // The report quotes error messages, paths and aliases: shown as written, never as markup.
    labMessage->setTextFormat(Qt::PlainText);
    labMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    labMessage->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    labMessage->setAutoFillBackground(true);
    QPalette pal = labMessage->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    labMessage->setPalette(pal);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(labMessage, 0, 0);

    if (constructionProbe()) constructionProbe()();
    labMessage->setText(reportText);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect area = screen->availableGeometry();
      move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // Raised inside a modal window, the report belongs to that window: it stands above it and
    // takes input at once. It does not close with it, so the report outlives the failed step.
    if (const QWidget* modal = QApplication::activeModalWidget()) {
      winId();
      windowHandle()->setTransientParent(modal->window()->windowHandle());
    }
    show();
    raise();
  } catch (const std::exception& error) {
    const auto location = ReportLocation::custom(
        QStringLiteral("winReportError.Constructor"),
        {QStringLiteral("WINDOW: winReportError"), QStringLiteral("METHOD: Constructor"),
         "TYPE: " + RuntimeExceptionExtension::Type(error),
         "ERROR CODE: " + QString::number(ErrorHandling::ErrorNumber(error)),
         "ERROR MESSAGE: " + ErrorHandling::ErrorMessage(error)});
    if (reportingConstructorFailure) {
      Dialogs::messageBox(QStringLiteral("HandleException Error"));
    } else {
      reportingConstructorFailure = true;
      ErrorHandling::HandleException(error, location.text());
      reportingConstructorFailure = false;
    }
    SystemLog::write(location.logLine());
  }
}

namespace {

// The window manager gives the focus to a window it has just mapped, after anything asked
// before it: the reports take the focus back once the modal window has first become active.
class ActivateOnceActive : public QObject {
 public:
  ActivateOnceActive(QWidget& modal, QList<QPointer<winReportError>> reports)
      : QObject(&modal), reports_(std::move(reports)) {
    modal.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowActivate) {
      watched->removeEventFilter(this);
      // After the activation has been handled, so that the last word is the reports'.
      QTimer::singleShot(0, [reports = reports_] {
        for (const QPointer<winReportError>& report : reports) {
          if (!report) continue;
          report->raise();
          report->activateWindow();
        }
      });
      deleteLater();
    }
    return false;
  }

 private:
  QList<QPointer<winReportError>> reports_;
};

}  // namespace

void winReportError::keepAbove(QWidget& modal, quint64 raisedBefore) {
  modal.winId();
  QList<QPointer<winReportError>> kept;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* report = qobject_cast<winReportError*>(widget);
    // One raised inside a window that opened this one during the preparation belongs here too.
    if (!report || !report->isVisible() || report->serial_ <= raisedBefore) continue;
    report->windowHandle()->setTransientParent(modal.windowHandle());
    kept << report;
    // Once the modal window stands, the report goes on top of it.
    QTimer::singleShot(0, report, [report] {
      report->raise();
      report->activateWindow();
    });
  }
  if (!kept.isEmpty()) new ActivateOnceActive(modal, std::move(kept));
}
