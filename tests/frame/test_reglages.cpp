#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

#include <filesystem>
#include <algorithm>
#include <fstream>

#include "tests/support/DossierProgramme.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "birthdata/records/ErreurFichier.h"
#include "core/EtatTheme.h"
#include "reglages/Reglages.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

class ReglagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programme_.emplace("selvane_reglages");
    dossier = programme_->Chemin();
    ReinitialiserEtat();
    LesReglages() = Reglages();
    EcrireReglagesParDefaut(dossier);
  }
  void TearDown() override { programme_.reset(); }
  void Ecrire(const char* nom, const std::string& contenu) {
    std::ofstream f(dossier / nom, std::ios::binary);
    f << contenu;
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
};

template <typename T, std::size_t N>
bool Egaux(const T (&a)[N], const T (&b)[N]) {
  return std::equal(a, a + N, b);
}

bool Pareils(const Reglages& a, const Reglages& b) {
  return Egaux(a.AspectActif, b.AspectActif) && Egaux(a.AspectOrbe, b.AspectOrbe) &&
         a.ColoredCrowns == b.ColoredCrowns && a.CouleurFondEcran == b.CouleurFondEcran &&
         a.CouleurTexteEcran == b.CouleurTexteEcran && a.CouleurTraitsEcran == b.CouleurTraitsEcran &&
         Egaux(a.CouleursCorpsEcran, b.CouleursCorpsEcran) &&
         Egaux(a.CouleursCorpsImpression, b.CouleursCorpsImpression) &&
         Egaux(a.CouleursFondSignesEcran, b.CouleursFondSignesEcran) &&
         Egaux(a.CouleursFondSignesImpression, b.CouleursFondSignesImpression) &&
         Egaux(a.CouleursSignesEcran, b.CouleursSignesEcran) &&
         Egaux(a.CouleursSignesImpression, b.CouleursSignesImpression) &&
         Egaux(a.CouleursAspectsEcran, b.CouleursAspectsEcran) &&
         Egaux(a.CouleursAspectsImpression, b.CouleursAspectsImpression) &&
         a.TaillePlanetes == b.TaillePlanetes && a.TailleSignes == b.TailleSignes &&
         a.PlanetesEnRelief == b.PlanetesEnRelief;
}

}  // namespace

TEST(TexteCouleur, NomsHexadecimalEtDecimal) {
  struct Cas {
    const char* texte;
    Couleur valeur;
    const char* ecrit;
  } cas[] = {
      {"clBlack", 0, "clBlack"},          {"clRed", 0x0000FF, "clRed"},
      {"clSkyBlue", 0xF0CAA6, "clSkyBlue"}, {"clMedGray", 0xA4A0A0, "clMedGray"},
      {"$00123456", 0x123456, "$00123456"}, {"$000000FF", 0xFF, "clRed"},
      {"255", 0xFF, "clRed"},              {"1193046", 0x123456, "$00123456"},
      {" clwhite ", 0xFFFFFF, "clWhite"},
  };
  for (const auto& c : cas) {
    Couleur v = 1;
    ASSERT_TRUE(LireCouleur(c.texte, v)) << c.texte;
    EXPECT_EQ(v, c.valeur) << c.texte;
    EXPECT_EQ(TexteCouleur(v), c.ecrit) << c.texte;
  }
  for (const char* faux : {"", "rouge", "$", "$12G45678", "-5", "12.5"}) {
    Couleur v = 0;
    EXPECT_FALSE(LireCouleur(faux, v)) << faux;
  }
}

TEST_F(ReglagesTest, LesReglagesInstallesSeChargent) {
  ASSERT_NO_THROW(ChargerReglages(dossier));
  const Reglages& r = LesReglages();
  const double orbes[9] = {8, 2, 2, 5, 7, 7, 2, 3, 8};
  for (int i = 0; i < 9; ++i) {
    EXPECT_TRUE(r.AspectActif[i]) << i;
    EXPECT_DOUBLE_EQ(r.AspectOrbe[i], orbes[i] * DegEnRad) << i;
  }
  EXPECT_EQ(Etat().SystemeMaisons, 1);
  EXPECT_EQ(Etat().Orientation, 'o');
  EXPECT_EQ(Etat().NbPlanetes, 20);
  for (int n = 1; n <= 20; ++n) EXPECT_TRUE(Etat().JeuPlanetes.test(n)) << n;
  EXPECT_EQ(r.CouleurFondEcran, 0xFFFFFFu);
  EXPECT_EQ(r.CouleurTexteEcran, 0u);
  EXPECT_EQ(r.CouleurTraitsEcran, CouleurGris);
  EXPECT_EQ(r.CouleursCorpsEcran[5], 0x0000FFu);  // Mars in red
  EXPECT_EQ(r.TaillePlanetes, 0);
  EXPECT_TRUE(r.ColoredCrowns);

  // The same values when applied in memory without any file.
  const Reglages duFichier = r;
  LesReglages() = Reglages();
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  EXPECT_TRUE(Pareils(LesReglages(), duFichier));
  EXPECT_EQ(Etat().NbPlanetes, 20);
  for (const FichierParDefaut& f : FichiersParDefaut()) EXPECT_TRUE(fs::exists(dossier / f.nom)) << f.nom;
}

