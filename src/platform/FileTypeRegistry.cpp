#include "platform/FileTypeRegistry.h"

#include <QHash>

#include "common/RuntimeException.h"

QStringList FileType::extensionList() const {
  QStringList out;
  for (const QString& part : Extensions.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
    const QString bare = part.trimmed().mid(part.trimmed().startsWith(QLatin1Char('.')) ? 1 : 0);
    if (!bare.isEmpty()) out << bare;
  }
  return out;
}

namespace FileTypeRegistry {
namespace {
QHash<QString, std::shared_ptr<const FileType>>& registry() {
  static QHash<QString, std::shared_ptr<const FileType>> types;
  return types;
}
}  // namespace

void add(std::shared_ptr<const FileType> type) {
  if (!type) throw MissingObjectException(QStringLiteral("No file type to register."));
  registry().insert(type->Name, std::move(type));
}

std::shared_ptr<const FileType> find(const QString& name) { return registry().value(name); }

QString dialogFilter(const QString& typeNames) {
  const QStringList names = typeNames.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  QStringList extensions;
  bool anyFile = names.isEmpty();
  for (const QString& name : names) {
    const auto type = find(name);
    if (!type) throw MissingKeyException(QStringLiteral("The file type %1 is not registered.").arg(name));
    const QStringList own = type->extensionList();
    anyFile = anyFile || own.isEmpty();
    for (const QString& e : own)
      if (!extensions.contains(e, Qt::CaseInsensitive)) extensions << e.toLower();
  }
  QStringList patterns;
  if (anyFile) {
    patterns << QStringLiteral("*");
  } else {
    // Capital-letter spellings too: matching in the dialog may respect letter case.
    for (const QString& e : extensions) patterns << "*." + e;
    for (const QString& e : extensions) patterns << "*." + e.toUpper();
  }
  return names.join(QStringLiteral(", ")) + " (" + patterns.join(QLatin1Char(' ')) + ")";
}

}  // namespace FileTypeRegistry
