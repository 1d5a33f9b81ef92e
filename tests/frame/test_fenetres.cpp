#include <gtest/gtest.h>

#include "VersionSelvane.h"
#include <optional>

#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include <unistd.h>

#include <limits>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "widgets/Commandes.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "listing/DessinTheme.h"
#include "core/EtatTheme.h"
#include "frame/FenetresAnnexes.h"
#include "forecast/TFormDirSol.h"
#include "birthdata/records/FichierNaissance.h"
#include "widgets/Plateforme.h"
#include "reglages/Reglages.h"
#include "frame/TMainForm.h"
#include "dial/TFormCosmo.h"
#include "widgets/Impression.h"
#include "techniques/TFormHouses.h"
#include "techniques/TFormMandala.h"
#include "dessin/Traits.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

FicheClient Fiche(const char* nom, const char* date) {
  return FicheDeTest(nom).Date(date);
}

class FenetresTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    programme_.emplace("selvane_fenetres", std::initializer_list<const char*>{"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf", "Vildef.def", "Zones_Numbers.tzn", "TZDBCel.tzb", "France.cty", "planisf.svg", "AMandala.bmp"});
    dossier = programme_->Chemin();
    EcrireReglagesParDefaut(dossier);
    ReinitialiserEtat();
    principale = new TMainForm(QString::fromStdString(dossier.string()));
  }
  void TearDown() override {
    delete principale;
    programme_.reset();
  }
  QString Cht(const char* nom, const char* date) {
    const fs::path p = dossier / (std::string(nom) + ".source.cht.txt");
    EcrireFichierTheme(p, Fiche(nom, date));
    return QString::fromStdString(p.string());
  }
  int Enfants() const { return principale->ZoneFenetres()->subWindowList().size(); }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  TMainForm* principale = nullptr;
};

}  // namespace

TEST_F(FenetresTest, DemarrageSurLeThemeDuMoment) {
  EXPECT_EQ(Enfants(), 0);
  EXPECT_FALSE(principale->StringGrid1().has_value());
  EXPECT_EQ(Etat().FicheEnCours.Nom.Utf8(), "Thème de l'heure");
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Paris");
  EXPECT_EQ(Etat().SystemeMaisons, 1);
  EXPECT_TRUE(temoin.messages.isEmpty());
  // The caption and the about box carry the one version of the build.
  EXPECT_EQ(principale->windowTitle(), "Selvane Ver " SELVANE_VERSION);
  principale->Action("Selvane1")->trigger();
  EXPECT_TRUE(temoin.messages.value(0).texte.contains("Version " SELVANE_VERSION "\n"));
  temoin.messages.clear();
  for (const char* id : {"FileNewItem", "FileOpenItem", "Listedesthmessauvegards1", "FileStyleImpression",
                         "Fondsdessignescolores", "FilePrintItem", "ImprimerA5", "Enregistrerthmeencours1",
                         "FileExitItem", "Arbresdesmipoints", "Cosmogramme1", "SixHoroscopes1",
                         "Directionssolairesliste1", "InterpretationsEtMP", "Mandala", "SequencesPlanetaires",
                         "Interprtations1", "Slectiondeplantes1", "AspectsDomificationOrientation", "Couleurs1",
                         "QuickEphemrides1", "GestionFichiers", "Planisphre1", "LunaisonsEclipses", "Thesaurus",
                         "Aide1", "Raccourcis1", "Selvane1", "EphemerideGraphique"})
    EXPECT_NE(principale->Action(id), nullptr) << id;
  // Without a chart window, techniques needing one do nothing; the six frames open.
  principale->Action("Cosmogramme1")->trigger();
  EXPECT_TRUE(temoin.messages.isEmpty());
  principale->Action("SixHoroscopes1")->trigger();
  EXPECT_TRUE(temoin.messages.isEmpty());
  ASSERT_EQ(Enfants(), 1);
  EXPECT_NE(qobject_cast<TFormHouses*>(principale->ZoneFenetres()->subWindowList()[0]->widget()), nullptr);
  principale->ZoneFenetres()->closeAllSubWindows();
  principale->Action("GestionFichiers")->trigger();
  EXPECT_EQ(temoin.programmes.value(0), QString::fromStdString((dossier / "GestSelvane").string()));
}

