#pragma once

#include <QString>
#include <QStringList>

// Where a caught error happened: a first line of owner and member joined by ".", then
// label lines. Built only through the factories, so every handler spells its labels alike.
class ReportLocation {
 public:
  static ReportLocation moduleMethod(const QString& module, const QString& method);
  static ReportLocation classMethod(const QString& cls, const QString& method);
  static ReportLocation windowMethod(const QString& window, const QString& method);
  static ReportLocation windowEvent(const QString& window, const QString& event);
  // A control of a window, or of a container control (the container in the window's place);
  // a control array is named without an index.
  static ReportLocation controlEvent(const QString& window, const QString& control,
                                     const QString& event);
  static ReportLocation menuItem(const QString& window, const QString& item);
  // The application object's events: first line "App.<event>", "EVENT NAME: <eventName>".
  static ReportLocation appEvent(const QString& event, const QString& eventName);
  static ReportLocation customControl(const QString& container, const QString& event);
  static ReportLocation containerInstance(const QString& window, const QString& container,
                                          const QString& event);
  // Any other first line and label lines, for the few handlers whose lines are their own.
  static ReportLocation custom(const QString& firstLine, const QStringList& labelLines);

  const QString& firstLine() const { return first_; }
  const QStringList& labelLines() const { return labels_; }

  // The location as the exception report takes it: first line, empty line, label lines.
  QString text() const;
  // The Oops message: "Oops! " + first line, the label lines, then "TYPE: " + type name.
  QString oopsText(const QString& typeName) const;
  // "Exception - " + first line.
  QString logLine() const;

 private:
  ReportLocation(QString first, QStringList labels);
  QString first_;
  QStringList labels_;
};
