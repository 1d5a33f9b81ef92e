#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "core/Calcul.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "birthdata/records/Cp1252.h"
#include "tests/support/TemoinAvertissements.h"

using namespace selvane;

namespace {

// Expected texts are written in UTF-8 here and compared as the code page's bytes.
std::string T(const char* utf8) { return Utf8VersCp1252(utf8); }
double Deg(double d) { return d * DegEnRad; }

}  // namespace

TEST(DecouperDMS, TronqueEtReporte) {
  struct Cas {
    double x;
    long d;
    int m, s;
  } cas[] = {{12.5, 12, 30, 0}, {-0.5, 0, 30, 0}, {0.999999999, 0, 59, 59},
             {29.9999999, 29, 59, 59}, {72 + 34 / 60.0 + 56 / 3600.0, 72, 34, 56}, {30.0 * DegEnRad * RadEnDeg, 30, 0, 0}};
  for (const auto& c : cas) {
    const DMS r = DecouperDMS(c.x);
    EXPECT_EQ(r.degres, c.d) << c.x;
    EXPECT_EQ(r.minutes, c.m) << c.x;
    EXPECT_EQ(r.secondes, c.s) << c.x;
  }
}

TEST(FormatsAngulaires, TextesFixesAuCaractere) {
  struct Cas {
    std::string obtenu, attendu;
  } cas[] = {
      {FormatGlyphe(Deg(359.99)), "29l59"},
      {FormatGlyphe(0), "00a00"},
      {FormatGlyphe(Deg(12 + 34 / 60.0 + 1e-9)), "12a34"},
      {FormatGlyphe(Deg(30)), "00b00"},
      {FormatGlyphe(Deg(-10)), "20l00"},
      // A hair below 2π shows as the Aries point, never as a thirteenth sign.
      {FormatGlyphe(DeuxPi - 1e-13), "00a00"},
      {FormatDansSigneAbrev(DeuxPi - 1e-13), T("00°00'Bél")},
      {FormatGlypheDeg(Deg(45.9)), "15b"},
      {FormatDansSigne(Deg(12 + 34.5 / 60)), T("12°34")},
      {FormatDansSigneAbrev(Deg(12 + 34.5 / 60)), T("12°34'Bél")},
      {FormatDansSigneAbrev(Deg(300.25)), T("00°15'Ver")},
      {FormatDegresSeuls(42.7), T("12°")},
      {FormatDMS(Deg(-0.5)), T("-00°30'00\"")},
      {FormatDMS(Deg(123.5)), T(" 123°30'00\"")},
      {FormatDMS(Deg(72 + 34 / 60.0 + 56.5 / 3600)), T(" 72°34'56\"")},
      {FormatDegMin(5.5), T("05°30'")},
      {FormatDegMin(-5.5), T("-05°30'")},
      {FormatDegMinSigne(Deg(72 + 34.2 / 60), 3), T("+072°34'")},
      {FormatDegMinSigne(Deg(-1.5), 2), T("-01°30'")},
      {FormatArbre(Deg(5 + 3.5 / 60)), T("> 5°03´")},
      {FormatArbre(Deg(-15.25)), T("-15°15´")},
  };
  for (const auto& c : cas) EXPECT_EQ(c.obtenu, c.attendu);
}

