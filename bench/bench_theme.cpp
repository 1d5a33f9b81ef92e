// CalculerTheme against its floor: the same ephemeris calls made directly.
#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "cli/Commandes.h"
#include "cli/ThemeNatal.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

using namespace selvane;

namespace {

struct Cas {
  FicheClient fiche;
  double jourUT;
  double jourTT;
  double lat;
  double lon;
};

std::string Deux(int n) {
  char t[8];
  std::snprintf(t, sizeof t, "%02d", n);
  return t;
}

// Random births 1900..2100 over inhabited latitudes; the same list for every benchmark.
const std::vector<Cas>& LesCas() {
  static const std::vector<Cas> cas = [] {
    std::mt19937 alea(20261210);
    std::uniform_int_distribution<int> annee(1900, 2099), mois(1, 12), jour(1, 28), heure(0, 23),
        minute(0, 59), latD(-60, 65), lonD(-179, 179), zone(-11, 12);
    std::vector<Cas> v;
    for (int i = 0; i < 1000; ++i) {
      Cas c;
      const int a = annee(alea), m = mois(alea), j = jour(alea), h = heure(alea), mi = minute(alea);
      const int la = latD(alea), lo = lonD(alea), z = zone(alea), lam = minute(alea), lom = minute(alea);
      c.fiche.Date = Deux(j) + "/" + Deux(m) + "/" + std::to_string(a);
      c.fiche.Heure = Deux(h) + "h" + Deux(mi) + "m00";
      c.fiche.Lat = std::to_string(la) + "." + Deux(lam);
      c.fiche.Long = std::to_string(lo) + "." + Deux(lom);
      c.fiche.Fuseau = (z < 0 ? "-" + Deux(-z) : Deux(z)) + ".00.00";
      c.lat = (la < 0 ? -1 : 1) * (std::abs(la) + lam / 60.0);
      c.lon = (lo < 0 ? -1 : 1) * (std::abs(lo) + lom / 60.0);
      c.jourUT = JourJulien(j, m, a, (h + mi / 60.0 - z) / 24.0);
      c.jourTT = c.jourUT + DeltaT(c.jourUT);
      v.push_back(c);
    }
    return v;
  }();
  return cas;
}

void Preparer() {
  PreparerCalcul();
  Etat().SystemeMaisons = 1;
}

// The raw calls one chart needs: obliquity and nutation, equation of time, the
// 19 bodies, the Sun's equatorial conversion, the houses.
void BM_Plancher(benchmark::State& state) {
  Preparer();
  const auto& cas = LesCas();
  std::size_t i = 0;
  char erreur[256];
  double x[6], eq[3], cuspides[13], angles[10], eot;
  for (auto _ : state) {
    const Cas& c = cas[i++ % cas.size()];
    swe_calc(c.jourTT, SE_ECL_NUT, 0, x, erreur);
    swe_time_equ(c.jourTT, &eot, erreur);
    for (int corps = SE_SUN; corps <= SE_PLUTO; ++corps) {
      swe_calc(c.jourTT, corps, SEFLG_SPEED, x, erreur);
      if (corps == SE_SUN) swe_cotrans(x, eq, -23.44);
    }
    swe_calc(c.jourTT, SE_TRUE_NODE, SEFLG_SPEED, x, erreur);
    for (int corps = 40; corps <= 47; ++corps) swe_calc(c.jourTT, corps, SEFLG_SPEED, x, erreur);
    swe_houses(c.jourUT, c.lat, c.lon, 'P', cuspides, angles);
    benchmark::DoNotOptimize(cuspides);
  }
}
BENCHMARK(BM_Plancher)->Unit(benchmark::kMicrosecond);

void BM_CalculerTheme(benchmark::State& state) {
  Preparer();
  const auto& cas = LesCas();
  std::size_t i = 0;
  for (auto _ : state) {
    Etat().FicheEnCours = cas[i++ % cas.size()].fiche;
    CalculerTheme(EcartGlyphes8);
    benchmark::DoNotOptimize(Etat().Positions);
  }
}
BENCHMARK(BM_CalculerTheme)->Unit(benchmark::kMicrosecond);

// The command line's batch path, 10,000 lines, output thrown away.
void BM_LotCli10000(benchmark::State& state) {
  const std::string chemin = "/tmp/selvane_bench_lot.txt";
  {
    std::FILE* f = std::fopen(chemin.c_str(), "w");
    const auto& cas = LesCas();
    for (int i = 0; i < 10000; ++i) {
      const FicheClient& fi = cas[i % cas.size()].fiche;
      std::fprintf(f, "%s;%s;%s;%s;%s\n", fi.Date.Chaine().c_str(), fi.Heure.Chaine().c_str(),
                   fi.Lat.Chaine().c_str(), fi.Long.Chaine().c_str(), fi.Fuseau.Chaine().c_str());
    }
    std::fclose(f);
  }
  std::FILE* ancien = std::freopen("/dev/null", "w", stdout);
  (void)ancien;
  char programme[] = "selvane-cli", commande[] = "chart", option[] = "--batch";
  std::vector<char> fichier(chemin.begin(), chemin.end());
  fichier.push_back('\0');
  char* argv[] = {programme, commande, option, fichier.data()};
  for (auto _ : state) benchmark::DoNotOptimize(ExecuterCli(4, argv));
  std::fflush(stdout);
}
BENCHMARK(BM_LotCli10000)->Unit(benchmark::kMillisecond)->Iterations(3);

// Keeps the time per iteration of each benchmark to print the ratios at the end.
class Rapporteur : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> tempsParIteration;  // seconds
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.iterations > 0)
        tempsParIteration[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Rapporteur rapporteur;
  benchmark::RunSpecifiedBenchmarks(&rapporteur);
  auto& t = rapporteur.tempsParIteration;
  auto chercher = [&](const std::string& debut) -> double {
    for (auto& [nom, s] : t)
      if (nom.rfind(debut, 0) == 0) return s;
    return 0;
  };
  const double plancher = chercher("BM_Plancher");
  const double theme = chercher("BM_CalculerTheme");
  const double lot = chercher("BM_LotCli10000");
  if (plancher > 0 && theme > 0)
    std::fprintf(stderr, "CalculerTheme / raw ephemeris calls: %.3f (limit 1.25)\n", theme / plancher);
  if (plancher > 0 && lot > 0)
    std::fprintf(stderr, "batch of 10,000 / (10,000 x raw calls): %.3f (limit 1.5, parsing included)\n",
                 lot / (10000 * plancher));
  benchmark::Shutdown();
  return 0;
}
