#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QTimer>
#include <QCheckBox>
#include <QDateTime>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QContextMenuEvent>
#include <algorithm>
#include <array>
#include <QRadioButton>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <cstdlib>
#include <QTest>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "core/Conversions.h"
#include "core/Temps.h"
#include "dial/ImpressionCadran.h"
#include "dial/PanneauFormulaire.h"
#include "tests/support/Pdf.h"
#include "dial/TFormCosmo.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "tests/support/TemoinAvertissements.h"
#include "reglages/Reglages.h"
#include "widgets/GrilleTexte.h"

using namespace selvane;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

// The main window's road to the dial: the birth chart computed and frozen as the natal chart.
class CosmoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    AppliquerReglagesParDefaut();
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

  // The point of the widget where a body's glyph of a ring is drawn.
  QPoint GlypheDe(int corps, int anneau) {
    const ModeleCadran& m = cosmo->Modele();
    const GeometrieCadran& g = cosmo->Geometrie();
    const int rayon[4] = {0, g.R66, g.R76, g.R86};
    for (int i = 1; i <= NbCorps; ++i)
      if (m.OrdreEtale[i][anneau] == corps) {
        const double t = M_PI / 2 + m.PositionsEtalees[i][anneau];
        return QPoint(static_cast<int>(std::lround(g.XC + rayon[anneau] * std::cos(t))),
                      static_cast<int>(std::lround(g.YC - rayon[anneau] * std::sin(t))));
      }
    return {};
  }
  QString Lettre(int corps) { return QString(QChar(static_cast<unsigned char>(LettresCorps[corps]))); }
  // The tree's reference row (" - glyph - "), -1 when there is none.
  int LigneRacine() {
    for (int l = 0; l < cosmo->GridArbre->rowCount(); ++l)
      if (cosmo->GridArbre->Texte(l, 1).startsWith(" - ")) return l;
    return -1;
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
  QStringList libelles;
  for (QLabel* e : cosmo->BoutonsPas[1]->parentWidget()->findChildren<QLabel*>()) libelles << e->text();
  EXPECT_EQ(libelles, (QStringList{"1 h", "1 j", "5 j", "10 j", "1 mois", "1 an"}));
  // The dial is square, its side the window's height.
  EXPECT_EQ(cosmo->Image1->width(), cosmo->Image1->height());
  EXPECT_TRUE(temoin.messages.isEmpty());
}

// The work area of a maximised window on small screens (menu, tool bar, status bar and title
// bar taken off): the tree keeps its rows, each panel shows all it holds or scrolls.
TEST_F(CosmoTest, SurUnPetitEcranLArbreGardeSesLignesEtLesPanneauxDefilent) {
  const struct {
    const char* nom;
    QSize taille;
  } ecrans[] = {{"1366x768", {1366, 768 - 150}}, {"1280x720", {1280, 720 - 150}}, {"1024x600", {1024, 600 - 150}}};
  for (const auto& e : ecrans) {
    cosmo->resize(e.taille);
    QApplication::processEvents();
    ASSERT_EQ(cosmo->size(), e.taille) << e.nom;
    const GrilleTexte* arbre = cosmo->GridArbre;
    ASSERT_TRUE(arbre->isVisible());
    EXPECT_GE(arbre->viewport()->height(), LignesArbreMinimum * arbre->verticalHeader()->defaultSectionSize()) << e.nom;
    EXPECT_GE(cosmo->GridEclipses->viewport()->height(), 4 * cosmo->GridEclipses->verticalHeader()->defaultSectionSize())
        << e.nom;
    for (const char* nom : {"PanelFigure", "Panel1"}) {
      auto* panneau = cosmo->findChild<QWidget*>(nom);
      ASSERT_NE(panneau, nullptr) << nom;
      // Never squeezed below what its controls need: the rest is reached with the scroll bar.
      EXPECT_GE(panneau->height(), panneau->minimumSizeHint().height()) << e.nom << " " << nom;
      QWidget* vue = panneau->parentWidget();
      if (panneau->height() > vue->height()) {
        auto* zone = qobject_cast<QScrollArea*>(vue->parentWidget());
        ASSERT_NE(zone, nullptr) << e.nom << " " << nom;
        EXPECT_TRUE(zone->verticalScrollBar()->isVisible()) << e.nom << " " << nom;
        EXPECT_LE(QRect(zone->mapTo(cosmo, QPoint(0, 0)), zone->size()).bottom(), cosmo->height()) << e.nom;
      }
    }
    // The dial beside the panels, all of it in the window.
    EXPECT_TRUE(cosmo->rect().contains(cosmo->Image1->geometry())) << e.nom;
    if (const char* captures = std::getenv("SELVANE_CAPTURES"))
      cosmo->grab().save(QString("%1/cadran_%2.png").arg(captures, e.nom));
  }
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
  QStringList textes;
  for (const auto& m : temoin.messages) textes << m.texte;
  EXPECT_EQ(textes, (QStringList{QString::fromUtf8("Erreur : latitude supérieure à 90° !"),
                                 "Longitude : abc :  valeur incorrecte !"}));
  EXPECT_TRUE(avertissements.messages.empty());
}

