// selvane-cli directions: the solar-arc directions of a birth over a span of ages.
#include <cstdio>
#include <ctime>
#include <string>

#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/ListesPoints.h"
#include "forecast/ListeDirections.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"

namespace selvane {
namespace {

std::string Numero(int corps) { return corps > 0 ? std::to_string(corps) : ""; }

int AnneeCourante() {
  const std::time_t maintenant = std::time(nullptr);
  std::tm t{};
  gmtime_r(&maintenant, &t);
  return t.tm_year + 1900;
}

}  // namespace

int CommandeDirections(const Appel& a) {
  OptionsNaissance naissance;
  DemandeDirections demande;
  bool finVue = false;
  const Lecteurs lecteurs = {
      {"--harmonic",
       [&](const std::string& valeur) {
         if (LireEntier(valeur, 1, 16, demande.harmonique) && HarmoniqueValide(demande.harmonique)) return true;
         Avertir("Harmonique incorrecte : " + valeur + " (1, 2, 4, 8 ou 16)");
         return false;
       }},
      {"--from-age",
       [&](const std::string& valeur) {
         if (LireEntier(valeur, 0, 99, demande.debut)) return true;
         Avertir("Âge de début incorrect : " + valeur + " (0 à 99)");
         return false;
       }},
      {"--to-age",
       [&](const std::string& valeur) {
         finVue = LireEntier(valeur, 2, 130, demande.fin);
         if (!finVue) Avertir("Âge de fin incorrect : " + valeur + " (2 à 130)");
         return finVue;
       }},
      {"--way", [&](const std::string& valeur) {
         demande.versMiPoints = valeur == "points";
         if (valeur == "points" || valeur == "midpoints") return true;
         Avertir("Sens incorrect : " + valeur + " (points ou midpoints)");
         return false;
       }}};
  OptionsLues lues;
  if (!LireOptionsPoints(a, naissance, demande.p1, demande.p2, demande.p3, lecteurs, lues)) return 2;
  if (!CalculerNatal(naissance)) return 2;
  const NatalDirections natal = NatalDepuisEtat();
  // As the window: up to this year's age unless told.
  if (!finVue) demande.fin = AnneeCourante() - JourJulienVersCalendrier(natal.jourJulienNaissance).annee;
  if (demande.fin < demande.debut) {
    Avertir("L'âge de fin doit suivre l'âge de début");
    return 2;
  }
  const std::vector<LigneDirection> lignes = CalculerDirections(natal, demande);
  PageListe page;
  std::size_t item = 0;
  while ((1 << item) < demande.harmonique) ++item;
  page.titre = Texte(Etat().NomAffiche.Chaine()) + "  : directions solaires dans l'harmonique  " +
               Texte(LibellesHarmoniques[item]);
  for (const LigneDirection& l : lignes) page.lignes.push_back(l.cellules);
  if (!EcrirePdfListe(page, lues)) return 2;
  std::string s = "p,q,a,b,target_deg,date,age,arc_deg\n";
  for (const LigneDirection& l : lignes) {
    s += Numero(l.p) + "," + Numero(l.q) + "," + Numero(l.a) + "," + Numero(l.b) + "," + Nombre6(l.cibleDeg) +
         "," + JourJulienVersDate(l.jour) + "," + Nombre6(l.age) + "," + Nombre6(l.arcDeg) + "\n";
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
