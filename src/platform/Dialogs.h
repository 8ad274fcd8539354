#pragma once

#include <QString>
#include <functional>

// The modal message box and the system beep. Tests install handlers that record instead
// of blocking.
namespace Dialogs {

// A modal message box with one OK button; returns once the user has dismissed it.
void messageBox(const QString& text);
void beep();

using MessageBoxHandler = std::function<void(const QString&)>;
using BeepHandler = std::function<void()>;
void setMessageBoxHandler(MessageBoxHandler handler);  // empty restores the real box
void setBeepHandler(BeepHandler handler);              // empty restores the real beep

}  // namespace Dialogs
