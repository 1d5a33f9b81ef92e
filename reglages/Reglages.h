#pragma once
// The user settings held in memory, the files they come from, and the loader
// that reads them all. Plain C++: the dialogs edit the files, the loader reads them.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace selvane {

using Couleur = std::uint32_t;  // 0x00BBGGRR

constexpr Couleur CouleurGris = 8421504;
constexpr Couleur CouleurArgent = 12632256;

struct Reglages {
  bool AspectActif[9] = {};
  double AspectOrbe[9] = {};  // radians
  bool ColoredCrowns = false;

  Couleur CouleurFondEcran = 0;
  Couleur CouleurTexteEcran = 0;
  Couleur CouleurTraitsEcran = 0;
  Couleur CouleursCorpsEcran[25] = {};  // bodies 1..24
  Couleur CouleursCorpsImpression[25] = {};
  Couleur CouleursFondSignesEcran[4] = {};  // fire, earth, air, water
  Couleur CouleursFondSignesImpression[4] = {};
  Couleur CouleursSignesEcran[4] = {};
  Couleur CouleursSignesImpression[4] = {};
  Couleur CouleursAspectsEcran[9] = {};
  Couleur CouleursAspectsImpression[9] = {};

  int TaillePlanetes = 0;  // planet glyphs at 15 + this many points
  int TailleSignes = 0;    // sign glyphs at 12 + this many points
  bool PlanetesEnRelief = false;
};

// The process-wide settings.
Reglages& LesReglages();

// File names, relative to the program directory.
namespace fichiers {
constexpr const char* Options = "SelvOpt.def";
constexpr const char* JeuPlanetes = "SelvSetOfPlanetes.def";
constexpr const char* ColoredCrowns = "ColoredCrownsFile.def";
constexpr const char* TaillesGlyphes = "SelvFontSize.def";
constexpr const char* CouleursEcran = "OColorsScreen.txt";
constexpr const char* CouleursImpression = "OColorsPrint.txt";
constexpr const char* CouleursEcranFonce = "OColorsScreenN.txt";
constexpr const char* CouleursEcranClair = "OColorsScreenB.txt";
constexpr const char* ModeleEcranFonce = "OEchantScreenN.txt";
constexpr const char* ModeleEcranClair = "OEchantScreenB.txt";
constexpr const char* ModeleImpression = "OEchantPrint.txt";
}  // namespace fichiers

// Colour text: a name ("clRed"), "$" + 8 hex digits, or (read only) a decimal integer.
std::string TexteCouleur(Couleur c);
bool LireCouleur(std::string_view texte, Couleur& c);

// The 42 colours of a colour file: background, 24 bodies, 4 sign backgrounds,
// 4 sign glyphs, 9 aspects.
using JeuCouleurs = std::array<Couleur, 42>;
JeuCouleurs LireFichierCouleurs(const std::filesystem::path& chemin);
void EcrireFichierCouleurs(const std::filesystem::path& chemin, const JeuCouleurs& couleurs);

// Lines of a settings text file (CR LF or LF), Windows-1252.
std::vector<std::string> LireLignes(const std::filesystem::path& chemin);
// Writes lines ended by CR LF, replacing the file whole.
void EcrireLignes(const std::filesystem::path& chemin, const std::vector<std::string>& lignes);

// Reads every settings file of the folder into LesReglages() and the chart
// state (house system, orientation, planet set), file by file in the loader's
// order. Throws ErreurFichier (missing or unreadable file, the system's text)
// or ErreurConversion (a value that is not a number or colour, its message
// "Fichier <name> : ..." naming the file); the files
// before the faulty one are applied, the others keep their previous values.
void ChargerReglages(const std::filesystem::path& dossier);

// The settings as first installed: written into a folder by the build, and
// applied in memory at start-up before the loader, so a missing file leaves
// its settings at these values.
void EcrireReglagesParDefaut(const std::filesystem::path& dossier);
void AppliquerReglagesParDefaut();

// The installed files' lines, file by file.
struct FichierParDefaut {
  const char* nom;
  std::vector<std::string> lignes;
};
const std::vector<FichierParDefaut>& FichiersParDefaut();

}  // namespace selvane
