#pragma once
// The midpoint table drawn as blocks of 43 rows of glyphs and positions: one routine for the
// window's picture and the printer page; the printed page itself, with its header, which the
// window and the command line both print.
#include <QPainter>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "core/EtatTheme.h"
#include "dessin/Document.h"
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

// The items of the harmonic list, "H1 360°" .. "H32  11°15'" (UTF-8): item i is HarmoniqueDeLItem(i).
constexpr int NbItemsHarmoniques = 17;
extern const char* const ItemsHarmoniques[NbItemsHarmoniques];

// The place of the computed chart as typed in the "Calcul" fields (Windows-1252).
struct LieuDesChamps {
  std::string ville, lat, lon;
};

// What heads the printed table: name, moment, place, harmonic; and the stamp's context.
struct EnteteTable {
  QStringList lignes;
  ContexteCachet cachet;
};
// The stamp of a table: the chart's, but the natal table's (`technique` 0) has the birth's own
// zone (and its source) and moment (`jourJulienNaissance`, Universal Time), whatever return was computed since.
ContexteCachet ContexteCachetTable(const EtatTheme& e, int technique, const FicheClient& natale, double jourJulienNaissance);
// `technique` 0, the natal table: the birth record's own moment, zone and place, whatever
// return was computed since (`jourJulienNaissance`, Universal Time, for the stamp's ΔT).
// Otherwise the current chart's moment and the place of the fields, which then becomes the
// current chart's place, as the print has always left it.
EnteteTable EnteteTableMiPoints(EtatTheme& e, int technique, const FicheClient& natale, double jourJulienNaissance,
                                const LieuDesChamps& lieu, int itemHarmonique);

// The printed page: the header lines above the table in its printer set-up.
DocumentImprime DocumentTableMiPoints(const QStringList& entete, const std::vector<LigneTableMiPoints>& lignes,
                                      ParametresTable parametres, const QStringList& cachet, bool noirEtBlanc);

}  // namespace selvane
