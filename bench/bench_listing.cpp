// Redrawing a chart listing window at 1920x1080 into a picture.
#include <benchmark/benchmark.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "core/Calcul.h"
#include "listing/DessinTheme.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "reglages/Reglages.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;

static void BM_DessinerTheme1920x1080(benchmark::State& state) {
  ReinitialiserEtat();
  OuvrirEphemerides();
  AppliquerReglagesParDefaut();
  Etat().FicheEnCours = FicheDeTest();
  CalculerTheme(EcartGlyphes8);
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter p(&image);
    DessinerTheme(p, image.size(), Etat(), LesReglages(), OptionsDessin());
  }
}
BENCHMARK(BM_DessinerTheme1920x1080)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  for (const char* police : {"Celvan S.ttf", "Zazazive.ttf"})
    QFontDatabase::addApplicationFont(QString(SELVANE_BIN_DIR) + "/" + police);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
