#pragma once

#include <QPointer>

#include "common/ModalSeam.h"

// A window class with one shared instance: made, with its Open run, when none is open, shown
// modally, and discarded once it closes, so every opening starts afresh. Tests answer the
// window through ModalSeam::ScopedDriver<W>.
template <class W>
class SharedWindow {
 public:
  static W& instance() {
    if (!shared()) {
      shared() = new W();
      shared()->Event_Open();
    }
    return *shared();
  }

  static void showModal() {
    W& window = instance();
    ModalSeam::run(window);
    if (shared() == &window) shared() = nullptr;
    window.deleteLater();
  }

 private:
  static QPointer<W>& shared() {
    static QPointer<W> window;
    return window;
  }
};
