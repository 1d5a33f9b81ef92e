#pragma once
// The rows of the birth-file browser, built without widgets: the window shows
// them, prints them and writes the file back from them.
#include <array>
#include <string>
#include <vector>

#include "birthdata/records/FicheClient.h"

namespace selvane {

// Columns in the browser's order: Nom, Date, Heure, Ville, Lat, Long, Fuseau,
// Commentaire, SortOrder (UTF-8, as shown).
constexpr int NbColonnesFiches = 9;

struct LigneFiche {
  FicheClient fiche;
  std::array<std::string, NbColonnesFiches> colonnes;
};

LigneFiche LigneDeFiche(const FicheClient& f);
std::vector<LigneFiche> LignesFiches(const std::vector<FicheClient>& fiches);

// The summary beside the list: name; date and time; comment; town; coordinates and zone.
std::string ResumeFiche(const LigneFiche& ligne);

}  // namespace selvane
