#pragma once
// The printed pages of the tables: quick ephemeris, lunations, sequences. Each
// routine draws one page on any painter (printer or picture) from the rows alone.
#include <QPainter>
#include <string>
#include <vector>

#include "techniques/EphemeridesRapides.h"
#include "techniques/Lunaisons.h"
#include "techniques/Sequences.h"

namespace selvane {

void ImprimerEphemerides(QPainter& p, const std::vector<LigneEphemeride>& lignes, int annee, int mois);

// More rows than a page holds: the table is refused.
constexpr int LignesLunaisonsMax = 66;
void ImprimerLunaisons(QPainter& p, const std::vector<LigneEvenement>& lignes);

struct EnteteSequences {
  std::string nom, fichier, dateHeure, lieu;  // Windows-1252
  std::string orbe;                           // "30'" or "1°"
};
void ImprimerSequences(QPainter& p, const EnteteSequences& entete, const std::vector<PointSequence>& points,
                       const std::vector<Sequence>& sequences);

}  // namespace selvane
