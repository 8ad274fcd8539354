#pragma once

#include <QApplication>
#include <QTimer>
#include <functional>

#include "common/ModalSeam.h"
#include "help/winHelp.h"

// Opens a window of kind W as its menu entry does (a new window, shown modally) and hands
// it to `drive`. True when the window was still open once `drive` had finished.
template <class W>
bool openAndDrive(const std::function<void(W&)>& drive) {
  bool stillOpen = false;
  ModalSeam::ScopedDriver<W> driver([&](W& w) {
    drive(w);
    stillOpen = w.isVisible();
  });
  W::OpenModal();
  return stillOpen;
}

// The title of the help window that `press` opens; the help window is closed at once.
inline QString helpTitleOpenedBy(const std::function<void()>& press) {
  QString title;
  QTimer::singleShot(0, [&] {
    if (auto* help = qobject_cast<winHelp*>(QApplication::activeModalWidget())) {
      title = help->windowTitle();
      help->close();
    }
  });
  press();
  return title;
}
