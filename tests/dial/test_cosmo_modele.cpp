#include <gtest/gtest.h>

#include <QApplication>
#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dial/ModeleCadran.h"
#include "dial/TFormCosmo.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "tests/support/TemoinAvertissements.h"

// The dial window's buttons clicked as a user clicks them give what the dial's model gives
// for the same fields and choices: the window only carries the fields to the model and back.
using namespace selvane;

namespace {

class CosmoModeleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    AppliquerReglagesParDefaut();
    PreparerEtatDeTest();
    Etat().FicheEnCours = FicheDeTest();
    Etat().NomAffiche = "Jean DUPONT";
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    cosmo = new TFormCosmo(QString::fromStdString(dossier.Chemin().string()));
    cosmo->show();
    QApplication::setActiveWindow(cosmo);
  }
  void TearDown() override { delete cosmo; }

  void Moment(const char* date, const char* heure, const char* secondes, const char* zone) {
    Remplir(cosmo->MaskEditDate, date);
    Remplir(cosmo->MaskEditHeure, heure);
    Remplir(cosmo->MaskEditSecondes, secondes);
    Remplir(cosmo->EditFuseau, zone);
    QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
  }
  // The fields as the model reads them.
  ChampsMoment Champs() const {
    ChampsMoment c;
    c.date = cosmo->MaskEditDate->text().toStdString();
    c.heure = cosmo->MaskEditHeure->text().toStdString();
    c.secondes = cosmo->MaskEditSecondes->text().toStdString();
    c.fuseau = cosmo->EditFuseau->text().toStdString();
    c.ville = cosmo->EditVille->text().toStdString();
    c.lat = cosmo->EditLat->text().toStdString();
    c.lon = cosmo->EditLong->text().toStdString();
    return c;
  }
  void AttendreChamps(const ChampsMoment& c) const {
    EXPECT_EQ(cosmo->MaskEditDate->text().toStdString(), c.date);
    EXPECT_EQ(cosmo->MaskEditHeure->text().toStdString(), c.heure);
    EXPECT_EQ(cosmo->MaskEditSecondes->text().toStdString(), c.secondes);
    EXPECT_EQ(cosmo->EditFuseau->text().toStdString(), c.fuseau);
  }
  void AttendreSelection(const SelectionCadran& s) const {
    const SelectionCadran& lu = cosmo->Selection();
    EXPECT_EQ(lu.CorpsChoisi, s.CorpsChoisi);
    EXPECT_EQ(lu.AnglePointeur, s.AnglePointeur);
    EXPECT_EQ(lu.AnneauChoisi, s.AnneauChoisi);
    EXPECT_EQ(lu.CoucheDe, s.CoucheDe);
    EXPECT_EQ(lu.CoucheVers, s.CoucheVers);
    EXPECT_EQ(lu.PointeurEvenement, s.PointeurEvenement);
    // The radio groups show the selection.
    EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), s.CoucheDe - 1);
    EXPECT_EQ(cosmo->RadioGroupVers->ItemIndex(), s.CoucheVers - 1);
  }
  // The tree the window shows is the model's tree for the window's selection.
  void AttendreArbre() const {
    const std::vector<LigneArbre> attendu = RemplirArbre(cosmo->Modele(), cosmo->Selection(), Etat().JeuPlanetes);
    const std::vector<LigneArbre>& lu = cosmo->Arbre();
    ASSERT_EQ(lu.size(), attendu.size());
    for (size_t k = 0; k < lu.size(); ++k) {
      EXPECT_EQ(lu[k].corps1, attendu[k].corps1) << k;
      EXPECT_EQ(lu[k].corps2, attendu[k].corps2) << k;
      EXPECT_EQ(lu[k].ecart, attendu[k].ecart) << k;
      EXPECT_EQ(lu[k].harmonique, attendu[k].harmonique) << k;
    }
  }

  // On its round box or square: a button is only hit on its indicator and its text.
  static void Cocher(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

  DossierProgramme dossier{"cosmo_modele"};
  TemoinInstalle temoin;
  TFormCosmo* cosmo = nullptr;
};

}  // namespace

// Every step button: the fields, the moment, the age, the arc and the three rings of the
// model stepped from the same fields by the button's step.
TEST_F(CosmoModeleTest, ChaqueBoutonDePasDonneLePasDuModele) {
  for (int tag = 1; tag <= 12; ++tag) {
    SCOPED_TRACE(cosmo->BoutonsPas[tag]->objectName().toStdString());
    Moment("15062000", "2330", "45", "-5");  // local evening: the UT day is the next one
    ModeleCadran attendu = cosmo->Modele();
    ChampsMoment champs = Champs();
    AvancerCadran(attendu, champs, PasDuBouton(tag));
    QTest::mouseClick(cosmo->BoutonsPas[tag], Qt::LeftButton);
    AttendreChamps(champs);
    const ModeleCadran& m = cosmo->Modele();
    EXPECT_EQ(m.JourJulienTransit, attendu.JourJulienTransit);
    EXPECT_EQ(m.AgeAnnees, attendu.AgeAnnees);
    EXPECT_EQ(m.ArcSolaire, attendu.ArcSolaire);
    EXPECT_EQ(cosmo->EditAge->text(), "Age : " + QString::number(attendu.AgeAnnees, 'f', 2) + " ans");
    for (int b = 1; b <= NbCorps; ++b)
      for (int anneau = CoucheNatale; anneau <= CoucheTransit; ++anneau) {
        ASSERT_EQ(m.Longitudes[b][anneau], attendu.Longitudes[b][anneau]) << b << " " << anneau;
        ASSERT_EQ(m.PositionsEtalees[b][anneau], attendu.PositionsEtalees[b][anneau]) << b << " " << anneau;
        ASSERT_EQ(m.OrdreEtale[b][anneau], attendu.OrdreEtale[b][anneau]) << b << " " << anneau;
      }
    AttendreArbre();
  }
  EXPECT_TRUE(temoin.messages.isEmpty());
}