TEST(FormatsHoraires, TextesFixesAuCaractere) {
  struct Cas {
    std::string obtenu, attendu;
  } cas[] = {
      {FormatHeureHMS(14 + 5 / 60.0 + 30.5 / 3600), "14h05m30"},
      {FormatHeureHM(25.5), "01h30"},
      {FormatHeureHM(-1.25), "01h15"},
      {FormatHeureHM(23.999), "23h59"},
      {FormatTempsSideral(38.55), "02h34m12s"},
      {FormatTempsSideral(359.999999), "23h59m59s"},
      {FormatMinSec(5.5), "  5m30s"},
      {FormatMinSec(-12.25), "-12m15s"},
      {FormatMinSec(65.5), "  5m30s"},  // whole hours dropped
      {FormatReel(1.5, 6, 2), "  1.50"},
      {FormatReel(-1234.5678, 3, 1), "-1234.6"},
      {SecondesVersFuseau(3600), "01.00.00"},
      {SecondesVersFuseau(-19800), "-05.30.00"},
      {SecondesVersFuseau(561), "00.09.21"},
      {LongitudeVersFuseau("2.20"), "00.09.20"},
      {LongitudeVersFuseau("-73.35"), "-04.54.20"},
      {LongitudeVersFuseau("180"), "12.00.00"},
  };
  for (const auto& c : cas) EXPECT_EQ(c.obtenu, c.attendu);
}

TEST(JourJulienVersDate, FormesEtReforme) {
  EXPECT_EQ(JourJulienVersDate(2451545), "01/01/2000");
  EXPECT_EQ(JourJulienVersDate(2299161 - 0.5), "15/10/1582");
  EXPECT_EQ(JourJulienVersDate(2299161 - 1.5), "04/10/1582");
  EXPECT_EQ(JourJulienVersDatePoints(JourJulien(7, 3, 1952, 0.6)), "07.03.1952");
  EXPECT_EQ(JourJulienVersDateCompacte(JourJulien(7, 3, 1952, 0)), "07031952");
  EXPECT_EQ(JourJulienVersJourMois(JourJulien(7, 3, 1952, 0)), "07/03");
  // The pattern gives -0044, cut to four characters.
  EXPECT_EQ(JourJulienVersDate(JourJulien(15, 3, -44, 0)), "15/03/-004");
  EXPECT_EQ(JourJulienVersDate(JourJulien(1, 1, 1, 0) - 1), "31/12/-000");
  EXPECT_EQ(JourJulienVersDate(JourJulien(9, 6, 987, 0)), "09/06/0987");
}

TEST(JourJulienVersDate, LeJourCivilCommenceAMinuitTU) {
  // Julian days start at noon; the civil date turns at J + 0.5.
  struct Cas {
    double jd;
    const char* date;
  } cas[] = {{2451544.5, "01/01/2000"}, {2451545.4999, "01/01/2000"}, {2451545.5, "02/01/2000"},
             {2451544.4999, "31/12/1999"}, {2299160.4999, "04/10/1582"}, {2299160.5, "15/10/1582"}};
  for (const auto& c : cas) EXPECT_EQ(JourJulienVersDate(c.jd), c.date) << std::fixed << c.jd;
  const DateCalendrier d = JourJulienVersCalendrier(JourJulien(15, 3, -44, 0.3));
  EXPECT_EQ(d.jour, 15);
  EXPECT_EQ(d.mois, 3);
  EXPECT_EQ(d.annee, -44);
}

TEST(JourJulienVersDate, AllerRetourSurSixMilleAns) {
  // Every 13 days from 4000 BC to AD 2100, across the reform and year 0.
  for (double jd = 260423.5; jd < 2488069.5; jd += 13) {
    const DateCalendrier d = JourJulienVersCalendrier(jd);
    ASSERT_NE(d.annee, 0);
    ASSERT_DOUBLE_EQ(JourJulien(d.jour, d.mois, d.annee, 0), jd) << d.jour << "/" << d.mois << "/" << d.annee;
    ASSERT_DOUBLE_EQ(JourJulien(d.jour, d.mois, d.annee, 0.75), jd + 0.75);
  }
}

