#pragma once
// The grid writer of a sheet (dessin/Feuille.h): captions, widths in widths of "A" of the
// grid's font, alignment, glyph columns in "Celvan S", one grid row a sheet row. A column
// of width 0 is hidden (a sort key).
#include <QChar>
#include <QFont>
#include <vector>

#include "dessin/Feuille.h"

class QTableWidget;

namespace selvane {

class GrilleTexte;

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

// A grid that sorts and saves its layout (widgets/GrilleTexte.h) shows a sheet: its columns
// (captions, widths in `unite` pixels, the font of each column, the grid's own where none is
// given) and its rows.
void RemplirGrilleTexte(GrilleTexte& grille, const Feuille& feuille, const std::vector<QFont>& polices, double unite);
// The sheet as such a grid shows it now: its columns, and the grid's rows in the grid's order
// (after a sort), so that a copy or an export gives what the user sees.
Feuille FeuilleAffichee(const GrilleTexte& grille, Feuille feuille);

}  // namespace selvane
