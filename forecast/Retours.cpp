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
#include "methode/ArcSolaire.h"
#include "methode/Moment.h"
#include "methode/Retours.h"

namespace selvane {

namespace {

double N(double x) { return Normaliser2Pi(x); }

// The window's natal copies; the natal Moon is read from the frozen natal column as it stands.
NatalRetour NatalDesTables(const EtatPrevision& etat) {
  NatalRetour n;
  n.jourJulienNaissance = etat.JourJulienNaissance;
  n.soleilNatal = etat.SoleilNatal;
  n.luneNatale = Etat().Positions[Lune][6];
  n.anneeNaissance = etat.AnneeNaissance;
  return n;
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
  ChampsMoment c;
  c.date = champs.date;
  c.heure = champs.heure;
  c.secondes = "";
  c.fuseau = "0";  // the time field is Universal Time
  const Moment moment = LireMoment(c);
  etat.AnneeRetour = moment.date.annee;
  const double heures = moment.heures;
  const double t = moment.JourJulienTU();
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
  etat.AnneeRetour = LireDateDuChamp(champs.date).annee;
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
  const DateDuChamp d = LireDateDuChamp(champs.date);
  etat.AnneeRetour = d.annee;
  const RetourLunaireTrouve retour =
      RetourLunaire(NatalDesTables(etat), {d.jour, d.mois, d.annee, true, RechercheLune::VitesseMoyenne});
  etat.PrecessionRetour = retour.precession;
  r.momentTropical = retour.tropical;
  r.precession = "Precess.= " + FormatDMS(retour.precession);
  etat.LignesResultat[0] = "RLn " + DateEtHeure(retour.tropical);
  etat.LignesResultat[1] = "Pr.= " + FormatDMS(retour.precession);
  if (retour.abandonne) {
    e = avant;
    r.abandonne = true;
    return;
  }
  const double t = retour.t;
  r.longitude = retour.lune;
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
  etat.AnneeNaissance = LireDateDuChamp(date).annee;
  return etat;
}

MomentRetourSolaire RetourSolaire(const EtatPrevision& etat, int annee, bool precession) {
  const RetourSolaireTrouve t = selvane::RetourSolaire(NatalDesTables(etat), {annee, 0, precession, RechercheSoleil::PasLineaire});
  MomentRetourSolaire m;
  m.t = t.t;
  m.t1 = t.t1;
  m.precession = t.precession;
  return m;
}

bool RaffinerRetourSideral(double& t, double cible, double (*vitesse)(double siecles)) {
  return AmenerLune(t, cible, PasSiderauxDesTables(vitesse));
}

double ArcSolaire(const EtatPrevision& etat, int jour, int mois, int annee) {
  return ArcSolaireAnnuel(etat.JourJulienNaissance, etat.SoleilNatal, JourJulien(jour, mois, annee, 0.5));
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
      const DateDuChamp d = LireDateDuChamp(champs.date);
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
