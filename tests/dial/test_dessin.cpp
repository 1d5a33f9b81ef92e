#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

#include "core/Catalogue.h"
#include "dial/DessinCadran.h"
#include "dial/ModeleCadran.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"

// The dial painter drawn into pictures of a made-up model, checked from its pixels.
using namespace selvane;

namespace {

constexpr double Deg = DegEnRad;
constexpr int Cote = 700;

void Application() {
  ApplicationDeTest<QGuiApplication>();
  static const bool police = QFontDatabase::addApplicationFont(SELVANE_BIN_DIR "/Celvan S.ttf") >= 0;
  ASSERT_TRUE(police);
}

// Every body of every ring 7° from the next between 7° and 168° of the dial, so the spreads
// leave them in place: the rest of the rings is empty.
ModeleCadran ModeleGroupe(int H = 4) {
  ModeleCadran m;
  m.Harmonique = H;
  for (int anneau = 1; anneau <= 3; ++anneau) {
    for (int b = 1; b <= NbCorps; ++b) {
      m.Longitudes[b][anneau] = (b * 7.0) * Deg / H;
      m.PositionsCadran[b][anneau] = static_cast<float>(AngleCadran(m.Longitudes[b][anneau], H));
    }
    EtalerPositions(m, anneau, anneau == 1 ? EcartNatal : EcartComparaison);
  }
  return m;
}

QImage Dessiner(const ModeleCadran& m, const OptionsCadran& o, const Reglages& r = Reglages()) {
  QImage image(Cote, Cote, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  DessinerCadran(p, image.rect(), m, r, o);
  return image;
}

QPoint Pixel(const GeometrieCadran& g, double rayon, double angleCadran) {
  const double t = Pi / 2 + angleCadran;
  return QPoint(g.XC + static_cast<int>(std::lround(rayon * std::cos(t))),
                g.YC - static_cast<int>(std::lround(rayon * std::sin(t))));
}

// Pixels of an annulus (between two radii, over dial angles a0..a1) that a test counts.
template <typename Critere>
int Compter(const QImage& image, const GeometrieCadran& g, double r0, double r1, double a0, double a1, Critere c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const double dx = x - g.XC, dy = y - g.YC, r = std::hypot(dx, dy);
      if (r < r0 || r > r1) continue;
      const double a = Normaliser2Pi(std::atan2(-dy, dx) - Pi / 2);
      if (a < a0 || a > a1) continue;
      n += c(QColor(image.pixel(x, y)));
    }
  }
  return n;
}

bool Sombre(const QColor& c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; }

}  // namespace

TEST(DessinDuCadran, CouronnesColoreesOuBlanches) {
  Application();
  const ModeleCadran m = ModeleGroupe();
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  OptionsCadran o;
  o.pointeur = false;
  struct Anneau { double rayon; QColor couleur; };
  const Anneau anneaux[] = {{(g.R60 + g.R70) / 2.0, QColor(255, 255, 155)},
                            {(g.R70 + g.R80) / 2.0, QColor(204, 255, 255)},
                            {(g.R80 + g.R90) / 2.0, QColor(255, 204, 204)},
                            {(g.R50 + g.R60) / 2.0 - 2, QColor(255, 255, 255)}};
  for (bool couronnes : {true, false}) {
    o.couronnesColorees = couronnes;
    const QImage image = Dessiner(m, o);
    for (const Anneau& a : anneaux) {
      const QColor vu = image.pixelColor(Pixel(g, a.rayon, 270 * Deg));
      EXPECT_EQ(vu, couronnes ? a.couleur : QColor(Qt::white)) << a.rayon << " " << vu.name().toStdString();
    }
    // Outside the dial the surface is white.
    EXPECT_EQ(image.pixelColor(2, Cote - 3), QColor(Qt::white));
  }
}

