#include "dessin/Traits.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>

namespace selvane {

QString Glyphe(char octet) { return QString(QChar(static_cast<ushort>(static_cast<unsigned char>(octet)))); }

QFont Police(const char* famille, double points, bool gras) {
  QFont f(famille);
  f.setPointSizeF(points);
  f.setBold(gras);
  return f;
}

void Centrer(QPainter& p, QPointF point, const QString& texte) {
  const QFontMetricsF m(p.font(), p.device());
  const QRectF r = m.boundingRect(texte);
  p.drawText(QPointF(point.x() - m.horizontalAdvance(texte) / 2, point.y() - r.center().y()), texte);
}

void LigneTiretee(QPainter& p, QPointF a, QPointF b, double longueurTiret, bool ronds, double largeur) {
  const double L = std::hypot(b.x() - a.x(), b.y() - a.y());
  int n = static_cast<int>(L / longueurTiret);
  if (n % 2 == 0) n += 1;
  for (int i = 0; i < n; ++i) {
    const QPointF u = a + (b - a) * (static_cast<double>(i) / n);
    const QPointF v = a + (b - a) * (static_cast<double>(i + 1) / n);
    if (i % 2 == 0) {
      p.drawLine(u, v);
    } else if (ronds) {
      p.drawEllipse((u + v) / 2, largeur, largeur);
    }
  }
}

void ReinitialiserPlume(QPainter& p) {
  p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
  p.setBrush(Qt::NoBrush);
}

void CopierImage(const QImage& dessin, const QRect& rectangle, int largeur, int hauteur) {
  const QImage image = dessin.copy(rectangle).scaled(2 * largeur, 2 * hauteur, Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation);
  QGuiApplication::clipboard()->setImage(image);
}

double PixelsParMillimetre(const QPainter& p) {
  return p.device() ? p.device()->logicalDpiY() / 25.4 : 96 / 25.4;
}

}  // namespace selvane
