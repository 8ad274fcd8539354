#include "help/winHelp.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <cmath>

#include "common/ErrorGuard.h"
#include "common/GoldenRatioFit.h"
#include "palette/MainMenuBar.h"
#include "platform/Screen.h"

namespace {
const QString kWindow = QStringLiteral("winHelp");
const QString kLaidOutTitle = QStringLiteral("Show HTML Help");
const QString kDoneCaption = QStringLiteral("Done");

// Gains in height of at most this many pixels do not justify a wider window.
constexpr int kWorthwhileGain = 80;

// Qt's rich-text parser hangs white space that follows a closed paragraph on that paragraph,
// and a heading span after it along with it; a browser starts a new block there.
QString forRichTextViewer(const QString& html) {
  static const QRegularExpression afterParagraph(QStringLiteral("(</p>)\\s+(?=<)"),
                                                 QRegularExpression::CaseInsensitiveOption);
  return QString(html).replace(afterParagraph, QStringLiteral("\\1"));
}
}  // namespace

winHelp::winHelp() : QDialog(nullptr) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setWindowTitle(kLaidOutTitle);
  setMinimumSize(200, 200);
  setMaximumSize(1500, 3000);
  resize(414, 446);

  HV_Help = new QTextBrowser(this);
  HV_Help->setOpenLinks(false);
  // While this window is active the Edit menu acts on the shown page.
  for (const char* name : {"EditCut", "EditCopy", "EditPaste", "EditClear", "EditSelectAll"})
    MainMenuBar::shared().AddMenuHandler(this, name, [this, name] {
      return MainMenuBar::editCommand(HV_Help, QString::fromLatin1(name));
    });
  pbDone = new QPushButton(kDoneCaption, this);
  pbDone->setDefault(true);
  connect(pbDone, &QPushButton::clicked, this, [this] { pbDone_Action(); });
  resizeEvent(nullptr);

  Event_Open();
}

void winHelp::resizeEvent(QResizeEvent* event) {
  // The viewer keeps 20 pixels to the left, top and right and 47 to the bottom; Done keeps
  // its distance to the bottom right corner.
  HV_Help->setGeometry(20, 20, width() - 40, height() - 67);
  pbDone->setGeometry(width() - 100, height() - 35, 80, 20);
  if (event) QDialog::resizeEvent(event);
}

void winHelp::keyPressEvent(QKeyEvent* event) {
  // Done is the default button but no cancel button: Escape leaves the window open.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) return;
  QDialog::keyPressEvent(event);
}

void winHelp::Event_Open() {
  guarded(ReportLocation::windowEvent(kWindow, "Open"), [&] { AdjustWindowSize(contentHTML); });
}

void winHelp::pbDone_Action() {
  const auto location = ReportLocation::controlEvent(kWindow, "pbDone", "Action");
  guardedOops(location, [&] { close(); }, colonLogLine(location));
}

void winHelp::PrepareAndShowWindow(const QString& html, const QString& title) {
  bool shown = false;
  guardedOops(ReportLocation::windowMethod(kWindow, "PrepareAndShowWindow"), [&] {
    contentHTML = html;
    justTextHTML = RawTextFromHTML(contentHTML);
    AdjustWindowSize(justTextHTML);
    setWindowTitle(title);
    HV_Help->setHtml(forRichTextViewer(contentHTML));
    shown = true;
    exec();
  });
  // A window that could not be shown modally stays open as an ordinary one.
  if (!shown) show();
}

QString winHelp::RawTextFromHTML(const QString& html) {
  return guardedOops(ReportLocation::windowMethod(kWindow, "RawTextFromHTML"), [&] {
    static const QRegularExpression tag(QStringLiteral("<[^<>]+>"));
    static const QRegularExpression longRun(QStringLiteral("(\\s\\s)\\s"));
    QString text = html;
    text.replace(QStringLiteral("&nbsp"), QStringLiteral(" "), Qt::CaseInsensitive);
    text.replace(QStringLiteral("<br/>"), QStringLiteral("\n"), Qt::CaseInsensitive);
    text.replace(QStringLiteral("</p>"), QStringLiteral("\n"), Qt::CaseInsensitive);
    text.remove(tag);
    text = text.trimmed();
    // Runs of three or more white-space characters shrink to their first two.
    while (text.contains(longRun)) text.replace(longRun, QStringLiteral("\\1"));
    return text;
  });
}

std::array<int, 5> winHelp::WrappedHeights(const QString& text) {
  const GoldenRatioFit::TextHeight height = GoldenRatioFit::measureInHelvetica14(text);
  std::array<int, 5> heights{};
  for (size_t n = 0; n < kWrapWidths.size(); ++n) heights.at(n) = static_cast<int>(height(kWrapWidths.at(n)));
  return heights;
}

QSize winHelp::SizeForHeights(const std::array<int, 5>& heights) {
  // Each wider step is judged on its own; the last one that gains enough decides.
  size_t chosen = 0;
  for (size_t n = 1; n < heights.size(); ++n)
    if (heights.at(n - 1) - heights.at(n) > kWorthwhileGain) chosen = n;
  const int width = kWrapWidths.at(chosen) + 40;
  const double extra = chosen == 0 ? 180 : 216;
  return {width, static_cast<int>(std::floor(heights.at(chosen) * 1.2 + extra))};
}

void winHelp::AdjustWindowSize(const QString& text) {
  guardedOops(ReportLocation::windowMethod(kWindow, "AdjustWindowSize"), [&] {
    QSize size = SizeForHeights(WrappedHeights(text));
    const QRect area = Screen::mainAvailableArea();
    const int heightLimit = static_cast<int>(std::floor(area.height() * 0.8));
    const int widthLimit = static_cast<int>(std::floor(area.width() * 0.8));
    if (heightLimit < size.height()) size.setHeight(heightLimit);
    if (widthLimit < size.width()) size.setWidth(widthLimit);
    resize(size);
    // Top right of the main screen, below the title bar; measured from the area's own
    // left edge, so a main screen that does not start at 0 still gets the window.
    const int top = area.top() + 22;
    const int left = area.left() + area.width() - width() - 4;
    setGeometry(left, top, width(), height());
  });
}
