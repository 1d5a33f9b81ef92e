// The directions and transits window driven as a user does: clicks, keys, Tab.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QFontDatabase>
#include <QListWidget>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "forecast/ImpressionListe.h"
#include "forecast/TFormDirSol.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/forecast/NatalDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/GrilleTexte.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

class FenetreDirectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    static const bool polices = [] {
      for (const char* f : {"Celvan S.ttf", "Celvan.ttf"})
        QFontDatabase::addApplicationFont(QString::fromStdString((fs::path(SELVANE_BIN_DIR) / f).string()));
      return true;
    }();
    (void)polices;
    CalculerNatalDeTest();
    temoin.fichierPdf = QString::fromStdString((dossier / "liste.pdf").string());
    fenetre = new TFormDirSol;
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
    fenetre->resize(1400, 900);
    fenetre->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre));
  }
  void TearDown() override {
    if (fenetre) delete fenetre.data();
  }

  // Clicks a list item, then Space ticks or unticks it.
  void Basculer(QListWidget* liste, int ligne) {
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(ligne)).center());
    QTest::keyClick(liste, Qt::Key_Space);
  }
  void Cliquer(const QString& titre) {
    QPushButton* b = Bouton(fenetre, titre);
    ASSERT_NE(b, nullptr) << titre.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void CliquerRadio(const QString& titre) {
    for (QRadioButton* r : fenetre->findChildren<QRadioButton*>())
      if (r->text() == titre) QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(5, r->height() / 2));
  }
  void Periode(const QString& debut, const QString& fin) {
    Remplir(fenetre->findChild<QSpinBox*>("Debut")->findChild<QLineEdit*>(), debut);
    Remplir(fenetre->findChild<QSpinBox*>("Fin")->findChild<QLineEdit*>(), fin);
  }
  QStringList Textes() const {
    QStringList t;
    for (const auto& m : temoin.messages) t << m.genre + ": " + m.texte;
    return t;
  }
  int Lignes() const { return fenetre->ListeDirections()->rowCount(); }

  TemoinInstalle temoin;
  DossierProgramme dossier{"directions"};
  QPointer<TFormDirSol> fenetre;
};

}  // namespace