// Each field a computation reads, typed wrong and left for "Actualiser" with a click, as a
// user does: one message, the focus back in that field, nothing computed.
TEST_F(CosmoTest, UnChampFauxArreteActualiserAvantToutCalcul) {
  struct Cas {
    QLineEdit* TFormCosmo::*champ;
    const char* tape;
    const char* juste;
    const char* message;
  } cas[] = {
      {&TFormCosmo::EditFuseau, "abc", "2", "Erreur dans l'écriture du fuseau"},
      {&TFormCosmo::EditFuseau, "25", "2", "Erreur dans l'écriture du fuseau"},
      {&TFormCosmo::EditLat, "95.00", "48.52", "Erreur : latitude supérieure à 90° !"},
      {&TFormCosmo::EditLat, "abc", "48.52", "Latitude : abc :  valeur incorrecte !"},
      {&TFormCosmo::EditLong, "200.00", "2.20", "Longitude : 200.00 :  valeur incorrecte !"},
      {&TFormCosmo::MaskEditHeure, "2500", "1200", "25h00 : heure incorrecte"},
      {&TFormCosmo::MaskEditSecondes, "75", "00", "75 : secondes incorrectes"},
      {&TFormCosmo::MaskEditDate, "3102", "15062000", "31.02.     : date incorrecte"},
  };
  Moment("15062000", "1200", "00", "2");
  const double avant = cosmo->JourJulienTransit();
  const FicheClient fiche = Etat().FicheEnCours;
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.tape);
    QLineEdit* champ = cosmo->*(c.champ);
    temoin.messages.clear();
    QTest::mouseClick(champ, Qt::LeftButton);
    QTest::keySequence(champ, QKeySequence::SelectAll);
    QTest::keyClick(champ, Qt::Key_Delete);
    QTest::keyClicks(champ, c.tape);
    QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
    ASSERT_EQ(temoin.messages.size(), 1) << temoin.messages.value(1).texte.toStdString();
    EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
    EXPECT_TRUE(champ->hasFocus());
    EXPECT_DOUBLE_EQ(cosmo->JourJulienTransit(), avant);
    EXPECT_EQ(Etat().FicheEnCours.Fuseau.Chaine(), fiche.Fuseau.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Lat.Chaine(), fiche.Lat.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Long.Chaine(), fiche.Long.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Heure.Chaine(), fiche.Heure.Chaine());
    EXPECT_TRUE(avertissements.messages.empty()) << avertissements.messages.front();
    Remplir(champ, c.juste);
  }
  // The steps read the place too: a wrong latitude stops them before the moment moves.
  Remplir(cosmo->EditLat, "95.00");
  temoin.messages.clear();
  QTest::mouseClick(cosmo->BoutonsPas[4], Qt::LeftButton);
  EXPECT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(cosmo->MaskEditDate->text(), "15.06.2000");
  EXPECT_DOUBLE_EQ(cosmo->JourJulienTransit(), avant);
}

TEST_F(CosmoTest, UneDateAMoitieTapeeSeMontreCommeTapee) {
  temoin.messages.clear();
  Remplir(cosmo->MaskEditDate, "1");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, "1 .  .     : date incorrecte");
  EXPECT_TRUE(cosmo->MaskEditDate->hasFocus());
}

