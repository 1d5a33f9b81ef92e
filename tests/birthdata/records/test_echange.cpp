// AAF and CSV exchange of birth records, without calendar or atlas: what the
// texts alone give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/Echange.h"

using namespace selvane;

namespace {

// A record's text fields in UTF-8, "|" between them (the key left out).
std::string Champs(const FicheClient& f) {
  return f.Nom.Utf8() + "|" + f.Date.Utf8() + "|" + f.Heure.Utf8() + "|" + f.Ville.Utf8() + "|" + f.Lat.Utf8() + "|" +
         f.Long.Utf8() + "|" + f.Fuseau.Utf8() + "|" + f.Commentaire.Utf8();
}

std::string Rapport(const LectureEchange& l) {
  std::string s;
  for (const std::string& ligne : l.rapport) s += ligne + "\n";
  return s;
}

FicheClient Fiche(const char* nom, const char* date, const char* heure, const char* ville, const char* lat,
                  const char* lon, const char* fuseau, const char* commentaire) {
  return FicheDesChamps(nom, date, heure, ville, lat, lon, fuseau, commentaire);
}

}  // namespace

// Each sample: the text, the records it gives (fields joined by "|"), and a
// text the report must hold (empty: the report is empty).
TEST(Aaf, EchantillonsSansAtlas) {
  struct Cas {
    const char* nom;
    std::string texte;
    std::vector<std::string> fiches;
    const char* rapport;
  } cas[] = {
      {"fiche complète", "#A93:Dupont,Jean,m,7.3.1952,14:05:30,Paris,F\r\n#B93:2434079.04549,48n52,2e20,1he00,0\r\n",
       {"Dupont,Jean|07/03/1952|14h05m30|Paris|48.52|2.20|01.00.00|"}, ""},
      {"heure d'été ajoutée au fuseau, sans secondes",
       "#A93:Martin,Élise,f,29.2.2000,9:05,Évreux,F\n#B93:*,49n01,1e09,1he00,1\n",
       {"Martin,Élise|29/02/2000|09h05m00|Évreux|49.01|1.09|02.00.00|"}, ""},
      {"sud et ouest, secondes d'arc arrondies",
       "#A93:Silva,Ana,w,1.1.1980,0:00,Rio de Janeiro,BR\n#B93:*,22s54:40,43w10:20,3hw00,0\n",
       {"Silva,Ana|01/01/1980|00h00m00|Rio de Janeiro|-22.55|-43.10|-03.00.00|"}, ""},
      {"demi-heure ouest et heure d'été", "#A93:Roe,Tom,m,1.7.1990,12:00,St. John's,CDN\n#B93:*,47n34,52w43,3hw30,1\n",
       {"Roe,Tom|01/07/1990|12h00m00|St. John's|47.34|-52.43|-02.30.00|"}, ""},
      {"temps moyen local gardé tel quel", "#A93:Zola,Émile,m,2.4.1840,12:00,Paris,F\n#B93:*,48n52,2e20,0e09:21,L\n",
       {"Zola,Émile|02/04/1840|12h00m00|Paris|48.52|2.20|00.09.21|"}, ""},
      {"commentaires, morceaux inconnus, suite de ligne",
       "#: exporté par un autre programme\n#A93:Durand,Paul,m,3.4.1970,\n 6:30,Lyon,F\n#XYZ:quoi,que,ce,soit\n"
       "#B93:*,45n45,4e50,1he00,0\n#SRC:registre\n#COM:né un vendredi\nau petit matin\n#ZNAM:MEZ\n",
       {"Durand,Paul|03/04/1970|06h30m00|Lyon|45.45|4.50|01.00.00|né un vendredi au petit matin"}, ""},
      {"événement sans prénom, lieu avec virgule",
       "#A93:Éclipse totale,*,e,11.8.1999,12:30,Reims, Marne,F\n#B93:*,49n15,4e02,1he00,1\n",
       {"Éclipse totale|11/08/1999|12h30m00|Reims,Marne|49.15|4.02|02.00.00|"}, ""},
      {"deux fiches, une refusée",
       "#A93:A,B,m,31.2.1990,12:00,X,F\n#B93:*,1n00,1e00,0he00,0\n#A93:C,D,m,1.2.1990,12:00,X,F\n"
       "#B93:*,1n00,1e00,0he00,0\n",
       {"C,D|01/02/1990|12h00m00|X|1.00|1.00|00.00.00|"}, "Ligne 1, A,B : non importée : 31/02/1990 : date incorrecte"},
      {"champs * sans atlas : refusée", "#A93:Müller,Hans,m,1.5.1960,8:15,Heidelberg,D\n#B93:*,*,*,*,*\n", {},
       "Ligne 1, Müller,Hans : non importée : ne peut être placée (pas d'atlas)"},
      {"#A93 seul sans atlas : refusée", "#A93:Müller,Hans,m,1.5.1960,8:15,Heidelberg,D\n", {},
       "ne peut être placée (pas d'atlas)"},
      {"latitude illisible", "#A93:X,Y,m,1.5.1960,8:15,Q,D\n#B93:*,91n00,1e00,1he00,0\n", {},
       "#B93 : latitude illisible « 91n00 »"},
      {"fuseau illisible", "#A93:X,Y,m,1.5.1960,8:15,Q,D\n#B93:*,1n00,1e00,1h00,0\n", {},
       "#B93 : fuseau illisible « 1h00 »"},
      {"trop peu de champs", "#A93:X,Y,m,1.5.1960\n", {}, "#A93 : 7 champs attendus, 4 trouvés"},
      {"nom vide", "#A93:*,*,m,1.5.1960,8:15,Q,D\n#B93:*,1n00,1e00,1he00,0\n", {}, "le nom est vide"},
      {"Windows-1252",
       std::string("#A93:M\xFC" "ller,J\xFCrgen,m,1.5.1960,8:15,K\xF6ln,D\r\n#B93:*,50n56,6e57,1he00,0\r\n#COM:\x80 et \x9C\r\n"),
       {"Müller,Jürgen|01/05/1960|08h15m00|Köln|50.56|6.57|01.00.00|€ et œ"}, ""},
      {"UTF-8 avec marque d'ordre, un caractère hors du jeu",
       "\xEF\xBB\xBF#A93:Wałęsa,Lech,m,29.9.1943,12:00,Popowo,PL\n#B93:*,52n58,19e01,1he00,0\n",
       {"Wa??sa,Lech|29/09/1943|12h00m00|Popowo|52.58|19.01|01.00.00|"},
       "n'existent pas dans les fichiers de naissances"},
      {"commentaire coupé",
       "#A93:Long,Com,m,1.1.2000,12:00,X,F\n#B93:*,1n00,1e00,1he00,0\n#COM:" + std::string(90, 'c') + "\n",
       {"Long,Com|01/01/2000|12h00m00|X|1.00|1.00|01.00.00|" + std::string(80, 'c')},
       "commentaire coupé à 80 caractères"},
  };
  for (const Cas& c : cas) {
    const LectureEchange l = LireAaf(c.texte);
    EXPECT_TRUE(l.erreur.empty()) << c.nom << ": " << l.erreur;
    std::vector<std::string> lues;
    for (const FicheClient& f : l.fiches) {
      lues.push_back(Champs(f));
      EXPECT_EQ(f.SortOrder, CleDeTri(f.Nom.Texte())) << c.nom;
      EXPECT_EQ(ErreurFiche(f), "") << c.nom;
    }
    EXPECT_EQ(lues, c.fiches) << c.nom;
    const std::string rapport = Rapport(l);
    if (*c.rapport == '\0') EXPECT_EQ(rapport, "") << c.nom;
    else EXPECT_NE(rapport.find(c.rapport), std::string::npos) << c.nom << ":\n" << rapport;
    int refus = 0;
    for (const std::string& ligne : l.rapport) refus += ligne.find(" : non importée : ") != std::string::npos;
    EXPECT_EQ(l.refusees, refus) << c.nom;
  }
}

