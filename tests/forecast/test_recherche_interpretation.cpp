// The five searches, the headings, the messages and the direct lookup, on charts placed by hand
// and on the installed file against a second, plain implementation of the searches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "birthdata/records/ErreurFichier.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "data/textes/ClesInterpretation.h"
#include "forecast/Interpretation.h"
#include "forecast/RechercheInterpretation.h"
#include "tests/support/DossierProgramme.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

using Lignes = std::vector<std::string>;

OuvrirInterpretation Fixture(const std::string& octets) {
  return [octets] { return std::make_unique<IndexInterpretation>(octets); };
}

// A chart whose points sit far from each other's midpoints on the 22°30' circle unless a test
// places them: every point at a multiple of 22.5° plus its own offset.
DemandeInterpretation Demande(int technique = TechNatal) {
  DemandeInterpretation d;
  d.technique = technique;
  d.nomAffiche = "DUPONT Jean";
  d.ligneDateNatale = "07/03/1952 \xE0 14h05m30 (GMT+01.00.00)";
  d.villeNatale = "Paris";
  d.coordonneesNatales = "48N52 - 02E20";
  for (int c = 1; c <= PointBelier; ++c) d.cible[c] = d.dirige[c] = 0;
  return d;
}

double Deg(double x) { return x * DegEnRad; }

// The rows of a search: the lines after the headings, header then text.
std::vector<std::pair<std::string, std::string>> Rangees(const Lignes& l, std::size_t entetes) {
  std::vector<std::pair<std::string, std::string>> r;
  for (std::size_t i = entetes; i + 3 <= l.size(); i += 3) {
    EXPECT_EQ(l[i], " ");
    r.emplace_back(l[i + 1], l[i + 2]);
  }
  return r;
}

TEST(RechercheInterpretation, SolLunNatalAvecSesEntetes) {
  // Sun 10°, Moon 30°: the Sun/Moon midpoint at 20°.
  DemandeInterpretation d = Demande();
  d.cible[Soleil] = Deg(10);
  d.cible[Lune] = Deg(30);
  d.cible[Mars] = Deg(8.75 + 45);        // 11°15' away: indirect, orb 0
  d.cible[Jupiter] = Deg(20.99 + 90);     // 0.99°
  d.cible[Saturne] = Deg(21.01 + 90);     // 1.01°
  for (int c : {Mercure, Venus, Uranus, Neptune, Pluton}) d.cible[c] = Deg(3 + c * 22.5);
  d.indexOrbe = 5;
  d.indirects = true;
  const std::string texte =
      "_LUN SOL\r\nLune et Soleil.\r\n_SOL LUN MAR\r\nMars\r\n_SOL LUN JUP\r\nJupiter\r\n"
      "_SOL LUN SAT\r\nSaturne\r\n_SOL LUN SOL\r\nSoleil seul\r\n";
  Lignes l;
  const IssueInterpretation issue = EcrireInterpretation(d, Fixture(texte), l);
  EXPECT_EQ(issue.genre, GenreMessage::Aucun);
  const Lignes attendu = {
      "DUPONT Jean",
      "Th\xE8me de naissance :   07/03/1952 \xE0 14h05m30 (GMT+01.00.00)",
      "Paris  48N52 - 02E20",
      "Mi-points uraniens \xE0 22\xB0" "30   : Orbe 1\xB0",
      "     ",
      // Sorted by orb, equal orbs in the order found: the Moon/Sun pair and Mars, then Jupiter.
      " ", "Soleil/Lune = Lune/Soleil. 20\xB0" "00'    Orbe :  00\xB0" "00'", "Lune et Soleil.",
      " ", "Soleil/Lune(i) = Mars. 08\xB0" "45'    Orbe :  00\xB0" "00'", "Mars",
      " ", "Soleil/Lune = Jupiter. 20\xB0" "00'    Orbe :  00\xB0" "59'", "Jupiter",
  };
  EXPECT_EQ(l, attendu);
}

