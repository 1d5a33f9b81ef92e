#include "techniques/DessinMandala.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPolygonF>
#include <algorithm>
#include <cerrno>
#include <cmath>

#include "birthdata/records/ErreurFichier.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
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

void DessinerMandala(QPainter& p, int cote, const QImage& fond, const std::vector<MarqueMandala>& marques,
                     bool noirEtBlanc) {
  p.drawImage(QRect(0, 0, cote, cote), fond);
  p.setRenderHint(QPainter::Antialiasing);
  const double R = RayonMandala(cote);
  const int cx = cote / 2, cy = cote / 2;
  for (const MarqueMandala& m : marques) {
    const double rho = std::nearbyint(m.rayon * R);
    const double a = m.angleDeg * DegEnRad;
    const QPoint centre(cx + static_cast<int>(Au(std::cos(a) * rho)), cy - static_cast<int>(Au(std::sin(a) * rho)));
    const QColor couleur = noirEtBlanc ? QColor(Qt::black) : CouleurAxe(m.axe);
    p.setPen(QPen(couleur, 2));
    p.setBrush(m.pleine ? QBrush(couleur) : Qt::NoBrush);
    if (!noirEtBlanc || m.axe == 1) {
      p.drawEllipse(centre, 7, 7);
    } else if (m.axe == 2) {
      p.drawRect(QRectF(centre.x() - 6.5, centre.y() - 6.5, 13, 13));
    } else {
      const QPointF c(centre);
      p.drawPolygon(QPolygonF({c + QPointF(0, -8.5), c + QPointF(8.5, 0), c + QPointF(0, 8.5), c + QPointF(-8.5, 0)}));
    }
  }
  p.setBrush(Qt::NoBrush);
}

