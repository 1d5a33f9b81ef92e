#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "dial/PanneauFormulaire.h"
#include "dial/TFormCosmo.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "tests/support/TemoinAvertissements.h"
#include "widgets/GrilleTexte.h"

using namespace selvane;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

// The main window's road to the dial: the birth chart computed and frozen as the natal chart.
class CosmoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    PreparerEtatDeTest();
    Etat().FicheEnCours = FicheDeTest();
    Etat().NomAffiche = "Jean DUPONT";
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    natal_ = Etat().FicheEnCours;
    soleilNatal_ = Etat().Positions[Soleil][1];
    cosmo = new TFormCosmo(QString::fromStdString(dossier.Chemin().string()));
    cosmo->show();
    QApplication::setActiveWindow(cosmo);
  }
  void TearDown() override { delete cosmo; }

  // Types a moment into the fields and leaves each with Tab, then "Actualiser".
  void Moment(const char* date, const char* heure, const char* secondes, const char* zone) {
    Remplir(cosmo->MaskEditDate, date);
    Remplir(cosmo->MaskEditHeure, heure);
    Remplir(cosmo->MaskEditSecondes, secondes);
    Remplir(cosmo->EditFuseau, zone);
    QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
  }

  DossierProgramme dossier{"cosmo"};
  TemoinInstalle temoin;
  TemoinAvertissements avertissements;
  FicheClient natal_;
  double soleilNatal_ = 0;
  TFormCosmo* cosmo = nullptr;
};

