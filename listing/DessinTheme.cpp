#include "DessinTheme.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <cmath>

#include "Calcul.h"
#include "Catalogue.h"
#include "Conversions.h"
#include "Cp1252.h"
#include "EtatTheme.h"
#include "Reglages.h"

namespace selvane {

bool FondsSignesColores = false;
bool ImpressionCouleur = true;

namespace {

QColor Couleur(Couleur c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QString Texte(const std::string& octets1252) { return QString::fromStdString(Cp1252VersUtf8(octets1252)); }
QString Glyphe(char octet) { return QString(QChar(static_cast<ushort>(static_cast<unsigned char>(octet)))); }

QFont Police(const char* famille, double points, bool gras = false) {
  QFont f(famille);
  f.setPointSizeF(points);
  f.setBold(gras);
  return f;
}

// Text centred on a point.
void Centrer(QPainter& p, QPointF point, const QString& texte) {
  const QFontMetricsF m(p.font(), p.device());
  const QRectF r = m.boundingRect(texte);
  p.drawText(QPointF(point.x() - m.horizontalAdvance(texte) / 2, point.y() - r.center().y()), texte);
}

bool AvecMaisons() { return Etat().SystemeMaisons != 0; }

// The colours one drawing uses: screen, colour print or black print.
struct Palette {
  QColor fond, texte, traits, maisons;
  QColor corps[25];
  QColor fondSignes[4], signes[4], aspects[9];
  bool secteursColores;
  bool ombre;  // print: grey shadow under glyphs
};

Palette PaletteEcran() {
  const Reglages& r = LesReglages();
  Palette pal;
  pal.fond = Couleur(r.CouleurFondEcran);
  pal.texte = Couleur(r.CouleurTexteEcran);
  pal.traits = Couleur(r.CouleurTexteEcran);
  pal.maisons = Qt::red;
  for (int i = 1; i <= 24; ++i) pal.corps[i] = Couleur(r.CouleursCorpsEcran[i]);
  for (int i = 0; i < 4; ++i) {
    pal.fondSignes[i] = Couleur(r.CouleursFondSignesEcran[i]);
    pal.signes[i] = Couleur(r.CouleurTexteEcran);
  }
  for (int i = 0; i < 9; ++i) pal.aspects[i] = Couleur(r.CouleursAspectsEcran[i]);
  pal.secteursColores = true;
  pal.ombre = false;
  return pal;
}

Palette PaletteImpression() {
  const Reglages& r = LesReglages();
  Palette pal;
  pal.fond = Qt::white;
  pal.texte = Qt::black;
  pal.traits = Qt::black;
  pal.maisons = ImpressionCouleur ? QColor(Qt::red) : QColor(Qt::black);
  for (int i = 1; i <= 24; ++i) pal.corps[i] = ImpressionCouleur ? Couleur(r.CouleursCorpsImpression[i]) : QColor(Qt::black);
  for (int i = 0; i < 4; ++i) {
    pal.fondSignes[i] = Couleur(r.CouleursFondSignesImpression[i]);
    pal.signes[i] = ImpressionCouleur ? Couleur(r.CouleursSignesImpression[i]) : QColor(Qt::black);
  }
  for (int i = 0; i < 9; ++i) pal.aspects[i] = ImpressionCouleur ? Couleur(r.CouleursAspectsImpression[i]) : QColor(Qt::black);
  pal.secteursColores = FondsSignesColores;
  pal.ombre = ImpressionCouleur;
  return pal;
}

// Sign ring between r0 and r1: sectors, boundaries, degree ticks, glyphs.
void AnneauSignes(QPainter& p, const GeometrieRoue& g, const Palette& pal, double taillePoints, double largeurTrait) {
  const double r0 = g.r0, r1 = g.r1;
  for (int k = 0; k < 12; ++k) {
    if (!pal.secteursColores) break;
    QPainterPath secteur;
    const double a0 = (g.rotation + k * Pi / 6) * RadEnDeg, a1 = (g.rotation + (k + 1) * Pi / 6) * RadEnDeg;
    secteur.arcMoveTo(QRectF(g.centre.x() - r1, g.centre.y() - r1, 2 * r1, 2 * r1), a0);
    secteur.arcTo(QRectF(g.centre.x() - r1, g.centre.y() - r1, 2 * r1, 2 * r1), a0, a1 - a0);
    secteur.arcTo(QRectF(g.centre.x() - r0, g.centre.y() - r0, 2 * r0, 2 * r0), a1, a0 - a1);
    secteur.closeSubpath();
    p.fillPath(secteur, pal.fondSignes[k % 4]);
  }
  p.setPen(QPen(pal.traits, largeurTrait));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(g.centre, r1, r1);
  p.drawEllipse(g.centre, r0, r0);
  p.drawEllipse(g.centre, 2, 2);
  for (int k = 0; k < 12; ++k) p.drawLine(g.Point(k * Pi / 6, r0 - 1), g.Point(k * Pi / 6, r1 + 1));
  p.setPen(QPen(pal.traits, std::max(1.0, largeurTrait / 2)));
  for (int d = 0; d < 360; ++d) {
    const double f = d % 10 == 0 ? 0.3 : d % 5 == 0 ? 0.2 : 0.1;
    p.drawLine(g.Point(d * DegEnRad, r1 - f * (r1 - r0)), g.Point(d * DegEnRad, r1));
  }
  p.setFont(Police("Celvan S", taillePoints));
  for (int k = 0; k < 12; ++k) {
    const QPointF point = g.Point((15 + 30 * k) * DegEnRad, 0.4 * r1 + 0.6 * r0);
    if (pal.ombre) {
      p.setPen(QColor(160, 160, 160));
      Centrer(p, point + QPointF(3, 3), Glyphe(LettreSigne(k + 1)));
    }
    p.setPen(pal.signes[k % 4]);
    Centrer(p, point, Glyphe(LettreSigne(k + 1)));
  }
}

// Dashed line cut into an odd number of segments, every other one drawn.
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

void LignesAspects(QPainter& p, const GeometrieRoue& g, const Palette& pal, double tiretCourt, double tiretLong,
                   double largeur) {
  const EtatTheme& e = Etat();
  for (int s = 1; s <= 9; ++s) {
    for (int j = s + 1; j <= 10; ++j) {
      if (!e.JeuPlanetes.test(s) || !e.JeuPlanetes.test(j)) continue;
      const int a = AspectEntre(s, j);
      if (a < 2) continue;
      p.setPen(QPen(pal.aspects[a], largeur));
      p.setBrush(Qt::NoBrush);
      const QPointF u = g.Point(e.Positions[s][1], g.r0), v = g.Point(e.Positions[j][1], g.r0);
      if (a == 3 || a == 5) p.drawLine(u, v);
      else if (a == 2 || a == 4 || a == 6) LigneTiretee(p, u, v, tiretCourt, false, largeur);
      else LigneTiretee(p, u, v, tiretLong, a == 7, largeur);
    }
  }
}

// Aspect table: glyph headers along the diagonal and in the first column.
void TableAspects(QPainter& p, QPointF origine, double d, const Palette& pal) {
  const EtatTheme& e = Etat();
  p.setPen(QPen(pal.traits, 1));
  p.setBrush(Qt::NoBrush);
  auto cellule = [&](int colonne, int ligne) { return QRectF(origine.x() + colonne * d, origine.y() + ligne * d, d, d); };
  for (int j = 2; j <= 22; ++j) {
    const int colonnes = j <= 19 ? j : 21;
    for (int s = 0; s < colonnes; ++s) p.drawRect(cellule(s, j - 1));
  }
  for (int s = 1; s <= 20; ++s) {
    p.setPen(pal.corps[s]);
    Centrer(p, cellule(s, s - 1).center(), Glyphe(LettresCorps[s]));
  }
  for (int j = 2; j <= 22; ++j) {
    p.setPen(pal.corps[j]);
    Centrer(p, cellule(0, j - 1).center(), Glyphe(LettresCorps[j]));
  }
  for (int s = 1; s <= 20; ++s) {
    if (!e.JeuPlanetes.test(s)) continue;
    for (int j = s + 1; j <= 22; ++j) {
      if (!(e.JeuPlanetes.test(j) || j == 21 || j == 22)) continue;
      const int a = AspectEntre(s, j);
      if (a < 0) continue;
      p.setPen(pal.aspects[a]);
      Centrer(p, cellule(s, j - 1).center(), Glyphe(static_cast<char>(186 + a)));
    }
  }
}

void CorpsEtDegres(QPainter& p, const GeometrieRoue& g, const Palette& pal, double taillePoints, bool relief) {
  const EtatTheme& e = Etat();
  const double R = g.R;
  const QFont glyphes = Police("Celvan S", taillePoints);
  const QFontMetricsF m(glyphes, p.device());
  for (int k = 1; k <= e.NbPlanetesJeu && k < NbCorps; ++k) {
    const int n = e.OrdreAffichage[k];
    if (n < 1 || n > 20) continue;
    const double vrai = e.Positions[n][1];
    const double etale = e.PositionsAffichees[k];
    p.setPen(QPen(pal.texte, 1));
    p.drawLine(g.Point(vrai, R), g.Point(vrai, 1.1 * R));
    p.drawLine(g.Point(vrai, 1.1 * R), g.Point(etale, 1.25 * R));
    p.setFont(glyphes);
    const QPointF ici = g.Point(etale, 1.4 * R);
    if (relief || pal.ombre) {
      p.setPen(pal.ombre ? QColor(160, 160, 160) : pal.traits);
      Centrer(p, ici + (pal.ombre ? QPointF(3, 3) : QPointF(1, 1)), Glyphe(LettresCorps[n]));
    }
    p.setPen(pal.corps[n]);
    Centrer(p, ici, Glyphe(LettresCorps[n]));
    if (e.Positions[n][3] < 0) {
      const double w = m.horizontalAdvance(Glyphe(LettresCorps[n])), h = m.height();
      Centrer(p, ici + QPointF(w / 2, 0.2 * h / 2), Glyphe('@'));
    }
    p.setFont(Police("Liberation Sans", 7));
    p.setPen(pal.texte);
    Centrer(p, g.Point(etale, 1.14 * 1.4 * R), Texte(FormatDansSigne(vrai)));
  }
}

// A text centred beside a line at the given angle, on the counter-clockwise side,
// so that the line does not run through it.
void CentrerACote(QPainter& p, const GeometrieRoue& g, double angle, double rayon, const QString& texte) {
  const QFontMetricsF m(p.font(), p.device());
  const double demi = std::hypot(m.horizontalAdvance(texte), m.height()) / 2 + 2;
  Centrer(p, g.Point(angle + std::asin(std::min(1.0, demi / rayon)), rayon), texte);
}

// surPapier: the MC is drawn as an arrow like the Ascendant (a disc on screen),
// pens scaled to the page.
void MaisonsEtAngles(QPainter& p, const GeometrieRoue& g, const Palette& pal, double r2, double largeurCercle,
                     bool surPapier, double tailleGlyphes) {
  const EtatTheme& e = Etat();
  p.setPen(QPen(pal.maisons, largeurCercle));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(g.centre, r2, r2);
  p.setPen(QPen(pal.maisons, largeurCercle / 2));
  for (int i = 1; i <= 12; ++i) p.drawLine(g.Point(e.Maisons[i], g.r1), g.Point(e.Maisons[i], r2));
  p.setFont(Police("Liberation Sans", 7, true));
  for (int i = 1; i <= 12; ++i) {
    const double milieu = MiPoint(e.Maisons[i], e.Maisons[i % 12 + 1]);
    Centrer(p, g.Point(milieu, (g.r1 + r2) / 2), ChiffresMaisons[i]);
  }
  p.setFont(Police("Liberation Sans", 7));
  for (int i = 1; i <= 12; ++i) CentrerACote(p, g, e.Maisons[i], 1.1 * g.R, Texte(FormatDansSigne(e.Maisons[i])));
  // Ascendant-Descendant axis with arrow-heads; the MC.
  // The arrow-heads stop short of the glyph ring, so that a body beside an angle
  // (the Vertex near the Descendant) is never drawn on them.
  const double demiGlyphe = QFontMetricsF(Police("Celvan S", tailleGlyphes), p.device()).height() / 2;
  const double ra = std::min(0.95 * 1.4 * g.R, (1.4 * g.R - demiGlyphe - 2) / 0.97);
  const auto fleche = [&](double bout) {
    QPolygonF pointe;
    pointe << g.Point(bout, ra * 0.97) << g.Point(bout + 3 * DegEnRad, ra * 0.92) << g.Point(bout - 3 * DegEnRad, ra * 0.92);
    p.setBrush(pal.maisons);
    p.drawPolygon(pointe);
  };
  const double asc = e.Positions[Ascendant][1], mc = e.Positions[MilieuDuCiel][1];
  p.setPen(QPen(pal.maisons, largeurCercle));
  p.drawLine(g.Point(asc, ra * 0.97), g.Point(asc + Pi, ra * 0.97));
  fleche(asc);
  fleche(asc + Pi);
  if (surPapier) {
    p.drawLine(g.Point(mc + Pi, ra * 0.92), g.Point(mc, ra * 0.97));
    fleche(mc);
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 127, 255));
    p.drawEllipse(g.Point(mc, ra * 0.97), 10, 10);
  }
  p.setBrush(Qt::NoBrush);
}

}  // namespace

