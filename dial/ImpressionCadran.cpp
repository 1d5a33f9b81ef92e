#include "dial/ImpressionCadran.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "birthdata/records/Controles.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "dessin/Roue.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

int Rond(double x) { return static_cast<int>(Arrondi(x)); }

// Text with its top-left corner at (x, y), as the page's layout counts.
void Ecrire(QPainter& p, int x, int y, const QString& texte) {
  const QFontMetrics m(p.font(), p.device());
  p.drawText(QPoint(x, y + m.ascent()), texte);
}

int Largeur(const QPainter& p, const QString& texte) {
  return QFontMetrics(p.font(), p.device()).horizontalAdvance(texte);
}

QString Lettre(const ModeleCadran& m, int corps) {
  return Glyphe(corps == MiPointSoleilLune ? m.LettreCorps24 : LettresCorps[corps]);
}

}  // namespace

QString TexteGmt(const QString& heure, const QString& fuseau) {
  return heure + " (GMT " + (fuseau.startsWith('-') ? fuseau : "+" + fuseau) + " )";
}

QString TexteDateRetour(const QString& date, const std::string& nomFichier) {
  if (nomFichier == "RS") return QString::fromUtf8("Rév. sol. du ") + date;
  if (nomFichier == "RL") return QString::fromUtf8("Rév. lun. du ") + date;
  return date;
}

void ImprimerCadran(QPainter& p, int W, const PageCadran& page, const Reglages& reglages) {
  const ModeleCadran& m = *page.modele;
  const int H = m.Harmonique;
  const int XC = W / 2;
  const GeometrieCadran g = GeometrieDeRayon(W, XC, Rond(XC * 0.9), Rond(0.4 * W));
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  OptionsCadran o = page.options;
  o.impression = true;
  o.noirEtBlanc = !page.couleur;
  o.couronnesColorees = page.couleur && o.couronnesColorees;
  // On paper the sub-harmonic pass is only the first step of the 90-degree dial.
  o.lignes.erase(std::remove_if(o.lignes.begin(), o.lignes.end(),
                                [H](const LigneMiPoint& l) { return l.harmonique != H && !(H == 4 && l.harmonique == 8); }),
                 o.lignes.end());

  // Crowns, scale and rings first: the crowns' white square would cover what lies under it.
  NettoyerCentre(p, g, m, reglages, o);
  if (H == 1) {
    // The chart sheet's printed ring of signs, degree ticks included, Aries at the top.
    GeometrieRoue roue;
    roue.centre = QPointF(g.XC, g.YC);
    roue.r0 = g.R90;
    roue.r1 = Rond(g.R90 * 1.06);
    roue.rotation = M_PI / 2;
    OptionsDessin od = page.dessin;
    od.impressionCouleur = page.couleur;
    AnneauSignes(p, roue, PaletteImpression(reglages, od), 7, 0.4 * PixelsParMillimetre(p));
  }

  // Header.
  p.setPen(Qt::black);
  const QFont arial = Police("Arial", 9), gras = Police("Arial", 9, true);
  p.setFont(arial);
  const QFontMetrics ma(arial, p.device());
  const int w = ma.horizontalAdvance('A'), hw = w / 2, hh = ma.height() / 2, rh = Rond(1.3 * ma.height());
  for (int n = 0; n < page.gauche.size(); ++n) {
    p.setFont(n == 1 ? gras : arial);
    Ecrire(p, 5 * w, 4 * hh + n * rh, page.gauche[n]);
  }
  for (int n = 0; n < page.droite.size(); ++n) {
    p.setFont(n == 0 ? gras : arial);
    Ecrire(p, W - Largeur(p, page.droite[n]) - 10 * hw, 4 * hh + n * rh, page.droite[n]);
  }

  if (o.pointeur) DessinerPointeurEtLignes(p, g, m, o);
  if (H == 1) {
    const bool natal = o.maisonsNatales.axe != AxeAucun;
    if (natal) DessinerMaisonsNatales(p, g, o.maisonsNatales, true, o.ascKarmique);
    if (o.maisonsTransit.axe != AxeAucun) DessinerMaisonsTransit(p, g, o.maisonsTransit, true, !natal, o.noirEtBlanc);
  }

  // The table of the three charts and the tree.
  const QFont glyphes = Police("Celvan S", 7);
  p.setFont(glyphes);
  p.setPen(Qt::black);
  const QFontMetrics mg(glyphes, p.device());
  const int wg = mg.horizontalAdvance('A'), hwg = wg / 2, hhg = mg.height() / 2, rhg = Rond(1.3 * mg.height());
  const int marge = 5 * wg;
  const int c = Rond((W - 2 * marge) / 4.0);
  const int x[4] = {marge, marge + c, marge + 2 * c, marge + 3 * c};
  const int y0 = g.YC + Rond(g.R0 * 1.02);
  p.setFont(arial);
  const char* titres[3] = {"Natal (int)", "Arc Sol (mil)", "Transit (ext)"};
  for (int j = 0; j < 3; ++j)
    Ecrire(p, x[j] + (c - Largeur(p, titres[j])) / 2, y0 - wg, QString::fromUtf8(titres[j]));
  p.setFont(glyphes);
  const int bloc = Largeur(p, Glyphe('a') + "  12" + Glyphe('b') + "31 12" + QChar(0xB0) + "31'");
  const double M = 2 * M_PI / H;
  for (int corps = 1; corps <= NbCorps; ++corps)
    for (int j = 0; j < 3; ++j) {
      const double lon = m.Longitudes[corps][j + 1];
      const int xb = x[j] + (c - bloc) / 2, y = y0 + corps * rhg;
      Ecrire(p, xb, y, Lettre(m, corps));
      Ecrire(p, xb + 5 * hwg, y, Texte(FormatGlyphe(lon)));
      Ecrire(p, xb + 15 * hwg, y, Texte(FormatDegMin(std::fmod(lon, M) * 180 / M_PI)));
    }
  p.setPen(PlumeMm(p, Qt::black, 0.35));
  p.setBrush(Qt::NoBrush);
  const int bas = y0 + 25 * rhg + hwg;
  p.drawRect(QRect(QPoint(marge, y0 - rhg), QPoint(W - marge, bas)));
  p.drawLine(marge, y0 + hhg, W - marge, y0 + hhg);
  for (int j = 1; j < 4; ++j) p.drawLine(x[j], y0 - rhg, x[j], bas);

  p.setPen(Qt::black);
  Ecrire(p, x[3] + (c - Largeur(p, page.titreArbre)) / 2, y0 - rhg + hhg / 2, page.titreArbre);
  const int debut = x[3] + (c - Largeur(p, "A -0" + QString(QChar(0xB0)) + "22' A")) / 2;
  const int n = std::min<int>(LignesArbreImprimees, static_cast<int>(page.arbre.size()));
  for (int k = 0; k < n; ++k) {
    const LigneArbreImprimee& l = page.arbre[static_cast<size_t>(k)];
    Ecrire(p, debut, y0 + rhg + hhg / 2 + k * rhg, l.glyphe1 + " " + l.ecart + " " + l.glyphe2);
  }
  p.restore();
}