// Escape in an open drop-down closes the drop-down; the dial, its moment and its list stay.
TEST_F(CosmoTest, EchapDansUneListeOuverteNeFermeQueLaListe) {
  Moment("15062000", "1200", "00", "2");
  for (QComboBox* liste : {cosmo->ComboBoxOrbe, cosmo->ComboBoxHarmonic, cosmo->ComboBoxOrbeSerre}) {
    SCOPED_TRACE(liste->objectName().toStdString());
    QTest::mouseClick(liste, Qt::LeftButton);
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    // The key goes where the system sends it: to the pop-up's window.
    QTest::keyClick(popup->windowHandle(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(cosmo->isVisible());
  }
  // The dial's context menu too.
  QContextMenuEvent clicDroit(QContextMenuEvent::Mouse, cosmo->Image1->rect().center(),
                              cosmo->Image1->mapToGlobal(cosmo->Image1->rect().center()));
  QApplication::sendEvent(cosmo->Image1, &clicDroit);
  ASSERT_EQ(QApplication::activePopupWidget(), cosmo->PopupMenu1);
  QTest::keyClick(cosmo->PopupMenu1->windowHandle(), Qt::Key_Escape);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  ASSERT_TRUE(cosmo->isVisible());
  EXPECT_EQ(cosmo->MaskEditDate->text(), "15.06.2000");
  // Then, no pop-up open, Escape closes the window.
  cosmo->MaskEditDate->setFocus();
  QTest::keyClick(cosmo->MaskEditDate, Qt::Key_Escape);
  EXPECT_FALSE(cosmo->isVisible());
  cosmo = nullptr;  // it freed itself
}

// "RS / RL" with the start date cleared: refused with what the field shows, nothing changed.
TEST_F(CosmoTest, UnRetourSansDateDeDepartEstRefuse) {
  Moment("15062000", "1200", "00", "2");
  const double avant = cosmo->JourJulienTransit();
  const QString titre = cosmo->windowTitle();
  const std::string etiquette = Etat().NomFichierNaissance.Chaine();
  QTest::mouseClick(cosmo->BtnClr1, Qt::LeftButton);
  for (int solaire : {0, 1}) {
    QTest::mouseClick(cosmo->RadioGroupRSouRL->Bouton(solaire), Qt::LeftButton);
    QTest::mouseClick(cosmo->MaskEditDateStart, Qt::LeftButton);
    QTest::keySequence(cosmo->MaskEditDateStart, QKeySequence::SelectAll);
    QTest::keyClick(cosmo->MaskEditDateStart, Qt::Key_Delete);
    temoin.messages.clear();
    QTest::mouseClick(cosmo->Button1, Qt::LeftButton);
    ASSERT_EQ(temoin.messages.size(), 1);
    EXPECT_EQ(temoin.messages[0].texte, "  /  /     : date incorrecte");
    EXPECT_TRUE(cosmo->MaskEditDateStart->hasFocus());
    EXPECT_TRUE(cosmo->PanelRSRL->isVisible());
    EXPECT_DOUBLE_EQ(cosmo->JourJulienTransit(), avant);
    EXPECT_EQ(cosmo->windowTitle(), titre);
    EXPECT_EQ(cosmo->MaskEditDate->text(), "15.06.2000");
    EXPECT_EQ(Etat().NomFichierNaissance.Chaine(), etiquette);
  }
}

// The given arc takes 0..120 degrees, the range its prompt names; beyond, nothing moves.
TEST_F(CosmoTest, LArcDonneVaDe0A120) {
  Moment("15062000", "1200", "00", "2");
  struct Cas {
    const char* reponse;
    const char* message;  // empty: accepted
    double arc;
  } cas[] = {
      {"10000", "Entrez un nombre entier entre 0 et 120 : 10000", 0},
      {"121", "Entrez un nombre entier entre 0 et 120 : 121", 0},
      {"-1", "Entrez un nombre entier entre 0 et 120 : -1", 0},
      {"120", "", 120},
      {"0", "", 0},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.reponse);
    const double avant = cosmo->JourJulienTransit();
    const QString age = cosmo->EditAge->text();
    temoin.messages.clear();
    temoin.reponsesSaisies = QStringList{c.reponse};
    QTest::mouseClick(cosmo->SpeedButton6, Qt::LeftButton);
    if (*c.message) {
      ASSERT_EQ(temoin.messages.size(), 1);
      EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
      EXPECT_DOUBLE_EQ(cosmo->JourJulienTransit(), avant);
      EXPECT_EQ(cosmo->EditAge->text(), age);
    } else {
      EXPECT_TRUE(temoin.messages.isEmpty());
      EXPECT_EQ(cosmo->Edit2->text(), QString::fromUtf8(c.reponse) + QString::fromUtf8("°"));
      EXPECT_NEAR(cosmo->Modele().ArcSolaire * 180 / M_PI, c.arc, 0.01);
    }
  }
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
    const char* bouton;  // object name
    double jours;
    const char* date;
    const char* heure;
  } cas[] = {
      {"BtnPlus1H", 1.0 / 24, "15.06.2000", "11h00"},    {"BtnMoins1H", -1.0 / 24, "15.06.2000", "09h00"},
      {"BtnPlus1", 1, "16.06.2000", "10h00"},             {"SpeedButton1", -5, "10.06.2000", "10h00"},
      {"SpeedButton4", 10, "25.06.2000", "10h00"},        {"BtnMoins1Mois", -30, "16.05.2000", "10h00"},
      {"BtnPlus1An", 365, "15.06.2001", "10h00"},         {"BtnMois1An", -365, "16.06.1999", "10h00"},
  };
  for (const Cas& c : cas) {
    Moment("15062000", "1200", "30", "2");  // 10h00m30 UT
    const double avant = cosmo->JourJulienTransit();
    auto* b = cosmo->findChild<QPushButton*>(c.bouton);
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
  QTest::mouseClick(cosmo->BoutonsPas[12], Qt::LeftButton);
  EXPECT_NE(Etat().FicheEnCours.Date.Chaine(), natal_.Date.Chaine());
  QTest::mouseClick(cosmo->BtnClr2, Qt::LeftButton);
  EXPECT_EQ(cosmo->MaskEditDate->text(), "07.03.1952");
  EXPECT_EQ(cosmo->MaskEditHeure->text(), "14h05");
  EXPECT_EQ(cosmo->MaskEditSecondes->text(), "30");
  EXPECT_EQ(cosmo->EditFuseau->text(), "01.00.00");
  EXPECT_EQ(cosmo->EditAge->text(), "Age : 0 an");
  EXPECT_NEAR(Etat().Positions[Soleil][1], soleilNatal_, 1e-9);

  QTest::mouseClick(cosmo->BoutonsPas[7], Qt::LeftButton);
  cosmo->MaskEditDate->setFocus();
  QTest::keyClick(cosmo->MaskEditDate, Qt::Key_Escape);
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

TEST_F(CosmoTest, UnClicSurUnGlypheLeChoisitEtRemplitLArbre) {
  Moment("15062000", "1200", "00", "0");
  struct Cas {
    int corps, anneau;
    const char* de;
  } cas[] = {{Mars, 1, "Natal"}, {Lune, 2, "Arc sol"}, {Jupiter, 3, "Transit"}};
  for (const Cas& c : cas) {
    QTest::mouseClick(cosmo->Image1, Qt::LeftButton, {}, GlypheDe(c.corps, c.anneau));
    EXPECT_EQ(cosmo->Selection().CorpsChoisi, c.corps) << c.de;
    EXPECT_EQ(cosmo->Selection().AnneauChoisi, c.anneau) << c.de;
    EXPECT_EQ(cosmo->RadioGroupFrom->Bouton(cosmo->RadioGroupFrom->ItemIndex())->text(), c.de);
    EXPECT_TRUE(cosmo->EditPosEcl->text().startsWith(Lettre(c.corps) + " ")) << c.de;
    // The list: one row per hit of the search, in its order, and the reference row (offset 0)
    // between the hits below it and those above.
    const auto& arbre = cosmo->Arbre();
    ASSERT_EQ(cosmo->GridArbre->rowCount(), static_cast<int>(arbre.size()) + 1);
    const int racine = LigneRacine();
    ASSERT_GE(racine, 0);
    EXPECT_EQ(cosmo->GridArbre->Texte(racine, 1), " - " + Lettre(c.corps) + " - ");
    EXPECT_EQ(cosmo->GridArbre->Texte(racine, 4), QString::number(c.corps * 1000));
    EXPECT_TRUE(cosmo->BtnArbre->text().startsWith(Lettre(c.corps) + " "));
    const auto negatifs = std::count_if(arbre.begin(), arbre.end(), [](const LigneArbre& l) { return l.ecart < 0; });
    EXPECT_EQ(racine, negatifs);
    for (size_t k = 0; k < arbre.size(); ++k) {
      const int l = static_cast<int>(k) + (static_cast<int>(k) >= racine ? 1 : 0);
      EXPECT_EQ(cosmo->GridArbre->Texte(l, 0), Lettre(arbre[k].corps1));
      EXPECT_EQ(cosmo->GridArbre->Texte(l, 2), arbre[k].corps2 ? Lettre(arbre[k].corps2) : QString());
      EXPECT_EQ(cosmo->GridArbre->Texte(l, 3), "H4");
    }
    for (int l = 1; l < cosmo->GridArbre->rowCount(); ++l)
      EXPECT_LE(cosmo->GridArbre->Texte(l - 1, 5), cosmo->GridArbre->Texte(l, 5));
  }
  // Outside the rings: a free pointer and nothing else moves.
  const GeometrieCadran& g = cosmo->Geometrie();
  QTest::mouseClick(cosmo->Image1, Qt::LeftButton, {}, QPoint(g.XC, g.YC));
  EXPECT_EQ(cosmo->Selection().CorpsChoisi, 0);
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, CopierMetLeCarreDuCadranDansLePressePapiers) {
  QApplication::clipboard()->clear();
  const GeometrieCadran& g = cosmo->Geometrie();
  QContextMenuEvent clic(QContextMenuEvent::Mouse, QPoint(g.XC, g.YC), cosmo->Image1->mapToGlobal(QPoint(g.XC, g.YC)));
  QApplication::sendEvent(cosmo->Image1, &clic);
  ASSERT_TRUE(cosmo->PopupMenu1->isVisible());
  ASSERT_EQ(cosmo->PopupMenu1->actions().value(0)->text(), "Copier");
  cosmo->PopupMenu1->setActiveAction(cosmo->PopupMenu1->actions()[0]);
  QTest::keyClick(cosmo->PopupMenu1, Qt::Key_Return);
  const QImage image = QApplication::clipboard()->image();
  EXPECT_EQ(image.size(), QSize(2 * g.R0, 2 * g.R0));
}

TEST_F(CosmoTest, RetoursArcDonneEtEvenements) {
  // Lunar return: the moment in UT, the Moon selected, the caption and the label of the chart.
  QTest::mouseClick(cosmo->BtnClr1, Qt::LeftButton);
  ASSERT_TRUE(cosmo->PanelRSRL->isVisible());
  Remplir(cosmo->MaskEditDateStart, "01062000");
  QTest::mouseClick(cosmo->RadioGroupRSouRL->Bouton(1), Qt::LeftButton);
  QTest::mouseClick(cosmo->Button1, Qt::LeftButton);
  EXPECT_FALSE(cosmo->PanelRSRL->isVisible());
  EXPECT_EQ(cosmo->EditFuseau->text(), "0");
  EXPECT_EQ(Etat().NomFichierNaissance.Chaine(), "RL");
  EXPECT_EQ(cosmo->windowTitle(), "Jean DUPONT   -  Rév Lun du " + cosmo->MaskEditDate->text());
  EXPECT_EQ(cosmo->Selection().CorpsChoisi, Lune);
  EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), 2);
  EXPECT_TRUE(cosmo->EditPrecess->text().startsWith(QString::fromUtf8("Précess. : ")));
  const double ecart = std::remainder(Etat().Positions[Lune][1] - cosmo->Modele().natal.LuneNatale, 2 * M_PI);
  EXPECT_LT(std::fabs(ecart), 1.0 / 60 * M_PI / 180);  // the seconds of the fields round it to a second of time
  EXPECT_GE(cosmo->JourJulienTransit(), JourJulien(1, 6, 2000, 0));

  // The given arc: a number of degrees, refused when it is not one.
  struct Arc {
    QStringList reponses;
    QStringList messages;
  } arcs[] = {
      {{"12a"}, {QString::fromUtf8("N'entrez que des chiffres !")}},
      {{"abc"}, {QString::fromUtf8("N'entrez que des chiffres !")}},
      {{"", "30"}, {QString::fromUtf8("Le champ ne peut être vide !")}},
  };
  for (const Arc& a : arcs) {
    temoin.messages.clear();
    temoin.reponsesSaisies = a.reponses;
    QTest::mouseClick(cosmo->SpeedButton6, Qt::LeftButton);
    QStringList textes;
    for (const auto& m : temoin.messages) textes << m.texte;
    EXPECT_EQ(textes, a.messages);
  }
  EXPECT_EQ(cosmo->Edit2->text(), QString::fromUtf8("30°"));
  EXPECT_NEAR(cosmo->Modele().ArcSolaire * 180 / M_PI, 30, 0.01);

  // Six lunations alternate; picking one moves the dial to it.
  Remplir(cosmo->MaskEditDate, "15062000");
  QTest::mouseClick(cosmo->BtnLunaisons, Qt::LeftButton);
  ASSERT_EQ(cosmo->GridEclipses->rowCount(), 6);
  for (int l = 1; l < 6; ++l) EXPECT_NE(cosmo->GridEclipses->Texte(l, 0), cosmo->GridEclipses->Texte(l - 1, 0));
  const QRect cellule = cosmo->GridEclipses->visualItemRect(cosmo->GridEclipses->item(1, 3));
  QTest::mouseClick(cosmo->GridEclipses->viewport(), Qt::LeftButton, {}, cellule.center());
  QTest::mouseDClick(cosmo->GridEclipses->viewport(), Qt::LeftButton, {}, cellule.center());
  EXPECT_TRUE(cosmo->Selection().PointeurEvenement);
  EXPECT_EQ(cosmo->Selection().CorpsChoisi, MiPointSoleilLune);
  EXPECT_NEAR(cosmo->JourJulienTransit(), cosmo->Evenements()[1].jourUT, 1.0 / 86400);
  EXPECT_EQ(cosmo->EditAge->text(), "Age : " + QString::number(cosmo->AgeAnnees(), 'f', 2) + " ans");
  EXPECT_NEAR(cosmo->AgeAnnees(), 48.3, 0.2);  // June 2000 for a birth in March 1952
  EXPECT_EQ(cosmo->windowTitle(), "Jean DUPONT  -  Transits du " + cosmo->MaskEditDate->text());
  EXPECT_EQ(cosmo->EditFuseau->text(), "0");

  QTest::mouseClick(cosmo->BtnClrEclipses, Qt::LeftButton);
  ASSERT_GE(cosmo->GridEclipses->rowCount(), 4);
  for (int l = 1; l < cosmo->GridEclipses->rowCount(); ++l)
    EXPECT_LE(cosmo->GridEclipses->Texte(l - 1, 5), cosmo->GridEclipses->Texte(l, 5));
}

