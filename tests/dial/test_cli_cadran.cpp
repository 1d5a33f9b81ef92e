#include <gtest/gtest.h>
#include <swephexp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/Temps.h"

// selvane-cli dial and tree run as a user runs them; their output checked against the chart
// command's positions and the ephemeris library called directly.
using namespace selvane;

namespace {

struct Resultat {
  int statut = -1;
  std::string sortie, erreur;
};

std::string Lire(const std::filesystem::path& f) {
  std::ifstream in(f, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A folder of this process alone, gone when it ends: other checkouts run these tests side by side.
struct DossierDuProcessus {
  std::filesystem::path chemin;
  DossierDuProcessus() {
    std::string modele = (std::filesystem::temp_directory_path() / "cli_cadran_XXXXXX").string();
    if (::mkdtemp(modele.data())) chemin = modele;
  }
  ~DossierDuProcessus() {
    std::error_code ignoree;
    if (!chemin.empty()) std::filesystem::remove_all(chemin, ignoree);
  }
};

std::string Temporaire(const std::string& nom) {
  static const DossierDuProcessus dossier;
  if (dossier.chemin.empty()) ADD_FAILURE() << "pas de dossier temporaire";
  return (dossier.chemin / nom).string();
}

Resultat Lancer(const std::string& arguments) {
  const std::string o = Temporaire("sortie.txt"), e = Temporaire("erreur.txt");
  const std::string commande = std::string("'") + SELVANE_CLI + "' " + arguments + " >'" + o + "' 2>'" + e + "'";
  Resultat r;
  const int brut = std::system(commande.c_str());
  r.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
  r.sortie = Lire(o);
  r.erreur = Lire(e);
  std::filesystem::remove(o);
  std::filesystem::remove(e);
  return r;
}

std::vector<std::vector<std::string>> Lignes(const std::string& csv) {
  std::vector<std::vector<std::string>> lignes;
  std::istringstream in(csv);
  std::string ligne;
  while (std::getline(in, ligne)) {
    std::vector<std::string> champs;
    std::size_t debut = 0;
    for (;;) {
      const std::size_t p = ligne.find(',', debut);
      champs.push_back(ligne.substr(debut, p == std::string::npos ? std::string::npos : p - debut));
      if (p == std::string::npos) break;
      debut = p + 1;
    }
    lignes.push_back(champs);
  }
  return lignes;
}

const char* const Naissance = "--date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00";
const char* const Moment = "--at 10/12/2026 --at-time 14h20m07 --at-zone 01.00.00";

// Longitudes (degrees) of the 24 bodies from `chart`, and its UT Julian day.
struct Theme {
  double l[25] = {};
  double jourUT = 0;
};
Theme Chart(const std::string& arguments) {
  const Resultat r = Lancer("chart " + arguments);
  EXPECT_EQ(r.statut, 0) << r.erreur;
  Theme t;
  for (const auto& c : Lignes(r.sortie)) {
    if (c.size() >= 3 && c[0] == "body") t.l[std::stoi(c[1])] = std::stod(c[2]);
    if (c.size() >= 3 && c[0] == "jd_ut") t.jourUT = std::stod(c[2]);
  }
  return t;
}

// The dial's rows of one kind (natal, arc, transit) and its scalars.
std::map<std::string, double> Scalaires(const std::string& csv) {
  std::map<std::string, double> s;
  for (const auto& c : Lignes(csv))
    if (c.size() == 5 && c[1] == "0") s[c[0]] = std::stod(c[2]);
  return s;
}

double Ecart(double a, double b) { return std::remainder(a - b, 360.0); }

}  // namespace

TEST(CliCadran, LignesEtAnglesDesTroisAnneaux) {
  const Resultat r = Lancer(std::string("dial ") + Naissance + " " + Moment + " --harmonic 4");
  ASSERT_EQ(r.statut, 0) << r.erreur;
  const auto lignes = Lignes(r.sortie);
  ASSERT_EQ(lignes.size(), 3u + 1 + 72);
  EXPECT_EQ(r.sortie.substr(0, r.sortie.find('\n')), "kind,index,longitude,dial_angle,spread_angle");
  const Theme natal = Chart(Naissance);
  const Theme transit = Chart("--date 10/12/2026 --time 14h20m07 --lat 48.52 --long 2.20 --zone 01.00.00");
  const double arc = Scalaires(r.sortie).at("solar_arc");
  for (const auto& c : lignes) {
    if (c[0] != "natal" && c[0] != "arc" && c[0] != "transit") continue;
    const int b = std::stoi(c[1]);
    SCOPED_TRACE(c[0] + " " + c[1]);
    const double l = std::stod(c[2]), angle = std::stod(c[3]);
    const double attendu = c[0] == "natal" ? natal.l[b] : c[0] == "transit" ? transit.l[b] : natal.l[b] + arc;
    EXPECT_NEAR(Ecart(l, attendu), 0, 2e-6);
    EXPECT_NEAR(Ecart(angle, b == PointBelier && c[0] != "arc" ? 0 : 4 * l), 0, 1e-4);
    EXPECT_LE(std::fabs(Ecart(std::stod(c[4]), angle)), 60.0);  // spread, not moved across the dial
  }
  EXPECT_NEAR(Scalaires(r.sortie).at("jd_ut"), JourJulien(10, 12, 2026, (14 + 20 / 60.0 + 7 / 3600.0 - 1) / 24), 1e-8);
}

TEST(CliCadran, ArbreContreLesPositionsDuTheme) {
  // The tree of a natal body over the natal, then the transit layer, recomputed from the
  // positions `chart` gives: every body or midpoint (the command's planet set holds bodies
  // 1..20, so every pair counts) within the orb of the body or of the point 45° on.
  const Theme natal = Chart(Naissance);
  const Theme transit = Chart("--date 10/12/2026 --time 14h20m07 --lat 48.52 --long 2.20 --zone 01.00.00");
  struct Cas { const char* vers; const Theme* couche; int corps; int indexOrbe; };
  const Cas cas[] = {{"natal", &natal, Soleil, 8}, {"transit", &transit, Soleil, 8}, {"transit", &transit, Mars, 20}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(testing::Message() << c.vers << " " << c.corps);
    const Resultat r = Lancer(std::string("tree ") + Naissance + " " + Moment + " --from natal --to " + c.vers +
                              " --body " + std::to_string(c.corps) + " --orb-index " + std::to_string(c.indexOrbe));
    ASSERT_EQ(r.statut, 0) << r.erreur;
    const double orbe = (c.indexOrbe + 1) * 5.0 / 60.0;
    const double ref = natal.l[c.corps];
    std::map<std::pair<int, int>, double> attendus;
    for (int u = 1; u <= NbCorps; ++u) {
      if (u != c.corps && std::fabs(std::remainder(ref - c.couche->l[u], 45.0)) <= orbe)
        attendus[{u, 0}] = std::remainder(ref - c.couche->l[u], 45.0);
      for (int w = u + 1; w <= NbCorps; ++w) {
        const double m = MiPoint(c.couche->l[u] * DegEnRad, c.couche->l[w] * DegEnRad) * RadEnDeg;
        const double d = std::remainder(ref - m, 45.0);
        if (std::fabs(d) <= orbe) attendus[{u, w}] = d;
      }
    }
    std::map<std::pair<int, int>, double> trouves;
    double precedent = -1e9;
    const auto lignes = Lignes(r.sortie);
    ASSERT_FALSE(lignes.empty());
    EXPECT_EQ(r.sortie.substr(0, r.sortie.find('\n')), "harmonic,body1,body2,offset_deg,offset_text");
    for (std::size_t i = 1; i < lignes.size(); ++i) {
      const auto& l = lignes[i];
      ASSERT_EQ(l.size(), 5u);
      EXPECT_EQ(l[0], "4");
      const double ecart = std::stod(l[3]);
      EXPECT_GE(ecart, precedent - 1e-4);  // ordered by offset
      precedent = ecart;
      trouves[{std::stoi(l[1]), l[2].empty() ? 0 : std::stoi(l[2])}] = ecart;
      EXPECT_EQ(l[4].substr(0, 1), ecart >= 0 ? ">" : "-");
    }
    ASSERT_EQ(trouves.size(), attendus.size());
    for (const auto& [cle, d] : attendus) {
      ASSERT_TRUE(trouves.count(cle)) << cle.first << "/" << cle.second;
      // The offset is from the reference or from the point half a dial away.
      const double vu = trouves[cle];
      EXPECT_NEAR(std::fabs(vu - d) < 1e-3 ? vu : std::remainder(vu - d, 45.0) + d, d, 1e-5)
          << cle.first << "/" << cle.second;
    }
  }
}

TEST(CliCadran, RetoursAuLieuNatalSelonLaLibrairie) {
  const Theme natal = Chart(Naissance);
  struct Cas { std::string options; int corpsSwe; double natalDeg; bool precession; double quart; };
  const Cas cas[] = {{"--solar-return 1992", SE_SUN, natal.l[Soleil], false, 0},
                     {"--solar-return 1992 --precession", SE_SUN, natal.l[Soleil], true, 0},
                     {"--solar-return 2030 --quarter 2", SE_SUN, natal.l[Soleil], false, 180},
                     {"--lunar-return 10/12/2026", SE_MOON, natal.l[Lune], false, 0},
                     {"--lunar-return 10/12/2026 --precession", SE_MOON, natal.l[Lune], true, 0}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.options);
    const Resultat r = Lancer(std::string("dial ") + Naissance + " " + c.options);
    ASSERT_EQ(r.statut, 0) << r.erreur;
    const double jd = Scalaires(r.sortie).at("jd_ut");
    double x[6];
    char erreur[256];
    swe_calc(jd + DeltaT(jd), c.corpsSwe, SEFLG_SPEED, x, erreur);
    const double cible = c.natalDeg + c.quart + (c.precession ? CorrectionPrecession(jd, natal.jourUT) * RadEnDeg : 0);
    EXPECT_LT(std::fabs(Ecart(x[0], cible)) * 3600, 5.0);
  }
}

TEST(CliCadran, ArcDonneDe0A120) {
  for (int arc : {0, 120}) {
    const Resultat r = Lancer(std::string("dial ") + Naissance + " --arc " + std::to_string(arc));
    ASSERT_EQ(r.statut, 0) << r.erreur;
    EXPECT_NEAR(Scalaires(r.sortie).at("solar_arc"), arc, 1.0 / 60);
  }
}

TEST(CliCadran, ArcDonneEtImage) {
  const std::string png = Temporaire("cadran.png");
  const Resultat r = Lancer(std::string("dial ") + Naissance + " --arc 30 --harmonic 16 --png '" + png + "' --size 600");
  ASSERT_EQ(r.statut, 0) << r.erreur;
  EXPECT_NEAR(Scalaires(r.sortie).at("solar_arc"), 30.0, 1.0 / 60);
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.size(), QSize(600, 600));
  std::filesystem::remove(png);
}

