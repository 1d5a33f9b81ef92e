#pragma once
// What the forecast sub-commands share: the birth options of `chart`, the natal chart they
// make, and lists of body numbers.
#include <functional>
#include <string>
#include <vector>

#include "birthdata/Saisie.h"
#include "cli/CalculNaissance.h"
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

// Checks the birth options, then computes the natal chart of the birth (all 20 bodies, houses of system 1) and freezes it;
// false after the French message when the ephemeris or a field refuses it.
bool CalculerNatal(OptionsNaissance& naissance, NatalDirections& natal);

// --p1, --p2, --p3: lists of body numbers the point lists offer ("1,2,21").
struct OptionsPoints {
  std::vector<int> p[3];
  bool vu[3] = {};
  // 1 when the option is one of them and its list is right, 0 after the French message of a
  // wrong list, -1 when the option is another one.
  int Lire(const std::string& option, const std::string& valeur);
  // Every list given (then copied out), else the window's warning for the first missing one.
  bool Verifier(std::vector<int>& p1, std::vector<int>& p2, std::vector<int>& p3) const;
};

// The pairs "--option value" of a forecast sub-command: the birth and the point lists are read
// here, any other option goes to `autre` (1 taken, 0 refused after its message, -1 unknown).
// False after the French message of the first fault.
using LireOption = std::function<int(const std::string& option, const std::string& valeur)>;
bool LireOptionsPrevision(int argc, char** argv, OptionsNaissance& naissance, OptionsPoints& points,
                          const LireOption& autre);

// Each field of "a,b,c" to `lire`; false as soon as it refuses one.
bool LireChamps(const std::string& texte, const std::function<bool(const std::string& champ)>& lire);

// A whole decimal number between the bounds; false when the text is anything else.
bool LireEntier(const std::string& texte, int minimum, int maximum, int& valeur);

// Degrees with 6 decimals, "." whatever the locale.
std::string Decimales6(double x);

}  // namespace selvane
