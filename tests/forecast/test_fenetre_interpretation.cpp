// The interpretation window driven as a user does: clicks, keys, panels, messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "forecast/TFormInterpret2.h"

#include <QScrollArea>
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"

using namespace selvane;

namespace {

class FenetreInterpretationTest : public ::testing::Test {
 protected:
  void SetUp() override { Ouvrir({NomFichierInterpretation}); }
  void TearDown() override { delete fenetre; }

  void Ouvrir(std::initializer_list<const char*> fichiers) {
    delete fenetre;
    dossier.emplace("interp2", fichiers);
    ReinitialiserEtat();
    OuvrirEphemerides();
    Etat().FicheEnCours = FicheDeTest();
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    fenetre = new TFormInterpret2(QString::fromStdString(dossier->Chemin().string()), {});
    fenetre->setAttribute(Qt::WA_DeleteOnClose, false);
    fenetre->resize(1400, 900);
    fenetre->show();
    QApplication::setActiveWindow(fenetre);
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenetre));
  }
  static void Cliquer(QAbstractButton* bouton) {
    ASSERT_TRUE(bouton->isVisible()) << bouton->text().toStdString();
    QTest::mouseClick(bouton, Qt::LeftButton, {}, QPoint(6, bouton->height() / 2));
  }
  void Technique(int t) { Cliquer(fenetre->Panneau->RadioGroupType->button(t)); }
  void De(int mode) { Cliquer(fenetre->RadioGroupFrom->button(mode)); }
  // Ticks a point of the points panel by clicking its check box.
  void Cocher(int rang) {
    QListWidget* l = fenetre->CheckListBoxPoints;
    l->scrollToItem(l->item(rang));
    const QRect r = l->visualItemRect(l->item(rang));
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 8, r.center().y()));
  }
  // Chooses an item of a list by typing its beginning, as the keyboard does.
  static void Choisir(QComboBox* liste, const QString& debut) {
    // Keys typed within the keyboard interval extend the search text: a short interval, waited out.
    QApplication::setKeyboardInputInterval(100);
    QTest::qWait(120);
    liste->setFocus();
    QTest::keyClicks(liste, debut);
    ASSERT_TRUE(liste->currentText().startsWith(debut)) << liste->currentText().toStdString();
  }
  QStringList Lignes() const { return fenetre->TexteAffiche().split('\n'); }
  QStringList Entetes() const {
    QStringList l = Lignes(), e;
    for (int i = 0; i + 1 < l.size(); ++i)
      if (l[i] == " " && l[i + 1].contains("    Orbe :  ")) e << l[i + 1];
    return e;
  }
  QString Message(int i = -1) const {
    return temoin.messages.isEmpty() ? QString() : temoin.messages.value(i < 0 ? temoin.messages.size() - 1 : i).texte;
  }

  QApplication& application = ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  std::optional<DossierProgramme> dossier;
  TFormInterpret2* fenetre = nullptr;
};

TEST_F(FenetreInterpretationTest, NatalSolLunEtCopie) {
  EXPECT_EQ(fenetre->windowTitle(), "Jean DUPONT  -  Astrologie Uranienne");
  EXPECT_FALSE(fenetre->Panneau->BtnCalculRSRLEtc->isVisible());
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_TRUE(temoin.messages.isEmpty());
  const QStringList l = Lignes();
  ASSERT_GT(l.size(), 8);
  EXPECT_EQ(l.mid(0, 5), (QStringList{"Jean DUPONT", "Thème de naissance :   07/03/1952 à 14h05m30 (GMT+01.00.00)",
                                      "Paris  48N52 - 002E20", "Mi-points uraniens à 22°30   : Orbe 0°30'", "     "}));
  // The rows come by orb. The Moon/Sun pair, always at distance 0, is the reference itself:
  // the file holds the Sun/Moon midpoint in display order only, so it is no hit.
  EXPECT_TRUE(Entetes().value(0).startsWith("Soleil/Lune = ")) << Entetes().value(0).toStdString();
  EXPECT_TRUE(Entetes().filter(" = Lune/Soleil. ").isEmpty());
  EXPECT_EQ(fenetre->ProgressBar1->value(), 0);
  // Ctrl+C copies all of it, whatever is selected.
  QApplication::clipboard()->clear();
  fenetre->RichEdit1->setFocus();
  QTest::keyClick(fenetre->RichEdit1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), fenetre->TexteAffiche());
}

