#pragma once
// The chart wheel, its header and its aspect table: one painter routine for the
// listing window, the printed sheet and the tests.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

namespace selvane {

// Coloured sign sectors on screen and on paper (the main window's "Fonds des signes colorés").
extern bool FondsSignesColores;
// Printing in colour (the main window's "Couleurs").
extern bool ImpressionCouleur;

struct GeometrieRoue {
  QPointF centre;
  double r0 = 0, r1 = 0, R = 0;  // sign ring, and the radius the bodies start from
  double rotation = 0;           // radians added to a longitude
  QPointF Point(double longitude, double rayon) const;
};

// The chart state drawn into a surface of the given size, as the listing window shows it.
// petitEcran: the screen is less than 600 pixels high (smaller fonts).
GeometrieRoue DessinerTheme(QPainter& p, QSize taille, bool petitEcran = false);

// Rotation of the wheel for the current orientation and house system.
double RotationRoue();

// The aspect of two bodies by the options: index 0..8, or -1.
int AspectEntre(int corps1, int corps2);

// The printed chart sheet on a portrait page; returns the wheel's geometry.
GeometrieRoue ImprimerFeuille(QPainter& p, QSize page);
// The printed sign ring (also used by the dial's printing).
void ImprimerRoue(QPainter& p, QPointF centre, double c, int tailleGlyphe, double rotation, double d);
void ReinitialiserPlume(QPainter& p);
// Puts a rectangle of a drawing on the clipboard, scaled into twice the given size.
void CopierImage(const QImage& dessin, const QRect& rectangle, int largeur, int hauteur);

}  // namespace selvane
