#include "forecast/ListeDirections.h"

#include <algorithm>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "methode/Annees.h"
#include "methode/ArcSolaire.h"

namespace selvane {

const std::array<int, 22> CorpsDesListes = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                            12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23};
const std::array<const char*, 5> LibellesHarmoniques = {"H1  360\xB0", "H2  180\xB0", "H4  90\xB0", "H8  45\xB0",
                                                        "H16 22\xB0" "30'"};
const std::array<int, 5> AspectsProposes = {0, 2, 4, 6, 8};

namespace {

// One natal point or midpoint of P2 x P3, b >= a.
struct Paire {
  int a, b;
  double longitude;
};

std::vector<int> Trie(std::vector<int> corps, int plus, int jusqua) {
  std::sort(corps.begin(), corps.end());
  corps.erase(std::unique(corps.begin(), corps.end()), corps.end());
  corps.erase(std::remove_if(corps.begin(), corps.end(), [&](int c) { return c < plus || c > jusqua; }), corps.end());
  return corps;
}

std::vector<Paire> Paires(const NatalDirections& natal, const std::vector<int>& p2, const std::vector<int>& p3) {
  std::vector<Paire> paires;
  for (int a : p2)
    for (int b : p3)
      if (b >= a)
        paires.push_back({a, b, a == b ? natal.longitudes[a] : MiPoint(natal.longitudes[a], natal.longitudes[b])});
  return paires;
}

std::string Glyphe(int corps) { return std::string(1, LettresCorps[corps]); }

std::string Age(double age) {
  const double annees = PartieEntiere(age);
  const double mois = PartieEntiere((age - annees) * 12.0);
  return std::to_string(static_cast<long>(annees)) + " a " + std::to_string(static_cast<long>(mois)) + " m";
}

// "000.00000": the text order of the keys is the order of the arcs ("." whatever the locale).
std::string CleArc(double degres) {
  std::string s = FormatReel(std::fabs(degres), 0, 5);
  if (s.size() < 9) s.insert(0, 9 - s.size(), '0');
  return degres < 0 ? "-" + s : s;
}

// Moves a value of the harmonic circle by half of it, staying inside.
double DemiCercle(double x, double cercle) { return x < cercle / 2 ? x + cercle / 2 : x - cercle / 2; }

void DaterDirection(LigneDirection& l, const NatalDirections& natal, const ArcAnnuel& annee, double delta,
                    double cible) {
  l.age = annee.k - delta / annee.gain;
  l.jour = l.age * AnneeDateDirections + natal.jourJulienNaissance;
  l.arcDeg = (annee.arc - delta) * RadEnDeg;
  l.cibleDeg = cible * RadEnDeg;
  l.cellules[2] = JourJulienVersDatePoints(l.jour);
  l.cellules[3] = Age(l.age);
  l.cellules[4] = FormatDegMin(l.arcDeg);
  l.cellules[5] = CleArc(l.arcDeg);
}

}  // namespace

NatalDirections NatalDepuisEtat() {
  const EtatTheme& e = Etat();
  NatalDirections n;
  for (int c = 1; c <= 23; ++c) n.longitudes[c] = e.Positions[c][6];
  n.jourJulienNaissance = e.JourJulienTU;
  return n;
}

bool HarmoniqueValide(int h) { return h == 1 || h == 2 || h == 4 || h == 8 || h == 16; }

std::vector<ArcAnnuel> ArcsParAnnee(const NatalDirections& natal, int debut, int fin) {
  std::vector<ArcAnnuel> arcs;
  const int s = debut + 1, e = fin + 1;
  const double jn = natal.jourJulienNaissance;
  // The arc is the Sun's own distance from its natal place k days after birth: a sum of daily
  // speeds would drift by a minute of arc over a lifetime. Its growth over the year of age k
  // is then exactly the step between two such arcs, so the years still meet without a gap.
  auto arcA = [&](int k) { return ArcSolaireSoleilVrai(jn, natal.longitudes[Soleil], k); };
  double precedent = arcA(s - 1);
  for (int k = s; k <= e; ++k) {
    const double arc = arcA(k);
    arcs.push_back({k, arc, arc - precedent});
    precedent = arc;
  }
  return arcs;
}