QImage FigureMandala(int cote, const QImage& fond, const std::vector<MarqueMandala>& marques, bool noirEtBlanc) {
  QImage image(cote, cote, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  DessinerMandala(p, cote, fond, marques, noirEtBlanc);
  return image;
}

LongitudesNatales LongitudesDuMandala() {
  LongitudesNatales natal = LireLongitudesNatales();
  natal[PointBelier] = 0;
  return natal;
}

bool LireFondMandala(const QString& dossier, QImage& fond, std::string& message) {
  const QString chemin = dossier + "/AMandala.bmp";
  if (fond.load(chemin)) return true;
  // The file error as every failing file operation gives it: the system's text naming the file.
  try {
    LeverErreurFichier(QFileInfo::exists(chemin) ? EIO : ENOENT, chemin.toStdString());
  } catch (const ErreurFichier& e) {
    message = e.what();
  }
  return false;
}

void ImprimerMandala(QPainter& p, const QSizeF& page, const QImage& figure, const CalculMandala& c,
                     const std::string& nomAffiche) {
  const double W = page.width(), H = page.height();
  const double gauche = std::floor(W / 10), droite = W - std::floor(W / 10), haut = std::floor(W / 11);
  // Units of the lists.
  const QFont glyphes6 = Police("Celvan S", 6), glyphes8 = Police("Celvan S", 8), arial6 = Police("Arial", 6);
  const QFontMetricsF m(glyphes6, p.device());
  const double u = m.horizontalAdvance('A');
  const double l = std::nearbyint(1.3 * m.height());
  const double lt = std::nearbyint(1.3 * l);
  // 1. The figure: as wide as the page allows, smaller when the lists below would pass the
  // page's foot (their frame ends 38 lines under the figure).
  const double cote = std::max(0.0, std::min(W - 2 * std::floor(W / 7), H - haut - 42 * l));
  p.drawImage(QRectF((W - cote) / 2, haut, cote, cote), figure);
  // 2. The title.
  const QFont titre = Police("Arial", 10, true);
  const QFontMetricsF mt(titre, p.device());
  const QString texteTitre = "Mandala pour " + Texte(nomAffiche);
  p.setPen(Qt::black);
  p.setFont(titre);
  p.drawText(QPointF((W - mt.horizontalAdvance(texteTitre)) / 2, 3 * mt.height()), texteTitre);
  const double y0 = haut + cote + 3 * l;
  // Columns counted in units from the frame's left line, the first list one unit inside it.
  const auto x = [&](double colonne) { return gauche + (colonne - 9) * u; };
  auto ecrire = [&](const QFont& f, double xx, double y, const QString& t) {
    p.setFont(f);
    p.drawText(QPointF(xx, y + QFontMetricsF(f, p.device()).ascent()), t);
  };
  // 3. Headings.
  static const int tetesListes[3] = {14, 26, 37};
  static const int tetesTotaux[3] = {57, 62, 66};
  for (int k = 0; k < 3; ++k) {
    const QString nom = Texte(NomAxe(c.axes[static_cast<std::size_t>(k)]));
    ecrire(glyphes8, x(tetesListes[k]), y0 - 2 * l, nom);
    ecrire(glyphes8, x(tetesTotaux[k]), y0 - 2 * l, nom);
  }
  // 4. The lists and the totals.
  static const int colonnes[3] = {10, 22, 34};
  for (int k = 0; k < 3; ++k) {
    const auto& liste = c.listes[static_cast<std::size_t>(k)];
    for (std::size_t i = 0; i < liste.size(); ++i) {
      const double y = y0 + static_cast<double>(i) * l;
      ecrire(glyphes6, x(colonnes[k]), y, Texte(liste[i].nom));
      ecrire(arial6, x(colonnes[k] + 5), y, Texte(liste[i].position));
    }
  }
  for (int b = 1; b <= 18; ++b) {
    const double y = y0 + (b - 1) * lt;
    ecrire(glyphes6, x(52), y, Glyphe(LettresCorps[static_cast<std::size_t>(b)]));
    for (int k = 1; k <= 3; ++k) ecrire(arial6, x(52 + 5 * k), y, QString::number(c.totaux.compte[b][k]));
    ecrire(arial6, x(72), y, QString::number(c.totaux.Total(b)));
  }
  const double ySommes = y0 + 19 * lt;
  int total = 0;
  for (int k = 1; k <= 3; ++k) {
    ecrire(arial6, x(52 + 5 * k), ySommes, QString::number(c.totaux.sommes[k]));
    total += c.totaux.sommes[k];
  }
  ecrire(arial6, x(72), ySommes, QString::number(total));
  // 5. Frames, inside the page.
  const double plume = std::max(6.0, 0.3 * PixelsParMillimetre(p));
  p.setPen(QPen(Qt::black, plume));
  p.setBrush(Qt::NoBrush);
  const double bas = std::min(y0 + 38 * l, H - plume);
  p.drawRect(QRectF(QPointF(gauche, y0 - l / 2), QPointF(droite, bas)));
  p.drawLine(QPointF(x(50), y0 - l / 2), QPointF(x(50), bas));
  p.drawLine(QPointF(x(50), y0 + 18 * lt), QPointF(droite, y0 + 18 * lt));
  p.drawRect(QRectF(QPointF(gauche, haut), QPointF(droite, bas)));
  p.drawLine(QPointF(gauche, y0 - std::nearbyint(3 * l)), QPointF(droite, y0 - std::nearbyint(3 * l)));
}

DocumentImprime DocumentMandala(const QImage& fond, const CalculMandala& calcul, const std::string& nomAffiche,
                                const QStringList& cachet, bool noirEtBlanc) {
  DocumentImprime d;
  d.noirEtBlanc = noirEtBlanc;
  d.cachet = cachet;
  // Paper gets the full-size figure whatever the window's height.
  d.peindre = [figure = FigureMandala(800, fond, MarquesMandala(calcul.totaux), noirEtBlanc), calcul, nomAffiche](
                  QPainter& p, const QRectF& zone, int) { ImprimerMandala(p, zone.size(), figure, calcul, nomAffiche); };
  return d;
}

Feuille FeuilleAxeMandala(const CalculMandala& calcul, int axe) {
  const std::size_t k = static_cast<std::size_t>(axe - 1);
  Feuille f;
  f.titres << QString("AXE %1").arg(axe);
  f.colonnes = {{Texte(NomAxe(calcul.axes[k])), 6, Qt::AlignLeft, true, true}, {Texte(FormatDegMin(calcul.positions[k])), 7}};
  for (const LigneEncadrante& l : calcul.listes[k]) f.lignes.push_back({Texte(l.nom), Texte(l.position)});
  return f;
}

Feuille FeuilleTotauxMandala(const CalculMandala& calcul) {
  Feuille f;
  f.colonnes.push_back({"", 5, Qt::AlignLeft, true});
  for (std::size_t k = 0; k < 3; ++k) f.colonnes.push_back({Texte(NomAxe(calcul.axes[k])), 5, Qt::AlignLeft, false, true});
  f.colonnes.push_back({"", 5});
  for (int b = 1; b <= 18; ++b) {
    QStringList r{Glyphe(LettresCorps[static_cast<std::size_t>(b)])};
    for (int k = 1; k <= 3; ++k) r << QString::number(calcul.totaux.compte[b][k]);
    r << QString::number(calcul.totaux.Total(b));
    f.lignes.push_back(r);
  }
  f.lignes.push_back({"", "", "", "", ""});
  QStringList sommes{""};
  int total = 0;
  for (int k = 1; k <= 3; ++k) {
    sommes << QString::number(calcul.totaux.sommes[k]);
    total += calcul.totaux.sommes[k];
  }
  sommes << QString::number(total);
  f.lignes.push_back(sommes);
  return f;
}

}  // namespace selvane
