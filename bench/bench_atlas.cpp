// Find in the largest atlas file, one regime lookup, and the zone source of the print stamp.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "birthdata/Atlas.h"
#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/Echange.h"
#include "birthdata/Fuseaux.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

fs::path PlusGrandAtlas() {
  fs::path plus;
  std::uintmax_t taille = 0;
  for (const auto& e : fs::directory_iterator(SELVANE_BIN_DIR))
    if (e.path().extension() == ".cty" && e.file_size() > taille) {
      taille = e.file_size();
      plus = e.path();
    }
  return plus;
}

void BM_ChercherDansLePlusGrandAtlas(benchmark::State& state) {
  FichierAtlas atlas(PlusGrandAtlas());
  const std::vector<std::string> textes = {"SPRINGFIELD", "BAY MIN", "A", "ZZZ", "NEW YORK", "SAN FRANCISCO"};
  std::size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(atlas.Chercher(textes[i++ % textes.size()]));
  state.SetLabel(PlusGrandAtlas().filename().string() + ", " + std::to_string(atlas.Nombre()) + " villes");
}
BENCHMARK(BM_ChercherDansLePlusGrandAtlas)->Unit(benchmark::kMicrosecond);

// Paris, and the zone whose lines come last in the database (the longest read).
void BM_RegimeHoraire(benchmark::State& state) {
  const char* zone = state.range(0) == 0 ? "Europe/Paris" : "WET";
  const auto numero = LireFuseauActuel(SELVANE_BIN_DIR, zone);
  if (!numero) {
    state.SkipWithError("zone absente");
    return;
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(ChercherRegimeFromDate(SELVANE_BIN_DIR, *numero, 7, 3, 1952, 14, 5, 0));
  state.SetLabel(zone);
}
BENCHMARK(BM_RegimeHoraire)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

// The stamp's "Europe/Paris, CEST, heure d'été" on a new completion, as a first print asks it:
// a key search in each atlas file, nothing read whole.
void BM_SourceDuFuseauPremiereImpression(benchmark::State& state) {
  const FicheClient f = FicheDesChamps("Ete,Paul", "15/07/1990", "12h00m00", "Paris", "48.51", "2.21", "02.00.00", "");
  for (auto _ : state) {
    CompletionAtlas completion{fs::path(SELVANE_BIN_DIR)};
    const auto source = completion.Source(f);
    if (!source) state.SkipWithError("source inconnue");
    benchmark::DoNotOptimize(source);
  }
}
BENCHMARK(BM_SourceDuFuseauPremiereImpression)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
