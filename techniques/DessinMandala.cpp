#include "techniques/DessinMandala.h"

#include <QFontMetricsF>
#include <cmath>

#include "core/Catalogue.h"
#include "data/images/ImagesGeometrie.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

QColor CouleurAxe(int axe) {
  if (axe == 1) return Qt::red;
  if (axe == 2) return QColor(0, 128, 0);
  return Qt::blue;
}

long Au(double x) { return std::lround(std::nearbyint(x)); }

}  // namespace

void DessinerMandala(QPainter& p, int cote, const QImage& fond, const std::vector<MarqueMandala>& marques) {
  p.drawImage(QRect(0, 0, cote, cote), fond);
  p.setRenderHint(QPainter::Antialiasing);
  const double R = RayonMandala(cote);
  const int cx = cote / 2, cy = cote / 2;
  for (const MarqueMandala& m : marques) {
    const double rho = std::nearbyint(m.rayon * R);
    const double a = m.angleDeg * DegEnRad;
    const QPoint centre(cx + static_cast<int>(Au(std::cos(a) * rho)), cy - static_cast<int>(Au(std::sin(a) * rho)));
    p.setPen(QPen(CouleurAxe(m.axe), 2));
    p.setBrush(m.pleine ? QBrush(CouleurAxe(m.axe)) : Qt::NoBrush);
    p.drawEllipse(centre, 7, 7);
  }
  p.setBrush(Qt::NoBrush);
}

QImage FigureMandala(int cote, const QImage& fond, const std::vector<MarqueMandala>& marques) {
  QImage image(cote, cote, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  DessinerMandala(p, cote, fond, marques);
  return image;
}

void ImprimerMandala(QPainter& p, const QSizeF& page, const QImage& figure, const CalculMandala& c,
                     const std::string& nomAffiche) {
  const int W = static_cast<int>(page.width());
  // 1. The figure.
  const int cote = W - 2 * (W / 7);
  p.drawImage(QRect(W / 7, W / 11, cote, cote), figure);
  // 2. The title.
  const QFont titre = Police("Arial", 10, true);
  const QFontMetricsF mt(titre, p.device());
  const QString texteTitre = "Mandala pour " + Texte(nomAffiche);
  p.setPen(Qt::black);
  p.setFont(titre);
  p.drawText(QPointF((W - mt.horizontalAdvance(texteTitre)) / 2, 3 * mt.height()), texteTitre);
  // 3. Units of the lists.
  const QFont glyphes6 = Police("Celvan S", 6), glyphes8 = Police("Celvan S", 8), arial6 = Police("Arial", 6);
  const QFontMetricsF m(glyphes6, p.device());
  const double u = m.horizontalAdvance('A');
  const double l = std::nearbyint(1.3 * m.height());
  const double lt = std::nearbyint(1.3 * l);
  const double y0 = W / 11 + cote + 3 * l;
  auto ecrire = [&](const QFont& f, double x, double y, const QString& t) {
    p.setFont(f);
    p.drawText(QPointF(x, y + QFontMetricsF(f, p.device()).ascent()), t);
  };
  // 4. Headings.
  static const int tetesListes[3] = {14, 26, 37};
  static const int tetesTotaux[3] = {57, 62, 66};
  for (int k = 0; k < 3; ++k) {
    const QString nom = Texte(NomAxe(c.axes[static_cast<std::size_t>(k)]));
    ecrire(glyphes8, tetesListes[k] * u, y0 - 2 * l, nom);
    ecrire(glyphes8, tetesTotaux[k] * u, y0 - 2 * l, nom);
  }
  // 5. The lists and the totals.
  static const int colonnes[3] = {10, 22, 34};
  for (int k = 0; k < 3; ++k) {
    const auto& liste = c.listes[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < liste.size(); ++i) {
      const double y = y0 + static_cast<double>(i) * l;
      ecrire(glyphes6, colonnes[k] * u, y, Texte(liste[i].nom));
      ecrire(arial6, (colonnes[k] + 5) * u, y, Texte(liste[i].position));
    }
  }
  for (int b = 1; b <= 18; ++b) {
    const double y = y0 + (b - 1) * lt;
    ecrire(glyphes6, 52 * u, y, Glyphe(LettresCorps[static_cast<std::size_t>(b)]));
    for (int k = 1; k <= 3; ++k) ecrire(arial6, (52 + 5 * k) * u, y, QString::number(c.totaux.compte[b][k]));
    ecrire(arial6, 72 * u, y, QString::number(c.totaux.Total(b)));
  }
  const double ySommes = y0 + 19 * lt;
  int total = 0;
  for (int k = 1; k <= 3; ++k) {
    ecrire(arial6, (52 + 5 * k) * u, ySommes, QString::number(c.totaux.sommes[k]));
    total += c.totaux.sommes[k];
  }
  ecrire(arial6, 72 * u, ySommes, QString::number(total));
  // 6. Frames.
  p.setPen(QPen(Qt::black, 6));
  p.setBrush(Qt::NoBrush);
  const double bas = y0 + 38 * l;
  p.drawRect(QRectF(QPointF(W / 10, y0 - l / 2), QPointF(W - W / 10, bas)));
  p.drawLine(QPointF(50 * u, y0 - l / 2), QPointF(50 * u, bas));
  p.drawLine(QPointF(50 * u, y0 + 18 * lt), QPointF(W - W / 10, y0 + 18 * lt));
  p.drawRect(QRectF(QPointF(W / 10, W / 11), QPointF(W - W / 10, bas)));
  p.drawLine(QPointF(W / 10, y0 - std::nearbyint(3 * l)), QPointF(W - W / 10, y0 - std::nearbyint(3 * l)));
}

}  // namespace selvane
