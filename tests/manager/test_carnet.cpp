// The record model of GestSelvane, without a window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"
#include "manager/CarnetFiches.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/VerifierFiches.h"

using namespace selvane;
using namespace selvane::gestion;
namespace fs = std::filesystem;

namespace {

FicheClient Fiche(const char* nom) { return FicheDeTest(nom).AvecCle(); }

std::vector<std::string> Noms(const CarnetFiches& c) {
  std::vector<std::string> n;
  for (const FicheClient& f : c.Fiches()) n.push_back(f.Nom.Chaine());
  return n;
}

SaisieFiche SaisieValide(const char* nom) {
  return {nom, "01/02/1980", "09h30m00", "Lyon", "45.45", "4.51", "01.00.00", "cliente"};
}

class CarnetTest : public ::testing::Test {
 protected:
  DossierProgramme programme{"selvane_carnet"};
  fs::path Fichier(const char* nom, const std::vector<FicheClient>& fiches) {
    RecrireFichierNaissance(programme / nom, fiches);
    return programme / nom;
  }
};

}  // namespace

// A read that fails changes nothing: the rows, the file and the snapshot of the last good one
// stay, so a later save can only write what was really read.
TEST_F(CarnetTest, UnChargementEchoueNeChangeRien) {
  CarnetFiches c;
  const fs::path a = Fichier("A.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")});
  c.Ouvrir(a);
  EXPECT_THROW(c.Ouvrir(programme / "absent.thz"), ErreurFichier);
  EXPECT_EQ(c.Chemin(), a);
  EXPECT_EQ(Noms(c), (std::vector<std::string>{"MARTIN,Paul", "ALAIN,Luc"}));
  EXPECT_FALSE(c.Modifie());

  EXPECT_THROW(c.Importer({a, programme / "absent.thz"}), ErreurFichier);
  EXPECT_EQ(c.Chemin(), a);
  EXPECT_EQ(c.Nombre(), 2);
}

// "Modified" is what the table holds against what the file holds, whatever led there.
TEST_F(CarnetTest, ModifieComparerAuFichier) {
  CarnetFiches c;
  EXPECT_FALSE(c.Modifie());
  c.Ouvrir(Fichier("A.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")}));
  EXPECT_FALSE(c.Modifie());
  c.Inserer(1);  // an empty row is no record
  EXPECT_FALSE(c.Modifie());
  c.Supprimer(1);
  c.Trier();  // the file is not in key order: sorting is a change to save
  EXPECT_TRUE(c.Modifie());
  c.Sauver();
  EXPECT_FALSE(c.Modifie());
  VerifierFiches(LireFichierNaissance(c.Chemin()), {Fiche("ALAIN,Luc"), Fiche("MARTIN,Paul")}, "A.thz");

  SaisieFiche s = SaisieValide("BERNARD,Marie");
  ASSERT_TRUE(c.Modifier(0, s, "10/12/2026").Reussi());
  EXPECT_TRUE(c.Modifie());
  c.Fermer();
  EXPECT_FALSE(c.Modifie());

  c.Importer({Fichier("B.thz", {Fiche("ZOLA,Emile")})});  // a merge has no file yet: all of it is new
  EXPECT_FALSE(c.AUnFichier());
  EXPECT_TRUE(c.Modifie());
  c.Vider();
  EXPECT_FALSE(c.Modifie());
}