TEST(RechercheInterpretation, LesOrbesDeLaListeNeSontPasDesMinutesRondes) {
  struct Cas {
    int index;
    double distance;
    bool liste;
  } cas[] = {{0, 0.1666, true}, {0, 0.1668, false}, {2, 0.4999, true}, {2, 0.5001, false},
             {5, 0.99, true}, {5, 1.01, false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.index) + " " + std::to_string(c.distance));
    DemandeInterpretation d = Demande();
    d.cible[Soleil] = Deg(10);
    d.cible[Lune] = Deg(30);
    for (int k = Mercure; k <= PointBelier; ++k) d.cible[k] = Deg(9 + k * 22.5);  // 11° away
    d.cible[Jupiter] = Deg(20 - c.distance);
    d.indexOrbe = c.index;
    Lignes l;
    EcrireInterpretation(d, Fixture("_SOL LUN JUP\r\nJ\r\n"), l);
    EXPECT_EQ(l.size(), c.liste ? 8u : 5u);
  }
}

TEST(RechercheInterpretation, LesPointsDirigesEtLePointVernalDesTransits) {
  for (int technique : {TechArcSolaire, TechTransits}) {
    SCOPED_TRACE(technique);
    DemandeInterpretation d = Demande(technique);
    d.modeDe = DePointsChoisis;
    d.pointsChoisis.set(PointBelier).set(Soleil);
    d.champDate = "01/01/2020";
    d.champHeure = "12h00";
    d.ligneArc = "67\xB0" "12'";
    for (int k = 1; k <= PointBelier; ++k) d.cible[k] = Deg(5 + k * 22.5);
    d.cible[Mars] = Deg(4);          // natal Mars/Saturn midpoint at 4.5°: the directed Sun there
    d.cible[Saturne] = Deg(5);
    d.dirige[Soleil] = Deg(4.5 + 22.5 * 3);
    d.dirige[PointBelier] = 0;
    d.cible[Lune] = Deg(22.5 * 7);   // natal Moon at 0°: the Aries point on it
    const std::string texte = "_MAR SAT SOL\r\nSoleil dirige\r\n_SAT MAR SOL\r\nbis\r\n_VPT VPT LUN\r\nVernal\r\n";
    Lignes l;
    EcrireInterpretation(d, Fixture(texte), l);
    ASSERT_GE(l.size(), 5u);
    EXPECT_EQ(l[1], "Naissance le :  07/03/1952 \xE0 14h05m30 (GMT+01.00.00)");
    EXPECT_EQ(l[2], technique == TechArcSolaire ? "Arc solaire pour le  :  01/01/2020. Arc = 67\xB0" "12'"
                                                : "Transits pour le  :  01/01/2020 \xE0 12h00");
    EXPECT_EQ(l[4], "    ");
    const auto r = Rangees(l, 5);
    std::vector<std::string> entetes;
    for (const auto& x : r) entetes.push_back(x.first);
    std::vector<std::string> attendu = {"Soleil = Mars/Saturne. 04\xB0" "30'    Orbe :  00\xB0" "00'",
                                        "Soleil = Saturne/Mars. 04\xB0" "30'    Orbe :  00\xB0" "00'"};
    if (technique == TechArcSolaire) attendu.push_back("Pt. Vernal = Lune. 00\xB0" "00'    Orbe :  00\xB0" "00'");
    EXPECT_EQ(entetes, attendu);
  }
}

