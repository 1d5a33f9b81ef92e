// Inserting one record into a birth file of 10,000 records: read, backup, write, rename.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/FichierNaissance.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;
namespace fs = std::filesystem;

static void BM_InsererDansDixMille(benchmark::State& state) {
  const fs::path dossier = fs::temp_directory_path() / ("selvane_bench_" + std::to_string(::getpid()));
  fs::create_directories(dossier);
  const fs::path fichier = dossier / "Grand.thz";
  std::vector<FicheClient> fiches;
  for (int i = 0; i < 10000; ++i) {
    const std::string nom = "NOM" + std::to_string(100000 + 2 * i) + ",Prenom";
    fiches.push_back(FicheDeTest(nom.c_str()).AvecCle());
  }
  FicheClient nouvelle = fiches[5000];
  nouvelle.Nom = "NOM110001,Milieu";
  nouvelle.SortOrder = CleDeTri(nouvelle.Nom.Texte());
  for (auto _ : state) {
    state.PauseTiming();
    RecrireFichierNaissance(fichier, fiches);
    state.ResumeTiming();
    InsererFiche(fichier, nouvelle);
  }
  fs::remove_all(dossier);
}
BENCHMARK(BM_InsererDansDixMille)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
