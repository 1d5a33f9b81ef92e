#include <gtest/gtest.h>

#include "core/Contacts.h"
#include "core/Catalogue.h"

using namespace selvane;

namespace {

struct CasAspect {
  double a, b;  // degrees
  int attendu;
};

}  // namespace

TEST(AspectEntre, PremierAspectActifDansLOrbe) {
  bool actif[9] = {true, true, true, true, true, true, true, true, true};
  double orbe[9];
  for (double& o : orbe) o = 2 * DegEnRad;
  orbe[0] = 8 * DegEnRad;
  const CasAspect cas[] = {
      {10, 18, 0},          // exactly the conjunction's orb
      {10, 18.001, -1},     // just past it
      {10, 100.5, 4},       // 90.5°: square
      {349, 10, -1},        // 21° across 0°
      {355, 362, 0},        // longitudes past a turn are reduced first
      {0, 180, 8},          // opposition
      {200, 20.5, 8},       // the shorter arc, from either side
  };
  for (const CasAspect& c : cas)
    EXPECT_EQ(AspectEntre(c.a * DegEnRad, c.b * DegEnRad, actif, orbe), c.attendu) << c.a << " " << c.b;

  // An orb wide enough for two aspects: the first in the options' order wins.
  orbe[1] = 25 * DegEnRad;  // 7° is within 25° of the semi-sextile too
  EXPECT_EQ(AspectEntre(10 * DegEnRad, 17 * DegEnRad, actif, orbe), 0);
  // An inactive aspect is never found, whatever its orb.
  actif[0] = false;
  EXPECT_EQ(AspectEntre(10 * DegEnRad, 17 * DegEnRad, actif, orbe), 1);
}
