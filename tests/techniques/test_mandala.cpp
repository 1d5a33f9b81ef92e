#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "birthdata/records/Cp1252.h"
#include "core/Catalogue.h"
#include "data/images/ImagesGeometrie.h"
#include "techniques/Mandala.h"

using namespace selvane;

namespace {

// Bodies spread so that no point or midpoint is near another unless a case says so:
// body b at 1.37·b degrees on the 22°30' circle, one turn per body.
LongitudesNatales Disperses() {
  LongitudesNatales l{};
  for (int b = 1; b <= 24; ++b) l[b] = (1.37 * b + 22.5 * b) * DegEnRad;
  l[PointBelier] = 0;
  return l;
}

const LigneEncadrante* Trouver(const std::vector<LigneEncadrante>& lignes, int a, int b) {
  for (const LigneEncadrante& l : lignes)
    if (l.corps1 == a && l.corps2 == b) return &l;
  return nullptr;
}

}  // namespace

TEST(Mandala, AxesParDefautEtNoms) {
  EXPECT_EQ(NomAxe(AxesMandalaDefaut[0]), "A");
  EXPECT_EQ(NomAxe(AxesMandalaDefaut[1]), "E");
  EXPECT_EQ(NomAxe(AxesMandalaDefaut[2]), "C/F");
  EXPECT_EQ(NomAxe({Ascendant, Ascendant}), std::string(1, LettresCorps[Ascendant]));
}

TEST(Mandala, ListeEncadranteTrieeAutourDeLAxe) {
  LongitudesNatales l = Disperses();
  // Mars at 10° (axis 2), a point 0.5° behind it and a midpoint exactly on it.
  l[Mars] = (10.0 + 45) * DegEnRad;
  l[Saturne] = (9.5 + 90) * DegEnRad;
  l[Mercure] = (8.0 + 45) * DegEnRad;
  l[Jupiter] = (12.0 + 45) * DegEnRad;
  const auto lignes = CalculMiPointsEncadrants(l, {Mars, Mars});
  ASSERT_GE(lignes.size(), 3u);
  // The axis row keeps flags 1 and 1 and the key of distance 0.
  const LigneEncadrante* axe = Trouver(lignes, Mars, Mars);
  ASSERT_NE(axe, nullptr);
  EXPECT_EQ(axe->cle, "10.00000");
  EXPECT_EQ(axe->position, Utf8VersCp1252("10°00'"));
  const LigneEncadrante* saturne = Trouver(lignes, Saturne, Saturne);
  ASSERT_NE(saturne, nullptr);
  EXPECT_EQ(saturne->cle, "09.50000");
  // Mercury/Jupiter falls on Mars: same key as the axis row, next to it.
  const LigneEncadrante* mp = Trouver(lignes, Mercure, Jupiter);
  ASSERT_NE(mp, nullptr);
  EXPECT_EQ(mp->cle, "10.00000");
  EXPECT_EQ(mp->nom, "C/F");
  EXPECT_TRUE(std::is_sorted(lignes.begin(), lignes.end(),
                             [](const LigneEncadrante& a, const LigneEncadrante& b) { return a.cle < b.cle; }));
  EXPECT_LT(saturne, axe);  // behind the axis first
  // The axis's own pair is never a candidate of itself.
  const auto paire = CalculMiPointsEncadrants(l, {Mercure, Jupiter});
  EXPECT_EQ(std::count_if(paire.begin(), paire.end(), [](const LigneEncadrante& x) {
              return x.corps1 == Mercure && x.corps2 == Jupiter;
            }),
            1);
}

TEST(Mandala, PointsDesAnglesDansLesListesJamaisDansLesComptes) {
  LongitudesNatales l = Disperses();
  l[Soleil] = 5.0 * DegEnRad;
  l[NoeudLunaire] = (5.2 + 22.5) * DegEnRad;
  l[Ascendant] = (4.9 + 45) * DegEnRad;
  l[MilieuDuCiel] = (5.3 + 67.5) * DegEnRad;
  const CalculMandala m = CalculerMandala(l, {AxeMandala{1, 1}, AxeMandala{Ascendant, MilieuDuCiel}, AxeMandala{5, 5}});
  EXPECT_NE(Trouver(m.listes[0], NoeudLunaire, NoeudLunaire), nullptr);
  EXPECT_NE(Trouver(m.listes[0], Ascendant, Ascendant), nullptr);
  const LigneEncadrante* noeud = Trouver(m.listes[0], NoeudLunaire, NoeudLunaire);
  EXPECT_EQ(noeud->poids1, 0);

  EXPECT_EQ(NomAxe(m.axes[1]), (std::string{LettresCorps[Ascendant], '/', LettresCorps[MilieuDuCiel]}));
}

TEST(Mandala, ComptesDesListes) {
  // A single point counts 2 for its body, a midpoint 1 per member; the node and
  // the angles, listed with weight 0, never count.
  auto rangee = [](int a, int b) {
    LigneEncadrante l;
    l.corps1 = a;
    l.corps2 = b;
    l.poids1 = a <= 18 ? 1 : 0;
    l.poids2 = b <= 18 ? 1 : 0;
    return l;
  };
  std::array<std::vector<LigneEncadrante>, 3> listes;
  listes[0] = {rangee(Soleil, Soleil), rangee(Mars, Mars), rangee(Mercure, NoeudLunaire), rangee(Ascendant, Ascendant)};
  listes[1] = {rangee(Ascendant, MilieuDuCiel), rangee(Mars, Poseidon)};
  listes[2] = {rangee(Mercure, Jupiter)};
  const TotauxMandala t = CalculeTotaux(listes);
  EXPECT_EQ(t.compte[Soleil][1], 2);
  EXPECT_EQ(t.compte[Mars][1], 2);
  EXPECT_EQ(t.compte[Mercure][1], 1);
  EXPECT_EQ(t.sommes[1], 5);
  EXPECT_EQ(t.sommes[2], 2);
  EXPECT_EQ(t.compte[Poseidon][2], 1);
  EXPECT_EQ(t.Total(Mercure), 2);
}

