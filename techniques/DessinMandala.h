#pragma once
// The mandala figure (the background picture with its marks) and its printed
// page with the framing lists and the totals.
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "techniques/Mandala.h"

namespace selvane {

// The marks drawn on the background stretched to a square of side `cote`.
void DessinerMandala(QPainter& p, int cote, const QImage& fond, const std::vector<MarqueMandala>& marques);
QImage FigureMandala(int cote, const QImage& fond, const std::vector<MarqueMandala>& marques);

// One portrait page of width W: the figure, the title, the lists and the totals.
void ImprimerMandala(QPainter& p, const QSizeF& page, const QImage& figure, const CalculMandala& calcul,
                     const std::string& nomAffiche);

}  // namespace selvane
