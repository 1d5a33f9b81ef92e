// The graphic ephemeris window driven as a user does: controls, list, mouse, print, exports.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <optional>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "reglages/Reglages.h"
#include "techniques/DessinEphemGraphique.h"
#include "techniques/TFormEphemGraphique.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include "widgets/Texte1252.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

class FenetreEphemGraphiqueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    programme_.emplace("selvane_ephem_graphique", std::initializer_list<const char*>{"Celvan S.ttf"});
    dossier = programme_->Chemin();
    static const bool polices = QFontDatabase::addApplicationFont(SELVANE_BIN_DIR "/Celvan S.ttf") >= 0;
    ASSERT_TRUE(polices);
    ReinitialiserEtat();
    EcrireReglagesParDefaut(dossier);
    ChargerReglages(dossier.string());
    OuvrirEphemerides();
    Etat().FicheEnCours = FicheDeTest();
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    temoin.fichierPdf = Chemin("page.pdf");
  }
  QString Chemin(const char* nom) const { return QString::fromStdString((dossier / nom).string()); }
  // SELVANE_CAPTURES=folder keeps the pictures to look at.
  static void Garder(const QImage& image, const char* nom) {
    if (const char* captures = std::getenv("SELVANE_CAPTURES")) image.save(QString("%1/%2.png").arg(captures, nom));
  }
  static void GarderFichier(const QString& source, const char* nom) {
    if (const char* captures = std::getenv("SELVANE_CAPTURES")) {
      QFile::remove(QString("%1/%2").arg(captures, nom));
      QFile::copy(source, QString("%1/%2").arg(captures, nom));
    }
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
};

template <typename T>
T* Enfant(QWidget* w, const char* nom) {
  T* e = w->findChild<T*>(nom);
  EXPECT_NE(e, nullptr) << nom;
  return e;
}

}  // namespace

