#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTest>
#include <filesystem>
#include <optional>

#include "birthdata/records/FichierNaissance.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EmpruntEtat.h"
#include "core/EtatTheme.h"
#include "frame/TMainForm.h"
#include "listing/TFormAffSmpl.h"
#include "reglages/Reglages.h"
#include "techniques/TFormHouses.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"

// Windows that compute their own charts into the chart state give it back when they close;
// a picture is painted without writing the state; no window moves the working folder.
using namespace selvane;
namespace fs = std::filesystem;

namespace {

// The natal chart of the test record, computed and frozen as the radix step leaves it.
void NatalDeTest() {
  ReinitialiserEtat();
  Etat().FicheEnCours = FicheDeTest();
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
}

// A window's own computation: the record moved to another moment, the chart recomputed.
void CalculerAutreMoment() {
  Etat().FicheEnCours.Date = "01/01/2000";
  Etat().FicheEnCours.Ville = "Lyon";
  CalculerTheme(EcartGlyphes8);
}

}  // namespace

TEST(EmpruntEtat, LaFicheRevientUneFoisEtLeThemeEstRecalcule) {
  NatalDeTest();
  const FicheClient natal = Etat().FicheEnCours;
  const double soleil = Etat().Positions[Soleil][1];
  {
    EmpruntEtat emprunt;
    CalculerAutreMoment();
    ASSERT_NE(Etat().Positions[Soleil][1], soleil);
    emprunt.Rendre();
    EXPECT_TRUE(emprunt.Rendu());
    EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), natal.Date.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), natal.Ville.Chaine());
    EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][1], soleil);
    // Given back already: neither a second call nor the guard's end takes the state again.
    CalculerAutreMoment();
    emprunt.Rendre();
  }
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "01/01/2000");
  // Not given back by hand: the guard's end does it.
  NatalDeTest();
  {
    EmpruntEtat emprunt;
    CalculerAutreMoment();
  }
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), natal.Date.Chaine());
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][1], soleil);
}

TEST(EmpruntEtat, ToutLEtatRevientTelQuelSansCalcul) {
  NatalDeTest();
  Etat().Positions[Soleil][1] = 1.25;  // no chart computed from the record would give this
  Etat().MaisonsNatales[5] = 0.5f;
  {
    EmpruntEtat emprunt(EmpruntEtat::RendreToutLEtat);
    CalculerAutreMoment();
    Etat().MaisonsNatales[5] = 2.0f;
  }
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), FicheClient(FicheDeTest()).Date.Chaine());
  EXPECT_EQ(Etat().Positions[Soleil][1], 1.25);
  EXPECT_EQ(Etat().MaisonsNatales[5], 0.5f);
}

// A record whose chart cannot be computed: it is back all the same; the error goes to the
// caller that gives back by hand, and nowhere when the guard's end gives back.
TEST(EmpruntEtat, UnCalculQuiEchoueLaisseLaFicheRendue) {
  NatalDeTest();
  Etat().FicheEnCours.Date = "xx/01/2000";
  {
    EmpruntEtat emprunt;
    Etat().FicheEnCours = FicheDeTest();
    EXPECT_THROW(emprunt.Rendre(), std::exception);
    EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "xx/01/2000");
  }
  {
    EmpruntEtat emprunt;
    Etat().FicheEnCours = FicheDeTest();
  }
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "xx/01/2000");
}

namespace {

class FenetresEmpruntTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    programme_.emplace("selvane_emprunt", std::initializer_list<const char*>{"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf",
                                                                             "Zazazive.ttf", "Vildef.def", "Zones_Numbers.tzn",
                                                                             "TZDBCel.tzb", "France.cty"});
    dossier = programme_->Chemin();
    EcrireReglagesParDefaut(dossier);
    ReinitialiserEtat();
    principale = new TMainForm(QString::fromStdString(dossier.string()));
    const fs::path source = dossier / "source.cht.txt";
    EcrireFichierTheme(source, FicheDeTest());
    principale->RouvrirTheme(QString::fromStdString(source.string()));
    listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList().value(0)->widget());
    temoin.messages.clear();
  }
  void TearDown() override {
    delete principale;
    programme_.reset();
  }
  QWidget* Active() const {
    QMdiSubWindow* f = principale->ZoneFenetres()->activeSubWindow();
    return f ? f->widget() : nullptr;
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  TMainForm* principale = nullptr;
  TFormAffSmpl* listing = nullptr;
};

}  // namespace

