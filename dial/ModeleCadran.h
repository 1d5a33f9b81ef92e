#pragma once
// The dial's data without a window: the natal copies taken when it opens, the moment, the
// three rings and their spreads, the pointer's reference, the midpoint lines and the tree,
// and the comparison moments (returns, given arc, lunations, eclipses). The window, the
// printer, the CLI and the tests hold these values; the painter draws them.
#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "core/ArbreMiPoints.h"
#include "core/Catalogue.h"
#include "methode/Annees.h"
#include "methode/Moment.h"

namespace selvane {

// Harmonics of the harmonic list, item 0..5.
constexpr int HarmoniquesCadran[6] = {1, 4, 8, 12, 16, 32};
// Orb lists: item i of the orb list is (i + 1) x 5', of the tight-orb list (i + 1) x 0.1'.
double OrbeDeLIndex(int index);       // radians
double OrbeSerreDeLIndex(int index);  // radians
// The presets the harmonic list applies (item indexes of the two orb lists).
struct PresetsOrbes {
  int indexOrbe;
  int indexOrbeSerre;
};
PresetsOrbes PresetsDuCadran(int harmonique);

// Layers, numbered as the rings they are drawn on.
enum Couche : int { CoucheNatale = 1, CoucheArcSolaire = 2, CoucheTransit = 3 };
// The Positions column a layer reads (6, 2, 1).
int ColonneDeCouche(int couche);

// Dial angle of a longitude: H x lambda reduced to 0..2pi; position in the dial: lambda mod 2pi/H.
double AngleCadran(double longitude, int harmonique);
double PositionDansCadran(double longitude, int harmonique);

// The moment fields (ChampsMoment), their checks (ControlerChamps, ErreurChamp) and the given
// arc's limit come with methode/Moment.h.
// The same checks under the names the window and the command line call: the message, or "".
std::string ErreurAnneeCadran(std::string_view texte);
std::string LireArcDonne(std::string_view texte, int& degres);

// The UT Julian day of the fields (the day fraction may fall below 0 or above 1).
double JourJulienDesChamps(const ChampsMoment& champs);
// The fields of a UT moment as the steps and the comparison moments write them: zone "0",
// date dd.mm.yyyy, hours and minutes, seconds rounded on two digits (or without padding).
void EcrireMomentTU(ChampsMoment& champs, double jourUT, bool secondesSurDeuxChiffres = true);

// What the dial copies of the natal chart when it opens; fixed while it is open.
struct CopiesNatales {
  FicheClient FicheSauvee;
  double Natal[25] = {};            // column 6 (radians), body 24 rewritten by the followed midpoint
  float NatalCadran[25] = {};       // the same in single precision
  double VitessesNatales[20] = {};  // column 5, 1..19
  float MaisonsNatales[13] = {};
  double SoleilNatal = 0, LuneNatale = 0;
  double JourJulienNaissance = 0;       // UT
  double JourJulienNaissanceLocal = 0;  // UT + zone/24, for "R"
  double FuseauNaissance = 0;
  double TempsSideralNatal = 0;         // degrees
  int AnneeNaissance = 0;
};

// Takes the copies from the chart state (after the radix step: natal chart frozen).
CopiesNatales CopierNatal();

// The computed dial: three rings of 24 bodies (1-based, [body or slot][ring 1..3]).
struct ModeleCadran {
  CopiesNatales natal;
  int Harmonique = 4;
  int MiPointSuiviA = Soleil, MiPointSuiviB = Lune;
  char LettreCorps24 = ':';  // ":" for Sun/Moon, ";" for another followed pair

  double JourJulienTransit = 0;  // UT
  double AgeAnnees = 0;
  double ArcSolaire = 0;         // radians
  double FuseauHeures = 0;

