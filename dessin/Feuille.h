#pragma once
// A table as a value, built without any widget: title lines, columns (caption, width,
// alignment, glyph font or text), rows. Its writers give the same rows to the grid
// widget (widgets/GrilleFeuille.h), the printed pages, CSV and the clipboard.
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "dessin/Document.h"

namespace selvane {

struct ColonneFeuille {
  QString titre;
  double largeur = 10;                  // in widths of "A" of the text font
  Qt::Alignment alignement = Qt::AlignLeft;
  bool glyphes = false;                 // cells in the glyph font "Celvan S"
  bool titreGlyphes = false;            // the caption too (a planet's glyph, an axis)
};

struct Feuille {
  QStringList titres;                   // the first is printed bold
  std::vector<ColonneFeuille> colonnes;
  std::vector<QStringList> lignes;      // one text a column
};

// A glyph cell as a spreadsheet can read it: each symbol of the glyph font becomes the name
// the program gives it elsewhere, the rest (digits, "/", "=", spaces) stays, a space between
// a name and a letter or digit beside it. Bodies: their long name ("Soleil", "Noeud Nord",
// "M.C."), the Sun/Moon midpoint "Soleil/Lune"; signs: their abbreviation ("Bél", as in
// "12°34'Bél"); the retrograde mark "R"; an aspect (either set of glyphs): its angle ("90°").
// "12a34" gives "12 Bél 34", "A/B = E" gives "Soleil/Lune = Mars".
QString TexteLisible(const QString& glyphes);

// CSV, UTF-8, LF: the stamp's lines as "# " comments (CachetCsv: the date line says when the
// file was written), the captions, then the rows, glyph columns by TexteLisible; fields
// quoted as the birth files' CSV quotes them.
std::string CsvFeuille(const Feuille& f, const QStringList& cachet = {});
// The clipboard's text: each row's cells joined by a tab, each row ended by CR LF; glyph
// columns by TexteLisible (the clipboard goes to other programs, without the glyph font).
QString TexteFeuille(const Feuille& f);

// The rows a printed page of `hauteur` device pixels holds under the titles and captions.
int LignesParPage(const Feuille& f, const QPaintDevice& appareil, double hauteur);
// Pages of the table: a table longer than a page goes on over the next ones, each with the
// titles and the captions again; never a row lost, whatever the paper.
DocumentImprime DocumentDeFeuille(const Feuille& f, const QStringList& cachet, bool paysage = false);

}  // namespace selvane
