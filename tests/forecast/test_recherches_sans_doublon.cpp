// The five searches of the interpretation window on the installed text file, over two real
// births: each midpoint or picture a search hits is reported once, under one order of its
// points, never as the reference itself ("Soleil/Lune = Lune/Soleil"), and none is lost.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "core/Calcul.h"
#include "core/Conversions.h"
#include "forecast/Interpretation.h"
#include "forecast/RechercheInterpretation.h"
#include "tests/forecast/NatalDeTest.h"
#include "tests/support/DossierProgramme.h"

using namespace selvane;

namespace {

using Lignes = std::vector<std::string>;
using Positions = std::vector<double>;  // 1..23, radians

Positions Theme(const FicheClient& fiche) {
  CalculerNatalDeTest(fiche);
  Positions p(NbCorps + 1, 0.0);
  for (int c = 1; c <= PointBelier; ++c) p[c] = Etat().Positions[c][6];
  return p;
}

// The contacts of the reference x with the target (q, r) on the 22°30' circle, counted as the
// searches count them: single precision, direct then indirect.
int Contacts(float x, const Positions& c, int q, int r, float orbe, bool indirects) {
  const double cercle = 22.5 * DegEnRad;
  auto R = [&](double v) { return static_cast<float>(Reste(cercle, v)); };
  const float y = q == r ? R(c[q]) : R(static_cast<float>(MiPoint(c[q], c[r])));
  float d = x - y;
  if (d < 0) d += static_cast<float>(cercle);
  if (d > static_cast<float>(cercle / 2)) d = static_cast<float>(cercle) - d;
  int n = d <= orbe;
  if (indirects && static_cast<float>(cercle / 2) - d <= orbe) ++n;
  return n;
}

struct Entete {
  std::string source, cible, reste;  // "Soleil/Lune(i)", "Mars/Saturne", ". 04°30'    Orbe : ..."
};

std::vector<Entete> Entetes(const Lignes& l) {
  std::vector<Entete> e;
  for (std::size_t i = 0; i + 1 < l.size(); ++i) {
    const std::string& t = l[i + 1];
    if (l[i] != " " || t.find("    Orbe :  ") == std::string::npos) continue;
    const std::size_t egal = t.find(" = "), point = t.find(". ", egal);
    e.push_back({t.substr(0, egal), t.substr(egal + 3, point - egal - 3), t.substr(point)});
  }
  return e;
}

std::string Inverse(const std::string& paire) {
  const std::size_t barre = paire.find('/');
  return barre == std::string::npos ? paire : paire.substr(barre + 1) + "/" + paire.substr(0, barre);
}

// No heading twice, none with its two target points swapped, none naming its reference.
void SansDoublon(const Lignes& lignes) {
  std::set<std::string> vues;
  for (const Entete& e : Entetes(lignes)) {
    const std::string tete = e.source + " = " + e.cible + e.reste;
    EXPECT_TRUE(vues.insert(tete).second) << "deux fois : " << tete;
    if (e.cible.find('/') != std::string::npos) {
      EXPECT_EQ(vues.count(e.source + " = " + Inverse(e.cible) + e.reste), 0u) << "dans les deux ordres : " << tete;
    }
    std::string source = e.source;
    if (source.size() > 3 && source.compare(source.size() - 3, 3, "(i)") == 0) source.resize(source.size() - 3);
    EXPECT_NE(e.cible, Inverse(source)) << tete;
    EXPECT_NE(e.cible, source) << tete;
  }
}

// The rows a search must give: one per contact of every single point and every unordered
// pair, but the reference itself and, for the chosen midpoints, a pair an earlier source
// already reported.
std::size_t RangeesAttendues(const DemandeInterpretation& d) {
  const float orbe = static_cast<float>(ValeursOrbes[d.indexOrbe] * DegEnRad);
  const Positions cible(d.cible, d.cible + NbCorps + 1), dirige(d.dirige, d.dirige + NbCorps + 1);
  auto R = [](double v) { return static_cast<float>(Reste(22.5 * DegEnRad, v)); };
  const bool natale = d.technique <= TechRL;
  std::size_t n = 0;
  auto compter = [&](float x, bool indirects, int singleExclu, std::pair<int, int> paireExclue,
                     std::set<std::pair<int, int>>* signalees) {
    for (int q = 1; q <= PointBelier; ++q)
      for (int r = q; r <= PointBelier; ++r) {
        if (q == r ? q == singleExclu : std::make_pair(q, r) == paireExclue) continue;
        const int k = Contacts(x, cible, q, r, orbe, indirects);
        if (q != r && signalees && k > 0 && !signalees->insert({q, r}).second) continue;
        n += k;
      }
  };
  auto paire = [](int a, int b) { return std::make_pair(std::min(a, b), std::max(a, b)); };
  EnsemblePoints mobiles = d.modeDe == DePointsPersonnels ? PointsPersonnels() : d.pointsChoisis;
  if (d.technique == TechTransits) mobiles.reset(PointBelier);
  if (d.modeDe == DeSolLun) {
    const Positions& c = natale ? cible : dirige;
    compter(R(static_cast<float>(MiPoint(c[Soleil], c[Lune]))), d.indirects, 0, {Soleil, Lune}, nullptr);
  } else if (d.modeDe == DeMiPointsChoisis) {
    std::set<std::pair<int, int>> signalees;
    for (const PaireCorps& m : d.miPointsSource)
      compter(R(static_cast<float>(MiPoint(cible[m.first], cible[m.second]))), false,
              m.first == m.second ? m.first : 0, paire(m.first, m.second), &signalees);
  } else {
    for (int p = 1; p <= PointBelier; ++p)
      if (mobiles[p] && p != Vertex) compter(R((natale ? cible : dirige)[p]), d.indirects, p, {0, 0}, nullptr);
  }
  return n;
}

class RecherchesSansDoublon : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    naissances_ = new std::vector<Positions>{
        Theme(FicheDeTest()),
        Theme(FicheDeTest("MARTIN,Anne").Date("21/11/1987").Heure("06h40m00").Ville("Lyon").Lieu("45.45", "4.50"))};
    textes_ = IndexInterpretation::Ouvrir(DossierInstalle() / NomFichierInterpretation).release();
  }
  static void TearDownTestSuite() {
    delete naissances_;
    delete textes_;
  }

  static DemandeInterpretation Demande(int technique, int natal, int mode) {
    DemandeInterpretation d;
    d.technique = technique;
    d.modeDe = mode;
    const Positions& n = (*naissances_)[natal];
    const Positions& autre = (*naissances_)[1 - natal];
    for (int c = 1; c <= PointBelier; ++c) {
      d.cible[c] = n[c];
      // Transits: the other birth's sky; solar arc: the natal points moved by one arc.
      d.dirige[c] = technique == TechArcSolaire ? std::fmod(n[c] + 0.71, DeuxPi) : autre[c];
    }
    d.cible[PointBelier] = d.dirige[PointBelier] = 0;
    return d;
  }

  static Lignes Lancer(const DemandeInterpretation& d) {
    Lignes l;
    const IssueInterpretation issue = EcrireInterpretation(d, [] {
      // The window's reader, over the installed file read once for the whole suite.
      struct Emprunt : SourceInterpretation {
        std::vector<std::string> ChercherInterpretation(const std::string& cle, ModeInterpretation mode) override {
          return textes_->ChercherInterpretation(cle, mode);
        }
      };
      return std::make_unique<Emprunt>();
    }, l);
    EXPECT_EQ(issue.genre, GenreMessage::Aucun) << issue.message;
    return l;
  }

  static std::vector<Positions>* naissances_;
  static IndexInterpretation* textes_;
};
std::vector<Positions>* RecherchesSansDoublon::naissances_ = nullptr;
IndexInterpretation* RecherchesSansDoublon::textes_ = nullptr;

