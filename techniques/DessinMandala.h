#pragma once
// The mandala figure (the background picture with its marks) and its printed
// page with the framing lists and the totals.
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "dessin/Feuille.h"
#include "techniques/Mandala.h"

namespace selvane {

// The marks drawn on the background stretched to a square of side `cote`.
void DessinerMandala(QPainter& p, int cote, const QImage& fond, const std::vector<MarqueMandala>& marques);
QImage FigureMandala(int cote, const QImage& fond, const std::vector<MarqueMandala>& marques);

// One portrait page of width W: the figure, the title, the lists and the totals.
void ImprimerMandala(QPainter& p, const QSizeF& page, const QImage& figure, const CalculMandala& calcul,
                     const std::string& nomAffiche);

// The framing list of axis 1..3 as a sheet: the axis and its place as captions, then each
// point or midpoint (glyphs) with its place.
Feuille FeuilleAxeMandala(const CalculMandala& calcul, int axe);
// The counts: one row a body 1..18 (its glyph, the count of each axis, the total), an empty
// row, then the sums of the axes and their total.
Feuille FeuilleTotauxMandala(const CalculMandala& calcul);

}  // namespace selvane