  // Longitudes of the three layers (radians): natal, solar arc, transit.
  double Longitudes[25][4] = {};
  float PositionsCadran[25][4] = {};
  float PositionsEtalees[25][4] = {};
  int OrdreEtale[25][4] = {};
  double VitessesTransit[20] = {};
  // The transit chart's houses and sidereal time, for the transit house frame.
  float Maisons[13] = {};
  double TempsSideralTransit = 0;  // degrees
  double ObliquiteNaissance = 0;   // degrees
  double AscKarmiqueDirige = 0;
  double DecalageKarmique = 0;
};

// Gaps of the spreads: 6 degrees for ring 1, 4 for rings 2 and 3.
constexpr float EcartNatal = 0.10471976f;
constexpr float EcartComparaison = 0.06981317f;

// The three rings from the fields: writes the transit moment into FicheEnCours and
// recomputes the chart state (column 1 = transits, column 2 = solar arc, body 24 of
// column 6 = the followed midpoint). Throws ErreurConversion on unreadable fields.
void CalculerPositions(ModeleCadran& m, const ChampsMoment& champs);
// Steps of the "Recul/Avance" buttons by their tag 1..12, days ("1 an" is 365 days).
double PasDuBouton(int tag);
// One step: the fields take the UT moment JourJulienTransit + jours (zone "0"), then the rings.
void AvancerCadran(ModeleCadran& m, ChampsMoment& champs, double jours);
// Solar arc at a UT moment (radians; 0 before birth). Uses column 1 of the chart state.
double CalculerArcSolaire(const CopiesNatales& natal, double jourUT);
double AgeEnAnnees(double jourUT, double jourNaissance, double annee = AnneeArcSolaire);

// Spreads one ring so that neighbours keep about `ecart` apart (rotation by 2pi/7 around the
// sort so the seam of the linear sort falls elsewhere).
void EtalerPositions(ModeleCadran& m, int anneau, float ecart);
// The sort and push-apart step on PositionsEtalees / OrdreEtale of one ring.
void TrierPositions(ModeleCadran& m, int anneau, float ecart);

// One row of a ring's hidden grid: body, true dial angle and spread angle in degrees,
// the rows sorted on the spread angle.
struct LigneGrille {
  int corps;
  double angleVrai;
  double angleEtale;
};
std::vector<LigneGrille> GrilleAnneau(const ModeleCadran& m, int anneau);

// The state of the pointer and of the searches the user chose.
struct SelectionCadran {
  int CorpsChoisi = Soleil;   // 0 for a free pointer
  double AnglePointeur = 0;   // dial angle of the free pointer
  int AnneauChoisi = CoucheArcSolaire;
  int CoucheDe = CoucheArcSolaire;
  int CoucheVers = CoucheNatale;
  int IndexOrbe = 7;
  int IndexOrbeSerre = 39;
  bool SousHarmoniques = false;  // "H+++"
  bool PointeurEvenement = false;
  bool ModeHorloge = false;
  bool SuiviMiPoint = false;
  bool AscKarmiqueActif = false;
  double AscKarmiqueNatal = 0;
};

// The reference of the pointer: the direction it is drawn at, the reference position in
// the dial and its full longitude.
struct ReferenceCadran {
  double direction = 0;  // dial angle D
  double position = 0;   // v: 0..M
  double longitude = 0;  // L
  double recherche = 0;  // the longitude handed to the searches (CoucheDe, or L when free)
};
ReferenceCadran CalculerReference(const ModeleCadran& m, const SelectionCadran& s);

std::vector<LigneMiPoint> LignesDuCadran(const ModeleCadran& m, const SelectionCadran& s,
                                        const std::bitset<256>& jeu);
std::vector<LigneArbre> RemplirArbre(const ModeleCadran& m, const SelectionCadran& s,
                                     const std::bitset<256>& jeu);

// Integer geometry of the dial on a square of side S (Part of every refresh).
struct GeometrieCadran {
  int S = 0, XC = 0, YC = 0, R0 = 0;
  int R50 = 0, R55 = 0, R60 = 0, R66 = 0, R70 = 0, R76 = 0, R80 = 0, R86 = 0, R90 = 0;
  int RH = 0;  // house frame
  int RayonCouche(int couche) const;  // 0.60, 0.70, 0.80 R0
};
GeometrieCadran GeometrieDuCadran(int cote);
// The same radii around any centre and R0 (the printed page).
GeometrieCadran GeometrieDeRayon(int cote, int xc, int yc, int r0);

// Mouse picking: the dial angle under a point, and what a click there selects.
double AngleSouris(int x, int y, const GeometrieCadran& g);
double RayonSouris(int x, int y, const GeometrieCadran& g);
// Applies a click at (x, y); returns false when nothing is to be redrawn (outside the rings).
bool CliquerCadran(const ModeleCadran& m, SelectionCadran& s, const GeometrieCadran& g, int x, int y);

// The point A + B - C (c = 0: the midpoint of A and B), in the layer CoucheDe: the pointer
// becomes free on it.
void PointParticulier(const ModeleCadran& m, SelectionCadran& s, int a, int b, int c);
// Bodies of the items of the A, B, C columns (C item 0 = none).
int CorpsDeA(int item);
int CorpsDeB(int item);
int CorpsDeC(int item);

// The followed midpoint. Returns "" when accepted, else the warning text (and changes nothing).
std::string SuivreMiPoint(ModeleCadran& m, SelectionCadran& s, bool actif, int itemA, int itemB);
// The karmic Ascendant ("Homme" or not); sets the selection's and the model's values.
void AscendantKarmique(ModeleCadran& m, SelectionCadran& s, bool homme);

// --- Comparison moments ------------------------------------------------------------

struct ResultatRetour {
  double jourUT = 0;
  double precession = 0;  // radians added to the target (0 without)
  double age = 0;         // years (solar return)
};
// quart 0..3: "1", "+1/4", "+1/2", "+3/4".
ResultatRetour RetourSolaire(const CopiesNatales& natal, int annee, int quart, bool precession);
ResultatRetour RetourLunaire(const CopiesNatales& natal, int jour, int mois, int annee, bool precession);
// The moment the solar arc reaches `degres` (one year per day after birth).
double MomentArcDonne(const CopiesNatales& natal, int degres);

struct EvenementCadran {
  std::string symbole;    // column 0 (glyph codes of "Celvan")
  std::string soleil, lune;
  std::string dateTexte;  // "dd.mm.yyyy - hhhmm"
  double positionDeg = 0;
  double jourUT = 0;
  bool solaire = false, lunaire = false;  // eclipses; neither for a lunation
};
// Six lunations from the date minus 30 days, alternating new and full moon.
std::vector<EvenementCadran> ListerLunaisons(int jour, int mois, int annee);
// Solar and lunar eclipses from a year before the date, over 730 days, in time order.
std::vector<EvenementCadran> ListerEclipses(int jour, int mois, int annee);
// Picking an event: the pointer follows body 24 of the transit layer.
void ChoisirEvenement(ModeleCadran& m, SelectionCadran& s, const EvenementCadran& e);
// Clock mode: both layers on transit and the transit ring selected.
void BasculerHorloge(SelectionCadran& s);
// After a return is shown: the Sun (solar) or the Moon (lunar) of the transit layer against natal.
void SelectionDuRetour(SelectionCadran& s, bool solaire);
// "Now": the Sun, no event; transit against transit in clock mode, else solar arc against natal.
void SelectionMaintenant(SelectionCadran& s);

// --- House frames (H = 1) -------------------------------------------------------------

// Axis items: 0 Sun, 1 Moon, 2 Ascendant, 3 MC, 4 Aries point, 5 node, 6 meridian frame, 7 "-".
constexpr int AxeAucun = 7;
struct CadreMaisons {
  int axe = AxeAucun;
  double direction = 0;   // A, degrees (screen angle without the quarter turn)
  double axeCorps = 0;    // lambda of the axis body, degrees
  double cuspides[13] = {};  // degrees 0..360
};
CadreMaisons CalculerCadreMaisons(int axe, const double longitudes[25], double tempsSideralDeg,
                                  double obliquiteDeg, double milieuDuCiel);
// The natal frame (natal longitudes, sidereal time at birth) and the transit frame (transit
// longitudes and sidereal time), both with the obliquity of the birth date.
CadreMaisons CadreNatal(const ModeleCadran& m, int axe);
CadreMaisons CadreTransit(const ModeleCadran& m, int axe);

}  // namespace selvane