TEST(DateHeure, ValidationEtJourJulien) {
  struct Cas {
    const char* date;
    bool valide;
  } dates[] = {{"31/04/2001", false}, {"30/04/2001", true},  {"31/06/2024", false},
               {"31/09/2024", false}, {"31/11/2024", false}, {"31/12/2024", true},
               {"31/07/2024", true},  {"31/08/2024", true},  {"29/02/1900", false},
               {"29/02/2000", true},  {"29/02/2024", true},  {"29/02/2023", false},
               {"00/01/2000", false}, {"01/13/2000", false}, {"32/01/2000", false},
               {"01/00/2000", false}, {"01/01/0000", false}, {"aa/01/2000", false},
               {"", false},           {"15/10/1582", true},  {"01/01/2000x", false},
               {"01/01/99999", false}, {"1/01/2000", false}, {"01-01-2000", false},
               {" 1/01/2000", false}, {"01/01/ 200", false}, {"01/01/+200", false},
               {"01/01/5399", true},  {"01/01/5400", false}, {"01/01/9999", false},
               {"15/03/-044", true},  {"15/03/-000", false}, {"01/01/0001", true},
               {"01/01/-0-1", false}};
  for (const auto& c : dates) EXPECT_EQ(DateValide(c.date), c.valide) << c.date;
  struct CasHeure {
    const char* heure;
    bool valide;
  } heures[] = {{"23h59m59", true},  {"24h00m00", false}, {"12h60m00", false},
                {"00h00m00", true},  {"1xh00m00", false}, {"12h00m99", false},
                {"12h00m60", false}, {"12h00", true},     {"12h00m5", false},
                {"12h00m059", false}, {"12h00x30", false}, {"12h00m-1", false}};
  for (const auto& c : heures) EXPECT_EQ(HeureValide(c.heure), c.valide) << c.heure;
  EXPECT_TRUE(EstBissextile(2000));
  EXPECT_FALSE(EstBissextile(1900));
  EXPECT_FALSE(EstBissextile(1500));  // the Gregorian rule, applied to every year
  EXPECT_FALSE(EstBissextile(1700));

  // Seconds are ignored; an empty time is midnight.
  EXPECT_DOUBLE_EQ(DateHeureVersJourJulien("01/01/2000", "12h00m59", 0), 2451545.0);
  EXPECT_DOUBLE_EQ(DateHeureVersJourJulien("01/01/2000", "13h30m00", 1.5), 2451545.0);
  EXPECT_DOUBLE_EQ(DateHeureVersJourJulien("01/01/2000", "", 0), 2451544.5);
  // A field that is not an integer stops the computation instead of giving a day 0.
  EXPECT_THROW(DateHeureVersJourJulien("aa/01/2000", "12h00m00", 0), ErreurConversion);
  EXPECT_THROW(DateHeureVersJourJulien("01/01/2000", "xxh00m00", 0), ErreurConversion);
}