TEST(RechercheInterpretation, MiPointsCiblesChoisisTestentLesCombinaisonsCroisees) {
  const auto cibles = CiblesDesMiPoints({{Soleil, Mars}, {Jupiter, Saturne}});
  DemandeInterpretation d = Demande();
  d.modeDe = DePointsChoisis;
  d.pointsChoisis.set(Lune);
  d.tousMiPoints = false;
  d.ciblesA = cibles.first;
  d.ciblesB = cibles.second;
  for (int k = 1; k <= PointBelier; ++k) d.cible[k] = Deg(7 + k * 22.5);
  d.cible[Soleil] = Deg(0);
  d.cible[Saturne] = Deg(6);
  d.cible[Jupiter] = Deg(10);
  d.cible[Mars] = Deg(14);
  d.cible[Lune] = Deg(3 + 45);  // on Sun/Saturn (3°); Jupiter/Mars is at 12°
  const std::string texte = "_SOL SAT LUN\r\nA\r\n_SAT SOL LUN\r\nB\r\n_JUP MAR LUN\r\nC\r\n";
  Lignes l;
  EcrireInterpretation(d, Fixture(texte), l);
  const auto r = Rangees(l, 5);
  ASSERT_EQ(r.size(), 1u);  // only (Sun, Saturn): Saturn is never a first member
  EXPECT_EQ(r[0].first, "Lune = Soleil/Saturne. 03\xB0" "00'    Orbe :  00\xB0" "00'");
  d.cible[Lune] = Deg(12);
  EcrireInterpretation(d, Fixture(texte), l);
  ASSERT_EQ(Rangees(l, 5).size(), 1u);
  EXPECT_EQ(Rangees(l, 5)[0].second, "C");
}

TEST(RechercheInterpretation, MiPointsSourcesSignificationsEtPairesSignaleesUneFois) {
  DemandeInterpretation d = Demande();
  d.modeDe = DeMiPointsChoisis;
  d.miPointsSource = {{Soleil, Lune}, {Mercure, Venus}};
  for (int k = 1; k <= PointBelier; ++k) d.cible[k] = Deg(7 + k * 22.5);
  d.cible[Soleil] = Deg(0);
  d.cible[Lune] = Deg(20);     // Sun/Moon at 10°
  d.cible[Mercure] = Deg(5);
  d.cible[Venus] = Deg(15);    // Mercury/Venus at 10° too
  d.cible[Mars] = Deg(8);
  d.cible[Jupiter] = Deg(12);  // Mars/Jupiter at 10°
  d.cible[Saturne] = Deg(10 + 45);
  const std::string texte =
      "_SOL LUN\r\nSens SL\r\n_MER VEN\r\nSens MV\r\n_MAR JUP\r\nMJ\r\n_JUP MAR\r\nJM\r\n"
      "_SOL LUN SAT\r\nSL=Sa\r\n_MER VEN SAT\r\nMV=Sa\r\n";
  Lignes l;
  EcrireInterpretation(d, Fixture(texte), l);
  const Lignes meanings(l.begin() + 5, l.begin() + 13);
  EXPECT_EQ(meanings, (Lignes{"   ***   Signification g\xE9n\xE9rale des mi-points s\xE9lectionn\xE9s  ***",
                              "Soleil/Lune : ", "Sens SL", "", "Mercure/V\xE9nus : ", "Sens MV", "",
                              "   *************************************************************"}));
  std::multiset<std::string> textes;
  for (const auto& x : Rangees(l, 13)) textes.insert(x.second);
  // Mars/Jupiter and Jupiter/Mars once each although both sources hit them, each source on the
  // other once, and the single point Saturn for each source.
  EXPECT_EQ(textes, (std::multiset<std::string>{"Sens MV", "MJ", "JM", "SL=Sa", "Sens SL", "MV=Sa"}));
}

// Five source midpoints on a chart whose points all coincide: every pair is hit by every source,
// far more pairs than a table of 51 would hold; each is still reported once.
TEST(RechercheInterpretation, PairesSignaleesAuDelaDe51) {
  DemandeInterpretation d = Demande();
  d.modeDe = DeMiPointsChoisis;
  d.miPointsSource = {{Soleil, Lune}, {Mercure, Venus}, {Mars, Jupiter}, {Saturne, Uranus}, {Neptune, Pluton}};
  std::string texte;
  for (int q = 1; q <= PointBelier; ++q) {
    for (int r = 1; r <= PointBelier; ++r) texte += CleInterpretation(q, r) + "\r\nx\r\n";
    for (const PaireCorps& m : d.miPointsSource) texte += CleInterpretation(m.first, m.second, q) + "\r\ny\r\n";
  }
  Lignes l;
  EcrireInterpretation(d, Fixture(texte), l);
  std::multiset<std::string> entetes;
  std::size_t paires = 0, seuls = 0;
  for (const auto& r : Rangees(l, 5 + 2 + 3 * d.miPointsSource.size())) {
    const std::string cible = r.first.substr(r.first.find(" = ") + 3);
    entetes.insert(cible);
    (cible.find('/') != std::string::npos ? paires : seuls)++;
  }
  EXPECT_EQ(paires, 23u * 22u);  // every ordered pair once, over all sources
  EXPECT_EQ(seuls, 23u * 5u);     // every single point for each source
  for (const std::string& e : entetes) {
    if (e.find('/') != std::string::npos) {
      EXPECT_EQ(entetes.count(e), 1u) << e;
    }
  }
}