TEST_F(CosmoTest, SuiviDuMiPointEtHorloge) {
  struct Cas {
    int a, b;
    const char* message;  // empty: accepted
  } cas[] = {{2, 2, "Choisissez une planète à partir du Soleil"},
             {3, 2, "La planète B doit être différente de la planète A"},
             {3, 7, ""}};
  for (const Cas& c : cas) {
    temoin.messages.clear();
    if (cosmo->BtnSuivreMP->text() == "Annuler suivi") QTest::mouseClick(cosmo->BtnSuivreMP, Qt::LeftButton);
    QTest::mouseClick(cosmo->RadioGroupA->Bouton(c.a), Qt::LeftButton);
    QTest::mouseClick(cosmo->RadioGroupB->Bouton(c.b), Qt::LeftButton);
    QTest::mouseClick(cosmo->BtnSuivreMP, Qt::LeftButton);
    EXPECT_EQ(cosmo->BtnSuivreMP->text(), "Annuler suivi");
    if (*c.message) {
      ASSERT_EQ(temoin.messages.size(), 1);
      EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
      EXPECT_EQ(cosmo->Modele().MiPointSuiviB, Lune);
    } else {
      EXPECT_TRUE(temoin.messages.isEmpty());
      EXPECT_EQ(cosmo->Modele().MiPointSuiviA, Soleil);
      EXPECT_EQ(cosmo->Modele().MiPointSuiviB, Mars);
      EXPECT_EQ(cosmo->Modele().LettreCorps24, ';');
      EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), 2);
    }
  }
  QTest::mouseClick(cosmo->BtnSuivreMP, Qt::LeftButton);
  EXPECT_EQ(cosmo->BtnSuivreMP->text(), "Suivre MP");
  EXPECT_EQ(cosmo->Modele().LettreCorps24, ':');

  QTest::mouseClick(cosmo->BtnHorloge, Qt::LeftButton);
  EXPECT_EQ(cosmo->BtnHorloge->text(), "Stop");
  EXPECT_FALSE(cosmo->EditAge->isVisible());
  EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), 2);
  EXPECT_EQ(cosmo->RadioGroupVers->ItemIndex(), 2);
  QTest::mouseClick(cosmo->BtnHorloge, Qt::LeftButton);
  EXPECT_EQ(cosmo->BtnHorloge->text(), "Horloge");
  EXPECT_TRUE(cosmo->EditAge->isVisible());
}

