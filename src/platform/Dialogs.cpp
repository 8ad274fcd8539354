#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace Dialogs {
namespace {
MessageBoxHandler& boxHandler() {
  static MessageBoxHandler h;
  return h;
}
BeepHandler& beepHandler() {
  static BeepHandler h;
  return h;
}
}  // namespace

void messageBox(const QString& text) {
  if (boxHandler()) {
    boxHandler()(text);
    return;
  }
  QMessageBox box;
  // Messages carry aliases, paths and error texts: shown as written, never as markup.
  box.setTextFormat(Qt::PlainText);
  box.setText(text);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

void beep() {
  if (beepHandler()) {
    beepHandler()();
    return;
  }
  QApplication::beep();
}

void setMessageBoxHandler(MessageBoxHandler handler) { boxHandler() = std::move(handler); }
void setBeepHandler(BeepHandler handler) { beepHandler() = std::move(handler); }

}  // namespace Dialogs