TEST_F(ReglagesTest, ChaqueReglageVientDeSonFichier) {
  Ecrire("SelvOpt.def",
         "o\r\n 8.0\r\nn\r\n 1.5\r\no\r\n10.0\r\nn\r\n 0.0\r\no\r\n15.0\r\no\r\n7\r\nn\r\n 2.0\r\n"
         "o\r\n 3.0\r\no\r\n 9.5\r\n9\r\nn\r\n");
  std::string noir = "clBlack\r\n";
  for (int i = 0; i < 41; ++i) noir += "$00" + std::string(i < 10 ? "00000" : "0000") + std::to_string(i) + "\r\n";
  Ecrire("OColorsScreen.txt", noir);
  Ecrire("SelvFontSize.def", "-5\r\n3\r\n1\r\n");
  Ecrire("SelvSetOfPlanetes.def", "1\r\n2\r\n300\r\n19\r\n");
  Ecrire("ColoredCrownsFile.def", "0\r\n");
  ChargerReglages(dossier);
  const Reglages& r = LesReglages();
  const bool actifs[9] = {true, false, true, false, true, true, false, true, true};
  const double orbes[9] = {8, 1.5, 10, 0, 15, 7, 2, 3, 9.5};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(r.AspectActif[i], actifs[i]) << i;
    EXPECT_DOUBLE_EQ(r.AspectOrbe[i], orbes[i] * DegEnRad) << i;
  }
  EXPECT_EQ(Etat().SystemeMaisons, 9);
  EXPECT_EQ(Etat().Orientation, 'n');
  EXPECT_EQ(r.CouleurFondEcran, 0u);
  EXPECT_EQ(r.CouleurTexteEcran, 0xFFFFFFu);
  EXPECT_EQ(r.CouleurTraitsEcran, CouleurArgent);
  EXPECT_EQ(r.CouleursCorpsEcran[1], 0x0u);
  EXPECT_EQ(r.CouleursCorpsEcran[24], 0x23u);
  EXPECT_EQ(r.CouleursFondSignesEcran[0], 0x24u);
  EXPECT_EQ(r.CouleursSignesEcran[3], 0x31u);
  EXPECT_EQ(r.CouleursAspectsEcran[8], 0x40u);
  EXPECT_EQ(r.TaillePlanetes, -5);
  EXPECT_EQ(r.TailleSignes, 3);
  EXPECT_TRUE(r.PlanetesEnRelief);
  EXPECT_EQ(Etat().NbPlanetes, 4);  // 300 is counted but not taken
  EXPECT_EQ(Etat().JeuPlanetes.count(), 3u);
  EXPECT_FALSE(r.ColoredCrowns);

  Ecrire("SelvSetOfPlanetes.def", "");
  ChargerReglages(dossier);
  EXPECT_EQ(Etat().NbPlanetes, 0);
  EXPECT_TRUE(Etat().JeuPlanetes.none());
}

TEST_F(ReglagesTest, FichierDeCouleursAllerRetour) {
  JeuCouleurs c{};
  for (std::size_t i = 0; i < c.size(); ++i) c[i] = static_cast<Couleur>(i * 0x030507);
  c[3] = 0xFF;  // has a name
  EcrireFichierCouleurs(dossier / "essai.txt", c);
  EXPECT_EQ(LireFichierCouleurs(dossier / "essai.txt"), c);
  const auto lignes = LireLignes(dossier / "essai.txt");
  ASSERT_EQ(lignes.size(), 42u);
  EXPECT_EQ(lignes[3], "clRed");
  EXPECT_EQ(lignes[4], "$000C141C");
}

