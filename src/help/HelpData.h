#pragma once

#include <QString>
#include <map>
#include <optional>
#include <variant>

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
using Key = std::variant<qint64, QString>;
using Dictionary = std::map<Key, QString>;

// Help id to "<title>␟<body>"; absent until FillDictionaryFromHELP_TEXT has run.
inline std::optional<Dictionary> helpDict;

// Creates helpDict anew from HELP_TEXT. Reports its own failure and returns normally;
// the records stored before a failing one stay.
void FillDictionaryFromHELP_TEXT();

// The same for any record text; a line without a field mark or a numeric help id fails.
void FillDictionaryFromText(const QString& text);

}  // namespace HelpData
