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
      {panneau->MaskEditDate, "0101", "erreur", "'    ' n'est pas une valeur entière correcte"},
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
  QCheckBox* precession = panneau->CheckBoxPrecessIncluded;
  QTest::mouseClick(precession, Qt::LeftButton, {}, QPoint(6, precession->height() / 2));  // on the box
  ASSERT_TRUE(panneau->CheckBoxPrecessIncluded->isChecked());
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  EXPECT_TRUE(reussi);
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(placements, QList<bool>{true});
  EXPECT_EQ(relectures, 1);
  const ResultatPrevision& r = panneau->Resultat();
  EXPECT_EQ(panneau->MaskEditDate->text(), QString::fromStdString(JourJulienVersDatePoints(r.moment)));
  // About a day after the tropical return (06 or 07.03): some 75 years of precession.
  EXPECT_TRUE(panneau->MaskEditDate->text().startsWith("07.03.2027") ||
              panneau->MaskEditDate->text().startsWith("08.03.2027"))
      << panneau->MaskEditDate->text().toStdString();
  EXPECT_EQ(panneau->MaskEditHeure->text(), QString::fromStdString(FormatHeureHM(HeureDuJour(r.moment))));
  EXPECT_EQ(panneau->EditPrecess->text(),
            "Precess.= " + QString::fromStdString(Cp1252VersUtf8(FormatDMS(panneau->Prevision().PrecessionRetour))));
  EXPECT_TRUE(std::filesystem::exists(dossier / "DUPONT,Jean RSp 2027.cht"));
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Lyon");
}

TEST_F(PanneauCalculTest, DateVideArreteLeCalculAvecLeMessageDeConversion) {
  // The field emptied with the keys, then "Calcul" clicked: one message, quoting blanks.
  for (TechniquePrevision t : {TechniquePrevision::ArcSolaire, TechniquePrevision::RS, TechniquePrevision::RL}) {
    SCOPED_TRACE(static_cast<int>(t));
    Choisir(t);
    QTest::mouseClick(panneau->MaskEditDate, Qt::LeftButton);
    QTest::keySequence(panneau->MaskEditDate, QKeySequence::SelectAll);
    QTest::keyClick(panneau->MaskEditDate, Qt::Key_Delete);
    temoin.messages.clear();
    reussi = true;
    QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
    EXPECT_FALSE(reussi);
    ASSERT_EQ(temoin.messages.size(), 1);
    EXPECT_EQ(temoin.messages[0].genre, "erreur");
    EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("'  ' n'est pas une valeur entière correcte"));
    EXPECT_TRUE(panneau->MaskEditDate->hasFocus());
    EXPECT_TRUE(placements.isEmpty());
  }
  for (const auto& f : std::filesystem::directory_iterator(dossier.Chemin())) EXPECT_NE(f.path().extension(), ".cht");
}

// A place the return chart cannot be computed at: its message, the focus on it, no chart, no file.
TEST_F(PanneauCalculTest, LieuFauxRefuseAvantLeCalcul) {
  struct Cas {
    QLineEdit* champ;
    const char* texte;
    const char* juste;
    const char* message;
  };
  const Cas cas[] = {
      {panneau->EditLat, "abc", "48.52", "Latitude : abc :  valeur incorrecte !"},
      {panneau->EditLat, "95.00", "48.52", "Erreur : latitude supérieure à 90° !"},
      {panneau->EditLong, "abc", "2.20", "Longitude : abc :  valeur incorrecte !"},
  };
  Remplir(panneau->MaskEditDate, "01012027");
  const FicheClient fiche = Etat().FicheEnCours;
  for (TechniquePrevision t : {TechniquePrevision::RS, TechniquePrevision::RL, TechniquePrevision::Transits}) {
    Choisir(t);
    for (const Cas& c : cas) {
      SCOPED_TRACE(std::to_string(static_cast<int>(t)) + " " + c.texte);
      QTest::mouseClick(c.champ, Qt::LeftButton);
      QTest::keySequence(c.champ, QKeySequence::SelectAll);
      QTest::keyClicks(c.champ, c.texte);
      temoin.messages.clear();
      reussi = true;
      QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
      EXPECT_FALSE(reussi);
      ASSERT_EQ(temoin.messages.size(), 1);
      EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
      EXPECT_TRUE(c.champ->hasFocus());
      EXPECT_EQ(Etat().FicheEnCours.Lat.Chaine(), fiche.Lat.Chaine());
      EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), fiche.Date.Chaine());
      EXPECT_TRUE(placements.isEmpty());
      Remplir(c.champ, c.juste);
    }
  }
  for (const auto& f : std::filesystem::directory_iterator(dossier.Chemin())) EXPECT_NE(f.path().extension(), ".cht");
}

