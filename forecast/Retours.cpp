#include "forecast/Retours.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "birthdata/records/FichierNaissance.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"
#include "core/Temps.h"

namespace selvane {

namespace {

double N(double x) { return Normaliser2Pi(x); }

std::string_view Caracteres(std::string_view texte, std::size_t debut, std::size_t longueur) {
  if (debut >= texte.size()) return {};
  return texte.substr(debut, longueur);
}

struct JourMoisAnnee {
  int jour, mois, annee;
};

// dd.mm.yyyy: anything that is not numbers stops the command with the conversion message.
JourMoisAnnee LireChampDate(std::string_view date) {
  return {EntierExige(Caracteres(date, 0, 2)), EntierExige(Caracteres(date, 3, 2)),
          EntierExige(Caracteres(date, 6, 4))};
}

// r brought to the shorter side: target − λ when r = N(λ − target).
double VersCoteCourt(double r) {
  if (r < Pi) r = -r;
  if (r > Pi) r = DeuxPi - r;
  return r;
}

std::string DateEtHeure(double t) { return JourJulienVersDatePoints(t) + "  " + FormatHeureHMS(HeureDuJour(t)); }

// The return chart as a saved chart file, then made the current chart. False when the user
// keeps an existing file of that name: nothing is written nor changed.
bool EnregistrerRetour(double t, const ChampsPrevision& champs, const std::string& commentaire,
                       const std::string& fichier, const SortieRetour& sortie, const QuestionRemplacer& remplacer) {
  EtatTheme& e = Etat();
  FicheClient f;
  f.Nom = e.FicheEnCours.Nom.Texte();
  f.Date = JourJulienVersDate(t);
  f.Heure = FormatHeureHMS(HeureDuJour(t));
  f.Ville = champs.ville;
  f.Lat = champs.lat;
  f.Long = champs.lon;
  f.Fuseau = "0";
  f.Commentaire = commentaire;
  if (sortie.enregistrer) {
    const std::filesystem::path chemin = sortie.dossier / fichier;
    if (remplacer && std::filesystem::exists(chemin) && !remplacer(fichier)) return false;
    EcrireFichierTheme(chemin, f);
    if (sortie.relireListe) sortie.relireListe();
    f = LireFichierTheme(chemin);
  }
  f.SortOrder = e.FicheEnCours.SortOrder;
  e.FicheEnCours = f;
  CalculerTheme(EcartGlyphes7);
  return true;
}

void RemplirColonneComparaison(double precession, bool optionPrecession) {
  EtatTheme& e = Etat();
  for (int b = 1; b <= 22; ++b) e.Positions[b][2] = N(e.Positions[b][1] - precession);
  if (optionPrecession)
    for (int b = 1; b <= 23; ++b) e.Positions[b][2] = e.Positions[b][1];
  e.Positions[PointBelier][2] = 0;
}

void Transits(EtatPrevision& etat, const ChampsPrevision& champs, ResultatPrevision& r) {
  const JourMoisAnnee d = LireChampDate(champs.date);
  etat.AnneeRetour = d.annee;
  const double heures = LireNombre(Caracteres(champs.heure, 0, 2)) + LireNombre(Caracteres(champs.heure, 3, 2)) / 60;
  const double t = JourJulien(d.jour, d.mois, d.annee, heures / 24);
  EtatTheme& e = Etat();
  FicheClient& f = e.FicheEnCours;
  f.Date = JourJulienVersDate(t);
  f.Heure = FormatHeureHMS(heures);
  f.Ville = champs.ville;
  f.Lat = champs.lat;
  f.Long = champs.lon;
  f.Fuseau = "0";
  f.Commentaire = "Transits";
  CalculerTheme(EcartGlyphes65);
  for (int b = 1; b <= 22; ++b) e.Positions[b][2] = e.Positions[b][1];
  e.Positions[PointBelier][2] = 0;
  r.moment = t;
}

void Solaire(EtatPrevision& etat, const ChampsPrevision& champs, const SortieRetour& sortie,
             const QuestionRemplacer& remplacer, ResultatPrevision& r) {
  EtatTheme& e = Etat();
  e.NomFichierNaissance = "RS";
  etat.AnneeRetour = LireChampDate(champs.date).annee;
  const MomentRetourSolaire m = RetourSolaire(etat, etat.AnneeRetour, champs.precession);
  etat.PrecessionRetour = m.precession;
  r.longitude = e.Positions[Soleil][1];
  r.moment = m.t;
  r.momentTropical = m.t1;
  r.champsChanges = true;
  r.date = JourJulienVersDatePoints(m.t);
  r.heure = FormatHeureHM(HeureDuJour(m.t));
  r.precession = "Precess.= " + FormatDMS(etat.PrecessionRetour);
  etat.LignesResultat[0] = "RSn " + DateEtHeure(m.t1);
  etat.LignesResultat[1] = "Pr.= " + FormatDMS(etat.PrecessionRetour);
  etat.LignesResultat[2] = FormatDMS(r.longitude);
  etat.LignesResultat[3] = "RSp " + DateEtHeure(m.t);
  const std::string annee = std::to_string(etat.AnneeRetour);
  r.fichier = NomFichierRetour(e.FicheEnCours.Nom.Chaine(), (champs.precession ? " RSp " : " RS ") + annee);
  const std::string commentaire = (champs.precession ? " RS avec précess. " : " RS sans précess. ") + annee;
  if (!EnregistrerRetour(m.t, champs, Utf8VersCp1252(commentaire), r.fichier, sortie, remplacer)) {
    r.garde = true;
    return;
  }
  RemplirColonneComparaison(etat.PrecessionRetour, champs.precession);
}

void Lunaire(EtatPrevision& etat, const ChampsPrevision& champs, const SortieRetour& sortie,
             const QuestionRemplacer& remplacer, ResultatPrevision& r) {
  EtatTheme& e = Etat();
  // An abandoned return changes no chart: the state is put back as it was.
  const EtatTheme avant = e;
  e.NomFichierNaissance = "RL";
  const JourMoisAnnee d = LireChampDate(champs.date);
  etat.AnneeRetour = d.annee;
  double jd = JourJulien(d.jour, d.mois, d.annee, 0);
  e.ColonneCalcul = 1;
  CalculerLune(jd);
  const double ecart = N(e.Positions[Lune][1] - e.Positions[Lune][6]);
  jd += (DeuxPi - ecart) * 3.6965;  // days per radian the Moon still has to travel
  jd = RechercheJourRL(jd);
  const double c = CorrectionPrecession(jd, etat.JourJulienNaissance);
  etat.PrecessionRetour = c;
  const double tT = jd - DeltaT(jd);
  r.momentTropical = tT;
  r.precession = "Precess.= " + FormatDMS(c);
  etat.LignesResultat[0] = "RLn " + DateEtHeure(tT);
  etat.LignesResultat[1] = "Pr.= " + FormatDMS(c);
  const double cible = N(e.Positions[Lune][1] + c);
  double t = tT;
  if (!RaffinerRetourSideral(t, cible, VitesseLune)) {
    e = avant;
    r.abandonne = true;
    return;
  }
  t -= DeltaT(t);
  r.longitude = e.Positions[Lune][1];
  r.moment = t;
  r.champsChanges = true;
  r.date = JourJulienVersDatePoints(t);
  r.heure = FormatHeureHM(HeureDuJour(t));
  etat.LignesResultat[2] = FormatDMS(r.longitude);
  etat.LignesResultat[3] = "RLp " + DateEtHeure(t);
  r.fichier = NomFichierRetour(e.FicheEnCours.Nom.Chaine(), " RL " + JourJulienVersDateCompacte(t));
  if (!EnregistrerRetour(t, champs, Utf8VersCp1252("RL sidérale  ") + JourJulienVersDate(t), r.fichier, sortie, remplacer)) {
    r.garde = true;
    return;
  }
  RemplirColonneComparaison(etat.PrecessionRetour, champs.precession);
}

}  // namespace

EtatPrevision OuvrirEtatPrevision() {
  EtatPrevision etat;
  etat.JourJulienNaissance = Etat().JourJulienTU;
  etat.SoleilNatal = Etat().Positions[Soleil][6];
  const std::string date = JourJulienVersDatePoints(etat.JourJulienNaissance);
  etat.AnneeNaissance = static_cast<int>(LireNombre(Caracteres(date, 6, 4)));
  return etat;
}

MomentRetourSolaire RetourSolaire(const EtatPrevision& etat, int annee, bool precession) {
  EtatTheme& e = Etat();
  e.FuseauHeures = 0;
  e.ColonneCalcul = 1;
  const int n = annee - etat.AnneeNaissance;
  // Away from the 0°/360° seam both compared longitudes are shifted by 30°.
  const double decalage = (etat.SoleilNatal > 6.0213859 || etat.SoleilNatal < 0.2617994) ? Pi / 6 : 0;
  const double t0 = etat.JourJulienNaissance + n * 365.242198 - 0.01;
  CalculerSoleil(t0 + DeltaT(t0));
  double v = e.Positions[Soleil][3];
  MomentRetourSolaire m;
  m.t1 = t0 + (N(etat.SoleilNatal + decalage) - N(e.Positions[Soleil][1] + decalage)) / v;
  CalculerCorps(Soleil, m.t1);
  m.t = m.t1;
  if (!precession) return m;
  const double c = CorrectionPrecession(m.t1, etat.JourJulienNaissance);
  const double t2 = m.t1 + c / e.Positions[Soleil][3];
  CalculerSoleil(t2 + DeltaT(t2));
  v = e.Positions[Soleil][3];
  // The corrected target may pass 2π when the natal Sun is near 360°.
  double d = etat.SoleilNatal + c - e.Positions[Soleil][1];
  while (d > Pi) d -= DeuxPi;
  while (d < -Pi) d += DeuxPi;
  const double t3 = t2 + d / v;
  CalculerSoleil(t3 + DeltaT(t3));
  m.t = t3;
  m.precession = c;
  return m;
}

double RechercheJourRL(double jd) {
  EtatTheme& e = Etat();
  e.ColonneCalcul = 1;
  for (int i = 0;;) {
    CalculerLune(jd);
    const double c = VersCoteCourt(N(e.Positions[Lune][1] - e.Positions[Lune][6]));
    jd += c / VitesseLune((jd - 2415020) / 36525);
    ++i;
    if (i > 5 || std::fabs(c) <= 0.00001) return jd;
  }
}

bool RaffinerRetourSideral(double& t, double cible, double (*vitesse)(double siecles)) {
  EtatTheme& e = Etat();
  for (int k = 0;;) {
    CalculerLune(t);
    const double r = VersCoteCourt(N(e.Positions[Lune][1] - cible));
    if (std::fabs(r) < 0.0001) return true;
    t += r / vitesse((t - 2415020) / 36525);
    if (++k > 2) return false;
  }
}

double ArcSolaire(const EtatPrevision& etat, int jour, int mois, int annee) {
  const double jd = JourJulien(jour, mois, annee, 0.5);
  // One day after birth for each tropical year of life.
  const double tp = etat.JourJulienNaissance + (jd - etat.JourJulienNaissance) / 365.2421988;
  EtatTheme& e = Etat();
  e.ColonneCalcul = 1;
  CalculerSoleil(tp + DeltaT(tp));
  return N(e.Positions[Soleil][1] - etat.SoleilNatal);
}

std::string NomFichierRetour(const std::string& nom, const std::string& suite) {
  std::string s = nom + suite + ".cht";
  for (char& c : s)
    if (c == '/' || c == '\\') c = '-';
  return s;
}

ResultatPrevision CalculerPrevision(EtatPrevision& etat, const ChampsPrevision& champs, const SortieRetour& sortie,
                                    const QuestionRemplacer& remplacer) {
  // A return whose file the user keeps leaves the chart and the window's state as they were.
  std::optional<EtatTheme> theme;
  if (sortie.enregistrer && remplacer) theme = Etat();
  const EtatPrevision prevision = etat;
  for (std::string& ligne : etat.LignesResultat) ligne.clear();
  ResultatPrevision r;
  switch (champs.technique) {
    case TechniquePrevision::Natal:
      break;
    case TechniquePrevision::RS:
      Solaire(etat, champs, sortie, remplacer, r);
      break;
    case TechniquePrevision::RL:
      Lunaire(etat, champs, sortie, remplacer, r);
      break;
    case TechniquePrevision::ArcSolaire: {
      const JourMoisAnnee d = LireChampDate(champs.date);
      etat.AnneeRetour = d.annee;
      const double arc = ArcSolaire(etat, d.jour, d.mois, d.annee);
      r.longitude = arc;
      etat.LignesResultat[0] = FormatDMS(arc);
      EtatTheme& e = Etat();
      for (int b = 1; b <= 23; ++b) e.Positions[b][2] = N(e.Positions[b][6] + arc);
      etat.LignesResultat[1] = FormatDMS(e.Positions[Soleil][2]);
      break;
    }
    case TechniquePrevision::Transits:
      Transits(etat, champs, r);
      break;
  }
  if (r.garde) {
    Etat() = *theme;
    etat = prevision;
    ResultatPrevision garde;
    garde.garde = true;
    garde.fichier = r.fichier;
    return garde;
  }
  return r;
}

}  // namespace selvane
