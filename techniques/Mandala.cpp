#include "techniques/Mandala.h"

#include <algorithm>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "data/images/ImagesGeometrie.h"

namespace selvane {

namespace {

constexpr float kCercle = 22.5f;

float SurLeCercle(double radians) { return static_cast<float>(Reste(kCercle, radians * RadEnDeg)); }

int Poids(int corps) { return corps >= 1 && corps <= 18 ? 1 : 0; }

std::string Cle(double valeur) {
  std::string t = FormatReel(valeur, 8, 5);
  for (char& c : t)
    if (c == ' ') c = '0';
  return t;
}

LigneEncadrante Rangee(int a, int b, float y, float d) {
  LigneEncadrante l;
  l.nom = NomAxe({a, b});
  l.position = FormatDegMin(y);
  l.poids1 = Poids(a);
  l.poids2 = Poids(b);
  l.corps1 = a;
  l.corps2 = b;
  l.positionDeg = y;
  l.distanceDeg = d;
  l.cle = Cle(10.0 + d);
  return l;
}

// The signed distance from the axis, -11.25..11.25.
float Distance(float y, float x) {
  float d = y - x;
  if (d < 0) d += kCercle;
  if (d > kCercle / 2) d -= kCercle;
  return d;
}

float EnAvant(float de, float a) {
  float d = a - de;
  if (d < 0) d += kCercle;
  return d;
}

bool Candidat(int c) { return c >= 1 && c <= 23 && c != 20; }

}  // namespace

float PositionAxe(const LongitudesNatales& natal, AxeMandala axe) {
  if (axe.p1 == axe.p2) return SurLeCercle(natal[axe.p1]);
  return SurLeCercle(MiPoint(natal[axe.p1], natal[axe.p2]));
}

std::string NomAxe(AxeMandala axe) {
  std::string nom(1, LettresCorps[axe.p1]);
  if (axe.p2 != axe.p1) nom += std::string("/") + LettresCorps[axe.p2];
  return nom;
}

std::vector<LigneEncadrante> CalculMiPointsEncadrants(const LongitudesNatales& natal, AxeMandala axe) {
  const float x = PositionAxe(natal, axe);
  std::vector<LigneEncadrante> lignes;
  LigneEncadrante tete = Rangee(axe.p1, axe.p2, x, 0);
  tete.poids1 = tete.poids2 = 1;
  lignes.push_back(tete);
  auto essayer = [&](int a, int b, double longitude) {
    const float y = SurLeCercle(longitude);
    const float d = Distance(y, x);
    if (std::fabs(d) < 1.0f) lignes.push_back(Rangee(a, b, y, d));
  };
  for (int c = 1; c <= 23; ++c)
    if (Candidat(c) && c != axe.p1 && c != axe.p2) essayer(c, c, natal[c]);
  for (int a = 1; a <= 22; ++a) {
    if (!Candidat(a)) continue;
    for (int b = a + 1; b <= 23; ++b) {
      if (!Candidat(b)) continue;
      // The axis's own pair, in whichever order it was chosen.
      if ((a == axe.p1 && b == axe.p2) || (a == axe.p2 && b == axe.p1)) continue;
      essayer(a, b, MiPoint(natal[b], natal[a]));
    }
  }
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneEncadrante& g, const LigneEncadrante& d) { return g.cle < d.cle; });
  return lignes;
}

TotauxMandala CalculeTotaux(const std::array<std::vector<LigneEncadrante>, 3>& listes) {
  TotauxMandala t;
  for (int k = 1; k <= 3; ++k) {
    for (const LigneEncadrante& l : listes[static_cast<std::size_t>(k - 1)]) {
      if (l.corps1 >= 1 && l.corps1 <= 18) t.compte[l.corps1][k] = static_cast<std::uint8_t>(t.compte[l.corps1][k] + l.poids1);
      if (l.corps2 >= 1 && l.corps2 <= 18) t.compte[l.corps2][k] = static_cast<std::uint8_t>(t.compte[l.corps2][k] + l.poids2);
    }
    for (int b = 1; b <= 18; ++b) t.sommes[k] += t.compte[b][k];
    t.seuils[k] = static_cast<int>(Arrondi(t.sommes[k] / 10.0));
  }
  return t;
}

std::string VerifierSeparationAxes(const std::array<float, 3>& p) {
  if (EnAvant(p[0], p[1]) < 2) return "L'axe 2 est trop près de l'axe du Soleil. Choisissez un autre point.";
  if (EnAvant(p[0], p[2]) < 2) return "L'axe 3 est trop près de l'axe du Soleil. Choisissez un autre point.";
  if (EnAvant(p[1], p[2]) < 2) return "L'axe 3 est trop près de l'axe 2. Choisissez un autre point.";
  return {};
}

std::vector<MarqueMandala> MarquesMandala(const TotauxMandala& t) {
  std::vector<MarqueMandala> marques;
  auto interieur = [](int b) { return b == Venus || b == Cupidon; };
  // Marks of one body for different axes sit side by side: 3° apart on the outer
  // ring (back for odd body numbers), 10° on the inner one.
  auto exterieurs = [&](bool presences) {
    double decalage[19] = {};
    for (int k = 1; k <= 3; ++k)
      for (int b = 1; b <= 18; ++b) {
        if (interieur(b)) continue;
        const bool marque = presences ? t.compte[b][k] >= t.seuils[k] : t.compte[b][k] == 0;
        if (!marque) continue;
        marques.push_back({k, b, AngleMandala(b) + decalage[b], presences ? 0.95 : 1.05, presences});
        if (k < 3) decalage[b] += b % 2 == 1 ? -3.0 : 3.0;
      }
  };
  auto interieurs = [&](bool presences) {
    double decalage[19] = {};
    for (int k = 1; k <= 3; ++k)
      for (int b : {Venus, Cupidon}) {
        const bool marque = presences ? t.compte[b][k] >= t.seuils[k] : t.compte[b][k] == 0;
        if (!marque) continue;
        marques.push_back({k, b, AngleMandala(b) + decalage[b], presences ? 0.23 : 0.325, presences});
        if (k < 3) decalage[b] += 10.0;
      }
  };
  exterieurs(false);
  interieurs(false);
  interieurs(true);
  exterieurs(true);
  return marques;
}

CalculMandala CalculerMandala(const LongitudesNatales& natal, const std::array<AxeMandala, 3>& axes) {
  CalculMandala c;
  c.axes = axes;
  for (std::size_t k = 0; k < 3; ++k) {
    c.positions[k] = PositionAxe(natal, axes[k]);
    c.listes[k] = CalculMiPointsEncadrants(natal, axes[k]);
  }
  c.totaux = CalculeTotaux(c.listes);
  return c;
}

}  // namespace selvane
