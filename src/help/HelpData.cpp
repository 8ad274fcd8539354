#include "help/HelpData.h"

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"

namespace HelpData {

void FillDictionaryFromText(const QString& text) {
  guarded(ReportLocation::moduleMethod("HelpData", "FillDictionaryFromHELP_TEXT"), [&] {
    helpDict.emplace();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
      const QString& line = lines.at(n);
      const qsizetype mark = line.indexOf(kFieldMark);
      bool isNumber = false;
      const qint64 id = mark < 0 ? 0 : line.left(mark).toLongLong(&isNumber);
      if (!isNumber)
        throw MissingKeyException(QStringLiteral("Help record %1 has no help id").arg(n + 1));
      helpDict->insert_or_assign(Key{id}, line.mid(mark + 1));
    }
  });
}

void FillDictionaryFromHELP_TEXT() { FillDictionaryFromText(QString::fromUtf8(HELP_TEXT)); }

}  // namespace HelpData
