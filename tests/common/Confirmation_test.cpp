#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <map>

#include "app/App.h"
#include "common/GeneralMethods.h"
#include "common/GoldenRatioFit.h"
#include "common/winOKCancel.h"
#include "platform/Screen.h"
#include "support/TestEnvironment.h"

namespace {

const QString kDeleteQuestion = QStringLiteral(
    "Are you sure that you want to delete a palette? Understand that you may want to remove some Keyboard "
    "Maestro macro that is associated with it.");

// A text measure given as heights from a wrap width on.
GoldenRatioFit::TextHeight stepped(std::map<qint64, double> fromWidth) {
  return [fromWidth](qint64 wrap) { return std::prev(fromWidth.upper_bound(wrap))->second; };
}

void press(QWidget& window, Qt::Key key) {
  QWidget* target = window.focusWidget() ? window.focusWidget() : &window;
  QTest::keyClick(target, key);
}

class ConfirmationTest : public TavelinTest {
 protected:
  void TearDown() override {
    Screen::setMainAvailableArea(std::nullopt);
    TavelinTest::TearDown();
  }
};

}  // namespace

TEST_F(ConfirmationTest, GoldenRatioFitWorkedCases) {
  struct Case {
    const char* name;
    GoldenRatioFit::TextHeight measure;
    GoldenRatioFit::Allowance allowance;
    qint64 bestWidth;
    QSize window;
  };
  const GoldenRatioFit::Allowance confirm{115, 1.1}, info{45, 1.03};
  const Case cases[] = {
      {"one line", stepped({{150, 17}}), confirm, 265, {291, 164}},
      {"three lines narrow, widened", stepped({{150, 136}, {200, 102}, {250, 85}, {300, 68}, {400, 51}, {550, 34}}),
       confirm, 346, {346, 214}},
      {"widened and still below 300", stepped({{150, 62}, {200, 40}}), confirm, 291, {320, 180}},
      {"tie keeps the narrower", stepped({{150, 57}, {200, 87}}), confirm, 291, {320, 180}},
      {"information window margins", stepped({{150, 17}}), info, 195, {214, 121}},
      {"fractional heights are truncated", stepped({{150, 17.9}}), confirm, 265, {291, 164}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const qint64 w = GoldenRatioFit::bestWidth(c.measure, c.allowance);
    EXPECT_EQ(w, c.bestWidth);
    EXPECT_EQ(GoldenRatioFit::windowSize(w, {1440, 875}), c.window);
  }
  EXPECT_EQ(GoldenRatioFit::windowPlace({291, 164}, {1440, 875}), QPoint(574, 237));
  // A small screen caps the window at 0.8 of its area.
  EXPECT_EQ(GoldenRatioFit::windowSize(896, {800, 500}), QSize(640, 400));
  EXPECT_EQ(GoldenRatioFit::windowPlace({640, 400}, {800, 500}), QPoint(80, 33));
}

TEST_F(ConfirmationTest, QuestionWindowIsLaidOutSizedAndPlaced) {
  Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
  QString title, message;
  QSize size, minimum, maximum;
  QPoint place;
  Qt::WindowFlags flags;
  ModalSeam::ScopedDriver<winOKCancel> driver([&](winOKCancel& w) {
    title = w.windowTitle();
    message = w.labMessage->text();
    size = w.size();
    place = w.pos();
    minimum = w.minimumSize();
    maximum = w.maximumSize();
    flags = w.windowFlags();
    const QImage caution = w.cnCaution->grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < caution.height(); ++y)
      for (int x = 0; x < caution.width(); ++x) colours.insert(caution.pixel(x, y));
    EXPECT_GT(colours.size(), 2) << "no caution icon drawn";
    w.pbOK->click();
  });
  EXPECT_TRUE(RtrnBoolean::rbOKCancel(QStringLiteral("Sure?"), 2, QStringLiteral("OK or Cancel")));
  EXPECT_EQ(title, "OK or Cancel");
  EXPECT_EQ(message, "Sure?");
  // One line of text: the window of the one-line worked case, placed on the available area
  // without adding its own top.
  EXPECT_EQ(size, QSize(291, 164));
  EXPECT_EQ(place, QPoint(574, 237));
  EXPECT_EQ(minimum, QSize(200, 125));
  EXPECT_EQ(maximum, QSize(800, 500));
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(messages.isEmpty());

  // The delete question's text is long enough to be widened past the one-line size.
  ModalSeam::ScopedDriver<winOKCancel> sizeOnly([&](winOKCancel& w) {
    size = w.size();
    w.pbCancel->click();
  });
  EXPECT_FALSE(RtrnBoolean::rbOKCancel(kDeleteQuestion, 2, QStringLiteral("OK or Cancel")));
  EXPECT_GT(size.width(), 291);
}

