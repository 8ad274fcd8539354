#pragma once

#include <QCloseEvent>
#include <QDialog>
#include <QPushButton>
#include <QShowEvent>
#include <functional>
#include <utility>

#include "common/winReportError.h"

// How the program's modal windows are run. Normally exec() waits until the user has
// answered. A test, or any caller that must not block, installs a driver for one kind of
// window; the window is then shown and handed to the driver, which answers it as the user
// would (pressing its buttons, typing keys). A window the driver leaves open is closed, as a
// window manager would close it.
namespace ModalSeam {

template <class W>
using Driver = std::function<void(W&)>;

template <class W>
Driver<W>& driver() {
  static Driver<W> d;
  return d;
}

// Installs a driver for windows of kind W for its lifetime.
template <class W>
class ScopedDriver {
 public:
  explicit ScopedDriver(Driver<W> d) : saved_(std::exchange(driver<W>(), std::move(d))) {}
  ~ScopedDriver() { driver<W>() = std::move(saved_); }
  ScopedDriver(const ScopedDriver&) = delete;
  ScopedDriver& operator=(const ScopedDriver&) = delete;

 private:
  Driver<W> saved_;
};

template <class W>
void run(W& window) {
  if (!driver<W>()) {
    window.exec();
    return;
  }
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  driver<W>()(window);
  if (window.isVisible()) window.close();
}

}  // namespace ModalSeam

// A modal window that only its own buttons and its close box end: Escape answers nothing,
// and a close always ends the modal run.
class ModalWindow : public QDialog {
  Q_OBJECT
 public:
  using QDialog::QDialog;
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    done(QDialog::Rejected);
    event->accept();
  }
  void showEvent(QShowEvent* event) override {
    // A window restored after being minimized is not opening: its reports are not raised again.
    if (!event->spontaneous()) {
      winReportError::keepAbove(*this, reportsBefore_);
      reportsBefore_ = winReportError::raisedSoFar();
    }
    QDialog::showEvent(event);
  }

 private:
  // A window's preparation begins with its construction: reports raised from then on until it
  // stands are its own.
  quint64 reportsBefore_ = winReportError::raisedSoFar();
};

// Qt gives a dialog's push buttons Return by default; the program's windows answer Return
// only where a window says so. Call once the window's buttons exist.
inline void clearDefaultButtons(QWidget& window) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
}
