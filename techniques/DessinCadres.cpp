#include "techniques/DessinCadres.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

// The screen's frame radius in inches at 96 dpi: the fonts are sized for it.
constexpr double kInterieurEcranPouces = 2.53;

QPointF Point(const RayonsCadre& r, double degres, double rayon) {
  const double a = degres * DegEnRad;
  return {r.centre.x() + std::cos(a) * rayon, r.centre.y() - std::sin(a) * rayon};
}

QFont PoliceA(const char* famille, double points, const RayonsCadre& r, bool gras = false) {
  return Police(famille, std::max(1.0, points * r.echelle), gras);
}

void Cercle(QPainter& p, const RayonsCadre& r, double rayon) { p.drawEllipse(r.centre, rayon, rayon); }

QColor CouleurElement(int signe) {
  static const QColor couleurs[4] = {QColor(255, 174, 174), QColor(255, 255, 0), QColor(108, 255, 108),
                                     QColor(0, 255, 255)};
  return couleurs[(signe - 1) % 4];
}

double Milieu(double a, double b) { return Normaliser360(a + Normaliser360(b - a) / 2); }

}  // namespace

RayonsCadre RayonsEcran(const QSize& taille) {
  const double R0 = std::nearbyint(0.45 * taille.height());
  RayonsCadre r;
  r.centre = QPointF(taille.width() / 2, taille.height() / 2);
  r.disque = std::nearbyint(0.135 * R0);
  r.interieur = std::nearbyint(0.675 * R0);
  r.anneau = std::nearbyint(0.783 * R0);
  r.signes = std::nearbyint(1.07 * 0.783 * R0);
  r.glyphes = std::nearbyint(0.95 * R0);
  r.numeros = std::nearbyint(0.54 * R0);
  r.textes = std::nearbyint(1.09 * 0.95 * R0);
  r.echelle = std::min(1.6, std::max(0.3, r.interieur / (kInterieurEcranPouces * 96.0)));
  return r;
}

RayonsCadre RayonsImpression(QPointF centre, double pw, double ppp, double agrandi) {
  RayonsCadre r;
  r.centre = centre;
  r.disque = 0.0238 * pw * agrandi;
  r.interieur = 0.12381 * pw * agrandi;
  r.anneau = 0.14286 * pw * agrandi;
  r.signes = 0.1619 * pw * agrandi;
  r.glyphes = 0.18095 * pw * agrandi;
  r.numeros = 0.8 * r.interieur;
  r.textes = r.glyphes + 0.09 * r.interieur;
  // Font points are physical on a printer: scale them as the frame is scaled.
  r.echelle = r.interieur / ppp / kInterieurEcranPouces;
  return r;
}