std::vector<LigneDirection> CalculerDirections(const NatalDirections& natal, const DemandeDirections& d) {
  std::vector<LigneDirection> lignes;
  if (!HarmoniqueValide(d.harmonique) || d.fin < d.debut) return lignes;
  const double C = DeuxPi / d.harmonique;
  const std::vector<int> p1 = Trie(d.p1, 1, 23), p2 = Trie(d.p2, 1, 23), p3 = Trie(d.p3, 1, 23);
  EffacerRefusEphemerides();
  const std::vector<ArcAnnuel> arcs = ArcsParAnnee(natal, d.debut, d.fin);
  SignalerRefusEphemerides();
  const auto& n = natal.longitudes;
  if (d.versMiPoints) {
    std::vector<Paire> cibles = Paires(natal, p2, p3);
    for (Paire& c : cibles) c.longitude = Reste(C, c.longitude);
    for (const ArcAnnuel& annee : arcs)
      for (int p : p1) {
        const double dirige = Reste(C, Normaliser2Pi(n[p] + annee.arc));
        for (int passe = 0; passe < 2; ++passe) {
          const double D = passe == 0 ? dirige : DemiCercle(dirige, C);
          for (const Paire& c : cibles) {
            double delta = D - c.longitude;
            if (delta < 0) delta += C;
            if (delta > annee.gain) continue;
            LigneDirection l;
            l.p = p;
            l.a = c.a;
            l.b = c.b;
            l.cellules[0] = Glyphe(p) + " = " + (c.a == c.b ? Glyphe(c.b) : Glyphe(c.a) + "/" + Glyphe(c.b));
            l.cellules[1] = FormatDegMin(c.longitude * RadEnDeg);
            DaterDirection(l, natal, annee, delta, c.longitude);
            lignes.push_back(std::move(l));
          }
        }
      }
  } else {
    for (const ArcAnnuel& annee : arcs)
      for (int t : p3) {
        const double cible = Reste(C, n[t]);
        for (int passe = 0; passe < 2; ++passe) {
          const double T = passe == 0 ? cible : DemiCercle(cible, C);
          for (int p : p1)
            for (int q : p2) {
              if (q <= p) continue;
              const double D =
                  Reste(C, MiPoint(Normaliser2Pi(n[p] + annee.arc), Normaliser2Pi(n[q] + annee.arc)));
              double delta = D - T;
              if (delta < 0) delta += C;
              if (delta > annee.gain) continue;
              LigneDirection l;
              l.p = p;
              l.q = q;
              l.a = t;
              l.cellules[0] = Glyphe(p) + "/" + Glyphe(q) + " = " + Glyphe(t);
              l.cellules[1] = FormatDegMin(D * RadEnDeg);
              DaterDirection(l, natal, annee, delta, T);
              lignes.push_back(std::move(l));
            }
        }
      }
  }
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneDirection& x, const LigneDirection& y) { return x.cellules[5] < y.cellules[5]; });
  return lignes;
}

