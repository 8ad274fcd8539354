#pragma once

#include <QDialog>
#include <QPushButton>
#include <QString>
#include <QTextBrowser>
#include <array>

// Shows one help page modally, sized to the amount of text and placed at the top right of
// the main screen. A new window for every request.
class winHelp : public QDialog {
  Q_OBJECT
 public:
  winHelp();

  // The page as handed over (HTML, line breaks as line feeds), and its plain text.
  QString contentHTML;
  QString justTextHTML;

  // Read-only but enabled, so a long page scrolls and its text can be selected and copied.
  QTextBrowser* HV_Help = nullptr;
  QPushButton* pbDone = nullptr;

  // Fills, sizes and shows the window modally; returns once it has been closed.
  void PrepareAndShowWindow(const QString& html, const QString& title);
  static QString RawTextFromHTML(const QString& html);
  void AdjustWindowSize(const QString& text);
  void Event_Open();
  void pbDone_Action();

  // The candidate wrap widths and the text's height wrapped at each, in Helvetica 14.
  static constexpr std::array<int, 5> kWrapWidths = {300, 400, 600, 800, 1000};
  static std::array<int, 5> WrappedHeights(const QString& text);
  // The window size for those heights, before the screen's limits.
  static QSize SizeForHeights(const std::array<int, 5>& heights);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};
