#include "dial/ModeleCadran.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"
#include "core/Temps.h"
#include "methode/ArcSolaire.h"
#include "methode/Maisons.h"
#include "methode/Retours.h"

namespace selvane {
namespace {

constexpr double ArcMaximal = 6.265732014659643;  // 359 degrees: above it the moment is before birth

double Modulo(double x, double M) { return std::fmod(x, M); }

void RemplirAnneau(ModeleCadran& m, int anneau, float ecart) {
  for (int b = 1; b <= NbCorps; ++b)
    m.PositionsCadran[b][anneau] = static_cast<float>(AngleCadran(m.Longitudes[b][anneau], m.Harmonique));
  if (anneau != CoucheArcSolaire) m.PositionsCadran[PointBelier][anneau] = 0;
  EtalerPositions(m, anneau, ecart);
}

}  // namespace

double OrbeDeLIndex(int index) { return (index + 1) * 5.0 / 60.0 * DegEnRad; }
double OrbeSerreDeLIndex(int index) { return (index + 1) * 0.1 / 60.0 * DegEnRad; }

PresetsOrbes PresetsDuCadran(int harmonique) {
  switch (harmonique) {
    case 1: return {35, 39};
    case 4: return {8, 19};
    case 8: return {3, 19};
    case 12: return {2, 4};
    case 16: return {1, 4};
    default: return {0, 4};
  }
}

int ColonneDeCouche(int couche) {
  return couche == CoucheNatale ? 6 : couche == CoucheArcSolaire ? 2 : 1;
}

double AngleCadran(double longitude, int harmonique) { return Normaliser2Pi(harmonique * longitude); }
double PositionDansCadran(double longitude, int harmonique) { return std::fmod(longitude, DeuxPi / harmonique); }

std::string ErreurAnneeCadran(std::string_view texte) { return LireAnneeCadran(texte).message; }

std::string LireArcDonne(std::string_view texte, int& degres) {
  // The command line asks no second time: an empty text is no number either.
  if (texte.empty()) return "N'entrez que des chiffres !";
  const Saisie<int> s = LireArcDonne(texte);
  if (s.Ok()) degres = s.valeur;
  return s.message;
}

double JourJulienDesChamps(const ChampsMoment& c) { return LireMoment(c).JourJulienTU(); }

void EcrireMomentTU(ChampsMoment& c, double jourUT, bool secondesSurDeuxChiffres) {
  c.fuseau = "0";
  c.date = JourJulienVersDatePoints(jourUT);
  const double heures = HeureDuJour(jourUT);
  c.heure = FormatHeureHM(heures);
  const double minutes = heures * 60.0;
  long s = static_cast<long>(std::nearbyint((minutes - std::floor(minutes)) * 60.0));
  if (s > 59) s = 59;  // a minute's last half second stays in that minute, as its hour text does
  c.secondes = secondesSurDeuxChiffres ? Remplir(s, 2) : std::to_string(s);
}

CopiesNatales CopierNatal() {
  const EtatTheme& e = Etat();
  CopiesNatales n;
  n.FicheSauvee = e.FicheEnCours;
  for (int b = 1; b <= NbCorps; ++b) {
    n.Natal[b] = e.Positions[b][6];
    n.NatalCadran[b] = static_cast<float>(e.Positions[b][6]);
  }
  for (int b = 1; b <= NoeudLunaire; ++b) n.VitessesNatales[b] = e.Positions[b][5];
  for (int k = 1; k <= 12; ++k) n.MaisonsNatales[k] = e.MaisonsNatales[k];
  n.SoleilNatal = e.Positions[Soleil][6];
  n.LuneNatale = e.Positions[Lune][6];
  n.JourJulienNaissance = e.JourJulienTU;
  n.FuseauNaissance = e.FuseauHeures;
  n.JourJulienNaissanceLocal = e.JourJulienTU + e.FuseauHeures / 24.0;
  n.TempsSideralNatal = e.TempsSideralDeg;
  n.AnneeNaissance = LireDateDuChamp(e.FicheEnCours.Date.Texte()).annee;
  return n;
}

double AgeEnAnnees(double jourUT, double jourNaissance, double annee) { return (jourUT - jourNaissance) / annee; }

double CalculerArcSolaire(const CopiesNatales& natal, double jourUT) {
  // Before birth there is no arc. The arc above 359° alone only catches the last year before
  // birth: earlier moments would give 358°, 357°, ...
  if (jourUT < natal.JourJulienNaissance) return 0.0;
  const double arc = ArcSolaireAnnuel(natal.JourJulienNaissance, natal.SoleilNatal, jourUT);
  return arc > ArcMaximal ? 0.0 : arc;
}

void CalculerPositions(ModeleCadran& m, const ChampsMoment& champs) {
  EtatTheme& e = Etat();
  const int A = m.MiPointSuiviA, B = m.MiPointSuiviB;
  m.LettreCorps24 = (A == Soleil && B == Lune) ? ':' : ';';
  if (m.ObliquiteNaissance == 0) {
    const double jn = m.natal.JourJulienNaissance;
    m.ObliquiteNaissance = ObliquiteA(jn + DeltaT(jn)).obliquiteDeg;
  }

  // Natal ring; of column 6 only the followed midpoint is rewritten.
  m.natal.Natal[MiPointSoleilLune] = MiPoint(m.natal.Natal[A], m.natal.Natal[B]);
  m.natal.NatalCadran[MiPointSoleilLune] = static_cast<float>(m.natal.Natal[MiPointSoleilLune]);
  e.Positions[MiPointSoleilLune][6] = m.natal.Natal[MiPointSoleilLune];
  for (int b = 1; b <= NbCorps; ++b) m.Longitudes[b][CoucheNatale] = m.natal.Natal[b];
  RemplirAnneau(m, CoucheNatale, EcartNatal);

  const Moment moment = LireMoment(champs);
  m.FuseauHeures = moment.fuseau;
  m.JourJulienTransit = moment.JourJulienTU();
  m.ArcSolaire = CalculerArcSolaire(m.natal, m.JourJulienTransit);

  for (int b = 1; b <= NbCorps; ++b) {
    e.Positions[b][2] = Normaliser2Pi(m.natal.Natal[b] + m.ArcSolaire);
    m.Longitudes[b][CoucheArcSolaire] = e.Positions[b][2];
  }
  m.AscKarmiqueDirige = Normaliser2Pi(e.Positions[MiPointSoleilLune][2] + m.DecalageKarmique);
  RemplirAnneau(m, CoucheArcSolaire, EcartComparaison);

  m.AgeAnnees = AgeEnAnnees(m.JourJulienTransit, m.natal.JourJulienNaissance, AnneeAgeCadran);

  // The transit chart: the moment of the fields, in local time, into the current record.
  FicheClient& f = e.FicheEnCours;
  f.Date = JourJulienVersDate(JourJulien(moment.date.jour, moment.date.mois, moment.date.annee, 0.5));
  f.Heure = FormatHeureHMS(moment.heures);
  f.Ville = champs.ville;
  f.Lat = champs.lat;
  f.Long = champs.lon;
  f.Fuseau = champs.fuseau;
  CalculerTheme(EcartGlyphes7);

  for (int b = 1; b <= NoeudLunaire; ++b) m.VitessesTransit[b] = e.Positions[b][3];
  e.Positions[MiPointSoleilLune][1] = MiPoint(e.Positions[A][1], e.Positions[B][1]);
  for (int b = 1; b <= NbCorps; ++b) m.Longitudes[b][CoucheTransit] = e.Positions[b][1];
  for (int k = 1; k <= 12; ++k) m.Maisons[k] = e.Maisons[k];
  m.TempsSideralTransit = e.TempsSideralDeg;
  RemplirAnneau(m, CoucheTransit, EcartComparaison);
}

double PasDuBouton(int tag) {
  static const double pas[13] = {0, 1.0 / 24, -1.0 / 24, -1, 1, -5, 5, -10, 10, -30, 30, -365, 365};
  return tag >= 1 && tag <= 12 ? pas[tag] : 0.0;
}

void AvancerCadran(ModeleCadran& m, ChampsMoment& champs, double jours) {
  champs.fuseau = "0";
  m.JourJulienTransit += jours;
  EcrireMomentTU(champs, m.JourJulienTransit);
  CalculerPositions(m, champs);
}

namespace {
// One ring's spread slots as the shared spread takes them (1-based).
struct SlotsAnneau {
  float P[NbCorps + 1] = {};
  int O[NbCorps + 1] = {};
  SlotsAnneau(const ModeleCadran& m, int anneau) {
    for (int i = 1; i <= NbCorps; ++i) {
      P[i] = m.PositionsEtalees[i][anneau];
      O[i] = m.OrdreEtale[i][anneau];
    }
  }
  void Ecrire(ModeleCadran& m, int anneau) const {
    for (int i = 1; i <= NbCorps; ++i) {
      m.PositionsEtalees[i][anneau] = P[i];
      m.OrdreEtale[i][anneau] = O[i];
    }
  }
};
}  // namespace

void EtalerPositions(ModeleCadran& m, int anneau, float ecart) {
  for (int i = 1; i <= NbCorps; ++i) {
    m.PositionsEtalees[i][anneau] = m.PositionsCadran[i][anneau];
    m.OrdreEtale[i][anneau] = i;
  }
  SlotsAnneau slots(m, anneau);
  EtalerSurLeCercle(slots.P, slots.O, NbCorps, ecart);
  slots.Ecrire(m, anneau);
}

void TrierPositions(ModeleCadran& m, int anneau, float ecart) {
  SlotsAnneau slots(m, anneau);
  TrierEtEcarter(slots.P, slots.O, NbCorps, ecart);
  slots.Ecrire(m, anneau);
}

std::vector<LigneGrille> GrilleAnneau(const ModeleCadran& m, int anneau) {
  std::vector<LigneGrille> lignes;
  for (int i = 1; i <= NbCorps; ++i) {
    const int b = m.OrdreEtale[i][anneau];
    lignes.push_back({b, m.PositionsCadran[b][anneau] * RadEnDeg, m.PositionsEtalees[i][anneau] * RadEnDeg});
  }
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneGrille& a, const LigneGrille& b) { return a.angleEtale < b.angleEtale; });
  return lignes;
}