// An edit runs the panel's checks in their order and, once accepted, recomputes the key.
TEST_F(CarnetTest, ModifierControleEtRecalculeLaCle) {
  const struct {
    int champ;
    const char* texte;
    const char* message;
  } refus[] = {
      {2, "32/13/19xx", "32/13/19xx : date incorrecte"},
      {2, "29/02/2001", "29/02/2001 : date incorrecte"},
      {3, "24h00m00", "24h00m00 : heure incorrecte"},
      {5, "70.00", "Latitude : 70.00 :  valeur supérieure à 66° !"},
      {5, "45.60", "Latitude : 45.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      {6, "180.01", "Longitude : 180.01 :  valeur incorrecte !"},
  };
  CarnetFiches c;
  c.Ouvrir(Fichier("A.thz", {Fiche("MARTIN,Paul")}));
  for (const auto& r : refus) {
    SaisieFiche s = SaisieValide("DURAND,Anne");
    s[r.champ - 1] = r.texte;
    const ResultatModification m = c.Modifier(0, s, "10/12/2026");
    EXPECT_EQ(m.message, r.message) << r.texte;
    EXPECT_EQ(m.champ, r.champ) << r.texte;
    VerifierFiches(c.Fiches(), {Fiche("MARTIN,Paul")}, r.texte);
  }
  SaisieFiche s = SaisieValide("  \xC9lise,Anne\t");  // Windows-1252 É, and a pasted tab
  s[7] = "";
  ASSERT_TRUE(c.Modifier(0, s, "10/12/2026").Reussi());
  EXPECT_EQ(s[0], "  \xC9lise,Anne ");  // the tab became a space, shown back in the panel
  EXPECT_EQ(c.Fiche(0).SortOrder.Chaine(), "ELISEANNE");
  EXPECT_EQ(c.Fiche(0).Commentaire.Chaine(), "modifi\xE9 le 10/12/2026");
  EXPECT_EQ(c.Chercher("eli"), 0);
  c.Sauver();
  EXPECT_EQ(LireFichierNaissance(c.Chemin())[0].Nom.Chaine(), "\xC9lise,Anne");  // saved trimmed
}

TEST_F(CarnetTest, ChercherDoublonsEtLignes) {
  CarnetFiches c;
  c.Importer({Fichier("A.thz", {Fiche("DUPONT,Jean"), Fiche("ZOLA,Emile"), Fiche("ALAIN,Luc")}),
              Fichier("B.thz", {Fiche("Dupont,Jean"), Fiche("ZOLA,Emile"), Fiche("ZOLA, Emile")})});
  EXPECT_EQ(Noms(c), (std::vector<std::string>{"ALAIN,Luc", "DUPONT,Jean", "Dupont,Jean", "ZOLA,Emile", "ZOLA,Emile",
                                               "ZOLA, Emile"}));
  EXPECT_EQ(c.Chercher(" dup"), 1);
  EXPECT_EQ(c.Chercher("Zo-l"), 3);
  EXPECT_EQ(c.Chercher("xyz"), 5);  // none: the last row
  EXPECT_EQ(c.Chercher(""), 0);
  // DUPONT twice, ZOLA three times, the last pair at the very end.
  EXPECT_EQ(c.EliminerDoublons(), 3);
  EXPECT_EQ(Noms(c), (std::vector<std::string>{"ALAIN,Luc", "DUPONT,Jean", "ZOLA,Emile"}));

  EXPECT_EQ(c.Ajouter(), 3);
  EXPECT_EQ(c.Fiche(3).Nom.Chaine(), "Compl\xE9tez ");
  EXPECT_EQ(c.Inserer(99), 4);
  EXPECT_EQ(c.Inserer(-3), 0);
  EXPECT_TRUE(CarnetFiches::EstVide(c.Fiche(0)));
  c.Supprimer(42);  // out of range: nothing
  EXPECT_EQ(c.Nombre(), 6);
  EXPECT_EQ(c.FichesAEcrire().size(), 4u);  // the two empty rows are not records
}

// A save that fails leaves the table as it was and still modified; a merge saved under a
// new name leaves nothing open.
TEST_F(CarnetTest, SauverEchoueEtEnregistrerSous) {
  CarnetFiches c;
  const fs::path a = Fichier("A.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")});
  c.Ouvrir(a);
  SaisieFiche s = SaisieValide("BERNARD,Marie");
  ASSERT_TRUE(c.Modifier(0, s, "10/12/2026").Reussi());
  SimulerPanneEcriture(1);
  EXPECT_THROW(c.Sauver(), ErreurFichier);
  SimulerPanneEcriture(0);
  EXPECT_EQ(Noms(c), (std::vector<std::string>{"BERNARD,Marie", "ALAIN,Luc"}));
  EXPECT_TRUE(c.Modifie());
  VerifierFiches(LireFichierNaissance(a), {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")}, "A.thz");

  c.EnregistrerSous(programme / "Copie.thz");
  EXPECT_FALSE(c.AUnFichier());
  EXPECT_EQ(c.Nombre(), 0);
  EXPECT_EQ(LireFichierNaissance(programme / "Copie.thz").size(), 2u);
  EXPECT_EQ(LireFichierNaissance(programme / "Copie.thz")[0].Nom.Chaine(), "ALAIN,Luc");
}
