#pragma once
// The grid writer of a sheet (dessin/Feuille.h): captions, widths in widths of "A" of the
// grid's font, alignment, glyph columns in "Celvan S", one grid row a sheet row. A column
// of width 0 is hidden (a sort key).
#include <QChar>
#include <QFont>

#include "dessin/Feuille.h"

class QTableWidget;

namespace selvane {

void RemplirGrille(QTableWidget& grille, const Feuille& feuille);

// A window that keeps its own look: the fonts of its text and glyph cells, and the
// letter of the font whose width is the unit of the column widths.
struct StyleGrille {
  QFont texte;
  QFont glyphes;
  QFont unite;
  QChar lettre = 'A';
};
void RemplirGrille(QTableWidget& grille, const Feuille& feuille, const StyleGrille& style);

}  // namespace selvane
