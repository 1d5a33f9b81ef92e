#include "forecast/ImpressionListe.h"

#include <QFontMetricsF>
#include <algorithm>

#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

void DessinerPageListe(QPainter& p, const QSize& page, const PageListe& contenu) {
  const QFont arial10 = Police("Arial", 10), arial9 = Police("Arial", 9), glyphes8 = Police("Celvan S", 8);
  const QFontMetricsF m(arial10, p.device());
  const double cw = m.horizontalAdvance('A'), lh = m.height();
  double x = 5 * cw;
  p.setPen(Qt::black);
  p.setFont(Police("Arial", 10, true));
  p.drawText(QPointF(x, lh), contenu.titre);
  const QString entete = contenu.transits ? "Transit                Pos.             Date                   Age"
                                          : "Direction            Pos.         Date             Age";
  const double ageX = contenu.transits ? 30 : 26;
  auto enTete = [&] {
    p.setFont(arial10);
    p.drawText(QPointF(x, 3 * lh), entete);
  };
  enTete();
  // A column holds 66 rows: on a page too short for one line each, the rows close up.
  const double pas = std::min(lh, (page.height() - 5 * lh) / (LignesParColonne - 1 + 0.5));
  double y = 5 * lh;
  for (std::size_t i = 0; i < contenu.lignes.size(); ++i) {
    if (i == LignesParColonne) {
      x = page.width() / 2.0;
      enTete();
      y = 5 * lh;
    }
    const auto& l = contenu.lignes[i];
    p.setFont(glyphes8);
    p.drawText(QPointF(x, y), Texte(l[0]));
    p.setFont(contenu.transits ? glyphes8 : arial10);
    p.drawText(QPointF(x + 11 * cw, y), Texte(l[1]));
    p.setFont(arial9);
    p.drawText(QPointF(x + 17 * cw, y), Texte(l[2]));
    p.drawText(QPointF(x + ageX * cw, y), Texte(l[3]));
    y += pas;
  }
}

DocumentImprime DocumentListe(const PageListe& contenu, const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [contenu](QPainter& p, const QRectF& zone, int) { DessinerPageListe(p, zone.size().toSize(), contenu); };
  return d;
}

Feuille FeuilleListe(const PageListe& contenu) {
  Feuille f;
  if (!contenu.titre.isEmpty()) f.titres << contenu.titre;
  // A transit's date carries its time too: wide enough for both on one line. A transit has no arc.
  if (contenu.transits)
    f.colonnes = {{"Transit", 7, Qt::AlignLeft, true}, {"Pos.", 4, Qt::AlignLeft, true}, {"Date", 12}, {"Age", 7}};
  else
    f.colonnes = {{"Direction", 7, Qt::AlignLeft, true}, {"Pos.", 4}, {"Date", 8}, {"Age", 7}, {"Arc", 4}};
  for (const auto& l : contenu.lignes) {
    QStringList r;
    for (std::size_t k = 0; k < f.colonnes.size(); ++k) r << Texte(l[k]);
    f.lignes.push_back(r);
  }
  return f;
}

}  // namespace selvane