TEST_F(FenetreInterpretationTest, PanneauDesPointsChoisis) {
  De(DePointsChoisis);
  ASSERT_TRUE(fenetre->PanelPoints->isVisible());
  EXPECT_FALSE(fenetre->GroupeFrom->isEnabled());
  Cliquer(fenetre->BtnPointsOk);
  EXPECT_EQ(Message(), "Vous devez sélectionner au moins un point à diriger/transiter ");
  EXPECT_TRUE(fenetre->PanelPoints->isVisible());
  Cliquer(fenetre->BtnToutSelectionner);
  EXPECT_EQ(fenetre->BtnToutSelectionner->text(), "Désélectionner");
  EXPECT_EQ(fenetre->CheckListBoxPoints->item(21)->checkState(), Qt::Checked);
  Cliquer(fenetre->BtnToutSelectionner);
  EXPECT_EQ(fenetre->BtnToutSelectionner->text(), "Tout sélectionner");
  EXPECT_EQ(fenetre->CheckListBoxPoints->item(0)->checkState(), Qt::Unchecked);
  Cocher(3);  // the Sun
  Cocher(1);  // the MC
  Cliquer(fenetre->BtnPointsOk);
  EXPECT_FALSE(fenetre->PanelPoints->isVisible());
  EXPECT_TRUE(fenetre->GroupeFrom->isEnabled());
  EXPECT_EQ(fenetre->PointsMobiles(), EnsemblePoints().set(Soleil).set(MilieuDuCiel));
  Choisir(fenetre->ComboBoxOrbe, "1");
  Cliquer(fenetre->CheckBoxIndirects);
  Cliquer(fenetre->BtnInterpretation);
  const QStringList e = Entetes();
  ASSERT_FALSE(e.isEmpty());
  // Display order: the MC's rows, then the Sun's.
  EXPECT_TRUE(e.first().startsWith("M.C.")) << e.first().toStdString();
  EXPECT_TRUE(e.last().startsWith("Soleil")) << e.last().toStdString();
  EXPECT_TRUE(fenetre->TexteAffiche().contains("(i) = "));
  EXPECT_TRUE(Lignes()[3].endsWith("Orbe 1°"));
}

TEST_F(FenetreInterpretationTest, MiPointsSourcesEtCibles) {
  De(DeMiPointsChoisis);
  ASSERT_TRUE(fenetre->PanelSource.panneau->isVisible());
  for (int i = 0; i < 6; ++i) Cliquer(fenetre->PanelSource.ajouter);
  EXPECT_EQ(fenetre->PanelSource.liste->count(), 5);
  Cliquer(fenetre->PanelSource.effacer);
  EXPECT_EQ(fenetre->PanelSource.liste->count(), 0);
  Choisir(fenetre->PanelSource.premier, "Soleil");
  Choisir(fenetre->PanelSource.second, "Mars");
  Cliquer(fenetre->PanelSource.ajouter);
  Cliquer(fenetre->PanelSource.ok);
  EXPECT_EQ(fenetre->ModeDe(), DeMiPointsChoisis);
  EXPECT_TRUE(fenetre->GroupeFrom->isEnabled());
  // Chosen targets without a pair: the warning, and the text stays.
  Cliquer(fenetre->RadioGroupVers->button(1));
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_EQ(Message(), "Vous devez choisir au  moins un mi-point. Cliquez sur le bouton \"Sélection\"");
  Cliquer(fenetre->BtnChoisirMP);
  ASSERT_TRUE(fenetre->PanelVers.panneau->isVisible());
  Cliquer(fenetre->PanelVers.ajouter);  // Aries point / MC, the first items
  Choisir(fenetre->PanelVers.premier, "Jupiter");
  Choisir(fenetre->PanelVers.second, "Saturne");
  Cliquer(fenetre->PanelVers.ajouter);
  Cliquer(fenetre->PanelVers.ok);
  EXPECT_FALSE(fenetre->PanelVers.panneau->isVisible());
  temoin.messages.clear();
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_TRUE(temoin.messages.isEmpty());
  const QStringList l = Lignes();
  EXPECT_EQ(l.value(5), "   ***   Signification générale des mi-points sélectionnés  ***");
  EXPECT_EQ(l.value(6), "Soleil/Mars : ");
  EXPECT_FALSE(l.value(7).isEmpty());
  for (const QString& e : Entetes()) {
    EXPECT_TRUE(e.startsWith("Soleil/Mars = ")) << e.toStdString();
    // Targets only among the cross combinations of Aries point, Jupiter and MC, Saturn.
    const QString cible = e.mid(14, e.indexOf(". ") - 14);
    EXPECT_TRUE(QStringList({"Pt. Vernal/M.C.", "Pt. Vernal/Saturne", "Jupiter/M.C.", "Jupiter/Saturne", "Pt. Vernal",
                             "Jupiter", "M.C.", "Saturne"})
                    .contains(cible))
        << e.toStdString();
  }
}

