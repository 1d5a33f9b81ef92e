#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "birthdata/records/FichierNaissance.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "birthdata/TFormConsultAtlas.h"
#include "forecast/TFormInterpret.h"
#include "frame/FenetresAnnexes.h"
#include "frame/TMainForm.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

class TablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    programme_.emplace("selvane_tables", std::initializer_list<const char*>{"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf",
                                                                            "Zazazive.ttf", "Vildef.def", "Zones_Numbers.tzn",
                                                                            "TZDBCel.tzb", "France.cty"});
    dossier = programme_->Chemin();
    EcrireReglagesParDefaut(dossier);
    ReinitialiserEtat();
    principale = new TMainForm(QString::fromStdString(dossier.string()));
    principale->show();
    const fs::path source = dossier / "source.cht.txt";
    EcrireFichierTheme(source, FicheDeTest());
    principale->RouvrirTheme(QString::fromStdString(source.string()));
    temoin.messages.clear();
  }
  void TearDown() override {
    delete principale;
    programme_.reset();
  }
  TFormInterpret* Ouvrir() {
    principale->ExecuterTouche(Qt::Key_T);
    for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
      if (auto* t = qobject_cast<TFormInterpret*>(f->widget())) return t;
    return nullptr;
  }
  void Choisir(TFormInterpret* t, TechniquePrevision technique) {
    QAbstractButton* b = t->Calcul->RadioGroupType->button(static_cast<int>(technique));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
  }
  static void Cliquer(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  TMainForm* principale = nullptr;
};

}  // namespace

TEST_F(TablesTest, OuvertureSurLaTableNatale) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(t->windowTitle(), QString::fromUtf8("Jean DUPONT  -  Tables prévisionnelles"));
  EXPECT_EQ(t->Lignes().size(), 253u);
  EXPECT_EQ(t->Geometrie().blocs, 6);
  EXPECT_FALSE(t->Calcul->BtnCalculRSRLEtc->isVisible());
  EXPECT_TRUE(t->BtnMiPoints->isVisible());
  EXPECT_EQ(t->ComboBoxHarmonic->count(), 17);
  EXPECT_EQ(t->ComboBoxHarmonic->itemText(12), QString::fromUtf8("H13  27°41'32\" "));
  // The natal table reads the frozen natal column.
  for (const LigneTableMiPoints& l : t->Lignes()) {
    if (l.a == 0 && l.b == Soleil) {
      EXPECT_NEAR(l.positionDeg, Etat().Positions[Soleil][6] * RadEnDeg, 1e-4);
    }
  }
}

TEST_F(TablesTest, RetourSolaireCalculePuisTableActualisee) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  Choisir(t, TechniquePrevision::RS);
  EXPECT_EQ(t->windowTitle(), "Jean DUPONT - RS");
  EXPECT_FALSE(t->BtnMiPoints->isVisible());
  EXPECT_TRUE(t->Calcul->BtnCalculRSRLEtc->isVisible());
  Remplir(t->Calcul->MaskEditDate, "01012027");
  Cliquer(t->Calcul->BtnCalculRSRLEtc);
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_TRUE(t->BtnMiPoints->isVisible());
  EXPECT_TRUE(fs::exists(dossier / "DUPONT,Jean RS 2027.cht"));
  // The saved-charts list opened beside the window and lists the new file, clear of the
  // selection panel's buttons.
  EXPECT_TRUE(TFormChartList::Ouverte());
  Cliquer(t->BtnOpenPanelSelection);
  ASSERT_TRUE(t->PanelSelection->isVisible());
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* liste = qobject_cast<TFormChartList*>(w)) {
      const QRect panneau(t->PanelSelection->mapToGlobal(QPoint(0, 0)), t->PanelSelection->size());
      EXPECT_FALSE(liste->frameGeometry().intersects(panneau))
          << liste->frameGeometry().right() << " " << panneau.x() << "/" << panneau.width();
    }
  t->PanelSelection->hide();
  Cliquer(t->BtnMiPoints);
  EXPECT_EQ(t->TitreTable(), "Jean DUPONT - RS pour le  " + t->Calcul->MaskEditDate->text() + QString::fromUtf8(" à ") +
                                 t->Calcul->MaskEditHeure->text() + " TU");
  ASSERT_EQ(t->Lignes().size(), 253u);
  for (const LigneTableMiPoints& l : t->Lignes()) {
    if (l.a == 0 && l.b == Soleil) {
      EXPECT_NEAR(l.positionDeg, Etat().Positions[Soleil][2] * RadEnDeg, 1e-4);
    }
  }
  // H4 and a highlighted Aries point (item 20) apply at once.
  t->ComboBoxHarmonic->setCurrentIndex(3);
  for (const LigneTableMiPoints& l : t->Lignes()) EXPECT_LT(l.positionDeg, 90.0);
  t->RadioSelectBrillance->setCurrentRow(20);
  EXPECT_EQ(t->CorpsEnSurbrillance(), PointBelier);
  EXPECT_EQ(t->RadioSelectBrillance->count(), 23);
  // Closing puts the birth record back.
  QTest::keyClick(t, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Paris");
  EXPECT_EQ(Etat().FicheEnCours.Fuseau.Chaine(), "01.00.00");
  EXPECT_EQ(principale->ZoneFenetres()->subWindowList().size(), 1);
}

