#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "Atlas.h"
#include "Avertissements.h"
#include "Conversions.h"
#include "Cp1252.h"
#include "ErreurFichier.h"
#include "Fuseaux.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

CityRecord Ville(const char* nomUtf8, const char* cle) {
  CityRecord v;
  v.Ville = ChaineCourte<70>::DepuisUtf8(nomUtf8);
  v.Pays = "France";
  v.Lat = "48.52";
  v.Long = "2.20";
  v.CountryCode = "FR";
  v.ZoneName = "Europe/Paris";
  v.SearchKey = cle;
  return v;
}

class AtlasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dossier = fs::temp_directory_path() /
              ("selvane_atlas_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dossier);
    fs::create_directories(dossier);
  }
  void TearDown() override { fs::remove_all(dossier); }
  fs::path EcrireAtlas(const std::string& nom, const std::vector<CityRecord>& villes, std::size_t coupe = 0) {
    std::string octets(villes.size() * 182, '\0');
    for (std::size_t i = 0; i < villes.size(); ++i)
      EncoderVille(villes[i], reinterpret_cast<unsigned char*>(&octets[i * 182]));
    octets.resize(octets.size() - coupe);
    const fs::path p = dossier / (nom + ".cty");
    std::ofstream(p, std::ios::binary) << octets;
    return p;
  }
  void Ecrire(const char* nom, const std::string& texte) { std::ofstream(dossier / nom, std::ios::binary) << texte; }
  fs::path dossier;
};

// The data files the build generated, read only.
const fs::path kProgramme = SELVANE_BIN_DIR;

}  // namespace

TEST_F(AtlasTest, ChercherEtPremiereLigne) {
  std::vector<CityRecord> villes;
  for (int i = 0; i < 100; ++i) {
    char cle[16];
    std::snprintf(cle, sizeof cle, "VILLE%03d", i * 2);
    villes.push_back(Ville(cle, cle));
  }
  villes[50] = Ville("Évreux", "VILLE100");
  FichierAtlas atlas(EcrireAtlas("Essai", villes));
  ASSERT_EQ(atlas.Nombre(), 100);
  struct Cas {
    const char* texte;
    std::int64_t trouve;
  } cas[] = {
      {"VILLE100", 50},  {"ville100", 50},          // folded case
      {"VILLE101", 50},  {"VILLE103", 51},          // between two keys: where it would sort
      {"A", 0},          {"ZZZ", 99},
      {"VILLE100XXXXXXXYYYY", 50},                  // cut to 15 characters: VILLE100XXXXXXX
  };
  for (const auto& c : cas) {
    const std::int64_t t = atlas.Chercher(c.texte);
    EXPECT_LE(std::llabs(t - c.trouve), 1) << c.texte << " -> " << t;
  }
  EXPECT_EQ(atlas.Chercher("VILLE100"), 50);
  EXPECT_EQ(PremiereLigne(50, 8, 16, 100), 42);
  EXPECT_EQ(PremiereLigne(50, 10, 20, 100), 40);
  EXPECT_EQ(PremiereLigne(95, 8, 16, 100), 84);   // kept within the file
  EXPECT_EQ(PremiereLigne(3, 8, 16, 100), 0);
  EXPECT_EQ(PremiereLigne(3, 8, 16, 5), 0);       // fewer records than rows
  EXPECT_EQ(atlas.Page(95, 16).size(), 5u);
  EXPECT_EQ(atlas.Page(42, 16).front().SearchKey.Chaine(), "VILLE084");
}

TEST_F(AtlasTest, FichiersAbimes) {
  std::vector<CityRecord> villes = {Ville("A", "A"), Ville("B", "B"), Ville("C", "C")};
  {
    FichierAtlas atlas(EcrireAtlas("Coupe", villes, 100));  // trailing partial record
    EXPECT_EQ(atlas.Nombre(), 2);
    EXPECT_EQ(atlas.Page(0, 16).size(), 2u);
  }
  {
    FichierAtlas vide(EcrireAtlas("Vide", {}));
    EXPECT_EQ(vide.Nombre(), 0);
    EXPECT_EQ(vide.Chercher("PARIS"), 0);
    EXPECT_TRUE(vide.Page(0, 16).empty());
  }
  // Length bytes larger than their fields read as the capacities.
  std::string octets(182, '\xFF');
  std::ofstream(dossier / "Bruit.cty", std::ios::binary) << octets;
  FichierAtlas bruit(dossier / "Bruit.cty");
  const CityRecord v = bruit.Lire(0);
  EXPECT_EQ(v.Ville.Longueur(), 70u);
  EXPECT_EQ(v.Lat.Longueur(), 6u);
  EXPECT_EQ(v.SearchKey.Longueur(), 30u);
  EXPECT_NO_THROW(bruit.Chercher("X"));
  EXPECT_THROW(bruit.Lire(1), ErreurFichier);
  EXPECT_THROW(FichierAtlas(dossier / "Absent.cty"), ErreurFichier);
  EXPECT_EQ(ListerAtlas(dossier), (std::vector<std::string>{"Bruit", "Coupe", "Vide"}));
}

