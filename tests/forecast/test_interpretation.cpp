// The interpretation file's two readers, and the searches of the interpretation window.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "birthdata/records/ErreurFichier.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "data/textes/ClesInterpretation.h"
#include "forecast/Interpretation.h"
#include "forecast/RechercheInterpretation.h"
#include "tests/support/DossierProgramme.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

using Textes = std::vector<std::string>;
constexpr auto Premier = ModeInterpretation::PremierTexte;
constexpr auto Tous = ModeInterpretation::TousLesTextes;

void Ecrire(const fs::path& chemin, const std::string& octets) {
  std::ofstream f(chemin, std::ios::binary);
  f << octets;
}

class FichierTest : public ::testing::Test {
 protected:
  DossierProgramme dossier_{"interp"};
  fs::path Fichier(const std::string& octets, const std::string& nom = "t.int") {
    Ecrire(dossier_ / nom, octets);
    return dossier_ / nom;
  }
};

// Every corner of the layout in one small file.
const char* const Coins =
    "en-tete sans cle\r\n"
    "_SOL MAR\r\n"
    "Le Soleil \r\n"
    "\r\n"
    "et Mars.\r\n"
    "_SOL LUN \t \r\n"          // trailing blanks and a tab
    "_LUN SOL\r\n"              // right after a key line: the entry above is empty
    "Lune, Soleil\r\n"
    " _SOL MAR\r\n"             // a leading blank: text of the entry above, yet a key when searched
    "suite\r\n"
    "_sol mar\r\n"              // other letter case
    "minuscules\r\n"
    "_SOL MAR\r\n"
    "deuxieme\r\n"
    "_SOL MAR\r\n"              // closes the entry above: never compared
    "troisieme cachee\r\n"
    "_end\r\n"
    "_SOL MAR\r\n"
    "quatrieme\n"               // a bare LF
    "_SOL Vx\r\n"
    "Soleil et Vertex\r\n"
    "_MC. SOL\r\n"
    "derniere sans fin";        // last entry, no closing line, no line end

TEST_F(FichierTest, LesDeuxLecteursDonnentLesTextesDesCoins) {
  struct Cas {
    const char* cle;
    ModeInterpretation mode;
    Textes attendu;
  } cas[] = {
      {"_SOL MAR", Premier, {"Le Soleil et Mars."}},
      {"_SOL MAR", Tous, {"Le Soleil et Mars.", "suite", "deuxieme", "quatrieme"}},
      {"_SOL LUN", Tous, {""}},
      {"_LUN SOL", Tous, {"Lune, Soleil _SOL MARsuite"}},
      {"_sol mar", Tous, {"minuscules"}},
      {"_Sol Mar", Tous, {}},
      {"_SOL Vx", Premier, {"Soleil et Vertex"}},
      {"_MC. SOL", Tous, {"derniere sans fin"}},
      {"_MC. SOL ", Tous, {}},  // the key as given is compared, untrimmed
      {"_SOL LUN MAR", Premier, {}},
      {"_end", Tous, {""}},
  };
  const fs::path chemin = Fichier(Coins);
  IndexInterpretation index(std::string{Coins});
  RelectureInterpretation relecture(chemin);
  auto ouvert = IndexInterpretation::Ouvrir(chemin);
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.cle) + (c.mode == Tous ? " (tous)" : " (premier)"));
    EXPECT_EQ(relecture.ChercherInterpretation(c.cle, c.mode), c.attendu);
    EXPECT_EQ(index.ChercherInterpretation(c.cle, c.mode), c.attendu);
    EXPECT_EQ(ouvert->ChercherInterpretation(c.cle, c.mode), c.attendu);
  }
  EXPECT_EQ(index.PremierTexte("_absent"), "");
}

// Files drawn at random from a few keys, written with every irregularity the layout allows;
// each line's trimmed form and each key is looked up in both modes by both readers.
TEST_F(FichierTest, LIndexDonneCeQueDonneLaRelectureSurDesFichiersEngendres) {
  const std::vector<std::string> cles = {"_SOL MAR", "_SOL Vx", "_SOL LUN MAR", "_LUN SOL", "_end", "_MAR MAR JUP"};
  const std::vector<std::string> decors = {"", " ", "\t", " \t ", "\x01", "  "};
  const std::vector<std::string> textes = {"", " ", "un texte ", "\xE9t\xE9 accent", "_", " _SOL MAR", "x\ty"};
  std::mt19937 alea(15);
  auto choisir = [&alea](const auto& v) { return v[alea() % v.size()]; };
  for (int essai = 0; essai < 300; ++essai) {
    std::string octets;
    const int lignes = static_cast<int>(alea() % 40);
    for (int i = 0; i < lignes; ++i) {
      const unsigned genre = alea() % 4;
      if (genre == 0) octets += choisir(textes);
      else if (genre == 1) octets += choisir(decors) + choisir(cles) + choisir(decors);  // leading blank: text
      else octets += choisir(cles) + choisir(decors);
      if (i + 1 < lignes || alea() % 2) octets += (alea() % 3 == 0) ? "\n" : "\r\n";
    }
    const fs::path chemin = Fichier(octets);
    IndexInterpretation index(octets);
    RelectureInterpretation relecture(chemin);
    std::set<std::string> demandes(cles.begin(), cles.end());
    demandes.insert({"", "_", "_sol mar"});
    for (const std::string& l : textes) demandes.insert(std::string(RognerLigneCle(l)));
    for (const std::string& cle : demandes)
      for (ModeInterpretation mode : {Premier, Tous}) {
        SCOPED_TRACE("essai " + std::to_string(essai) + " cle '" + cle + "'");
        ASSERT_EQ(index.ChercherInterpretation(cle, mode), relecture.ChercherInterpretation(cle, mode));
      }
  }
}

TEST_F(FichierTest, LInstalleDonneLesMemesTextesAuxDeuxLecteurs) {
  const fs::path chemin = DossierInstalle() / NomFichierInterpretation;
  auto index = IndexInterpretation::Ouvrir(chemin);
  RelectureInterpretation relecture(chemin);
  const std::set<std::string> toutes = ToutesLesClesDesRecherches();
  int n = 0, trouvees = 0;
  for (const std::string& cle : toutes) {
    if (n++ % 97) continue;  // a sample: the rescanning reader reads the whole file per key
    const Textes attendu = relecture.ChercherInterpretation(cle, Tous);
    ASSERT_EQ(index->ChercherInterpretation(cle, Tous), attendu) << cle;
    trouvees += !attendu.empty();
  }
  EXPECT_EQ(trouvees, (n + 96) / 97);  // every key a search can ask for has its text
}

TEST_F(FichierTest, UnFichierAbsentEstLErreurDeFichierDesDeuxLecteurs) {
  const std::string attendu = "Le fichier sp\xC3\xA9" "cifi\xC3\xA9 est introuvable.";
  for (int lecteur = 0; lecteur < 2; ++lecteur) {
    try {
      if (lecteur) RelectureInterpretation r(dossier_ / "absent.int");
      else IndexInterpretation::Ouvrir(dossier_ / "absent.int");
      ADD_FAILURE() << "no error";
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(std::string(e.what()).rfind(attendu, 0), 0u) << e.what();
    }
  }
  EXPECT_THROW(RelectureInterpretation{dossier_.Chemin()}, ErreurFichier);
  EXPECT_THROW(IndexInterpretation::Ouvrir(dossier_.Chemin()), ErreurFichier);
}

}  // namespace