TEST_F(FenetreEphemGraphiqueTest, ControlesListeSourisEtCadran) {
  std::vector<double> ouverts;
  TFormEphemGraphique f([&](double jour) { ouverts.push_back(jour); });
  EXPECT_EQ(f.windowTitle(), Texte(Etat().NomAffiche.Texte()) + QString::fromUtf8("  -  Éphéméride graphique"));
  auto* debut = Enfant<QLineEdit>(&f, "EditDebut");
  auto* module = Enfant<QComboBox>(&f, "ComboModule");
  auto* grille = Enfant<QTableWidget>(&f, "GrilleCroisements");
  debut->setText("01/01/2027");
  QTest::keyClick(debut, Qt::Key_Return);
  EXPECT_EQ(f.Graphe().demande.moduleDeg, 45);
  EXPECT_EQ(f.Graphe().demande.annee, 2027);
  // Mars .. Poseidon by default.
  EXPECT_EQ(f.Graphe().demande.corps, (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
  ASSERT_FALSE(f.Graphe().croisements.empty());
  EXPECT_EQ(grille->rowCount(), static_cast<int>(f.Graphe().croisements.size()));
  EXPECT_EQ(grille->horizontalHeaderItem(0)->text(), QString::fromUtf8("Date (TU)"));
  EXPECT_EQ(grille->item(0, 0)->text(), TextesDuCroisement(f.Graphe().croisements[0]).date);

  // A control redraws at once.
  module->setCurrentIndex(1);
  EXPECT_EQ(f.Graphe().demande.moduleDeg, 90);
  EXPECT_EQ(grille->rowCount(), static_cast<int>(f.Graphe().croisements.size()));
  Enfant<QSpinBox>(&f, "SpinMois")->setValue(3);
  EXPECT_NEAR(f.Graphe().finTU - f.Graphe().debutTU, 90, 1);
  debut->setText("31/02/2027");
  QTest::keyClick(debut, Qt::Key_Return);
  ASSERT_FALSE(temoin.messages.isEmpty());
  EXPECT_EQ(temoin.messages.back().genre, QString("avertissement"));
  EXPECT_EQ(f.Graphe().demande.mois, 1);  // the last good graph stays

  // The mouse over a crossing selects its row; a double-click hands its moment to the dial.
  f.resize(1400, 800);
  f.show();
  QApplication::processEvents();
  QWidget* zone = f.findChild<QWidget*>("ImageGraphe");
  ASSERT_NE(zone, nullptr);
  const GeometrieGraphe geo = GeometrieDuGraphe(QRectF(zone->rect()), f.Graphe());
  const int k = static_cast<int>(f.Graphe().croisements.size() / 2);
  const Croisement& x = f.Graphe().croisements[static_cast<std::size_t>(k)];
  const QPoint point(static_cast<int>(std::lround(geo.X(x.jourTU))),
                     static_cast<int>(std::lround(geo.Y(std::fmod(x.cibleDeg, geo.module)))));
  QTest::mouseMove(zone, point);
  const int choisi = f.CroisementChoisi();
  ASSERT_GE(choisi, 0);
  EXPECT_EQ(grille->currentRow(), choisi);
  QTest::mouseDClick(zone, Qt::LeftButton, Qt::NoModifier, point);
  ASSERT_EQ(ouverts.size(), 1u);
  EXPECT_EQ(ouverts[0], f.Graphe().croisements[static_cast<std::size_t>(choisi)].jourTU);
  Garder(f.grab().toImage(), "ephem_graphique_fenetre_90");
}

TEST_F(FenetreEphemGraphiqueTest, ImpressionEtExports) {
  TFormEphemGraphique f;
  auto* debut = Enfant<QLineEdit>(&f, "EditDebut");
  debut->setText("01/01/2027");
  QTest::keyClick(debut, Qt::Key_Return);

  f.BtnImprimerClick();
  const ContenuPdf page = LirePdf(dossier / "page.pdf");
  EXPECT_EQ(page.pages, 1);
  GarderFichier(Chemin("page.pdf"), "ephem_graphique_page.pdf");

  ASSERT_TRUE(f.Exporter(Chemin("g.csv")));
  QFile csv(Chemin("g.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  EXPECT_EQ(csv.readAll().toStdString(), CsvEphemGraphique(f.Graphe()));

  ASSERT_TRUE(f.Exporter(Chemin("g.png")));
  const QImage png(Chemin("g.png"));
  EXPECT_EQ(png.size(), QSize(1920, 1080));
  Garder(png, "ephem_graphique_45");

  ASSERT_TRUE(f.Exporter(Chemin("g.pdf")));
  EXPECT_EQ(LirePdf(dossier / "g.pdf").pages, 1);
  GarderFichier(Chemin("g.pdf"), "ephem_graphique_export.pdf");

  // The button asks for the file through the platform's chooser.
  temoin.fichiers << Chemin("bouton.csv");
  QTest::mouseClick(Enfant<QPushButton>(&f, "BtnExporter"), Qt::LeftButton);
  EXPECT_TRUE(QFile::exists(Chemin("bouton.csv")));

  EXPECT_FALSE(f.Exporter(Chemin("g.txt")));
  EXPECT_EQ(temoin.messages.back().genre, QString("avertissement"));

  // Black and white when the frame prints without colours: the page's picture has no hue.
  OptionsDessin sansCouleurs;
  sansCouleurs.impressionCouleur = false;
  TFormEphemGraphique noirEtBlanc({}, sansCouleurs);
  auto* debutNb = Enfant<QLineEdit>(&noirEtBlanc, "EditDebut");
  debutNb->setText("01/01/2027");
  QTest::keyClick(debutNb, Qt::Key_Return);
  const QImage nb = noirEtBlanc.Image(QSize(1600, 1000), true);
  int couleurs = 0;
  for (int y = 0; y < nb.height(); y += 7)
    for (int x = 0; x < nb.width(); x += 7) {
      const QColor c = nb.pixelColor(x, y);
      couleurs += c.hsvSaturation() > 40;
    }
  EXPECT_EQ(couleurs, 0);
  int enCouleur = 0;
  const QImage enCouleurs = f.Image(QSize(1600, 1000), true);
  for (int y = 0; y < enCouleurs.height(); y += 7)
    for (int x = 0; x < enCouleurs.width(); x += 7) enCouleur += enCouleurs.pixelColor(x, y).hsvSaturation() > 40;
  EXPECT_GT(enCouleur, 100);
  Garder(nb, "ephem_graphique_nb");
}