TEST(Mandala, SeuilsArrondisAuPairLePlusProche) {
  struct Cas {
    int total, seuil;
  };
  for (const Cas c : {Cas{0, 0}, Cas{4, 0}, Cas{5, 0}, Cas{6, 1}, Cas{15, 2}, Cas{25, 2}, Cas{26, 3}}) {
    std::array<std::vector<LigneEncadrante>, 3> listes;
    for (int i = 0; i < c.total; ++i) {
      LigneEncadrante l;
      l.corps1 = 1 + i % 18;
      l.corps2 = 19;  // the node: weight 0, never counted
      l.poids1 = 1;
      l.poids2 = 0;
      listes[0].push_back(l);
    }
    const TotauxMandala t = CalculeTotaux(listes);
    EXPECT_EQ(t.sommes[1], c.total);
    EXPECT_EQ(t.seuils[1], c.seuil) << "total " << c.total;
  }
}

TEST(Mandala, SeparationDesAxesSurLeCercle) {
  struct Cas {
    float a1, a2, a3;
    const char* message;
  };
  const Cas cas[] = {
      {5.0f, 6.0f, 15.0f, "L'axe 2 est trop près de l'axe du Soleil. Choisissez un autre point."},
      {5.0f, 4.0f, 15.0f, ""},  // 1° behind: 21.5° ahead
      {21.0f, 0.4f, 10.0f, "L'axe 2 est trop près de l'axe du Soleil. Choisissez un autre point."},  // across 0
      {5.0f, 10.0f, 6.5f, "L'axe 3 est trop près de l'axe du Soleil. Choisissez un autre point."},
      {5.0f, 10.0f, 11.9f, "L'axe 3 est trop près de l'axe 2. Choisissez un autre point."},
      {5.0f, 10.0f, 12.0f, ""},
  };
  for (const Cas& c : cas) EXPECT_EQ(VerifierSeparationAxes({c.a1, c.a2, c.a3}), c.message) << c.a2 << " " << c.a3;
}

TEST(Mandala, MarquesDesAbsencesEtDesPresences) {
  TotauxMandala t;
  // Axis 1: total 40 (threshold 4), Mars (odd) and Jupiter (even) absent everywhere,
  // Venus absent from axis 2 only. Axis 3 below 5: threshold 0, every body filled.
  for (int b = 1; b <= 18; ++b) {
    const bool absent = b == Mars || b == Jupiter;
    t.compte[b][1] = absent ? 0 : (b == Soleil ? 8 : 2);
    t.compte[b][2] = absent || b == Venus ? 0 : 3;
    t.compte[b][3] = 0;
  }
  t.compte[Saturne][3] = 2;
  t.seuils[1] = 4;
  t.seuils[2] = 3;
  t.seuils[3] = 0;
  const auto marques = MarquesMandala(t);
  auto de = [&](int corps, bool pleine) {
    std::vector<MarqueMandala> m;
    for (const auto& x : marques)
      if (x.corps == corps && x.pleine == pleine) m.push_back(x);
    return m;
  };
  const auto mars = de(Mars, false);
  ASSERT_EQ(mars.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(mars[static_cast<std::size_t>(k)].axe, k + 1);
    EXPECT_DOUBLE_EQ(mars[static_cast<std::size_t>(k)].angleDeg, AngleMandala(Mars) - 3.0 * k);
    EXPECT_DOUBLE_EQ(mars[static_cast<std::size_t>(k)].rayon, 1.05);
  }
  const auto jupiter = de(Jupiter, false);
  ASSERT_EQ(jupiter.size(), 3u);
  EXPECT_DOUBLE_EQ(jupiter[2].angleDeg, AngleMandala(Jupiter) + 6.0);
  // Venus: absent from axes 2 and 3 on the inner ring, 10° apart, the shift
  // moved only by marks drawn.
  const auto venus = de(Venus, false);
  ASSERT_EQ(venus.size(), 2u);
  EXPECT_DOUBLE_EQ(venus[0].rayon, 0.325);
  EXPECT_DOUBLE_EQ(venus[0].angleDeg, AngleMandala(Venus));
  EXPECT_DOUBLE_EQ(venus[1].angleDeg, AngleMandala(Venus) + 10.0);
  // Strong presences: the Sun reaches the threshold of axes 1 and 2; with a threshold
  // of 0 every body of axis 3 is filled, the absent ones too.
  const auto soleil = de(Soleil, true);
  ASSERT_EQ(soleil.size(), 3u);
  EXPECT_DOUBLE_EQ(soleil[0].rayon, 0.95);
  EXPECT_EQ(de(Mars, true).size(), 1u);
  EXPECT_EQ(de(Mars, true)[0].axe, 3);
  int pleinesAxe3 = 0;
  for (const auto& x : marques) pleinesAxe3 += x.pleine && x.axe == 3;
  EXPECT_EQ(pleinesAxe3, 18);
}
