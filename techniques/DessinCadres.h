#pragma once
// One house frame drawn as a wheel: the same layers on the screen, on the six
// frames page and on the single-frame page, scaled by their radii; the two printed pages,
// which the window and the command line both print.
#include <QPainter>
#include <QStringList>
#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dessin/Document.h"
#include "techniques/HoroscopesUraniens.h"

namespace selvane {

struct RayonsCadre {
  QPointF centre;
  double disque;     // centre disc
  double interieur;  // inner circle: cusps end, arrow point
  double anneau;     // outer circle of the degree ring, inner of the signs
  double signes;     // outer circle of the signs
  double glyphes;    // body glyphs
  double numeros;    // house numbers
  double textes;     // positions under the glyphs
  double echelle;    // of the font sizes (1 on the screen)
};
// The screen layout of a picture of the given size (R0 = 0.45 of the height).
RayonsCadre RayonsEcran(const QSize& taille);
// A printed frame of the page width PW: radii 0.0238, 0.12381, 0.14286, 0.1619, 0.18095 of PW (times `agrandi`).
RayonsCadre RayonsImpression(QPointF centre, double largeurPage, double pointsParPouce, double agrandi = 1);

struct DonneesCadre {
  Cadre cadre;
  LongitudesNatales natal{};
  std::array<double, 25> places{};             // spread glyph places, radians
  std::vector<std::pair<int, int>> connexions;  // drawn when not empty
};

void DessinerCadre(QPainter& p, const RayonsCadre& r, const DonneesCadre& d);

// The spread of the glyphs on the screen and on paper.
constexpr double EcartCadresEcran = 5 * DegEnRad;
constexpr double EcartCadresImprimes = 6 * DegEnRad;

// The natal chart as the frames take it: the Sun/Moon midpoint of the chart, the Aries point at 0.
struct ThemeCadres {
  LongitudesNatales natal{};
  double tempsSideralDeg = 0, obliquiteRad = 0;
};
ThemeCadres ThemeDesCadres(const EtatTheme& e);
// Frame `item` with its glyphs spread by `ecart`; with `orbeConnexionsDeg`, the connections
// of the planet set `jeu` on its axes.
DonneesCadre DonneesDuCadre(const ThemeCadres& theme, int item, double ecart, std::optional<double> orbeConnexionsDeg,
                            const std::bitset<256>& jeu);

struct EnteteCadres {
  std::string nom, dateHeure, ville, coordonnees;  // Windows-1252
};
EnteteCadres EnteteDesCadres(const EtatTheme& e);  // the current chart's
// The six frames of items 0..5 on one page.
void ImprimerSixCadres(QPainter& p, const QSizeF& page, double pointsParPouce, const EnteteCadres& entete,
                       const std::array<DonneesCadre, 6>& cadres);
// One frame, large, on its own page.
void ImprimerUnCadre(QPainter& p, const QSizeF& page, double pointsParPouce, const EnteteCadres& entete,
                     const DonneesCadre& cadre);

// The printed pages: the six frames (items 0..5), or one frame alone.
DocumentImprime DocumentSixCadres(const EnteteCadres& entete, const std::array<DonneesCadre, 6>& cadres,
                                  const QStringList& cachet);
DocumentImprime DocumentUnCadre(const EnteteCadres& entete, const DonneesCadre& cadre, const QStringList& cachet);

}  // namespace selvane