TEST_F(RecherchesSansDoublon, ChaqueImageUneFoisDansLesCinqRecherches) {
  EnsemblePoints tous;
  for (int j = 0; j < 22; ++j) tous.set(OrdreUranien[j]);  // the points panel: no Vertex
  struct Cas {
    const char* nom;
    int technique, mode, orbe;
    bool indirects;
    EnsemblePoints points;
  } cas[] = {
      {"Sol/Lun natal", TechNatal, DeSolLun, 5, true, {}},
      {"Sol/Lun RS", TechRS, DeSolLun, 2, false, {}},
      {"points personnels natal", TechNatal, DePointsPersonnels, 5, true, {}},
      {"tous les points natal", TechRL, DePointsChoisis, 3, true, tous},
      {"mi-points choisis", TechNatal, DeMiPointsChoisis, 5, false, {}},
      {"Sol/Lun transits", TechTransits, DeSolLun, 5, true, {}},
      {"Sol/Lun arc", TechArcSolaire, DeSolLun, 2, false, {}},
      {"points personnels transits", TechTransits, DePointsPersonnels, 5, true, {}},
      {"tous les points arc", TechArcSolaire, DePointsChoisis, 3, true, tous},
  };
  std::size_t total = 0;
  for (int natal = 0; natal < 2; ++natal)
    for (const Cas& c : cas) {
      SCOPED_TRACE(std::string(c.nom) + ", naissance " + std::to_string(natal));
      DemandeInterpretation d = Demande(c.technique, natal, c.mode);
      d.indexOrbe = c.orbe;
      d.indirects = c.indirects;
      d.pointsChoisis = c.points;
      // In either order, a single point, and the midpoints of the other tests of the window.
      d.miPointsSource = {{Soleil, Lune}, {Saturne, Soleil}, {Mars, Mars}, {MilieuDuCiel, Pluton}, {PointBelier, Neptune}};
      const Lignes l = Lancer(d);
      SansDoublon(l);
      const std::size_t rangees = Entetes(l).size();
      EXPECT_EQ(rangees, RangeesAttendues(d));
      total += rangees;
    }
  EXPECT_GT(total, 1000u);
}

