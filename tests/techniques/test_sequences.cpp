#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/Catalogue.h"
#include "techniques/Sequences.h"

using namespace selvane;

namespace {

// Bodies 1..20 spread 0.8° apart from 5° on the 22°30' dial,
// bodies 21, 22, 23 at the places a case gives (degrees on the dial, plus a
// whole number of 22°30' turns to check the folding).
LongitudesNatales Natal(double a, double b, double c) {
  LongitudesNatales l{};
  for (int i = 1; i <= 20; ++i) l[i] = (5.0 + 0.8 * (i - 1) + 22.5 * (i % 16)) * DegEnRad;
  l[21] = (a + 45) * DegEnRad;
  l[22] = (b + 90) * DegEnRad;
  l[23] = c * DegEnRad;
  return l;
}

std::vector<std::vector<int>> Groupes(const LongitudesNatales& n, double orbe) {
  std::vector<std::vector<int>> g;
  // Only the sequences of the three bodies a case places (the spread ones join
  // each other with the orb of 1°).
  for (const Sequence& s : CalculerSequences(TrierPointsSequences(n), orbe))
    if (*std::max_element(s.corps.begin(), s.corps.end()) >= 21) g.push_back(s.corps);
  return g;
}

}  // namespace

TEST(Sequences, PointsTriesDansLeCadranDe22_30) {
  const auto points = TrierPointsSequences(Natal(3.0, 3.4, 3.8));
  ASSERT_EQ(points.size(), 23u);
  EXPECT_EQ(points[0].corps, 21);
  EXPECT_EQ(points[0].cle, "03.0000");
  EXPECT_EQ(points[2].corps, 23);
  EXPECT_EQ(points[3].corps, 1);
  EXPECT_EQ(points[3].cle, "05.0000");
  for (std::size_t i = 1; i < points.size(); ++i) EXPECT_LE(points[i - 1].positionDeg, points[i].positionDeg);
}

TEST(Sequences, CasDuCadran) {
  struct Cas {
    const char* nom;
    double a, b, c, orbe;
    std::vector<std::vector<int>> attendu;
  };
  const Cas cas[] = {
      // Members lie within the orb of the first body, not of their neighbour;
      // the next sequence may start at the last member of the one before.
      {"ancre", 3.0, 3.4, 3.8, 0.5, {{21, 22}, {22, 23}}},
      {"orbe 1", 3.0, 3.4, 3.8, 1.0, {{21, 22, 23}}},
      // Exactly the orb after the anchor joins.
      {"egalite", 3.0, 3.5, 4.0, 0.5, {{21, 22}, {22, 23}}},
      {"juste au-dela", 3.0, 3.5001, 4.2, 0.5, {}},
      // Across the end of the dial, with 1° whatever the orb.
      {"fin du cadran", 22.2, 0.6, 2.5, 0.5, {{21, 22}}},
      {"fin du cadran, trop loin", 22.2, 1.3, 2.5, 0.5, {}},
      {"aucune", 1.0, 2.0, 3.0, 0.5, {}},
  };
  for (const Cas& c : cas) EXPECT_EQ(Groupes(Natal(c.a, c.b, c.c), c.orbe), c.attendu) << c.nom;
}

TEST(Sequences, TexteDeGlyphesLimiteA20Caracteres) {
  // Every body within 1° of the first: the text is cut, the members are all kept.
  LongitudesNatales l{};
  for (int i = 1; i <= 23; ++i) l[i] = (2.0 + 0.04 * i) * DegEnRad;
  const auto s = CalculerSequences(TrierPointsSequences(l), 1.0);
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(s[0].corps.size(), 23u);
  EXPECT_EQ(s[0].texte.size(), 20u);
  EXPECT_EQ(s[0].texte.substr(0, 3), (std::string{LettresCorps[1], '=', LettresCorps[2]}));
  EXPECT_EQ(s[0].numero, 1);
}