QPointF GeometrieRoue::Point(double longitude, double rayon) const {
  return QPointF(centre.x() + rayon * std::cos(rotation + longitude), centre.y() - rayon * std::sin(rotation + longitude));
}

double RotationRoue() {
  const EtatTheme& e = Etat();
  if (e.Orientation == 'o' && AvecMaisons()) return Pi - e.Positions[Ascendant][1];
  if (e.Orientation == 'd') return 0;
  return Pi;
}

int AspectEntre(int corps1, int corps2) {
  const EtatTheme& e = Etat();
  const Reglages& r = LesReglages();
  double ecart = std::fabs(Normaliser2Pi(e.Positions[corps1][1]) - Normaliser2Pi(e.Positions[corps2][1]));
  if (ecart > Pi) ecart = DeuxPi - ecart;
  for (int a = 0; a < 9; ++a)
    if (r.AspectActif[a] && std::fabs(ecart - AnglesAspects[a]) <= r.AspectOrbe[a]) return a;
  return -1;
}

GeometrieRoue DessinerTheme(QPainter& p, QSize taille, bool petitEcran) {
  const EtatTheme& e = Etat();
  const Reglages& reglages = LesReglages();
  const Palette pal = PaletteEcran();
  const double H = taille.height(), W = taille.width();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.fillRect(QRectF(0, 0, W, H), pal.fond);

  // Header.
  p.setPen(pal.texte);
  p.setFont(Police("Liberation Sans", petitEcran ? 8 : 10));
  const double ligne = QFontMetricsF(p.font(), p.device()).height();
  const FicheClient& f = e.FicheEnCours;
  const QString lignes[4] = {Texte(e.NomAffiche.Chaine()),
                             Texte(NomsJours[JourSemaine(e.JourJulienTU, e.FuseauHeures)]) + "  " +
                                 Texte(e.LigneDateHeure.Chaine()),
                             Texte(f.Ville.Chaine()), Texte(e.LigneCoordonnees.Chaine())};
  for (int i = 0; i < 4; ++i) p.drawText(QPointF(4, (i + 1) * ligne), lignes[i]);
  if (AvecMaisons()) {
    const int decal = petitEcran ? 0 : 1;
    p.setFont(Police("Liberation Mono", 8));
    p.drawText(QPointF(4, (5 + decal) * ligne),
               QString("Domif.    : ") + Texte(NomsSystemesMaisons[e.SystemeMaisons]) + "   ARMC : " +
                   Texte(FormatTempsSideral(e.TempsSideralDeg)));
    if (e.SystemeMaisons == 4 || e.SystemeMaisons == 9) {
      p.drawText(QPointF(5, (10 + decal) * ligne), "Asc.      : " + Texte(FormatDansSigneAbrev(e.Positions[Ascendant][1])));
      p.drawText(QPointF(5, (11 + decal) * ligne), "M.C.      : " + Texte(FormatDansSigneAbrev(e.Positions[MilieuDuCiel][1])));
    }
  }

  // Wheel.
  GeometrieRoue g;
  g.centre = QPointF(std::round(W - 2.5 * (1.25 * (0.18 * H))), std::floor(H / 2));
  if (AvecMaisons()) {
    g.r0 = std::round(0.18 * H);
    g.r1 = std::round(1.25 * g.r0);
  } else {
    g.r0 = std::round(0.1733 * H);
    g.r1 = std::round(1.33 * g.r0);
  }
  g.rotation = RotationRoue();
  Palette anneau = pal;
  anneau.secteursColores = FondsSignesColores;
  AnneauSignes(p, g, anneau, 10, 1);
  // Settings come clamped from their file; a value set another way still gives a size a font can take.
  const int tailleGlyphes = 15 + std::clamp(reglages.TaillePlanetes, -5, 10);
  if (AvecMaisons()) {
    const double r2 = std::round(1.15 * g.r1);
    g.R = r2;
    MaisonsEtAngles(p, g, pal, r2, 2, false, tailleGlyphes);
  } else {
    g.R = g.r1;
  }
  CorpsEtDegres(p, g, pal, tailleGlyphes, reglages.PlanetesEnRelief);
  LignesAspects(p, g, pal, 3, 14, 2);

  // Aspect table in the bottom-left corner.
  p.setFont(Police("Celvan S", petitEcran ? 6 : 8));
  const double d = std::round(1.5 * QFontMetricsF(p.font(), p.device()).height() * 0.75);
  TableAspects(p, QPointF(2, H - 23 * d - 2), d, pal);
  return g;
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

void ImprimerRoue(QPainter& p, QPointF centre, double c, int tailleGlyphe, double rotation, double d) {
  GeometrieRoue g;
  g.centre = centre;
  g.r0 = c;
  g.r1 = d;
  g.rotation = rotation;
  Palette pal = PaletteImpression();
  if (!FondsSignesColores) {
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, d, d);
    p.setBrush(Qt::NoBrush);
  }
  AnneauSignes(p, g, pal, tailleGlyphe, 2);
}

