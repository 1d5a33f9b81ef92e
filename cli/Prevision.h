#pragma once
// What the forecast sub-commands (returns, arc, table) share: their options, the birth they
// start from, and the CSV fields they write.
#include <map>
#include <string>

#include "cli/Csv.h"
#include "cli/ThemeNatal.h"
#include "forecast/Retours.h"

namespace selvane {

// The options of one command line. BIRTH is given as for `chart` (--date --time --lat --long
// --zone [--name]); a second --lat or --long names the place of the computed chart instead, a
// second --time the time of transits. Any other "--option value" is kept for the command to
// look at.
struct OptionsPrevision {
  OptionsNaissance naissance;
  std::map<std::string, std::string> valeurs;  // "--year" -> "2027"; flags hold ""
  OptionsPrevision() { naissance.secondsLieuEtMoment = true; }
  bool Present(const std::string& option) const { return valeurs.count(option) != 0; }
  const std::string& Valeur(const std::string& option) const { return valeurs.at(option); }
};

// false after the French message (unknown option, value missing). `drapeaux` are the options
// without a value, `avecValeur` those with one (both end with nullptr).
bool LireOptionsPrevision(int argc, char** argv, const char* const* drapeaux, const char* const* avecValeur,
                          OptionsPrevision& options);

// Checks BIRTH, computes its chart and freezes it as the natal chart, as the forecast windows
// open; fills the window's state and its place fields (the record's place, or the options').
// false after the French message.
bool OuvrirNaissance(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs);

// --technique natal|rs|rl|arc|transits (natal when absent) into champs; false after the message.
bool LireTechniqueOption(const OptionsPrevision& options, ChampsPrevision& champs);

// The comparison chart of the technique, as "Calcul" makes it (nothing for natal): --on, and
// --time for transits, then the computation without saving the return chart. 0 done, 2 after the
// French message, 3 for an abandoned lunar return (its message given).
int CalculerTechniqueOption(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs);

// A date option dd/mm/yyyy into the window's field form dd.mm.yyyy; false after the message.
bool LireDateOption(const OptionsPrevision& options, const char* option, std::string& champ);

}  // namespace selvane
