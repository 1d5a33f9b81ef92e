#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Contacts.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "listing/DessinTheme.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/FicheDeTest.h"

// The wheel painter and the printed sheet, drawn into pictures and checked from
// what they drew.
using namespace selvane;

namespace {

QGuiApplication& Application() { return ApplicationDeTest<QGuiApplication>(); }

FicheClient Fiche(const char* nom, const char* date) { return FicheDeTest(nom).Date(date); }

// The chart of a record in the chart state, with the installed settings.
void Theme(const char* nom, const char* date) {
  Application();
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  OuvrirEphemerides();
  Etat().FicheEnCours = Fiche(nom, date);
  CalculerTheme(EcartGlyphes8);
}

}  // namespace

TEST(CopieDImage, DoubleLaTaille) {
  Application();
  QImage dessin(200, 100, QImage::Format_RGB32);
  dessin.fill(Qt::red);
  CopierImage(dessin, QRect(0, 0, 100, 50), 100, 50);
  const QImage copie = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copie.size(), QSize(200, 100));
}

TEST(RoueDuListing, AnneauSansMaisonsEtRotation) {
  Application();
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  OuvrirEphemerides();
  FicheClient& f = Etat().FicheEnCours;
  f = Fiche("DUPONT,Jean", "07/03/1952");
  Etat().SystemeMaisons = 0;
  CalculerTheme(EcartGlyphes9);
  QImage image(1200, 800, QImage::Format_RGB32);
  QPainter p(&image);
  GeometrieRoue g = DessinerTheme(p, image.size(), Etat(), LesReglages(), OptionsDessin());
  EXPECT_DOUBLE_EQ(g.r0, std::round(0.1733 * 800));
  EXPECT_DOUBLE_EQ(g.r1, std::round(1.33 * g.r0));
  EXPECT_DOUBLE_EQ(g.rotation, Pi);  // no houses: 0° Aries on the left
  Etat().SystemeMaisons = 1;
  Etat().Orientation = 'd';
  CalculerTheme(EcartGlyphes8);
  g = DessinerTheme(p, image.size(), Etat(), LesReglages(), OptionsDessin());
  EXPECT_DOUBLE_EQ(g.r0, std::round(0.18 * 800));
  EXPECT_DOUBLE_EQ(g.rotation, 0);  // "d": 0° Aries on the right
  p.end();
}

TEST(RoueDuListing, LePeintreDessineLeThemeQuOnLuiDonneSansToucherAuTheme) {
  Application();
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  OuvrirEphemerides();
  Etat().FicheEnCours = Fiche("PREMIER,A", "07/03/1952");
  CalculerTheme(EcartGlyphes8);
  const EtatTheme premier = Etat();
  const auto dessin = [&](const OptionsDessin& options) {
    QImage image(900, 600, QImage::Format_RGB32);
    QPainter p(&image);
    DessinerTheme(p, image.size(), premier, LesReglages(), options);
    return image;
  };
  const QImage avant = dessin(OptionsDessin());
  // Another chart in the chart state: the picture of the first stays the same.
  Etat().FicheEnCours = Fiche("SECOND,B", "21/06/1980");
  CalculerTheme(EcartGlyphes8);
  const double soleilSecond = Etat().Positions[Soleil][1];
  EXPECT_EQ(dessin(OptionsDessin()), avant);
  OptionsDessin secteurs;
  secteurs.fondsSignesColores = true;
  EXPECT_NE(dessin(secteurs), avant);
  // The printed sheet draws what it is given and computes nothing.
  Etat().FicheEnCours.Date = "01/01/2000";
  QImage page(620, 877, QImage::Format_RGB32);
  page.fill(Qt::white);
  QPainter p(&page);
  ImprimerFeuille(p, page.size(), Etat(), LesReglages(), OptionsDessin());
  p.end();
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "01/01/2000");
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][1], soleilSecond);
}

// The largest glyph size a settings value can hold draws the same wheel as the
// largest the dialog offers, instead of overflowing.
TEST(RoueDuListing, TailleDeGlypheExtremeRamenee) {
  Application();
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  OuvrirEphemerides();
  Etat().FicheEnCours = Fiche("DUPONT,Jean", "07/03/1952");
  CalculerTheme(EcartGlyphes8);
  auto Dessin = [](int taille) {
    Reglages reglages = LesReglages();
    reglages.TaillePlanetes = taille;
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DessinerTheme(p, image.size(), Etat(), reglages, OptionsDessin());
    p.end();
    return image;
  };
  EXPECT_EQ(Dessin(std::numeric_limits<int>::max()), Dessin(10));
  EXPECT_EQ(Dessin(std::numeric_limits<int>::min()), Dessin(-5));
}