ReferenceCadran CalculerReference(const ModeleCadran& m, const SelectionCadran& s) {
  const int H = m.Harmonique;
  const double M = DeuxPi / H;
  ReferenceCadran r;
  if (s.CorpsChoisi != 0) {
    r.longitude = m.Longitudes[s.CorpsChoisi][s.AnneauChoisi];
    r.direction = H * Modulo(r.longitude, M);
    r.recherche = m.Longitudes[s.CorpsChoisi][s.CoucheDe];
    r.position = Modulo(r.recherche, M);
  } else {
    r.direction = s.AnglePointeur;
    r.longitude = s.AnglePointeur / H;
    r.recherche = r.longitude;
    r.position = Modulo(r.longitude, M);
  }
  if (s.PointeurEvenement) r.direction = H * Modulo(m.Longitudes[MiPointSoleilLune][CoucheTransit], M);
  return r;
}

namespace {
// The longitudes of the searched layer, as the core's searches take them.
struct CoucheCherchee {
  double l[25] = {};
  CoucheCherchee(const ModeleCadran& m, const SelectionCadran& s) {
    for (int b = 1; b <= NbCorps; ++b) l[b] = m.Longitudes[b][s.CoucheVers];
  }
};
}  // namespace

std::vector<LigneMiPoint> LignesDuCadran(const ModeleCadran& m, const SelectionCadran& s,
                                        const std::bitset<256>& jeu) {
  const CoucheCherchee couche(m, s);
  ParametresLignes p;
  p.harmonique = m.Harmonique;
  p.orbe = OrbeDeLIndex(s.IndexOrbe);
  p.orbeSerre = OrbeSerreDeLIndex(s.IndexOrbeSerre);
  p.sousHarmoniques = s.SousHarmoniques;
  p.jeu = jeu;
  return ChercherLignesMiPoints(couche.l, CalculerReference(m, s).recherche, p);
}