// The dial, the forecast tables and the interpretations compute their moments into the chart
// state; closed, each leaves the radix record current, recomputed. None moves the working folder.
TEST_F(FenetresEmpruntTest, ChaqueFenetreRendLaFicheEnSeFermant) {
  ASSERT_NE(listing, nullptr);
  const fs::path dossierDeTravail = fs::current_path();
  for (const int touche : {Qt::Key_C, Qt::Key_T, Qt::Key_I}) {
    SCOPED_TRACE(QKeySequence(touche).toString().toStdString());
    QTest::keyClick(listing, static_cast<Qt::Key>(touche));
    QWidget* fenetre = Active();
    ASSERT_NE(fenetre, nullptr);
    ASSERT_NE(fenetre, listing);
    EXPECT_EQ(fs::current_path(), dossierDeTravail);
    const double soleil = Etat().Positions[Soleil][6];  // the natal Sun the radix froze
    CalculerAutreMoment();
    fenetre->parentWidget()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), FicheClient(FicheDeTest()).Date.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), FicheClient(FicheDeTest()).Ville.Chaine());
    EXPECT_NEAR(Etat().Positions[Soleil][1], soleil, 1e-9);
    EXPECT_EQ(principale->ZoneFenetres()->subWindowList().size(), 1);
  }
  EXPECT_TRUE(temoin.messages.isEmpty()) << temoin.messages.value(0).texte.toStdString();
}

// The meridian frame writes its cusps into the natal houses when it is chosen; painting it
// again (a resize) writes nothing.
TEST_F(FenetresEmpruntTest, LesMaisonsSontEcritesAuChoixPasALaPeinture) {
  ASSERT_NE(listing, nullptr);
  QTest::keyClick(listing, Qt::Key_H);
  auto* maisons = qobject_cast<TFormHouses*>(Active());
  ASSERT_NE(maisons, nullptr);
  auto* meridien = maisons->findChild<QRadioButton*>("RadioPlan6");
  ASSERT_NE(meridien, nullptr);
  QTest::mouseClick(meridien, Qt::LeftButton, {}, QPoint(6, meridien->height() / 2));
  ASSERT_TRUE(meridien->isChecked());
  const float cuspide = Etat().MaisonsNatales[5];
  EXPECT_FLOAT_EQ(cuspide, static_cast<float>(maisons->Donnees(CadreMeridien, 0.1).cadre.cuspides[5] * DegEnRad));
  Etat().MaisonsNatales[5] = -1;
  QResizeEvent agrandie(maisons->size() + QSize(40, 30), maisons->size());
  QApplication::sendEvent(maisons, &agrandie);
  maisons->Dessiner();
  EXPECT_EQ(Etat().MaisonsNatales[5], -1);
  EXPECT_FALSE(maisons->Image().isNull());
  // Chosen again, the frame writes them again.
  QTest::mouseClick(meridien, Qt::LeftButton, {}, QPoint(6, meridien->height() / 2));
  EXPECT_FLOAT_EQ(Etat().MaisonsNatales[5], cuspide);
}

// A listing recomputed with new options computes its chart in the state and gives the state
// back as it found it (here another chart made current since).
TEST_F(FenetresEmpruntTest, LeListingRecalculeRendLEtatCommeIlEtait) {
  ASSERT_NE(listing, nullptr);
  CalculerAutreMoment();
  const EtatTheme avant = Etat();
  Etat().SystemeMaisons = avant.SystemeMaisons == 1 ? 2 : 1;
  const EtatTheme attendu = Etat();
  listing->AppliquerOptions();
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "01/01/2000");
  EXPECT_EQ(Etat().SystemeMaisons, attendu.SystemeMaisons);
  EXPECT_EQ(Etat().Positions[Soleil][1], attendu.Positions[Soleil][1]);
  EXPECT_EQ(Etat().Maisons[1], attendu.Maisons[1]);
  // The listing's own rows are its chart in the new house system.
  EXPECT_EQ(listing->Radix()[2], "DUPONT,Jean");
}
