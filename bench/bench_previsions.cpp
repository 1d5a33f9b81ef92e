// The forecast table: the 253 rows computed, drawn into the window's picture, and both as a
// refresh does; the two returns of the "Calcul" command beside them.
#include <benchmark/benchmark.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "forecast/DessinTableMiPoints.h"
#include "forecast/Retours.h"
#include "forecast/TableMiPoints.h"
#include "reglages/Reglages.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;

namespace {

void Natal() {
  ReinitialiserEtat();
  OuvrirEphemerides();
  AppliquerReglagesParDefaut();
  Etat().FicheEnCours = FicheDeTest();
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
}

QImage Image() {
  QImage image(900, 1000, QImage::Format_RGB32);
  image.setDotsPerMeterX(3780);
  image.setDotsPerMeterY(3780);
  return image;
}

ParametresTable Parametres(int h) {
  ParametresTable par;
  par.harmonique = h;
  par.corpsEnSurbrillance = 1;
  par.titre = "Jean DUPONT - Natal";
  par.palette = PaletteEcran(LesReglages());
  return par;
}

}  // namespace

static void BM_CalculerMiPoints(benchmark::State& state) {
  Natal();
  for (auto _ : state) {
    const std::vector<double> l = LongitudesDeColonne(6);
    benchmark::DoNotOptimize(CalculerMiPoints(l.data(), 4));
  }
}
BENCHMARK(BM_CalculerMiPoints)->Unit(benchmark::kMicrosecond);

static void BM_DessinerTable(benchmark::State& state) {
  Natal();
  const std::vector<double> l = LongitudesDeColonne(6);
  const int h = static_cast<int>(state.range(0));
  const std::vector<LigneTableMiPoints> lignes = CalculerMiPoints(l.data(), h);
  QImage image = Image();
  const ParametresTable par = Parametres(h);
  for (auto _ : state) {
    QPainter p(&image);
    DessinerTableauMiPOints(p, lignes, par);
  }
}
BENCHMARK(BM_DessinerTable)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// What "Actualiser la table" costs: the rows and their picture.
static void BM_ActualiserLaTable(benchmark::State& state) {
  Natal();
  QImage image = Image();
  const ParametresTable par = Parametres(1);
  for (auto _ : state) {
    const std::vector<double> l = LongitudesDeColonne(6);
    const std::vector<LigneTableMiPoints> lignes = CalculerMiPoints(l.data(), 1);
    QPainter p(&image);
    DessinerTableauMiPOints(p, lignes, par);
  }
}
BENCHMARK(BM_ActualiserLaTable)->Unit(benchmark::kMillisecond);

static void BM_RetourSolaire(benchmark::State& state) {
  Natal();
  const EtatPrevision etat = OuvrirEtatPrevision();
  for (auto _ : state) benchmark::DoNotOptimize(RetourSolaire(etat, 2027, true));
}
BENCHMARK(BM_RetourSolaire)->Unit(benchmark::kMicrosecond);

static void BM_RetourLunaireSansFichier(benchmark::State& state) {
  Natal();
  const EtatTheme natal = Etat();
  ChampsPrevision champs;
  champs.technique = TechniquePrevision::RL;
  champs.date = "01.01.2027";
  for (auto _ : state) {
    Etat() = natal;
    EtatPrevision etat = OuvrirEtatPrevision();
    benchmark::DoNotOptimize(CalculerPrevision(etat, champs, {{}, false, {}}));
  }
}
BENCHMARK(BM_RetourLunaireSansFichier)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  QFontDatabase::addApplicationFont(QString(SELVANE_BIN_DIR) + "/Celvan S.ttf");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
