#include "listing/DessinTheme.h"

#include <QFontMetricsF>
#include <QString>
#include <algorithm>
#include <cmath>

#include "core/Contacts.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"
#include "dessin/Traits.h"

namespace selvane {

namespace {

bool AvecMaisons(const EtatTheme& e) { return e.SystemeMaisons != 0; }

int AspectDuTheme(const EtatTheme& e, const Reglages& r, int corps1, int corps2) {
  return AspectEntre(e.Positions[corps1][1], e.Positions[corps2][1], r.AspectActif, r.AspectOrbe);
}

void LignesAspects(QPainter& p, const EtatTheme& e, const Reglages& r, const GeometrieRoue& g, const Palette& pal,
                   double tiretCourt, double tiretLong, double largeur) {
  for (int s = 1; s <= 9; ++s) {
    for (int j = s + 1; j <= 10; ++j) {
      if (!e.JeuPlanetes.test(s) || !e.JeuPlanetes.test(j)) continue;
      const int a = AspectDuTheme(e, r, s, j);
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
void TableAspects(QPainter& p, const EtatTheme& e, const Reglages& r, QPointF origine, double d, const Palette& pal) {
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
      const int a = AspectDuTheme(e, r, s, j);
      if (a < 0) continue;
      p.setPen(pal.aspects[a]);
      Centrer(p, cellule(s, j - 1).center(), Glyphe(static_cast<char>(186 + a)));
    }
  }
}

void CorpsEtDegres(QPainter& p, const EtatTheme& e, const GeometrieRoue& g, const Palette& pal, double taillePoints,
                   bool relief) {
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
void MaisonsEtAngles(QPainter& p, const EtatTheme& e, const GeometrieRoue& g, const Palette& pal, double r2,
                     double largeurCercle, bool surPapier, double tailleGlyphes) {
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
  // On paper the intermediate cusps of a quadrant system carry a small arrow-head, 2° wide,
  // its tip at 1.07 of the house ring: the equal systems (4 and 9) draw all cusps alike.
  if (surPapier && e.SystemeMaisons != 4 && e.SystemeMaisons != 9) {
    p.setBrush(pal.maisons);
    for (int i : {2, 3, 5, 6, 8, 9, 11, 12}) {
      const double c = e.Maisons[i];
      QPolygonF pointe;
      pointe << g.Point(c, 1.07 * r2) << g.Point(c + DegEnRad, r2) << g.Point(c - DegEnRad, r2);
      p.drawPolygon(pointe);
    }
    p.setBrush(Qt::NoBrush);
  }
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

GeometrieRoue DessinerTheme(QPainter& p, QSize taille, const EtatTheme& e, const Reglages& reglages,
                            const OptionsDessin& options, bool petitEcran) {
  const Palette pal = PaletteEcran(reglages);
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
  if (AvecMaisons(e)) {
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
  if (AvecMaisons(e)) {
    g.r0 = std::round(0.18 * H);
    g.r1 = std::round(1.25 * g.r0);
  } else {
    g.r0 = std::round(0.1733 * H);
    g.r1 = std::round(1.33 * g.r0);
  }
  g.rotation = RotationRoue(e);
  Palette anneau = pal;
  anneau.secteursColores = options.fondsSignesColores;
  AnneauSignes(p, g, anneau, 10, 1);
  // Settings come clamped from their file; a value set another way still gives a size a font can take.
  const int tailleGlyphes = 15 + std::clamp(reglages.TaillePlanetes, -5, 10);
  if (AvecMaisons(e)) {
    const double r2 = std::round(1.15 * g.r1);
    g.R = r2;
    MaisonsEtAngles(p, e, g, pal, r2, 2, false, tailleGlyphes);
  } else {
    g.R = g.r1;
  }
  CorpsEtDegres(p, e, g, pal, tailleGlyphes, reglages.PlanetesEnRelief);
  LignesAspects(p, e, reglages, g, pal, 3, 14, 2);

  // Aspect table in the bottom-left corner.
  p.setFont(Police("Celvan S", petitEcran ? 6 : 8));
  const double d = std::round(1.5 * QFontMetricsF(p.font(), p.device()).height() * 0.75);
  TableAspects(p, e, reglages, QPointF(2, H - 23 * d - 2), d, pal);
  return g;
}

GeometrieRoue ImprimerFeuille(QPainter& p, QSize page, const EtatTheme& e, const Reglages& reglages,
                              const OptionsDessin& options) {
  // A profection chart ("TProf") is printed as it stands, without the houses' block.
  const bool natal = e.NomFichierNaissance.Chaine() != "TProf";
  const Palette pal = PaletteImpression(reglages, options);
  const double PW = page.width(), PH = page.height();
  p.setRenderHint(QPainter::Antialiasing);
  const double mm = PixelsParMillimetre(p);
  const double L = std::round(0.05 * PW), T = std::round(0.03 * PH);
  p.setPen(QPen(Qt::black, std::max(3.0, 0.5 * mm)));
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

  if (AvecMaisons(e) && natal) {
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
  g.rotation = RotationRoue(e);
  ImprimerRoue(p, g.centre, g.r0, 13, g.rotation, g.r1, reglages, options);
  if (AvecMaisons(e)) {
    const double r2 = std::round(1.22 * g.r1);
    g.R = g.r1;
    MaisonsEtAngles(p, e, g, pal, r2, std::max(2.0, PW / 1000), true, 13);
  } else {
    g.R = g.r1;
  }
  CorpsEtDegres(p, e, g, pal, 13, false);
  // Dashes of 1 and 5 mm, strokes of at least a quarter of a millimetre: visible on paper.
  LignesAspects(p, e, reglages, g, pal, 1.0 * mm, 5.0 * mm, std::max(2.0, 0.25 * mm));
  p.setFont(Police("Celvan S", 8));
  const double d = std::round(1.5 * QFontMetricsF(p.font(), p.device()).height() * 0.75);
  TableAspects(p, e, reglages, QPointF(L + d, T + 0.95 * PH - 23 * d - d), d, pal);
  ReinitialiserPlume(p);
  return g;
}

DocumentImprime DocumentFeuille(const EtatTheme& theme, const Reglages& reglages, const OptionsDessin& options) {
  DocumentImprime d;
  d.noirEtBlanc = !options.impressionCouleur;
  d.cachet = LignesCachet(ContexteDuTheme(theme));
  d.peindre = [&theme, &reglages, options](QPainter& p, const QRectF& zone, int) {
    ImprimerFeuille(p, zone.size().toSize(), theme, reglages, options);
  };
  return d;
}

}  // namespace selvane
