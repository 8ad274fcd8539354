#include "common/winShowText.h"

#include <QPointer>

#include "app/App.h"
#include "common/Anchors.h"
#include "common/ErrorGuard.h"
#include "common/GoldenRatioFit.h"
#include "common/RuntimeException.h"
#include "store/KM.h"

namespace {
const QString kTitleLayout = QStringLiteral("Button Information");
const QString kTitlePrefix = QStringLiteral("Button Information: ");
const QString kOK = QStringLiteral("OK");

const QString kWindow = QStringLiteral("winShowText");
const auto kTextOpen = ReportLocation::custom(
    QStringLiteral("winShowText.taShow.Open"),
    {QStringLiteral("WINDOW: winShowText"), QStringLiteral("CONTROL: taShow"), QStringLiteral("EVENT: Opening")});
const auto kOpen = ReportLocation::custom(QStringLiteral("winShowText.Open"),
                                          {QStringLiteral("WINDOW: winShowText"), QStringLiteral("EVENT NAME: Opening")});
const QString kOpenLogLine = QStringLiteral("Exception: winShowText: Opening");
const auto kOKAction = ReportLocation::custom(
    QStringLiteral("winShowText.pbOK.Action"),
    {QStringLiteral("WINDOW: winShowText"), QStringLiteral("CONTROL: pbOK"), QStringLiteral("EVENT: Pressed")});
const auto kAdjust = ReportLocation::windowMethod(kWindow, QStringLiteral("AdjustWindowSize"));
const auto kBestWidth = ReportLocation::windowMethod(kWindow, QStringLiteral("BestWidth"));

constexpr GoldenRatioFit::Allowance kAllowance{45, 1.03};

QPointer<winShowText> shared;
}  // namespace

winShowText& winShowText::instance() {
  if (!shared) {
    shared = new winShowText();
    shared->taShow_Open();
    shared->Event_Open();
  }
  return *shared;
}

winShowText::winShowText() : ModalWindow(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowMaximizeButtonHint);
  setModal(true);
  setWindowTitle(kTitleLayout);
  setMinimumSize(400, 250);
  setMaximumSize(600, 600);
  resize(400, 250);

  taShow = new QTextEdit(this);
  taShow->setGeometry(20, 20, 360, 175);
  taShow->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  taShow->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  taShow->setLineWrapMode(QTextEdit::WidgetWidth);
  // Read-only but enabled, so that a long text can still be scrolled and selected.
  taShow->setReadOnly(true);
  taShow->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  taShow->setTabChangesFocus(true);
  taShow->setAttribute(Qt::WA_MacShowFocusRect, false);
  QPalette pal = taShow->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  taShow->setPalette(pal);
  anchorToEdges(taShow, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge | Qt::BottomEdge);

  pbOK = new QPushButton(kOK, this);
  pbOK->setGeometry(300, 210, 80, 20);
  pbOK->setAutoDefault(false);
  pbOK->setDefault(false);
  anchorToEdges(pbOK, Qt::RightEdge | Qt::BottomEdge);

  setTabOrder(taShow, pbOK);
  connect(pbOK, &QPushButton::clicked, this, &winShowText::pbOK_Action);
}

winShowText::~winShowText() = default;

void winShowText::ShowModal() {
  ModalSeam::run(*this);
  // The instance ends with its window; the next request opens a new one.
  if (shared == this) shared = nullptr;
  deleteLater();
}

void winShowText::taShow_Open() {
  guardedOops(kTextOpen, [&] { taShow->setPlainText(App::current().sGlobalMessage); }, colonLogLine(kTextOpen));
}

void winShowText::Event_Open() {
  guardedOops(kOpen, [&] {
    setWindowTitle(kTitlePrefix + KM::paleName + QLatin1Char(' ') +
                   QStringLiteral("%1").arg(KM::idxCurrentBtn, 2, 10, QLatin1Char('0')));
    const auto& buttons = *KM::aBtn;
    if (KM::idxCurrentBtn < 0 || KM::idxCurrentBtn >= static_cast<qint64>(buttons.size()))
      throw OutOfBoundsException(QStringLiteral("No button %1 in the current palette.").arg(KM::idxCurrentBtn));
    const Btn& button = buttons[static_cast<size_t>(KM::idxCurrentBtn)];
    taShow->setPlainText(button.Info.isEmpty() ? button.Tip : button.Info);
  }, kOpenLogLine);
}

void winShowText::pbOK_Action() {
  guardedOops(kOKAction, [&] { close(); }, colonLogLine(kOKAction));
}

qint64 winShowText::BestWidth() {
  return guarded(kBestWidth, [&] {
    return GoldenRatioFit::bestWidth(GoldenRatioFit::measureInHelvetica14(taShow->toPlainText()), kAllowance);
  });
}

void winShowText::AdjustWindowSize() {
  guarded(kAdjust, [&] {
    GoldenRatioFit::fitWindow(*this, BestWidth());
  });
}
