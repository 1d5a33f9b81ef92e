#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "birthdata/records/FichierNaissance.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "birthdata/TFormConsultAtlas.h"
#include "forecast/FeuilleTableMiPoints.h"
#include "forecast/TFormDirSol.h"
#include "forecast/TFormInterpret.h"
#include "frame/FenetresAnnexes.h"
#include "frame/TMainForm.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/MenuContextuel.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "widgets/GrilleTexte.h"

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

namespace {


// Clicks a list item, then Space ticks or unticks it.
void Basculer(QListWidget* liste, int ligne) {
  QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(ligne)).center());
  QTest::keyClick(liste, Qt::Key_Space);
}

// A forecast view computed as a user does, the sheet it should show and the stamp of its export.
struct CasFeuille {
  const char* nom;
  const char* vue;
  std::function<QWidget*()> ouvrir;
  std::function<Feuille(QWidget*)> feuille;
  // A row of the CSV, glyphs written as names.
  const char* ligneLisible;
};

}  // namespace

// The directions and transits list and the forecast table: the grid shows its sheet, Ctrl+C
// copies the rows shown (in the order shown, after a sort too), the CSV export writes the stamp
// and the rows with the glyphs as names, and a read-only file is refused and left alone.
TEST_F(TablesTest, ChaqueVueCopieEtExporteSaFeuille) {
  const auto directions = [this](bool transits) {
    // Opened by its key, as the main window opens it: on the chart shown.
    principale->ExecuterTouche(Qt::Key_D);
    TFormDirSol* f = nullptr;
    for (QMdiSubWindow* s : principale->ZoneFenetres()->subWindowList())
      if (auto* d = qobject_cast<TFormDirSol*>(s->widget())) f = d;
    if (!f) return f;
    if (transits) {
      for (QRadioButton* r : f->findChildren<QRadioButton*>())
        if (r->text() == "Transits") QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(5, r->height() / 2));
      Basculer(f->ListePoints(0), 6);   // Saturn, backward in 2025
      Basculer(f->ListePoints(1), 21);  // the Aries point
      Basculer(f->ListePoints(2), 21);
      Basculer(f->AspectsTransit(), 2);  // the square
      temoin.reponsesSaisies = QStringList{"2025"};
    } else {
      Cliquer(Bouton(f, "Tout"));
    }
    Cliquer(Bouton(f, "Calculer"));
    return f;
  };
  const auto table = [this](bool retour) -> QWidget* {
    TFormInterpret* t = Ouvrir();
    if (t && retour) {
      Choisir(t, TechniquePrevision::RS);
      Remplir(t->Calcul->MaskEditDate, "01012027");
      Cliquer(t->Calcul->BtnCalculRSRLEtc);
      Cliquer(t->BtnMiPoints);
      t->ComboBoxHarmonic->setCurrentIndex(3);
    }
    return t;
  };
  const auto feuilleTable = [](QWidget* w) {
    auto* t = static_cast<TFormInterpret*>(w);
    return FeuilleTableMiPoints(t->Lignes(), HarmoniqueDeLItem(t->ComboBoxHarmonic->currentIndex()),
                                {t->TitreTable(), "Mi-points uraniens ( " + t->ComboBoxHarmonic->currentText() + " )"});
  };
  const CasFeuille cas[] = {
      {"directions", "ListeDirections", [&] { return directions(false); },
       [](QWidget* w) { return FeuilleListe(static_cast<TFormDirSol*>(w)->Page()); },
       "^Soleil = Soleil,\\d\\d\u00b0\\d\\d',\\d\\d\\.\\d\\d\\.\\d{4},\\d+ a \\d+ m,45\u00b000'$"},
      {"transits", "ListeDirections", [&] { return directions(true); },
       [](QWidget* w) { return FeuilleListe(static_cast<TFormDirSol*>(w)->Page()); },
       "^Saturne R 0\u00b0 Pt\\. Vernal,\\d\\d B\u00e9l \\d\\d,\\d\\d\\.09\\.2025 - "},
      {"table natale", "Defilement", [&] { return table(false); }, feuilleTable,
       "^Soleil,,\\d\\d Poi \\d\\d,0100$"},
      {"table RS en H4", "Defilement", [&] { return table(true); }, feuilleTable,
       "^Soleil,Lune,\\d\\d\u00b0\\d\\d',0102$"},
  };
  for (const CasFeuille& c : cas) {
    SCOPED_TRACE(c.nom);
    temoin.messages.clear();
    QWidget* f = c.ouvrir();
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(temoin.messages.isEmpty());
    auto* vue = f->findChild<QAbstractScrollArea*>(c.vue);
    ASSERT_NE(vue, nullptr);
    const Feuille feuille = c.feuille(f);
    ASSERT_FALSE(feuille.lignes.empty());
    auto* grille = qobject_cast<GrilleTexte*>(vue);
    if (grille) {
      ASSERT_EQ(grille->rowCount(), static_cast<int>(feuille.lignes.size()));
      ASSERT_EQ(grille->columnCount(), static_cast<int>(feuille.colonnes.size()));
      for (int k = 0; k < grille->columnCount(); ++k)
        EXPECT_EQ(grille->horizontalHeaderItem(k)->text(), feuille.colonnes[static_cast<std::size_t>(k)].titre) << k;
      for (int i = 0; i < grille->rowCount(); ++i)
        for (int k = 0; k < grille->columnCount(); ++k)
          ASSERT_EQ(grille->item(i, k)->text(), feuille.lignes[static_cast<std::size_t>(i)][k]) << i << "," << k;
      grille->setCurrentCell(0, 1);
    }

    QApplication::clipboard()->setText("avant");
    QApplication::setActiveWindow(f->window());
    vue->setFocus();
    QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), TexteFeuille(feuille).toStdString());

    const fs::path csv = dossier / (std::string(c.nom) + ".csv");
    temoin.fichiers << QString::fromStdString(csv.string());
    const QStringList cachet = LignesCachet(ContexteDuTheme(Etat()));
    ChoisirDansLeMenu(vue, QString::fromUtf8("Exporter CSV…"));
    const std::string ecrit = LireFichierTest(csv);
    EXPECT_EQ(ecrit, CsvFeuille(feuille, cachet));
    EXPECT_EQ(ecrit.rfind("# " + cachet[0].toStdString() + "\n", 0), 0u);
    EXPECT_NE(ecrit.find("\n# Exporté le "), std::string::npos);
    EXPECT_EQ(ecrit.find("Imprimé"), std::string::npos);
    EXPECT_EQ(std::count(ecrit.begin(), ecrit.end(), '\n'),
              static_cast<long>(cachet.size() + 1 + static_cast<int>(feuille.lignes.size())));
    const QStringList lignes = QString::fromStdString(ecrit).split('\n');
    EXPECT_FALSE(lignes.filter(QRegularExpression(QString::fromUtf8(c.ligneLisible))).isEmpty()) << ecrit;
    EXPECT_TRUE(temoin.messages.isEmpty());

    VerifierExportRefuse(vue, csv, temoin);
    temoin.messages.clear();

    // A sort of the grid: the copy follows the order shown.
    if (grille) {
      const auto inverse = [](const QStringList& a, const QStringList& b) { return ComparerSansCasse(b[0], a[0]); };
      grille->Trier(inverse);
      Feuille triee = feuille;
      std::stable_sort(triee.lignes.begin(), triee.lignes.end(),
                       [&](const QStringList& a, const QStringList& b) { return inverse(a, b) < 0; });
      ASSERT_NE(TexteFeuille(triee), TexteFeuille(feuille));
      QApplication::setActiveWindow(f->window());
      vue->setFocus();
      QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
      EXPECT_EQ(QApplication::clipboard()->text().toStdString(), TexteFeuille(triee).toStdString());
    }
    QTest::keyClick(f, Qt::Key_Escape);
    QApplication::processEvents();
  }
}

