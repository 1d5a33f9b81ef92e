// AAF records completed from the generated atlas and time-zone database, and
// the Julian days of the records, through CompletionAtlas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "birthdata/Atlas.h"
#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/Echange.h"
#include "core/Conversions.h"

using namespace selvane;

namespace {

const std::filesystem::path kProgramme = SELVANE_BIN_DIR;

std::string Champs(const FicheClient& f) {
  return f.Nom.Utf8() + "|" + f.Date.Utf8() + "|" + f.Heure.Utf8() + "|" + f.Ville.Utf8() + "|" + f.Lat.Utf8() + "|" +
         f.Long.Utf8() + "|" + f.Fuseau.Utf8() + "|" + f.Commentaire.Utf8();
}

std::string Rapport(const LectureEchange& l) {
  std::string s;
  for (const std::string& ligne : l.rapport) s += ligne + "\n";
  return s;
}

}  // namespace

// One record per sample: what is stored (empty when refused) and the report texts it gives, in order.
TEST(AafAtlas, EchantillonsCompletes) {
  const CompletionAtlas completion(kProgramme);
  struct Cas {
    const char* nom;
    const char* texte;
    const char* fiche;
    std::vector<std::string> rapport;
  } cas[] = {
      {"#A93 seul, code de pays des plaques", "#A93:Müller,Hans,m,1.5.1960,8:15,Heidelberg,D\r\n",
       "Müller,Hans|01/05/1960|08h15m00|Heidelberg|49.24|8.41|01.00.00|",
       {"Ligne 1, Müller,Hans : complétée par l'atlas : Heidelberg (Allemagne), coordonnées 49.24 8.41, fuseau 01.00.00"}},
      {"heure d'été de la date", "#A93:Ete,Paul,m,15.7.1990,12:00,Paris,F\n",
       "Ete,Paul|15/07/1990|12h00m00|Paris|48.51|2.21|02.00.00|",
       {"complétée par l'atlas : Paris (France), coordonnées 48.51 2.21, fuseau 02.00.00"}},
      {"avant les fuseaux légaux : temps moyen local", "#A93:Zola,Émile,m,2.4.1850,12:00,Paris,FR\n",
       "Zola,Émile|02/04/1850|12h00m00|Paris|48.51|2.21|00.09.24|", {"fuseau 00.09.24"}},
      {"coordonnées données, fuseau *", "#A93:Coord,Y,m,15.1.1990,12:00,Paris,F\n#B93:*,48n50,2e21,1he00,*\n",
       "Coord,Y|15/01/1990|12h00m00|Paris|48.50|2.21|01.00.00|",
       {"Ligne 1, Coord,Y : complétée par l'atlas : Paris (France), fuseau 01.00.00"}},
      {"heure vécue deux fois", "#A93:Doute,X,m,27.10.1996,2:30,Paris,F\n",
       "Doute,X|27/10/1996|02h30m00|Paris|48.51|2.21|01.00.00|",
       {"complétée par l'atlas", "L'heure 02h30 du 27/10/1996 a existé deux fois (Europe/Paris)"}},
      {"un code ISO lu aussi comme plaque", "#A93:Perera,Q,m,1.1.1990,12:00,Colombo,CL\n",
       "Perera,Q|01/01/1990|12h00m00|Colombo|6.56|79.51|05.30.00|", {"Colombo (Sri Lanka)"}},
      {"jour julien en désaccord d'une heure : il l'emporte",
       "#A93:Jd,Z,m,7.3.1952,14:05:30,Paris,F\n#B93:2434079.08716,48n52,2e20,1he00,0\n",
       "Jd,Z|07/03/1952|15h05m31|Paris|48.52|2.20|01.00.00|",
       {"Ligne 1, Jd,Z : le jour julien 2434079.08716 ne correspond pas à 07/03/1952 14h05m30 : 07/03/1952 15h05m31 "
        "retenu"}},
      {"jour julien à moins d'une minute : l'heure civile reste",
       "#A93:Jd,Z,m,7.3.1952,14:05:30,Paris,F\n#B93:2434079.04580,48n52,2e20,1he00,0\n",
       "Jd,Z|07/03/1952|14h05m30|Paris|48.52|2.20|01.00.00|", {}},
      {"date et heure * : tirées du jour julien", "#A93:Jd,Z,m,*,*,Paris,F\n#B93:2434079.04549,48n52,2e20,1he00,0\n",
       "Jd,Z|07/03/1952|14h05m30|Paris|48.52|2.20|01.00.00|", {}},
      {"ville absente", "#A93:Ghost,Q,m,1.1.1990,12:00,Qwertyville,F\n", "",
       {"Ligne 1, Ghost,Q : non importée : ne peut être placée (« Qwertyville » absente de l'atlas du pays « F »)"}},
      {"pays inconnu", "#A93:Ghost,Q,m,1.1.1990,12:00,Paris,XYZ\n", "",
       {"non importée : ne peut être placée (code de pays « XYZ » inconnu)"}},
      {"au-delà de la base des régimes", "#A93:Futur,Q,m,1.1.2060,12:00,Paris,F\n", "",
       {"non importée : ne peut être placée (Régime horaire non fourni au delà du 1 janvier 2050)"}},
  };
  for (const Cas& c : cas) {
    const LectureEchange l = LireAaf(c.texte, &completion);
    ASSERT_TRUE(l.erreur.empty()) << c.nom;
    if (*c.fiche == '\0') {
      EXPECT_TRUE(l.fiches.empty()) << c.nom;
      EXPECT_EQ(l.refusees, 1) << c.nom;
    } else {
      ASSERT_EQ(l.fiches.size(), 1u) << c.nom << ":\n" << Rapport(l);
      EXPECT_EQ(Champs(l.fiches[0]), c.fiche) << c.nom;
      EXPECT_EQ(completion.Controler(l.fiches[0]), "") << c.nom;
    }
    ASSERT_EQ(l.rapport.size(), c.rapport.size()) << c.nom << ":\n" << Rapport(l);
    for (std::size_t i = 0; i < c.rapport.size(); ++i)
      EXPECT_NE(l.rapport[i].find(c.rapport[i]), std::string::npos) << c.nom << ":\n" << l.rapport[i];
  }
}