TEST_F(CosmoTest, LaPageImprimeeEnTeteTableauEtArbre) {
  Moment("15062000", "1200", "00", "-5");
  temoin.fichierPdf = QString::fromStdString((dossier / "cadran.pdf").string());
  temoin.reponsesQuestions = {true};
  QTest::mouseClick(cosmo->BtnImprimer, Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, "Imprimer en couleurs ? ");
  const ContenuPdf pdf = LirePdf(dossier / "cadran.pdf");
  EXPECT_EQ(pdf.pages, 1);
  for (const char* texte : {"Jean DUPONT", "NATAL", "Paris", "Arc Sol & Transits", "15.06.2000", "12h00 (GMT -5 )",
                            "Arc Sol :", "Natal (int)", "Arc Sol (mil)", "Transit (ext)"})
    EXPECT_NE(pdf.texte.find(texte), std::string::npos) << texte;

  // Cancelling the dialog prints nothing.
  std::filesystem::remove(dossier / "cadran.pdf");
  temoin.imprimer = false;
  temoin.reponsesQuestions = {false};
  QTest::mouseClick(cosmo->BtnImprimer, Qt::LeftButton);
  EXPECT_FALSE(std::filesystem::exists(dossier / "cadran.pdf"));
}

// The page's header says "Rév. sol. du" for the return shown, and no longer once "Now" moved on.
TEST_F(CosmoTest, LEnTeteDuRetourSeulementPourLeRetour) {
  QTest::mouseClick(cosmo->BtnClr1, Qt::LeftButton);
  Remplir(cosmo->MaskEditDateStart, "01062000");
  QTest::mouseClick(cosmo->RadioGroupRSouRL->Bouton(0), Qt::LeftButton);
  QTest::mouseClick(cosmo->Button1, Qt::LeftButton);
  ASSERT_EQ(Etat().NomFichierNaissance.Chaine(), "RS");
  const auto entete = [&] {
    temoin.fichierPdf = QString::fromStdString((dossier / "cadran.pdf").string());
    temoin.reponsesQuestions = {true};
    QTest::mouseClick(cosmo->BtnImprimer, Qt::LeftButton);
    const std::string texte = LirePdf(dossier / "cadran.pdf").texte;
    std::filesystem::remove(dossier / "cadran.pdf");
    return texte;
  };
  EXPECT_NE(entete().find("Rév. sol. du " + cosmo->MaskEditDate->text().toStdString()), std::string::npos);
  QTest::mouseClick(cosmo->BtnClrNow, Qt::LeftButton);
  const std::string maintenant = entete();
  EXPECT_EQ(maintenant.find("Rév. sol."), std::string::npos);
  EXPECT_NE(maintenant.find(cosmo->MaskEditDate->text().toStdString()), std::string::npos);
}