TEST(CliCadran, MauvaisesEntrees) {
  struct Cas { std::string arguments; std::string message; };
  const std::string n = Naissance;
  const Cas cas[] = {
      {"dial " + n + " " + Moment + " --harmonic 5", "Harmonique incorrect : 5 (1, 4, 8, 12, 16 ou 32)"},
      {"dial " + n + " --at 31/02/2001 --at-time 12h00m00 --at-zone 0", "31/02/2001 : date incorrecte"},
      {"dial " + n + " --at 01/02/2001 --at-time 25h00m00 --at-zone 0", "25h00m00 : heure incorrecte"},
      {"dial " + n + " --at 01/02/2001 --at-time 12h00m00 --at-zone 1-2", "Erreur dans l'écriture du fuseau"},
      {"dial " + n + " --at 01/02/2001 --at-time 12h00m00 --at-zone 0 --at-lat 95.00", "latitude"},
      {"dial " + n, "Donnez le moment avec une seule de --at, --solar-return, --lunar-return ou --arc"},
      {"dial " + n + " --arc abc", "N'entrez que des chiffres !"},
      {"dial " + n + " --arc 12a", "N'entrez que des chiffres !"},
      {"dial " + n + " --arc 400", "Entrez un nombre entier entre 0 et 120 : 400"},
      {"dial " + n + " --arc 121", "Entrez un nombre entier entre 0 et 120 : 121"},
      {"dial " + n + " --arc -1", "Entrez un nombre entier entre 0 et 120 : -1"},
      // The dial writes its moments with four year digits: no year before 1.
      {"dial " + n + " --solar-return -500", "Année incorrecte : -500 (1 à 5399)"},
      {"dial " + n + " --solar-return 0", "Année incorrecte : 0 (1 à 5399)"},
      {"dial " + n + " --solar-return 5400", "Année incorrecte : 5400 (1 à 5399)"},
      {"dial " + n + " --lunar-return 01/01/-500", "Année incorrecte : -500 (1 à 5399)"},
      {"dial " + n + " --at 01/01/-500 --at-time 12h00m00 --at-zone 0", "Année incorrecte : -500 (1 à 5399)"},
      {"dial " + n + " --lunar-return 32/01/2020", "32/01/2020 : date incorrecte"},
      {"dial " + n + " " + Moment + " --png '" + Temporaire("x.png") + "' --size 10",
       "Taille incorrecte : 10 (200 à 8000 pixels)"},
      {"dial --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00 " + std::string(Moment),
       "Option obligatoire manquante : --date"},
      {"tree " + n + " " + Moment, "Donnez la référence avec --body ou --angle"},
      {"tree " + n + " " + Moment + " --body 25", "Numéro de corps incorrect : 25 (1 à 24)"},
      {"tree " + n + " " + Moment + " --body 1 --to lune", "Couche inconnue : lune (natal, arc ou transit)"},
      {"tree " + n + " " + Moment + " --angle 1x", "Angle incorrect : 1x"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.arguments);
    const Resultat r = Lancer(c.arguments);
    EXPECT_EQ(r.statut, 2);
    EXPECT_NE(r.erreur.find(c.message), std::string::npos) << r.erreur;
    EXPECT_TRUE(r.sortie.empty());
  }
  EXPECT_FALSE(std::filesystem::exists(Temporaire("x.png")));  // a refused size draws nothing
}

TEST(CliCadran, ArbreDUnAngleLibreEtSousHarmoniques) {
  // A free point at 15°: the same rows as the tree of a body standing there. With
  // "H+++" rows of H8 and H16 join, one per key.
  const Resultat libre = Lancer(std::string("tree ") + Naissance + " " + Moment + " --to natal --angle 15 --subharmonics");
  ASSERT_EQ(libre.statut, 0) << libre.erreur;
  std::set<std::string> harmoniques;
  std::set<std::pair<std::string, std::string>> cles;
  const auto lignes = Lignes(libre.sortie);
  for (std::size_t i = 1; i < lignes.size(); ++i) {
    harmoniques.insert(lignes[i][0]);
    EXPECT_TRUE(cles.insert({lignes[i][1], lignes[i][2]}).second) << lignes[i][1] << "/" << lignes[i][2];
  }
  for (const std::string& h : harmoniques) EXPECT_TRUE(h == "4" || h == "8" || h == "16") << h;
}
