#pragma once

#include <QString>
#include <exception>

namespace RuntimeExceptionExtension {
// The error's type name, or the empty text when it has none.
QString Type(const std::exception& error);
}  // namespace RuntimeExceptionExtension

namespace ErrorHandling {

// Shows the exception report for the error in a new report window; always answers True.
bool HandleException(const std::exception& error, const QString& location);

// The report text: type name + " in " + location, then TYPE, ERROR CODE and ERROR MESSAGE.
QString ReportText(const std::exception& error, const QString& location);

qint64 ErrorNumber(const std::exception& error);
QString ErrorMessage(const std::exception& error);

}  // namespace ErrorHandling