TEST_F(FenetreInterpretationTest, ArcSolaireApresCalcul) {
  Technique(TechArcSolaire);
  EXPECT_EQ(fenetre->windowTitle(), "Jean DUPONT - Arc solaire");
  EXPECT_FALSE(fenetre->BtnInterpretation->isVisible());
  EXPECT_TRUE(fenetre->Panneau->BtnCalculRSRLEtc->isVisible());
  De(DeMiPointsChoisis);
  EXPECT_EQ(Message(), "Ce calcul n'est exécuté que pour le Natal, la RS ou la RL");
  EXPECT_TRUE(fenetre->GroupeFrom->isEnabled());
  EXPECT_FALSE(fenetre->PanelSource.panneau->isVisible());
  De(DePointsPersonnels);
  Cliquer(fenetre->Panneau->BtnCalculRSRLEtc);
  ASSERT_TRUE(fenetre->BtnInterpretation->isVisible()) << Message().toStdString();
  Cliquer(fenetre->BtnInterpretation);
  const QStringList l = Lignes();
  EXPECT_EQ(l.value(1), "Naissance le :  07/03/1952 à 14h05m30 (GMT+01.00.00)");
  EXPECT_TRUE(l.value(2).startsWith("Arc solaire pour le  :  " + fenetre->Panneau->MaskEditDate->displayText() +
                                    ". Arc = "))
      << l.value(2).toStdString();
  EXPECT_EQ(l.value(4), "    ");
  ASSERT_FALSE(Entetes().isEmpty());
  // Back to natal: the source mode stays "Sol/Lun" after a change to the arc.
  Technique(TechTransits);
  EXPECT_TRUE(fenetre->TexteAffiche().isEmpty());
  EXPECT_EQ(fenetre->ModeDe(), DeSolLun);
}

TEST_F(FenetreInterpretationTest, TransitsSansLePointVernal) {
  Technique(TechTransits);
  Cliquer(fenetre->Panneau->BtnCalculRSRLEtc);
  De(DePointsChoisis);
  Cocher(0);  // Aries point
  Cocher(3);  // Sun
  Cliquer(fenetre->BtnPointsOk);
  Choisir(fenetre->ComboBoxOrbe, "1");
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_TRUE(Lignes().value(2).startsWith("Transits pour le  :  ")) << Lignes().value(2).toStdString();
  ASSERT_FALSE(Entetes().isEmpty());
  for (const QString& e : Entetes()) EXPECT_TRUE(e.startsWith("Soleil")) << e.toStdString();
  EXPECT_FALSE(fenetre->PointsMobiles()[PointBelier]);
}

