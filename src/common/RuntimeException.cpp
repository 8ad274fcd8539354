#include "common/RuntimeException.h"

RuntimeException::RuntimeException(const QString& message, qint64 errorNumber)
    : std::runtime_error(message.toStdString()), message_(message), number_(errorNumber) {}

RuntimeException::~RuntimeException() = default;
