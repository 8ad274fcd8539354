#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "store/Btn.h"
#include "store/PaletteRecord.h"
#include "store/PaletteView.h"

// The palette store: every palette, the current one and its mirrors, and the state file.
// Windows read and write these variables directly.
namespace KM {

// "␀": as a shortcut no shortcut; as an alias a freed slot.
inline const QString noneMark = QStringLiteral("\u2400");
// The state file, "PreserveState.txt" in the application data folder.
inline const QString stateFileBaseName = QStringLiteral("PreserveState");
inline const QString stateFileName = QStringLiteral("PreserveState.txt");

// The palette list; the index is the palette's number and gives its Name/ID.
inline std::vector<PaletteRecord> DP;
// Index of the current palette in DP; -1 until the store is loaded.
inline qint64 idxCP = -1;
// The current palette's buttons: the same array object as DP[idxCP].a_Btn; empty while
// detached. Never null.
inline BtnArrayRef aBtn = std::make_shared<BtnArray>();

// Mirrors of the current record; written back only by SavePaletteToDP while
// paletteContentChange is set.
inline qint64 numRows = 0;
inline qint64 numColumns = 0;
inline QString paleName;
inline QString paleAlias;
inline QString paleWinTitle;

// Button number being shown or edited.
inline qint64 idxCurrentBtn = 0;

// "a" to "z" then "A" to "Z".
inline QStringList aAlphabetShortcut;

inline bool paletteContentChange = false;
inline bool paletteActiveChange = false;

// Written into the state header; nothing assigns it.
inline QString reusablePaletteName;

// The palette window's geometry as read from the state file; 0 when none was read.
inline qint64 initialWinTop = 0;
inline qint64 initialWinLeft = 0;
inline qint64 initialWinHeight = 0;
inline qint64 initialWinWidth = 0;

// Records and defaults.
void MakeAlphabetShortcuts();
void CreateFirstPalette();
void DefaultValuesPalette(qint64 i);

// Current palette and life cycle.
// Checks the index and its record first; on failure reports and keeps the current palette.
void ActivatePalette(qint64 i);
void BreakBtnLinkToDP();
void SavePaletteToDP();
// Saves back, activates, and refreshes KM::paletteView.
void ChangeToPalette(qint64 i);
// Leaves KM::aBtn detached: the caller links DP[idxCP].a_Btn and refreshes the window.
void CreateNewPalette(const QString& alias);
// The same, with KM::aBtn linked to the new record, as one step: it either completes or,
// after the report, leaves the store as it was. False when it failed.
bool CreateNewPaletteAndActivate(const QString& alias);
// Ignores letter case; -1 (with a message) when no slot has the alias.
qint64 IndexFromAlias(const QString& alias);
qint64 CountActivePalette();
// Every slot's alias, freed slots included, in slot order: what a new alias must differ from.
QStringList AllAliases();
// Respects letter case; the button's sID or the empty text.
QString sID_FromShortcut(const QString& key);

// State file.
// The whole state-file text, or nothing when it could not be built (then write nothing).
std::optional<QString> JSON_CreateData();
// Fills the store from a state-file text, all or nothing: true when the text was complete
// and the store now holds it; false after the report, with the store unchanged. Elements
// after the last palette entry are ignored.
bool JSON_ParseData(const QString& text);
// Reads the state file at start-up; an unreadable file is kept aside, the user told where,
// and the store starts with the first palette. A file holding more than its palettes is
// copied beside itself, the user told where, before the close's save leaves the rest out.
void GetKM_DataFromDisk();

// The module's values at program start (tests start each case from here).
void resetToInitialValues();

}  // namespace KM
