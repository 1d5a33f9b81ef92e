// The entry checks and the record of a save, without the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "birthdata/records/Controles.h"
#include "birthdata/LignesFiches.h"
#include "birthdata/Saisie.h"
#include "tests/support/TemoinAvertissements.h"

using namespace selvane;

TEST(ControlesDeSaisie, CoordonneesEtLeursMessages) {
  struct Cas {
    const char* texte;
    bool latitude;
    const char* message;
  } cas[] = {
      {"48.52", true, ""},
      {"-89.59", true, ""},
      {"89.95", true, "Erreur : latitude supérieure à 90° !"},
      {"48.60", true, "Latitude : 48.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      {"-180", false, ""},
      {"180.01", false, "Longitude : 180.01 :  valeur incorrecte !"},
      {"2.595", false, "Longitude : 2.595 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
  };
  for (const Cas& c : cas)
    EXPECT_EQ(c.latitude ? ErreurLatitude(c.texte) : ErreurLongitude(c.texte), c.message) << c.texte;
  EXPECT_EQ(MinutesDegMin(-35.52), 52);
  EXPECT_DOUBLE_EQ(DegMinVersDegres(LireNombre(" -0.30x")), -0.5);
}

TEST(ControlesDeSaisie, FuseauTape) {
  std::string remplacement;
  EXPECT_EQ(ControlerFuseau("  ", "2.20", remplacement), "");
  EXPECT_EQ(ControlerFuseau(" 01.00 ", "2.20", remplacement), "");
  EXPECT_EQ(remplacement, "");
  EXPECT_EQ(ControlerFuseau("l", "2.20", remplacement), "");
  EXPECT_EQ(remplacement, "00.09.20");  // the local mean time of 2°20' E
  EXPECT_EQ(ControlerFuseau("1h00", "2.20", remplacement), "N'entrez que des chiffres et des \".\"  ");
  EXPECT_EQ(ControlerFuseau(".5", "2.20", remplacement),
            "N'entrez que la lettre L ou des chiffres, séparés par des points");
  EXPECT_EQ(ControlerFuseau("0é", "2.20", remplacement), "N'entrez que des chiffres et des \".\"  ");
}

TEST(ControlesDeSaisie, VerifierNaissanceMontreLaPremiereFaute) {
  struct Cas {
    SaisieNaissance s;
    const char* message;  // "" when the record is accepted
  } cas[] = {
      {{"A", "29/02/1951", "14h05m30", "", "48.52", "2.20", "1", ""}, "29/02/1951 : date incorrecte"},
      {{"A", "29/02/1952", "24h05m30", "", "48.52", "2.20", "1", ""}, "24h05m30 : heure incorrecte"},
      {{"A", "29/02/1952", "14h05m30", "", "90", "2.20", "1", ""}, "Erreur : latitude supérieure à 90° !"},
      {{"A", "29/02/1952", "14h05m30", "", "48.52", "2.20", "", ""},
       "Vous n'avez pas entré/sélectionné de valeur pour le fuseau. Entrez 0\r\n"
       "pour calculer le thème pour l'heure GMT.\r\n\r\n"},
      {{"A", "29/02/1952", "14h05m30", "", "48.52", "2.20", "1-2", ""}, "Erreur dans l'écriture du fuseau"},
      {{"A", "29/02/1952", "14h05m30", "", "48.52", "2.20", " -05.30 ", ""}, ""},
  };
  for (Cas& c : cas) {
    TemoinAvertissements temoin;
    EXPECT_EQ(VerifierNaissance(c.s), std::string(c.message).empty()) << c.message;
    EXPECT_EQ(temoin.messages, std::string(c.message).empty() ? std::vector<std::string>{}
                                                              : std::vector<std::string>{c.message});
  }
}

TEST(ControlesDeSaisie, FicheDUneSauvegarde) {
  SaisieNaissance s{"  DUPONT,Jean  ", "07/03/1952", HeureComplete("14h05", ""), "  Paris ", "48.52", "2.20",
                    " 01.00.00 ", std::string(90, 'x')};
  const FicheClient f = FicheSaisie(s);
  EXPECT_EQ(f.Nom.Chaine(), "DUPONT,Jean");
  EXPECT_EQ(f.Heure.Chaine(), "14h05m00");
  EXPECT_EQ(f.Ville.Chaine(), "Paris");
  EXPECT_EQ(f.Fuseau.Chaine(), "01.00.00");
  EXPECT_EQ(f.Commentaire.Chaine(), std::string(80, 'x'));  // cut to the field
  EXPECT_FALSE(f.SortOrder.Chaine().empty());
  EXPECT_EQ(HeureComplete("14h05", "30"), "14h05m30");

  const LigneFiche l = LigneDeFiche(f);
  EXPECT_EQ(l.colonnes[0], "DUPONT,Jean");
  EXPECT_EQ(l.colonnes[8], f.SortOrder.Chaine());
  EXPECT_EQ(ResumeFiche(l), "DUPONT,Jean\n07/03/1952  14h05m00\n" + std::string(80, 'x') +
                                "\nParis\n48.52  2.20  01.00.00");
}

TEST(ControlesDeSaisie, JourDeLaSemaine) {
  EXPECT_EQ(JourSemaineDeLaDate("07/03/1952"), 5);   // a Friday
  EXPECT_EQ(JourSemaineDeLaDate("01/01/2000"), 6);   // a Saturday
  EXPECT_EQ(JourSemaineDeLaDate("15/10/1582"), 5);   // the first Gregorian day, a Friday
  EXPECT_EQ(JourSemaineDeLaDate("04/10/1582"), 4);   // the day before it, a Thursday
  EXPECT_EQ(JourSemaineDeLaDate("31/02/2000"), -1);
}
