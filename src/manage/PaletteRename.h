#pragma once

#include <QString>

// Giving the current palette another alias. The alias is made unique only when it differs,
// in more than letter case, from the one the palette's record holds.
namespace PaletteRename {

// The rename window's Accept Change: the alias field's text under the changed-alias rules
// (cut at 23 characters) and the title as the title field holds it. An unchanged alias
// stores the title only when it differs in more than letter case; a changed one stores
// both and shows the alias in the palette window's tip strip. The palette window's title
// follows every stored title.
void acceptChange(const QString& aliasText, const QString& title);

// The combined window's Change Name: the alias field's text under the new-alias rules (no
// cut), the title left alone, the record and the current palette reloaded from it.
void changeAlias(const QString& aliasText);

}  // namespace PaletteRename
