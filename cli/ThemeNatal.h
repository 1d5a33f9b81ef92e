#pragma once
// What every sub-command that starts from a birth shares: the birth options (--date --time
// --lat --long --zone [--name]) and the natal chart computed and frozen as the main window does
// before a technique window opens.
#include <string>
#include <vector>

#include "birthdata/Saisie.h"
#include "cli/Commandes.h"
#include "cli/Options.h"
#include "birthdata/records/FicheClient.h"
#include "core/Calcul.h"

namespace selvane {

// The birth options of a command line.
struct OptionsNaissance {
  SaisieNaissance saisie;
  bool vu[5] = {};
  // The forecast commands read a second --lat or --long as the place of the computed chart and
  // a second --time as the moment of transits (a third replaces the second); elsewhere the
  // last one given counts.
  bool secondsLieuEtMoment = false;
  std::string latLieu, longLieu, heureMoment;

  OptionsNaissance() = default;
  OptionsNaissance(const OptionsLues& lues, bool secondsLieuEtMoment);
  // The first mandatory option not given, nullptr when all were.
  const char* Manquante() const;
  // Every mandatory option given, else the French message of the first missing one.
  bool Completes() const;
  // Complete, the birth data right and the place of the computed chart too, else the message.
  // A zone "L..." becomes the local mean time of the longitude, as the entry window makes it.
  bool Verifier();
};

// The birth options (--date --time --lat --long --zone --name), then `autres`: the options of
// a command that starts from a birth.
std::vector<Option> AvecNaissance(std::vector<Option> autres);

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

// Reads the command line into `lues` (birth options and the command's others, `lecteurs` called
// as they come), then computes and freezes the natal chart: the whole preparation of the
// technique commands. 0, or 2 after the French message.
int PreparerThemeNatal(const Appel& appel, const Lecteurs& lecteurs, OptionsLues& lues);

// A whole number written alone, min..max (strtol: leading blanks and a sign allowed).
bool LireEntierBorne(const std::string& texte, int min, int max, int& valeur);
// A whole decimal number between the bounds, nothing else in the text.
bool LireEntier(const std::string& texte, int minimum, int maximum, int& valeur);

// x with 6 decimals, "." whatever the locale.
std::string Nombre6(double x);
// Appends x with 6 decimals (8 for Julian days, a millisecond); "." whatever the locale.
void AjouterNombre(std::string& sortie, double x, int decimales = 6);

}  // namespace selvane
