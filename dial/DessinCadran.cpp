#include "dial/DessinCadran.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygon>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "dessin/Palette.h"
#include "dessin/Document.h"
#include "dessin/Traits.h"

namespace selvane {
namespace {

constexpr double QuartDeTour = 1.5707964f;  // the single-precision quarter turn every angle starts from

int Entier(double x) { return static_cast<int>(Arrondi(x)); }

// The point at radius r and screen direction theta (radians, counter-clockwise from the right).
QPoint Point(const GeometrieCadran& g, double r, double theta) {
  return QPoint(g.XC + Entier(r * std::cos(theta)), g.YC - Entier(r * std::sin(theta)));
}
// The same for a dial angle (0 at the top).
QPoint PointCadran(const GeometrieCadran& g, double r, double angle) { return Point(g, r, QuartDeTour + angle); }

// A stroke of `pixels` screen pixels; on paper 0.15 mm a pixel, never under the thinnest printed line.
double Epaisseur(const QPainter& p, bool impression, double pixels) {
  return impression ? std::max(pixels * 0.15, TraitMinimalMm) * PixelsParMillimetre(p) : pixels;
}

void Cercle(QPainter& p, const GeometrieCadran& g, int r) { p.drawEllipse(QPoint(g.XC, g.YC), r, r); }

void Disque(QPainter& p, const GeometrieCadran& g, int r, const QColor& fond) {
  p.setBrush(fond);
  Cercle(p, g, r);
}

// Text with its centre on a point (the metrics of the painter's font, measured once by the caller).
void TexteCentre(QPainter& p, const QFontMetricsF& fm, QPoint centre, const QString& texte) {
  const double w = fm.horizontalAdvance(texte);
  p.drawText(QPointF(centre.x() - w / 2, centre.y() - fm.height() / 2 + fm.ascent()), texte);
}

void TexteCentre(QPainter& p, QPoint centre, const QString& texte) {
  TexteCentre(p, QFontMetricsF(p.font(), p.device()), centre, texte);
}

// Text with its top-left corner at a point, on an opaque box when `fond` is valid.
void TexteEnHautAGauche(QPainter& p, const QFontMetricsF& fm, QPointF coin, const QString& texte,
                        const QColor& fond) {
  if (fond.isValid()) p.fillRect(QRectF(coin, QSizeF(fm.horizontalAdvance(texte), fm.height())), fond);
  p.drawText(QPointF(coin.x(), coin.y() + fm.ascent()), texte);
}

void TexteEnHautAGauche(QPainter& p, QPointF coin, const QString& texte, const QColor& fond) {
  TexteEnHautAGauche(p, QFontMetricsF(p.font(), p.device()), coin, texte, fond);
}

QString Degres(int n, bool avecSigne) {
  QString t = QString::number(n);
  if (avecSigne) t += QChar(0xB0);
  return t.left(3);
}

void Graduations(QPainter& p, const GeometrieCadran& g, int H, const QColor& couleurRouge, double largeur) {
  const int bande = g.R60 - g.R50;
  p.setFont(Police("Liberation Sans", H >= 8 ? 9 : 7));
  const QFontMetricsF fm(p.font(), p.device());
  const EchelleCadran echelle = EchelleDuCadran(H);
  p.setPen(Qt::black);
  for (const EchelleCadran::Etiquette& e : echelle.etiquettes)
    TexteCentre(p, fm, PointCadran(g, g.R55, e.angle), e.texte);
  // Ticks of one colour are drawn in one call: a refresh draws several hundred of them.
  for (bool rouge : {true, false}) {
    QVector<QLine> traits;
    for (const EchelleCadran::Trait& t : echelle.traits)
      if (t.rouge == rouge) traits.append(QLine(PointCadran(g, g.R60 - t.part * bande, t.angle), PointCadran(g, g.R60, t.angle)));
    p.setPen(QPen(rouge ? couleurRouge : QColor(Qt::black), largeur));
    p.drawLines(traits);
  }
}

char LettreDe(const ModeleCadran& m, int b) { return b == MiPointSoleilLune ? m.LettreCorps24 : LettresCorps[b]; }

void Anneau(QPainter& p, const GeometrieCadran& g, const ModeleCadran& m, const Reglages& reglages,
            const OptionsCadran& o, int n) {
  struct Rayons { int vrai, amorce, glyphe, fond; };
  const Rayons r = n == 1   ? Rayons{g.R60, Entier(g.R60 * 1.05), g.R66, 5}
                   : n == 2 ? Rayons{g.R70, Entier(g.R70 * 1.045), g.R76, 7}
                            : Rayons{g.R80, Entier(g.R80 * 1.04), g.R86, 9};
  QColor fond = CouleurCouronne(r.fond, o.couronnesColorees);
  const QFontMetricsF fm(p.font(), p.device());
  const double w2 = fm.horizontalAdvance("A") / 2, h2 = fm.height() / 2;
  for (int i = 1; i <= NbCorps; ++i) {
    const int b = m.OrdreEtale[i][n];
    const double etale = m.PositionsEtalees[i][n];
    p.setPen(QPen(Qt::black, Epaisseur(p, o.impression, 1)));
    p.drawLine(PointCadran(g, r.vrai, m.PositionsCadran[b][n]), PointCadran(g, r.amorce, etale));
    const QPoint c = PointCadran(g, r.glyphe, etale);
    p.setPen(o.couronnesColorees || o.impression ? QColor(Qt::black) : EnQColor(reglages.CouleursCorpsEcran[b]));
    TexteEnHautAGauche(p, fm, QPointF(c.x() - w2, c.y() - h2), Glyphe(LettreDe(m, b)), fond);
    const bool retrograde = b <= NoeudLunaire && ((n == 1 && m.natal.VitessesNatales[b] < 0) ||
                                                  (n == 3 && m.VitessesTransit[b] < 0));
    if (retrograde) TexteEnHautAGauche(p, fm, QPointF(c.x() - w2 + 2 * w2, c.y() - h2 + h2 / 3), Glyphe('@'), fond);
    if (n == 3) fond = QColor();  // only the first transit glyph sits on a box
  }
}

void Polygone(QPainter& p, const QPolygon& points, const QColor& remplissage) {
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(remplissage);
  p.drawPolygon(points);
  p.setBrush(Qt::NoBrush);
}

void FlecheKarmique(QPainter& p, const GeometrieCadran& g, double angle) {
  const int c = Entier((g.R66 - g.R60) / 4.0);
  const double t = QuartDeTour + angle, e = 2 * DegEnRad;
  QPolygon fleche;
  fleche << Point(g, g.R60 + 2 * c, t) << Point(g, g.R60 - c, t - e) << Point(g, g.R60, t) << Point(g, g.R60 - c, t + e);
  Polygone(p, fleche, QColor(0, 255, 255));
}

}  // namespace

QColor CouleurCouronne(int slot, bool couronnesColorees) {
  if (!couronnesColorees) return QColor(255, 255, 255);
  switch (slot) {
    case 5: return QColor(255, 255, 155);
    case 7: return QColor(204, 255, 255);
    case 9: return QColor(255, 204, 204);
    default: return QColor(255, 255, 255);
  }
}

OptionsCadran OptionsDeLaSelection(const ModeleCadran& m, const SelectionCadran& s, const std::bitset<256>& jeu,
                                   bool couronnesColorees) {
  OptionsCadran o;
  o.couronnesColorees = couronnesColorees;
  o.modeHorloge = s.ModeHorloge;
  o.directionPointeur = CalculerReference(m, s).direction;
  o.decalageKarmique = m.DecalageKarmique;
  o.coucheDe = s.CoucheDe;
  o.coucheVers = s.CoucheVers;
  o.lignes = LignesDuCadran(m, s, jeu);
  if (m.Harmonique == 1) {
    o.maisonsNatales = CadreNatal(m, 6);  // the window opens on the meridian frame
    o.ascKarmique = s.AscKarmiqueActif;
    o.ascKarmiqueNatal = s.AscKarmiqueNatal;
    o.ascKarmiqueDirige = m.AscKarmiqueDirige;
  }
  return o;
}

void NettoyerCentre(QPainter& p, const GeometrieCadran& g, const ModeleCadran& m, const Reglages& reglages,
                    const OptionsCadran& o) {
  p.fillRect(QRect(0, 0, g.S, g.S), Qt::white);
  // Rings 3, 2, 1 carry slots 9, 7, 5; the scale band and the inner disc stay white. Each ring
  // is filled as an annulus, so no pixel is painted twice.
  const int rayons[4] = {g.R90, g.R80, g.R70, g.R60};
  for (int i = 0; i < 3; ++i) {
    const QColor c = CouleurCouronne(9 - 2 * i, o.couronnesColorees);
    if (c == Qt::white) continue;
    QPainterPath anneau;
    anneau.addEllipse(QPointF(g.XC, g.YC), rayons[i], rayons[i]);
    anneau.addEllipse(QPointF(g.XC, g.YC), rayons[i + 1], rayons[i + 1]);
    // Filled without antialiasing (three times faster): the black circles drawn over the
    // edges right after are antialiased and hide the steps.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillPath(anneau, c);
    p.setRenderHint(QPainter::Antialiasing, true);
  }
  // The page's crowns and scale are drawn two (printer) pixels wide, its glyphs 9 points.
  p.setPen(QPen(Qt::black, Epaisseur(p, o.impression, o.impression ? 2 : 1)));
  p.setBrush(Qt::NoBrush);
  for (int r : {g.R90, g.R80, g.R70, g.R60, g.R50}) Cercle(p, g, r);
  Graduations(p, g, m.Harmonique, o.noirEtBlanc ? QColor(Qt::black) : QColor(255, 0, 0),
              Epaisseur(p, o.impression, o.impression ? 2 : 1));
  p.setFont(Police("Celvan S", o.impression ? 9 : 11));
  if (!o.modeHorloge) {
    Anneau(p, g, m, reglages, o, 1);
    Anneau(p, g, m, reglages, o, 2);
  }
  Anneau(p, g, m, reglages, o, 3);
  ReinitialiserPlume(p);
}

void DessinerPointeurEtLignes(QPainter& p, const GeometrieCadran& g, const ModeleCadran& m, const OptionsCadran& o) {
  const double D = o.directionPointeur;
  const double theta = QuartDeTour + D + o.decalageKarmique;
  const int r = Entier(g.R55 * 0.95);
  const double e = 4 * DegEnRad;
  QPolygon tete;
  tete << Point(g, r, theta) << Point(g, 0.85 * r, theta - e) << Point(g, 0.9 * r, theta) << Point(g, 0.85 * r, theta + e);
  const QColor rouge = o.noirEtBlanc ? QColor(Qt::black) : QColor(255, 0, 0);
  Polygone(p, tete, rouge);
  const int Rv = g.RayonCouche(o.coucheDe);
  const double deux = Epaisseur(p, o.impression, 2);
  p.setPen(QPen(rouge, deux));
  for (double a : {D, D + Pi / 2}) p.drawLine(PointCadran(g, Rv, a), PointCadran(g, Rv, a + Pi));

  const int Rl = g.RayonCouche(o.coucheVers);
  const QPoint centre(g.XC, g.YC);
  for (const LigneMiPoint& l : o.lignes) {
    const QPoint a = PointCadran(g, Rl, m.PositionsCadran[l.corps1][o.coucheVers]);
    const QPoint b = PointCadran(g, Rl, m.PositionsCadran[l.corps2][o.coucheVers]);
    if (l.serre) {
      p.setPen(QPen(o.noirEtBlanc ? QColor(Qt::black) : QColor(0, 181, 0), deux));
      p.drawLine(a, b);
      p.drawLine(centre, a);
      p.drawLine(centre, b);
    } else {
      p.setPen(QPen(o.noirEtBlanc ? QColor(Qt::black) : QColor(0, 0, 255), deux));
      p.drawLine(a, b);
    }
  }
  ReinitialiserPlume(p);
}

void DessinerMaisonsNatales(QPainter& p, const GeometrieCadran& g, const CadreMaisons& c, bool impression,
                            bool sansPointAxe) {
  if (c.axe == AxeAucun) return;
  const double largeur = impression ? Epaisseur(p, true, 4) : 2;
  p.setPen(QPen(Qt::black, largeur));
  p.setBrush(Qt::NoBrush);
  if (impression) Cercle(p, g, g.RH);
  const QPoint centre(g.XC, g.YC);
  p.setFont(Police("Liberation Sans", 10));
  const int rn = Entier(g.RH * 0.85);
  for (int k = 0; k < 12; ++k) {
    double rayon, numero;
    if (c.axe < 6) {
      rayon = c.axeCorps + 180 + 30 * k;
      numero = c.direction + 15 + 30 * k;
    } else {
      rayon = c.cuspides[k + 1] + 90;
      numero = MiPoint(c.cuspides[k + 1] * DegEnRad, c.cuspides[k == 11 ? 1 : k + 2] * DegEnRad) * RadEnDeg + 90;
    }
    p.setPen(QPen(Qt::black, largeur));
    p.drawLine(centre, Point(g, g.RH, rayon * DegEnRad));
    p.setPen(Qt::black);
    TexteCentre(p, Point(g, rn, numero * DegEnRad), QString::number(k + 1));
  }
  if (!sansPointAxe) {
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const double rp = impression ? Epaisseur(p, true, 8) : 8;
    p.drawEllipse(QPointF(Point(g, g.RH, (c.axeCorps + 90) * DegEnRad)), rp, rp);
  }
  ReinitialiserPlume(p);
}

void DessinerMaisonsTransit(QPainter& p, const GeometrieCadran& g, const CadreMaisons& c, bool impression,
                            bool natalAbsent, bool noirEtBlanc) {
  if (c.axe == AxeAucun) return;
  const QColor vert = noirEtBlanc ? QColor(Qt::black) : QColor(0, 128, 0);
  const int a = g.R80;
  const double largeur = impression ? Epaisseur(p, true, 4) : 2;
  p.setBrush(Qt::NoBrush);
  if (natalAbsent) {
    p.setPen(QPen(vert, impression ? Epaisseur(p, true, 2) : 2));
    Cercle(p, g, g.RH);
  }
  p.setFont(Police("Liberation Sans", 10, true));
  const int rn = Entier(a * 0.57);
  for (int k = 0; k < 12; ++k) {
    double rayon, numero;
    if (c.axe < 6) {
      rayon = c.axeCorps + 30 * k;
      numero = c.direction + 15 + 30 * k;
    } else {
      rayon = c.cuspides[k + 1] + 90;
      numero = MiPoint(c.cuspides[k + 1] * DegEnRad, c.cuspides[k == 11 ? 1 : k + 2] * DegEnRad) * RadEnDeg + 90;
    }
    p.setPen(QPen(vert, largeur));
    p.drawLine(Point(g, g.RH, rayon * DegEnRad), Point(g, a, rayon * DegEnRad));
    p.setPen(vert);
    TexteCentre(p, Point(g, rn, numero * DegEnRad), QString::fromLatin1(ChiffresMaisons[k + 1]));
  }
  p.setPen(impression ? QPen(Qt::black, Epaisseur(p, true, 1)) : QPen(vert, 1));
  p.setBrush(vert);
  const double rp = impression ? Epaisseur(p, true, 8) : 8;
  p.drawEllipse(QPointF(Point(g, a, (c.axeCorps + 90) * DegEnRad)), rp, rp);
  ReinitialiserPlume(p);
}

void DessinerZodiaque(QPainter& p, const GeometrieCadran& g, const QColor& plume, double taille, int exterieur,
                      int interieur, bool impression, const Reglages& reglages) {
  static const QColor elements[4] = {QColor(255, 132, 193), QColor(255, 255, 0), QColor(108, 255, 108),
                                     QColor(0, 255, 255)};
  const QPointF centre(g.XC, g.YC);
  if (!impression) {
    // The sectors the screen fills, each between two boundaries.
    for (int i = 0; i < 12; ++i) {
      QPainterPath secteur;
      const QRectF dehors(centre.x() - exterieur, centre.y() - exterieur, 2.0 * exterieur, 2.0 * exterieur);
      const QRectF dedans(centre.x() - interieur, centre.y() - interieur, 2.0 * interieur, 2.0 * interieur);
      // Sign i runs from screen direction 90 + 30i (its 0 degree) counter-clockwise.
      const double debut = 90 + 30 * i;
      secteur.arcMoveTo(dehors, debut);
      secteur.arcTo(dehors, debut, 30);
      secteur.arcTo(dedans, debut + 30, -30);
      secteur.closeSubpath();
      p.fillPath(secteur, elements[i % 4]);
    }
  }
  p.setPen(QPen(plume, 1));
  p.setBrush(Qt::NoBrush);
  Cercle(p, g, exterieur);
  Cercle(p, g, interieur);
  for (int i = 0; i < 12; ++i)
    p.drawLine(Point(g, interieur - 1, i * 30 * DegEnRad), Point(g, exterieur + 1, i * 30 * DegEnRad));
  p.setFont(Police("Celvan S", taille));
  const int rm = Entier((exterieur + interieur) / 2.0);
  for (int i = 0; i < 12; ++i) {
    p.setPen(impression ? EnQColor(reglages.CouleursSignesImpression[i % 4]) : QColor(Qt::black));
    TexteCentre(p, Point(g, rm, (i * 30 + 105) * DegEnRad), Glyphe(static_cast<char>(97 + i)));
  }
  ReinitialiserPlume(p);
}

EchelleCadran EchelleDuCadran(int H) {
  EchelleCadran e;
  if (H == 1) {
    for (int d = 0; d <= 360; d += 10) e.etiquettes.push_back({QString::number(d), d * DegEnRad});
    for (int d = 1; d <= 359; ++d) e.traits.push_back({d * DegEnRad, 0.18, true});
    for (int d = 0; d <= 360; d += 5) e.traits.push_back({d * DegEnRad, 0.35, false});
    return e;
  }
  const double s = H * Pi / 180.0;  // dial radians per degree of the harmonic
  const int D = static_cast<int>(360 / H);
  for (int d = 0; d <= D; ++d) e.etiquettes.push_back({Degres(d, H >= 8), d * s});
  for (int d = 0; d <= D; ++d) e.traits.push_back({d * s, 0.3, true});
  const int N = Entier(360.0 / H / 0.1667);
  for (int q = 0; q <= N; ++q)
    if (q % 6 != 0) e.traits.push_back({q * s / 6, 0.15, false});
  return e;
}

QRect ZoneCopier(const GeometrieCadran& g) { return QRect(g.XC - g.R0, g.YC - g.R0, 2 * g.R0, 2 * g.R0); }

GeometrieCadran DessinerCadran(QPainter& p, const QRect& zone, const ModeleCadran& m, const Reglages& reglages,
                               const OptionsCadran& o) {
  const int S = zone.height();
  const GeometrieCadran g = GeometrieDuCadran(S);
  p.save();
  p.translate(zone.left() + (zone.width() - S) / 2, zone.top());
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  NettoyerCentre(p, g, m, reglages, o);
  const bool h1 = m.Harmonique == 1;
  const bool natal = h1 && o.maisonsNatales.axe != AxeAucun, transit = h1 && o.maisonsTransit.axe != AxeAucun;
  p.setPen(QPen(Qt::black, 1));
  if (natal && transit) Disque(p, g, g.R50, QColor(200, 255, 200));
  if (natal) Disque(p, g, g.RH, QColor(230, 230, 230));
  p.setBrush(Qt::NoBrush);
  if (o.pointeur) DessinerPointeurEtLignes(p, g, m, o);
  if (natal) {
    DessinerMaisonsNatales(p, g, o.maisonsNatales, o.impression, o.ascKarmique);
    if (!o.impression) {
      const int dehors = Entier(g.R90 * 1.08);
      DessinerZodiaque(p, g, Qt::black, 11, dehors, g.R90, false, reglages);
      const int L = dehors - g.R90;
      p.setPen(QPen(Qt::black, 1));
      for (int d = 0; d < 360; ++d) {
        const int l = d % 10 == 0 ? Entier(0.3 * L) : d % 5 == 0 ? Entier(0.2 * L) : Entier(L * 0.1);
        const double t = d * DegEnRad;
        p.drawLine(Point(g, g.R90, t), Point(g, g.R90 + l, t));
      }
    }
  }
  if (transit) DessinerMaisonsTransit(p, g, o.maisonsTransit, o.impression, !natal, o.noirEtBlanc);
  if (h1 && o.ascKarmique) {
    FlecheKarmique(p, g, o.ascKarmiqueNatal);
    FlecheKarmique(p, g, o.ascKarmiqueDirige);
  }
  if (!o.marqueEvenement.empty()) {
    p.setFont(Police("Celvan S", 8));
    p.setPen(Qt::black);
    const QFontMetricsF fm(p.font(), p.device());
    const double w = fm.horizontalAdvance("A") / 2;
    const QPoint c = PointCadran(g, Entier(g.R90 * 1.03), o.directionPointeur);
    QString texte;
    for (char ch : o.marqueEvenement) texte += Glyphe(ch);
    TexteEnHautAGauche(p, QPointF(c.x() - w, c.y() - w), texte, Qt::white);
  }
  p.restore();
  return g;
}

}  // namespace selvane