// "Gestion des fichiers" starts the program in its own folder, not in the one
// Selvane was started from (it lists the birth files of its working folder).
TEST_F(FenetresTest, GestionFichiersDemarreDansLeDossierDuProgramme) {
  const fs::path programme = dossier / "GestSelvane";
  const fs::path trace = dossier / "dossier_de_travail.txt";
  {
    std::ofstream script(programme);
    script << "#!/bin/sh\npwd -P > \"$(dirname \"$0\")/dossier_de_travail.txt.tmp\"\n"
              "mv \"$(dirname \"$0\")/dossier_de_travail.txt.tmp\" \"$(dirname \"$0\")/dossier_de_travail.txt\"\n";
  }
  fs::permissions(programme, fs::perms(0755));
  ASSERT_NE(fs::current_path(), fs::canonical(dossier));
  PlateformeQt().LancerProgramme(QString::fromStdString(programme.string()));
  for (int i = 0; i < 200 && !fs::exists(trace); ++i) QTest::qWait(50);
  ASSERT_TRUE(fs::exists(trace));
  std::ifstream lu(trace);
  std::string ligne;
  std::getline(lu, ligne);
  EXPECT_EQ(ligne, fs::canonical(dossier).string());
}

TEST_F(FenetresTest, ThemeRouvertDansUneFenetreDeListing) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  ASSERT_EQ(Enfants(), 1);
  auto* listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[0]->widget());
  ASSERT_NE(listing, nullptr);
  EXPECT_EQ(listing->windowTitle(), "Jean DUPONT - Natal");
  EXPECT_EQ(listing->Etiquette()->text(), "essai");
  ASSERT_TRUE(principale->StringGrid1().has_value());
  EXPECT_EQ((*principale->StringGrid1())[2], "DUPONT,Jean");
  EXPECT_TRUE(fs::exists(dossier / "DUPONT,Jean - Natal.cht"));
  EXPECT_TRUE(principale->Action("FilePrintItem")->isEnabled());
  // The wheel: Ascendant at 9 o'clock with orientation "o".
  QImage image(1200, 800, QImage::Format_RGB32);
  QPainter p(&image);
  const GeometrieRoue g = DessinerTheme(p, image.size(), Etat(), LesReglages(), OptionsDessin());
  p.end();
  const QPointF asc = g.Point(Etat().Positions[Ascendant][1], g.r1);
  EXPECT_NEAR(asc.y(), g.centre.y(), 0.5);
  EXPECT_LT(asc.x(), g.centre.x());
  // Clicking toggles the comment label; Escape closes.
  QTest::mouseClick(listing, Qt::LeftButton);
  EXPECT_FALSE(listing->Etiquette()->isVisible());
}

TEST_F(FenetresTest, LaCommandeTravailleSurLeRadixActive) {
  principale->RouvrirTheme(Cht("PREMIER,A", "07/03/1952"));
  const double soleilPremier = Etat().Positions[Soleil][1];
  principale->RouvrirTheme(Cht("SECOND,B", "21/06/1980"));
  ASSERT_EQ(Enfants(), 2);
  principale->ZoneFenetres()->setActiveSubWindow(principale->ZoneFenetres()->subWindowList()[0]);
  EXPECT_EQ((*principale->StringGrid1())[2], "PREMIER,A");
  // A technique command restores the first chart and freezes it as the natal chart.
  Etat().FicheEnCours.Date = "01/01/2000";
  principale->ExecuterTouche(Qt::Key_C);
  EXPECT_EQ(Etat().FicheEnCours.Nom.Chaine(), "PREMIER,A");
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][6], soleilPremier);
  // The dial opens on it; a second "C" replaces it, still on the first chart.
  auto cosmogrammes = [&] {
    int n = 0;
    for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList()) n += qobject_cast<TFormCosmo*>(f->widget()) != nullptr;
    return n;
  };
  EXPECT_EQ(cosmogrammes(), 1);
  EXPECT_EQ(Enfants(), 3);
  principale->ExecuterTouche(Qt::Key_C);
  EXPECT_EQ(cosmogrammes(), 1);
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][6], soleilPremier);
  auto* cosmo = qobject_cast<TFormCosmo*>(principale->ZoneFenetres()->activeSubWindow()->widget());
  ASSERT_NE(cosmo, nullptr);
  EXPECT_EQ(cosmo->FicheSauvee().Nom.Chaine(), "PREMIER,A");
}

