#pragma once

#include <QString>

// Making a palette from the alias a user typed. Every window that creates palettes goes
// through here, so they all clean, number and show a new palette alike.
namespace PaletteCreation {

// The alias a new palette gets from the typed text: cleaned (a new alias keeps "&" and "*"
// and is not cut), then numbered until no slot, freed ones included, holds it in any case.
QString aliasFromText(const QString& fieldText);

// Creates a palette under that alias in the first freed slot or a new one, makes it current
// (the previous palette's mirrors written back first) and shows it in the palette window.
// False when the store refused; it has reported why and changed nothing. Any other error
// is raised for the calling handler to report.
bool createFromAliasText(const QString& fieldText);

}  // namespace PaletteCreation