std::vector<LigneArbre> RemplirArbre(const ModeleCadran& m, const SelectionCadran& s,
                                     const std::bitset<256>& jeu) {
  const CoucheCherchee couche(m, s);
  ParametresArbre p;
  p.harmonique = m.Harmonique;
  p.orbe = OrbeDeLIndex(s.IndexOrbe);
  p.sousHarmoniques = s.SousHarmoniques;
  p.corpsReference = s.CorpsChoisi;
  p.jeu = jeu;
  return ChercherArbre(couche.l, CalculerReference(m, s).recherche, p);
}

int GeometrieCadran::RayonCouche(int couche) const {
  return couche == CoucheNatale ? R60 : couche == CoucheArcSolaire ? R70 : R80;
}

GeometrieCadran GeometrieDuCadran(int cote) {
  return GeometrieDeRayon(cote, cote / 2, cote / 2 - 10, static_cast<int>(Arrondi(0.475 * cote)));
}

GeometrieCadran GeometrieDeRayon(int cote, int xc, int yc, int r0) {
  GeometrieCadran g;
  g.S = cote;
  g.XC = xc;
  g.YC = yc;
  g.R0 = r0;
  const auto r = [&](double f) { return static_cast<int>(Arrondi(g.R0 * f)); };
  g.R50 = r(0.5);
  g.R55 = r(0.55);
  g.R60 = r(0.6);
  g.R66 = r(0.66);
  g.R70 = r(0.7);
  g.R76 = r(0.76);
  g.R80 = r(0.8);
  g.R86 = r(0.86);
  g.R90 = r(0.9);
  g.RH = static_cast<int>(Arrondi(g.R50 * 0.61));
  return g;
}

