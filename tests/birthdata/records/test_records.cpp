#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "birthdata/records/ChaineCourte.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/FicheClient.h"

using namespace selvane;

TEST(Cp1252, ConvertitDansLesDeuxSens) {
  struct Cas {
    const char* utf8;
    const char* octets;
  } cas[] = {
      {"Hélène", "H\xE9l\xE8ne"},
      {"Poséïdon", "Pos\xE9\xEF" "don"},
      {"12°34´", "12\xB0" "34\xB4"},
      {"€ œ Ÿ …", "\x80 \x9C \x9F \x85"},
      {"ôõö÷øùúû", "\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB"},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(Utf8VersCp1252(c.utf8), c.octets) << c.utf8;
    EXPECT_EQ(Cp1252VersUtf8(c.octets), c.utf8) << c.utf8;
  }
}

TEST(Cp1252, UnCaractereAbsentDuJeuDevientPointDInterrogation) {
  EXPECT_EQ(Utf8VersCp1252("a☉b"), "a?b");
  EXPECT_EQ(Utf8VersCp1252("Ωmega 😀"), "?mega ?");
  // Malformed UTF-8: a lone continuation byte, a truncated sequence.
  EXPECT_EQ(Utf8VersCp1252("x\x80y"), "x?y");
  EXPECT_EQ(Utf8VersCp1252("z\xC3"), "z?");
}

// What a record would lose: the characters the code page lacks, once each, in
// order, and the warning that shows what will be stored instead.
TEST(Cp1252, CaracteresHorsDuJeuEtAvertissement) {
  using Liste = std::vector<std::string>;
  struct Cas {
    const char* utf8;
    Liste hors;
    const char* avertissement;
  } cas[] = {
      {"", {}, ""},
      {"DUPONT,Jean 12h05 ?", {}, ""},
      {"Hélène à Noël, ça œuvre pour 5 € — « oui » ÿ", {}, ""},
      {"Łukasz Piątek", {"Ł", "ą"},
       "Les caractères « Ł ą » n'existent pas dans les fichiers de naissances : la fiche sera enregistrée sous la "
       "forme « ?ukasz Pi?tek »."},
      {"Łódź, Łęczna", {"Ł", "ź", "ę"},
       "Les caractères « Ł ź ę » n'existent pas dans les fichiers de naissances : la fiche sera enregistrée sous la "
       "forme « ?ód?, ??czna »."},
      {"Ωmega Ω", {"Ω"},
       "Le caractère « Ω » n'existe pas dans les fichiers de naissances : la fiche sera enregistrée sous la forme "
       "« ?mega ? »."},
      {"a😀b☉c😀", {"😀", "☉"}, nullptr},
      {"x\x80y\xC3", {"\xEF\xBF\xBD"}, nullptr},  // malformed bytes: shown as U+FFFD, stored as "?"
  };
  for (const Cas& c : cas) {
    EXPECT_EQ(CaracteresHors1252(c.utf8), c.hors) << c.utf8;
    if (c.avertissement) {
      EXPECT_EQ(AvertissementHors1252(c.utf8), c.avertissement) << c.utf8;
    }
    // Nothing lacking exactly when the text comes back as typed.
    EXPECT_EQ(c.hors.empty(), Cp1252VersUtf8(Utf8VersCp1252(c.utf8)) == c.utf8) << c.utf8;
    EXPECT_EQ(c.hors.empty(), AvertissementHors1252(c.utf8).empty()) << c.utf8;
  }
}

TEST(ChaineCourte, CoupeALaCapacite) {
  ChaineCourte<36> nom = ChaineCourte<36>::DepuisUtf8("DUPONT-DURAND DE LA MOTTE,Jean-Baptiste");
  EXPECT_EQ(nom.Longueur(), 36u);
  EXPECT_EQ(nom.Utf8(), "DUPONT-DURAND DE LA MOTTE,Jean-Bapti");
  // Cutting counts code-page characters, not UTF-8 bytes.
  ChaineCourte<6> ville = ChaineCourte<6>::DepuisUtf8("Évreux-sur-mer");
  EXPECT_EQ(ville.Utf8(), "Évreux");
  ChaineCourte<6> vide;
  EXPECT_TRUE(vide.Vide());
}

TEST(ChaineCourte, FormeFichierEtOctetDeLongueurTropGrand) {
  ChaineCourte<10> date("07/03/1952");
  unsigned char tampon[11];
  std::memset(tampon, 0xAA, sizeof tampon);
  date.Ecrire(tampon);
  EXPECT_EQ(tampon[0], 10);
  EXPECT_EQ(std::memcmp(tampon + 1, "07/03/1952", 10), 0);

  ChaineCourte<10> relue;
  relue.Lire(tampon);
  EXPECT_EQ(relue, date);

  // A damaged length byte never reads past the field.
  tampon[0] = 200;
  relue.Lire(tampon);
  EXPECT_EQ(relue.Longueur(), 10u);
  tampon[0] = 2;
  relue.Lire(tampon);
  EXPECT_EQ(relue.Chaine(), "07");
}

TEST(FicheClient, ChampsEnLordreDuFichier) {
  EXPECT_EQ(sizeof(FicheClient), 265u);
  FicheClient f;
  const auto* base = reinterpret_cast<const unsigned char*>(&f);
  const std::size_t decalages[] = {
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Nom) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.SortOrder) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Date) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Heure) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Ville) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Lat) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Long) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Fuseau) - base),
      static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&f.Commentaire) - base)};
  const std::size_t attendus[] = {0, 37, 68, 79, 88, 159, 166, 174, 184};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(decalages[i], attendus[i]) << "champ " << i;
}
