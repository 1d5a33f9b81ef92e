#pragma once
// The natal chart a dial opens on: the Paris record of 1952, bodies 1..20 in the planet set,
// computed, frozen and copied into a fresh model.
#include <bitset>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dial/ModeleCadran.h"
#include "tests/support/FicheDeTest.h"

namespace selvane {

inline ModeleCadran OuvrirCadranDeTest() {
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
  Etat().FicheEnCours = FicheDeTest();
  Etat().SystemeMaisons = 1;
  CalculerTheme(EcartGlyphes65);
  FigerNatal();
  ModeleCadran m;
  m.natal = CopierNatal();
  return m;
}

}  // namespace selvane