// Keys typed into a chart window run the main window's commands of those keys.
TEST_F(FenetresTest, ToucheDuListingTransmiseALaCommande) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  auto* listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[0]->widget());
  ASSERT_NE(listing, nullptr);
  temoin.messages.clear();
  QTest::keyClick(listing, Qt::Key_B);  // no command: nothing happens
  EXPECT_TRUE(temoin.messages.isEmpty());
  QTest::keyClick(listing, Qt::Key_M);  // the mandala opens
  EXPECT_TRUE(temoin.messages.isEmpty());
  ASSERT_EQ(Enfants(), 2);
  EXPECT_NE(qobject_cast<TFormMandala*>(principale->ZoneFenetres()->activeSubWindow()->widget()), nullptr);
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][6], Etat().Positions[Soleil][1]);  // the radix frozen first
  QTest::keyClick(listing, Qt::Key_F);
  EXPECT_TRUE(principale->Action("Fondsdessignescolores")->isChecked());
  EXPECT_TRUE(principale->Options().fondsSignesColores);
  QTest::keyClick(listing, Qt::Key_K);
  EXPECT_FALSE(principale->Options().fondsSignesColores);
}

// A saved chart that went away between the list and the double click: the error box,
// and the program goes on (the error must not leave the list's signal).
TEST_F(FenetresTest, ThemeDisparuDeLaListe) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  principale->Action("Listedesthmessauvegards1")->trigger();
  auto* liste = principale->findChild<TFormChartList*>();
  ASSERT_NE(liste, nullptr);
  ASSERT_EQ(liste->Liste()->count(), 1);
  fs::remove(dossier / "DUPONT,Jean - Natal.cht");
  temoin.messages.clear();
  QListWidgetItem* element = liste->Liste()->item(0);
  const QRect ici = liste->Liste()->visualItemRect(element);
  // A double click as the view receives it from a mouse: press, release, then the second press.
  QTest::mouseClick(liste->Liste()->viewport(), Qt::LeftButton, {}, ici.center());
  QTest::mouseDClick(liste->Liste()->viewport(), Qt::LeftButton, {}, ici.center());
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_EQ(Enfants(), 1);
}

TEST_F(FenetresTest, LimiteDesFenetres) {
  const QString cht = Cht("DUPONT,Jean", "07/03/1952");
  for (int i = 0; i < 10; ++i) principale->RouvrirTheme(cht);
  temoin.messages.clear();
  bool ouverte = false;
  QTimer::singleShot(0, [&] {
    if (QWidget* modale = QApplication::activeModalWidget()) {
      ouverte = modale->windowTitle() == QString::fromUtf8("Entrée des données ");
      modale->close();
    }
  });
  principale->ExecuterTouche(Qt::Key_N);  // 10 open: the entry window opens
  EXPECT_TRUE(ouverte);
  EXPECT_TRUE(temoin.messages.isEmpty());
  principale->RouvrirTheme(cht);
  temoin.messages.clear();
  principale->Action("FileNewItem")->trigger();
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte,
            QString::fromUtf8("Il y a trop de fenêtres ouvertes en même temps... Fermez quelques fenêtres pour pouvoir poursuivre"));
  principale->Action("Fermertout1")->trigger();
  EXPECT_EQ(Enfants(), 0);
  EXPECT_FALSE(principale->Action("FilePrintItem")->isEnabled());
}

