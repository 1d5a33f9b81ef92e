#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "data/textes/ClesInterpretation.h"
#include "data/textes/FormeImage.h"

using namespace selvane;

namespace {

std::string LireOctets(const std::string& chemin) {
  std::ifstream f(chemin, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string Installe(const std::string& nom) { return std::string(SELVANE_BIN_DIR) + "/" + nom; }

// A printable Windows-1252 character: no control code, none of the five codes the page leaves
// undefined.
bool OctetDeTexte(char octet) {
  const auto c = static_cast<unsigned char>(octet);
  return c >= 32 && c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

// The lookup of the interpretation window, rule for rule: each call reads from the first line;
// a line whose trimmed form equals the key opens an entry, whose text is every following line
// up to the next line beginning with "_" (consumed) or the end of the file.
class FichierInterpretation {
 public:
  explicit FichierInterpretation(const std::string& octets) {
    std::size_t debut = 0;
    while (debut < octets.size()) {
      std::size_t fin = octets.find('\n', debut);
      if (fin == std::string::npos) fin = octets.size();
      std::string ligne = octets.substr(debut, fin - debut);
      if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();  // the CR LF line end
      lignes_.push_back(ligne);
      debut = fin + 1;
    }
    // The trimmed form is a function of the line alone; computing it once keeps the rescans fast.
    for (const std::string& l : lignes_) rognees_.push_back(Rogner(l));
  }

  enum class Mode { Premier, Tous };

  std::vector<std::string> Chercher(const std::string& cle, Mode mode) const {
    std::vector<std::string> textes;
    std::size_t i = 0;
    while (i < lignes_.size()) {
      if (rognees_[i++] != cle) continue;
      std::string texte;
      while (i < lignes_.size()) {
        const std::string& l = lignes_[i++];
        if (!l.empty() && l[0] == '_') break;
        texte += l;
      }
      textes.push_back(texte);
      if (mode == Mode::Premier) return textes;
    }
    return textes;
  }

  const std::vector<std::string>& Lignes() const { return lignes_; }

 private:
  static std::string Rogner(const std::string& l) {
    auto blanc = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t a = 0, b = l.size();
    while (a < b && blanc(l[a])) ++a;
    while (b > a && blanc(l[b - 1])) --b;
    return l.substr(a, b - a);
  }

  std::vector<std::string> lignes_, rognees_;
};

using Mode = FichierInterpretation::Mode;

TEST(LectureInterpretation, SuitLaRegleDeRelectureLigneParLigne) {
  const std::string fichier =
      "_SOL MAR \t\r\nSoleil et \r\nMars.\r\n\r\n_SOL JUP\r\n_SOL SAT\r\nSaturne\r\n"
      " _SOL URA\r\nsuite\r\n_SOL MAR\r\ndouble\r\n_SOL MAR\r\navalé par la clé du dessus\r\n"
      "_SOL Vx\r\nDernier";
  FichierInterpretation f(fichier);
  struct Cas {
    const char* cle;
    Mode mode;
    std::vector<std::string> attendu;
  };
  const std::vector<Cas> cas = {
      {"_SOL MAR", Mode::Premier, {"Soleil et Mars."}},  // trailing blank and tab; empty line adds nothing
      {"_SOL MAR", Mode::Tous, {"Soleil et Mars.", "double"}},  // the third closed the second
      {"_SOL JUP", Mode::Premier, {""}},                        // two key lines in a row
      {"_SOL SAT", Mode::Premier, {"Saturne _SOL URAsuite"}},   // a leading blank does not close
      {"_SOL URA", Mode::Premier, {"suite"}},                   // but it matches when searched
      {"_sol mar", Mode::Tous, {}},                             // case matters
      {"_SOL Vx", Mode::Premier, {"Dernier"}},                  // last entry runs to the end
      {"_SOL NEP", Mode::Premier, {}},
  };
  for (const Cas& c : cas) EXPECT_EQ(f.Chercher(c.cle, c.mode), c.attendu) << c.cle;
}

TEST(ClesDesRecherches, SuiventLesReglesDeChaqueRecherche) {
  using V = std::vector<std::string>;
  EXPECT_EQ(ClesSolLunNatal(Soleil, Lune), V{});
  EXPECT_EQ(ClesSolLunNatal(Lune, Soleil), V{"_LUN SOL"});
  EXPECT_EQ(ClesSolLunNatal(Mars, Mars), V{"_SOL LUN MAR"});
  EXPECT_EQ(ClesSolLunNatal(Soleil, Vertex), V{"_SOL Vx"});
  EXPECT_EQ(ClesSolLunDirige(Mars, Mars), V{"_MAR MAR"});
  EXPECT_EQ(ClesSolLunDirige(Soleil, Lune), V{});

  EXPECT_EQ(ClesPointsDiriges(Mars, Mars, Soleil), V{"_MAR MAR SOL"});
  EXPECT_EQ(ClesPointsDiriges(Mars, Soleil, Jupiter), V{"_SOL JUP MAR"});
  EXPECT_EQ(ClesPointsDiriges(Mars, Jupiter, Jupiter), V{"_MAR MAR JUP"});
  EXPECT_EQ(ClesPointsDiriges(Mars, Jupiter, Mars), V{});
  EXPECT_EQ(ClesPointsDiriges(Mars, Mars, Mars), V{});
  EXPECT_EQ(ClesPointsDiriges(Mars, Ascendant, Soleil), V{"_AS. SOL MAR"});
  EXPECT_EQ(ClesPointsDiriges(Soleil, Ascendant, Soleil), V{});

  EXPECT_EQ(ClesPointsNatal(Mars, Mars, Mars), V{});
  EXPECT_EQ(ClesPointsNatal(Mars, Jupiter, Jupiter), V{"_MAR MAR JUP"});
  EXPECT_EQ(ClesPointsNatal(Mars, Mars, Soleil), V{"_MAR SOL MAR"});
  EXPECT_EQ(ClesPointsNatal(Mars, Soleil, Mars), V{"_SOL MAR MAR"});
  EXPECT_EQ(ClesPointsNatal(Mars, Soleil, Jupiter), V{"_SOL JUP MAR"});

  EXPECT_EQ(ClesMiPointsChoisis(Soleil, Mars, Soleil, Mars), V{});
  EXPECT_EQ(ClesMiPointsChoisis(Soleil, Mars, Jupiter, Jupiter), V{"_SOL MAR JUP"});
  EXPECT_EQ(ClesMiPointsChoisis(Soleil, Mars, Mars, Soleil), V{});
  EXPECT_EQ(ClesMiPointsChoisis(Mars, Soleil, Soleil, Mars), V{});
  EXPECT_EQ(ClesMiPointsChoisis(Saturne, Soleil, Jupiter, Jupiter), V{"_SOL SAT JUP"});
  EXPECT_EQ(ClesMiPointsChoisis(Saturne, Soleil, Jupiter, Mars), V{"_JUP MAR"});

  EXPECT_EQ(CleRechercheDirecte(Soleil, MilieuDuCiel, 0), "");
  EXPECT_EQ(CleRechercheDirecte(MilieuDuCiel, Soleil, 0), "_MC. SOL");
  EXPECT_EQ(CleRechercheDirecte(Soleil, Soleil, Soleil), "");
  EXPECT_EQ(CleRechercheDirecte(Soleil, Soleil, Mars), "_SOL SOL MAR");

  EXPECT_EQ(CleMiPoint(Saturne, Soleil), "_SOL SAT");
  EXPECT_EQ(CleMiPoint(Soleil, MilieuDuCiel, Lune), "_MC. SOL LUN");
  for (const auto& [cle, ordre] : std::vector<std::pair<const char*, bool>>{
           {"_SOL SAT", true}, {"_SAT SOL", false}, {"_SOL SOL MAR", true}, {"_MC. SOL", true},
           {"_SOL Vx", true}, {"_Vx SOL LUN", false}, {"_VPT MC.", true}, {"_XYZ SOL", false},
           {"_SOL", false}, {"SOL SAT", false}})
    EXPECT_EQ(CleDansLOrdre(cle), ordre) << cle;
}

class FichierInstalle : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    octets_ = new std::string(LireOctets(Installe("ZadadAduZi.int")));
    fichier_ = new FichierInterpretation(*octets_);
  }
  static void TearDownTestSuite() {
    delete fichier_;
    delete octets_;
  }
  static std::string* octets_;
  static FichierInterpretation* fichier_;
};
std::string* FichierInstalle::octets_ = nullptr;
FichierInterpretation* FichierInstalle::fichier_ = nullptr;

TEST_F(FichierInstalle, ChaqueCleDesRecherchesTrouveUneSeuleEntree) {
  const std::set<std::string> cles = ToutesLesClesDesRecherches();
  ASSERT_GT(cles.size(), 6000u);
  int manquantes = 0;
  for (const std::string& cle : cles) {
    const auto textes = fichier_->Chercher(cle, Mode::Tous);
    if (textes.size() != 1 || textes[0].size() < 40) {
      if (++manquantes <= 10) ADD_FAILURE() << cle << " : " << textes.size() << " entrée(s)";
    }
  }
  EXPECT_EQ(manquantes, 0);
  EXPECT_EQ(fichier_->Chercher("_SOL Vx", Mode::Premier).size(), 1u);
  EXPECT_EQ(fichier_->Chercher("_sol lun", Mode::Premier).size(), 0u);
}

// Each search visits a pair of targets in both orders; over the two visits exactly one entry
// answers, for every reference the window allows (no hit lost, none twice). Only the
// reference itself is no hit: the Sun/Moon pair for the Sun/Moon searches, the point brought
// for the point searches, the source midpoint, in either order, for the chosen midpoints.
TEST_F(FichierInstalle, ChaqueMiPointEtImageUneFoisParRecherche) {
  std::set<std::string> presentes;
  for (const std::string& l : fichier_->Lignes())
    if (!l.empty() && l[0] == '_') presentes.insert(l);
  using Cles = std::function<std::vector<std::string>(int, int)>;
  struct Recherche {
    std::string nom;
    Cles cles;
    std::set<int> reference;  // the target that is the reference itself
  };
  std::vector<Recherche> recherches = {{"Soleil/Lune natal", ClesSolLunNatal, {Soleil, Lune}},
                                       {"Soleil/Lune dirigé", ClesSolLunDirige, {Soleil, Lune}}};
  const int nbListe = 22;  // the lists show the display order without the Vertex
  for (int j = 0; j < nbListe; ++j) {
    const int p = OrdreUranien[j];
    recherches.push_back({std::string("dirigé ") + Codes3[p],
                          [p](int q, int r) { return ClesPointsDiriges(p, q, r); }, {p}});
    recherches.push_back({std::string("natal ") + Codes3[p],
                          [p](int q, int r) { return ClesPointsNatal(p, q, r); }, {p}});
  }
  for (int i = 0; i < nbListe - 1; ++i)
    for (int k = 1; k < nbListe; ++k) {
      const int a = OrdreUranien[i], b = OrdreUranien[k];
      recherches.push_back({std::string("source ") + Codes3[a] + "/" + Codes3[b],
                            [a, b](int q, int r) { return ClesMiPointsChoisis(a, b, q, r); }, {a, b}});
    }
  int fautes = 0;
  for (const Recherche& s : recherches)
    for (int q = 1; q <= PointBelier; ++q)
      for (int r = q; r <= PointBelier; ++r) {
        std::vector<std::string> cles = s.cles(q, r);
        if (q != r) {
          const std::vector<std::string> autres = s.cles(r, q);
          cles.insert(cles.end(), autres.begin(), autres.end());
        }
        const auto trouvees = std::count_if(cles.begin(), cles.end(),
                                            [&](const std::string& c) { return presentes.count(c) > 0; });
        const std::size_t attendues = s.reference == std::set<int>{q, r} ? 0 : 1;
        if (static_cast<std::size_t>(trouvees) != attendues && ++fautes <= 10)
          ADD_FAILURE() << s.nom << ", cible " << Codes3[q] << "/" << Codes3[r] << " : " << trouvees
                        << " entrée(s) sur " << cles.size() << " clé(s)";
      }
  EXPECT_EQ(fautes, 0);
}

// Every line beginning with "_" is a key of the grammar (no stray blank that would make the
// next entry part of a text), its first two points in display order, each key once, and every
// text is distinct from the others. The keys are exactly one per midpoint and per picture.
TEST_F(FichierInstalle, ClesBienFormeesUniquesEtTextesDistincts) {
  std::map<std::string, std::string> entrees;
  std::string cle;
  const auto& lignes = fichier_->Lignes();
  ASSERT_FALSE(lignes.empty());
  ASSERT_EQ(lignes[0][0], '_') << "texte avant la première clé";
  for (const std::string& l : lignes) {
    if (!l.empty() && l[0] == '_') {
      std::vector<std::string> codes;
      std::istringstream s(l.substr(1));
      for (std::string c; std::getline(s, c, ' ');) codes.push_back(c);
      bool connus = codes.size() == 2 || codes.size() == 3;
      for (const std::string& c : codes)
        connus = connus && std::find_if(Codes3.begin() + 1, Codes3.end(),
                                        [&c](const char* k) { return c == k; }) != Codes3.end();
      EXPECT_TRUE(connus) << "clé mal formée : [" << l << "]";
      EXPECT_TRUE(CleDansLOrdre(l)) << "clé à l'envers : " << l;
      EXPECT_EQ(entrees.count(l), 0u) << "clé en double : " << l;
      cle = l;
      entrees[cle];
      continue;
    }
    const auto premier = l.find_first_not_of(" \t");
    EXPECT_FALSE(premier != std::string::npos && l[premier] == '_') << "clé décalée : [" << l << "]";
    entrees[cle] += l;
  }
  std::map<std::string, std::string> proprietaire;
  for (const auto& [k, texte] : entrees) {
    EXPECT_EQ(texte.find("  "), std::string::npos) << k;
    auto [it, nouveau] = proprietaire.emplace(texte, k);
    EXPECT_TRUE(nouveau) << k << " répète le texte de " << it->second;
  }
  // A/B and A/B = C for A no later than B; A/A by itself, but not A/A = A, which no search
  // builds and the direct lookup refuses.
  std::set<std::string> attendues, lues;
  for (std::size_t i = 0; i < OrdreUranien.size(); ++i)
    for (std::size_t k = i; k < OrdreUranien.size(); ++k) {
      const int a = OrdreUranien[i], b = OrdreUranien[k];
      attendues.insert(CleInterpretation(a, b));
      for (int c = 1; c <= PointBelier; ++c)
        if (!(a == b && b == c)) attendues.insert(CleInterpretation(a, b, c));
    }
  for (const auto& e : entrees) lues.insert(e.first);
  EXPECT_EQ(attendues.size(), 23u * 24u / 2u * 24u - 23u);
  EXPECT_TRUE(lues == attendues) << lues.size() << " clés lues, " << attendues.size() << " attendues";
}

// Windows-1252 bytes only (none of the five codes the page leaves undefined, no control
// character but the CR LF line ends), and no text encoded twice from UTF-8.
TEST_F(FichierInstalle, Windows1252AvecFinsDeLigneCrLf) {
  const std::string& o = *octets_;
  ASSERT_GE(o.size(), 2u);
  EXPECT_EQ(o.substr(o.size() - 2), "\r\n");
  for (std::size_t i = 0; i < o.size(); ++i) {
    const auto c = static_cast<unsigned char>(o[i]);
    const bool finDeLigne = (c == '\r' && i + 1 < o.size() && o[i + 1] == '\n') ||
                            (c == '\n' && i > 0 && o[i - 1] == '\r');
    if (!finDeLigne && !OctetDeTexte(o[i])) FAIL() << "octet " << int(c) << " à " << i;
    if (c == 0xC3 && i + 1 < o.size() && static_cast<unsigned char>(o[i + 1]) >= 0x80)
      FAIL() << "texte en UTF-8 à " << i;
  }
  const std::string texte = fichier_->Chercher("_SOL LUN", Mode::Premier).at(0);
  EXPECT_NE(texte.find("\xE9"), std::string::npos) << "accents attendus (é)";
}

TEST(FormesImages, LectureRefuseLesEnregistrementsCorrompus) {
  std::string bon(TailleFormeImage, ' ');
  bon[0] = 5;
  bon.replace(1, 5, "Texte");
  bon[101] = 'A', bon[102] = 'B', bon[103] = 'E', bon[104] = 6;
  bon.replace(105, 6, "030408");
  const LectureFormes lue = LireFormesImages(bon + bon);
  ASSERT_TRUE(lue.Ok()) << lue.Erreur;
  ASSERT_EQ(lue.Formes.size(), 2u);
  EXPECT_EQ(lue.Formes[1].Texte, "Texte");
  EXPECT_EQ(lue.Formes[1].C, 'E');
  EXPECT_EQ(lue.Formes[1].Cle, "030408");
  EXPECT_TRUE(LireFormesImages("").Ok());

  std::string texteTropLong = bon, cleTropLongue = bon;
  texteTropLong[0] = 101;
  cleTropLongue[104] = 7;
  for (const std::string& mauvais : {bon.substr(0, 110), bon + texteTropLong, bon + cleTropLongue}) {
    const LectureFormes l = LireFormesImages(mauvais);
    EXPECT_FALSE(l.Ok());
    EXPECT_LE(l.Formes.size(), 1u);
  }
}

// Each theme loads with at least a few pictures whose letters are points and whose key is the
// one "Trier" needs; "11.frm" holds every picture of the ten themes.
TEST(FormesImages, OnzeFichiersNonVidesEtTriesParCle) {
  using Rangs = std::tuple<int, int, int>;
  using Image = std::tuple<std::string, char, char, char>;
  std::set<Image> desDix, deLOnze;
  for (int n = 1; n <= 11; ++n) {
    const std::string nom = std::to_string(n) + ".frm";
    const LectureFormes l = LireFormesImages(LireOctets(Installe(nom)));
    ASSERT_TRUE(l.Ok()) << nom << " : " << l.Erreur;
    EXPECT_GE(l.Formes.size(), 5u) << nom;
    std::vector<std::pair<std::string, Rangs>> cles;
    for (const FormeImage& f : l.Formes) {
      const int a = CorpsDeLettre(f.A), b = CorpsDeLettre(f.B), c = CorpsDeLettre(f.C);
      ASSERT_TRUE(a && b && c) << nom << " : " << f.Texte;
      EXPECT_FALSE(f.Texte.empty()) << nom;
      EXPECT_TRUE(std::all_of(f.Texte.begin(), f.Texte.end(), OctetDeTexte)) << nom << " : " << f.Texte;
      EXPECT_EQ(f.Cle, CleDeTriForme(a, b, c)) << nom << " : " << f.Texte;
      cles.push_back({f.Cle, {RangUranien(a), RangUranien(b), RangUranien(c)}});
      (n <= 10 ? desDix : deLOnze).insert({f.Texte, f.A, f.B, f.C});
    }
    // Sorting on the key text ("Trier") is sorting on the display ranks of A, then B, then C.
    auto parTexte = cles, parRangs = cles;
    std::stable_sort(parTexte.begin(), parTexte.end(), [](auto& x, auto& y) { return x.first < y.first; });
    std::stable_sort(parRangs.begin(), parRangs.end(), [](auto& x, auto& y) { return x.second < y.second; });
    EXPECT_EQ(parTexte, parRangs) << nom;
    if (n == 11) {
      EXPECT_TRUE(std::is_sorted(cles.begin(), cles.end())) << "11.frm dans l'ordre des clés";
    }
  }
  EXPECT_EQ(deLOnze, desDix);
}

}  // namespace
