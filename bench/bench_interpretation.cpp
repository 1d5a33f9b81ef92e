// The longest search of the interpretation window (every point on all midpoints, indirect
// contacts, orb 1°) over the installed text file: the indexed reader, file read and indexed
// once per command, against the reader that rescans the file for every lookup.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "forecast/Interpretation.h"
#include "forecast/RechercheInterpretation.h"

using namespace selvane;

namespace {

const std::string Fichier = std::string(SELVANE_BIN_DIR) + "/" + NomFichierInterpretation;

DemandeInterpretation PlusLongue() {
  DemandeInterpretation d;
  d.modeDe = DePointsChoisis;
  for (int j = 0; j < 22; ++j) d.pointsChoisis.set(OrdreUranien[j]);
  d.indexOrbe = 5;
  d.indirects = true;
  std::mt19937 alea(1952);
  std::uniform_real_distribution<double> angle(0, DeuxPi);
  for (int c = 1; c < PointBelier; ++c) d.cible[c] = angle(alea);
  return d;
}

void Chercher(benchmark::State& state, OuvrirInterpretation ouvrir) {
  const DemandeInterpretation d = PlusLongue();
  std::vector<std::string> lignes;
  for (auto _ : state) {
    EcrireInterpretation(d, ouvrir, lignes);
    benchmark::DoNotOptimize(lignes.data());
  }
  state.counters["lignes"] = static_cast<double>(lignes.size());
}

void BM_RechercheLaPlusLongueIndexee(benchmark::State& state) {
  Chercher(state, [] { return IndexInterpretation::Ouvrir(Fichier); });
}
void BM_RechercheLaPlusLongueEnRelisant(benchmark::State& state) {
  Chercher(state, [] { return std::make_unique<RelectureInterpretation>(Fichier); });
}

}  // namespace

BENCHMARK(BM_RechercheLaPlusLongueIndexee)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RechercheLaPlusLongueEnRelisant)->Unit(benchmark::kMillisecond)->Iterations(2);

BENCHMARK_MAIN();
