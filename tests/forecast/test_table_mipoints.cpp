#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <set>

#include "core/Catalogue.h"
#include "dessin/Palette.h"
#include "forecast/DessinTableMiPoints.h"
#include "forecast/TableMiPoints.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"

using namespace selvane;

namespace {

// Longitudes in radians, 1-based, from degrees.
std::vector<double> Longitudes(std::initializer_list<std::pair<int, double>> degres) {
  std::vector<double> l(25, 0.0);
  for (int b = 1; b <= 24; ++b) l[b] = (b * 13.7) * DegEnRad;  // spread, none equal
  for (const auto& [b, d] : degres) l[b] = d * DegEnRad;
  return l;
}

}  // namespace

TEST(TableMiPoints, TableCompleteDe253LignesTrieesParPosition) {
  for (int h : {1, 4, 32}) {
    SCOPED_TRACE(h);
    const std::vector<double> l = Longitudes({});
    const std::vector<LigneTableMiPoints> t = CalculerMiPoints(l.data(), h);
    ASSERT_EQ(t.size(), 253u);
    std::set<std::string> codes;
    int points = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
      codes.insert(t[i].code);
      points += t[i].a == 0;
      EXPECT_NE(t[i].b, Vertex);
      EXPECT_NE(t[i].a, Vertex);
      EXPECT_NE(t[i].b, MiPointSoleilLune);
      EXPECT_LT(t[i].positionDeg, 360.0 / h + 1e-9);
      if (i > 0) {
        EXPECT_LE(t[i - 1].position, t[i].position);
      }
      if (t[i].a != 0) {
        EXPECT_LT(t[i].a, t[i].b);
      }
    }
    EXPECT_EQ(codes.size(), 253u);
    EXPECT_EQ(points, 22);
  }
}

TEST(TableMiPoints, TextesEtReductionAuxHarmoniques) {
  // Sun at 95°, Moon at 5°, Mercury at 359.99995°, Venus at 300°.
  const std::vector<double> l = Longitudes({{1, 95}, {2, 5}, {3, 359.99995}, {4, 300}});
  struct Cas {
    int h, a, b;
    const char* position;
    const char* code;
  };
  const Cas cas[] = {
      {1, 0, 1, "095.0000", "0100"}, {4, 0, 1, "005.0000", "0100"}, {4, 0, 2, "005.0000", "0200"},
      {1, 1, 2, "050.0000", "0102"}, {1, 1, 4, "017.5000", "0104"},  // the shorter arc runs over 0°
      {2, 1, 2, "050.0000", "0102"}, {32, 0, 1, "005.0000", "0100"}, {32, 0, 4, "007.5000", "0400"}, {1, 0, 3, "360.0000", "0300"},
      {1, 21, 23, "", "2123"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.h) + " " + c.code);
    const LigneTableMiPoints r = c.a == 0 ? LignePoint(c.b, l.data(), c.h) : LigneMiPointDe(c.a, c.b, l.data(), c.h);
    if (*c.position) {
      EXPECT_EQ(r.position, c.position);
    }
    EXPECT_EQ(r.code, c.code);
  }
  // At H4 the Sun at 95° sorts next to the Moon at 5°.
  const std::vector<LigneTableMiPoints> t = CalculerMiPoints(l.data(), 4);
  for (std::size_t i = 0; i + 1 < t.size(); ++i)
    if (t[i].code == "0100" || t[i].code == "0200") {
      EXPECT_EQ(t[i + 1].position, "005.0000");
      EXPECT_TRUE(t[i + 1].code == "0100" || t[i + 1].code == "0200");
      break;
    }
}

TEST(TableMiPoints, HarmoniquesDesItems) {
  const std::pair<int, int> cas[] = {{0, 1}, {3, 4}, {15, 16}, {16, 32}};
  for (const auto& [item, h] : cas) EXPECT_EQ(HarmoniqueDeLItem(item), h) << item;
  EXPECT_EQ(ColonneDeLaTechnique(TechniquePrevision::Natal), 6);
  for (TechniquePrevision t : {TechniquePrevision::RS, TechniquePrevision::RL, TechniquePrevision::ArcSolaire,
                               TechniquePrevision::Transits})
    EXPECT_EQ(ColonneDeLaTechnique(t), 2);
}

TEST(TableMiPoints, SelectionSansDoublonsEtAvecLesDeuxOrdres) {
  const std::vector<double> l = Longitudes({});
  const std::vector<EntreeSelection> selection = {{1, 2}, {5, 0}, {1, 2}, {2, 1}, {5, 0}, {23, 0}, {23, 22}};
  const std::vector<LigneTableMiPoints> t = CalculerPointsSelectionnes(selection, l.data(), 1);
  std::multiset<std::string> codes;
  for (const LigneTableMiPoints& r : t) codes.insert(r.code);
  EXPECT_EQ(codes, (std::multiset<std::string>{"0102", "0201", "0500", "2300", "2322"}));
  for (std::size_t i = 1; i < t.size(); ++i) EXPECT_LE(t[i - 1].position, t[i].position);
  // a/b and b/a: two rows, one position.
  std::string p12, p21;
  for (const LigneTableMiPoints& r : t) {
    if (r.code == "0102") p12 = r.position;
    if (r.code == "0201") p21 = r.position;
  }
  EXPECT_EQ(p12, p21);
  EXPECT_TRUE(CalculerPointsSelectionnes({}, l.data(), 1).empty());
}

