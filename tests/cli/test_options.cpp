// The command table of selvane-cli and its one option reader: what a command line gives, which
// fault is said first and in which words, and a usage text that names only options the
// commands read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cli/Commandes.h"
#include "cli/Options.h"
#include "cli/ThemeNatal.h"
#include "tests/support/TemoinAvertissements.h"

using namespace selvane;

namespace {

// A command line of words, as argv.
struct Ligne {
  explicit Ligne(const std::vector<std::string>& mots) : textes(mots) {
    for (std::string& t : textes) argv.push_back(t.data());
  }
  std::vector<std::string> textes;
  std::vector<char*> argv;
  int argc() const { return static_cast<int>(argv.size()); }
};

const std::vector<Option> kOptions = {{"--a"}, {"--b"}, {"--drapeau", GenreOption::Drapeau}};

// Every value read, as "--a=1 --a=2 --drapeau=" in the order of the names.
std::string Resume(const OptionsLues& lues) {
  std::string s;
  for (const Option& o : kOptions)
    for (const std::string& v : lues.Valeurs(o.nom)) s += (s.empty() ? "" : " ") + std::string(o.nom) + "=" + v;
  return s;
}

TEST(LecteurOptions, ReadsFlagsAndPairsOrFindsTheFirstFault) {
  const struct {
    Fautes fautes;
    std::vector<std::string> mots;
    std::string message;  // empty: read without fault
    std::string lu;
  } cas[] = {
      {Fautes::ParOption, {}, "", ""},
      // Any order; a repeated option keeps every value, in order; a value may look like an option.
      {Fautes::ParOption, {"--drapeau", "--a", "1", "--b", "--a", "--a", "2"}, "", "--a=1 --a=2 --b=--a --drapeau="},
      {Fautes::ParOption, {"--a", "1", "--b"}, "Valeur manquante après --b", ""},
      // An unknown word is taken with its value: a last one lacks it.
      {Fautes::ParOption, {"--x", "1", "--a", "1"}, "Option inconnue : --x", ""},
      {Fautes::ParOption, {"--a", "1", "--x"}, "Valeur manquante après --x", ""},
      {Fautes::ParOption, {"foo"}, "Valeur manquante après foo", ""},
      {Fautes::ParOption, {"foo", "bar"}, "Option inconnue : foo", ""},
      // The strict reading refuses a bare word before looking for its value.
      {Fautes::ParOptionStricte, {"foo"}, "Option inconnue : foo", ""},
      {Fautes::ParOptionStricte, {"--x"}, "Valeur manquante après --x", ""},
      {Fautes::ParOptionStricte, {"--drapeau", "--a", "1"}, "", "--a=1 --drapeau="},
      // By usage: the one message whatever the fault.
      {Fautes::ParUsage, {"--x", "1"}, "Usage : essai", ""},
      {Fautes::ParUsage, {"--a"}, "Usage : essai", ""},
      {Fautes::ParUsage, {"--a", "1"}, "", "--a=1"},
  };
  for (const auto& c : cas) {
    Ligne l(c.mots);
    OptionsLues lues;
    TemoinAvertissements temoin;
    const bool lu = LireOptions(l.argc(), l.argv.data(), {kOptions, c.fautes, "Usage : essai", nullptr, nullptr}, lues);
    const std::string mots = ::testing::PrintToString(c.mots);
    EXPECT_EQ(lu, c.message.empty()) << mots;
    EXPECT_EQ(temoin.messages, c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
        << mots;
    if (lu) {
      EXPECT_EQ(Resume(lues), c.lu) << mots;
    }
  }
}

TEST(LecteurOptions, ReadersRunInOrderAndTheFirstRefusalStops) {
  std::vector<std::string> vus;
  const Lecteurs lecteurs = {{"--a",
                              [&](const std::string& v) {
                                vus.push_back("a" + v);
                                if (v != "bon") Avertir("--a refusé : " + v);
                                return v == "bon";
                              }},
                             {"--drapeau",
                              [&](const std::string& v) {
                                vus.push_back("drapeau" + v);
                                return true;
                              }},
                             // Takes the word after its value when there is one.
                             {"--b", [&](const std::string& v, Mots& suite) {
                                vus.push_back("b" + v + (suite.Reste() ? "+" + suite.Prendre() : ""));
                                return true;
                              }}};
  Ligne l({"--drapeau", "--b", "x", "y", "--a", "bon", "--a", "faux", "--x", "1"});
  OptionsLues lues;
  TemoinAvertissements temoin;
  EXPECT_FALSE(LireOptions(l.argc(), l.argv.data(), {kOptions, Fautes::ParOption, {}, &lecteurs, nullptr}, lues));
  EXPECT_EQ(vus, (std::vector<std::string>{"drapeau", "bx+y", "abon", "afaux"}));
  EXPECT_EQ(temoin.messages, std::vector<std::string>{"--a refusé : faux"});

  // The word taken after a value is not read again; a last value has none.
  vus.clear();
  Ligne fin({"--b", "x"});
  EXPECT_TRUE(LireOptions(fin.argc(), fin.argv.data(), {kOptions, Fautes::ParOption, {}, &lecteurs, nullptr}, lues));
  EXPECT_EQ(vus, std::vector<std::string>{"bx"});
}

// A first reading of some options leaves every other word, unread, for a second one.
TEST(LecteurOptions, LeavesTheWordsOfOtherOptionsForASecondReading) {
  Ligne l({"--x", "--a", "1", "--drapeau", "--y", "2", "--a"});
  std::vector<char*> reste;
  OptionsLues lues;
  TemoinAvertissements temoin;
  const std::vector<Option> premieres = Parmi(kOptions, {"--a", "--drapeau"});
  ASSERT_EQ(premieres.size(), 2u);
  EXPECT_FALSE(LireOptions(l.argc(), l.argv.data(), {premieres, Fautes::ParOption, {}, nullptr, &reste}, lues));
  EXPECT_EQ(temoin.messages, std::vector<std::string>{"Valeur manquante après --a"});
  ASSERT_EQ(reste.size(), 3u);
  EXPECT_STREQ(reste[0], "--x");
  EXPECT_STREQ(reste[1], "--y");
  EXPECT_STREQ(reste[2], "2");
  EXPECT_EQ(Sauf(kOptions, {"--a", "--drapeau"}).size(), 1u);
}

// Outside the forecast commands the last birth option given counts; there a second --time,
// --lat or --long is the computed chart's (a third replaces the second), --date and --zone stay
// the last.
TEST(OptionsNaissance, FirstOrLastOfARepeatedBirthOption) {
  Ligne l({"--date", "01/01/2000", "--time", "10h00m00", "--lat", "1.00", "--lat", "2.00", "--lat", "3.00",
           "--time", "11h00", "--date", "02/01/2000", "--name", "A", "--name", "B"});
  OptionsLues lues;
  ASSERT_TRUE(LireOptions(l.argc(), l.argv.data(), {AvecNaissance({}), Fautes::ParOption, {}, nullptr, nullptr}, lues));
  const OptionsNaissance derniere(lues, false), seconde(lues, true);
  EXPECT_EQ(derniere.saisie.lat, "3.00");
  EXPECT_EQ(derniere.saisie.heure, "11h00");
  EXPECT_EQ(derniere.latLieu, "");
  EXPECT_EQ(seconde.saisie.lat, "1.00");
  EXPECT_EQ(seconde.latLieu, "3.00");
  EXPECT_EQ(seconde.saisie.heure, "10h00m00");
  EXPECT_EQ(seconde.heureMoment, "11h00");
  for (const OptionsNaissance* n : {&derniere, &seconde}) {
    EXPECT_EQ(n->saisie.date, "02/01/2000");
    EXPECT_EQ(n->saisie.nom, "B");
    EXPECT_EQ(n->longLieu, "");
    EXPECT_STREQ(n->Manquante(), "--long");
  }
}

// Each option a command's usage lines name is one it reads, and its names are unique: a new
// option is one line of the table, and the usage cannot promise one the reader refuses.
TEST(TableCommandes, UsageNamesOnlyOptionsTheCommandReads) {
  std::set<std::string> noms;
  for (const Commande& c : TableCommandes()) {
    SCOPED_TRACE(c.nom);
    EXPECT_TRUE(noms.insert(c.nom).second) << "two commands " << c.nom;
    EXPECT_EQ(TrouverCommande(c.nom), &c);
    ASSERT_FALSE(c.usage.empty());
    std::set<std::string> options;
    for (const Option& o : c.options) {
      EXPECT_EQ(std::strncmp(o.nom, "--", 2), 0) << o.nom;
      EXPECT_TRUE(options.insert(o.nom).second) << "twice " << o.nom;
    }
    const std::regex option("--[a-z0-9-]+");
    for (const char* ligne : c.usage) {
      EXPECT_EQ(std::strncmp(ligne, c.nom, std::strlen(c.nom)), 0) << ligne;
      const std::string texte = ligne;
      const bool naissance = texte.find("NAISSANCE") != std::string::npos;
      if (naissance) {
        EXPECT_EQ(options.count("--date"), 1u) << ligne;
      }
      for (std::sregex_iterator m(texte.begin(), texte.end(), option), fin; m != fin; ++m)
        EXPECT_EQ(options.count(m->str()), 1u) << m->str() << " in " << ligne;
    }
  }
  EXPECT_EQ(TrouverCommande("bogus"), nullptr);
}

// The usage text is the table's lines; a command's help adds the birth note and its options.
TEST(TableCommandes, UsageAndHelpComeFromTheTable) {
  const std::string usage = TexteUsage();
  std::size_t lignes = 0;
  for (const Commande& c : TableCommandes()) lignes += c.usage.size();
  EXPECT_EQ(usage.rfind("Usage : selvane-cli chart --date jj/mm/aaaa", 0), 0u);
  EXPECT_EQ(static_cast<std::size_t>(std::count(usage.begin(), usage.end(), '\n')), lignes + 1);
  EXPECT_NE(usage.find("\n        selvane-cli graph NAISSANCE --from jj/mm/aaaa"), std::string::npos);
  // The birth note last.
  EXPECT_EQ(usage.substr(usage.rfind('\n', usage.size() - 2) + 1).rfind("  NAISSANCE : --date", 0), 0u);

  EXPECT_EQ(AideCommande(*TrouverCommande("ephemeris")),
            "Usage : selvane-cli ephemeris --year ANNEE [--month 1..12] [--pdf FICHIER [--bw]] [--stamp]\n"
            "Options : --year, --month, --pdf, --bw, --stamp\n");
  const std::string arbres = AideCommande(*TrouverCommande("trees"));
  EXPECT_EQ(
      arbres.rfind("Usage : selvane-cli trees NAISSANCE [--harmonic 1..16] [--orb-index 0..23] [--pdf FICHIER [--bw]] "
                   "[--stamp]\n  NAISSANCE : ",
                   0),
      0u);
  EXPECT_NE(arbres.find("\nOptions : --date, --time, --lat, --long, --zone, --name, --harmonic, --orb-index, --pdf, --bw, "
                        "--stamp\n"),
            std::string::npos);
  EXPECT_EQ(AideCommande(*TrouverCommande("meaning")), "Usage : selvane-cli meaning A B [C]\n");
}

}  // namespace