TEST(AafAtlas, CodesDesPays) {
  EXPECT_EQ(CodesIsoDuPays("D"), std::vector<std::string>{"DE"});
  EXPECT_EQ(CodesIsoDuPays("usa"), std::vector<std::string>{"US"});
  EXPECT_EQ(CodesIsoDuPays("CH"), std::vector<std::string>{"CH"});
  EXPECT_EQ(CodesIsoDuPays("CL"), (std::vector<std::string>{"CL", "LK"}));
  EXPECT_EQ(CodesIsoDuPays("E"), std::vector<std::string>{"ES"});
  EXPECT_TRUE(CodesIsoDuPays("*").empty());
  EXPECT_TRUE(CodesIsoDuPays("").empty());
}

// The Julian day written is the one the chart computes from the record, and
// reading it back gives the same record.
TEST(AafAtlas, JourJulienEcritEtRelu) {
  const CompletionAtlas completion(kProgramme);
  const std::vector<FicheClient> fiches = {
      FicheDesChamps("Dupont,Jean", "07/03/1952", "14h05m30", "Paris", "48.52", "2.20", "01.00.00", ""),
      FicheDesChamps("Roe,Tom", "31/12/1999", "23h59m59", "St. John's", "47.34", "-52.43", "-03.30.00", ""),
      FicheDesChamps("César,Jules", "15/03/-044", "11h00m00", "Rome", "41.54", "12.29", "00.50.00", ""),
      FicheDesChamps("Kiritimati,Ana", "01/01/2000", "00h30m00", "Kiritimati", "1.52", "-157.24", "14.00.00", "")};
  const std::string aaf = EcrireAaf(fiches, &completion);
  std::size_t debut = 0;
  for (const FicheClient& f : fiches) {
    debut = aaf.find("#B93:", debut) + 5;
    const double ecrit = std::stod(aaf.substr(debut, aaf.find(',', debut) - debut));
    double heures = 0;
    ASSERT_TRUE(EssayerLireFuseau(f.Fuseau.Texte(), heures));
    // The chart's Julian day reads hours and minutes; the seconds are added here.
    const double attendu = DateHeureVersJourJulien(f.Date.Texte(), f.Heure.Texte(), heures) +
                           std::stoi(std::string(f.Heure.Texte().substr(6, 2))) / 86400.0;
    EXPECT_NEAR(ecrit, attendu, 1e-6) << f.Nom.Utf8();
  }
  const LectureEchange l = LireAaf(aaf, &completion);
  EXPECT_EQ(l.fiches, fiches) << Rapport(l);
  EXPECT_TRUE(l.rapport.empty()) << Rapport(l);
}