TEST_F(AtlasTest, VilleParDefaut) {
  Ecrire("Vildef.def", " Paris \r\nFrance\r\n 48.52\r\n2.20 \r\nEurope/Paris\r\n");
  VilleDefaut v = LireVilleDefaut(dossier);
  EXPECT_EQ(v.ville, "Paris");
  EXPECT_EQ(v.lat, "48.52");
  EXPECT_EQ(v.lon, "2.20");
  EXPECT_EQ(v.zone, "Europe/Paris");
  v.ville = "\xC9vreux";
  EcrireVilleDefaut(dossier, v);
  EXPECT_EQ(LireVilleDefaut(dossier).ville, "\xC9vreux");
  Ecrire("Vildef.def", "Paris\r\n");
  EXPECT_THROW(LireVilleDefaut(dossier), ErreurFichier);
}

TEST_F(AtlasTest, RegimesDUnFuseau) {
  Ecrire("Zones_Numbers.tzn", "Europe/Paris\t7\r\nAsia/Kolkata\t8\r\nEurope/Paris\t99\r\n");
  // Zone 7: from 1911-03-11 00:00 UT offset 0, from 1940-06-14 23:00 UT +2 h, from 1976-03-28 01:00 UT +2 h.
  Ecrire("TZDBCel.tzb",
         "3\tx\t0\t0\tUTC\t0\r\n"
         "7\tEurope/Paris\t-1855958400\t0\tWET\t0\r\n"
         "7\tEurope/Paris\t-932432400\t7200\tCEST\t1\r\n"
         "7\tEurope/Paris\t196822800\t3600\tCET\t0\r\n"
         "8\tAsia/Kolkata\t-764145000\t19800\tIST\t0\r\n");
  EXPECT_EQ(*LireFuseauActuel(dossier, "Europe/Paris"), "7");  // the first line wins
  EXPECT_FALSE(LireFuseauActuel(dossier, "europe/paris"));      // exact, case-sensitive

  struct Cas {
    int j, m, a, h, mi, s;
    const char* attendu;
  } cas[] = {
      {1, 1, 1900, 12, 0, 0, "L"},           // before the first regime
      {11, 3, 1911, 0, 0, 0, "L"},           // at the exact start: still the earlier one
      {11, 3, 1911, 0, 0, 1, "00.00.00"},
      {1, 1, 1930, 12, 0, 0, "00.00.00"},
      {15, 6, 1940, 1, 0, 0, "00.00.00"},    // 1940-06-14 23:00 UT + 2 h = 01:00 local
      {15, 6, 1940, 1, 0, 1, "02.00.00"},
      {1, 1, 2000, 12, 0, 0, "01.00.00"},    // after the last line: the last regime
      {31, 12, 2049, 23, 59, 0, "01.00.00"},
  };
  for (const auto& c : cas) {
    const Regime r = ChercherRegimeFromDate(dossier, "7", c.j, c.m, c.a, c.h, c.mi, c.s);
    EXPECT_EQ(r.texte, c.attendu) << c.j << "/" << c.m << "/" << c.a << " " << c.h << ":" << c.mi << ":" << c.s;
  }
  EXPECT_EQ(ChercherRegimeFromDate(dossier, "8", 1, 1, 2000, 12, 0, 0).texte, "05.30.00");
  EXPECT_EQ(ChercherRegimeFromDate(dossier, "7", 1, 1, 2050, 0, 0, 0).genre, Regime::Refus);
  EXPECT_EQ(ChercherRegimeFromDate(dossier, "42", 1, 1, 2000, 0, 0, 0).genre, Regime::Rien);

  Ecrire("TZDBCel.tzb", "7\tEurope/Paris\tdouze\t0\tWET\t0\r\n");
  EXPECT_THROW(ChercherRegimeFromDate(dossier, "7", 1, 1, 2000, 0, 0, 0), ErreurConversion);
  // Nineteen digits fit a 64-bit integer, but a start plus an offset would overflow.
  for (const char* ligne : {"7\tEurope/Paris\t9223372036854775807\t9223372036854775807\tX\t0\r\n",
                            "7\tEurope/Paris\t-9223372036854775808\t-3600\tX\t0\r\n",
                            "7\tEurope/Paris\t0\t99999999999999999999\tX\t0\r\n"}) {
    Ecrire("TZDBCel.tzb", ligne);
    EXPECT_THROW(ChercherRegimeFromDate(dossier, "7", 1, 1, 2000, 0, 0, 0), ErreurConversion) << ligne;
  }
  fs::remove(dossier / "TZDBCel.tzb");
  EXPECT_THROW(ChercherRegimeFromDate(dossier, "7", 1, 1, 2000, 0, 0, 0), ErreurFichier);
  EXPECT_EQ(SecondesVersFuseau(-18000), "-05.00.00");
  EXPECT_EQ(SecondesVersFuseau(19800), "05.30.00");
}

