// GestSelvane on a birth file of 10,000 records: load, sort, save.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/FichierNaissance.h"
#include "manager/TMainForm.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;
namespace fs = std::filesystem;

static void BM_ChargerTrierSauver10000(benchmark::State& state) {
  const fs::path dossier = fs::temp_directory_path() / ("selvane_bench_gestion_" + std::to_string(::getpid()));
  fs::create_directories(dossier);
  std::vector<FicheClient> fiches;
  for (int i = 0; i < 10000; ++i) {
    const std::string nom = "NOM" + std::to_string((i * 7919) % 10000 + 10000) + ",Prenom";
    fiches.push_back(FicheDeTest(nom.c_str()).AvecCle());
  }
  gestion::TMainForm fenetre(QString::fromStdString(dossier.string()));
  for (auto _ : state) {
    state.PauseTiming();
    RecrireFichierNaissance(dossier / "Grand.thz", fiches);
    state.ResumeTiming();
    fenetre.OuvrirFichier();
    fenetre.Charger("Grand.thz");
    fenetre.TrierFichier();
    fenetre.FermerLaListe();
  }
  fs::remove_all(dossier);
}
BENCHMARK(BM_ChargerTrierSauver10000)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