TEST_F(FenetreDirectionsTest, Ouverture) {
  EXPECT_EQ(fenetre->windowTitle(), "Jean DUPONT - Directions solaires et transits");
  for (int k = 0; k < 3; ++k) {
    QListWidget* l = fenetre->ListePoints(k);
    ASSERT_EQ(l->count(), 22);
    for (int i = 0; i < 22; ++i) EXPECT_EQ(l->item(i)->checkState() == Qt::Checked, i == 0) << k << " " << i;
  }
  EXPECT_EQ(fenetre->HarmoniqueDir()->currentItem()->text(), QString::fromUtf8("H4  90°"));
  EXPECT_EQ(fenetre->findChild<QSpinBox*>("Debut")->value(), 1);
  EXPECT_EQ(fenetre->findChild<QSpinBox*>("Fin")->value(), QDate::currentDate().year() - 1952);
  EXPECT_FALSE(fenetre->AspectsTransit()->isVisible());
  CliquerRadio("Transits");
  EXPECT_TRUE(fenetre->AspectsTransit()->isVisible());
  CliquerRadio("Directions");
  EXPECT_FALSE(fenetre->AspectsTransit()->isVisible());
  // Escape closes the window.
  QTest::keyClick(fenetre, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_TRUE(fenetre.isNull() || !fenetre->isVisible());
}

// The work area of a maximised window on small screens: the 22 points of each list in view
// without scrolling, the transit aspects too, and the result list beside them.
TEST_F(FenetreDirectionsTest, LesVingtDeuxPointsEnVueSurUnPetitEcran) {
  const struct {
    const char* nom;
    QSize taille;
  } ecrans[] = {{"1366x768", {1366, 768 - 150}}, {"1280x720", {1280, 720 - 150}}};
  for (const auto& e : ecrans) {
    for (const char* mode : {"Directions", "Transits"}) {
      CliquerRadio(mode);
      fenetre->resize(e.taille);
      QApplication::processEvents();
      ASSERT_EQ(fenetre->size(), e.taille) << e.nom;
      for (int k = 0; k < 3; ++k) {
        QListWidget* l = fenetre->ListePoints(k);
        const QRect dernier = l->visualItemRect(l->item(l->count() - 1));
        EXPECT_LE(dernier.bottom(), l->viewport()->height()) << e.nom << " " << mode << " P" << k + 1;
        EXPECT_TRUE(fenetre->rect().contains(QRect(l->mapTo(fenetre, QPoint(0, 0)), l->size()))) << e.nom;
      }
      if (fenetre->AspectsTransit()->isVisible()) {
        QListWidget* a = fenetre->AspectsTransit();
        EXPECT_LE(a->visualItemRect(a->item(a->count() - 1)).bottom(), a->viewport()->height()) << e.nom;
      }
      EXPECT_GE(fenetre->ListeDirections()->width(), e.taille.width() / 2) << e.nom;
      if (const char* captures = std::getenv("SELVANE_CAPTURES"))
        fenetre->grab().save(QString("%1/directions_%2_%3.png").arg(captures, e.nom, mode));
    }
  }
}

TEST_F(FenetreDirectionsTest, UneListeVideEstRefusee) {
  for (int k = 0; k < 3; ++k) {
    temoin.messages.clear();
    Basculer(fenetre->ListePoints(k), 0);
    ASSERT_EQ(fenetre->ListePoints(k)->item(0)->checkState(), Qt::Unchecked);
    Cliquer("Calculer");
    EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("avertissement: Vous devez sélectionner au moins un point P%1").arg(k + 1)});
    EXPECT_EQ(Lignes(), 0);
    Basculer(fenetre->ListePoints(k), 0);
  }
  // An end before the start lists nothing and says nothing.
  temoin.messages.clear();
  Periode("50", "20");
  Cliquer("Calculer");
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(Lignes(), 0);
}

TEST_F(FenetreDirectionsTest, ToutPuisClear) {
  QListWidget* p2 = fenetre->ListePoints(1);
  Cliquer("Tout");  // the first list's button
  Cliquer("Tout");  // now the second's
  for (int i = 0; i < 22; ++i) ASSERT_EQ(p2->item(i)->checkState(), Qt::Checked);
  ASSERT_NE(Bouton(fenetre, "Clear"), nullptr);
  QPushButton* clear = fenetre->findChildren<QPushButton*>()[1];
  ASSERT_EQ(clear->text(), "Clear");
  QTest::mouseClick(clear, Qt::LeftButton);
  for (int i = 0; i < 22; ++i) ASSERT_EQ(p2->item(i)->checkState(), Qt::Unchecked);
  EXPECT_EQ(clear->text(), "Tout");
}