TEST(RechercheInterpretation, LesMessagesArretentLaCommande) {
  struct Cas {
    const char* nom;
    int technique, mode;
    bool tous;
    GenreMessage genre;
    const char* message;
    bool efface;
    std::size_t lignes;
  } cas[] = {
      {"MP choisis en arc", TechArcSolaire, DeMiPointsChoisis, true, GenreMessage::Information,
       "Ce calcul n'est exécuté que pour le Natal, la RS ou la RL", false, 1},
      {"aucune cible", TechNatal, DeSolLun, false, GenreMessage::Avertissement,
       "Vous devez choisir au  moins un mi-point. Cliquez sur le bouton \"Sélection\"", false, 1},
      {"aucun point", TechNatal, DePointsChoisis, true, GenreMessage::Avertissement,
       "Vous devez choisir au moins un point !", true, 0},
      {"aucun MP source", TechRS, DeMiPointsChoisis, true, GenreMessage::Information,
       "Vous devez choisir au moins 1 mi-point !", true, 5},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.nom);
    DemandeInterpretation d = Demande(c.technique);
    d.modeDe = c.mode;
    d.tousMiPoints = c.tous;
    Lignes l = {"ancien texte"};
    bool ouvert = false;
    const IssueInterpretation issue = EcrireInterpretation(d, [&ouvert] {
      ouvert = true;
      return std::make_unique<IndexInterpretation>("");
    }, l);
    EXPECT_EQ(issue.genre, c.genre);
    EXPECT_EQ(issue.message, c.message);
    EXPECT_EQ(issue.texteEfface, c.efface);
    EXPECT_EQ(l.size(), c.lignes);
    EXPECT_FALSE(ouvert);
  }
}

TEST(RechercheInterpretation, UnFichierAbsentLaisseLesEntetes) {
  DossierProgramme dossier("interp");
  const fs::path absent = dossier / NomFichierInterpretation;
  Lignes l;
  EXPECT_THROW(EcrireInterpretation(Demande(), [&] { return IndexInterpretation::Ouvrir(absent); }, l),
               ErreurFichier);
  EXPECT_EQ(l.size(), 5u);
  EXPECT_EQ(l[0], "DUPONT Jean");
}

TEST(RechercheInterpretation, RechercheDirecte) {
  const std::string texte = "_MC. SOL\r\nMC et Soleil\r\n_SOL LUN MAR\r\nSL=Ma\r\n";
  struct Cas {
    int a, b, c;
    const char* refus;
    Lignes lignes;
  } cas[] = {
      {Soleil, MilieuDuCiel, 0, "Le deuxième point doit être supérieur au premier point", {}},
      {MilieuDuCiel, Soleil, 0, "",
       {"Signification du point : M.C./Soleil ", " ", "MC et Soleil", " ",
        "*************         Recherche termin\xE9" "e       ************"}},
      {Soleil, Lune, Mars, "",
       {"Signification du point : Soleil /Lune = Mars", " ", "SL=Ma", " ",
        "*************         Recherche termin\xE9" "e       ************"}},
      {Lune, Lune, Lune, "Le 3ième point doit être différent des deux premiers", {}},
      {Lune, Lune, 0, "",
       {"Signification du point : Lune/Lune", " ", "", " ",
        "*************         Recherche termin\xE9" "e       ************"}},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.a) + "/" + std::to_string(c.b) + "/" + std::to_string(c.c));
    Lignes l = {"ancien"};
    const IssueInterpretation issue = EcrireSignification(c.a, c.b, c.c, Fixture(texte), l);
    EXPECT_EQ(issue.message, c.refus);
    EXPECT_EQ(l, c.lignes);
  }
}

