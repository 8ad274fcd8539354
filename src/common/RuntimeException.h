#pragma once

#include <QString>
#include <stdexcept>

// The one base of every runtime error the program raises: a type name, an error number
// and a message, which is what the exception report shows.
class RuntimeException : public std::runtime_error {
 public:
  explicit RuntimeException(const QString& message, qint64 errorNumber = 0);
  ~RuntimeException() override;

  virtual QString typeName() const { return QStringLiteral("RuntimeException"); }
  qint64 errorNumber() const { return number_; }
  QString message() const { return message_; }

 private:
  QString message_;
  qint64 number_;
};

#define TAVELIN_RUNTIME_EXCEPTION(Name)                                     \
  class Name : public RuntimeException {                                    \
   public:                                                                  \
    using RuntimeException::RuntimeException;                               \
    QString typeName() const override { return QStringLiteral(#Name); }     \
  };

// Use of an object that is not there (no folder item, no window, no record).
TAVELIN_RUNTIME_EXCEPTION(MissingObjectException)
// An index outside an array or list.
TAVELIN_RUNTIME_EXCEPTION(OutOfBoundsException)
// A dictionary or JSON key that is not there.
TAVELIN_RUNTIME_EXCEPTION(MissingKeyException)
// A file or folder operation that the file system refused.
TAVELIN_RUNTIME_EXCEPTION(IOException)
// A text that is not the JSON that was expected.
TAVELIN_RUNTIME_EXCEPTION(JSONException)

#undef TAVELIN_RUNTIME_EXCEPTION
