#pragma once

#include <QString>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

// The program's own help: six HTML pages kept as records in HELP_TEXT, loaded once at
// start-up into helpDict and shown by help id in a help window.
namespace HelpData {

// One record a line: "<id>␟<title>␟<body>", the body's line breaks written as "␤".
// UTF-8, five line feeds in all, none after the last record.
extern const char HELP_TEXT[];

inline const QString kFieldMark = QStringLiteral("\u241F");
inline const QString kLineBreakMark = QStringLiteral("\u2424");

// A help id, or a text key; the two kinds never compare equal, so a text key "5" stored
// by another window leaves help id 5 showing its own record.
struct Key {
  Key(qint64 helpId) : id(helpId) {}
  Key(QString textKey) : isText(true), text(std::move(textKey)) {}

  bool isText = false;
  qint64 id = 0;
  QString text;

  friend bool operator<(const Key& a, const Key& b) {
    return std::tie(a.isText, a.id, a.text) < std::tie(b.isText, b.id, b.text);
  }
};
using Dictionary = std::map<Key, QString>;

// Help id to "<title>␟<body>"; absent until FillDictionaryFromHELP_TEXT has run.
inline std::optional<Dictionary> helpDict;

// Creates helpDict anew from HELP_TEXT. Reports its own failure and returns normally;
// the records stored before a failing one stay.
void FillDictionaryFromHELP_TEXT();

// The same for any record text; a line without a field mark or a numeric help id fails.
void FillDictionaryFromText(const QString& text);

// Shows the record of help id `id` in a new help window and returns once it is closed.
// An id without a record, or no records loaded, is reported and opens no window.
void ShowHelp(qint64 id);

}  // namespace HelpData