// Ages typed in, the list computed, exported and printed; over 132 rows the print is refused.
TEST_F(FenetreDirectionsTest, DirectionsExporteesEtImprimees) {
  Cliquer("Tout");
  Cliquer("Tout");
  Cliquer("Tout");
  Periode("1", "90");
  Cliquer("Calculer");
  ASSERT_GT(Lignes(), 132);
  EXPECT_TRUE(temoin.messages.isEmpty());
  Cliquer("Imprimer");
  EXPECT_EQ(Textes(), QStringList{"information: Pour l'impression, limitez la période pour avoir un nombre de lignes de 132 "
                                  "maximum"});
  EXPECT_FALSE(fs::exists(dossier / "liste.pdf"));

  // Fewer points and ages: one page in two columns.
  for (int k = 0; k < 3; ++k) QTest::mouseClick(fenetre->findChildren<QPushButton*>()[k], Qt::LeftButton);  // Clear
  for (int i : {0, 1, 2, 3, 4}) Basculer(fenetre->ListePoints(0), i);
  for (int i : {0, 1, 19, 20}) Basculer(fenetre->ListePoints(1), i);
  for (int i : {0, 1, 9, 19, 20}) Basculer(fenetre->ListePoints(2), i);
  Periode("10", "40");
  QTest::mouseClick(fenetre->HarmoniqueDir()->viewport(), Qt::LeftButton, {},
                    fenetre->HarmoniqueDir()->visualItemRect(fenetre->HarmoniqueDir()->item(3)).center());
  temoin.messages.clear();
  Cliquer("Calculer");
  const int n = Lignes();
  ASSERT_GT(n, 66);
  ASSERT_LE(n, 132);
  GrilleTexte* g = fenetre->ListeDirections();
  // In time order: by the arc, the rows' sort key.
  const auto& rangees = fenetre->Page().lignes;
  ASSERT_EQ(rangees.size(), static_cast<std::size_t>(n));
  for (std::size_t i = 1; i < rangees.size(); ++i) ASSERT_LE(rangees[i - 1][5], rangees[i][5]);
  ASSERT_EQ(g->columnCount(), 5);
  for (int k = 0; k < 5; ++k) EXPECT_FALSE(g->isColumnHidden(k)) << k;
  EXPECT_EQ(g->horizontalHeaderItem(4)->text(), "Arc");
  EXPECT_EQ(g->item(0, 0)->font().family(), "Celvan S");
  EXPECT_EQ(g->item(0, 1)->font().family(), "Arial");

  Cliquer("Exporter");
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("information: Tableau de 5 colonnes et %1 lignes à coller").arg(n)});
  const QStringList lignes = QGuiApplication::clipboard()->text().split("\r\n");
  ASSERT_EQ(lignes.size(), n + 1);
  EXPECT_EQ(lignes.last(), "");
  EXPECT_EQ(lignes[0].split('\t').size(), 5);
  // The button copies what Ctrl+C copies: the rows shown, glyphs by their names.
  EXPECT_EQ(QGuiApplication::clipboard()->text(), TexteFeuille(FeuilleAffichee(*g, FeuilleListe(fenetre->Page()))));

  Cliquer("Imprimer");
  const ContenuPdf pdf = LirePdf(dossier / "liste.pdf");
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_NE(pdf.texte.find("directions solaires dans l'harmonique"), std::string::npos) << pdf.texte;
  // The header line heads both columns of the page.
  std::size_t entetes = 0;
  for (std::size_t p = pdf.texte.find("Direction"); p != std::string::npos; p = pdf.texte.find("Direction", p + 1)) ++entetes;
  EXPECT_EQ(entetes, 2u);
  EXPECT_NE(pdf.texte.find(g->Texte(n - 1, 2).toStdString()), std::string::npos);
}

TEST_F(FenetreDirectionsTest, AnneeDesTransits) {
  CliquerRadio("Transits");
  CliquerRadio(QString::fromUtf8("1 année"));
  struct Cas {
    QStringList reponses;
    QStringList messages;
    bool liste;
  } cas[] = {
      {{"", "2024"}, {"avertissement: Le champ ne peut être vide !"}, true},
      {{"2100"}, {}, true},
      {{"2101"}, {QString::fromUtf8("avertissement: L'année doit être comprise entre 0 et 2100 !")}, false},
      {{"-5"}, {QString::fromUtf8("avertissement: L'année doit être comprise entre 0 et 2100 !")}, false},
      {{"abc"}, {"avertissement: N'entrez que des chiffres !"}, false},
      {{"20a4"}, {QString::fromUtf8("erreur: '20a4' n'est pas une valeur entière correcte")}, false},
      {{}, {}, false},  // cancelled
  };
  for (const Cas& c : cas) {
    temoin.messages.clear();
    temoin.reponsesSaisies = c.reponses;
    Cliquer("Calculer");
    EXPECT_EQ(Textes(), c.messages) << c.reponses.join("|").toStdString();
    EXPECT_EQ(Lignes() > 0, c.liste) << c.reponses.join("|").toStdString();
  }
  // The second way has no transit list, and says nothing; its empty list exports as a transit list.
  CliquerRadio("P1/P2 vers P3 (directions seules)");
  temoin.messages.clear();
  temoin.reponsesSaisies = QStringList{"2024"};
  Cliquer("Calculer");
  EXPECT_TRUE(temoin.messages.isEmpty());
  EXPECT_EQ(Lignes(), 0);
  Cliquer("Exporter");
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("information: Tableau de 4 colonnes et 0 lignes à coller")});
}

