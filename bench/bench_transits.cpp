// A two-year transit list with every transiting body, against the ephemeris requests it cannot
// avoid (one per body and day): the list may cost at most 1.3 times those requests alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "forecast/ListeDirections.h"
#include "tests/forecast/NatalDeTest.h"

using namespace selvane;

namespace {

NatalDirections Natal() {
  CalculerNatalDeTest();
  return NatalDepuisEtat();
}

// Every P1 body; the natal points as the user ticks them: few (the Sun and the Moon) or all.
DemandeTransits Demande(bool tousLesPoints) {
  DemandeTransits d;
  for (int c = 1; c <= 19; ++c) d.p1.push_back(c);
  if (tousLesPoints) d.p2 = d.p3 = {CorpsDesListes.begin(), CorpsDesListes.end()};
  else d.p2 = d.p3 = {Soleil, Lune};
  d.annee = 2026;
  d.jours = 730;
  d.aspects = {2, 4, 6, 8};
  return d;
}

// The same requests the list makes, in its order: each body at 0h UT of each day, with the library's ΔT.
double AppelsBruts() {
  double somme = 0;
  const double j0 = JourJulien(1, 1, 2026, 0);
  for (int jour = 0; jour <= 730; ++jour)
    for (int c = 1; c <= 19; ++c) somme += PositionCorps(c, j0 + jour + DeltaTBibliotheque(j0 + jour)).longitudeDeg;
  return somme;
}

// Processor time of this thread: the machine's other work does not count.
double TempsProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The best of several runs of each, taken in turns so that both see the same machine.
template <typename F, typename G>
double Rapport(F&& liste, G&& brut) {
  double meilleureListe = 1e9, meilleurBrut = 1e9;
  for (int essai = 0; essai < 9; ++essai) {
    double t0 = TempsProcesseur();
    brut();
    meilleurBrut = std::min(meilleurBrut, TempsProcesseur() - t0);
    t0 = TempsProcesseur();
    liste();
    meilleureListe = std::min(meilleureListe, TempsProcesseur() - t0);
  }
  return meilleureListe / meilleurBrut;
}

void BM_AppelsBruts(benchmark::State& state) {
  Natal();
  for (auto _ : state) benchmark::DoNotOptimize(AppelsBruts());
}

void BM_TransitsDeuxAns(benchmark::State& state) {
  const NatalDirections natal = Natal();
  const DemandeTransits d = Demande(state.range(0) != 0);
  std::size_t lignes = 0;
  for (auto _ : state) {
    const auto l = CalculerTransits(natal, d);
    lignes = l.size();
    benchmark::DoNotOptimize(l.data());
  }
  // The ratio to the raw requests, measured in the same run.
  const double rapport = Rapport([&] { benchmark::DoNotOptimize(CalculerTransits(natal, d).size()); },
                                 [] { benchmark::DoNotOptimize(AppelsBruts()); });
  state.counters["lignes"] = static_cast<double>(lignes);
  state.counters["rapport"] = rapport;
  std::printf("transits sur deux ans, %s : %.3f fois les appels bruts (%zu lignes)\n",
              state.range(0) ? "tous les points natals" : "Soleil et Lune natals", rapport, lignes);
}

}  // namespace

BENCHMARK(BM_AppelsBruts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TransitsDeuxAns)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
