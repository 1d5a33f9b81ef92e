// selvane-cli returns: the solar or lunar return the forecast windows compute.
#include <cstdio>
#include <filesystem>

#include "birthdata/Saisie.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {

int CommandeRetours(const Appel& a) {
  OptionsPrevision options;
  if (!LireOptionsPrevision(a, options)) return 2;
  if (!options.Present("--kind")) {
    Avertir("Option obligatoire manquante : --kind");
    return 2;
  }
  const std::string genre = options.Valeur("--kind");
  ChampsPrevision champs;
  if (genre == "rs") {
    champs.technique = TechniquePrevision::RS;
    if (!options.Present("--year")) {
      Avertir("Option obligatoire manquante : --year");
      return 2;
    }
    // The year is checked as the year of a date, within the ephemeris.
    const std::string annee = options.Valeur("--year");
    if (annee.empty() || annee.size() > 4 || !ErreurDate("01/01/" + std::string(4 - annee.size(), '0') + annee).empty()) {
      Avertir("Année incorrecte : " + annee);
      return 2;
    }
    champs.date = "01.01." + std::string(4 - annee.size(), '0') + annee;
  } else if (genre == "rl") {
    champs.technique = TechniquePrevision::RL;
  } else {
    Avertir("Type de retour inconnu : " + genre + " (rs ou rl)");
    return 2;
  }
  EtatPrevision etat;
  std::string date = champs.date;
  if (!OuvrirNaissance(options, etat, champs)) return 2;
  champs.date = date;
  if (genre == "rl" && !LireDateOption(options, "--from", champs.date)) return 2;
  ResultatPrevision r;
  try {
    r = CalculerPrevision(etat, champs, {std::filesystem::current_path(), options.Present("--save"), {}});
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  if (r.abandonne) {
    Avertir("Retour lunaire abandonné : la Lune n'a pas rejoint sa place sidérale en trois pas");
    return 3;
  }
  std::string s = "kind,jd_ut,date,time,longitude,precession,file\n";
  s += genre + "," + Nombre6(r.moment) + "," + JourJulienVersDate(r.moment) + "," +
       FormatHeureHMS(HeureDuJour(r.moment)) + "," + Nombre6(r.longitude * RadEnDeg) + "," +
       Nombre6(etat.PrecessionRetour * RadEnDeg) + "," + ChampCsv(Cp1252VersUtf8(r.fichier)) + "\n";
  EcrireCsv(s, options.lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
