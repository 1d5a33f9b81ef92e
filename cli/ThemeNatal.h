#pragma once
// What the command-line readers share: the birth options (--date --time --lat
// --long --zone [--name]) of chart and of the technique commands, which compute
// and freeze the natal chart as the main window does before a technique window
// opens; bounded whole numbers; degrees with 6 decimals.
#include <functional>
#include <string>

#include "birthdata/Saisie.h"

namespace selvane {

// What a command makes of an option that is not a birth option: Reconnue, Inconnue,
// or Refusee after its own French message.
enum class OptionLue { Reconnue, Inconnue, Refusee };
using LecteurOption = std::function<OptionLue(const std::string& option, const std::string& valeur)>;

// Reads the birth options into `n`, hands the others to `autre`; 0, or 2 after the
// message of a missing value or an unknown option. `manquante` receives the first
// required birth option not given (nullptr when all were).
int LireOptionsNaissance(int argc, char** argv, const LecteurOption& autre, SaisieNaissance& n,
                         const char*& manquante);

// 0 when the chart is computed and frozen; 2 after the French message otherwise.
int PreparerThemeNatal(int argc, char** argv, const LecteurOption& autre);

// A whole number written alone, min..max.
bool LireEntierBorne(const std::string& texte, int min, int max, int& valeur);

// "x.xxxxxx": degrees with 6 decimals, "." whatever the locale.
std::string Degres6(double degres);

}  // namespace selvane
