#include "common/ReportLocation.h"

namespace {
const QString kLineEnd = QStringLiteral("\n");
QString dotted(const QStringList& parts) { return parts.join(QLatin1Char('.')); }
}  // namespace

ReportLocation::ReportLocation(QString first, QStringList labels)
    : first_(std::move(first)), labels_(std::move(labels)) {}

ReportLocation ReportLocation::moduleMethod(const QString& module, const QString& method) {
  return {dotted({module, method}), {"MODULE: " + module, "METHOD: " + method}};
}

ReportLocation ReportLocation::classMethod(const QString& cls, const QString& method) {
  return {dotted({cls, method}), {"CLASS: " + cls, "METHOD: " + method}};
}

ReportLocation ReportLocation::windowMethod(const QString& window, const QString& method) {
  return {dotted({window, method}), {"WINDOW: " + window, "METHOD: " + method}};
}

ReportLocation ReportLocation::windowEvent(const QString& window, const QString& event) {
  return {dotted({window, event}), {"WINDOW: " + window, "EVENT NAME: " + event}};
}

ReportLocation ReportLocation::controlEvent(const QString& window, const QString& control,
                                            const QString& event) {
  return {dotted({window, control, event}),
          {"WINDOW: " + window, "CONTROL: " + control, "EVENT: " + event}};
}

ReportLocation ReportLocation::menuItem(const QString& window, const QString& item) {
  return {dotted({window, item}), {"APP:  " + item}};
}

ReportLocation ReportLocation::appEvent(const QString& event, const QString& eventName) {
  return {dotted({QStringLiteral("App"), event}),
          {QStringLiteral("EVENT HANDLER: App"), "EVENT NAME: " + eventName}};
}

ReportLocation ReportLocation::customControl(const QString& container, const QString& event) {
  return {dotted({container, event}), {"CUSTOM CONTROL: " + container, "EVENT HANDLER: " + event}};
}

ReportLocation ReportLocation::containerInstance(const QString& window, const QString& container,
                                                 const QString& event) {
  return {dotted({window, container, event}),
          {"CONSTAINER_CONTROL_INSTANCE: " + container, "EVENT HANDLER: " + event}};
}

ReportLocation ReportLocation::custom(const QString& firstLine, const QStringList& labelLines) {
  return {firstLine, labelLines};
}

QString ReportLocation::text() const {
  return first_ + kLineEnd + kLineEnd + labels_.join(kLineEnd);
}

QString ReportLocation::oopsText(const QString& typeName) const {
  QStringList lines{"Oops! " + first_};
  lines << labels_ << "TYPE: " + typeName;
  return lines.join(kLineEnd);
}

QString ReportLocation::logLine() const { return "Exception - " + first_; }
