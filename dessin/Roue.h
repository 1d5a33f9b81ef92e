#pragma once
// The wheel every chart picture is drawn on: its geometry and its sign ring.
#include <QPainter>
#include <QPointF>

#include "core/EtatTheme.h"
#include "dessin/Palette.h"

namespace selvane {

struct GeometrieRoue {
  QPointF centre;
  double r0 = 0, r1 = 0, R = 0;  // sign ring, and the radius the bodies start from
  double rotation = 0;           // radians added to a longitude
  QPointF Point(double longitude, double rayon) const;
};

// Rotation of the wheel for the chart's orientation and house system.
double RotationRoue(const EtatTheme& theme);

// Sign ring between r0 and r1: sectors, boundaries, degree ticks, glyphs.
void AnneauSignes(QPainter& p, const GeometrieRoue& g, const Palette& pal, double taillePoints, double largeurTrait);

// The printed sign ring (also used by the dial's printing).
void ImprimerRoue(QPainter& p, QPointF centre, double c, int tailleGlyphe, double rotation, double d,
                  const Reglages& reglages, const OptionsDessin& options);

}  // namespace selvane