TEST(DessinDuCadran, GlyphesDesAnneauxEtModeHorloge) {
  Application();
  const ModeleCadran m = ModeleGroupe();
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  OptionsCadran o;
  o.pointeur = false;
  const auto glyphes = [&](const QImage& image, int rin, int rout) {
    return Compter(image, g, rin + 2, rout - 2, 0, 2 * Pi, Sombre);
  };
  const QImage normal = Dessiner(m, o);
  EXPECT_GT(glyphes(normal, g.R60, g.R70), 50);
  EXPECT_GT(glyphes(normal, g.R70, g.R80), 50);
  EXPECT_GT(glyphes(normal, g.R80, g.R90), 50);
  // The glyphs stay where the bodies are: the other side of the rings is empty.
  for (auto [rin, rout] : {std::pair{g.R60, g.R70}, {g.R70, g.R80}, {g.R80, g.R90}})
    EXPECT_EQ(Compter(normal, g, rin + 2, rout - 2, 200 * Deg, 340 * Deg, Sombre), 0) << rin;
  o.modeHorloge = true;
  const QImage horloge = Dessiner(m, o);
  EXPECT_EQ(glyphes(horloge, g.R60, g.R70), 0);
  EXPECT_EQ(glyphes(horloge, g.R70, g.R80), 0);
  EXPECT_GT(glyphes(horloge, g.R80, g.R90), 50);
  // Clock mode keeps the crowns' colours.
  EXPECT_EQ(horloge.pixelColor(Pixel(g, (g.R60 + g.R70) / 2.0, 270 * Deg)), QColor(255, 255, 155));
}

TEST(DessinDuCadran, PlanetesDansLaCouleurDeLeurCorps) {
  Application();
  const ModeleCadran m = ModeleGroupe();
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  Reglages r;
  for (int b = 1; b <= NbCorps; ++b) r.CouleursCorpsEcran[b] = 0x0000C000;  // green (BBGGRR)
  OptionsCadran o;
  o.pointeur = false;
  const auto vert = [](const QColor& c) { return c.green() > 150 && c.red() < 80 && c.blue() < 80; };
  o.couronnesColorees = false;
  EXPECT_GT(Compter(Dessiner(m, o, r), g, g.R60, g.R90, 0, 2 * Pi, vert), 50);
  o.couronnesColorees = true;
  EXPECT_EQ(Compter(Dessiner(m, o, r), g, g.R60, g.R90, 0, 2 * Pi, vert), 0);
}

TEST(DessinDuCadran, LignesSerreeEtLarge) {
  // A tight line joins its two bodies and runs from the centre to each; a wide one only joins them.
  Application();
  ModeleCadran m = ModeleGroupe();
  for (int b : {Soleil, Lune, Mars, Venus}) m.PositionsCadran[b][1] = static_cast<float>((b * 90.0 - 45) * Deg);
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  OptionsCadran o;
  o.directionPointeur = 300 * Deg;
  o.coucheDe = CoucheNatale;
  o.coucheVers = CoucheNatale;
  o.lignes = {{4, Soleil, Lune, 0, true}, {4, Mars, Venus, 0, false}};
  const QImage image = Dessiner(m, o);
  const auto pres = [&](QPoint p, auto critere) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (critere(image.pixelColor(p + QPoint(dx, dy)))) return true;
    return false;
  };
  const auto vert = [](const QColor& c) { return c.green() > 140 && c.red() < 90 && c.blue() < 90; };
  const auto bleu = [](const QColor& c) { return c.blue() > 180 && c.red() < 90 && c.green() < 90; };
  const QPoint centre(g.XC, g.YC);
  const QPoint soleil = Pixel(g, g.R60, m.PositionsCadran[Soleil][1]);
  const QPoint lune = Pixel(g, g.R60, m.PositionsCadran[Lune][1]);
  const QPoint mars = Pixel(g, g.R60, m.PositionsCadran[Mars][1]);
  const QPoint venus = Pixel(g, g.R60, m.PositionsCadran[Venus][1]);
  EXPECT_TRUE(pres((soleil + lune) / 2, vert));
  EXPECT_TRUE(pres(centre + (soleil - centre) / 2, vert));
  EXPECT_TRUE(pres(centre + (lune - centre) / 2, vert));
  EXPECT_TRUE(pres((mars + venus) / 2, bleu));
  EXPECT_FALSE(pres(centre + (mars - centre) / 2, bleu));
  // The pointer's head is red on its direction.
  const auto rouge = [](const QColor& c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
  EXPECT_TRUE(pres(Pixel(g, std::lround(g.R55 * 0.95) * 0.9, 300 * Deg), rouge));
}