TEST(Aaf, SansFicheLeTexteEstRefuseEnFrancais) {
  for (const std::string& texte : {std::string(), std::string("Nom,Date\nDupont,1952\n"),
                                   std::string("\x00\xFF\x13#B93:1,2,3\n", 11), std::string("#: rien\n#COM:seul\n")}) {
    const LectureEchange l = LireAaf(texte);
    EXPECT_EQ(l.erreur, "Aucune fiche AAF (ligne #A93:) dans ce texte : rien n'est importé");
    EXPECT_TRUE(l.fiches.empty());
  }
}

TEST(Aaf, EcritureEnWindows1252OuUtf8) {
  const std::vector<FicheClient> fiches = {
      Fiche("Dupont,Jean", "07/03/1952", "14h05m30", "Paris", "48.52", "2.20", "01.00.00", "né à midi, dit-on"),
      Fiche("Tempête de 1999", "26/12/1999", "06h00m00", "", "-0.05", "-102.23", "-05.30.00", ""),
      Fiche("Zola,Émile", "02/04/1840", "12h00m00", "Paris", "48.52", "2.20", "00.09.21", ""),
      Fiche("César,Jules", "15/03/-044", "11h00m00", "Rome", "41.54", "12.29", "00.50.00", "")};
  const std::string attendu =
      "#A93:Dupont,Jean,*,7.3.1952,14:05:30,Paris,*\r\n#B93:*,48n52,2e20,1he00,0\r\n#COM:n\xE9 \xE0 midi, dit-on\r\n"
      "#A93:Temp\xEAte de 1999,*,*,26.12.1999,6:00,*,*\r\n#B93:*,0s05,102w23,5hw30,0\r\n"
      "#A93:Zola,\xC9mile,*,2.4.1840,12:00,Paris,*\r\n#B93:*,48n52,2e20,0e09:21,L\r\n"
      "#A93:C\xE9sar,Jules,*,15.3.-44,11:00,Rome,*\r\n#B93:*,41n54,12e29,0he50,0\r\n";
  EXPECT_EQ(EcrireAaf(fiches), attendu);
  EXPECT_EQ(EcrireAaf(fiches, nullptr, true), Cp1252VersUtf8(attendu));
  // Read back, every record is the same.
  const LectureEchange l = LireAaf(attendu);
  EXPECT_EQ(l.fiches, fiches) << Rapport(l);
  EXPECT_EQ(LireAaf(Cp1252VersUtf8(attendu)).fiches, fiches);
}