QStringList EnteteNatale(const EtatTheme& e, const ModeleCadran& m) {
  return {Texte(e.NomAffiche.Chaine()), "NATAL", Texte(e.LigneDateHeure.Chaine()), Texte(m.natal.FicheSauvee.Ville.Chaine()),
          Texte(e.LigneCoordonnees.Chaine())};
}

PageCadran PageDuModele(const ModeleCadran& m, const SelectionCadran& s, const EtatTheme& e, const QStringList& gauche,
                        const ChampsMoment& c, const std::string& retour, bool couleur, bool couronnesColorees) {
  PageCadran page;
  page.modele = &m;
  page.options = OptionsDeLaSelection(m, s, e.JeuPlanetes, couronnesColorees);
  page.couleur = couleur;
  page.gauche = gauche;
  const auto degres = [](const std::string& texte) { return DegMinVersDegres(LireNombre(texte)); };
  page.droite = {"Arc Sol & Transits", TexteDateRetour(Texte(c.date), retour),
                 TexteGmt(Texte(c.heure), Texte(c.fuseau)),
                 Texte(c.ville.empty() ? e.FicheEnCours.Ville.Chaine() : c.ville),
                 Texte(FormatLatitude(degres(c.lat))) + " - " + Texte(FormatLongitude(degres(c.lon))),
                 "Arc Sol : " + Texte(FormatDMS(m.ArcSolaire))};
  const Feuille arbre = FeuilleArbreCadran(m, s, RemplirArbre(m, s, e.JeuPlanetes));
  page.titreArbre = arbre.titres.value(0);
  page.arbre = ArbreImprime(arbre);
  return page;
}