TEST_F(ConfirmationTest, ReturnPressesOnlyTheChosenDefaultButton) {
  struct Case {
    qint64 defaultButton;
    bool answeredByReturn;
    bool answer;
  };
  const Case cases[] = {{1, true, true}, {2, true, false}, {0, false, false}, {3, false, false}, {-1, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.defaultButton);
    App::current().fGlobalBoolean = true;  // a stale OK from an earlier question
    bool closedByReturn = false;
    ModalSeam::ScopedDriver<winOKCancel> driver([&](winOKCancel& w) {
      press(w, Qt::Key_Return);
      closedByReturn = !w.isVisible();
    });
    EXPECT_EQ(RtrnBoolean::rbOKCancel(kDeleteQuestion, c.defaultButton, QStringLiteral("OK or Cancel")), c.answer);
    EXPECT_EQ(closedByReturn, c.answeredByReturn);
  }
}

TEST_F(ConfirmationTest, EscapeNeverAnswersAndOtherClosesAnswerFalse) {
  bool openAfterEscape = false;
  ModalSeam::ScopedDriver<winOKCancel> escapeThenOK([&](winOKCancel& w) {
    press(w, Qt::Key_Escape);
    openAfterEscape = w.isVisible();
    w.pbOK->click();
  });
  EXPECT_TRUE(RtrnBoolean::rbOKCancel(kDeleteQuestion, 2, QStringLiteral("OK or Cancel")));
  EXPECT_TRUE(openAfterEscape);
  EXPECT_TRUE(App::current().fGlobalBoolean);

  // A window manager closes the window although it has no close box: the earlier OK must
  // not confirm this question.
  ModalSeam::ScopedDriver<winOKCancel> windowManager([](winOKCancel& w) { w.close(); });
  EXPECT_FALSE(RtrnBoolean::rbOKCancel(kDeleteQuestion, 1, QStringLiteral("OK or Cancel")));
  EXPECT_FALSE(App::current().fGlobalBoolean);

  // Each question answers its own button, though rbOKCancel closes the closed window again.
  ModalSeam::ScopedDriver<winOKCancel> ok([](winOKCancel& w) { w.pbOK->click(); });
  EXPECT_TRUE(RtrnBoolean::rbOKCancel(QStringLiteral("Again?"), 0, QStringLiteral("T")));
  ModalSeam::ScopedDriver<winOKCancel> cancel([](winOKCancel& w) { w.pbCancel->click(); });
  EXPECT_FALSE(RtrnBoolean::rbOKCancel(QStringLiteral("Again?"), 0, QStringLiteral("T")));
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConfirmationTest, MessageDialogAnswersItsButtons) {
  struct Case {
    const char* name;
    bool showCancel;
    QString alternate;
    QString press;  // caption of the button to press; empty: Escape
    QStringList shown;
    qint64 answer;
  };
  const Case cases[] = {
      {"action only", false, {}, "OK", {"OK"}, 1},
      {"cancel pressed", true, {}, "Cancel", {"OK", "Cancel"}, 0},
      {"alternate pressed", true, "Don't Save", "Don't Save", {"OK", "Cancel", "Don't Save"}, 2},
      {"escape with cancel", true, {}, {}, {"OK", "Cancel"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QStringList shown;
    QString text, explanation;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    ModalSeam::ScopedDriver<QMessageBox> driver([&](QMessageBox& box) {
      text = box.text();
      explanation = box.informativeText();
      icon = box.icon();
      QAbstractButton* toPress = nullptr;
      for (QAbstractButton* b : box.buttons()) {
        if (b->isVisible()) shown << b->text().remove(QLatin1Char('&'));
        if (b->text().remove(QLatin1Char('&')) == c.press) toPress = b;
      }
      if (c.press.isEmpty()) press(box, Qt::Key_Escape);
      else toPress->click();
    });
    const qint64 answer = GeneralMethods::MesDlg(QStringLiteral("Buttons 03, 12 have pictures."),
                                                 QStringLiteral("This is legal but make sure this is your intent."),
                                                 QStringLiteral("OK"), c.showCancel, c.alternate);
    EXPECT_EQ(answer, c.answer);
    std::sort(shown.begin(), shown.end());
    QStringList expected = c.shown;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(text, "Buttons 03, 12 have pictures.");
    EXPECT_EQ(explanation, "This is legal but make sure this is your intent.");
    EXPECT_EQ(icon, QMessageBox::Information);
  }
}