TEST(DessinDuCadran, AnneauDesSignesEnH1) {
  Application();
  ModeleCadran m = ModeleGroupe(1);
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  OptionsCadran o;
  o.pointeur = false;
  double l[25] = {};
  l[Ascendant] = 100 * Deg;
  o.maisonsNatales = CalculerCadreMaisons(2, l, 0, 23.44, 0);
  const QImage image = Dessiner(m, o);
  const double rm = (std::lround(g.R90 * 1.08) + g.R90) / 2.0;
  // Aries from 0° to 30° of the dial in fire's colour, Taurus after it in earth's.
  EXPECT_EQ(image.pixelColor(Pixel(g, rm, 4 * Deg)), QColor(255, 132, 193));
  EXPECT_EQ(image.pixelColor(Pixel(g, rm, 34 * Deg)), QColor(255, 255, 0));
  EXPECT_EQ(image.pixelColor(Pixel(g, rm, 64 * Deg)), QColor(108, 255, 108));
  EXPECT_EQ(image.pixelColor(Pixel(g, rm, 94 * Deg)), QColor(0, 255, 255));
  // The natal frame's disc is light grey; no sign ring at H = 4.
  EXPECT_EQ(image.pixelColor(Pixel(g, g.RH - 5, 200 * Deg + 0.05)), QColor(230, 230, 230));
  m.Harmonique = 4;
  EXPECT_EQ(Dessiner(m, o).pixelColor(Pixel(g, rm, 4 * Deg)), QColor(Qt::white));
}

TEST(DessinDuCadran, EchelleDeChaqueHarmonique) {
  // Labels 0..360/H (the last over the first), red ticks every degree of the dial, black ticks
  // every 10' where no red one is.
  struct Cas { int H; int etiquettes; const char* premiere; const char* derniere; int rouges, noirs, dernierNoir; };
  const Cas cas[] = {{1, 37, "0", "360", 359, 73, -1},   {4, 91, "0", "90", 91, 450, 539},
                     {8, 46, "0\xB0", "45\xB0", 46, 225, 269}, {12, 31, "0\xB0", "30\xB0", 31, 150, 179},
                     {16, 23, "0\xB0", "22\xB0", 23, 113, 135}, {32, 12, "0\xB0", "11\xB0", 12, 56, 67}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.H);
    const EchelleCadran e = EchelleDuCadran(c.H);
    ASSERT_EQ(static_cast<int>(e.etiquettes.size()), c.etiquettes);
    EXPECT_EQ(e.etiquettes.front().texte, QString::fromLatin1(c.premiere));
    EXPECT_EQ(e.etiquettes.back().texte, QString::fromLatin1(c.derniere));
    int rouges = 0, noirs = 0;
    double dernier = 0;
    for (const auto& t : e.traits) {
      rouges += t.rouge;
      noirs += !t.rouge;
      if (!t.rouge) dernier = t.angle;
    }
    EXPECT_EQ(rouges, c.rouges);
    EXPECT_EQ(noirs, c.noirs);
    // The last ten-minute tick, in tens of minutes of the dial (22°30' is 135 of them in H16).
    if (c.dernierNoir > 0) {
      EXPECT_NEAR(dernier / (c.H * Pi / 180.0) * 6, c.dernierNoir, 1e-9);
    }
  }
}

TEST(DessinDuCadran, SigneRetrogradeDansSonAnneauSeulement) {
  // A body retrograde at birth changes only ring 1, retrograde in transit only ring 3; the
  // solar-arc ring never shows the sign.
  Application();
  const ModeleCadran m = ModeleGroupe();
  const GeometrieCadran g = GeometrieDuCadran(Cote);
  OptionsCadran o;
  o.pointeur = false;
  const QImage direct = Dessiner(m, o);
  const auto changes = [&](const QImage& image, int rin, int rout) {
    int n = 0;
    for (int y = 0; y < Cote; ++y)
      for (int x = 0; x < Cote; ++x) {
        const double r = std::hypot(x - g.XC, y - g.YC);
        n += r > rin && r < rout && image.pixel(x, y) != direct.pixel(x, y);
      }
    return n;
  };
  ModeleCadran natal = m;
  natal.natal.VitessesNatales[Mars] = -0.001;
  const QImage a = Dessiner(natal, o);
  EXPECT_GT(changes(a, g.R60, g.R70), 10);
  EXPECT_EQ(changes(a, g.R70, g.R90 + 5), 0);
  ModeleCadran transit = m;
  transit.VitessesTransit[Mars] = -0.001;
  const QImage b = Dessiner(transit, o);
  EXPECT_EQ(changes(b, 0, g.R80 - 1), 0);
  EXPECT_GT(changes(b, g.R80, g.R90 + 5), 10);
}
