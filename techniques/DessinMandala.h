#pragma once
// The mandala figure (the background picture with its marks) and its printed
// page with the framing lists and the totals, which the window and the command line both print.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "dessin/Document.h"
#include "dessin/Feuille.h"
#include "techniques/Mandala.h"

namespace selvane {

// The natal chart as the mandala takes it: the Aries point at 0.
LongitudesNatales LongitudesDuMandala();

// The marks drawn on the background stretched to a square of side `cote`: a circle in the
// axis's colour (red, green, blue), filled for a strong presence. `noirEtBlanc`: the three
// colours would become near-identical greys, so the axes are told apart by the mark's shape
// instead (circle, square, diamond), in black.
void DessinerMandala(QPainter& p, int cote, const QImage& fond, const std::vector<MarqueMandala>& marques,
                     bool noirEtBlanc = false);
QImage FigureMandala(int cote, const QImage& fond, const std::vector<MarqueMandala>& marques, bool noirEtBlanc = false);

// The background picture, AMandala.bmp of the program folder `dossier`; false with the
// system's French text naming the file when it cannot be read.
bool LireFondMandala(const QString& dossier, QImage& fond, std::string& message);

// One portrait page of width W: the figure, the title, the lists and the totals.
void ImprimerMandala(QPainter& p, const QSizeF& page, const QImage& figure, const CalculMandala& calcul,
                     const std::string& nomAffiche);
// The printed page of the lists `calcul` on the background `fond`, the figure at full size
// whatever a window shows; in black and white, with the marks of the black-and-white figure.
DocumentImprime DocumentMandala(const QImage& fond, const CalculMandala& calcul, const std::string& nomAffiche,
                                const QStringList& cachet, bool noirEtBlanc);

// The framing list of axis 1..3 as a sheet: the axis and its place as captions, then each
// point or midpoint (glyphs) with its place.
Feuille FeuilleAxeMandala(const CalculMandala& calcul, int axe);
// The counts: one row a body 1..18 (its glyph, the count of each axis, the total), an empty
// row, then the sums of the axes and their total.
Feuille FeuilleTotauxMandala(const CalculMandala& calcul);

}  // namespace selvane
