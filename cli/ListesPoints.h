#pragma once
// What the directions and transits sub-commands share: lists of body numbers and of fields.
#include <functional>
#include <string>
#include <vector>

#include "cli/ThemeNatal.h"
#include "forecast/ImpressionListe.h"

namespace selvane {

// --p1, --p2, --p3: lists of body numbers the point lists offer ("1,2,21").
struct OptionsPoints {
  std::vector<int> p[3];
  bool vu[3] = {};
  // Adds the readers of the three lists to `lecteurs`: each list is checked as it is read, a
  // wrong one refused after its French message.
  void AjouterLecteurs(Lecteurs& lecteurs);
  // Every list given (then copied out), else the window's warning for the first missing one.
  bool Verifier(std::vector<int>& p1, std::vector<int>& p2, std::vector<int>& p3) const;
};

// A directions or transits command line into `lues`: the birth, the three point lists (each
// required, then copied into p1..p3), the other options to their `lecteurs`; false after the
// French message.
bool LireOptionsPoints(const Appel& appel, OptionsNaissance& naissance, std::vector<int>& p1, std::vector<int>& p2,
                       std::vector<int>& p3, Lecteurs lecteurs, OptionsLues& lues);

// Each field of "a,b,c" to `lire`; false as soon as it refuses one.
bool LireChamps(const std::string& texte, const std::function<bool(const std::string& champ)>& lire);

// With --pdf among `lues`, the window's printed page of the list into the file (--bw: black and
// white), the stamp of the current chart at its foot; refused, as the window does, beyond
// LignesImprimables rows. True when written or without --pdf; false after the French message.
bool EcrirePdfListe(const PageListe& page, const OptionsLues& lues);

}  // namespace selvane
