// 10,000 AAF records of town and country only, completed from the atlas and
// the time-zone database: read alone, then imported whole into a new birth file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/Echange.h"
#include "birthdata/records/FichierNaissance.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

// Towns of eleven countries, dates over two centuries: many atlas searches and regimes.
std::string DixMilleFiches() {
  const char* lieux[] = {"Paris,F",      "Lyon,F",     "Marseille,F",    "Toulouse,F",  "Nice,F",
                         "Nantes,F",     "Strasbourg,F", "Bordeaux,F",   "Lille,F",     "Rennes,F",
                         "Berlin,D",     "Hamburg,D",  "München,D",      "Köln,D",      "Heidelberg,D",
                         "Zürich,CH",    "Genève,CH",  "Bern,CH",        "Wien,A",      "Bruxelles,B",
                         "Roma,I",       "Madrid,E",   "London,GB",      "New York,USA", "Montréal,CDN"};
  std::string texte;
  char ligne[160];
  for (int i = 0; i < 10000; ++i) {
    std::snprintf(ligne, sizeof ligne, "#A93:NOM%05d,Prénom,m,%d.%d.%d,%d:%02d,%s\r\n#COM:fiche %d\r\n", i,
                  i % 28 + 1, i % 12 + 1, 1840 + i % 200, i % 24, i * 7 % 60, lieux[i % 25], i);
    texte += ligne;
  }
  return texte;
}

void BM_LireDixMilleAvecAtlas(benchmark::State& state) {
  const std::string texte = DixMilleFiches();
  for (auto _ : state) {
    const CompletionAtlas completion(SELVANE_BIN_DIR);
    const LectureEchange l = LireAaf(texte, &completion);
    if (l.fiches.size() != 10000) state.SkipWithError(("fiches refusées : " + std::to_string(l.refusees)).c_str());
    benchmark::DoNotOptimize(l.fiches.data());
  }
}
BENCHMARK(BM_LireDixMilleAvecAtlas)->Unit(benchmark::kMillisecond);

// What `births import-aaf` does: read, complete, one ordered insertion with its backup.
void BM_ImporterDixMilleDansUnFichierVide(benchmark::State& state) {
  const fs::path dossier = fs::temp_directory_path() / ("selvane_bench_echange_" + std::to_string(::getpid()));
  fs::create_directories(dossier);
  const fs::path fichier = dossier / "Import.thz";
  const std::string texte = DixMilleFiches();
  for (auto _ : state) {
    state.PauseTiming();
    RecrireFichierNaissance(fichier, {});
    state.ResumeTiming();
    const CompletionAtlas completion(SELVANE_BIN_DIR);
    const LectureEchange l = LireAaf(texte, &completion);
    InsererFiches(fichier, l.fiches);
  }
  fs::remove_all(dossier);
}
BENCHMARK(BM_ImporterDixMilleDansUnFichierVide)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
