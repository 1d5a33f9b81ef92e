#pragma once
// The printed pages of the tables: quick ephemeris, lunations, sequences. Each
// routine draws one page on any painter (printer or picture) from the rows alone.
#include <QPainter>
#include <string>
#include <vector>

#include "core/EtatTheme.h"
#include "dessin/Document.h"
#include "dessin/Feuille.h"
#include "techniques/EphemeridesRapides.h"
#include "techniques/Lunaisons.h"
#include "techniques/Sequences.h"

namespace selvane {

void ImprimerEphemerides(QPainter& p, const std::vector<LigneEphemeride>& lignes, int annee, int mois);
DocumentImprime DocumentEphemerides(const std::vector<LigneEphemeride>& lignes, int annee, int mois,
                                    const QStringList& cachet);

// More rows than a page holds: the table is refused.
constexpr int LignesLunaisonsMax = 66;
// Every row of the list on one page of height `hauteur` (device pixels; the rows close up
// when the page is short).
void ImprimerLunaisons(QPainter& p, double hauteur, const std::vector<LigneEvenement>& lignes);
DocumentImprime DocumentLunaisons(const std::vector<LigneEvenement>& lignes, const QStringList& cachet);

struct EnteteSequences {
  std::string nom, fichier, dateHeure, lieu;  // Windows-1252
  std::string orbe;                           // "30'" or "1°"
};
void ImprimerSequences(QPainter& p, const EnteteSequences& entete, const std::vector<PointSequence>& points,
                       const std::vector<Sequence>& sequences);
// The orb as the window lists it: "30'" for 0.5, "1°" for 1 (Windows-1252).
std::string TexteOrbeSequences(double orbe);
// The current chart's header.
EnteteSequences EnteteDesSequences(const EtatTheme& e, double orbe);
DocumentImprime DocumentSequences(const EnteteSequences& entete, const std::vector<PointSequence>& points,
                                  const std::vector<Sequence>& sequences, const QStringList& cachet);

// The tables as sheets, the rows exactly as the window shows and the page prints them.
Feuille FeuilleEphemerides(const std::vector<LigneEphemeride>& lignes, int annee, int mois);
// The eight columns of the list; the last, the event's Julian day, has no width (the sort key).
Feuille FeuilleLunaisons(const std::vector<LigneEvenement>& lignes);
// The points in dial order (glyph, position), then the sequences (number, text).
Feuille FeuillePointsSequences(const std::vector<PointSequence>& points);
Feuille FeuilleSequences(const std::vector<Sequence>& sequences, const std::string& orbe);

}  // namespace selvane