// The natal table exported after a return was cast: its stamp is the birth's (its ΔT, its
// zone), not that of the return the chart state holds now.
TEST_F(TablesTest, LaTableNataleExporteeGardeLeCachetDeLaNaissance) {
  TFormInterpret* t = Ouvrir();
  ASSERT_NE(t, nullptr);
  const QStringList naissance = LignesCachet(ContexteDuTheme(Etat()));
  Choisir(t, TechniquePrevision::RS);
  Remplir(t->Calcul->MaskEditDate, "01012027");
  Cliquer(t->Calcul->BtnCalculRSRLEtc);
  Choisir(t, TechniquePrevision::Natal);
  ASSERT_TRUE(t->TitreTable().startsWith("Jean DUPONT - Natal")) << t->TitreTable().toStdString();
  const QStringList retour = LignesCachet(ContexteDuTheme(Etat()));
  ASSERT_NE(retour[2], naissance[2]);
  const fs::path csv = dossier / "natale.csv";
  temoin.fichiers << QString::fromStdString(csv.string());
  ChoisirDansLeMenu(t->Defilement, QString::fromUtf8("Exporter CSV…"));
  const std::string ecrit = LireFichierTest(csv);
  EXPECT_NE(ecrit.find("# " + naissance[2].toStdString() + "\n"), std::string::npos) << ecrit.substr(0, 400);
  EXPECT_NE(ecrit.find("# " + naissance[4].toStdString() + "\n"), std::string::npos) << ecrit.substr(0, 400);
}