// Chosen target midpoints test their cross combinations; a combination allowed in one order
// only (Jupiter first, Mars second) still finds the picture, written in display order.
TEST_F(RecherchesSansDoublon, UneCombinaisonCroiseeDansUnSeulOrdre) {
  DemandeInterpretation d = Demande(TechNatal, 0, DePointsChoisis);
  for (int c = 1; c <= PointBelier; ++c) d.cible[c] = (7 + c * 22.5) * DegEnRad;
  d.cible[Soleil] = 0;
  d.cible[Saturne] = 6 * DegEnRad;
  d.cible[Jupiter] = 10 * DegEnRad;
  d.cible[Mars] = 14 * DegEnRad;
  d.cible[Lune] = 12 * DegEnRad;  // on Jupiter/Mars
  d.pointsChoisis.set(Lune);
  d.tousMiPoints = false;
  std::tie(d.ciblesA, d.ciblesB) = CiblesDesMiPoints({{Soleil, Mars}, {Jupiter, Saturne}});
  const Lignes l = Lancer(d);
  const std::vector<Entete> e = Entetes(l);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].source + " = " + e[0].cible, "Lune = Jupiter/Mars");
  EXPECT_EQ(l.back(), textes_->PremierTexte("_MAR JUP LUN"));
  EXPECT_FALSE(l.back().empty());

  // The general meaning of a source midpoint chosen in reverse order is its display-order text.
  d.modeDe = DeMiPointsChoisis;
  d.tousMiPoints = true;
  d.miPointsSource = {{Saturne, Soleil}};
  const Lignes s = Lancer(d);
  ASSERT_GT(s.size(), 7u);
  EXPECT_EQ(s[6], "Saturne/Soleil : ");
  EXPECT_EQ(s[7], textes_->PremierTexte("_SOL SAT"));
  EXPECT_FALSE(s[7].empty());
}

}  // namespace
