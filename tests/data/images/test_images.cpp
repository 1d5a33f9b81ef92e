#include <gtest/gtest.h>

#include "tests/support/AppliDeTest.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <filesystem>

#include "core/Catalogue.h"
#include "data/images/ImagesGeometrie.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

const fs::path kProgramme = SELVANE_BIN_DIR;

QGuiApplication& Application() { return ApplicationDeTest<QGuiApplication>(); }

bool Sombre(const QImage& image, int x, int y) {
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (image.pixelColor(x + dx, y + dy).value() < 110) return true;
  return false;
}

QString Chemin(const char* nom) { return QString::fromStdString((kProgramme / nom).string()); }

}  // namespace

TEST(ImagesInstallees, LesMarquesDuMandalaTombentSurLesPlacesDesCorps) {
  Application();
  const QImage image(Chemin("AMandala.bmp"));
  ASSERT_FALSE(image.isNull());
  ASSERT_EQ(image.width(), image.height());
  const int cote = image.width();
  const double R = RayonMandala(cote);
  const int cx = cote / 2, cy = cote / 2;
  auto marque = [&](double angle, double rayon) {
    const double r = std::nearbyint(rayon);
    return QPoint(cx + static_cast<int>(std::nearbyint(std::cos(angle * DegEnRad) * r)),
                  cy - static_cast<int>(std::nearbyint(std::sin(angle * DegEnRad) * r)));
  };
  EXPECT_DOUBLE_EQ(AngleMandala(Soleil), 5.5);
  EXPECT_DOUBLE_EQ(AngleMandala(Venus), 16.75);
  EXPECT_DOUBLE_EQ(AngleMandala(Cupidon), 28.25);
  EXPECT_DOUBLE_EQ(AngleMandala(Kronos), 343.25);
  for (int corps = 1; corps <= 18; ++corps) {
    const bool interieur = corps == Venus || corps == Cupidon;
    for (double facteur : interieur ? std::vector<double>{0.325, 0.23} : std::vector<double>{1.05, 0.95}) {
      const QPoint p = marque(AngleMandala(corps), facteur * R);
      EXPECT_TRUE(Sombre(image, p.x(), p.y())) << "body " << corps << " ring " << facteur;
      // Away from the body's angle the same ring is empty.
      const QPoint ailleurs = marque(AngleMandala(corps) + 9.0, facteur * R);
      EXPECT_FALSE(Sombre(image, ailleurs.x(), ailleurs.y())) << "body " << corps << " ring " << facteur;
    }
  }
}

TEST(ImagesInstallees, LePlanisphereSuitLaProjection) {
  Application();
  QSvgRenderer svg(Chemin("planisf.svg"));
  ASSERT_TRUE(svg.isValid());
  // Stretched to the sizes the window gives it, the map keeps its formulas.
  for (const QSize taille : {QSize(1440, 480), QSize(1024, 700)}) {
    QImage image(taille, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    svg.render(&p);
    p.end();
    auto pixel = [&](double lat, double lon) {
      if (lon < -168.5) lon += 360;
      return image.pixelColor(static_cast<int>(XPlanisphere(lon, taille.width())),
                              static_cast<int>(YPlanisphere(lat, taille.height())));
    };
    auto terre = [](const QColor& c) { return c.red() > 235 && c.blue() < 225; };
    struct Lieu {
      const char* nom;
      double lat, lon;
      bool terre;
    } lieux[] = {
        {"Paris", 48.86, 2.35, true},          {"Le Caire", 30.04, 31.24, true},
        {"Pékin", 39.9, 116.4, true},          {"São Paulo", -23.55, -46.63, true},
        {"Chicago", 41.88, -87.63, true},      {"Alice Springs", -23.7, 133.88, true},
        {"Anchorage", 61.8, -149.0, true},     {"Pacifique", 0.0, -140.0, false},
        {"Atlantique", 30.0, -40.0, false},    {"Océan Indien", -20.0, 80.0, false},
        {"Mer de Tasman", -40.0, 160.0, false}, {"Pacifique Nord", 35.0, 175.0, false},
    };
    for (const auto& l : lieux)
      EXPECT_EQ(terre(pixel(l.lat, l.lon)), l.terre) << l.nom << " " << taille.width() << "x" << taille.height();
    // The equator row is drawn in red, 265/480 of the height from the top.
    const int y = static_cast<int>(std::nearbyint(265.0 * taille.height() / 480.0));
    bool rouge = false;
    for (int dy = -1; dy <= 1; ++dy) {
      const QColor c = image.pixelColor(static_cast<int>(XPlanisphere(-25.0, taille.width())), y + dy);
      rouge = rouge || c.red() - c.green() > 60;
    }
    EXPECT_TRUE(rouge) << taille.width() << "x" << taille.height();
  }
}

TEST(ImagesInstallees, CartesEtImageDeDemarrage) {
  Application();
  for (const char* nom : {"Afrique.jpg", "AmeriqueNord.jpg", "AmeriqueSud.jpg", "Asie.jpg", "Australie.jpg",
                          "Europe.jpg", "Russie.jpg", "Demarrage.png"}) {
    const QImage image(Chemin(nom));
    EXPECT_FALSE(image.isNull()) << nom;
    EXPECT_GT(image.width(), 600) << nom;
  }
}