GeometrieRoue ImprimerFeuille(QPainter& p, QSize page) {
  EtatTheme& e = Etat();
  const bool recalcul = e.NomFichierNaissance.Chaine() != "TProf";
  if (recalcul) CalculerTheme(EcartGlyphes8);
  const Palette pal = PaletteImpression();
  const double PW = page.width(), PH = page.height();
  p.setRenderHint(QPainter::Antialiasing);
  const double L = std::round(0.05 * PW), T = std::round(0.03 * PH);
  p.setPen(QPen(Qt::black, 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(L, T, std::round(0.93 * PW), std::round(0.95 * PH)));

  QFont entete = Police("Liberation Sans", 10);
  p.setFont(entete);
  const QFontMetricsF m(entete, p.device());
  const double x = L + m.horizontalAdvance("A"), ligne = m.height();
  const FicheClient& f = e.FicheEnCours;
  p.setFont(Police("Liberation Sans", 10, true));
  p.drawText(QPointF(x, T + ligne), Texte(e.NomAffiche.Chaine()));
  p.setFont(entete);
  p.drawText(QPointF(x, T + 2 * ligne), Texte(e.LigneDateHeure.Chaine()));
  p.drawText(QPointF(x, T + 3 * ligne), Texte(f.Ville.Chaine()));
  p.drawText(QPointF(x, T + 4 * ligne), Texte(e.LigneCoordonnees.Chaine()));
  p.setFont(Police("Liberation Sans", 8));
  p.drawText(QPointF(x, T + 6 * ligne), "NATAL");
  // Another group's comment goes on its own line below, so that both stay legible.
  if (e.NomFichierNaissance.Chaine() != "Natal") p.drawText(QPointF(x, T + 7 * ligne), Texte(f.Commentaire.Chaine()));

  if (AvecMaisons() && recalcul) {
    QFont mono = Police("Liberation Mono", 9);
    p.setFont(mono);
    const QFontMetricsF mm(mono, p.device());
    const double bx = L + 0.93 * PW - 24 * mm.horizontalAdvance("a"), bl = mm.height();
    p.drawText(QPointF(bx, T + bl), "Domif.    : " + Texte(NomsSystemesMaisons[e.SystemeMaisons]));
    p.drawText(QPointF(bx, T + 2 * bl), "ARMC      : " + Texte(FormatTempsSideral(e.TempsSideralDeg)));
    p.drawText(QPointF(bx, T + 7 * bl), "Asc/M.C.  : ");
    p.drawText(QPointF(bx, T + 8 * bl), "Sol/Lun   : ");
    p.setFont(Police("Celvan S", 6));
    p.drawText(QPointF(bx + 12 * mm.horizontalAdvance("a"), T + 7 * bl),
               Texte(FormatGlyphe(MiPoint(e.Positions[Ascendant][1], e.Positions[MilieuDuCiel][1]))));
    p.drawText(QPointF(bx + 12 * mm.horizontalAdvance("a"), T + 8 * bl), Texte(FormatGlyphe(e.Positions[MiPointSoleilLune][1])));
  }

  GeometrieRoue g;
  g.centre = QPointF(std::round(L + 0.93 * PW / 2), std::round(T + 0.35 * 0.95 * PH));
  g.r0 = std::round(0.16 * PW);
  g.r1 = std::round(1.32 * g.r0);
  g.rotation = RotationRoue();
  ImprimerRoue(p, g.centre, g.r0, 13, g.rotation, g.r1);
  if (AvecMaisons()) {
    const double r2 = std::round(1.22 * g.r1);
    g.R = g.r1;
    MaisonsEtAngles(p, g, pal, r2, std::max(2.0, PW / 1000), true, 13);
  } else {
    g.R = g.r1;
  }
  CorpsEtDegres(p, g, pal, 13, false);
  LignesAspects(p, g, pal, 12, 60, 2);
  p.setFont(Police("Celvan S", 8));
  const double d = std::round(1.5 * QFontMetricsF(p.font(), p.device()).height() * 0.75);
  TableAspects(p, QPointF(L + d, T + 0.95 * PH - 23 * d - d), d, pal);
  ReinitialiserPlume(p);
  return g;
}

}  // namespace selvane
