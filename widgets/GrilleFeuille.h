#pragma once
// The grid writer of a sheet (dessin/Feuille.h): captions, widths in widths of "A" of the
// grid's font, alignment, glyph columns in "Celvan S", one grid row a sheet row.
#include "dessin/Feuille.h"

class QTableWidget;

namespace selvane {

void RemplirGrille(QTableWidget& grille, const Feuille& feuille);

}  // namespace selvane