// --- The same searches written plainly, over the rescanning reader ------------------------

struct Ligne {
  std::string entete, texte, tri;
};

std::string Fmt(double x, const char* f) {
  char t[64];
  std::snprintf(t, sizeof t, f, x);
  return t;
}

// Shown to the nearest second of arc, then cut to minutes.
std::string DM(double radians) {
  const long secondes = std::lround(radians * RadEnDeg * 3600.0);
  char t[32];
  std::snprintf(t, sizeof t, "%02ld\xB0%02ld'", secondes / 3600, secondes / 60 % 60);
  return t;
}

// The searches step by step, sharing no code path with the window's.
Lignes Simple(const DemandeInterpretation& d, SourceInterpretation& s) {
  const double cercle = 22.5 * DegEnRad, demi = cercle / 2;
  auto R = [&](double x) { return static_cast<float>(Reste(cercle, x)); };
  const float orbe = static_cast<float>(ValeursOrbes[d.indexOrbe] * DegEnRad);
  std::vector<Ligne> rangees;
  auto nom2 = [](int q, int r) { return std::string(NomsLongs[q]) + (q != r ? std::string("/") + NomsLongs[r] : ""); };
  auto tester = [&](double X, const double* cand, int q, int r, bool ind, const std::vector<std::string>& cles,
                    const std::string& tete, double base, const char* motif, std::set<int>* signalees) {
    const float x = R(X);
    const float y = q == r ? R(cand[q]) : R(static_cast<float>(MiPoint(cand[q], cand[r])));
    float dd = x - y;
    if (dd < 0) dd += static_cast<float>(cercle);
    if (dd > static_cast<float>(demi)) dd = static_cast<float>(cercle) - dd;
    struct C { std::string l; double pos; float o; };
    std::vector<C> cs;
    if (dd <= orbe) cs.push_back({"", x, dd});
    if (ind) {
      dd = static_cast<float>(demi) - dd;
      if (dd <= orbe) cs.push_back({"(i)", Reste(cercle, x + demi), dd});
    }
    for (const C& c : cs) {
      if (signalees) {
        if (signalees->count(q * 100 + r) && q != r) continue;
        signalees->insert(q * 100 + r);
      }
      for (const std::string& cle : cles)
        for (const std::string& t : s.ChercherInterpretation(cle, ModeInterpretation::TousLesTextes))
          rangees.push_back({tete + c.l + " = " + nom2(q, r) + ". " + DM(c.pos) + "    Orbe :  " + DM(c.o),
                             t, Fmt(base + c.o * RadEnDeg, motif)});
    }
  };
  const bool natale = d.technique <= TechRL;
  EnsemblePoints mobiles = d.modeDe == DePointsPersonnels ? PointsPersonnels() : d.pointsChoisis;
  if (d.technique == TechTransits) mobiles.reset(PointBelier);
  const double* c = d.cible;
  std::set<int> signalees;
  if (natale && d.modeDe == DeSolLun) {
    for (int q = 1; q <= 23; ++q)
      for (int r = 1; r <= 23; ++r)
        if (!(q == 1 && r == 2))
          tester(static_cast<float>(MiPoint(c[1], c[2])), c, q, r, d.indirects, ClesSolLunNatal(q, r), "Soleil/Lune",
                 0, "%.4f", nullptr);
  } else if (natale && d.modeDe != DeMiPointsChoisis) {
    for (int j = 0; j < 22; ++j) {
      const int p = OrdreUranien[j];
      if (!mobiles[p]) continue;
      for (int q = 1; q <= 23; ++q)
        for (int r = 1; r <= 23; ++r)
          if (!(q == r && q == p))
            tester(c[p], c, q, r, d.indirects, ClesPointsNatal(p, q, r), NomsLongs[p], j, "%07.4f", nullptr);
    }
  } else if (natale) {
    for (const PaireCorps& m : d.miPointsSource)
      for (int q = 1; q <= 23; ++q)
        for (int r = 1; r <= 23; ++r)
          if (!(q == m.first && r == m.second))
            tester(static_cast<float>(MiPoint(c[m.first], c[m.second])), c, q, r, false,
                   ClesMiPointsChoisis(m.first, m.second, q, r),
                   std::string(NomsLongs[m.first]) + "/" + NomsLongs[m.second], 0, "%.4f", &signalees);
  } else if (d.modeDe == DeSolLun) {
    for (int q = 1; q <= 23; ++q)
      for (int r = 1; r <= 23; ++r)
        if (!(q == 1 && r == 2))
          tester(static_cast<float>(MiPoint(d.dirige[1], d.dirige[2])), c, q, r, d.indirects,
                 ClesSolLunDirige(q, r), "Soleil/Lune", 0, "%.4f", nullptr);
  } else {
    for (int p = 1; p <= 23; ++p) {
      if (!mobiles[p]) continue;
      for (int q = 1; q <= 23; ++q)
        for (int r = 1; r <= 23; ++r)
          tester(d.dirige[p], c, q, r, d.indirects, ClesPointsDiriges(p, q, r), NomsLongs[p], p, "%07.4f", nullptr);
    }
  }
  std::stable_sort(rangees.begin(), rangees.end(), [](const Ligne& a, const Ligne& b) { return a.tri < b.tri; });
  Lignes l;
  for (const Ligne& r : rangees) {
    l.push_back(" ");
    l.push_back(r.entete);
    l.push_back(r.texte);
  }
  return l;
}