TEST(ImpressionCadran, ZoneEtRetourDansLEnTete) {
  EXPECT_EQ(TexteGmt("12h00", "-5"), "12h00 (GMT -5 )");
  EXPECT_EQ(TexteGmt("12h00", "2"), "12h00 (GMT +2 )");
  EXPECT_EQ(TexteGmt("12h00", "0"), "12h00 (GMT +0 )");
  EXPECT_EQ(TexteDateRetour("01.06.2000", "RS"), QString::fromUtf8("Rév. sol. du 01.06.2000"));
  EXPECT_EQ(TexteDateRetour("01.06.2000", "RL"), QString::fromUtf8("Rév. lun. du 01.06.2000"));
  EXPECT_EQ(TexteDateRetour("01.06.2000", "Natal"), "01.06.2000");
}

// The page drawn on an image: in black no pen is red, blue or green; the tree stops at 23 rows.
TEST_F(CosmoTest, EnNoirToutTraitEstNoirEtLArbreEstCoupe) {
  Moment("15062000", "1200", "00", "0");
  PageCadran page;
  page.modele = &cosmo->Modele();
  page.options = OptionsDeLaSelection(cosmo->Modele(), cosmo->Selection(), Etat().JeuPlanetes, true);
  page.options.lignes = {{4, Soleil, Lune, 0, true}, {4, Mars, Venus, 0, false}};
  const auto couleurs = [&](bool couleur) {
    page.couleur = couleur;
    QImage image(1200, 1700, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    ImprimerCadran(p, image.width(), page, LesReglages());
    p.end();
    int rouges = 0, bleus = 0, verts = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        rouges += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        bleus += c.blue() > 200 && c.red() < 60 && c.green() < 60;
        verts += c.green() > 150 && c.red() < 60 && c.blue() < 60;
      }
    return std::array<int, 3>{rouges, bleus, verts};
  };
  const auto enCouleur = couleurs(true), enNoir = couleurs(false);
  EXPECT_GT(enCouleur[0], 0);
  EXPECT_GT(enCouleur[1], 0);
  EXPECT_GT(enCouleur[2], 0);
  EXPECT_EQ(enNoir, (std::array<int, 3>{0, 0, 0}));

  // 40 rows given, 23 printed.
  for (int k = 1; k <= 40; ++k) page.arbre.push_back({"", QString::number(1000 + k), ""});
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setOutputFormat(QPrinter::PdfFormat);
  imprimante.setOutputFileName(QString::fromStdString((dossier / "arbre.pdf").string()));
  QPainter p(&imprimante);
  ImprimerCadran(p, imprimante.width(), page, LesReglages());
  p.end();
  const ContenuPdf pdf = LirePdf(dossier / "arbre.pdf");
  EXPECT_NE(pdf.texte.find("1023"), std::string::npos);
  EXPECT_EQ(pdf.texte.find("1024"), std::string::npos);
}

