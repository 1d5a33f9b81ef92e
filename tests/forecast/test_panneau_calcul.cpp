#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>

#include "birthdata/records/Fichiers.h"
#include "birthdata/records/Cp1252.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "forecast/PanneauCalcul.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"

using namespace selvane;

namespace {

class PanneauCalculTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReinitialiserEtat();
    OuvrirEphemerides();
    Etat().FicheEnCours = FicheDeTest();
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    ListeThemesSauves liste;
    liste.placer = [this](const QPoint&, bool ouvrir) { placements << ouvrir; };
    liste.relire = [this] { ++relectures; };
    panneau = new PanneauCalcul(QString::fromStdString(dossier.Chemin().string()), liste, &fenetre);
    panneau->DefinirCoinListe([] { return QPoint(800, 600); });
    auto* suivant = new QLineEdit(&fenetre);
    suivant->setObjectName("suivant");
    auto* disposition = new QVBoxLayout(&fenetre);
    disposition->addWidget(panneau);
    disposition->addWidget(suivant);
    QObject::connect(panneau, &PanneauCalcul::CalculDemande, [this] { reussi = panneau->BtnCalculRSRLEtcClick(); });
    panneau->Ouvrir();
    fenetre.show();
    QApplication::setActiveWindow(&fenetre);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fenetre));
  }
  void Choisir(TechniquePrevision t) {
    QAbstractButton* bouton = panneau->RadioGroupType->button(static_cast<int>(t));
    QTest::mouseClick(bouton, Qt::LeftButton, {}, QPoint(6, bouton->height() / 2));  // on the round box
    ASSERT_EQ(panneau->Technique(), t);
  }
  QApplication& application = ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  DossierProgramme dossier{"panneau"};
  QWidget fenetre;
  PanneauCalcul* panneau = nullptr;
  QList<bool> placements;
  int relectures = 0;
  bool reussi = false;
};

}  // namespace

TEST_F(PanneauCalculTest, OuvertureSurLeLieuDeNaissance) {
  EXPECT_EQ(panneau->MaskEditDate->text(), QDate::currentDate().toString("dd.MM.yyyy"));
  EXPECT_EQ(panneau->MaskEditHeure->text(), "12h00");
  EXPECT_EQ(panneau->EditVille->text(), "Paris");
  EXPECT_EQ(panneau->EditLat->text(), "48.52");
  EXPECT_EQ(panneau->EditLong->text(), "2.20");
  EXPECT_EQ(panneau->Prevision().AnneeNaissance, 1952);
  EXPECT_EQ(panneau->Technique(), TechniquePrevision::Natal);
}

TEST_F(PanneauCalculTest, ChampsVerifiesEnLesQuittant) {
  struct Cas {
    QLineEdit* champ;
    const char* texte;
    const char* genre;
    const char* message;
  };
  // A wrong field keeps the focus: each case puts a right text back before the next.
  const Cas cas[] = {
      {panneau->MaskEditDate, "31022027", "information", "31.02.2027 : date incorrecte"},
      {panneau->MaskEditDate, "01132027", "information", "01.13.2027 : date incorrecte"},
      {panneau->MaskEditDate, "0101", "erreur", "'____' n'est pas une valeur entière correcte"},
      {panneau->MaskEditHeure, "2500", "information", "25h00 : heure incorrecte"},
      {panneau->MaskEditHeure, "1260", "information", "12h60 : heure incorrecte"},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.message);
    temoin.messages.clear();
    Remplir(c.champ, c.texte);
    ASSERT_EQ(temoin.messages.size(), 1);
    EXPECT_EQ(temoin.messages[0].genre, c.genre);
    EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
    EXPECT_TRUE(c.champ->hasFocus());
    Remplir(c.champ, c.champ == panneau->MaskEditDate ? "01012027" : "1200");
    EXPECT_EQ(temoin.messages.size(), 1);
  }
  temoin.messages.clear();
  Remplir(panneau->MaskEditDate, "29022028");
  Remplir(panneau->MaskEditHeure, "2359");
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_FALSE(panneau->MaskEditHeure->hasFocus());
}

TEST_F(PanneauCalculTest, RetourSolaireParLeBoutonCalcul) {
  Choisir(TechniquePrevision::RS);
  Remplir(panneau->MaskEditDate, "01012027");
  Remplir(panneau->EditVille, "Lyon");
  QTest::mouseClick(panneau->CheckBoxPrecessIncluded, Qt::LeftButton);
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  EXPECT_TRUE(reussi);
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(placements, QList<bool>{true});
  EXPECT_EQ(relectures, 1);
  const ResultatPrevision& r = panneau->Resultat();
  EXPECT_EQ(panneau->MaskEditDate->text(), QString::fromStdString(JourJulienVersDatePoints(r.moment)));
  EXPECT_TRUE(panneau->MaskEditDate->text().startsWith("07.03.2027") ||
              panneau->MaskEditDate->text().startsWith("06.03.2027"));
  EXPECT_EQ(panneau->MaskEditHeure->text(), QString::fromStdString(FormatHeureHM(HeureDuJour(r.moment))));
  EXPECT_EQ(panneau->EditPrecess->text(),
            "Precess.= " + QString::fromStdString(Cp1252VersUtf8(FormatDMS(panneau->Prevision().PrecessionRetour))));
  EXPECT_TRUE(std::filesystem::exists(dossier / "DUPONT,Jean RS 2027.cht"));
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Lyon");
}

TEST_F(PanneauCalculTest, DateVideArreteLeCalculAvecLeMessageDeConversion) {
  Choisir(TechniquePrevision::ArcSolaire);
  panneau->MaskEditDate->clear();
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  EXPECT_FALSE(reussi);
  ASSERT_FALSE(temoin.messages.isEmpty());
  EXPECT_EQ(temoin.messages.back().genre, "erreur");
  EXPECT_EQ(temoin.messages.back().texte, QString::fromUtf8("'__' n'est pas une valeur entière correcte"));
  EXPECT_TRUE(placements.isEmpty());
}

TEST_F(PanneauCalculTest, MaintenantDonneLaDateEtLHeureDuJour) {
  panneau->MaskEditDate->setText("01.01.2000");
  QTest::mouseClick(panneau->BtnClrNow, Qt::LeftButton);
  EXPECT_EQ(panneau->MaskEditDate->text(), QDate::currentDate().toString("dd.MM.yyyy"));
  EXPECT_EQ(panneau->MaskEditHeure->text().size(), 5);
  EXPECT_EQ(panneau->MaskEditHeure->text().mid(2, 1), "h");
}

TEST_F(PanneauCalculTest, LieuHostileEcritToujoursHuitLignes) {
  Choisir(TechniquePrevision::RS);
  Remplir(panneau->MaskEditDate, "01012027");
  for (const QString& texte : TextesHostiles()) {
    SCOPED_TRACE(texte.left(20).toStdString());
    Remplir(panneau->EditVille, texte, true);
    Remplir(panneau->EditLat, texte, true);
    QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
    EXPECT_TRUE(reussi);
    const std::vector<std::string> lignes = DecouperLignes(LireFichierEntier(dossier / "DUPONT,Jean RS 2027.cht"));
    ASSERT_EQ(lignes.size(), 8u);
    EXPECT_LE(lignes[3].size(), 30u);
    EXPECT_LE(lignes[4].size(), 6u);
    EXPECT_EQ(lignes[6], "0");
    // The chart state is back to the natal chart for the next text.
    Etat().FicheEnCours = FicheDeTest();
  }
}
