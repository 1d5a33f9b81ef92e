#include "dial/DessinCadran.h"

namespace selvane {

QColor CouleurCouronne(int slot, bool couronnesColorees) {
  if (!couronnesColorees) return QColor(255, 255, 255);
  switch (slot) {
    case 5: return QColor(255, 255, 155);
    case 7: return QColor(204, 255, 255);
    case 9: return QColor(255, 204, 204);
    default: return QColor(255, 255, 255);
  }
}

OptionsCadran OptionsDeLaSelection(const ModeleCadran&, const SelectionCadran&, const std::bitset<256>&, bool) {
  return {};
}
GeometrieCadran DessinerCadran(QPainter&, const QRect& zone, const ModeleCadran&, const Reglages&,
                               const OptionsCadran&) {
  return GeometrieDuCadran(zone.height());
}
void NettoyerCentre(QPainter&, const GeometrieCadran&, const ModeleCadran&, const Reglages&, const OptionsCadran&) {}
void DessinerPointeurEtLignes(QPainter&, const GeometrieCadran&, const ModeleCadran&, const OptionsCadran&) {}
void DessinerMaisonsNatales(QPainter&, const GeometrieCadran&, const CadreMaisons&, bool, bool) {}
void DessinerMaisonsTransit(QPainter&, const GeometrieCadran&, const CadreMaisons&, bool, bool) {}
void DessinerZodiaque(QPainter&, const GeometrieCadran&, const QColor&, double, int, int, bool, const Reglages&) {}

}  // namespace selvane
