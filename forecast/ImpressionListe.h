#pragma once
// The printed page of the directions and transits list: the window's print button and the
// command line's --pdf build it here, without any widget.
#include <QPainter>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

#include "dessin/Document.h"
#include "dessin/Feuille.h"

namespace selvane {

// What one printed page of the list holds.
struct PageListe {
  QString titre;
  bool transits = false;
  std::vector<std::array<std::string, 6>> lignes;  // Windows-1252 cells, as the list shows them
};
constexpr int LignesImprimables = 132;
constexpr int LignesParColonne = 66;
// Draws the page in the rectangle of the device (portrait page, or a picture in tests).
void DessinerPageListe(QPainter& p, const QSize& page, const PageListe& contenu);
// The one-page document of the list; the caller refuses more than LignesImprimables rows.
DocumentImprime DocumentListe(const PageListe& contenu, const QStringList& cachet);
// The list as a sheet, the columns the window shows: "Direction" (glyphs), "Pos.", "Date",
// "Age", "Arc"; for transits "Transit", "Pos." (glyphs), "Date" and time, "Age". Widths in
// widths of "A" of the window's glyph font.
Feuille FeuilleListe(const PageListe& contenu);

}  // namespace selvane