TEST(Csv, DecoupageRfc4180) {
  const std::vector<LigneCsv> l = DecouperCsv("a,\"b,c\",\"d \"\"e\"\"\"\r\n\r\n\"x\ny\",,z\nfin");
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0].numero, 1);
  EXPECT_EQ(l[0].champs, (std::vector<std::string>{"a", "b,c", "d \"e\""}));
  EXPECT_EQ(l[1].numero, 3);
  EXPECT_EQ(l[1].champs, (std::vector<std::string>{"x\ny", "", "z"}));
  EXPECT_EQ(l[2].numero, 5);
  EXPECT_EQ(ChampCsvFiche("dit \"la belle\""), "\"dit \"\"la belle\"\"\"");
  EXPECT_EQ(ChampCsvFiche("simple"), "simple");
}

TEST(Csv, AllerRetourEtRefus) {
  const std::vector<FicheClient> fiches = {
      Fiche("Dupont-Durand,Hélène", "07/03/1952", "14h05m00", "Évreux", "49.01", "1.09", "01.00.00",
            "dit \"la belle\", ou pas"),
      Fiche("MARTIN,Paul", "01/02/1950", "01h05m10", "Lyon", "45.45", "4.50", "00.19.20", "")};
  const std::string csv = EcrireCsv(fiches);
  EXPECT_EQ(csv,
            "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\n"
            "\"Dupont-Durand,Hélène\",DUPONTDURANDHELENE,07/03/1952,14h05m00,Évreux,49.01,1.09,01.00.00,"
            "\"dit \"\"la belle\"\", ou pas\"\n"
            "\"MARTIN,Paul\",MARTINPAUL,01/02/1950,01h05m10,Lyon,45.45,4.50,00.19.20,\n");
  EXPECT_EQ(LireCsvFiches(csv).fiches, fiches);
  // Windows-1252 is read too; "L" is the local mean time of the longitude; a faulty line is refused alone.
  const LectureEchange l = LireCsvFiches(
      "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\r\n"
      "\"MARTIN,Paul\",,01/02/1950,01h05m10,Lyon,45.45,4.50,L,\r\n"
      "H\xE9l\xE8ne,,07/03/1952,14h05,\xC9vreux,49.01,1.09,01.00.00,\r\n"
      "Faux,,07/03/1952,14h05,X,91.00,1.09,01.00.00,\r\n");
  ASSERT_EQ(l.fiches.size(), 2u);
  EXPECT_EQ(l.fiches[0], fiches[1]);
  EXPECT_EQ(Champs(l.fiches[1]), "Hélène|07/03/1952|14h05m00|Évreux|49.01|1.09|01.00.00|");
  EXPECT_EQ(l.refusees, 1);
  ASSERT_EQ(l.rapport.size(), 1u);
  EXPECT_EQ(l.rapport[0], "Ligne 4, Faux : non importée : Erreur : latitude supérieure à 90° !");
  EXPECT_EQ(LireCsvFiches("Prénom,Date\n").erreur,
            "Ligne 1 : l'en-tête attendu est Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire");
}

