// The dial's refresh: the three rings, the picture at 1000 x 1000, the midpoint lines and the
// tree; a hundred "1 j" steps; and, as the unit they are measured in, one chart plus one Sun.
#include <benchmark/benchmark.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "dial/DessinCadran.h"
#include "dial/ModeleCadran.h"
#include "reglages/Reglages.h"
#include "tests/support/CadranDeTest.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;

namespace {

// The dial as it opens on the Paris record, at a moment in 2026 in the record's place and zone.
struct Cadran {
  ModeleCadran m;
  SelectionCadran s;
  ChampsMoment champs;
  QImage image{1000, 1000, QImage::Format_RGB32};
  Cadran() : m(OuvrirCadranDeTest()) {
    AppliquerReglagesParDefaut();
    const FicheClient fiche = FicheDeTest();
    champs.date = "10.12.2026";
    champs.heure = "14h20";
    champs.secondes = "07";
    champs.fuseau = fiche.Fuseau.Chaine();
    champs.lat = fiche.Lat.Chaine();
    champs.lon = fiche.Long.Chaine();
  }
  // What the window does after the moment changed: draw, lines, tree.
  std::size_t Dessiner() {
    QPainter p(&image);
    const OptionsCadran o = OptionsDeLaSelection(m, s, Etat().JeuPlanetes, LesReglages().ColoredCrowns);
    DessinerCadran(p, image.rect(), m, LesReglages(), o);
    return RemplirArbre(m, s, Etat().JeuPlanetes).size() + o.lignes.size();
  }
};

void BM_RafraichissementComplet(benchmark::State& state) {
  Cadran c;
  for (auto _ : state) {
    CalculerPositions(c.m, c.champs);
    benchmark::DoNotOptimize(c.Dessiner());
  }
}
BENCHMARK(BM_RafraichissementComplet)->Unit(benchmark::kMillisecond);

// The two halves of a refresh.
void BM_CalculerPositions(benchmark::State& state) {
  Cadran c;
  for (auto _ : state) CalculerPositions(c.m, c.champs);
}
BENCHMARK(BM_CalculerPositions)->Unit(benchmark::kMillisecond);

void BM_DessinLignesArbre(benchmark::State& state) {
  Cadran c;
  CalculerPositions(c.m, c.champs);
  for (auto _ : state) benchmark::DoNotOptimize(c.Dessiner());
}
BENCHMARK(BM_DessinLignesArbre)->Unit(benchmark::kMillisecond);

void BM_CentPasDUnJour(benchmark::State& state) {
  Cadran c;
  for (auto _ : state) {
    state.PauseTiming();
    CalculerPositions(c.m, c.champs);
    ChampsMoment champs = c.champs;
    state.ResumeTiming();
    for (int i = 0; i < 100; ++i) {
      AvancerCadran(c.m, champs, PasDuBouton(4));
      benchmark::DoNotOptimize(c.Dessiner());
    }
  }
}
BENCHMARK(BM_CentPasDUnJour)->Unit(benchmark::kMillisecond);

void BM_ThemeEtSoleil(benchmark::State& state) {
  Cadran c;
  for (auto _ : state) {
    CalculerTheme(EcartGlyphes7);
    const double P = Etat().JourJulienTU - 20000;
    CalculerSoleil(P + DeltaT(P));
    benchmark::DoNotOptimize(Etat().Positions[1][1]);
  }
}
BENCHMARK(BM_ThemeEtSoleil)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration to print the ratio at the end.
class Rapport : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> temps;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs) temps[r.benchmark_name()] = r.GetAdjustedCPUTime();  // CPU: the ratio holds on a busy machine
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  QFontDatabase::addApplicationFont(QString(SELVANE_BIN_DIR) + "/Celvan S.ttf");
  benchmark::Initialize(&argc, argv);
  Rapport rapport;
  benchmark::RunSpecifiedBenchmarks(&rapport);
  const auto t = [&](const char* nom) {
    const auto i = rapport.temps.find(nom);
    return i == rapport.temps.end() ? 0.0 : i->second;
  };
  if (t("BM_ThemeEtSoleil") > 0) {
    std::printf("Rafraîchissement / (thème + Soleil) : %.1f\n", t("BM_RafraichissementComplet") / t("BM_ThemeEtSoleil"));
    std::printf("Cent pas / (thème + Soleil) : %.1f\n", t("BM_CentPasDUnJour") / t("BM_ThemeEtSoleil"));
  }
  benchmark::Shutdown();
  return 0;
}
