#pragma once
// The forecast table as a sheet, for the clipboard and CSV: one row a point or midpoint, in
// the order the table draws them.
#include <QStringList>
#include <vector>

#include "dessin/Feuille.h"
#include "forecast/TableMiPoints.h"

namespace selvane {

// "Point A", "Point B" (glyphs; a single point in "Point A", "Point B" empty), "Position" as
// the table writes it in harmonic `harmonique` (sign glyph and degrees in H1), "Code".
Feuille FeuilleTableMiPoints(const std::vector<LigneTableMiPoints>& lignes, int harmonique, const QStringList& titres = {});

}  // namespace selvane