// The printed sheet: the MC is an arrow, not a dot; in black printing the angles
// are black, in colour red.
TEST(FeuilleImprimee, AnglesEnCouleurEtEnNoir) {
  Theme("DUPONT,Jean", "07/03/1952");
  const auto rouge = [](QColor c) { return c.red() > 180 && c.green() < 90 && c.blue() < 90; };
  const auto noir = [](QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
  // The darkest pixel around a point (lines are a few pixels wide).
  const auto autour = [](const QImage& image, QPointF point) {
    QColor plus = Qt::white;
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy) {
        const QColor c = image.pixelColor(point.toPoint() + QPoint(dx, dy));
        if (c.lightness() < plus.lightness()) plus = c;
      }
    return plus;
  };
  for (bool couleur : {true, false}) {
    OptionsDessin options;
    options.impressionCouleur = couleur;
    QImage page(2480, 3508, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter p(&page);
    const GeometrieRoue g = ImprimerFeuille(p, page.size(), Etat(), LesReglages(), options);
    p.end();
    const double ra = 0.95 * 1.4 * g.R, mc = Etat().Positions[MilieuDuCiel][1], asc = Etat().Positions[Ascendant][1];
    const QColor pointe = page.pixelColor(g.Point(mc, ra * 0.9367).toPoint());  // inside the MC's arrow-head
    const QColor axe = autour(page, g.Point(asc, 0.6 * g.r0));
    const QColor axeMC = autour(page, g.Point(mc, 0.6 * g.r0));
    EXPECT_TRUE(couleur ? rouge(pointe) : noir(pointe)) << couleur << " " << pointe.name().toStdString();
    EXPECT_TRUE(couleur ? rouge(axe) : noir(axe)) << couleur << " " << axe.name().toStdString();
    EXPECT_TRUE(couleur ? rouge(axeMC) : noir(axeMC)) << couleur << " " << axeMC.name().toStdString();
    // The intermediate cusps of the quadrant system carry their arrow-heads, outside the house ring.
    const double r2 = std::round(1.22 * g.r1);
    for (int i : {2, 3, 5, 6, 8, 9, 11, 12}) {
      const QColor c = page.pixelColor(g.Point(Etat().Maisons[i], 1.02 * r2).toPoint());
      EXPECT_TRUE(couleur ? rouge(c) : noir(c)) << "cusp " << i << " " << c.name().toStdString();
    }
    if (!couleur) {
      int rouges = 0;
      for (int y = 0; y < page.height(); y += 3)
        for (int x = 0; x < page.width(); x += 3) rouges += rouge(page.pixelColor(x, y));
      EXPECT_EQ(rouges, 0);
    }
  }
}

// At 1200 dpi the sheet's aspect lines are still a quarter of a millimetre wide, not two
// device pixels (a twentieth of a millimetre, invisible on paper).
TEST(FeuilleImprimee, TraitsVisiblesA1200Dpi) {
  Theme("DUPONT,Jean", "07/03/1952");
  const Reglages& r = LesReglages();
  QImage page(2480, 3508, QImage::Format_RGB32);
  page.setDotsPerMeterX(47244);  // 1200 dpi: the page is the top left of an A4 sheet
  page.setDotsPerMeterY(47244);
  page.fill(Qt::white);
  QPainter p(&page);
  const GeometrieRoue g = ImprimerFeuille(p, page.size(), Etat(), r, OptionsDessin());
  p.end();
  const double pixelsParMm = 1200 / 25.4;
  int mesures = 0;
  for (int s = 1; s <= 9; ++s)
    for (int j = s + 1; j <= 10; ++j) {
      const int a = AspectEntre(Etat().Positions[s][1], Etat().Positions[j][1], r.AspectActif, r.AspectOrbe);
      if (a != 3 && a != 5) continue;  // solid lines only: a dash may leave a gap where we look
      const QPointF u = g.Point(Etat().Positions[s][1], g.r0), v = g.Point(Etat().Positions[j][1], g.r0);
      const QPointF milieu = u + 0.4 * (v - u);
      const QPointF d = (v - u) / std::hypot((v - u).x(), (v - u).y());
      const QPointF normale(-d.y(), d.x());
      int sombres = 0;
      for (int k = -40; k <= 40; ++k) {
        const QColor c = page.pixelColor((milieu + k * normale).toPoint());
        if (c.lightness() < 200) ++sombres;
      }
      EXPECT_GE(sombres, 0.2 * pixelsParMm) << s << "-" << j;
      ++mesures;
    }
  EXPECT_GT(mesures, 0);
}