namespace {

// A transiting body at one moment: longitude and speed (radians, radians per day).
struct Etape {
  double longitude = 0, vitesse = 0;
};

// The fraction of the day at which the body, moving by u over the day with the speeds v0 and
// v1 at its ends, has covered x (0 < x/u <= 1). The cubic through both ends and both speeds
// holds the Moon to a second of time; the straight line alone misses it by minutes.
double FractionDuJour(double u, double v0, double v1, double x, double lineaire) {
  auto parcouru = [&](double t) {
    const double t2 = t * t, t3 = t2 * t;
    return (t3 - 2 * t2 + t) * v0 + (-2 * t3 + 3 * t2) * u + (t3 - t2) * v1;
  };
  auto pente = [&](double t) {
    const double t2 = t * t;
    return (3 * t2 - 4 * t + 1) * v0 + (-6 * t2 + 6 * t) * u + (3 * t2 - 2 * t) * v1;
  };
  // Newton from the straight line, a few steps; bisection when it strays (near a station).
  double t = lineaire;
  for (int i = 0; i < 6; ++i) {
    const double d = pente(t);
    if (d == 0) break;
    const double pas = (parcouru(t) - x) / d;
    t -= pas;
    if (t < 0 || t > 1) break;
    if (std::fabs(pas) < 1e-9) return t;
  }
  double bas = 0, haut = 1;
  const bool croissant = u > 0;
  for (int i = 0; i < 48; ++i) {
    const double milieu = (bas + haut) / 2;
    if ((parcouru(milieu) < x) == croissant) bas = milieu;
    else haut = milieu;
  }
  return (bas + haut) / 2;
}

}  // namespace

namespace {

// Every aspect point of every pair (both sides of each midpoint), sorted by longitude: a day's
// motion of a body then meets only the few points it passes over, found by a binary search,
// instead of every pair on every day.
struct PointAspect {
  double longitude;
  int paire;
};

std::vector<PointAspect> PointsAspects(const std::vector<Paire>& paires, const std::vector<int>& aspects) {
  std::vector<PointAspect> points;
  for (std::size_t i = 0; i < paires.size(); ++i)
    for (int L : aspects)
      for (const double sens : {-1.0, 1.0}) {
        points.push_back({Normaliser2Pi(paires[i].longitude + sens * AnglesAspects[static_cast<std::size_t>(L)]),
                          static_cast<int>(i)});
        if (AnglesAspects[static_cast<std::size_t>(L)] == 0 || L == 8) break;  // one point only
      }
  std::sort(points.begin(), points.end(),
            [](const PointAspect& x, const PointAspect& y) { return x.longitude < y.longitude; });
  return points;
}

// Calls visite(pair) for every pair with a point in [debut, debut + longueur] (radians, taken
// round the circle), with a margin so that the exact test below has the last word.
template <typename Visite>
void PointsDansArc(const std::vector<PointAspect>& points, double debut, double longueur, Visite&& visite) {
  constexpr double marge = 1e-9;
  double bas = debut - marge, haut = debut + longueur + marge;
  auto parcourir = [&](double de, double a) {
    auto it = std::lower_bound(points.begin(), points.end(), de,
                               [](const PointAspect& p, double x) { return p.longitude < x; });
    for (; it != points.end() && it->longitude <= a; ++it) visite(it->paire);
  };
  if (bas < 0) {
    parcourir(bas + DeuxPi, DeuxPi);
    bas = 0;
  }
  if (haut >= DeuxPi) {
    parcourir(0, haut - DeuxPi);
    haut = DeuxPi;
  }
  parcourir(bas, haut);
}

}  // namespace

