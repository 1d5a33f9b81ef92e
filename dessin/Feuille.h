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
};

struct Feuille {
  QStringList titres;                   // the first is printed bold
  std::vector<ColonneFeuille> colonnes;
  std::vector<QStringList> lignes;      // one text a column
};

// CSV, UTF-8, LF: the stamp's lines as "# " comments, the captions, then the rows; fields
// quoted as the birth files' CSV quotes them.
std::string CsvFeuille(const Feuille& f, const QStringList& cachet = {});
// The clipboard's text: each row's cells joined by a tab, each row ended by CR LF.
QString TexteFeuille(const Feuille& f);

// The rows a printed page of `hauteur` device pixels holds under the titles and captions.
int LignesParPage(const Feuille& f, const QPaintDevice& appareil, double hauteur);
// Pages of the table: a table longer than a page goes on over the next ones, each with the
// titles and the captions again; never a row lost, whatever the paper.
DocumentImprime DocumentDeFeuille(const Feuille& f, const QStringList& cachet, bool paysage = false);

}  // namespace selvane
