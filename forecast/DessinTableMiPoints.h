#pragma once
// The midpoint table drawn as blocks of 43 rows of glyphs and positions: one routine for the
// window's picture and the printer page.
#include <QPainter>
#include <QString>
#include <vector>

#include "dessin/Palette.h"
#include "forecast/TableMiPoints.h"

namespace selvane {

struct ParametresTable {
  int harmonique = 1;
  int corpsEnSurbrillance = 0;  // 0: none
  bool imprimante = false;      // printer set-up: other cell sizes, grey grid, no title
  QString titre;                // drawn on the screen only
  Palette palette;              // body colours of the target
};

// The lengths the drawing used, in pixels of the target.
struct GeometrieTable {
  int u = 0;       // cell width and row height
  int g = 0;       // extra width of the position column
  int x0 = 0, y0 = 0;
  int blocs = 0;
};

constexpr int LignesParBloc = 43;

// A row's position as the table writes it: sign glyph and degrees for H1, degrees otherwise.
QString TextePosition(const LigneTableMiPoints& r, int harmonique);

GeometrieTable DessinerTableauMiPOints(QPainter& p, const std::vector<LigneTableMiPoints>& lignes,
                                       const ParametresTable& parametres);

}  // namespace selvane