double AngleSouris(int x, int y, const GeometrieCadran& g) {
  double dx = x - g.XC;
  if (dx == 0) dx = 1e-10;
  return Normaliser2Pi(3 * Pi / 2 - std::atan2(static_cast<double>(y - g.YC), dx));
}

double RayonSouris(int x, int y, const GeometrieCadran& g) {
  const double dx = x - g.XC, dy = y - g.YC;
  return std::sqrt(dx * dx + dy * dy);
}

bool CliquerCadran(const ModeleCadran& m, SelectionCadran& s, const GeometrieCadran& g, int x, int y) {
  const double r = RayonSouris(x, y, g);
  const double a = AngleSouris(x, y, g);
  s.AnglePointeur = 0;
  s.PointeurEvenement = false;
  if (r <= g.R60 + 2 || r >= g.R90) {
    s.CorpsChoisi = 0;
    return false;
  }
  if (r < g.R70) s.AnneauChoisi = CoucheNatale;
  else if (r > g.R70 && r < g.R80) s.AnneauChoisi = CoucheArcSolaire;
  else if (r > g.R80) s.AnneauChoisi = CoucheTransit;
  const double aDeg = a * RadEnDeg;
  for (const LigneGrille& l : GrilleAnneau(m, s.AnneauChoisi)) {
    double d = std::fabs(l.angleEtale - aDeg);
    if (d > 180) d = 360 - d;
    if (d <= 3) {
      s.CorpsChoisi = l.corps;
      break;
    }
  }
  if (s.CorpsChoisi != 0) s.CoucheDe = s.AnneauChoisi;
  else s.AnglePointeur = a;
  return true;
}

