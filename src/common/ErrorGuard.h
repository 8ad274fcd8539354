#pragma once

#include <QString>
#include <exception>
#include <type_traits>
#include <utility>

#include "common/ErrorHandling.h"
#include "common/ReportLocation.h"
#include "platform/Dialogs.h"
#include "platform/SystemLog.h"

// The guard every handler body runs under. On a runtime error the work done so far stays
// done, the error is reported, one log line is written and the fallback is returned.
// Nothing escapes into Qt's event loop.

// Report variant: the exception report window, then "Exception - " + first line.
template <class F, class R = std::invoke_result_t<F>>
  requires(!std::is_void_v<R>)
R guarded(const ReportLocation& location, F&& body, R fallback = R{}) {
  try {
    return std::forward<F>(body)();
  } catch (const std::exception& error) {
    if (!ErrorHandling::HandleException(error, location.text())) throw;
    SystemLog::write(location.logLine());
    return fallback;
  }
}

template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
void guarded(const ReportLocation& location, F&& body) {
  try {
    std::forward<F>(body)();
  } catch (const std::exception& error) {
    if (!ErrorHandling::HandleException(error, location.text())) throw;
    SystemLog::write(location.logLine());
  }
}

// Oops variant: a modal "Oops! " message box instead of the report window, then the given
// log line ("Exception - " + first line unless the handler's own is different).
inline void reportOops(const ReportLocation& location, const std::exception& error,
                       const QString& logLine) {
  Dialogs::messageBox(location.oopsText(RuntimeExceptionExtension::Type(error)));
  SystemLog::write(logLine.isEmpty() ? location.logLine() : logLine);
}

template <class F, class R = std::invoke_result_t<F>>
  requires(!std::is_void_v<R>)
R guardedOops(const ReportLocation& location, F&& body, const QString& logLine = {},
              R fallback = R{}) {
  try {
    return std::forward<F>(body)();
  } catch (const std::exception& error) {
    reportOops(location, error, logLine);
    return fallback;
  }
}

template <class F>
  requires std::is_void_v<std::invoke_result_t<F>>
void guardedOops(const ReportLocation& location, F&& body, const QString& logLine = {}) {
  try {
    std::forward<F>(body)();
  } catch (const std::exception& error) {
    reportOops(location, error, logLine);
  }
}

// The Oops handlers whose log line reads "Exception: " + first line.
inline QString colonLogLine(const ReportLocation& location) {
  return "Exception: " + location.firstLine();
}