std::vector<LigneTransit> CalculerTransits(const NatalDirections& natal, const DemandeTransits& d) {
  std::vector<LigneTransit> lignes;
  const std::vector<int> corps = Trie(d.p1, 1, 19);
  const std::vector<Paire> paires = Paires(natal, Trie(d.p2, 1, 23), Trie(d.p3, 1, 23));
  std::vector<int> aspects = d.aspects;
  aspects.push_back(0);
  aspects = Trie(aspects, 0, 26);
  if (corps.empty() || paires.empty() || !AnneeTransitsValide(d.annee)) return lignes;
  const std::vector<PointAspect> points = PointsAspects(paires, aspects);
  std::vector<int> vuLe(paires.size(), -1);  // the last body-day a pair was tested on

  const double j0 = JourJulien(1, 1, d.annee, 0);
  // The library's ΔT: the moments listed are Universal Time to the second, as the library's own
  // Universal Time requests give them.
  auto position = [](int c, double jour) {
    const PositionEcliptique p = PositionCorps(c, jour + DeltaTBibliotheque(jour));
    return Etape{p.Longitude(), p.Vitesse()};
  };
  EffacerRefusEphemerides();
  std::vector<Etape> hier(corps.size()), aujourdhui(corps.size());
  for (std::size_t i = 0; i < corps.size(); ++i) hier[i] = position(corps[i], j0);
  SignalerRefusEphemerides();

  int etape = 0;
  for (int jour = 1; jour <= d.jours; ++jour) {
    const double J = j0 + jour;
    for (std::size_t i = 0; i < corps.size(); ++i, ++etape) {
      aujourdhui[i] = position(corps[i], J);
      const int s = corps[i];
      const double p1 = hier[i].longitude;
      // The day's motion, on the short way round: a body going backward over 0° Aries moves
      // by a small negative angle, not by nearly a whole turn.
      double u = aujourdhui[i].longitude - p1;
      if (u < -Pi) u += DeuxPi;
      if (u > Pi) u -= DeuxPi;
      const bool retrograde = u < 0;
      if (std::fabs(u) < 1e-10) u = retrograde ? -1e-10 : 1e-10;
      PointsDansArc(points, u > 0 ? p1 : p1 + u, std::fabs(u), [&](int k) {
        if (vuLe[static_cast<std::size_t>(k)] == etape) return;
        vuLe[static_cast<std::size_t>(k)] = etape;
        const Paire& paire = paires[static_cast<std::size_t>(k)];
        double g = paire.longitude - p1;
        if (g < 0) g += DeuxPi;
        // Ahead of the body the aspects fall before the midpoint, behind it after it.
        const double sigma = g < Pi ? -1.0 : 1.0;
        const double gp = g < Pi ? g : g - DeuxPi;
        for (int L : aspects) {
          const double parcours = gp + sigma * AnglesAspects[static_cast<std::size_t>(L)];
          const double f = parcours / u;
          if (!(f > 0 && f <= 1)) continue;
          const double t = FractionDuJour(u, hier[i].vitesse, aujourdhui[i].vitesse, parcours, f);
          LigneTransit l;
          l.corps = s;
          l.retrograde = retrograde;
          l.aspect = L;
          l.a = paire.a;
          l.b = paire.b;
          l.jour = J - 1 + t;
          l.pointAspectDeg = Normaliser2Pi(paire.longitude + sigma * AnglesAspects[static_cast<std::size_t>(L)]) * RadEnDeg;
          l.age = static_cast<float>((l.jour - natal.jourJulienNaissance) / AnneeAgeTransits);
          lignes.push_back(std::move(l));
          break;  // one aspect at most per pair and day
        }
      });
    }
    SignalerRefusEphemerides();
    hier.swap(aujourdhui);
  }
  // In time order: by the sort key of the list, the Julian day to five decimals.
  std::stable_sort(lignes.begin(), lignes.end(), [](const LigneTransit& x, const LigneTransit& y) {
    return std::llround(x.jour * 1e5) < std::llround(y.jour * 1e5);
  });
  return lignes;
}

std::array<std::string, 6> CellulesTransit(const LigneTransit& l) {
  std::array<std::string, 6> c;
  c[0] = Glyphe(l.corps) + (l.retrograde ? "@" : "") + " " + static_cast<char>(186 + l.aspect) + " " + Glyphe(l.a) +
         (l.a != l.b ? "/" + Glyphe(l.b) : "");
  c[1] = FormatGlyphe(l.pointAspectDeg * DegEnRad);
  c[2] = JourJulienVersDatePoints(l.jour) + " - " + FormatHeureHM(HeureDuJour(l.jour));
  c[3] = Age(l.age);
  c[5] = FormatReel(l.jour, 0, 5);
  return c;
}

std::string MessageExport(int colonnes, int lignes) {
  return "Tableau de " + std::to_string(colonnes) + " colonnes et " + std::to_string(lignes) +
         " lignes \xE0 coller";
}

}  // namespace selvane