TEST_F(FenetresTest, ImpressionSurUnePage) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  temoin.fichierPdf = QString::fromStdString((dossier / "feuille.pdf").string());
  principale->Action("FilePrintItem")->trigger();
  const ContenuPdf pdf = LirePdf(temoin.fichierPdf.toStdString());
  EXPECT_EQ(pdf.pages, 1);
  // The sheet's header and house box, as text of the page.
  for (const std::string& ligne :
       {std::string("Jean DUPONT"), std::string("07/03/1952 à 14h05m30 (GMT+01.00.00)"), std::string("Paris"),
        std::string("48N52 - 002E20"), std::string("NATAL"), std::string("Domif.           : Placidus"),
        "ARMC             : " + FormatTempsSideral(Etat().TempsSideralDeg)})
    EXPECT_NE(pdf.texte.find(ligne), std::string::npos) << ligne;
}

// The dial's page takes the frame's "Fonds des signes colorés" as the chart sheet does: the
// coloured sectors of the H1 sign ring appear on paper only when the option is on.
TEST_F(FenetresTest, LeCadranImprimeLesFondsDesSignesDuCadre) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  const auto pixelsColores = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb c = image.pixel(x, y);
        n += std::max({qRed(c), qGreen(c), qBlue(c)}) - std::min({qRed(c), qGreen(c), qBlue(c)}) > 12;
      }
    return n;
  };
  std::vector<DocumentImprime> documents;
  ObserverImpressions([&](const DocumentImprime& d) { documents.push_back(d); });
  temoin.fichierPdf = QString::fromStdString((dossier / "cadran.pdf").string());
  int colores[2] = {0, 0};
  for (bool fonds : {false, true}) {
    QAction* option = principale->Action("Fondsdessignescolores");
    if (option->isChecked() != fonds) option->trigger();
    ASSERT_EQ(principale->Options().fondsSignesColores, fonds);
    principale->Action("Cosmogramme1")->trigger();
    TFormCosmo* cosmo = nullptr;
    for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
      if (auto* c = qobject_cast<TFormCosmo*>(f->widget())) cosmo = c;
    ASSERT_NE(cosmo, nullptr);
    cosmo->ComboBoxHarmonic->setCurrentIndex(cosmo->ComboBoxHarmonic->findText("H1", Qt::MatchStartsWith));
    cosmo->ComboBoxHarmonicChange();
    temoin.reponsesQuestions = {true};
    documents.clear();
    QTest::mouseClick(cosmo->BtnImprimer, Qt::LeftButton);
    ASSERT_EQ(documents.size(), 1u);
    colores[fonds] = pixelsColores(RendreDocument(documents[0], 50, false)[0]);
  }
  ObserverImpressions({});
  EXPECT_GT(colores[1], colores[0] + 1000);
}

// The mandala prints in black and white, its marks told by their shapes, when the frame's
// "Couleurs" is off, as the chart sheet does.
TEST_F(FenetresTest, LeMandalaImprimeSelonLesCouleursDuCadre) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  std::vector<DocumentImprime> documents;
  ObserverImpressions([&](const DocumentImprime& d) { documents.push_back(d); });
  temoin.fichierPdf = QString::fromStdString((dossier / "mandala.pdf").string());
  for (bool couleur : {true, false}) {
    QAction* option = principale->Action("FileStyleImpression");
    if (option->isChecked() != couleur) option->trigger();
    ASSERT_EQ(principale->Options().impressionCouleur, couleur);
    principale->Action("Mandala")->trigger();
    QMdiSubWindow* cadre = nullptr;
    for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
      if (qobject_cast<TFormMandala*>(f->widget())) cadre = f;
    ASSERT_NE(cadre, nullptr);
    documents.clear();
    QTest::mouseClick(cadre->widget()->findChild<QPushButton*>("BtnImprimer"), Qt::LeftButton);
    ASSERT_EQ(documents.size(), 1u) << temoin.messages.value(0).texte.toStdString();
    EXPECT_EQ(documents[0].noirEtBlanc, !couleur);
    cadre->close();
    QApplication::processEvents();
  }
  ObserverImpressions({});
}

