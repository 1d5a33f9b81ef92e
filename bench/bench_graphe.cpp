// The graphic ephemeris of a year: 15 bodies in the 45° dial against every midpoint of the planet
// set, then its redraw at 1920×1080; both against one chart computation and the raw ephemeris
// requests the scan cannot avoid (one per body and day). Budgets: the model under 100 ms, a
// redraw under 16 ms.
#include <benchmark/benchmark.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "reglages/Reglages.h"
#include "techniques/DessinEphemGraphique.h"
#include "techniques/EphemGraphique.h"
#include "tests/forecast/NatalDeTest.h"

using namespace selvane;

namespace {

NatalGraphe Natal() {
  CalculerNatalDeTest();
  NatalGraphe n;
  for (int b = 1; b <= NbCorps; ++b) n.longitudes[static_cast<std::size_t>(b)] = Etat().Positions[b][6];
  n.jourJulienNaissance = Etat().JourJulienTU;
  return n;
}

// The Sun and Mars .. Poseidon: the slow bodies a year is read for, with the fastest one that
// still draws a readable curve.
DemandeGraphe Demande() {
  DemandeGraphe d;
  d.jour = 1, d.mois = 1, d.annee = 2027, d.nbMois = 12;
  d.moduleDeg = 45;
  d.corps = {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
  d.cibles = CiblesGraphe::MiPoints;
  return d;
}

double AppelsBruts() {
  double somme = 0;
  const double j0 = JourJulien(1, 1, 2027, 0);
  for (int c : Demande().corps)
    for (int jour = 0; jour <= 365; ++jour) somme += PositionCorpsTU(c, j0 + jour).longitudeDeg;
  return somme;
}

void UnTheme() {
  CalculerTheme(EcartGlyphes8);
  benchmark::DoNotOptimize(Etat().Positions[1][1]);
}

double TempsProcesseur() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The best of several runs of each, in turns so that both see the same machine; seconds.
template <typename F>
double Meilleur(F&& f, int essais = 7) {
  double m = 1e9;
  for (int i = 0; i < essais; ++i) {
    const double t0 = TempsProcesseur();
    f();
    m = std::min(m, TempsProcesseur() - t0);
  }
  return m;
}

double TempsTheme() {
  // A chart is quick: time a hundred of them.
  return Meilleur([] {
           for (int i = 0; i < 100; ++i) UnTheme();
         }) /
         100;
}

void BM_UnTheme(benchmark::State& state) {
  Natal();
  for (auto _ : state) UnTheme();
}

void BM_AppelsBruts(benchmark::State& state) {
  Natal();
  for (auto _ : state) benchmark::DoNotOptimize(AppelsBruts());
}

void BM_ModeleAnnee45(benchmark::State& state) {
  const NatalGraphe n = Natal();
  const std::bitset<256> jeu = Etat().JeuPlanetes;
  const DemandeGraphe d = Demande();
  std::size_t croisements = 0, cibles = 0;
  for (auto _ : state) {
    const EphemGraphique g = CalculerEphemGraphique(n, jeu, d);
    croisements = g.croisements.size();
    cibles = g.cibles.size();
    benchmark::DoNotOptimize(g.croisements.data());
  }
  const double modele = Meilleur([&] { benchmark::DoNotOptimize(CalculerEphemGraphique(n, jeu, d).croisements.size()); });
  const double brut = Meilleur([] { benchmark::DoNotOptimize(AppelsBruts()); });
  const double theme = TempsTheme();
  state.counters["croisements"] = static_cast<double>(croisements);
  state.counters["theme"] = modele / theme;
  state.counters["brut"] = modele / brut;
  std::printf("modèle, un an, 15 corps, 45°, %zu mi-points : %.1f ms, %.0f fois un thème, %.2f fois les appels bruts "
              "(%zu croisements)\n",
              cibles, modele * 1e3, modele / theme, modele / brut, croisements);
}

void BM_Redessin1920(benchmark::State& state) {
  const NatalGraphe n = Natal();
  const EphemGraphique g = CalculerEphemGraphique(n, Etat().JeuPlanetes, Demande());
  QImage image(1920, 1080, QImage::Format_RGB32);
  const Palette palette = PaletteEcran(LesReglages());
  auto dessiner = [&] {
    QPainter p(&image);
    DessinerEphemGraphique(p, QRectF(image.rect()), g, palette);
  };
  for (auto _ : state) dessiner();
  const double dessin = Meilleur(dessiner);
  const double theme = TempsTheme();
  state.counters["theme"] = dessin / theme;
  std::printf("redessin 1920x1080 : %.1f ms, %.0f fois un thème\n", dessin * 1e3, dessin / theme);
}

}  // namespace

BENCHMARK(BM_UnTheme)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AppelsBruts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ModeleAnnee45)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Redessin1920)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  // Fonts need the application object; the glyph font is the one the build installs.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  QFontDatabase::addApplicationFont(SELVANE_BIN_DIR "/Celvan S.ttf");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
