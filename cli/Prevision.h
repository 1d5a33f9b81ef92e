#pragma once
// What the forecast sub-commands (returns, arc, table) share: their options, the birth they
// start from, and the CSV fields they write.
#include <string>
#include <vector>

#include "cli/Commandes.h"
#include "cli/Csv.h"
#include "cli/ThemeNatal.h"
#include "forecast/Retours.h"

namespace selvane {

// The options of one command line. BIRTH is given as for `chart` (--date --time --lat --long
// --zone [--name]); a second --lat or --long names the place of the computed chart instead, a
// second --time the time of transits. The other options are kept for the command to look at
// (--city, the place name of the computed chart, goes with every forecast command).
struct OptionsPrevision {
  OptionsNaissance naissance;
  OptionsLues lues;
  bool Present(const std::string& option) const { return lues.Present(option); }
  // The last value given ("" for a flag).
  const std::string& Valeur(const std::string& option) const { return lues.Valeur(option); }
};

// The command line read with `options`, nothing checked but the names: false after the French
// message (unknown option, value missing). A misspelt option must not pass for an absent one:
// the command would answer another question.
bool LireOptionsPrevision(int argc, char** argv, const std::vector<Option>& options, OptionsPrevision& lues);
// The same with the command's options.
bool LireOptionsPrevision(const Appel& a, OptionsPrevision& lues);

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