TEST_F(FenetresTest, SelectionDePlanetes) {
  principale->Action("Slectiondeplantes1")->trigger();
  EXPECT_TRUE(principale->PanneauPlanetes()->isVisible() || !principale->isVisible());
  principale->ChoisirJeu(1);
  principale->ValiderSelectionPlanetes();
  std::ifstream f(dossier / "SelvSetOfPlanetes.def", std::ios::binary);
  const std::string contenu((std::istreambuf_iterator<char>(f)), {});
  std::string attendu;
  for (int n = 1; n <= 20; ++n) attendu += std::to_string(n) + "\r\n";
  EXPECT_EQ(contenu, attendu);
  EXPECT_EQ(Etat().NbPlanetes, 20);
  EXPECT_EQ(Enfants(), 1);
  principale->ChoisirJeu(0);
  principale->ValiderSelectionPlanetes();
  EXPECT_EQ(Etat().NbPlanetes, 10);
}

TEST_F(FenetresTest, ListeDesRaccourcisDesCommandes) {
  EXPECT_EQ(TFormRaccourcis::TexteRaccourcis(principale->Commandes()),
            QString::fromUtf8("La majorité des fonctions du programme sont accessibles par\n"
                              "simple appui sur une touche, dont voici ci-dessous les correspondances :\n"
                              "\n"
                              "Touche\tFonction associée\n"
                              "\n"
                              "Esc\tferme la fenêtre placée au premier plan\n"
                              "\n"
                              "F1\tFichier/Nouveau\n"
                              "F2\tFichier/Ouvrir\n"
                              "\n"
                              "a\tArbres des mi-points\n"
                              "c\tCosmogramme\n"
                              "d\tDirections solaires (liste)\n"
                              "g\tÉphéméride graphique\n"
                              "h\tHoroscopes uraniens\n"
                              "i\tInterprétations et tableau des mi-points\n"
                              "m\tMandala uranien\n"
                              "n\tOuvre la fenêtre d'entrée de nouvelles données\n"
                              "o\tOuvre la liste des thèmes récemments ouverts\n"
                              "s\tSéquences planétaires\n"));
  // Every registered command has its menu item; the toolbar in its order with its hints.
  for (const Commande& c : principale->Commandes().Liste()) EXPECT_NE(principale->Action(c.identifiant), nullptr) << c.identifiant.toStdString();
  const auto disposition = [](QMenu* menu) {
    QStringList titres;
    for (QAction* a : menu->actions()) titres << (a->isSeparator() ? "-" : a->text());
    return titres.join("|");
  };
  QMenu* fichier = principale->menuBar()->actions().value(0)->menu();
  ASSERT_NE(fichier, nullptr);
  EXPECT_EQ(disposition(fichier), QString::fromUtf8("&Nouveau|&Ouvrir...|Thèmes récemment ouverts|-|Configuration des impressions|"
                                                    "&Imprimer A4|Imprimer A5|-|Enregistrer thème en cours|-|&Quitter"));
  QStringList menus;
  for (QAction* a : principale->menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus.join("|"), QString::fromUtf8("&Fichier|Calculs divers|Préférences|Outils|Fenêtre|Aide|A propos"));
  EXPECT_EQ(disposition(principale->menuBar()->actions().value(3)->menu()),
            QString::fromUtf8("Quick Ephémérides|Gestion des fichiers|Planisphère|-|Lunaisons, éclipses, Ingres|Backup (sauvegarde)"));
  auto* barre = principale->findChild<QToolBar*>("BarreOutils");
  ASSERT_NE(barre, nullptr);
  QStringList bulles;
  for (QAction* a : barre->actions()) bulles << a->toolTip();
  EXPECT_EQ(bulles.join("|"), QString::fromUtf8("Ouvrir|Nouveau|Cosmogramme|Arbres des mi-points|Mandala|Directions solaires et "
                                                "transits|Tableaux prévisionnels|Séquences planétaires|6 Horoscopes|Planisphère"));
}

TEST(FenetresAnnexes, ListeDesThemes) {
  Application();
  const fs::path d = fs::temp_directory_path() / ("selvane_liste_" + std::to_string(::getpid()));
  fs::create_directories(d);
  for (const char* n : {"A - Natal.cht", "B - Natal.cht"}) std::ofstream(d / n) << "X\r\n";
  auto* liste = new TFormChartList(QString::fromStdString(d.string()));
  ASSERT_EQ(liste->Liste()->count(), 2);
  liste->Liste()->setCurrentRow(0);
  QTest::keyClick(liste, Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(d / "A - Natal.cht"));
  EXPECT_EQ(liste->Liste()->count(), 1);
  liste->close();
  fs::remove_all(d);
}