TEST_F(CosmoTest, DesTextesHostilesDansLesChampsNeCassentRien) {
  for (QLineEdit* champ : {cosmo->EditFuseau, cosmo->EditVille, cosmo->EditPays, cosmo->EditLong, cosmo->EditLat,
                           cosmo->MaskEditSecondes, cosmo->MaskEditHeure}) {
    for (const QString& texte : TextesHostiles()) {
      Remplir(champ, texte, true);
      QTest::mouseClick(cosmo->BtnActualiser, Qt::LeftButton);
      QTest::mouseClick(cosmo->BoutonsPas[4], Qt::LeftButton);
      for (int b = 1; b <= NbCorps; ++b) ASSERT_TRUE(std::isfinite(cosmo->Modele().Longitudes[b][3])) << b;
    }
    Remplir(cosmo->EditFuseau, "0");
    Remplir(cosmo->EditLat, "48.52");
    Remplir(cosmo->EditLong, "2.20");
    Remplir(cosmo->MaskEditHeure, "1200");
  }
  EXPECT_LE(Etat().FicheEnCours.Ville.Chaine().size(), 30u);
  cosmo->close();
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Paris");
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), natal_.Date.Chaine());
  EXPECT_NEAR(Etat().Positions[Soleil][1], soleilNatal_, 1e-9);
  cosmo = nullptr;
}

