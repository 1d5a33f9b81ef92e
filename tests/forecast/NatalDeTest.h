#pragma once
// The chart state of a test record computed and frozen as the natal chart, all 20 bodies shown,
// as the main window leaves it before a forecast window opens.
#include <bitset>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "tests/support/FicheDeTest.h"

namespace selvane {

inline void CalculerNatalDeTest(const FicheClient& fiche = FicheDeTest()) {
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
  Etat().FicheEnCours = fiche;
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
}

}  // namespace selvane
