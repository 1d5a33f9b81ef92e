// GestSelvane on a birth file of 10,000 records: load, sort, save, through the window and
// through its record model, against the plain read and rewrite of the file (the floor).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/FichierNaissance.h"
#include "manager/CarnetFiches.h"
#include "manager/TMainForm.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

struct Grand {
  fs::path dossier = fs::temp_directory_path() / ("selvane_bench_gestion_" + std::to_string(::getpid()));
  std::vector<FicheClient> fiches;
  Grand() {
    fs::create_directories(dossier);
    for (int i = 0; i < 10000; ++i) {
      const std::string nom = "NOM" + std::to_string((i * 7919) % 10000 + 10000) + ",Prenom";
      fiches.push_back(FicheDeTest(nom.c_str()).AvecCle());
    }
  }
  ~Grand() { fs::remove_all(dossier); }
  fs::path Ecrire() const {
    RecrireFichierNaissance(dossier / "Grand.thz", fiches);
    return dossier / "Grand.thz";
  }
};

}  // namespace

static void BM_LireEtRecrire10000(benchmark::State& state) {
  const Grand g;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path p = g.Ecrire();
    state.ResumeTiming();
    RecrireFichierNaissance(p, LireFichierNaissance(p));
  }
}
BENCHMARK(BM_LireEtRecrire10000)->Unit(benchmark::kMillisecond);

static void BM_CarnetChargerTrierSauver10000(benchmark::State& state) {
  const Grand g;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path p = g.Ecrire();
    state.ResumeTiming();
    gestion::CarnetFiches carnet;
    carnet.Ouvrir(p);
    carnet.Trier();
    carnet.Sauver();
  }
}
BENCHMARK(BM_CarnetChargerTrierSauver10000)->Unit(benchmark::kMillisecond);

static void BM_FenetreChargerTrierSauver10000(benchmark::State& state) {
  const Grand g;
  TemoinInstalle silencieuse;  // the "Fichier sauvé " box answered without a person
  gestion::TMainForm fenetre(QString::fromStdString(g.dossier.string()));
  for (auto _ : state) {
    state.PauseTiming();
    g.Ecrire();
    state.ResumeTiming();
    fenetre.OuvrirFichier();
    fenetre.Charger("Grand.thz");
    fenetre.TrierFichier();
    fenetre.SauverFichier();
    fenetre.FermerLaListe();
  }
}
BENCHMARK(BM_FenetreChargerTrierSauver10000)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