namespace {

class DessinTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();  // one kind for the whole executable: the windows need widgets
    static bool polices = [] {
      for (const char* f : {"Celvan S.ttf"})
        QFontDatabase::addApplicationFont(QString::fromStdString((DossierInstalle() / f).string()));
      return true;
    }();
    (void)polices;
  }
  static QImage Dessin(const std::vector<LigneTableMiPoints>& lignes, int h, int surbrillance, GeometrieTable& geo) {
    QImage image(900, 1000, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter p(&image);
    ParametresTable par;
    par.harmonique = h;
    par.corpsEnSurbrillance = surbrillance;
    par.titre = "Jean DUPONT - Natal";
    par.palette = PaletteEcran(Reglages());
    geo = DessinerTableauMiPOints(p, lignes, par);
    return image;
  }
  static int PixelsBleus(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == qRgb(0, 0, 255);
    return n;
  }
};

}  // namespace

TEST_F(DessinTableTest, SixBlocsEtCorpsEnSurbrillance) {
  const std::vector<double> l = Longitudes({});
  const std::vector<LigneTableMiPoints> t = CalculerMiPoints(l.data(), 1);
  GeometrieTable geo;
  const QImage sans = Dessin(t, 1, 0, geo);
  EXPECT_EQ(geo.blocs, 6);
  EXPECT_GT(geo.u, 8);
  EXPECT_EQ(geo.x0, geo.u);
  // The last block's right edge is drawn in silver; nothing is drawn beyond it.
  const int droite = geo.x0 + 6 * geo.u * 5 + 5 * geo.u + geo.g;
  EXPECT_EQ(sans.pixel(droite, geo.y0 + geo.u / 2), qRgb(192, 192, 192));
  EXPECT_EQ(sans.pixel(droite + 3, geo.y0 + geo.u / 2), qRgb(255, 255, 255));
  EXPECT_EQ(PixelsBleus(sans), 0);
  const QImage avec = Dessin(t, 1, PointBelier, geo);
  EXPECT_GT(PixelsBleus(avec), 0);
  // Fewer rows, fewer blocks: 43 rows fill one, 44 need two, an empty table still has its grid.
  for (const auto& [n, blocs] : {std::pair<int, int>{43, 1}, {44, 2}, {0, 1}}) {
    Dessin(std::vector<LigneTableMiPoints>(t.begin(), t.begin() + n), 4, 0, geo);
    EXPECT_EQ(geo.blocs, blocs) << n;
  }
}

// Every glyph and position inside its cell: the grid lines are drawn first, so any text running
// over a border shows on the line as a pixel of another colour.
TEST_F(DessinTableTest, GlyphesEtPositionsDansLeursCellules) {
  const std::vector<double> l = Longitudes({});
  for (const auto& [h, imprimante] : {std::pair{1, false}, {4, false}, {16, false}, {1, true}, {8, true}}) {
    const std::vector<LigneTableMiPoints> t = CalculerMiPoints(l.data(), h);
    QImage image(1200, 1400, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    GeometrieTable geo;
    {
      QPainter p(&image);
      ParametresTable par;
      par.harmonique = h;
      par.imprimante = imprimante;
      par.palette = PaletteEcran(Reglages());
      geo = DessinerTableauMiPOints(p, t, par);
    }
    const QRgb grille = imprimante ? qRgb(128, 128, 128) : qRgb(192, 192, 192);
    const int u = geo.u;
    int horsGrille = 0, premier = -1;
    const auto verifier = [&](int x, int y) {
      if (image.pixel(x, y) != grille) {
        if (horsGrille++ == 0) premier = x * 10000 + y;
      }
    };
    for (int k = 0; k < geo.blocs; ++k) {
      const int xk = geo.x0 + 6 * u * k;
      for (int x : {xk, xk + u, xk + 2 * u, xk + 3 * u, xk + 5 * u + geo.g})
        for (int y = geo.y0 + 1; y < geo.y0 + LignesParBloc * u; ++y) verifier(x, y);
      for (int q = 0; q <= LignesParBloc; ++q)
        for (int x = xk + 1; x < xk + 5 * u + geo.g; ++x) verifier(x, geo.y0 + q * u);
    }
    if (const char* captures = std::getenv("SELVANE_CAPTURES"))
      image.save(QString("%1/table_H%2_%3.png").arg(captures).arg(h).arg(imprimante ? "page" : "ecran"));
    EXPECT_EQ(horsGrille, 0) << "H" << h << (imprimante ? " printer" : " screen") << " u=" << u << " g=" << geo.g
                             << " first at x=" << premier / 10000 << " y=" << premier % 10000;
  }
}