// A change in Options redraws the open chart at once, with the new orientation.
TEST_F(FenetresTest, LesOptionsRedessinentLesThemesOuverts) {
  principale->resize(1400, 900);
  principale->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(principale));
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  auto* listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[0]->widget());
  ASSERT_NE(listing, nullptr);
  const QImage avant = listing->Image();
  bool valide = false;
  QTimer::singleShot(0, [&] {
    QWidget* options = QApplication::activeModalWidget();
    if (!options) return;
    auto* onglets = options->findChild<QTabBar*>();
    QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(2).center());
    for (QRadioButton* r : options->findChildren<QRadioButton*>())
      if (r->text() == QString::fromUtf8("Bélier à gauche")) {
        EXPECT_TRUE(r->isVisible());
        QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(6, r->height() / 2));  // on its round box
        EXPECT_TRUE(r->isChecked());
      }
    for (QPushButton* b : options->findChildren<QPushButton*>())
      if (b->text() == "OK") {
        valide = true;
        QTest::mouseClick(b, Qt::LeftButton);
      }
  });
  principale->Action("AspectsDomificationOrientation")->trigger();
  ASSERT_TRUE(valide);
  EXPECT_EQ(Etat().Orientation, 'n');
  EXPECT_NE(listing->Image(), avant);
  // Drawn as a new listing of the same chart would be.
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  auto* neuf = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[1]->widget());
  ASSERT_NE(neuf, nullptr);
  if (neuf->Image().size() == listing->Image().size()) {
    EXPECT_EQ(neuf->Image(), listing->Image());
  }
}

// "D" in a chart window opens the directions and transits list on that chart, beside it.
TEST_F(FenetresTest, ToucheDOuvreLaListeDesDirections) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  auto* listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[0]->widget());
  ASSERT_NE(listing, nullptr);
  temoin.messages.clear();
  QTest::keyClick(listing, Qt::Key_D);
  EXPECT_TRUE(temoin.messages.isEmpty());
  ASSERT_EQ(Enfants(), 2);
  auto* liste = qobject_cast<TFormDirSol*>(principale->ZoneFenetres()->subWindowList()[1]->widget());
  ASSERT_NE(liste, nullptr);
  EXPECT_EQ(liste->windowTitle(), "Jean DUPONT - Directions solaires et transits");
  QTest::keyClick(liste, Qt::Key_Escape);
  QApplication::processEvents();
  EXPECT_EQ(Enfants(), 1);
}

// Escape closes every technique window with its frame: no empty frame stays in the work area
// or in the Window menu, and the chart window is left as it was.
TEST_F(FenetresTest, EchapFermeChaqueTechniqueAvecSonCadre) {
  principale->RouvrirTheme(Cht("DUPONT,Jean", "07/03/1952"));
  auto* listing = qobject_cast<TFormAffSmpl*>(principale->ZoneFenetres()->subWindowList()[0]->widget());
  ASSERT_NE(listing, nullptr);
  for (const int touche : {Qt::Key_C, Qt::Key_A, Qt::Key_H, Qt::Key_M, Qt::Key_S, Qt::Key_T, Qt::Key_D, Qt::Key_I,
                           Qt::Key_E, Qt::Key_L}) {
    SCOPED_TRACE(QKeySequence(touche).toString().toStdString());
    QTest::keyClick(listing, static_cast<Qt::Key>(touche));
    ASSERT_EQ(Enfants(), 2);
    QWidget* technique = principale->ZoneFenetres()->subWindowList()[1]->widget();
    QWidget* cible = technique->focusWidget() ? technique->focusWidget() : technique;
    QTest::keyClick(cible, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_EQ(Enfants(), 1);
    EXPECT_EQ(principale->ZoneFenetres()->subWindowList()[0]->widget(), listing);
  }
}