TEST_F(FenetreInterpretationTest, RechercheDirecte) {
  Cliquer(fenetre->SpeedButton1);
  ASSERT_TRUE(fenetre->PanelRecherche->isVisible());
  Choisir(fenetre->ComboPremier, "Soleil");
  Choisir(fenetre->ComboSecond, "M.C.");
  Cliquer(fenetre->BtnRecherche);
  EXPECT_EQ(Message(), "Le deuxième point doit être supérieur au premier point");
  EXPECT_TRUE(fenetre->TexteAffiche().isEmpty());
  Choisir(fenetre->ComboPremier, "M.C.");
  Choisir(fenetre->ComboSecond, "Soleil");
  Cliquer(fenetre->BtnRecherche);
  QStringList l = Lignes();
  ASSERT_EQ(l.size(), 5);
  EXPECT_EQ(l[0], "Signification du point : M.C./Soleil ");
  EXPECT_FALSE(l[2].isEmpty());
  EXPECT_EQ(l[4], "*************         Recherche terminée       ************");
  Choisir(fenetre->ComboPremier, "Lune");
  Choisir(fenetre->ComboSecond, "Lune");
  Choisir(fenetre->ComboTroisieme, "Lune");
  temoin.messages.clear();
  Cliquer(fenetre->BtnRecherche);
  EXPECT_EQ(Message(), "Le 3ième point doit être différent des deux premiers");
  Cliquer(fenetre->BtnClr9);
  EXPECT_FALSE(fenetre->PanelRecherche->isVisible());
}

TEST_F(FenetreInterpretationTest, FichierAbsentPuisInstalle) {
  Ouvrir({});
  Cliquer(fenetre->BtnInterpretation);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_TRUE(Message().startsWith("Le fichier spécifié est introuvable.")) << Message().toStdString();
  EXPECT_EQ(Lignes().size(), 5);  // the headings stay
  // A later command tries the file again.
  dossier->Installer(NomFichierInterpretation);
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_EQ(temoin.messages.size(), 1);
  EXPECT_GT(Lignes().size(), 5);
}

TEST_F(FenetreInterpretationTest, EchapRestaureLaFicheNatale) {
  const double soleil = Etat().Positions[Soleil][6];
  Technique(TechRS);
  Cliquer(fenetre->Panneau->BtnCalculRSRLEtc);
  ASSERT_TRUE(fenetre->BtnInterpretation->isVisible()) << Message().toStdString();
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_TRUE(Lignes().value(1).startsWith("RS du :   ")) << Lignes().value(1).toStdString();
  EXPECT_NE(Etat().FicheEnCours.Date.Chaine(), "07/03/1952");  // the return chart is current
  fenetre->RichEdit1->setFocus();
  QTest::keyClick(fenetre->RichEdit1, Qt::Key_Escape);
  EXPECT_FALSE(fenetre->isVisible());
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "07/03/1952");
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][1], soleil);
}

}  // namespace

// On a 1366×768 screen (the window about 618 pixels high under the frame's bars) every button of
// the right-hand panel can be reached: the panel scrolls, and the search runs from its button.
TEST_F(FenetreInterpretationTest, PanneauDroitAtteignableSurUnPetitEcran) {
  fenetre->resize(1366, 618);
  QApplication::processEvents();
  auto* defilement = fenetre->findChild<QScrollArea*>("DefilementDroit");
  ASSERT_NE(defilement, nullptr);
  for (QWidget* w : std::initializer_list<QWidget*>{fenetre->BtnInterpretation, fenetre->SpeedButton1, fenetre->ProgressBar1}) {
    defilement->ensureWidgetVisible(w);
    QApplication::processEvents();
    const QRect ici(w->mapTo(fenetre, QPoint(0, 0)), w->size());
    EXPECT_TRUE(fenetre->rect().contains(ici)) << w->objectName().toStdString();
  }
  EXPECT_GE(fenetre->RichEdit1->width(), 500);  // the text keeps most of the width
  Cliquer(fenetre->BtnInterpretation);
  EXPECT_FALSE(fenetre->RichEdit1->toPlainText().isEmpty());
}
