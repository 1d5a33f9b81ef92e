#pragma once
// The searches of the interpretation window without the window: the request as the window's
// controls set it, the text lines it shows (Windows-1252), and the message that stops it. The
// window, its clipboard copy and selvane-cli print the same lines.
#include <array>
#include <bitset>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Catalogue.h"
#include "forecast/Interpretation.h"

namespace selvane {

enum TechniqueInterpretation : int { TechNatal = 0, TechRS, TechRL, TechArcSolaire, TechTransits };
enum ModeSource : int { DeSolLun = 0, DePointsPersonnels, DePointsChoisis, DeMiPointsChoisis };

using EnsemblePoints = std::bitset<NbCorps>;  // body numbers 1..23
using PaireCorps = std::pair<int, int>;

// The orb list: item texts (Windows-1252) and values in degrees, single precision.
extern const std::array<const char*, 6> TextesOrbes;
extern const std::array<float, 6> ValeursOrbes;
constexpr int OrbeParDefaut = 2;

EnsemblePoints PointsPersonnels();
EnsemblePoints TousLesPoints();
// The first and second members of the chosen target midpoints.
std::pair<EnsemblePoints, EnsemblePoints> CiblesDesMiPoints(const std::vector<PaireCorps>& paires);

struct DemandeInterpretation {
  int technique = TechNatal;
  int modeDe = DeSolLun;
  EnsemblePoints pointsChoisis;             // mode 2: the ticked points
  bool tousMiPoints = true;                 // "Tous MP"; otherwise ciblesA x ciblesB
  EnsemblePoints ciblesA, ciblesB;
  std::vector<PaireCorps> miPointsSource;   // mode 3, in list order
  int indexOrbe = OrbeParDefaut;
  bool indirects = false;
  // Longitudes in radians, 1..23: the target column (natal, or the return chart) and column 2
  // (directed or transiting points).
  double cible[NbCorps + 1] = {};
  double dirige[NbCorps + 1] = {};
  // Texts of the headings, Windows-1252.
  std::string nomAffiche;
  std::string ligneDateNatale, villeNatale, coordonneesNatales;
  std::string ligneDateRetour, villeRetour, coordonneesRetour;  // RS, RL
  std::string champDate, champHeure, ligneArc;                  // solar arc, transits
};

enum class GenreMessage { Aucun, Information, Avertissement };

struct IssueInterpretation {
  GenreMessage genre = GenreMessage::Aucun;
  std::string message;       // UTF-8
  bool texteEfface = false;  // the text was cleared (and the lines written) before the stop
};

using OuvrirInterpretation = std::function<std::unique_ptr<SourceInterpretation>()>;
// Called with 0..100 as the search goes on, and 0 at its end.
using Progression = std::function<void(int)>;

// The "Interprétation" command. Appends to `lignes` (left as they are when a check stops the
// command before the text is cleared); opens the text file through `ouvrir` once, before its
// first lookup, so an error from it leaves the headings already written.
IssueInterpretation EcrireInterpretation(const DemandeInterpretation& demande,
                                         const OuvrirInterpretation& ouvrir,
                                         std::vector<std::string>& lignes,
                                         const Progression& progression = {});

// The direct lookup of a midpoint or picture (0: no third point).
IssueInterpretation EcrireSignification(int premier, int second, int troisieme,
                                        const OuvrirInterpretation& ouvrir, std::vector<std::string>& lignes);
// Its refusal message (UTF-8), empty when the choice is accepted.
std::string RefusSignification(int premier, int second, int troisieme);

}  // namespace selvane