Feuille FeuillePositionsCadran(const ModeleCadran& m) {
  const QString h = "H" + QString::number(m.Harmonique);
  Feuille f;
  f.colonnes = {{"", 3, Qt::AlignLeft, true},  {"Natal", 9, Qt::AlignLeft, true},    {h, 10},
                {"Arc Sol.", 9, Qt::AlignLeft, true}, {h, 10}, {"Transit", 9, Qt::AlignLeft, true}, {h, 10}};
  const double M = 2 * M_PI / m.Harmonique;
  for (int b = 1; b <= NbCorps; ++b) {
    QStringList l{Lettre(m, b)};
    for (int couche = CoucheNatale; couche <= CoucheTransit; ++couche) {
      const double lon = m.Longitudes[b][couche];
      l << Texte(FormatGlyphe(lon)) << Texte(FormatDMS(std::fmod(lon, M)));
    }
    f.lignes.push_back(l);
  }
  return f;
}

Feuille FeuilleArbreCadran(const ModeleCadran& m, const SelectionCadran& s, const std::vector<LigneArbre>& lignes) {
  const ReferenceCadran r = CalculerReference(m, s);
  const bool libre = s.CorpsChoisi == 0;
  const QString glyphe = libre ? Glyphe(';') : Lettre(m, s.CorpsChoisi);
  Feuille f;
  f.titres = {glyphe + " " + Texte(FormatDegMin((libre ? r.longitude : r.position) * 180 / M_PI))};
  f.colonnes = {{"", 3, Qt::AlignLeft, true}, {"Orbe", 8}, {"", 3, Qt::AlignLeft, true}, {"", 4}, {"", 0}, {"", 0}};
  // The reference row (offset 0) takes its place in the offset order: between the points
  // below it and those above, as the midpoint trees show their root.
  const QStringList racine{"", " - " + glyphe + " - ", "", "H" + QString::number(m.Harmonique),
                           QString::number(s.CorpsChoisi * 1000), "10.0000"};
  bool racinePlacee = false;
  for (const LigneArbre& l : lignes) {
    if (!racinePlacee && l.ecart >= 0) {
      f.lignes.push_back(racine);
      racinePlacee = true;
    }
    f.lignes.push_back({Lettre(m, l.corps1), Texte(FormatArbre(l.ecart)), l.corps2 ? Lettre(m, l.corps2) : QString(),
                        "H" + QString::number(l.harmonique), QString::number(l.cle),
                        QString::number(l.ecart * 180 / M_PI + 10, 'f', 4).rightJustified(7, '0')});
  }
  if (!racinePlacee) f.lignes.push_back(racine);
  return f;
}

Feuille FeuilleMaisonsCadran(const ModeleCadran& m, int axe) {
  const CadreMaisons cadre = CadreNatal(m, axe);
  Feuille f;
  f.colonnes = {{"ARMC = ", 8}, {Texte(FormatDMS(m.natal.TempsSideralNatal * M_PI / 180)), 11, Qt::AlignLeft, true}};
  for (int k = 1; k <= 12; ++k)
    f.lignes.push_back({"Mais " + QString::number(k),
                        cadre.axe == AxeAucun ? QString() : Texte(FormatGlyphe(cadre.cuspides[k] * M_PI / 180))});
  return f;
}

std::vector<LigneArbreImprimee> ArbreImprime(const Feuille& arbre) {
  std::vector<LigneArbreImprimee> lignes;
  for (const QStringList& l : arbre.lignes) lignes.push_back({l.value(0), l.value(1), l.value(2)});
  return lignes;
}

DocumentImprime DocumentCadran(const PageCadran& page, const Reglages& reglages, const QStringList& cachet) {
  DocumentImprime d;
  d.noirEtBlanc = !page.couleur;
  d.cachet = cachet;
  d.peindre = [page, &reglages](QPainter& p, const QRectF& zone, int) {
    ImprimerCadran(p, static_cast<int>(zone.width()), page, reglages);
  };
  return d;
}

}  // namespace selvane
