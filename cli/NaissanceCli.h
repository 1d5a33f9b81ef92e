#pragma once
// What the forecast sub-commands share: the birth options of `chart`, the natal chart they
// make, and lists of body numbers.
#include <string>
#include <vector>

#include "birthdata/Saisie.h"
#include "forecast/ListeDirections.h"

namespace selvane {

// The birth options seen so far (--date --time --lat --long --zone, --name optional).
struct OptionsNaissance {
  SaisieNaissance saisie;
  bool vu[5] = {};
  // True when `option` is one of them: its value is taken.
  bool Lire(const std::string& option, const std::string& valeur);
  // Every mandatory option given and the birth data right, else the French message.
  bool Verifier();
};

// Computes the natal chart of the birth (all 20 bodies, houses of system 1) and freezes it;
// false after the French message when the ephemeris or a field refuses it.
bool CalculerNatal(OptionsNaissance& naissance, NatalDirections& natal);

// "1,2,21": body numbers the point lists offer; false after the French message.
bool LireListeCorps(const std::string& option, const std::string& texte, std::vector<int>& corps);

// A whole decimal number between the bounds; false when the text is anything else.
bool LireEntier(const std::string& texte, int minimum, int maximum, int& valeur);

// Degrees with 6 decimals, "." whatever the locale.
std::string Decimales6(double x);

}  // namespace selvane