// The generated database against the C library's reading of the same IANA data.
TEST(BaseDesFuseaux, AccordAvecLaBibliothequeC) {
  if (!fs::exists(kProgramme / "TZDBCel.tzb")) GTEST_SKIP() << "data files not generated";
  const char* zones[] = {"Europe/Paris", "America/New_York", "Asia/Kolkata", "Asia/Kathmandu", "Australia/Adelaide",
                         "Europe/London", "America/Sao_Paulo", "Africa/Casablanca",
                         "Europe/Moscow", "America/St_Johns", "Asia/Tehran", "Asia/Pyongyang"};
  const char* ancien = std::getenv("TZ");
  const std::string sauve = ancien ? ancien : "";
  std::mt19937_64 alea(42);
  std::uniform_int_distribution<long long> instant(-2208988800LL, 2524607999LL);  // 1900 .. 2049
  for (const char* zone : zones) {
    const auto numero = LireFuseauActuel(kProgramme, zone);
    ASSERT_TRUE(numero) << zone;
    ::setenv("TZ", zone, 1);
    ::tzset();
    auto decalage = [](long long u) {
      std::time_t t = static_cast<std::time_t>(u);
      std::tm tm{};
      localtime_r(&t, &tm);
      return static_cast<long long>(tm.tm_gmtoff);
    };
    int verifies = 0;
    for (int i = 0; i < 80; ++i) {
      const long long u = instant(alea);
      const long long off = decalage(u);
      // Near a change the local time is ambiguous or missing: no single answer.
      if (decalage(u - 10800) != off || decalage(u + 10800) != off) continue;
      const long long local = u + off;
      const std::time_t lt = static_cast<std::time_t>(local);
      std::tm tm{};
      gmtime_r(&lt, &tm);
      const Regime r = ChercherRegimeFromDate(kProgramme, *numero, tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900,
                                              tm.tm_hour, tm.tm_min, tm.tm_sec);
      if (r.genre == Regime::HeureLocale) continue;  // local mean time before the first change
      ASSERT_EQ(r.genre, Regime::Fuseau) << zone;
      EXPECT_EQ(r.texte, SecondesVersFuseau(static_cast<double>(off))) << zone << " " << u;
      ++verifies;
    }
    EXPECT_GT(verifies, 30) << zone;
  }
  if (ancien) ::setenv("TZ", sauve.c_str(), 1);
  else ::unsetenv("TZ");
  ::tzset();
}

TEST(AtlasGenere, LieuxDeNaissanceTapesSansAccents) {
  if (!fs::exists(kProgramme / "France.cty")) GTEST_SKIP() << "data files not generated";
  struct Cas {
    const char* pays;
    const char* tape;
    const char* ville;
    const char* zone;
  } cas[] = {
      {"France", "peyrat-le-chat", "Peyrat-le-Château", "Europe/Paris"},
      {"France", "EVREUX", "Évreux", "Europe/Paris"},
      {"États-Unis d'Amérique", "bay minette", "Bay Minette", "America/Chicago"},
      {"Inde", "VARANASI", "Varanasi", "Asia/Kolkata"},
  };
  for (const auto& c : cas) {
    FichierAtlas atlas(kProgramme / (std::string(c.pays) + ".cty"));
    const std::int64_t debut = PremiereLigne(atlas.Chercher(c.tape), 8, 16, atlas.Nombre());
    bool vu = false;
    for (const CityRecord& v : atlas.Page(debut, 16)) {
      if (v.Ville.Utf8() == c.ville) {
        vu = true;
        EXPECT_EQ(v.ZoneName.Chaine(), c.zone);
      }
    }
    EXPECT_TRUE(vu) << c.tape;
  }
}