// Saturn backward over the Aries point in 2025: the mark, the aspects ticked, 4 columns exported.
TEST_F(FenetreDirectionsTest, TransitsRetrogradesExportes) {
  CliquerRadio("Transits");
  Basculer(fenetre->ListePoints(0), 0);
  Basculer(fenetre->ListePoints(0), 6);   // Saturn
  Basculer(fenetre->ListePoints(1), 21);  // Aries point
  Basculer(fenetre->ListePoints(2), 21);
  Basculer(fenetre->AspectsTransit(), 2);  // the square
  Basculer(fenetre->AspectsTransit(), 0);  // the conjunction cannot be unticked
  temoin.reponsesSaisies = QStringList{"2025"};
  Cliquer("Calculer");
  EXPECT_EQ(fenetre->AspectsTransit()->item(0)->checkState(), Qt::Checked);
  ASSERT_GT(Lignes(), 2);
  GrilleTexte* g = fenetre->ListeDirections();
  const QString saturne{QChar(LettresCorps[Saturne])}, belier{QChar(LettresCorps[PointBelier])};
  const QString conjonction = QString(" ") + QChar(186) + " " + belier;
  QStringList contacts;
  for (int i = 0; i < Lignes(); ++i) contacts << g->Texte(i, 0) + " " + g->Texte(i, 2).mid(3, 7);
  // Pisces to Aries in May, back in September; the squares on the Aries point are the cardinal points.
  EXPECT_TRUE(contacts.contains(saturne + conjonction + " 05.2025")) << contacts.join("|").toStdString();
  EXPECT_TRUE(contacts.contains(saturne + "@" + conjonction + " 09.2025")) << contacts.join("|").toStdString();
  for (int i = 0; i < Lignes(); ++i)
    EXPECT_TRUE(g->Texte(i, 0).contains(QChar(186)) || g->Texte(i, 0).contains(QChar(190))) << g->Texte(i, 0).toStdString();
  // A transit has no arc: four columns, the position in glyphs as the contact.
  ASSERT_EQ(g->columnCount(), 4);
  EXPECT_EQ(g->horizontalHeaderItem(0)->text(), "Transit");
  EXPECT_EQ(g->item(0, 1)->font().family(), "Celvan S");
  temoin.messages.clear();
  Cliquer("Exporter");
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("information: Tableau de 4 colonnes et %1 lignes à coller").arg(Lignes())});
  EXPECT_EQ(QGuiApplication::clipboard()->text().split("\r\n")[0].split('\t').size(), 4);
  Cliquer("Imprimer");
  const ContenuPdf pdf = LirePdf(dossier / "liste.pdf");
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_NE(pdf.texte.find("Jean DUPONT"), std::string::npos) << pdf.texte;
  EXPECT_NE(pdf.texte.find("Transit"), std::string::npos);
}

// Another chart frozen after the window opened (another window's command) leaves its list alone.
TEST_F(FenetreDirectionsTest, LaListeResteCelleDuThemeOuvert) {
  const NatalDirections ouvert = NatalDepuisEtat();
  CalculerNatalDeTest(FicheDeTest("AUTRE,Paul").Date("21/06/1980"));
  Cliquer("Tout");
  Cliquer("Calculer");
  DemandeDirections d;
  d.p1 = {CorpsDesListes.begin(), CorpsDesListes.end()};
  d.p2 = d.p3 = {Soleil};
  d.debut = 1;
  d.fin = QDate::currentDate().year() - 1952;
  const std::vector<LigneDirection> attendues = CalculerDirections(ouvert, d);
  ASSERT_EQ(Lignes(), static_cast<int>(attendues.size()));
  for (int i = 0; i < Lignes(); ++i)
    EXPECT_EQ(fenetre->ListeDirections()->Texte(i, 2).toStdString(), attendues[static_cast<std::size_t>(i)].cellules[2]);
  EXPECT_TRUE(fenetre->Page().titre.startsWith("Jean DUPONT  : directions"));
}