TEST_F(ReglagesTest, FichierManquantOuAbime) {
  ChargerReglages(dossier);
  // A missing colour file: the options before it are read, what follows keeps its values.
  Ecrire("SelvOpt.def", "n\r\n 8.0\r\no\r\n 2.0\r\no\r\n 2.0\r\no\r\n 5.0\r\no\r\n 7.0\r\no\r\n 7.0\r\n"
                        "o\r\n 2.0\r\no\r\n 3.0\r\no\r\n 8.0\r\n3\r\no\r\n");
  Ecrire("SelvFontSize.def", "4\r\n4\r\n0\r\n");
  fs::remove(dossier / "OColorsScreen.txt");
  try {
    ChargerReglages(dossier);
    FAIL() << "no error";
  } catch (const ErreurFichier& e) {
    EXPECT_NE(std::string(e.what()).find("Le fichier spécifié est introuvable."), std::string::npos);
  }
  EXPECT_FALSE(LesReglages().AspectActif[0]);
  EXPECT_EQ(Etat().SystemeMaisons, 3);
  EXPECT_EQ(LesReglages().TaillePlanetes, 0);

  // A wrong value: its message names the file to open.
  struct Cas {
    const char* fichier;
    const char* contenu;
    const char* message;
  } cas[] = {
      {"SelvOpt.def", "o\r\nhuit\r\n", "Fichier SelvOpt.def : 'huit' n'est pas une valeur numérique correcte"},
      {"OColorsPrint.txt", "clWhite\r\nrouge vif\r\n", "Fichier OColorsPrint.txt : 'rouge vif' n'est pas une couleur correcte"},
      {"SelvFontSize.def", "4\r\nx\r\n0\r\n", "Fichier SelvFontSize.def : 'x' n'est pas une valeur entière correcte"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.fichier);
    EcrireReglagesParDefaut(dossier);
    Ecrire(c.fichier, c.contenu);
    try {
      ChargerReglages(dossier);
      ADD_FAILURE() << "no error";
    } catch (const ErreurConversion& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  EcrireReglagesParDefaut(dossier);
  Ecrire("SelvOpt.def", "o\r\n 8.0\r\n");
  EXPECT_THROW(ChargerReglages(dossier), ErreurFichier);  // read past the end
  Ecrire("OColorsScreen.txt", "clWhite\r\nrouge vif\r\n");
  try {
    LireFichierCouleurs(dossier / "OColorsScreen.txt");
    ADD_FAILURE() << "no error";
  } catch (const ErreurConversion& e) {
    EXPECT_EQ(std::string(e.what()), "Fichier OColorsScreen.txt : 'rouge vif' n'est pas une couleur correcte");
  }
}

// Values edited by hand are kept to ranges the painters can take; numbers
// that are no numbers at all stop the loader as any bad value does.
TEST_F(ReglagesTest, ValeursHorsLimitesRamenees) {
  struct Cas {
    const char* tailles;
    int planetes, signes;
  } cas[] = {{"2147483647\r\n2147483647\r\n1\r\n", 10, 10},
             {"-2147483648\r\n-99\r\n0\r\n", -5, -2},
             {"10\r\n-2\r\n0\r\n", 10, -2},
             {"-5\r\n10\r\n0\r\n", -5, 10}};
  for (const Cas& c : cas) {
    Ecrire("SelvFontSize.def", c.tailles);
    ChargerReglages(dossier);
    EXPECT_EQ(LesReglages().TaillePlanetes, c.planetes) << c.tailles;
    EXPECT_EQ(LesReglages().TailleSignes, c.signes) << c.tailles;
  }
  std::string options;
  for (const char* orbe : {"1e308", "-4", "200", "15", "0", "1", "2", "3", "4"}) options += std::string("o\r\n") + orbe + "\r\n";
  Ecrire("SelvOpt.def", options + "1\r\nn\r\n");
  ChargerReglages(dossier);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[0], 180 * DegEnRad);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[1], 0);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[2], 180 * DegEnRad);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[3], 15 * DegEnRad);
  for (const char* faux : {"99999999999999999999999", "inf", "nan", "1e999", "4.5"}) {
    Ecrire("SelvFontSize.def", std::string(faux) + "\r\n0\r\n0\r\n");
    EXPECT_THROW(ChargerReglages(dossier), ErreurConversion) << faux;
  }
  EcrireReglagesParDefaut(dossier);
  for (const char* faux : {"inf", "nan", "1e999", "-inf"}) {
    Ecrire("SelvOpt.def", std::string("o\r\n") + faux + "\r\n" + options.substr(options.find("\r\n", 3) + 2));
    EXPECT_THROW(ChargerReglages(dossier), ErreurConversion) << faux;
  }
}

// A settings file rewritten keeps its permissions; a read-only one is refused with
// its name and left as it was (the mode bits decide, so it holds under root too).
TEST_F(ReglagesTest, EcritureGardeLesDroitsEtRespecteLaLectureSeule) {
  const fs::path couleurs = dossier / "OColorsScreen.txt";
  const fs::path options = dossier / "SelvOpt.def";
  const JeuCouleurs c = LireFichierCouleurs(couleurs);
  for (const fs::perms mode : {fs::perms(0600), fs::perms(0640)}) {
    fs::permissions(couleurs, mode);
    EcrireFichierCouleurs(couleurs, c);
    EXPECT_EQ(fs::status(couleurs).permissions() & fs::perms::mask, mode);
    fs::permissions(options, mode);
    EcrireLignes(options, LireLignes(options));
    EXPECT_EQ(fs::status(options).permissions() & fs::perms::mask, mode);
  }
  fs::permissions(options, fs::perms(0444));
  const std::vector<std::string> avant = LireLignes(options);
  try {
    EcrireLignes(options, {"n"});
    ADD_FAILURE() << "no error";
  } catch (const ErreurFichier& e) {
    EXPECT_EQ(std::string(e.what()), "Accès refusé. (" + options.string() + ")");
  }
  EXPECT_EQ(LireLignes(options), avant);
  EXPECT_EQ(fs::status(options).permissions() & fs::perms::mask, fs::perms(0444));
  fs::permissions(options, fs::perms(0644));
}
