#pragma once
// The "Calcul" command of the forecast windows: solar and lunar returns, solar arc and
// transit charts, turned into the comparison column (Positions column 2) those windows read.
// Plain C++ over the chart state; the windows, the command line and the tests share it.
#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace selvane {

// Indices of the technique list "Natal", "RS", "RL", "Arc solaire", "Transits".
enum class TechniquePrevision { Natal = 0, RS = 1, RL = 2, ArcSolaire = 3, Transits = 4 };

// What a forecast window keeps from its opening, and the results of its last command.
struct EtatPrevision {
  double JourJulienNaissance = 0;  // Universal Time
  double SoleilNatal = 0;          // radians
  int AnneeNaissance = 0;
  int AnneeRetour = 0;
  double PrecessionRetour = 0;     // radians, 0 when none
  std::array<std::string, 5> LignesResultat;  // Windows-1252, kept but not shown
};

// Taken from the chart state as a window opens (natal chart frozen in columns 5 and 6).
EtatPrevision OuvrirEtatPrevision();

// The window's fields as typed (Windows-1252): date "dd.mm.yyyy", time "hhhmm" (transits only,
// Universal Time), the place written into the return and transit charts.
struct ChampsPrevision {
  TechniquePrevision technique = TechniquePrevision::Natal;
  std::string date;
  std::string heure = "12h00";
  std::string ville, lat, lon;
  bool precession = false;
};

struct ResultatPrevision {
  bool abandonne = false;      // a sidereal lunar return that did not settle
  bool garde = false;          // the user kept the existing return chart file: nothing changed
  bool champsChanges = false;  // date and heure below replace the fields
  std::string date, heure;
  std::string precession;      // the text of the precession field, empty when untouched
  double moment = 0;           // return or transit moment, Universal Time Julian day
  double momentTropical = 0;   // the return before the precession refinement, Universal Time
  double longitude = 0;        // Sun (RS) or Moon (RL) at the final moment; the arc (solar arc)
  std::string fichier;         // saved chart file name written (or that would be), Windows-1252
};

// Where a return chart goes and who is told about it.
struct SortieRetour {
  std::filesystem::path dossier;        // the program directory
  bool enregistrer = true;              // false: the chart is computed from the record in memory
  std::function<void()> relireListe;    // the saved-charts list rereads its folder
};

// Asked before a return chart file of that name (Windows-1252) is replaced; false keeps the
// file and the command changes nothing. None given: the file is replaced (the CLI's --save).
using QuestionRemplacer = std::function<bool(const std::string& fichier)>;

// Runs the technique (nothing for "Natal"): fills the result lines, column 2 and, for returns
// and transits, makes the new chart current. Throws ErreurConversion for a date that is not
// numbers, ErreurFichier when the saved chart cannot be written or read back.
ResultatPrevision CalculerPrevision(EtatPrevision& etat, const ChampsPrevision& champs, const SortieRetour& sortie,
                                    const QuestionRemplacer& remplacer = {});

// --- The searches, for the tests and the command line ----------------------------------

struct MomentRetourSolaire {
  double t = 0;   // final moment, Universal Time
  double t1 = 0;  // after the single linear step
  double precession = 0;
};
// Leaves the Sun of the final moment in Positions[1][1] and [1][3].
MomentRetourSolaire RetourSolaire(const EtatPrevision& etat, int annee, bool precession);

// Newton steps of the sidereal lunar return from t (taken as Terrestrial Time) toward `cible`;
// false when three steps did not bring the Moon within 0.0001 rad. `vitesse` gives the Moon's
// speed (radians/day) from Julian centuries since 1900.
bool RaffinerRetourSideral(double& t, double cible, double (*vitesse)(double siecles));

// Solar arc for a date (noon Universal Time), radians 0..2π; overwrites the Sun of column 1.
double ArcSolaire(const EtatPrevision& etat, int jour, int mois, int annee);

// The saved chart file of a return: the name with any slash made a dash. A solar return with
// the precession gets " RSp " where the one without has " RS ": they never replace each other.
std::string NomFichierRetour(const std::string& nom, const std::string& suite);

}  // namespace selvane