TEST_F(TablesTest, PanneauDeSelection) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  Cliquer(t->BtnOpenPanelSelection);
  ASSERT_TRUE(t->PanelSelection->isVisible());
  EXPECT_EQ(t->ListeA->count(), 22);
  EXPECT_EQ(t->ListeB->count(), 22);
  EXPECT_EQ(t->ListeA->itemText(0), "a");  // the Aries point shows as the Aries sign
  // Same point twice: the warning, nothing added.
  t->ListeA->setCurrentIndex(3);  // Sun
  t->ListeB->setCurrentIndex(0);
  Cliquer(t->BtnAjouter);
  t->ListeB->setCurrentIndex(3);  // B list: MC, Ascendant, Sun
  Cliquer(t->BtnAjouter);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "avertissement");
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("La point B doit être différent du point A"));
  EXPECT_EQ(t->Selection().size(), 1u);
  // Every midpoint of the Sun: 20, the Sun first.
  Cliquer(t->BtnInsererMP);
  EXPECT_EQ(t->Selection().size(), 21u);
  for (std::size_t i = 1; i < t->Selection().size(); ++i) EXPECT_EQ(t->Selection()[i].a, Soleil);
  EXPECT_EQ(t->LabelNombre->text(), "21");
  EXPECT_EQ(t->GridSelection->rowCount(), 21);
  Cliquer(t->BtnInsererColonneA);  // 22 points, the Sun again among them
  EXPECT_EQ(t->Selection().size(), 43u);
  Cliquer(t->BtnValider);
  EXPECT_FALSE(t->PanelSelection->isVisible());
  Cliquer(t->BtnMiPoints);
  EXPECT_TRUE(t->ModeSelection());
  EXPECT_EQ(t->Lignes().size(), 20u + 22u);  // the Sun once
  // "Annuler" brings the full table back at the next refresh.
  Cliquer(t->BtnOpenPanelSelection);
  Cliquer(t->BtnAnnuler);
  EXPECT_TRUE(t->Selection().empty());
  Cliquer(t->BtnMiPoints);
  EXPECT_EQ(t->Lignes().size(), 253u);
  // An empty selection validated gives an empty table.
  Cliquer(t->BtnOpenPanelSelection);
  Cliquer(t->BtnValider);
  Cliquer(t->BtnMiPoints);
  EXPECT_TRUE(t->Lignes().empty());
}

TEST_F(TablesTest, ImpressionCopieEtManuel) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  temoin.fichierPdf = QString::fromStdString((dossier / "table.pdf").string());
  t->Imprimer1->trigger();
  const ContenuPdf pdf = LirePdf(temoin.fichierPdf.toStdString());
  EXPECT_EQ(pdf.pages, 1);
  // The text tool gives runs of spaces as one.
  for (const char* ligne : {"Jean DUPONT", "Thème de naissance : 07/03/1952 à 14h05m30 (GMT+01.00.00)",
                            "Paris 48N52 - 002E20", "Mi-points uraniens ( H1 360° )"})
    EXPECT_NE(pdf.texte.find(ligne), std::string::npos) << ligne;
  // A cancelled dialog prints nothing.
  temoin.imprimer = false;
  fs::remove(dossier / "table.pdf");
  t->Imprimer1->trigger();
  EXPECT_FALSE(fs::exists(dossier / "table.pdf"));

  QGuiApplication::clipboard()->clear();
  t->Copiertableau1->trigger();
  const QImage copie = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copie.isNull());
  const int u = t->Geometrie().u;
  EXPECT_EQ(copie.width(), 37 * u / 2 * 2);
  EXPECT_EQ(copie.height(), 45 * u / 2 * 2);
  // A double click hides the table, and there is nothing to copy then.
  QTest::mouseDClick(t->Image1, Qt::LeftButton);
  EXPECT_FALSE(t->Image1->isVisible());
  QGuiApplication::clipboard()->clear();
  t->Copiertableau1->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());

  Cliquer(t->BtnClr10);
  ASSERT_TRUE(t->PanelManuel->isVisible());
  Cliquer(t->ImageLivre);
  EXPECT_EQ(temoin.adresses.size(), 1);
  EXPECT_TRUE(temoin.adresses.value(0).startsWith("https://"));
}

TEST_F(TablesTest, LAtlasRemplitLeLieuDuCalcul) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  // The atlas opens on the window's place; the place typed there comes back.
  QString villeOuverte;
  QTimer::singleShot(0, [&] {
    auto* atlas = qobject_cast<TFormConsultAtlas*>(QApplication::activeModalWidget());
    if (!atlas) return;
    villeOuverte = atlas->EditVille->text();
    Remplir(atlas->EditVille, "Lyon");
    Remplir(atlas->EditLat, "45.45");
    Remplir(atlas->EditLong, "4.51");
    atlas->Ok();
  });
  Cliquer(t->Calcul->BtnOuvrirAtlasLocal);
  EXPECT_EQ(villeOuverte, "Paris");
  EXPECT_EQ(t->Calcul->EditVille->text(), "Lyon");
  EXPECT_EQ(t->Calcul->EditLat->text(), "45.45");
  EXPECT_EQ(t->Calcul->EditLong->text(), "4.51");
  // Transits are cast at that place, in Universal Time.
  Choisir(t, TechniquePrevision::Transits);
  Remplir(t->Calcul->MaskEditHeure, "0000");
  Cliquer(t->Calcul->BtnCalculRSRLEtc);
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Lyon");
  EXPECT_EQ(Etat().FicheEnCours.Lat.Chaine(), "45.45");
  EXPECT_EQ(Etat().FicheEnCours.Heure.Chaine(), "00h00m00");
  EXPECT_EQ(Etat().FicheEnCours.Fuseau.Chaine(), "0");
  EXPECT_TRUE(t->BtnMiPoints->isVisible());
}
