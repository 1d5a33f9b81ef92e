// The event list (eclipses, lunations, cardinal ingresses) of one year and of a century.
#include <benchmark/benchmark.h>

#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "techniques/Lunaisons.h"

using namespace selvane;

static void BM_EvenementsUnAn(benchmark::State& state) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  for (auto _ : state) benchmark::DoNotOptimize(CalculerEvenements(2024, 2024));
}
BENCHMARK(BM_EvenementsUnAn)->Unit(benchmark::kMillisecond);

static void BM_EvenementsCentAns(benchmark::State& state) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  for (auto _ : state) benchmark::DoNotOptimize(CalculerEvenements(1950, 2049));
}
BENCHMARK(BM_EvenementsCentAns)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
