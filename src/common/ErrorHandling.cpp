#include "common/ErrorHandling.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "common/winReportError.h"
#include "platform/Dialogs.h"

namespace {
const QString kLineEnd = QStringLiteral("\n");

QString demangled(const std::type_info& info) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(
      abi::__cxa_demangle(info.name(), nullptr, nullptr, &status), std::free);
  return QString::fromUtf8(status == 0 && name ? name.get() : info.name());
}
}  // namespace

namespace RuntimeExceptionExtension {

QString Type(const std::exception& error) {
  static const auto location = ReportLocation::moduleMethod(
      QStringLiteral("RuntimeExceptionExtension"), QStringLiteral("Type"));
  try {
    if (const auto* runtime = dynamic_cast<const RuntimeException*>(&error))
      return runtime->typeName();
    return demangled(typeid(error));
  } catch (const std::exception&) {
    // Its own Oops message has no TYPE line: asking for the type is what failed.
    QStringList lines{"Oops! " + location.firstLine()};
    lines << location.labelLines();
    Dialogs::messageBox(lines.join(kLineEnd));
    SystemLog::write(location.logLine());
    return {};
  }
}

}  // namespace RuntimeExceptionExtension

namespace ErrorHandling {

qint64 ErrorNumber(const std::exception& error) {
  const auto* runtime = dynamic_cast<const RuntimeException*>(&error);
  return runtime ? runtime->errorNumber() : 0;
}

QString ErrorMessage(const std::exception& error) {
  const auto* runtime = dynamic_cast<const RuntimeException*>(&error);
  return runtime ? runtime->message() : QString::fromUtf8(error.what());
}

QString ReportText(const std::exception& error, const QString& location) {
  const QString type = RuntimeExceptionExtension::Type(error);
  return type + " in " + location + kLineEnd +
         "TYPE: " + type + kLineEnd +
         "ERROR CODE: " + QString::number(ErrorNumber(error)) + kLineEnd +
         "ERROR MESSAGE: " + ErrorMessage(error);
}

bool HandleException(const std::exception& error, const QString& location) {
  try {
    auto* window = new winReportError(ReportText(error, location));
    window->show();
  } catch (...) {
    Dialogs::messageBox(QStringLiteral("HandleException Error"));
  }
  return true;
}

}  // namespace ErrorHandling