TEST_F(CosmoTest, LaFenetreSOuvreSurLeCadranDe90Degres) {
  EXPECT_EQ(cosmo->windowTitle(), "Jean DUPONT - Cosmogramme");
  const QStringList harmoniques{QString::fromUtf8("H1 360°"), QString::fromUtf8("H4  90°"), QString::fromUtf8("H8  45°"),
                                QString::fromUtf8("H12 30°"), QString::fromUtf8("H16  22°30'"),
                                QString::fromUtf8("H32  11°15'")};
  ASSERT_EQ(cosmo->ComboBoxHarmonic->count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(cosmo->ComboBoxHarmonic->itemText(i), harmoniques[i]);
  EXPECT_EQ(cosmo->Harmonique(), 4);
  EXPECT_EQ(cosmo->ComboBoxOrbe->count(), 36);
  EXPECT_EQ(cosmo->ComboBoxOrbe->currentText(), QString::fromUtf8("0°40'"));
  EXPECT_EQ(cosmo->ComboBoxOrbe->itemText(0), QString::fromUtf8("0°05'"));
  EXPECT_EQ(cosmo->ComboBoxOrbe->itemText(35), QString::fromUtf8("3°"));
  EXPECT_EQ(cosmo->ComboBoxOrbeSerre->count(), 41);
  EXPECT_EQ(cosmo->ComboBoxOrbeSerre->currentText(), "4'");
  EXPECT_EQ(cosmo->ComboBoxOrbeSerre->itemText(0), "0,1'");
  EXPECT_EQ(cosmo->ComboBoxOrbeSerre->itemText(40), "");
  EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), 1);  // "Arc sol"
  EXPECT_EQ(cosmo->RadioGroupVers->ItemIndex(), 0);  // "Natal"
  EXPECT_EQ(cosmo->RadioGroupFrom->Bouton(2)->text(), "Transit");
  EXPECT_EQ(cosmo->RadioGroupA->Nombre(), 22);
  EXPECT_EQ(cosmo->RadioGroupB->Nombre(), 21);
  EXPECT_EQ(cosmo->RadioGroupC->Nombre(), 23);
  EXPECT_EQ(cosmo->EditVille->text(), "Paris");
  EXPECT_EQ(cosmo->EditLat->text(), "48.52");
  EXPECT_EQ(cosmo->EditLong->toolTip(), "Placer un - devant pour les longitudes OUEST (ex: -102.23)");
  EXPECT_EQ(cosmo->EditLat->toolTip(), "Placer un - devant pour les latitudes SUD (ex: -35.52)");
  EXPECT_EQ(cosmo->BtnClr2->toolTip(), QString::fromUtf8("Retour aux données de départ"));
  EXPECT_TRUE(cosmo->EditAge->text().startsWith("Age : ")) << cosmo->EditAge->text().toStdString();
  EXPECT_TRUE(cosmo->EditAge->text().endsWith(" ans"));
  EXPECT_TRUE(cosmo->GridPositions->isHidden());
  EXPECT_TRUE(cosmo->PanelAxe->isHidden());
  EXPECT_TRUE(cosmo->PanelRSRL->isHidden());
  EXPECT_TRUE(cosmo->PanelFormulaire->isHidden());
  // The dial is square, its side the window's height.
  EXPECT_EQ(cosmo->Image1->width(), cosmo->Image1->height());
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, LesChampsRefusentCeQuiNEstPasUnMoment) {
  struct Cas {
    QLineEdit* TFormCosmo::*champ;
    const char* tape;
    const char* message;  // empty: accepted
  } cas[] = {
      {&TFormCosmo::MaskEditDate, "31022001", "31.02.2001 : date incorrecte"},
      {&TFormCosmo::MaskEditDate, "00132001", "00.13.2001 : date incorrecte"},
      {&TFormCosmo::MaskEditDate, "29022000", ""},
      {&TFormCosmo::MaskEditHeure, "2500", "25h00 : heure incorrecte"},
      {&TFormCosmo::MaskEditHeure, "1260", "12h60 : heure incorrecte"},
      {&TFormCosmo::MaskEditHeure, "2359", ""},
  };
  for (const Cas& c : cas) {
    temoin.messages.clear();
    QLineEdit* champ = cosmo->*(c.champ);
    Remplir(champ, c.tape);
    if (*c.message) {
      ASSERT_EQ(temoin.messages.size(), 1) << c.tape;
      EXPECT_EQ(temoin.messages[0].genre, "avertissement");
      EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
    } else {
      EXPECT_TRUE(temoin.messages.isEmpty()) << c.tape << ": " << temoin.messages.value(0).texte.toStdString();
    }
  }
  // A wrong date stops "Actualiser" before anything is computed.
  Remplir(cosmo->MaskEditDate, "15062000");
  QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
  const double avant = cosmo->JourJulienTransit();
  cosmo->MaskEditDate->setText("30.02.2000");
  temoin.messages.clear();
  QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, "30.02.2000 : date incorrecte");
  EXPECT_TRUE(cosmo->MaskEditDate->hasFocus());
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "15/06/2000");
  EXPECT_DOUBLE_EQ(cosmo->JourJulienTransit(), avant);
  // The date keeps the focus until it is right; then latitude and longitude say their own words.
  QTest::mouseClick(cosmo->EditLat, Qt::LeftButton);
  EXPECT_TRUE(cosmo->MaskEditDate->hasFocus());
  Remplir(cosmo->MaskEditDate, "15062000");
  temoin.messages.clear();
  avertissements.messages.clear();
  Remplir(cosmo->EditLat, "95.00");
  Remplir(cosmo->EditLong, "abc");
  EXPECT_EQ(avertissements.messages.size(), 2u);
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, LeMomentDesChampsDonneLeJourEnTempsUniversel) {
  struct Cas {
    const char* date;
    const char* heure;
    const char* zone;
    int jour, mois, annee;
    double fraction;  // UT day fraction, may leave 0..1
    const char* dateFiche;
  } cas[] = {
      {"15062000", "1200", "0", 15, 6, 2000, 0.5, "15/06/2000"},
      {"15062000", "0030", "2", 15, 6, 2000, -1.0 / 16, "15/06/2000"},   // previous UT day
      {"15062000", "2100", "-5", 15, 6, 2000, 26.0 / 24, "15/06/2000"},  // next UT day
  };
  for (const Cas& c : cas) {
    Moment(c.date, c.heure, "00", c.zone);
    EXPECT_NEAR(cosmo->JourJulienTransit(), JourJulien(c.jour, c.mois, c.annee, c.fraction), 1e-9) << c.heure;
    EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), c.dateFiche);
    EXPECT_EQ(Etat().FicheEnCours.Heure.Chaine().substr(0, 5), std::string(c.heure).insert(2, "h"));
    EXPECT_NEAR(Etat().JourJulienTU, cosmo->JourJulienTransit(), 1e-6) << c.heure;
  }
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, LesPasAvancentEnTempsUniverselEtMettentLaZoneAZero) {
  struct Cas {
    const char* bouton;
    double jours;
    const char* date;
    const char* heure;
  } cas[] = {
      {"+ 1 h", 1.0 / 24, "15.06.2000", "11h00"},   {"- 1 h", -1.0 / 24, "15.06.2000", "09h00"},
      {"+ 1 j", 1, "16.06.2000", "10h00"},          {"- 5 j", -5, "10.06.2000", "10h00"},
      {"+ 10 j", 10, "25.06.2000", "10h00"},        {"- 1 mois", -30, "16.05.2000", "10h00"},
      {"+ 1 an", 365, "15.06.2001", "10h00"},       {"- 1 an", -365, "16.06.1999", "10h00"},
  };
  for (const Cas& c : cas) {
    Moment("15062000", "1200", "30", "2");  // 10h00m30 UT
    const double avant = cosmo->JourJulienTransit();
    QPushButton* b = Bouton(cosmo, QString::fromUtf8(c.bouton));
    ASSERT_NE(b, nullptr) << c.bouton;
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_NEAR(cosmo->JourJulienTransit() - avant, c.jours, 1e-9) << c.bouton;
    EXPECT_EQ(cosmo->EditFuseau->text(), "0") << c.bouton;
    EXPECT_EQ(cosmo->MaskEditDate->text(), c.date) << c.bouton;
    EXPECT_EQ(cosmo->MaskEditHeure->text(), c.heure) << c.bouton;
    EXPECT_EQ(cosmo->MaskEditSecondes->text(), "30") << c.bouton;
    EXPECT_NEAR(cosmo->AgeAnnees(), (cosmo->JourJulienTransit() - JourJulien(7, 3, 1952, (14 + 5.5 / 60 - 1) / 24)) / 365.242198,
                1e-9);
  }
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, RetourAuxDonneesDeDepartEtFermetureRendentLaFiche) {
  Moment("15062000", "1200", "00", "2");
  QTest::mouseClick(Bouton(cosmo, "+ 1 an"), Qt::LeftButton);
  EXPECT_NE(Etat().FicheEnCours.Date.Chaine(), natal_.Date.Chaine());
  QTest::mouseClick(cosmo->BtnClr2, Qt::LeftButton);
  EXPECT_EQ(cosmo->MaskEditDate->text(), "07.03.1952");
  EXPECT_EQ(cosmo->MaskEditHeure->text(), "14h05");
  EXPECT_EQ(cosmo->MaskEditSecondes->text(), "30");
  EXPECT_EQ(cosmo->EditFuseau->text(), "01.00.00");
  EXPECT_EQ(cosmo->EditAge->text(), "Age : 0 an");
  EXPECT_NEAR(Etat().Positions[Soleil][1], soleilNatal_, 1e-9);

  QTest::mouseClick(Bouton(cosmo, "- 10 j"), Qt::LeftButton);
  QTest::keyClick(cosmo, Qt::Key_Escape);
  EXPECT_FALSE(cosmo->isVisible());
  const FicheClient& f = Etat().FicheEnCours;
  EXPECT_EQ(f.Date.Chaine(), natal_.Date.Chaine());
  EXPECT_EQ(f.Heure.Chaine(), natal_.Heure.Chaine());
  EXPECT_EQ(f.Fuseau.Chaine(), natal_.Fuseau.Chaine());
  EXPECT_EQ(f.Ville.Chaine(), natal_.Ville.Chaine());
  EXPECT_NEAR(Etat().Positions[Soleil][1], soleilNatal_, 1e-9);
  EXPECT_TRUE(temoin.messages.isEmpty());
  cosmo = nullptr;  // Escape closed it and it freed itself
}