// A record placed from the atlas is written with its zone's summer time and
// abbreviation, and reads back as itself; coordinates other than the atlas's (or the
// default city's) leave the source unknown: the legal offset alone.
TEST(AafAtlas, HeureDeteEtAbreviationQuandLaSourceEstConnue) {
  const CompletionAtlas completion(kProgramme);
  const LectureEchange placees = LireAaf(
      "#A93:Ete,Paul,m,15.7.1990,12:00,Paris,F\n#A93:Hiver,Paul,m,15.1.1990,12:00,Paris,F\n"
      "#A93:Ailleurs,Paul,m,15.7.1990,12:00,Paris,F\n#B93:*,48n53,2e20,2he00,0\n",
      &completion);
  ASSERT_EQ(placees.fiches.size(), 3u) << Rapport(placees);
  const std::string aaf = EcrireAaf(placees.fiches, &completion);
  EXPECT_NE(aaf.find("#A93:Ete,Paul,*,15.7.1990,12:00,Paris,*\r\n#B93:2448087.916667,48n51,2e21,1he00,1\r\n#ZNAM:CEST\r\n"),
            std::string::npos)
      << aaf;
  EXPECT_NE(aaf.find(",48n51,2e21,1he00,0\r\n#ZNAM:CET\r\n"), std::string::npos) << aaf;
  EXPECT_EQ(aaf.substr(aaf.size() - 21), ",48n53,2e20,2he00,0\r\n") << aaf;
  EXPECT_EQ(LireAaf(aaf, &completion).fiches, placees.fiches);
}

// The stamp's words for the zone of a record the atlas places: the database's zone, the
// regime's abbreviation, summer or winter time; nothing for a place the atlas does not have.
TEST(AafAtlas, SourceDuFuseauPourLeCachet) {
  const CompletionAtlas completion(kProgramme);
  const std::optional<SourceFuseau> ete =
      completion.Source(FicheDesChamps("Ete,Paul", "15/07/1990", "12h00m00", "Paris", "48.51", "2.21", "02.00.00", ""));
  ASSERT_TRUE(ete);
  EXPECT_EQ(TexteSourceFuseau(*ete), "Europe/Paris, CEST, heure d'été");
  const std::optional<SourceFuseau> hiver =
      completion.Source(FicheDesChamps("Hiver,Paul", "15/01/1990", "12h00m00", "Paris", "48.51", "2.21", "01.00.00", ""));
  ASSERT_TRUE(hiver);
  EXPECT_EQ(TexteSourceFuseau(*hiver), "Europe/Paris, CET, heure d'hiver");
  // The default city, whose coordinates the entry window opens on, is a source too.
  const VilleDefaut defaut = LireVilleDefaut(kProgramme);
  const std::optional<SourceFuseau> parDefaut = completion.Source(
      FicheDesChamps("Defaut,Paul", "15/07/1990", "12h00m00", defaut.ville, defaut.lat, defaut.lon, "02.00.00", ""));
  ASSERT_TRUE(parDefaut);
  EXPECT_EQ(TexteSourceFuseau(*parDefaut), "Europe/Paris, CEST, heure d'été");
  // Coordinates of neither, or a zone the regime does not give: typed.
  EXPECT_FALSE(completion.Source(
      FicheDesChamps("Ailleurs,Paul", "15/07/1990", "12h00m00", "Paris", "48.53", "2.20", "02.00.00", "")));
  EXPECT_FALSE(completion.Source(
      FicheDesChamps("Ailleurs,Paul", "15/07/1990", "12h00m00", "Paris", "48.51", "2.21", "01.00.00", "")));
  EXPECT_EQ(TexteSourceFuseau(SourceFuseau{}), "heure d'hiver");
}
