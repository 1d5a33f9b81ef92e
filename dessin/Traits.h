#pragma once
// Glyphs, fonts, centred text, dashed lines: the strokes every picture is made of.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRect>
#include <QString>

namespace selvane {

// The character of a glyph font for one Windows-1252 byte.
QString Glyphe(char octet);
QFont Police(const char* famille, double points, bool gras = false);
// Text centred on a point.
void Centrer(QPainter& p, QPointF point, const QString& texte);
// Dashed line cut into an odd number of segments, every other one drawn; with `ronds`
// a small circle of the pen's width sits in each gap.
void LigneTiretee(QPainter& p, QPointF a, QPointF b, double longueurTiret, bool ronds, double largeur);
void ReinitialiserPlume(QPainter& p);
// Device pixels in a millimetre of the painter's device: printed strokes are sized in
// millimetres so a page looks the same at 300 and at 1200 dpi.
double PixelsParMillimetre(const QPainter& p);
// Puts a rectangle of a drawing on the clipboard, scaled into twice the given size.
void CopierImage(const QImage& dessin, const QRect& rectangle, int largeur, int hauteur);

}  // namespace selvane
