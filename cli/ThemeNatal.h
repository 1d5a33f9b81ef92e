#pragma once
// What every sub-command that starts from a birth shares: the birth options (--date --time
// --lat --long --zone [--name]), the one loop that reads a command line around them, and the
// natal chart computed and frozen as the main window does before a technique window opens.
#include <functional>
#include <string>

#include "birthdata/Saisie.h"
#include "birthdata/records/FicheClient.h"
#include "core/Calcul.h"

namespace selvane {

// The birth options seen so far.
struct OptionsNaissance {
  SaisieNaissance saisie;
  bool vu[5] = {};
  // The forecast commands read a second --lat or --long as the place of the computed chart and
  // a second --time as the moment of transits; elsewhere the last one given counts.
  bool secondsLieuEtMoment = false;
  std::string latLieu, longLieu, heureMoment;

  // True when `option` is a birth option: its value is taken.
  bool Lire(const std::string& option, const std::string& valeur);
  // The first mandatory option not given, nullptr when all were.
  const char* Manquante() const;
  // Every mandatory option given, else the French message of the first missing one.
  bool Completes() const;
  // Complete, the birth data right and the place of the computed chart too, else the message.
  // A zone "L..." becomes the local mean time of the longitude, as the entry window makes it.
  bool Verifier();
};

// What a command makes of an option that is not a birth option: Reconnue, Inconnue,
// or Refusee after its own French message.
enum class OptionLue { Reconnue, Inconnue, Refusee };
using LecteurOption = std::function<OptionLue(const std::string& option, const std::string& valeur)>;
// Asked first about every word, before any value is taken: Reconnue for an option without a
// value (a flag), Refusee after its message, Inconnue to read the word as "--option value".
using LecteurSeul = std::function<OptionLue(const std::string& option)>;

// Reads the pairs "--option value": the birth options into `n`, the others to `autre`; false
// after the message of a missing value, an unknown option or a refusal. Missing birth options
// are not checked here: each command says so at its own point.
bool LireOptionsNaissance(int argc, char** argv, OptionsNaissance& n, const LecteurOption& autre,
                          const LecteurSeul& seul = {});

// A fresh chart state showing the 20 bodies, the ephemeris open.
void PreparerCalcul();
// The birth record of checked command-line fields (UTF-8), cut to the field capacities.
FicheClient FicheDeNaissance(const SaisieNaissance& n);
// The chart of a checked birth into the chart state (after PreparerCalcul); throws
// ErreurConversion as CalculerTheme does.
void CalculerThemeSaisi(const SaisieNaissance& n, int systeme, float ecartGlyphes = EcartGlyphes8);
// Checks the birth (`n` then holds the zone computed), computes its chart in a fresh chart
// state and freezes it as the natal chart; false after the French message.
bool CalculerNatal(OptionsNaissance& n, int systeme = 1, float ecartGlyphes = EcartGlyphes8);

// Reads the birth options with the others, then computes and freezes the natal chart: the
// whole preparation of the technique commands. 0, or 2 after the French message.
int PreparerThemeNatal(int argc, char** argv, const LecteurOption& autre);

// A whole number written alone, min..max (strtol: leading blanks and a sign allowed).
bool LireEntierBorne(const std::string& texte, int min, int max, int& valeur);
// A whole decimal number between the bounds, nothing else in the text.
bool LireEntier(const std::string& texte, int minimum, int maximum, int& valeur);

// x with 6 decimals, "." whatever the locale.
std::string Nombre6(double x);
// Appends x with 6 decimals (8 for Julian days, a millisecond); "." whatever the locale.
void AjouterNombre(std::string& sortie, double x, int decimales = 6);

}  // namespace selvane
