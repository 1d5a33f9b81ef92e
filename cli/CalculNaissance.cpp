#include "cli/CalculNaissance.h"

#include <bitset>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

void PreparerCalcul() {
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
}

void CalculerNaissance(const SaisieNaissance& n, int systeme) {
  EtatTheme& e = Etat();
  FicheClient& f = e.FicheEnCours;
  f = FicheClient();
  f.Nom = ChaineCourte<36>::DepuisUtf8(n.nom);
  f.Date = ChaineCourte<10>::DepuisUtf8(n.date);
  f.Heure = ChaineCourte<8>::DepuisUtf8(n.heure);
  f.Lat = ChaineCourte<6>::DepuisUtf8(n.lat);
  f.Long = ChaineCourte<7>::DepuisUtf8(n.lon);
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(n.fuseau);
  e.SystemeMaisons = static_cast<std::uint8_t>(systeme);
  CalculerTheme(EcartGlyphes8);
}

}  // namespace selvane