// "Now" resets the pointer as the model's "now" selection does, in both modes of the clock.
TEST_F(CosmoModeleTest, NowChoisitCommeLeModele) {
  for (const bool horloge : {false, true}) {
    SCOPED_TRACE(horloge);
    if (cosmo->Selection().ModeHorloge != horloge) QTest::mouseClick(cosmo->BtnHorloge, Qt::LeftButton);
    ASSERT_EQ(cosmo->Selection().ModeHorloge, horloge);
    // Somewhere else first: another point, other layers.
    Cocher(cosmo->RadioGroupA->Bouton(5));
    QTest::mouseClick(cosmo->BtnCalculPointParticulier, Qt::LeftButton);
    Cocher(cosmo->RadioGroupVers->Bouton(1));
    ASSERT_EQ(cosmo->Selection().CorpsChoisi, 0);
    ASSERT_EQ(cosmo->Selection().CoucheVers, CoucheArcSolaire);
    SelectionCadran attendu = cosmo->Selection();
    SelectionMaintenant(attendu);
    QTest::mouseClick(cosmo->BtnClrNow, Qt::LeftButton);
    AttendreSelection(attendu);
    AttendreArbre();
  }
  EXPECT_TRUE(temoin.messages.isEmpty());
}

// "Ok" of the returns panel: the model's return for the start date, written as the model
// writes a UT moment, and the model's selection of a return.
TEST_F(CosmoModeleTest, LeRetourEstCeluiDuModele) {
  struct Cas {
    bool solaire;
    int quart;
    bool precession;
  } cas[] = {{true, 0, false}, {true, 2, true}, {false, 0, false}, {false, 0, true}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::to_string(c.solaire) + " " + std::to_string(c.quart) + " " + std::to_string(c.precession));
    Cocher(cosmo->RadioGroupVers->Bouton(2));  // the return's selection replaces this
    ASSERT_EQ(cosmo->Selection().CoucheVers, CoucheTransit);
    QTest::mouseClick(cosmo->BtnClr1, Qt::LeftButton);
    Remplir(cosmo->MaskEditDateStart, "01062000");
    Cocher(cosmo->RadioGroupRSouRL->Bouton(c.solaire ? 0 : 1));
    Cocher(cosmo->RadioGroupTypeRS->Bouton(c.quart));
    if (cosmo->CheckBoxPrecession->isChecked() != c.precession) Cocher(cosmo->CheckBoxPrecession);
    const ResultatRetour r = c.solaire ? RetourSolaire(cosmo->Modele().natal, 2000, c.quart, c.precession)
                                       : RetourLunaire(cosmo->Modele().natal, 1, 6, 2000, c.precession);
    ChampsMoment champs = Champs();
    EcrireMomentTU(champs, r.jourUT, true);
    SelectionCadran attendu = cosmo->Selection();
    SelectionDuRetour(attendu, c.solaire);
    QTest::mouseClick(cosmo->Button1, Qt::LeftButton);
    AttendreChamps(champs);
    AttendreSelection(attendu);
    EXPECT_EQ(cosmo->Modele().JourJulienTransit, JourJulienDesChamps(champs));
    AttendreArbre();
  }
  EXPECT_TRUE(temoin.messages.isEmpty());
}

// The choices made in the controls are the selection at once, whoever made them, and stay so
// through the commands that follow: nothing reads the controls again.
TEST_F(CosmoModeleTest, LaSelectionSuitLesControles) {
  Moment("15062000", "1200", "00", "0");
  Cocher(cosmo->RadioGroupFrom->Bouton(0));
  Cocher(cosmo->RadioGroupVers->Bouton(2));
  Cocher(cosmo->CheckBoxH8H16);
  cosmo->ComboBoxOrbe->setCurrentIndex(20);
  cosmo->ComboBoxOrbeSerre->setCurrentIndex(3);
  const SelectionCadran& s = cosmo->Selection();
  EXPECT_EQ(s.CoucheDe, CoucheNatale);
  EXPECT_EQ(s.CoucheVers, CoucheTransit);
  EXPECT_TRUE(s.SousHarmoniques);
  EXPECT_EQ(s.IndexOrbe, 20);
  EXPECT_EQ(s.IndexOrbeSerre, 3);
  for (QPushButton* b : {cosmo->BoutonsPas[4], cosmo->BtnActualiser, cosmo->BoutonsPas[9]}) {
    SCOPED_TRACE(b->objectName().toStdString());
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(s.CoucheDe, CoucheNatale);
    EXPECT_EQ(s.CoucheVers, CoucheTransit);
    EXPECT_TRUE(s.SousHarmoniques);
    EXPECT_EQ(s.IndexOrbe, 20);
    EXPECT_EQ(cosmo->RadioGroupVers->ItemIndex(), 2);
    AttendreArbre();
  }
  // The harmonic's presets reach the selection too.
  cosmo->ComboBoxHarmonic->setFocus();
  QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Down);  // H8
  ASSERT_EQ(cosmo->Harmonique(), 8);
  EXPECT_EQ(s.IndexOrbe, PresetsDuCadran(8).indexOrbe);
  EXPECT_EQ(s.IndexOrbeSerre, PresetsDuCadran(8).indexOrbeSerre);
  EXPECT_FALSE(s.SousHarmoniques);
  AttendreArbre();
  EXPECT_TRUE(temoin.messages.isEmpty());
}
