#include "help/HelpData.h"

#include <memory>

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "help/winHelp.h"

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

void ShowHelp(qint64 id) {
  guarded(ReportLocation::moduleMethod("HelpData", "ShowHelp"), [&] {
    if (!helpDict) throw MissingObjectException(QStringLiteral("The help records are not loaded"));
    const auto found = helpDict->find(Key{id});
    if (found == helpDict->end())
      throw MissingKeyException(QStringLiteral("No help record for help id %1").arg(id));
    const QString& record = found->second;
    const qsizetype mark = record.indexOf(kFieldMark);
    const QString title = mark < 0 ? record : record.left(mark);
    QString page = mark < 0 ? QString() : record.mid(mark + 1);
    page.replace(kLineBreakMark, QStringLiteral("\n"));

    auto window = std::make_unique<winHelp>();
    window->PrepareAndShowWindow(page, title);
    // A window left open after a failed modal showing lives on until the user closes it.
    if (window->isVisible()) window.release()->setAttribute(Qt::WA_DeleteOnClose);
  });
}

}  // namespace HelpData
