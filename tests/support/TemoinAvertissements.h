#pragma once
// Test doubles shared by the core tests.
#include <string>
#include <vector>

#include "core/Avertissements.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

// Records every warning instead of showing it; restores the default on exit.
class TemoinAvertissements : public Avertisseur {
 public:
  TemoinAvertissements() { DefinirAvertisseur(this); }
  ~TemoinAvertissements() override { DefinirAvertisseur(nullptr); }
  void Avertir(const std::string& texte) override { messages.push_back(texte); }
  std::vector<std::string> messages;
};

// A fresh chart state as the main window starts it: library open, the 20
// bodies shown, Placidus houses.
inline void PreparerEtatDeTest() {
  ReinitialiserEtat();
  OuvrirEphemerides();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  Etat().SystemeMaisons = 1;
}

}  // namespace selvane
