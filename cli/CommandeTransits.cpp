// selvane-cli transits: the transits of one or two calendar years to the natal points and midpoints.
#include <cstdio>
#include <string>

#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/ListesPoints.h"
#include "forecast/ListeDirections.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "widgets/Texte1252.h"
#include "birthdata/records/Cp1252.h"
#include "methode/Moment.h"

namespace selvane {
namespace {

// "0,45,90": the aspects of the list, as indices of AnglesAspects.
bool LireAspects(const std::string& texte, std::vector<int>& aspects) {
  aspects.clear();
  return LireChamps(texte, [&](const std::string& champ) {
    int degres = -1;
    if (!LireEntier(champ, 0, 180, degres) || degres % 45 != 0) {
      Avertir("Aspect refusé : " + champ + " (aspects permis : 0, 45, 90, 135 et 180)");
      return false;
    }
    aspects.push_back(AspectsProposes[static_cast<std::size_t>(degres / 45)]);
    return true;
  });
}

// The year as the window checks it, in its order of messages.
bool LireAnnee(const std::string& texte, int& annee) {
  // The command line asks no second time: an empty text is no number either.
  const Saisie<int> s = texte.empty() ? Saisie<int>{0, BoiteMessage::Avertissement, "N'entrez que des chiffres !"}
                                      : LireAnneeTransits(Utf8VersCp1252(texte));
  if (!s.Ok()) {
    Avertir(s.message);
    return false;
  }
  annee = s.valeur;
  return true;
}

}  // namespace

int CommandeTransits(const Appel& a) {
  OptionsNaissance naissance;
  DemandeTransits demande;
  bool anneeVue = false;
  const Lecteurs lecteurs = {
      {"--year",
       [&](const std::string& valeur) {
         anneeVue = LireAnnee(valeur, demande.annee);
         return anneeVue;
       }},
      {"--years",
       [&](const std::string& valeur) {
         demande.jours = valeur == "1" ? 365 : 730;
         if (valeur == "1" || valeur == "2") return true;
         Avertir("Durée incorrecte : " + valeur + " (1 ou 2 années)");
         return false;
       }},
      {"--aspects", [&](const std::string& valeur) { return LireAspects(valeur, demande.aspects); }}};
  OptionsLues lues;
  if (!LireOptionsPoints(a, naissance, demande.p1, demande.p2, demande.p3, lecteurs, lues)) return 2;
  if (!anneeVue) {
    Avertir("Option obligatoire manquante : --year");
    return 2;
  }
  if (!CalculerNatal(naissance)) return 2;
  const NatalDirections natal = NatalDepuisEtat();
  std::vector<LigneTransit> lignes;
  try {
    lignes = CalculerTransits(natal, demande);
  } catch (const ErreurEphemerides& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  PageListe page;
  page.transits = true;
  page.titre = Texte(Etat().NomAffiche.Chaine()) + "  : transits  ";
  for (const LigneTransit& l : lignes) page.lignes.push_back(CellulesTransit(l));
  if (!EcrirePdfListe(page, lues)) return 2;
  std::string s = "body,retrograde,aspect,a,b,aspect_point,jd_ut,date,time,age\n";
  for (const LigneTransit& l : lignes) {
    s += std::to_string(l.corps) + "," + (l.retrograde ? "1" : "0") + "," +
         FormatReel(AnglesAspects[static_cast<std::size_t>(l.aspect)] * RadEnDeg, 0, 0) + "," + std::to_string(l.a) +
         "," + std::to_string(l.b) + "," + Nombre6(l.pointAspectDeg) + "," + Nombre6(l.jour) + "," +
         JourJulienVersDate(l.jour) + "," + FormatHeureHM(HeureDuJour(l.jour)) + "," + Nombre6(l.age) + "\n";
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
