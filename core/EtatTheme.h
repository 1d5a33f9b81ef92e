#pragma once
// The one chart state of the process: the current chart, its scalars, the
// natal columns frozen for the technique windows and the ephemeris context.
#include <array>
#include <bitset>
#include <cstdint>
#include <string>

#include "core/Catalogue.h"
#include "birthdata/records/FicheClient.h"

namespace selvane {

struct EtatTheme {
  FicheClient FicheEnCours;
  ChaineCourte<25> NomFichierNaissance;
  ChaineCourte<36> NomAffiche;
  ChaineCourte<37> LigneDateHeure;
  ChaineCourte<14> LigneCoordonnees;

  double LatitudeDeg = 0;
  double LongitudeDeg = 0;
  double FuseauHeures = 0;
  double JourJulienTU = 0;
  double JourJulienTT = 0;
  double TempsSideralDeg = 0;
  double ObliquiteDeg = 0;
  double ObliquiteRad = 0;
  double NutationDeg = 0;
  float EquationDuTemps = 0;
  float DeclinaisonSoleil = 0;

  // [body 1..24][column 1..7], radians; column 3 holds speeds in radians/day.
  double Positions[NbCorps + 1][NbColonnes + 1] = {};
  float Maisons[13] = {};          // cusps 1..12, radians
  float MaisonsNatales[13] = {};   // frozen by FigerNatal
  std::uint8_t SystemeMaisons = 0; // 1..9, 0 = no house system shown
  char Orientation = 'o';
  std::uint8_t ColonneCalcul = 1;

  std::bitset<256> JeuPlanetes;
  int NbPlanetes = 0;
  int NbPlanetesJeu = 0;
  float PositionsAffichees[NbCorps] = {};   // 1..NbPlanetes
  std::uint8_t OrdreAffichage[NbCorps] = {};

  std::int32_t OptionsEphem = 0;
  std::int32_t RetourEphem = 0;
  char MessageEphem[256] = {};
};

// The process-wide instance.
EtatTheme& Etat();

// Puts the chart state back to its start-up values (tests, new sessions).
void ReinitialiserEtat();

// Sets the planet set and its counts together.
void DefinirJeuPlanetes(const std::bitset<256>& jeu);

// Column 6 := column 1, column 5 := column 3, MaisonsNatales := Maisons.
void FigerNatal();

// Weekday 0 (Sunday) .. 6 of the current chart.
int JourSemaine(double jourJulienTU, double fuseauHeures);

// The saved radix: 13 text rows kept by the main window (texts Windows-1252).
using LignesRadix = std::array<std::string, 13>;
LignesRadix EcrireRadix();
void RestaurerRadix(const LignesRadix& lignes);

}  // namespace selvane