void DessinerCadre(QPainter& p, const RayonsCadre& r, const DonneesCadre& d) {
  const Cadre& c = d.cadre;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const double trait = std::max(1.0, r.interieur / 243.0);
  // 2. The centre disc and the two circles.
  p.setPen(QPen(QColor(0, 255, 255), trait));
  p.setBrush(QColor(0, 0, 128));
  Cercle(p, r, r.disque);
  p.setBrush(Qt::NoBrush);
  // 10. The signs at their true longitudes, coloured by element.
  for (int s = 1; s <= 12; ++s) {
    QPainterPath secteur;
    secteur.arcMoveTo(QRectF(r.centre.x() - r.signes, r.centre.y() - r.signes, 2 * r.signes, 2 * r.signes), 30.0 * (s - 1));
    secteur.arcTo(QRectF(r.centre.x() - r.signes, r.centre.y() - r.signes, 2 * r.signes, 2 * r.signes), 30.0 * (s - 1), 30);
    secteur.arcTo(QRectF(r.centre.x() - r.anneau, r.centre.y() - r.anneau, 2 * r.anneau, 2 * r.anneau), 30.0 * s, -30);
    secteur.closeSubpath();
    p.fillPath(secteur, CouleurElement(s));
    p.setPen(QPen(Qt::black, trait));
    p.drawLine(Point(r, 30.0 * (s - 1), r.anneau), Point(r, 30.0 * (s - 1), r.signes));
  }
  p.setFont(PoliceA("Celvan S", 8, r));
  for (int s = 1; s <= 12; ++s)
    Centrer(p, Point(r, 30.0 * (s - 1) + 15, (r.anneau + r.signes) / 2), Glyphe(LettreSigne(s)));
  p.setPen(QPen(Qt::black, trait));
  Cercle(p, r, r.interieur);
  Cercle(p, r, r.anneau);
  Cercle(p, r, r.signes);
  // 3. The cusps, the four angles twice as wide.
  for (int k = 1; k <= 12; ++k) {
    p.setPen(QPen(Qt::black, (k - 1) % 3 == 0 ? 2 * trait : trait));
    p.drawLine(Point(r, c.cuspides[static_cast<std::size_t>(k)], r.disque), Point(r, c.cuspides[static_cast<std::size_t>(k)], r.interieur));
  }
  // 5. The degree ring counted from the axis.
  const double largeur = r.anneau - r.interieur;
  p.setPen(QPen(Qt::black, std::max(1.0, trait / 2)));
  for (int g = 0; g < 360; ++g) {
    const double a = c.axeDeg + g;
    if (g % 30 == 0) p.drawLine(Point(r, a, r.interieur), Point(r, a, r.anneau));
    else if (g % 5 == 0) p.drawLine(Point(r, a, r.anneau), Point(r, a, r.anneau - largeur / 2));
    else p.drawLine(Point(r, a, r.interieur), Point(r, a, r.interieur + 0.15 * largeur));
  }
  // 4. The axis: a red arrow with its point on the inner circle.
  const double base = 0.85 * 0.95 * r.interieur;
  QPolygonF fleche{Point(r, c.axeDeg, r.interieur), Point(r, c.axeDeg - 4, base), Point(r, c.axeDeg + 4, base)};
  p.setPen(QPen(Qt::red, trait));
  p.setBrush(Qt::red);
  p.drawPolygon(fleche);
  p.setBrush(Qt::NoBrush);
  // 6. The aspect glyphs around the axis.
  p.setPen(Qt::blue);
  p.setFont(PoliceA("Celvan S", 9, r, true));
  static const double angles[9] = {0, 30, 45, 60, 90, 120, 135, 150, 180};
  const double rayonAspects = r.interieur + 2.0 / 3.0 * largeur;
  for (int i = 0; i < 9; ++i) Centrer(p, Point(r, c.axeDeg + angles[i], rayonAspects), Glyphe(static_cast<char>('m' + i)));
  for (int i = 1; i < 8; ++i) Centrer(p, Point(r, c.axeDeg + 180 + angles[i], rayonAspects), Glyphe(static_cast<char>('u' - i)));
  // 7. House numbers; 8. the sign letters of the houses in grey.
  p.setPen(Qt::black);
  p.setFont(PoliceA("Arial", 10, r));
  for (int k = 1; k <= 12; ++k) {
    const double milieu = Milieu(c.cuspides[static_cast<std::size_t>(k)], c.cuspides[static_cast<std::size_t>(k % 12 + 1)]);
    Centrer(p, Point(r, milieu, r.numeros), QString::number(k));
  }
  p.setPen(QColor(128, 128, 128));
  p.setFont(PoliceA("Celvan S", 14, r));
  for (int k = 0; k < 12; ++k) {
    const int maison = (6 + k) % 12 + 1;  // Aries in the middle of the seventh house
    const double milieu = c.item == CadreMeridien
                              ? Milieu(c.cuspides[static_cast<std::size_t>(maison)], c.cuspides[static_cast<std::size_t>(maison % 12 + 1)])
                              : c.origineDeg + 180 + 15 + 30.0 * k;
    Centrer(p, Point(r, milieu, 1.7 * r.disque), Glyphe(LettreSigne(k + 1)));
  }
  // 9. The axis glyph on the centre disc.
  p.setPen(Qt::white);
  if (c.item == CadreMeridien) {
    p.setFont(PoliceA("Arial", 17, r));
    Centrer(p, r.centre, Texte(c.centre));
  } else {
    p.setFont(PoliceA("Celvan S", 17, r));
    Centrer(p, r.centre, Texte(c.centre));
  }
  // 11. The bodies: a line from the true longitude to the spread place, the glyph, its position.
  for (int b = 1; b <= 24; ++b) {
    const double vrai = Normaliser360(d.natal[static_cast<std::size_t>(b)] * RadEnDeg);
    const double place = Normaliser360(d.places[static_cast<std::size_t>(b)] * RadEnDeg);
    p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, trait / 2)));
    p.drawLine(Point(r, vrai, r.signes), Point(r, place, r.glyphes - 0.04 * r.interieur));
    p.setPen(Qt::black);
    p.setFont(PoliceA("Celvan S", 13, r));
    Centrer(p, Point(r, place, r.glyphes + 0.03 * r.interieur), Glyphe(LettresCorps[static_cast<std::size_t>(b)]));
    p.setFont(PoliceA("Arial", 7, r));
    Centrer(p, Point(r, place, r.textes + 0.07 * r.interieur), Texte(FormatDansSigne(d.natal[static_cast<std::size_t>(b)])));
  }
  // 12. The connections: the two bodies joined on the sign circle.
  p.setPen(QPen(Qt::red, trait));
  for (const auto& [i, j] : d.connexions)
    p.drawLine(Point(r, d.natal[static_cast<std::size_t>(i)] * RadEnDeg, r.anneau), Point(r, d.natal[static_cast<std::size_t>(j)] * RadEnDeg, r.anneau));
  p.restore();
}