namespace {
constexpr int TableA[22] = {PointBelier, MilieuDuCiel, Ascendant, Soleil, Lune, NoeudLunaire, 3, 4, 5, 6, 7,
                            8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
}

int CorpsDeA(int item) { return item >= 0 && item < 22 ? TableA[item] : 0; }
int CorpsDeB(int item) { return CorpsDeA(item + 1); }
int CorpsDeC(int item) { return item <= 0 ? 0 : CorpsDeA(item - 1); }

void PointParticulier(const ModeleCadran& m, SelectionCadran& s, int a, int b, int c) {
  const int H = m.Harmonique;
  const double la = m.Longitudes[a][s.CoucheDe], lb = m.Longitudes[b][s.CoucheDe];
  const double P = c != 0 ? Normaliser2Pi(la + lb - m.Longitudes[c][s.CoucheDe]) : MiPoint(la, lb);
  s.CorpsChoisi = 0;
  s.AnglePointeur = Normaliser2Pi(H * Modulo(P, DeuxPi / H));
  s.PointeurEvenement = false;
}

std::string SuivreMiPoint(ModeleCadran& m, SelectionCadran& s, bool actif, int itemA, int itemB) {
  s.SuiviMiPoint = actif;
  if (actif) {
    if (itemA < 3 || itemB < 2) return "Choisissez une planète à partir du Soleil";
    const int a = itemA == 3 ? Soleil : itemA == 4 ? Lune : itemA == 5 ? NoeudLunaire : itemA - 3;
    const int b = itemB == 2 ? Soleil : itemB == 3 ? Lune : itemB == 4 ? NoeudLunaire : itemB - 2;
    if (a == b) return "La planète B doit être différente de la planète A";
    m.MiPointSuiviA = a;
    m.MiPointSuiviB = b;
    s.CoucheDe = CoucheTransit;
    s.CoucheVers = CoucheNatale;
    s.AnneauChoisi = CoucheTransit;
  } else {
    m.MiPointSuiviA = Soleil;
    m.MiPointSuiviB = Lune;
  }
  m.LettreCorps24 = (m.MiPointSuiviA == Soleil && m.MiPointSuiviB == Lune) ? ':' : ';';
  const int H = m.Harmonique;
  s.CorpsChoisi = 0;
  const double mp = MiPoint(m.Longitudes[m.MiPointSuiviA][s.CoucheDe], m.Longitudes[m.MiPointSuiviB][s.CoucheDe]);
  s.AnglePointeur = Normaliser2Pi(H * Modulo(mp, DeuxPi / H));
  return "";
}

void AscendantKarmique(ModeleCadran& m, SelectionCadran& s, bool homme) {
  s.AscKarmiqueActif = true;
  const double d = Normaliser2Pi(m.Longitudes[Soleil][CoucheNatale] - m.Longitudes[MiPointSoleilLune][CoucheNatale]);
  m.DecalageKarmique = ((d < Pi && homme) || (d >= Pi && !homme)) ? Pi : 0.0;
  s.AscKarmiqueNatal = Normaliser2Pi(m.Longitudes[MiPointSoleilLune][CoucheNatale] + m.DecalageKarmique);
  m.AscKarmiqueDirige = Normaliser2Pi(m.Longitudes[MiPointSoleilLune][CoucheArcSolaire] + m.DecalageKarmique);
}

// --- Comparison moments ------------------------------------------------------------

namespace {
NatalRetour NatalDuCadran(const CopiesNatales& natal) {
  NatalRetour n;
  n.jourJulienNaissance = natal.JourJulienNaissance;
  n.soleilNatal = natal.SoleilNatal;
  n.luneNatale = natal.LuneNatale;
  n.anneeNaissance = natal.AnneeNaissance;
  return n;
}
}  // namespace

ResultatRetour RetourSolaire(const CopiesNatales& natal, int annee, int quart, bool precession) {
  const RetourSolaireTrouve t =
      selvane::RetourSolaire(NatalDuCadran(natal), {annee, quart, precession, RechercheSoleil::Convergee});
  return {t.t, t.precession, t.age};
}

ResultatRetour RetourLunaire(const CopiesNatales& natal, int jour, int mois, int annee, bool precession) {
  const RetourLunaireTrouve t = selvane::RetourLunaire(
      NatalDuCadran(natal), {jour, mois, annee, precession, RechercheLune::VitesseEphemeride});
  ResultatRetour r;
  r.jourUT = t.t;
  r.precession = t.precession;
  return r;
}

double MomentArcDonne(const CopiesNatales& natal, int degres) {
  return selvane::MomentArcDonne(natal.JourJulienNaissance, natal.SoleilNatal, degres);
}

namespace {

std::string TexteDate(double jourUT) {
  return JourJulienVersDatePoints(jourUT) + " - " + FormatHeureHM(HeureDuJour(jourUT));
}

// k rounded down to a multiple of one half, as the lunation list counts.
double DemiLunaison(double k) {
  const double t = std::trunc(k);
  const double f = std::fabs(k - t);
  if (k >= 0) return f >= 0.5 ? t + 0.5 : t;
  return f >= 0.5 ? t - 1 : t - 0.5;
}

}  // namespace

std::vector<EvenementCadran> ListerLunaisons(int jour, int mois, int annee) {
  EtatTheme& e = Etat();
  std::vector<EvenementCadran> liste;
  const double S = JourJulien(jour, mois, annee, 0.5) - 30;
  const double Y = AnneeDecimale(S);
  double k = DemiLunaison((Y - 1900) * 12.3685);
  if (Y <= 0) k += 13;
  if (NouvelleLuneMoyenne(k) < S) k += 0.5;
  for (int i = 0; i < 6; ++i) {
    const double kp = k + 0.5 * i;
    double J = NouvelleLuneMoyenne(kp);
    const int phase = std::fmod(kp, 1.0) != 0 ? 8 : 0;
    J += ChercherPhase(phase, J);
    J -= DeltaT(J);
    e.ColonneCalcul = 7;
    CalculerCorps(Soleil, J);
    EvenementCadran ev;
    ev.symbole = std::string(1, static_cast<char>(186 + phase));
    ev.soleil = FormatGlyphe(e.Positions[Soleil][7]);
    ev.lune = " ";
    ev.dateTexte = TexteDate(J);
    ev.positionDeg = e.Positions[Soleil][7] * RadEnDeg;
    ev.jourUT = J;
    liste.push_back(ev);
  }
  e.ColonneCalcul = 1;
  return liste;
}

std::vector<EvenementCadran> ListerEclipses(int jour, int mois, int annee) {
  EtatTheme& e = Etat();
  std::vector<EvenementCadran> liste;
  const double S = JourJulien(jour, mois, annee - 1, 0);
  const double E = S + 730;
  double tret[10];
  for (double J = S; J < E; J += 29) {
    tret[0] = 0;
    EclipseSolaire(false, tret, J);
    const double t = tret[0];
    if (t <= J) break;  // the library found nothing: stop rather than loop on the same day
    J = t;
    if (t > E) break;
    e.ColonneCalcul = 4;
    CalculerCorps(Soleil, t);
    EvenementCadran ev;
    ev.symbole = "$";
    ev.soleil = FormatGlyphe(e.Positions[Soleil][4]);
    ev.lune = " ";
    ev.dateTexte = TexteDate(t);
    ev.positionDeg = e.Positions[Soleil][4] * RadEnDeg;
    ev.jourUT = t;
    ev.solaire = true;
    liste.push_back(ev);
  }
  for (double J = S; J < E; J += 29) {
    tret[0] = 0;
    EclipseLunaire(false, tret, J);
    const double t = tret[0];
    if (t <= J || t > E) break;
    J = t;
    e.ColonneCalcul = 4;
    CalculerCorps(Soleil, t);
    CalculerCorps(Lune, t);
    EvenementCadran ev;
    ev.symbole = "%";
    ev.soleil = FormatGlyphe(e.Positions[Soleil][4]);
    ev.lune = FormatGlyphe(e.Positions[Lune][4]);
    ev.dateTexte = TexteDate(t);
    ev.positionDeg = e.Positions[Lune][4] * RadEnDeg;
    ev.jourUT = t;
    ev.lunaire = true;
    liste.push_back(ev);
  }
  e.ColonneCalcul = 1;
  std::stable_sort(liste.begin(), liste.end(),
                   [](const EvenementCadran& a, const EvenementCadran& b) { return a.jourUT < b.jourUT; });
  return liste;
}

void ChoisirEvenement(ModeleCadran& m, SelectionCadran& s, const EvenementCadran& ev) {
  const int H = m.Harmonique;
  s.PointeurEvenement = true;
  m.JourJulienTransit = ev.jourUT;
  s.CoucheDe = CoucheTransit;
  s.CoucheVers = s.ModeHorloge ? CoucheTransit : CoucheNatale;
  s.CorpsChoisi = MiPointSoleilLune;
  s.AnglePointeur = H * Modulo(ev.positionDeg * DegEnRad, DeuxPi / H);
  s.AnneauChoisi = CoucheTransit;
}

void BasculerHorloge(SelectionCadran& s) {
  s.ModeHorloge = !s.ModeHorloge;
  if (s.ModeHorloge) {
    s.CoucheDe = CoucheTransit;
    s.CoucheVers = CoucheTransit;
    s.AnneauChoisi = CoucheTransit;
  }
}

void SelectionDuRetour(SelectionCadran& s, bool solaire) {
  s.CorpsChoisi = solaire ? Soleil : Lune;
  s.AnglePointeur = 0;
  s.PointeurEvenement = false;
  s.CoucheDe = s.AnneauChoisi = CoucheTransit;
  s.CoucheVers = CoucheNatale;
}

void SelectionMaintenant(SelectionCadran& s) {
  s.CorpsChoisi = Soleil;
  s.AnglePointeur = 0;
  s.PointeurEvenement = false;
  const int couche = s.ModeHorloge ? CoucheTransit : CoucheArcSolaire;
  s.CoucheDe = s.AnneauChoisi = couche;
  s.CoucheVers = s.ModeHorloge ? CoucheTransit : CoucheNatale;
}

CadreMaisons CalculerCadreMaisons(int axe, const double longitudes[25], double tempsSideralDeg, double obliquiteDeg,
                                  double milieuDuCiel) {
  CadreMaisons c;
  c.axe = axe;
  if (axe < 0 || axe >= AxeAucun) {
    c.axe = AxeAucun;
    return c;
  }
  constexpr double petit = 2e-5 * RadEnDeg;
  static const int corpsAxe[6] = {Soleil, Lune, Ascendant, MilieuDuCiel, PointBelier, NoeudLunaire};
  if (axe < 6) {
    const double l = axe == 4 ? 0.0 : longitudes[corpsAxe[axe]] * RadEnDeg;
    c.axeCorps = l;
    double debut = 0;
    switch (axe) {
      case 0: c.direction = l; debut = l - 90; break;
      case 1: c.direction = l + 180; debut = l + 90; break;
      case 2: case 5: c.direction = l + 90; debut = l; break;
      case 3: c.direction = l + 180; debut = l - 270 + petit; break;
      default: c.direction = 270; debut = 180 + petit; break;
    }
    c.direction = Normaliser360(c.direction);
    for (int k = 0; k < 12; ++k) c.cuspides[k + 1] = Normaliser360(debut + 30 * k);
    return c;
  }
  const double mc = milieuDuCiel * RadEnDeg;
  c.direction = 90;
  c.axeCorps = mc;
  const std::array<double, 13> cuspides = MaisonsMeridiennes(tempsSideralDeg, obliquiteDeg * DegEnRad, mc);
  for (int k = 1; k <= 12; ++k) c.cuspides[k] = cuspides[static_cast<std::size_t>(k)];
  return c;
}

namespace {
CadreMaisons CadreDeCouche(const ModeleCadran& m, int axe, int couche, double tempsSideral) {
  double l[25];
  for (int b = 1; b <= NbCorps; ++b) l[b] = m.Longitudes[b][couche];
  return CalculerCadreMaisons(axe, l, tempsSideral, m.ObliquiteNaissance, l[MilieuDuCiel]);
}
}  // namespace

CadreMaisons CadreNatal(const ModeleCadran& m, int axe) {
  return CadreDeCouche(m, axe, CoucheNatale, m.natal.TempsSideralNatal);
}

CadreMaisons CadreTransit(const ModeleCadran& m, int axe) {
  return CadreDeCouche(m, axe, CoucheTransit, m.TempsSideralTransit);
}

}  // namespace selvane
