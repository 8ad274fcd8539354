#pragma once

#include <QtGlobal>

// Quitting asks every window to close, and so also dismisses a message box that work is
// waiting on. Work that goes on after such a box must not act as if the user had read it:
// quits are counted, so that a run of steps can tell one was asked for since it began.
namespace QuitRequest {

// What Quit does: every window is asked to close; the palette window saves, and with the
// last window gone the application quits.
void closeAllWindows();

class Watch {
 public:
  Watch();
  // A quit has been asked for since the watch began, whether or not it went through.
  bool quitAsked() const;

 private:
  quint64 start_;
};

}  // namespace QuitRequest
