#include <gtest/gtest.h>

#include "tests/support/AppliDeTest.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "core/Catalogue.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

const fs::path kProgramme = SELVANE_BIN_DIR;

QGuiApplication& Application() { return ApplicationDeTest<QGuiApplication>(); }

QImage Rendu(const QString& famille, QChar c) {
  QImage image(64, 64, QImage::Format_Grayscale8);
  image.fill(255);
  QPainter p(&image);
  QFont police(famille);
  police.setPixelSize(40);
  p.setFont(police);
  p.setPen(Qt::black);
  p.drawText(QRect(0, 0, 64, 64), Qt::AlignCenter, QString(c));
  return image;
}

// Pixels that differ clearly between two renderings.
int Ecart(const QImage& a, const QImage& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += std::abs(a.pixelColor(x, y).value() - b.pixelColor(x, y).value()) > 96;
  return n;
}

int Encre(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y).value() < 128;
  return n;
}

class PolicesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Application();
    for (const char* f : {"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf"})
      ASSERT_GE(QFontDatabase::addApplicationFont(QString::fromStdString((kProgramme / f).string())), 0) << f;
  }
};

}  // namespace

TEST_F(PolicesTest, ChaqueCodeEstUnSymboleDistinct) {
  std::map<QByteArray, unsigned char> vus;
  for (unsigned char code : CodesGlyphes) {
    const QChar c(static_cast<ushort>(code));
    const QImage symbole = Rendu("Celvan S", c);
    const QImage texte = Rendu("Zazazive", c);
    EXPECT_GT(Encre(symbole), 40) << "code " << int(code) << " is empty";
    EXPECT_GT(Ecart(symbole, texte), 100) << "code " << int(code) << " shows the plain letter";
    // Only the two sets of aspect glyphs and the Aries point/sign share a symbol.
    const QByteArray cle(reinterpret_cast<const char*>(symbole.constBits()), static_cast<int>(symbole.sizeInBytes()));
    const auto deja = vus.find(cle);
    if (deja != vus.end()) {
      const unsigned char a = deja->second;
      const bool paire = (a >= 186 && a <= 194 && code == 'm' + (a - 186)) || (a == '\\' && code == 'a');
      EXPECT_TRUE(paire) << "codes " << int(a) << " and " << int(code) << " look the same";
    } else {
      vus[cle] = code;
    }
  }
}

TEST_F(PolicesTest, TexteEtChiffresRestentLisibles) {
  // Positions are written in the glyph font: digits and punctuation keep the text face's shapes.
  QFont glyphes("Celvan S"), texte("Zazazive");
  glyphes.setPixelSize(100);
  texte.setPixelSize(100);
  const QFontMetrics mg(glyphes), mt(texte);
  for (QChar c : QString("0123456789/-+.'°´ NOPQRSTUVWYZvwxyz")) {
    EXPECT_EQ(mg.boundingRect(c), mt.boundingRect(c)) << c.unicode();
    EXPECT_EQ(mg.horizontalAdvance(c), mt.horizontalAdvance(c)) << c.unicode();
  }
}

TEST_F(PolicesTest, SymbolesSurUneLigneEgale) {
  // A row of glyphs in a grid cell looks even: same top and bottom within a tenth of the size.
  QFont police("Celvan S");
  police.setPixelSize(100);
  const QFontMetrics m(police);
  for (unsigned char code : CodesGlyphes) {
    const QRect r = m.boundingRect(QChar(static_cast<ushort>(code)));
    EXPECT_NEAR(r.bottom(), 0, 12) << int(code);
    EXPECT_NEAR(r.height(), 70, 14) << int(code);
  }
  EXPECT_EQ(QFontInfo(QFont("Celvan F")).family(), "Celvan F");
  EXPECT_EQ(QFontInfo(QFont("Celvan")).family(), "Celvan");
  EXPECT_TRUE(fs::exists(kProgramme / "Celvan-LICENCES.txt"));
}
