#include "forecast/DessinTableMiPoints.h"

#include <QFontMetricsF>
#include <QStaticText>
#include <map>
#include <cmath>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

int Proche(double x) { return static_cast<int>(std::lround(x)); }

// Text whose top-left corner is at (x, y), as the table places every glyph; `ascent` is the
// current font's, measured once per drawing.
void TexteEnHaut(QPainter& p, double x, double y, const QString& texte, double ascent) {
  p.drawText(QPointF(x, y + ascent), texte);
}

double Ascent(const QFont& police, QPaintDevice* cible) { return QFontMetricsF(police, cible).ascent(); }

// The few texts drawn in the glyph font again and again, laid out once per drawing.
class TextesFixes {
 public:
  explicit TextesFixes(const QFont& police) : police_(police) {}
  void Dessiner(QPainter& p, double x, double y, const QString& texte) {
    auto i = textes_.find(texte);
    if (i == textes_.end()) {
      QStaticText t(texte);
      t.setTextFormat(Qt::PlainText);
      t.prepare(p.transform(), police_);
      i = textes_.emplace(texte, t).first;
    }
    // A static text is placed by its top-left corner, as every text of the table.
    p.drawStaticText(QPointF(x, y), i->second);
  }

 private:
  QFont police_;
  std::map<QString, QStaticText> textes_;
};

void Glyphe(QPainter& p, double x, double y, int corps, const ParametresTable& par, TextesFixes& textes) {
  const QString glyphe = selvane::Glyphe(LettresCorps[corps]);
  if (corps == par.corpsEnSurbrillance) {
    // White on an opaque blue background, as wide as the glyph and as high as the font.
    const QFontMetricsF m(p.font(), p.device());
    p.fillRect(QRectF(x, y, m.horizontalAdvance(glyphe), m.height()), QColor(0, 0, 255));
    p.setPen(Qt::white);
  } else {
    p.setPen(par.palette.corps[corps]);
  }
  textes.Dessiner(p, x, y, glyphe);
}

}  // namespace

GeometrieTable DessinerTableauMiPOints(QPainter& p, const std::vector<LigneTableMiPoints>& lignes,
                                       const ParametresTable& par) {
  p.save();
  GeometrieTable geo;
  const QFont glyphes9 = Police("Celvan S", 9);
  const QFontMetricsF m9(glyphes9, p.device());
  const double w = m9.horizontalAdvance("A");
  QColor grille;
  if (!par.imprimante) {
    p.fillRect(QRect(0, 0, p.device()->width(), p.device()->height()), Qt::white);
    const QFont titre = Police("Liberation Sans", 10, true);
    p.setFont(titre);
    p.setPen(Qt::black);
    const int hA = static_cast<int>(QFontMetricsF(titre, p.device()).height());
    TexteEnHaut(p, 5, hA / 4, par.titre, Ascent(titre, p.device()));
    geo.g = Proche(w / 2.7);
    geo.u = Proche(1.55 * w);
    geo.x0 = geo.u;
    geo.y0 = geo.u;
    grille = QColor(192, 192, 192);
  } else {
    geo.g = Proche(w / (par.harmonique == 1 ? 2.6 : 2.7));
    geo.u = Proche(1.7 * w);
    geo.x0 = Proche(1.5 * geo.u);
    geo.y0 = 6 * Proche(1.3 * m9.height());
    grille = QColor(128, 128, 128);
  }
  const int u = geo.u, g = geo.g, x0 = geo.x0, y0 = geo.y0;
  geo.blocs = (static_cast<int>(lignes.size()) - 1) / LignesParBloc + 1;
  p.setPen(QPen(grille, 1));
  for (int k = 0; k < geo.blocs; ++k) {
    const int xk = x0 + 6 * u * k;
    for (int q = 0; q <= LignesParBloc; ++q) p.drawLine(xk, y0 + q * u, xk + 5 * u + g, y0 + q * u);
    for (int x : {xk, xk + u, xk + 2 * u, xk + 3 * u, xk + 5 * u + g}) p.drawLine(x, y0, x, y0 + LignesParBloc * u);
  }
  const QFont glyphes8 = Police("Celvan S", 8);
  const QFont glyphes7 = Police("Celvan S", 7);
  const QFont texte9 = Police("Liberation Sans", 9);
  const int c = (u - static_cast<int>(QFontMetricsF(glyphes8, p.device()).horizontalAdvance("A"))) / 2;
  const double a7 = Ascent(glyphes7, p.device()), a9 = Ascent(texte9, p.device());
  TextesFixes fixes(glyphes8);
  // Two passes, glyphs then positions, so the painter changes its font twice, not per row.
  for (int passe = 0; passe < 2; ++passe) {
    if (passe == 0) p.setFont(glyphes8);
    else p.setFont(par.harmonique == 1 ? glyphes7 : texte9);
    for (std::size_t i = 0; i < lignes.size(); ++i) {
      const LigneTableMiPoints& r = lignes[i];
      const int k = static_cast<int>(i) / LignesParBloc;
      const int l = static_cast<int>(i) % LignesParBloc;
      const int xk = x0 + 6 * u * k;
      const int x = xk + c;
      const int y = y0 + l * u + c;
      const int premier = r.a != 0 ? r.a : r.b;
      if (passe == 1) {
        p.setPen(par.palette.corps[premier]);
        if (par.harmonique == 1)
          TexteEnHaut(p, xk + 3 * u + c, y0 + l * u + Proche(1.2 * c), Texte(FormatGlyphe(r.positionDeg * DegEnRad)), a7);
        else
          TexteEnHaut(p, xk + 3 * u + c, y, Texte(FormatDegMin(r.positionDeg)), a9);
        continue;
      }
      Glyphe(p, r.a != 0 ? x : x + u, y, premier, par, fixes);
      if (r.a != 0) {
        Glyphe(p, x + 2 * u, y, r.b, par, fixes);
        p.setPen(Qt::black);
        fixes.Dessiner(p, x + u + c, y, "/");
      }
    }
  }
  p.restore();
  return geo;
}

}  // namespace selvane
