#include "dessin/Roue.h"

#include <QPainterPath>
#include <cmath>

#include "core/Catalogue.h"
#include "dessin/Traits.h"

namespace selvane {

QPointF GeometrieRoue::Point(double longitude, double rayon) const {
  return QPointF(centre.x() + rayon * std::cos(rotation + longitude), centre.y() - rayon * std::sin(rotation + longitude));
}

double RotationRoue(const EtatTheme& e) {
  if (e.Orientation == 'o' && e.SystemeMaisons != 0) return Pi - e.Positions[Ascendant][1];
  if (e.Orientation == 'd') return 0;
  return Pi;
}

void AnneauSignes(QPainter& p, const GeometrieRoue& g, const Palette& pal, double taillePoints, double largeurTrait) {
  const double r0 = g.r0, r1 = g.r1;
  for (int k = 0; k < 12; ++k) {
    if (!pal.secteursColores) break;
    QPainterPath secteur;
    const double a0 = (g.rotation + k * Pi / 6) * RadEnDeg, a1 = (g.rotation + (k + 1) * Pi / 6) * RadEnDeg;
    secteur.arcMoveTo(QRectF(g.centre.x() - r1, g.centre.y() - r1, 2 * r1, 2 * r1), a0);
    secteur.arcTo(QRectF(g.centre.x() - r1, g.centre.y() - r1, 2 * r1, 2 * r1), a0, a1 - a0);
    secteur.arcTo(QRectF(g.centre.x() - r0, g.centre.y() - r0, 2 * r0, 2 * r0), a1, a0 - a1);
    secteur.closeSubpath();
    p.fillPath(secteur, pal.fondSignes[k % 4]);
  }
  p.setPen(QPen(pal.traits, largeurTrait));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(g.centre, r1, r1);
  p.drawEllipse(g.centre, r0, r0);
  p.drawEllipse(g.centre, 2, 2);
  for (int k = 0; k < 12; ++k) p.drawLine(g.Point(k * Pi / 6, r0 - 1), g.Point(k * Pi / 6, r1 + 1));
  p.setPen(QPen(pal.traits, std::max(1.0, largeurTrait / 2)));
  for (int d = 0; d < 360; ++d) {
    const double f = d % 10 == 0 ? 0.3 : d % 5 == 0 ? 0.2 : 0.1;
    p.drawLine(g.Point(d * DegEnRad, r1 - f * (r1 - r0)), g.Point(d * DegEnRad, r1));
  }
  p.setFont(Police("Celvan S", taillePoints));
  for (int k = 0; k < 12; ++k) {
    const QPointF point = g.Point((15 + 30 * k) * DegEnRad, 0.4 * r1 + 0.6 * r0);
    if (pal.ombre) {
      p.setPen(QColor(160, 160, 160));
      Centrer(p, point + QPointF(3, 3), Glyphe(LettreSigne(k + 1)));
    }
    p.setPen(pal.signes[k % 4]);
    Centrer(p, point, Glyphe(LettreSigne(k + 1)));
  }
}

void ImprimerRoue(QPainter& p, QPointF centre, double c, int tailleGlyphe, double rotation, double d,
                  const Reglages& reglages, const OptionsDessin& options) {
  GeometrieRoue g;
  g.centre = centre;
  g.r0 = c;
  g.r1 = d;
  g.rotation = rotation;
  Palette pal = PaletteImpression(reglages, options);
  if (!options.fondsSignesColores) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, d, d);
    p.setBrush(Qt::NoBrush);
  }
  AnneauSignes(p, g, pal, tailleGlyphe, 2);
}

}  // namespace selvane