// The same return twice: the second asks before it replaces the file; No keeps file and fields.
TEST_F(PanneauCalculTest, RetourDejaEnregistreRemplaceApresQuestion) {
  Choisir(TechniquePrevision::RS);
  Remplir(panneau->MaskEditDate, "01012027");
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  ASSERT_TRUE(reussi);
  const QString date = panneau->MaskEditDate->text();
  std::filesystem::resize_file(dossier / "DUPONT,Jean RS 2027.cht", 3);
  Remplir(panneau->MaskEditDate, "01012027");
  Remplir(panneau->EditVille, "Nice");
  temoin.messages.clear();
  temoin.reponsesQuestions = {false};
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  EXPECT_FALSE(reussi);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "question");
  EXPECT_EQ(temoin.messages[0].texte,
            QString::fromUtf8("Le fichier DUPONT,Jean RS 2027.cht existe déjà. Voulez-vous le remplacer ?"));
  EXPECT_EQ(std::filesystem::file_size(dossier / "DUPONT,Jean RS 2027.cht"), 3u);
  EXPECT_EQ(panneau->MaskEditDate->text(), "01.01.2027");
  EXPECT_NE(Etat().FicheEnCours.Ville.Chaine(), "Nice");
  temoin.reponsesQuestions = {true};
  QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
  EXPECT_TRUE(reussi);
  EXPECT_EQ(panneau->MaskEditDate->text(), date);
  EXPECT_EQ(DecouperLignes(LireFichierEntier(dossier / "DUPONT,Jean RS 2027.cht"))[3], "Nice");
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Nice");
}

TEST_F(PanneauCalculTest, MaintenantDonneLaDateEtLHeureDuJour) {
  panneau->MaskEditDate->setText("01.01.2000");
  QTest::mouseClick(panneau->BtnClrNow, Qt::LeftButton);
  EXPECT_EQ(panneau->MaskEditDate->text(), QDate::currentDate().toString("dd.MM.yyyy"));
  EXPECT_EQ(panneau->MaskEditHeure->text().size(), 5);
  EXPECT_EQ(panneau->MaskEditHeure->text().mid(2, 1), "h");
}

TEST_F(PanneauCalculTest, LieuHostileEcritToujoursHuitLignes) {
  // Any town goes into the chart file on its line; a latitude is first a number (above).
  Choisir(TechniquePrevision::RS);
  Remplir(panneau->MaskEditDate, "01012027");
  temoin.reponsesQuestions = QList<bool>(TextesHostiles().size(), true);  // each replaces the last one
  for (const QString& texte : TextesHostiles()) {
    SCOPED_TRACE(texte.left(20).toStdString());
    Remplir(panneau->EditVille, texte, true);
    QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
    EXPECT_TRUE(reussi);
    const std::vector<std::string> lignes = DecouperLignes(LireFichierEntier(dossier / "DUPONT,Jean RS 2027.cht"));
    ASSERT_EQ(lignes.size(), 8u);
    EXPECT_LE(lignes[3].size(), 30u);
    EXPECT_EQ(lignes[4], "48.52");
    EXPECT_EQ(lignes[6], "0");
    // The chart state is back to the natal chart for the next text.
    Etat().FicheEnCours = FicheDeTest();
    // The same text as a latitude: refused with one message, the file as it was.
    Remplir(panneau->EditLat, texte, true);
    temoin.messages.clear();
    QTest::mouseClick(panneau->BtnCalculRSRLEtc, Qt::LeftButton);
    EXPECT_FALSE(reussi);
    EXPECT_EQ(temoin.messages.size(), 1);
    EXPECT_EQ(DecouperLignes(LireFichierEntier(dossier / "DUPONT,Jean RS 2027.cht")), lignes);
    Remplir(panneau->EditLat, "48.52");
  }
}