namespace {

void EnteteImprimee(QPainter& p, const QSizeF& page, const EnteteCadres& e) {
  const QFont arial = Police("Arial", 9), gras = Police("Arial", 9, true);
  const QFontMetricsF m(arial, p.device());
  const double x = 6 * m.horizontalAdvance('A');
  const double l = 1.3 * m.height();
  auto ecrire = [&](const QFont& f, double xx, int ligne, const QString& t) {
    p.setFont(f);
    p.drawText(QPointF(xx, ligne * l), t);
  };
  p.setPen(Qt::black);
  ecrire(gras, x, 1, Texte(e.nom));
  ecrire(arial, x, 2, Texte(e.dateHeure));
  ecrire(arial, x, 3, Texte(e.ville));
  ecrire(arial, x, 4, Texte(e.coordonnees));
  QFont titre = gras;
  titre.setUnderline(true);
  const QString t = "Les 6 horoscopes uraniens";
  const double largeur = QFontMetricsF(titre, p.device()).horizontalAdvance(t);
  ecrire(titre, (page.width() - largeur) / 2, 3, t);
}

}  // namespace

void ImprimerSixCadres(QPainter& p, const QSizeF& page, double ppp, const EnteteCadres& entete,
                       const std::array<DonneesCadre, 6>& cadres) {
  EnteteImprimee(p, page, entete);
  static const double xs[2] = {0.24762, 0.75238};
  static const double ys[3] = {0.23569, 0.52852, 0.82492};
  for (std::size_t i = 0; i < 6; ++i) {
    const QPointF centre(xs[i % 2] * page.width(), ys[i / 2] * page.height());
    DessinerCadre(p, RayonsImpression(centre, page.width(), ppp), cadres[i]);
  }
}

void ImprimerUnCadre(QPainter& p, const QSizeF& page, double ppp, const EnteteCadres& entete, const DonneesCadre& cadre) {
  EnteteImprimee(p, page, entete);
  const QPointF centre(page.width() / 2, page.height() / 2);
  DessinerCadre(p, RayonsImpression(centre, page.width(), ppp, 2.4), cadre);
}

ThemeCadres ThemeDesCadres(const EtatTheme& e) {
  ThemeCadres t;
  t.natal = LireLongitudesNatales();
  // The Sun/Moon midpoint of the natal chart, as the dial's ring keeps it.
  t.natal[MiPointSoleilLune] = MiPoint(t.natal[Lune], t.natal[Soleil]);
  t.natal[PointBelier] = 0;
  t.tempsSideralDeg = e.TempsSideralDeg;
  t.obliquiteRad = e.ObliquiteRad;
  return t;
}

DonneesCadre DonneesDuCadre(const ThemeCadres& theme, int item, double ecart, std::optional<double> orbeConnexionsDeg,
                            const std::bitset<256>& jeu) {
  DonneesCadre d;
  d.cadre = CalculerCadre(item, theme.natal, theme.tempsSideralDeg, theme.obliquiteRad);
  d.natal = theme.natal;
  d.places = EtalerLongitudes(theme.natal, ecart);
  if (orbeConnexionsDeg) d.connexions = CalculerConnexions(d.cadre.axeDeg, theme.natal, jeu, *orbeConnexionsDeg);
  return d;
}

EnteteCadres EnteteDesCadres(const EtatTheme& e) {
  return {std::string(e.NomAffiche.Texte()), std::string(e.LigneDateHeure.Texte()),
          std::string(e.FicheEnCours.Ville.Texte()), std::string(e.LigneCoordonnees.Texte())};
}

DocumentImprime DocumentSixCadres(const EnteteCadres& entete, const std::array<DonneesCadre, 6>& cadres,
                                  const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [entete, cadres](QPainter& p, const QRectF& zone, int) {
    ImprimerSixCadres(p, zone.size(), p.device()->logicalDpiX(), entete, cadres);
  };
  return d;
}

DocumentImprime DocumentUnCadre(const EnteteCadres& entete, const DonneesCadre& cadre, const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [entete, cadre](QPainter& p, const QRectF& zone, int) {
    ImprimerUnCadre(p, zone.size(), p.device()->logicalDpiX(), entete, cadre);
  };
  return d;
}

}  // namespace selvane