TEST(Echange, TexteDuFuseau) {
  struct Cas {
    const char* texte;
    bool lu;
    long secondes;
  } cas[] = {{"01.00.00", true, 3600},  {"1", true, 3600},          {"-3.30", true, -12600}, {"5.45", true, 20700},
             {"0", true, 0},            {"00.09.21", true, 561},     {"-05.00.00", true, -18000},
             {"14", true, 50400},       {"15", false, 0},            {"1.60", false, 0},     {"L", false, 0},
             {"", false, 0},            {"1.2.3.4", false, 0},       {"1..2", false, 0}};
  for (const Cas& c : cas) {
    long s = 0;
    EXPECT_EQ(LireDecalage(c.texte, s), c.lu) << c.texte;
    if (c.lu) {
      EXPECT_EQ(s, c.secondes) << c.texte;
    }
  }
  EXPECT_EQ(TexteDecalage(-16200), "-04.30.00");
  EXPECT_EQ(TexteDecalage(561), "00.09.21");
  EXPECT_EQ(TexteEnUtf8("\xEF\xBB\xBFh\xC3\xA9"), "hé");
  EXPECT_EQ(TexteEnUtf8("h\xE9"), "hé");
}

// Names AAF cannot carry as they are: what is written and read back instead.
TEST(Aaf, NomsQueLeFormatNePortePasTelsQuels) {
  struct Cas {
    const char* nom;
    const char* ecrit;  // the name fields of #A93
    const char* relu;
  } cas[] = {{"*", "#A93:?,*,", "?"},
             {"A,B,C", "#A93:A,B;C,", "A,B;C"},
             {"DUPONT,", "#A93:DUPONT,*,", "DUPONT"},
             {",Jean", "#A93:*,Jean,", ",Jean"}};
  for (const Cas& c : cas) {
    const FicheClient f = Fiche(c.nom, "07/03/1952", "14h05m30", "Paris", "48.52", "2.20", "01.00.00", "");
    const std::string aaf = EcrireAaf({f});
    EXPECT_EQ(aaf.rfind(c.ecrit, 0), 0u) << c.nom << ": " << aaf;
    const LectureEchange l = LireAaf(aaf);
    ASSERT_EQ(l.fiches.size(), 1u) << c.nom;
    EXPECT_EQ(l.fiches[0].Nom.Chaine(), c.relu);
  }
  // Control characters of a name part are spaces, trimmed away with the rest.
  const char texte[] = "#A93:\x01" "Durand\x01,\0\0Paul,m,1.1.2000,12:00,X,F\n#B93:*,1n00,1e00,0he00,0\n";
  const LectureEchange l = LireAaf(std::string(texte, sizeof texte - 1));
  ASSERT_EQ(l.fiches.size(), 1u) << Rapport(l);
  EXPECT_EQ(l.fiches[0].Nom.Chaine(), "Durand,Paul");
}