TEST_F(CosmoTest, ColorerEcritLeChoixDesCouronnes) {
  EcrireReglagesParDefaut(dossier.Chemin());
  QTest::mouseClick(cosmo->RadioGroupCouleurs->Bouton(1), Qt::LeftButton);
  EXPECT_FALSE(LesReglages().ColoredCrowns);
  EXPECT_EQ(LireLignes(dossier / "ColoredCrownsFile.def").at(0), "0");
  QTest::mouseClick(cosmo->RadioGroupCouleurs->Bouton(0), Qt::LeftButton);
  EXPECT_TRUE(LesReglages().ColoredCrowns);
  EXPECT_EQ(LireLignes(dossier / "ColoredCrownsFile.def").at(0), "1");
  EXPECT_TRUE(temoin.messages.isEmpty());
  // Without the other settings files the loader's error is shown; the window goes on.
  std::filesystem::remove(dossier / "SelvOpt.def");
  QTest::mouseClick(cosmo->RadioGroupCouleurs->Bouton(1), Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  // A wrong value in one of them: the message says which file to open.
  EcrireReglagesParDefaut(dossier.Chemin());
  EcrireLignes(dossier / "SelvFontSize.def", {" abc", "4", "0"});
  temoin.messages.clear();
  QTest::mouseClick(cosmo->RadioGroupCouleurs->Bouton(0), Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Fichier SelvFontSize.def : ' abc' n'est pas une valeur entière correcte"));
}

TEST_F(CosmoTest, PointCalculeEtSourisSurLeCadran) {
  Moment("15062000", "1200", "00", "0");
  // A = Sun, B = Moon, no C: the pointer becomes free on their midpoint in the "De" layer (solar arc).
  QTest::mouseClick(cosmo->RadioGroupA->Bouton(3), Qt::LeftButton);
  QTest::mouseClick(cosmo->RadioGroupB->Bouton(3), Qt::LeftButton);
  EXPECT_EQ(cosmo->LabelA->text(), Lettre(Soleil));
  EXPECT_EQ(cosmo->LabelB->text(), Lettre(Lune));
  EXPECT_EQ(cosmo->LabelC->text(), "");
  QTest::mouseClick(cosmo->BtnCalculPointParticulier, Qt::LeftButton);
  const ModeleCadran& m = cosmo->Modele();
  const double mp = MiPoint(m.Longitudes[Soleil][2], m.Longitudes[Lune][2]);
  EXPECT_EQ(cosmo->Selection().CorpsChoisi, 0);
  EXPECT_NEAR(cosmo->Selection().AnglePointeur, std::fmod(4 * std::fmod(mp, M_PI / 2), 2 * M_PI), 1e-9);
  EXPECT_EQ(cosmo->EditPosEcl->text(), ";");
  EXPECT_TRUE(cosmo->BtnArbre->text().startsWith("; "));
  ASSERT_GE(LigneRacine(), 0);
  EXPECT_EQ(cosmo->GridArbre->Texte(LigneRacine(), 1), " - ; - ");

  // Moving over the rings: a cross, and the dial degree under the mouse.
  const GeometrieCadran& g = cosmo->Geometrie();
  QTest::mouseMove(cosmo->Image1, QPoint(g.XC, g.YC + (g.R60 + g.R70) / 2));  // half a turn: 45° of the dial
  EXPECT_EQ(cosmo->Image1->cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(cosmo->EditAngle->text(), QString::fromUtf8("45°00'"));
  QTest::mouseMove(cosmo->Image1, QPoint(g.XC - (g.R60 + g.R70) / 2, g.YC));  // a quarter turn: 22°30' of the dial
  EXPECT_EQ(cosmo->EditAngle->text(), QString::fromUtf8("22°30'"));
  QTest::mouseMove(cosmo->Image1, QPoint(g.XC, g.YC));
  EXPECT_EQ(cosmo->Image1->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(CosmoTest, MaisonsEtAscendantKarmiqueDuCadranDe360Degres) {
  cosmo->ComboBoxHarmonic->setFocus();
  QTest::keyClick(cosmo->ComboBoxHarmonic, Qt::Key_Up);  // H1
  ASSERT_EQ(cosmo->Harmonique(), 1);
  ASSERT_TRUE(cosmo->GridMaisons->isVisible());
  ASSERT_EQ(cosmo->GridMaisons->rowCount(), 12);
  EXPECT_EQ(cosmo->GridMaisons->Texte(0, 0), "Mais 1");
  EXPECT_EQ(cosmo->GridMaisons->Texte(11, 0), "Mais 12");
  EXPECT_EQ(cosmo->GridMaisons->horizontalHeaderItem(0)->text(), "ARMC = ");
  EXPECT_FALSE(cosmo->GridMaisons->Texte(9, 1).isEmpty());
  // The Ascendant as the natal axis: cusp 1 is the natal Ascendant.
  QTest::mouseClick(cosmo->RadioGroupAxeNatal->Bouton(2), Qt::LeftButton);
  EXPECT_EQ(cosmo->GridMaisons->Texte(0, 1).toStdString(), FormatGlyphe(Etat().Positions[Ascendant][6]));

  QTest::mouseClick(cosmo->BitBtnAscKarmique, Qt::LeftButton);
  EXPECT_TRUE(cosmo->Selection().AscKarmiqueActif);
  EXPECT_EQ(cosmo->Edit3->text().toStdString(), FormatGlyphe(cosmo->Selection().AscKarmiqueNatal));
  EXPECT_EQ(cosmo->Edit4->text().toStdString(), FormatGlyphe(cosmo->Modele().AscKarmiqueDirige));
  QTest::mouseClick(cosmo->BitBtnAnnuler, Qt::LeftButton);
  EXPECT_FALSE(cosmo->Selection().AscKarmiqueActif);
  EXPECT_FALSE(cosmo->PanelAxe->isVisible());
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(CosmoTest, NowRevientAuMomentPresentEtAuSoleil) {
  Moment("15062000", "1200", "00", "0");
  QTest::mouseClick(cosmo->Image1, Qt::LeftButton, {}, GlypheDe(Mars, 1));
  QTest::mouseClick(cosmo->RadioGroupA->Bouton(5), Qt::LeftButton);
  QTest::mouseClick(cosmo->RadioGroupC->Bouton(4), Qt::LeftButton);
  QTest::mouseClick(cosmo->RadioGroupVers->Bouton(2), Qt::LeftButton);
  ASSERT_EQ(cosmo->Selection().CorpsChoisi, Mars);
  QTest::mouseClick(cosmo->BtnClrNow, Qt::LeftButton);
  EXPECT_EQ(cosmo->MaskEditDate->text(), QDateTime::currentDateTime().toString("dd.MM.yyyy"));
  EXPECT_EQ(cosmo->Selection().CorpsChoisi, Soleil);
  EXPECT_EQ(cosmo->Selection().AnglePointeur, 0);
  EXPECT_EQ(cosmo->RadioGroupFrom->ItemIndex(), 1);
  EXPECT_EQ(cosmo->RadioGroupVers->ItemIndex(), 0);
  for (GroupeRadio* g : {cosmo->RadioGroupA, cosmo->RadioGroupB, cosmo->RadioGroupC}) EXPECT_EQ(g->ItemIndex(), 0);
  EXPECT_NEAR(cosmo->JourJulienTransit(), 2440587.5 + QDateTime::currentSecsSinceEpoch() / 86400.0, 120 / 86400.0);
  EXPECT_TRUE(temoin.messages.isEmpty());
}

}  // namespace