TEST(RechercheInterpretation, LeTexteEstCeluiDUneRechercheEcriteSimplementSurLeFichierInstalle) {
  const fs::path chemin = DossierInstalle() / NomFichierInterpretation;
  RelectureInterpretation relecture(chemin);
  std::mt19937 alea(1952);
  struct Cas {
    int technique, mode, orbe;
    bool indirects;
  } cas[] = {{TechNatal, DeSolLun, 5, true},         {TechRS, DePointsPersonnels, 2, true},
             {TechNatal, DePointsChoisis, 1, false},  {TechRL, DeMiPointsChoisis, 5, false},
             {TechArcSolaire, DeSolLun, 3, true},    {TechTransits, DePointsChoisis, 2, true},
             {TechArcSolaire, DePointsPersonnels, 4, false}};
  for (const Cas& k : cas) {
    SCOPED_TRACE(std::to_string(k.technique) + " " + std::to_string(k.mode));
    DemandeInterpretation d = Demande(k.technique);
    d.modeDe = k.mode;
    d.indexOrbe = k.orbe;
    d.indirects = k.indirects;
    std::uniform_real_distribution<double> angle(0, DeuxPi);
    for (int c = 1; c <= PointBelier; ++c) {
      d.cible[c] = angle(alea);
      d.dirige[c] = angle(alea);
    }
    d.cible[PointBelier] = d.dirige[PointBelier] = 0;
    d.pointsChoisis.set(PointBelier).set(Soleil).set(Pluton).set(Vertex).set(Kronos);
    d.miPointsSource = {{Soleil, Lune}, {MilieuDuCiel, Mars}, {Ascendant, Jupiter}, {Mercure, Venus}, {PointBelier, Saturne}};
    Lignes l;
    EcrireInterpretation(d, [&] { return IndexInterpretation::Ouvrir(chemin); }, l);
    const std::size_t entetes = k.mode == DeMiPointsChoisis ? 5 + 2 + 3 * d.miPointsSource.size() : 5;
    ASSERT_GT(l.size(), entetes);
    EXPECT_EQ(Lignes(l.begin() + static_cast<long>(entetes), l.end()), Simple(d, relecture));
  }
}

}  // namespace
