#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include "common/ErrorHandling.h"
#include "common/GeneralMethods.h"
#include "common/ModalSeam.h"
#include "common/RuntimeException.h"
#include "common/winReportError.h"
#include "platform/Dialogs.h"
#include "support/TestEnvironment.h"

namespace {

const QString kMarkup = QStringLiteral("found with the alias: A<b>x</b> & <i>y</i>");

// The labels of a message box that show text, each as it renders: plain text keeps every
// character, markup would drop the tags.
QStringList shownTexts(const QWidget& box) {
  QStringList out;
  for (const QLabel* label : box.findChildren<QLabel*>())
    if (!label->text().isEmpty() && label->textFormat() == Qt::PlainText) out << label->text();
  return out;
}

}  // namespace

using PlainTextsTest = TavelinTest;

TEST_F(PlainTextsTest, MessagesAndReportsShowUserTextsAsWritten) {
  // The real message box, answered once it is up.
  Dialogs::setMessageBoxHandler({});
  QStringList boxTexts;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    boxTexts = shownTexts(*box);
    box->accept();
  });
  Dialogs::messageBox(kMarkup);
  EXPECT_EQ(boxTexts, QStringList{kMarkup});

  QStringList dialogTexts;
  ModalSeam::ScopedDriver<QMessageBox> driver([&](QMessageBox& box) {
    dialogTexts = shownTexts(box);
    box.buttons().first()->click();
  });
  GeneralMethods::MesDlg(kMarkup, "<b>/tmp/P05</b>", "OK", false, {});
  std::sort(dialogTexts.begin(), dialogTexts.end());
  EXPECT_EQ(dialogTexts, (QStringList{"<b>/tmp/P05</b>", kMarkup}));

  ErrorHandling::HandleException(IOException(kMarkup), "KM.IndexFromAlias");
  winReportError* report = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<winReportError*>(w); r && r->isVisible()) report = r;
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(report->labMessage->textFormat(), Qt::PlainText);
  EXPECT_TRUE(report->labMessage->text().endsWith("ERROR MESSAGE: " + kMarkup));
}