TEST_F(CosmoTest, LHarmoniqueChoisitSesOrbes) {
  struct Cas {
    int item, harmonique, orbe, serre;
    bool maisons;
  } cas[] = {{0, 1, 35, 39, true}, {1, 4, 8, 19, false}, {2, 8, 3, 19, false},
             {3, 12, 2, 4, false}, {4, 16, 1, 4, false}, {5, 32, 0, 4, false}};
  for (const Cas& c : cas) {
    cosmo->CheckBoxH8H16->setChecked(true);
    cosmo->ComboBoxHarmonic->setFocus();
    QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Home);
    for (int i = 0; i < c.item; ++i) QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Down);
    if (c.item == 0) {  // Home on the first item activates nothing: step away and back
      QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Down);
      QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Up);
    }
    EXPECT_EQ(cosmo->Harmonique(), c.harmonique);
    EXPECT_EQ(cosmo->ComboBoxOrbe->currentIndex(), c.orbe) << c.harmonique;
    EXPECT_EQ(cosmo->ComboBoxOrbeSerre->currentIndex(), c.serre) << c.harmonique;
    EXPECT_FALSE(cosmo->CheckBoxH8H16->isChecked());
    EXPECT_EQ(cosmo->PanelAxe->isVisible(), c.maisons) << c.harmonique;
    EXPECT_EQ(cosmo->GridMaisons->isVisible(), c.maisons) << c.harmonique;
    EXPECT_EQ(cosmo->GridPositions->horizontalHeaderItem(2)->text(), "H" + QString::number(c.harmonique));
  }
}

TEST_F(CosmoTest, LeBoutonFormulaireMontreLePanneau) {
  QTest::mouseClick(cosmo->BtnFormulaire, Qt::LeftButton);
  EXPECT_TRUE(cosmo->PanelFormulaire->isVisible());
  QTest::mouseClick(cosmo->PanelFormulaire->BtnFermerFormulaire, Qt::LeftButton);
  EXPECT_FALSE(cosmo->PanelFormulaire->isVisible());
}

}  // namespace
