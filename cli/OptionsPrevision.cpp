#include <cstring>

#include "birthdata/Saisie.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

bool LireOptionsPrevision(int argc, char** argv, const std::vector<Option>& options, OptionsPrevision& lues) {
  if (!LireOptions(argc, argv, {options, Fautes::ParOptionStricte, {}, nullptr, nullptr}, lues.lues)) return false;
  lues.naissance = OptionsNaissance(lues.lues, true);
  return true;
}

bool LireOptionsPrevision(const Appel& a, OptionsPrevision& lues) {
  return LireOptionsPrevision(a.argc, a.argv, a.commande.options, lues);
}

bool OuvrirNaissance(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs) {
  OptionsNaissance n = options.naissance;
  if (options.Present("--city")) n.saisie.ville = options.Valeur("--city");
  // House system 0 (none shown; Ascendant and MC as Placidus gives them): these commands never chose one.
  if (!CalculerNatal(n, 0)) return false;
  const FicheClient& f = Etat().FicheEnCours;
  etat = OuvrirEtatPrevision();
  champs.ville = SansControles(f.Ville.Chaine().substr(0, 30));
  champs.lat = n.latLieu.empty() ? f.Lat.Chaine() : Utf8VersCp1252(n.latLieu);
  champs.lon = n.longLieu.empty() ? f.Long.Chaine() : Utf8VersCp1252(n.longLieu);
  champs.precession = options.Present("--precession");
  return true;
}

bool LireDateOption(const OptionsPrevision& options, const char* option, std::string& champ) {
  if (!options.Present(option)) {
    Avertir(std::string("Option obligatoire manquante : ") + option);
    return false;
  }
  const std::string& date = options.Valeur(option);
  const std::string erreur = ErreurDate(date);
  if (!erreur.empty()) {
    Avertir(erreur);
    return false;
  }
  champ = date;
  for (char& c : champ)
    if (c == '/') c = '.';
  return true;
}

bool LireTechniqueOption(const OptionsPrevision& options, ChampsPrevision& champs) {
  const std::string technique = options.Present("--technique") ? options.Valeur("--technique") : "natal";
  const char* const noms[] = {"natal", "rs", "rl", "arc", "transits"};
  for (int i = 0; i < 5; ++i)
    if (technique == noms[i]) {
      champs.technique = static_cast<TechniquePrevision>(i);
      return true;
    }
  Avertir("Technique inconnue : " + technique + " (natal, rs, rl, arc ou transits)");
  return false;
}

int CalculerTechniqueOption(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs) {
  if (champs.technique == TechniquePrevision::Natal) return 0;
  if (!LireDateOption(options, "--on", champs.date)) return 2;
  const std::string& heureMoment = options.naissance.heureMoment;
  if (!heureMoment.empty()) {
    const std::string erreur = ErreurHeure(heureMoment);
    if (!erreur.empty()) {
      Avertir(erreur);
      return 2;
    }
    champs.heure = heureMoment.substr(0, 5);
  }
  try {
    if (CalculerPrevision(etat, champs, {{}, false, {}}).abandonne) {
      Avertir("Retour lunaire abandonné : la Lune n'a pas rejoint sa place sidérale en trois pas");
      return 3;
    }
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  return 0;
}

}  // namespace selvane
