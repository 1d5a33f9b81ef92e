#pragma once
// The picture of the graphic ephemeris: time across, the dial's 0..M up, each body's curve in
// its colour with its glyph at the left edge and at every wrap, the natal lines labelled at
// the right edge, the crossings marked. One routine for the window, the page and the files.
#include <QPainter>
#include <QRectF>

#include "dessin/Palette.h"
#include "techniques/EphemGraphique.h"

namespace selvane {

// Where the plot stands in a picture, and its scales both ways.
struct GeometrieGraphe {
  QRectF zone;
  double debut = 0, fin = 1, module = 90;
  double X(double jourTU) const { return zone.left() + (jourTU - debut) / (fin - debut) * zone.width(); }
  double Y(double degres) const { return zone.bottom() - degres / module * zone.height(); }
  double Jour(double x) const { return debut + (x - zone.left()) / zone.width() * (fin - debut); }
  double Degres(double y) const { return (zone.bottom() - y) / zone.height() * module; }
};
GeometrieGraphe GeometrieDuGraphe(const QRectF& rectangle, const EphemGraphique& g);

struct OptionsGraphe {
  int croisementEnValeur = -1;  // index in g.croisements drawn larger
  QString titre;                // above the plot when not empty (pages and files)
  QString cachet;               // the calculation stamp, below it
};

void DessinerEphemGraphique(QPainter& p, const QRectF& rectangle, const EphemGraphique& g, const Palette& palette,
                            const OptionsGraphe& options = {});

// "<name>  -  Éphéméride graphique", and the calculation stamp printed under pages and files.
QString TitreEphemGraphique(const QString& nom);
QString CachetCalcul();

// The picture on an A4 landscape PDF page at 300 dpi, in the print colours; false when the
// file cannot be opened.
bool EcrirePdfEphemGraphique(const QString& chemin, const EphemGraphique& g, const Palette& palette,
                             const OptionsGraphe& options);

// The crossing nearest a point of the picture within `rayon` pixels, else -1.
int CroisementPres(const GeometrieGraphe& geo, const EphemGraphique& g, QPointF point, double rayon);

// The texts of a crossing's row: "dd/mm/yyyy hh:mm", body glyph, aspect "45°", target glyphs
// ("a" or "a/b"), as Windows-1252 glyph-font texts except the date.
struct TextesCroisement {
  QString date, corps, aspect, cible;
};
TextesCroisement TextesDuCroisement(const Croisement& x);

}  // namespace selvane