TEST(Coordonnees, ValidateursEtLeursMessages) {
  struct Cas {
    bool latitude;
    const char* texte;
    const char* message;  // nullptr: accepted
  } cas[] = {
      {true, "48.52", nullptr},
      {true, "-89.54", nullptr},
      {true, "89.95", "Erreur : latitude supérieure à 90° !"},
      {true, "45.60", "Latitude : 45.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      // 10.60 is a hair below in binary: the minutes are rounded, not truncated.
      {true, "10.60", "Latitude : 10.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      {true, "-10.59", nullptr},
      {false, "-102.23", nullptr},
      {false, "180", nullptr},
      {false, "180.01", "Longitude : 180.01 :  valeur incorrecte !"},
      {false, "-12.75", "Longitude : -12.75 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      {false, "-8.60", "Longitude : -8.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      // Texts that are not a whole D.MM number of the field.
      {true, "AAAA", "Latitude : AAAA :  valeur incorrecte !"},
      {true, "", "Latitude :  :  valeur incorrecte !"},
      {true, "1e308", "Latitude : 1e308 :  valeur incorrecte !"},
      {true, "48.52N", "Latitude : 48.52N :  valeur incorrecte !"},
      {true, "4.5.2", "Latitude : 4.5.2 :  valeur incorrecte !"},
      {true, "-", "Latitude : - :  valeur incorrecte !"},
      {true, "0048.52", "Latitude : 0048.52 :  valeur incorrecte !"},
      {true, ".5", nullptr},
      {false, "", "Longitude :  :  valeur incorrecte !"},
      {false, "2,20", "Longitude : 2,20 :  valeur incorrecte !"},
      {false, "1e308", "Longitude : 1e308 :  valeur incorrecte !"},
      {false, "0002.200", "Longitude : 0002.200 :  valeur incorrecte !"},
  };
  std::string chiffres(10000, '9');
  {
    TemoinAvertissements temoin;
    EXPECT_FALSE(LatitudeValide(chiffres));
    EXPECT_FALSE(LongitudeValide(chiffres));
    ASSERT_EQ(temoin.messages.size(), 2u);
    EXPECT_EQ(temoin.messages[0], "Erreur : latitude supérieure à 90° !");
    EXPECT_EQ(temoin.messages[1], "Longitude : " + chiffres + " :  valeur incorrecte !");
  }
  for (const auto& c : cas) {
    TemoinAvertissements temoin;
    const bool ok = c.latitude ? LatitudeValide(c.texte) : LongitudeValide(c.texte);
    EXPECT_EQ(ok, c.message == nullptr) << c.texte;
    if (c.message) {
      ASSERT_EQ(temoin.messages.size(), 1u) << c.texte;
      EXPECT_EQ(temoin.messages[0], c.message);
    } else {
      EXPECT_TRUE(temoin.messages.empty()) << c.texte;
    }
  }
  EXPECT_TRUE(ContientChiffre("rue 5"));
  EXPECT_FALSE(ContientChiffre("Paris"));
}

TEST(DecalageHoraireSysteme, MinutesOuestPositif) {
  const char* avant = std::getenv("TZ");
  const std::string ancien = avant ? avant : "";
  struct Cas {
    const char* tz;
    int minutes;
  } cas[] = {{"UTC0", 0}, {"EST5", 300}, {"CET-1", -60}, {"IST-5:30", -330}, {"NST3:30", 210}};
  for (const auto& c : cas) {
    setenv("TZ", c.tz, 1);
    tzset();
    EXPECT_EQ(DecalageHoraireSysteme(), c.minutes) << c.tz;
  }
  if (avant)
    setenv("TZ", ancien.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

TEST(PetitesRoutines, ValeursDeReference) {
  EXPECT_DOUBLE_EQ(HeureDuJour(2451545.0), 12.0);
  EXPECT_DOUBLE_EQ(HeureDuJour(2451545.25), 18.0);
  EXPECT_DOUBLE_EQ(HeureDuJour(2451544.75), 6.0);
  EXPECT_DOUBLE_EQ(Reste(90, 100), 10);
  EXPECT_DOUBLE_EQ(Reste(90, -100), -10);
  EXPECT_NEAR(SinDeg(30), 0.5, 1e-15);
  EXPECT_NEAR(Tangente(Pi / 4), 1, 1e-12);
  EXPECT_NEAR(ArcCos(0.5), Pi / 3, 1e-12);
  EXPECT_NEAR(ArcCos(2), 0, 1e-6);
  EXPECT_NEAR(ArcCos(-2), Pi, 1e-6);
  EXPECT_DOUBLE_EQ(DegresVersDegMin(48.5), 48.3);
  EXPECT_EQ(Remplir(7, 2), "07");
  EXPECT_EQ(Remplir(-7, 3), "007");
  EXPECT_EQ(Remplir(12345, 2), "12345");
}

TEST(Locale, PointDecimalQuelleQueSoitLaLangue) {
  // A French desktop sets LC_NUMERIC to a comma; birth data still reads and writes ".".
  const char* avant = std::setlocale(LC_NUMERIC, nullptr);
  const std::string ancienne = avant ? avant : "C";
  if (!std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma on this machine";
  EXPECT_DOUBLE_EQ(LireNombre("48.52"), 48.52);
  EXPECT_EQ(FormatReel(1.5, 6, 2), "  1.50");
  std::setlocale(LC_NUMERIC, ancienne.c_str());
}
