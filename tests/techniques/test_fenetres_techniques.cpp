// The technique windows driven as a user does: typed fields, clicks, keys; the
// platform double answers the print dialog and records the messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <optional>

#include "birthdata/TFormEnterData.h"
#include "birthdata/TFormLoadData.h"
#include "birthdata/records/FichierNaissance.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "dial/ImpressionCadran.h"
#include "dial/TFormCosmo.h"
#include "reglages/Reglages.h"
#include "techniques/ImpressionTables.h"
#include "techniques/TFormArbresMP.h"
#include "techniques/TFormHouses.h"
#include "techniques/DessinMandala.h"
#include "techniques/TFormLunaisons.h"
#include "techniques/TFormMandala.h"
#include "techniques/TFormQuickEphem.h"
#include "techniques/TFormSequences.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/MenuContextuel.h"
#include "tests/support/PlateformeTemoin.h"
#include "widgets/Texte1252.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

class FenetresTechniquesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    programme_.emplace("selvane_techniques",
                       std::initializer_list<const char*>{"Celvan S.ttf", "AMandala.bmp", "Vildef.def", "Zones_Numbers.tzn",
                                                          "TZDBCel.tzb", "France.cty"});
    dossier = programme_->Chemin();
    static const bool polices = QFontDatabase::addApplicationFont(SELVANE_BIN_DIR "/Celvan S.ttf") >= 0;
    ASSERT_TRUE(polices);
    ReinitialiserEtat();
    EcrireReglagesParDefaut(dossier);
    ChargerReglages(dossier.string());
    OuvrirEphemerides();
    Etat().FicheEnCours = FicheDeTest();
    Etat().NomFichierNaissance = "Natal";
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    temoin.fichierPdf = QString::fromStdString((dossier / "page.pdf").string());
  }
  QString Dossier() const { return QString::fromStdString(dossier.string()); }
  // SELVANE_CAPTURES=folder keeps a picture of the window and the printed page, to look at.
  void Capturer(QWidget* fenetre, const char* nom) {
    const char* captures = std::getenv("SELVANE_CAPTURES");
    if (!captures) return;
    fenetre->grab().save(QString("%1/%2.png").arg(captures, nom));
    if (fs::exists(dossier / "page.pdf"))
      fs::copy_file(dossier / "page.pdf", fs::path(captures) / (std::string(nom) + ".pdf"),
                    fs::copy_options::overwrite_existing);
  }
  ContenuPdf Imprime() const { return LirePdf(dossier / "page.pdf"); }
  void Effacer() { fs::remove(dossier / "page.pdf"); }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
};

template <typename T>
T* Enfant(QWidget* w, const char* nom) {
  T* e = w->findChild<T*>(nom);
  EXPECT_NE(e, nullptr) << nom;
  return e;
}

// Types a number into a spin box as a user does: select all, type, leave with Tab.
void Taper(QSpinBox* s, const QString& texte) {
  s->setFocus();
  QTest::keyClick(s, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(s, texte);
  QTest::keyClick(s, Qt::Key_Tab);
}

void Choisir(QComboBox* c, int item) {
  c->setFocus();
  QTest::keyClick(c, Qt::Key_Home);
  for (int i = 0; i < item; ++i) QTest::keyClick(c, Qt::Key_Down);
}

// A radio button answers a click on its mark or its label, not on the empty rest of its row.
void Cocher(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(8, b->height() / 2)); }

bool Contient(const std::string& texte, const char* utf8) { return texte.find(utf8) != std::string::npos; }

// The work area a maximised window gets on a small screen, under the main window's menu,
// tool bar, status bar and the window's own title bar.
struct Ecran {
  const char* nom;
  QSize fenetre;
};
const Ecran PetitsEcrans[] = {{"1366x768", {1366, 768 - 150}}, {"1280x720", {1280, 720 - 150}}, {"1024x600", {1024, 480}}};

// A child is not cut: inside the window, and scrolling when its content is longer than its view.
void EnVueOuDefilant(QWidget* fenetre, QAbstractScrollArea* vue, const char* ecran) {
  const QRect r(vue->mapTo(fenetre, QPoint(0, 0)), vue->size());
  EXPECT_TRUE(fenetre->rect().contains(r)) << ecran << " " << vue->objectName().toStdString() << " at "
                                           << r.bottom() << " in " << fenetre->height();
  if (vue->verticalScrollBar()->maximum() > 0) {
    EXPECT_TRUE(vue->verticalScrollBar()->isVisible()) << ecran << " " << vue->objectName().toStdString();
  }
}

}  // namespace

TEST_F(FenetresTechniquesTest, EphemeridesAnnuellesPuisFevrierImprime) {
  auto* f = new TFormQuickEphem;
  f->show();
  // Before any calculation there is no table: nothing to print (no page "pour l'année 0").
  EXPECT_FALSE(Enfant<QPushButton>(f, "BtnImprimer")->isEnabled());
  f->BtnImprimerClick();
  EXPECT_EQ(Imprime().pages, 0);
  auto* annee = Enfant<QSpinBox>(f, "SpinEditAnnee");
  annee->setFocus();
  QTest::keyClick(annee, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(annee, "2000");
  QTest::keyClick(annee, Qt::Key_Return);  // Enter in the year field computes
  auto* grille = Enfant<QTableWidget>(f, "StringGrid1");
  ASSERT_EQ(grille->rowCount(), 12);
  EXPECT_EQ(grille->item(1, 0)->text(), QString::fromUtf8("Fév"));
  f->BtnImprimerClick();
  ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Positions des planètes au 1er de chaque mois pour l'année 2000")) << pdf.texte;
  Capturer(f, "ephemerides_annee");
  Effacer();
  Taper(annee, "2024");
  Cocher(Enfant<QRadioButton>(f, "RadioMensuel"));
  Choisir(Enfant<QComboBox>(f, "ComboBoxMois"), 1);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
  ASSERT_EQ(grille->rowCount(), 29);
  EXPECT_EQ(grille->item(28, 0)->text(), "29/02");
  // Every cell ends with the retrograde mark or a space, as the speed says.
  for (int i = 0; i < 29; ++i)
    for (int k = 0; k < 14; ++k)
      EXPECT_EQ(grille->item(i, k + 1)->text().endsWith('@'), f->Lignes()[static_cast<std::size_t>(i)].cellules[static_cast<std::size_t>(k)].vitesseDeg < 0);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Positions des planètes pour le mois de Février 2024")) << pdf.texte;
  Capturer(f, "ephemerides_fevrier");
  QPointer<TFormQuickEphem> garde(f);
  QTest::keyClick(grille, Qt::Key_Escape);
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(garde.isNull());
  EXPECT_TRUE(temoin.messages.isEmpty());
}

TEST_F(FenetresTechniquesTest, EphemeridesFermeesQuandLeFocusPartAilleurs) {
  // Inside one main window, as the program shows it.
  QWidget principale;
  auto* champ = new QLineEdit(&principale);
  QPointer<TFormQuickEphem> f(new TFormQuickEphem(&principale));
  f->move(0, 40);
  principale.resize(1200, 800);
  principale.show();
  QApplication::setActiveWindow(&principale);
  Enfant<QSpinBox>(f, "SpinEditAnnee")->setFocus();
  QApplication::processEvents();
  // Its own print dialog takes the focus elsewhere without closing it.
  QWidget dialogue;
  auto* bouton = new QLineEdit(&dialogue);
  dialogue.show();
  QApplication::setActiveWindow(&dialogue);
  bouton->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::focusWidget(), bouton);
  EXPECT_FALSE(f.isNull());
  dialogue.hide();
  QApplication::setActiveWindow(&principale);
  Enfant<QSpinBox>(f, "SpinEditAnnee")->setFocus();
  QApplication::processEvents();
  QTest::mouseClick(champ, Qt::LeftButton);
  champ->setFocus();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(f.isNull());
}

TEST_F(FenetresTechniquesTest, LunaisonsDUneAnneeImprimeesEtRefusAuDelaDUnePage) {
  auto* f = new TFormLunaisons(Dossier(), {});
  f->resize(900, 700);
  f->show();
  auto* imprimer = Enfant<QPushButton>(f, "BtnImprimer");
  EXPECT_FALSE(imprimer->isEnabled());  // nothing computed yet
  Taper(Enfant<QSpinBox>(f, "SpinEditDebut"), "2023");
  Taper(Enfant<QSpinBox>(f, "SpinEditFin"), "2024");
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalculer"), Qt::LeftButton);
  auto* grille = Enfant<QTableWidget>(f, "GridEclipses");
  const int lignes = grille->rowCount();
  ASSERT_EQ(lignes, static_cast<int>(f->Lignes().size()));
  // Two years of this span fill exactly one page.
  ASSERT_EQ(lignes, 66);
  for (int i = 1; i < lignes; ++i) EXPECT_LE(grille->item(i - 1, 7)->text(), grille->item(i, 7)->text());
  QTest::mouseClick(imprimer, Qt::LeftButton);
  ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Lunaisons et éclipses")) << pdf.texte;
  EXPECT_TRUE(Contient(pdf.texte, "Date & heure (TU)"));
  // Every row is on the page, the last one (the new moon of 30/12/2024) too.
  for (int i = 0; i < lignes; ++i)
    EXPECT_TRUE(Contient(pdf.texte, grille->item(i, 3)->text().toStdString().c_str())) << i;
  EXPECT_TRUE(temoin.messages.isEmpty());
  Capturer(f, "lunaisons");
  // One row more: refused with the message, nothing printed.
  Effacer();
  Taper(Enfant<QSpinBox>(f, "SpinEditFin"), "2027");
  Taper(Enfant<QSpinBox>(f, "SpinEditDebut"), "2026");
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalculer"), Qt::LeftButton);
  ASSERT_EQ(grille->rowCount(), 67);
  QTest::mouseClick(imprimer, Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "information");
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Reduisez la période afin de ne pas dépasser la hauteur d'une page"));
  EXPECT_FALSE(fs::exists(dossier / "page.pdf"));
  f->close();
}

TEST_F(FenetresTechniquesTest, DoubleClicSurUnePleineLuneOuvreLaSaisieDUnThemeDEvenement) {
  QPointer<TFormLunaisons> f(new TFormLunaisons(Dossier(), {}));
  f->show();
  Taper(Enfant<QSpinBox>(f, "SpinEditDebut"), "2024");
  Taper(Enfant<QSpinBox>(f, "SpinEditFin"), "2024");
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalculer"), Qt::LeftButton);
  int pleine = -1;
  for (int i = 0; i < static_cast<int>(f->Lignes().size()); ++i)
    if (f->Lignes()[static_cast<std::size_t>(i)].genre == GenreEvenement::PleineLune) {
      pleine = i;
      break;
    }
  ASSERT_GE(pleine, 0);
  auto* grille = Enfant<QTableWidget>(f, "GridEclipses");
  const double jour = f->Lignes()[static_cast<std::size_t>(pleine)].jourTU;
  QString nom, date, heure, secondes, fuseau;
  // The entry window is modal: read it and cancel it once it is up.
  QTimer attente;
  QObject::connect(&attente, &QTimer::timeout, [&] {
    auto* saisie = qobject_cast<TFormEnterData*>(QApplication::activeModalWidget());
    if (!saisie) return;
    attente.stop();
    nom = saisie->EditNom->text();
    date = saisie->MaskEditDate->text();
    heure = saisie->MaskEditHeure->text();
    secondes = saisie->MaskEditSecondes->text();
    fuseau = saisie->EditFuseau->text();
    saisie->reject();
  });
  attente.start(10);
  grille->scrollToItem(grille->item(pleine, 3));
  const QRect cellule = grille->visualRect(grille->model()->index(pleine, 3));
  // A double click is a click, then the second press that makes it double.
  QTest::mouseClick(grille->viewport(), Qt::LeftButton, Qt::NoModifier, cellule.center());
  QTest::mouseDClick(grille->viewport(), Qt::LeftButton, Qt::NoModifier, cellule.center());
  const QString attenduDate = Texte(JourJulienVersDate(jour + 0.000023148));
  EXPECT_EQ(nom, QString::fromUtf8("Ephéméride du ") + attenduDate);
  EXPECT_EQ(date, attenduDate);
  const QString hms = Texte(FormatHeureHMS(HeureDuJour(jour + 0.000023148)));
  EXPECT_EQ(heure + "m" + secondes, hms);
  EXPECT_EQ(fuseau, "0");
  // The window closes once the entry window is gone.
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(f.isNull());
}

TEST_F(FenetresTechniquesTest, SequencesEtLeurOrbe) {
  auto* f = new TFormSequences;
  f->show();
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Jean DUPONT : séquences planétaires"));
  auto* points = Enfant<QTableWidget>(f, "GridPoints");
  auto* sequences = Enfant<QTableWidget>(f, "GridSequences");
  ASSERT_EQ(points->rowCount(), 23);
  const int a30 = sequences->rowCount();
  EXPECT_EQ(a30, static_cast<int>(f->Sequences().size()));
  auto* orbe = Enfant<QComboBox>(f, "ComboBox1");
  orbe->setFocus();
  QTest::keyClick(orbe, Qt::Key_Down);
  // A wider orb never finds fewer bodies in sequences.
  const auto membres = [&] {
    std::size_t n = 0;
    for (const Sequence& s : f->Sequences()) n += s.corps.size();
    return n;
  };
  EXPECT_EQ(sequences->rowCount(), static_cast<int>(f->Sequences().size()));
  EXPECT_EQ(CalculerSequences(TrierPointsSequences(LireLongitudesNatales()), 1.0).size(), f->Sequences().size());
  EXPECT_GT(membres(), 0u);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  const ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Jean DUPONT : séquences planétaires")) << pdf.texte;
  EXPECT_TRUE(Contient(pdf.texte, "Séquence (Orbe = 1°)"));
  Capturer(f, "sequences");
  f->close();
}

// In the main window's work area: maximised it fills the area, not maximised it stays inside.
TEST_F(FenetresTechniquesTest, SequencesDansLaZoneDeTravail) {
  for (const Ecran& e : PetitsEcrans) {
    for (const bool agrandie : {true, false}) {
      QMdiArea zone;
      zone.resize(e.fenetre);
      zone.show();
      auto* f = new TFormSequences;
      QMdiSubWindow* cadre = zone.addSubWindow(f);
      if (agrandie) cadre->showMaximized();
      else cadre->show();
      for (int i = 0; i < 3; ++i) QApplication::processEvents();
      const QRect libre = zone.viewport()->rect();
      const QRect occupe(f->mapTo(zone.viewport(), QPoint(0, 0)), f->size());
      EXPECT_TRUE(libre.contains(occupe)) << e.nom << " " << agrandie;
      for (const char* nom : {"GridPoints", "GridSequences"}) EnVueOuDefilant(f, Enfant<QTableWidget>(f, nom), e.nom);
      if (agrandie) {
        // No empty band: the window and its sequence grid reach the area's far sides.
        EXPECT_GE(f->width(), libre.width() - 20) << e.nom;
        EXPECT_GE(f->height(), libre.height() - 40) << e.nom;
        auto* sequences = Enfant<QTableWidget>(f, "GridSequences");
        const QRect g(sequences->mapTo(f, QPoint(0, 0)), sequences->size());
        EXPECT_GE(g.right(), f->width() - 20) << e.nom;
        EXPECT_GE(g.bottom(), f->height() - 20) << e.nom;
        Capturer(&zone, (std::string("sequences_") + e.nom).c_str());
      }
      cadre->close();
    }
  }
}

TEST_F(FenetresTechniquesTest, SixHoroscopesDessinesEtImprimes) {
  auto* f = new TFormHouses;
  f->resize(1000, 760);
  f->show();
  QApplication::processEvents();
  EXPECT_EQ(f->windowTitle(), QString::fromUtf8("Jean DUPONT : Les 6 horoscopes uraniens "));
  const QImage belier = f->Image();
  EXPECT_FALSE(belier.isNull());
  EXPECT_EQ(f->Donnees(CadreBelier, 0.1).cadre.cuspides[1], 180.0);
  Capturer(f, "horoscopes_belier");
  // Another frame, then the connections: each redraws.
  Cocher(Enfant<QRadioButton>(f, "RadioPlan3"));
  const QImage mc = f->Image();
  EXPECT_NE(mc, belier);
  auto* connexions = Enfant<QCheckBox>(f, "CheckBoxConnexions");
  Choisir(Enfant<QComboBox>(f, "ComboBoxOrbe"), 23);
  QTest::mouseClick(connexions, Qt::LeftButton);
  EXPECT_FALSE(f->Donnees(CadreMC, 0.1).connexions.empty());
  EXPECT_NE(f->Image(), mc);
  Capturer(f, "horoscopes_mc_connexions");
  // The meridian frame writes its cusps into the natal houses.
  Cocher(Enfant<QRadioButton>(f, "RadioPlan6"));
  const Cadre meridien = f->Donnees(CadreMeridien, 0.1).cadre;
  EXPECT_FLOAT_EQ(Etat().MaisonsNatales[5], static_cast<float>(meridien.cuspides[5] * DegEnRad));
  Capturer(f, "horoscopes_meridien");
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Les 6 horoscopes uraniens")) << pdf.texte;
  EXPECT_TRUE(Contient(pdf.texte, "Jean DUPONT"));
  Capturer(f, "horoscopes_six");
  Effacer();
  Cocher(Enfant<QRadioButton>(f, "RadioHoroscopeActuel"));
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  Capturer(f, "horoscopes_actuel");
  // A cancelled print dialog prints nothing.
  Effacer();
  temoin.imprimer = false;
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  EXPECT_FALSE(fs::exists(dossier / "page.pdf"));
  EXPECT_TRUE(temoin.messages.isEmpty());
  f->close();
}

TEST_F(FenetresTechniquesTest, MandalaChoixDesAxesRefusEtFigure) {
  auto* f = new TFormMandala(Dossier());
  f->show();
  EXPECT_EQ(f->windowTitle(), "Jean DUPONT - Mandala");
  EXPECT_EQ(Enfant<QLineEdit>(f, "EditAxe3")->text(), Texte("C/F"));
  auto* gridAxe2 = Enfant<QTableWidget>(f, "GridAxe2");
  EXPECT_EQ(gridAxe2->rowCount(), static_cast<int>(f->Calcul().listes[1].size()));
  // Same body twice: refused, nothing changes.
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnAxe2"), Qt::LeftButton);
  EXPECT_FALSE(Enfant<QPushButton>(f, "BtnMandala")->isEnabled());
  auto* a = Enfant<QListWidget>(f, "ListeA");
  auto* b = Enfant<QListWidget>(f, "ListeB");
  a->setCurrentRow(4);   // Mars
  b->setCurrentRow(4);   // Mars (list B starts with the empty item, then the Moon)
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnChoixAxeOK"), Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Les 2 points ne peuvent être identiques"));
  EXPECT_EQ(Enfant<QLineEdit>(f, "EditAxe2")->text(), Texte("E"));
  // The Sun as axis 2: accepted, then refused by "Mandala" for being on the Sun's axis.
  a->setCurrentRow(0);
  b->setCurrentRow(0);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnChoixAxeOK"), Qt::LeftButton);
  EXPECT_EQ(Enfant<QLineEdit>(f, "EditAxe2")->text(), Texte("A"));
  QTest::keyClick(f, Qt::Key_C);
  EXPECT_TRUE(Enfant<QPushButton>(f, "BtnMandala")->isEnabled());
  QTest::keyClick(f, Qt::Key_M);
  ASSERT_EQ(temoin.messages.size(), 2);
  EXPECT_EQ(temoin.messages[1].texte,
            QString::fromUtf8("L'axe 2 est trop près de l'axe du Soleil. Choisissez un autre point."));
  EXPECT_TRUE(f->Figure().isNull());
  // The Ascendant/MC axis: named by its glyphs, counted for nothing.
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnAxe2"), Qt::LeftButton);
  a->setCurrentRow(19);  // Ascendant
  b->setCurrentRow(20);  // MC
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnChoixAxeOK"), Qt::LeftButton);
  EXPECT_EQ(Enfant<QLineEdit>(f, "EditAxe2")->text(), Texte(std::string{LettresCorps[Ascendant], '/', LettresCorps[MilieuDuCiel]}));
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
  Capturer(f, "mandala_tables");
  const std::string refus = VerifierSeparationAxes(f->Calcul().positions);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnMandala"), Qt::LeftButton);
  if (refus.empty()) {
    ASSERT_FALSE(f->Figure().isNull());
    EXPECT_FALSE(Enfant<QPushButton>(f, "BtnCalcul")->isEnabled());
    // Axis 3's blue and axis 1's red marks are on the figure.
    bool rouge = false, bleu = false;
    for (int y = 0; y < f->Figure().height(); y += 2)
      for (int x = 0; x < f->Figure().width(); x += 2) {
        const QColor c = f->Figure().pixelColor(x, y);
        rouge |= c == QColor(Qt::red);
        bleu |= c == QColor(Qt::blue);
      }
    EXPECT_TRUE(rouge);
    EXPECT_TRUE(bleu);
    Capturer(f, "mandala_figure");
  } else {
    EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8(refus.c_str()));
  }
  QTest::mouseClick(Enfant<QPushButton>(f, "SpeedButton2"), Qt::LeftButton);
  EXPECT_TRUE(Enfant<QPushButton>(f, "BtnCalcul")->isEnabled());
  // Printing runs the screen's check: a refused figure is refused on paper too.
  temoin.messages.clear();
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  if (!refus.empty()) {
    ASSERT_EQ(temoin.messages.size(), 1);
    EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(refus.c_str()));
    EXPECT_FALSE(fs::exists(dossier / "page.pdf"));
    // Back to the default axes, which the check accepts.
    f->close();
    f = new TFormMandala(Dossier());
    f->show();
    ASSERT_TRUE(VerifierSeparationAxes(f->Calcul().positions).empty());
    QTest::mouseClick(Enfant<QPushButton>(f, "BtnImprimer"), Qt::LeftButton);
  }
  const ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  EXPECT_TRUE(Contient(pdf.texte, "Mandala pour Jean DUPONT")) << pdf.texte;
  Capturer(f, "mandala_page");

  // The page at 300 dpi on the printable part of an A4 sheet: the lists start right of the
  // frame's left line and the frame's foot is on the page.
  QImage page(2336, 3366, QImage::Format_RGB32);
  page.setDotsPerMeterX(11811);
  page.setDotsPerMeterY(11811);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    QImage figure(400, 400, QImage::Format_RGB32);
    figure.fill(Qt::white);
    ImprimerMandala(p, page.size(), figure, f->Calcul(), "Jean DUPONT");
  }
  const int gauche = page.width() / 10;
  const auto sombre = [&](int x, int y) { return page.pixelColor(x, y).lightness() < 128; };
  int bas = -1;  // the lowest row dark across most of the frame's width
  for (int y = page.height() - 1; y >= 0 && bas < 0; --y) {
    int n = 0;
    for (int x = gauche; x < page.width() - gauche; x += 8) n += sombre(x, y);
    if (n > (page.width() - 2 * gauche) / 8 * 9 / 10) bas = y;
  }
  EXPECT_GT(bas, page.height() / 2);
  int dessous = 0;  // nothing below the frame's foot: it closes the lists
  for (int y = bas + 1; y < page.height(); ++y)
    for (int x = 0; x < page.width(); x += 2) dessous += sombre(x, y);
  EXPECT_EQ(dessous, 0);
  int dehors = 0;  // ink left of the frame's left line
  for (int y = 0; y < page.height(); y += 2)
    for (int x = 0; x < gauche - 6; ++x) dehors += sombre(x, y);
  EXPECT_EQ(dehors, 0);
  f->close();
}

TEST_F(FenetresTechniquesTest, MandalaEntierSurUnPetitEcran) {
  for (const Ecran& e : PetitsEcrans) {
    auto* f = new TFormMandala(Dossier());
    f->resize(e.fenetre);
    f->show();
    QApplication::processEvents();
    ASSERT_EQ(f->size(), e.fenetre) << e.nom;
    for (const char* nom : {"GridAxe1", "GridAxe2", "GridAxe3", "GridTotaux"}) {
      auto* grille = Enfant<QTableWidget>(f, nom);
      EnVueOuDefilant(f, grille, e.nom);
      // Scrolling is for what the height cannot hold, not a keyhole: ten rows at least, or all.
      EXPECT_GE(grille->viewport()->height(), std::min(grille->rowCount(), 10) * grille->rowHeight(0)) << e.nom << " " << nom;
    }
    // The figure as high as the window allows, all of it in view.
    QTest::mouseClick(Enfant<QPushButton>(f, "BtnMandala"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_FALSE(f->Figure().isNull()) << e.nom;
    auto* image = Enfant<QLabel>(f, "ImageFigure");
    const QRect figure(image->mapTo(f, QPoint(0, 0)), f->Figure().size());
    EXPECT_TRUE(f->rect().contains(figure)) << e.nom << " figure bottom " << figure.bottom() << " in " << f->height();
    EXPECT_LE(f->Figure().height(), image->height()) << e.nom;
    EXPECT_GT(f->Figure().height(), e.fenetre.height() * 8 / 10) << e.nom;
    // A taller window, a larger figure.
    f->resize(e.fenetre.width(), e.fenetre.height() + 60);
    QApplication::processEvents();
    EXPECT_GT(f->Figure().height(), e.fenetre.height() * 8 / 10 + 40) << e.nom;
    Capturer(f, (std::string("mandala_") + e.nom).c_str());
    f->close();
  }
}

TEST_F(FenetresTechniquesTest, MandalaSansImageDeFond) {
  fs::remove(dossier / "AMandala.bmp");
  auto* f = new TFormMandala(Dossier());
  f->show();
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnMandala"), Qt::LeftButton);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_TRUE(temoin.messages[0].texte.contains("AMandala.bmp")) << temoin.messages[0].texte.toStdString();
  EXPECT_TRUE(f->Figure().isNull());
  f->close();
}

TEST_F(FenetresTechniquesTest, ArbresTropDeMiPointsPuisImpression) {
  auto* f = new TFormArbresMP;
  f->show();
  // The 45° dial with the widest orb: every tree drawn, then the message.
  Choisir(Enfant<QComboBox>(f, "ComboBoxHarmonic"), 7);
  Choisir(Enfant<QComboBox>(f, "ComboBoxOrbe"), 23);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
  ASSERT_EQ(f->Arbres().size(), 24u);
  ASSERT_GT(NombreMiPoints(f->Arbres()), MiPointsMax);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, "IL y a trop de mi-points : diminuez l'orbe");
  Capturer(f, "arbres_trop");
  temoin.messages.clear();
  Choisir(Enfant<QComboBox>(f, "ComboBoxHarmonic"), 3);
  Choisir(Enfant<QComboBox>(f, "ComboBoxOrbe"), 5);
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
  EXPECT_TRUE(temoin.messages.isEmpty());
  Capturer(f, "arbres");
  QTest::mouseClick(Enfant<QPushButton>(f, "SpeedButton1"), Qt::LeftButton);
  const ContenuPdf pdf = Imprime();
  EXPECT_EQ(pdf.pages, 1);
  // (the text read back from the page has its runs of spaces made one)
  EXPECT_TRUE(Contient(pdf.texte, "Jean DUPONT - Arbres des mi-points : H4 90° , orbe : 0°30'")) << pdf.texte;
  Capturer(f, "arbres_page");
  f->close();
}

namespace {


// A table window, computed as a user does, and the sheet its view (a grid, or the trees'
// drawing) should show.
struct CasFeuille {
  const char* nom;
  const char* vue;
  std::function<QWidget*(const QString& dossier)> ouvrir;
  std::function<Feuille(QWidget*, const QString& dossier)> feuille;
  std::function<QStringList()> cachet;
};

const CasFeuille CasFeuilles[] = {
    {"cadran positions", "GridPositions",
     [](const QString& dossier) {
       auto* f = new TFormCosmo(dossier);
       f->show();
       QTest::mouseClick(Enfant<QPushButton>(f, "SpeedButton5"), Qt::LeftButton);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuillePositionsCadran(static_cast<TFormCosmo*>(w)->Modele()); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"cadran maisons", "GridMaisons",
     [](const QString& dossier) {
       auto* f = new TFormCosmo(dossier);
       f->show();
       Choisir(f->ComboBoxHarmonic, 0);  // H1: the house cusps are shown
       return f;
     },
     [](QWidget* w, const QString&) {
       const auto* c = static_cast<TFormCosmo*>(w);
       return FeuilleMaisonsCadran(c->Modele(), c->RadioGroupAxeNatal->ItemIndex());
     },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"cadran arbre", "GridArbre",
     [](const QString& dossier) {
       auto* f = new TFormCosmo(dossier);
       f->show();
       return f;
     },
     [](QWidget* w, const QString&) {
       const auto* c = static_cast<TFormCosmo*>(w);
       return FeuilleArbreCadran(c->Modele(), c->Selection(), c->Arbre());
     },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"lunaisons", "GridEclipses",
     [](const QString& dossier) {
       auto* f = new TFormLunaisons(dossier, {});
       f->show();
       Taper(Enfant<QSpinBox>(f, "SpinEditDebut"), "2024");
       Taper(Enfant<QSpinBox>(f, "SpinEditFin"), "2024");
       QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalculer"), Qt::LeftButton);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleLunaisons(static_cast<TFormLunaisons*>(w)->Lignes()); },
     [] { return LignesCachet(ContexteCachet{}); }},
    {"ephemerides", "StringGrid1",
     [](const QString&) {
       auto* f = new TFormQuickEphem;
       f->show();
       Taper(Enfant<QSpinBox>(f, "SpinEditAnnee"), "2024");
       Cocher(Enfant<QRadioButton>(f, "RadioMensuel"));
       Choisir(Enfant<QComboBox>(f, "ComboBoxMois"), 1);
       QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleEphemerides(static_cast<TFormQuickEphem*>(w)->Lignes(), 2024, 2); },
     [] { return LignesCachet(ContexteCachet{}); }},
    {"positions H16", "GridPoints",
     [](const QString&) {
       auto* f = new TFormSequences;
       f->show();
       return f;
     },
     [](QWidget* w, const QString&) { return FeuillePointsSequences(static_cast<TFormSequences*>(w)->Points()); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"sequences", "GridSequences",
     [](const QString&) {
       auto* f = new TFormSequences;
       f->show();
       Choisir(Enfant<QComboBox>(f, "ComboBox1"), 1);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleSequences(static_cast<TFormSequences*>(w)->Sequences(), "1\xB0"); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"mandala axe 3", "GridAxe3",
     [](const QString& dossier) {
       auto* f = new TFormMandala(dossier);
       f->show();
       QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleAxeMandala(static_cast<TFormMandala*>(w)->Calcul(), 3); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"mandala totaux", "GridTotaux",
     [](const QString& dossier) {
       auto* f = new TFormMandala(dossier);
       f->show();
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleTotauxMandala(static_cast<TFormMandala*>(w)->Calcul()); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"arbres", "Defilement",
     [](const QString&) {
       auto* f = new TFormArbresMP;
       f->show();
       QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
       return f;
     },
     [](QWidget* w, const QString&) { return FeuilleArbres(static_cast<TFormArbresMP*>(w)->Arbres(), {}); },
     [] { return LignesCachet(ContexteDuTheme(Etat())); }},
    {"navigateur", "GridData",
     [](const QString& dossier) {
       std::vector<FicheClient> fiches;
       for (const char* nom : {"DUPONT,Jean", "ALAIN,Luc", "MARTIN,Anne \"dite, Annette\""}) {
         FicheClient f = FicheDeTest();
         f.Nom = nom;
         fiches.push_back(f);
       }
       RecrireFichierNaissance(fs::path(dossier.toStdString()) / "Groupe.thz", fiches);
       auto* f = new TFormLoadData(dossier, {}, {});
       f->show();
       QListWidget* liste = f->Fichiers();
       QTest::mouseClick(liste->viewport(), Qt::LeftButton, Qt::NoModifier, liste->visualItemRect(liste->item(0)).center());
       return f;
     },
     [](QWidget*, const QString& dossier) {
       const QString chemin = dossier + "/Groupe.thz";
       return FeuilleFichier(chemin, LignesFiches(LireFichierNaissance(chemin.toStdString())));
     },
     [] { return CachetFichier(); }},
};

}  // namespace

// Every table window: the grid shows its sheet, Ctrl+C copies it, the CSV export writes the
// stamp and the rows, and a read-only file is refused with the French message and left alone.
TEST_F(FenetresTechniquesTest, ChaqueTableMontreCopieEtExporteSaFeuille) {
  for (const CasFeuille& c : CasFeuilles) {
    SCOPED_TRACE(c.nom);
    QWidget* f = c.ouvrir(Dossier());
    auto* vue = Enfant<QAbstractScrollArea>(f, c.vue);
    ASSERT_NE(vue, nullptr);
    const Feuille feuille = c.feuille(f, Dossier());
    ASSERT_FALSE(feuille.lignes.empty());
    if (auto* grille = qobject_cast<QTableWidget*>(vue)) {
      ASSERT_EQ(grille->rowCount(), static_cast<int>(feuille.lignes.size()));
      ASSERT_EQ(grille->columnCount(), static_cast<int>(feuille.colonnes.size()));
      for (int k = 0; k < grille->columnCount(); ++k)
        EXPECT_EQ(grille->horizontalHeaderItem(k)->text().toStdString(), feuille.colonnes[static_cast<std::size_t>(k)].titre.toStdString()) << k;
      for (int i = 0; i < grille->rowCount(); ++i)
        for (int k = 0; k < grille->columnCount(); ++k)
          ASSERT_EQ(grille->item(i, k)->text().toStdString(), feuille.lignes[static_cast<std::size_t>(i)][k].toStdString()) << i << "," << k;
      grille->setCurrentCell(0, 1);
    }

    QApplication::clipboard()->setText("avant");
    QApplication::setActiveWindow(f);
    vue->setFocus();
    QTest::keyClick(vue, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), TexteFeuille(feuille).toStdString());

    const fs::path csv = dossier / (std::string(c.nom) + ".csv");
    temoin.fichiers << QString::fromStdString(csv.string());
    ChoisirDansLeMenu(vue, QString::fromUtf8("Exporter CSV…"));
    const std::string ecrit = LireFichierTest(csv);
    EXPECT_EQ(ecrit, CsvFeuille(feuille, c.cachet()));
    // The stamp's comment lines come first, then the captions and one line a row.
    const QStringList cachet = c.cachet();
    ASSERT_FALSE(cachet.isEmpty());
    EXPECT_EQ(ecrit.rfind("# " + cachet[0].toStdString() + "\n", 0), 0u);
    EXPECT_EQ(std::count(ecrit.begin(), ecrit.end(), '\n'),
              static_cast<long>(cachet.size() + 1 + static_cast<int>(feuille.lignes.size())));
    EXPECT_TRUE(temoin.messages.isEmpty());

    VerifierExportRefuse(vue, csv, temoin);
    EXPECT_EQ(fs::status(csv).permissions() & fs::perms::mask, fs::perms(0444));
    temoin.messages.clear();
    Capturer(f, (std::string("feuille_") + c.nom).c_str());
    f->close();
  }
}

// The trees' sheet has a line for every line drawn: each hit, and each tree's root in its place.
TEST_F(FenetresTechniquesTest, FeuilleDesArbresLigneParLigne) {
  auto* f = new TFormArbresMP;
  f->show();
  QTest::mouseClick(Enfant<QPushButton>(f, "BtnCalcul"), Qt::LeftButton);
  const std::vector<ArbreMP>& arbres = f->Arbres();
  const Feuille feuille = FeuilleArbres(arbres, {});
  ASSERT_EQ(feuille.lignes.size(), static_cast<std::size_t>(NombreMiPoints(arbres)) + arbres.size());
  std::size_t i = 0;
  for (const ArbreMP& a : arbres)
    for (std::size_t o = 0; o <= a.lignes.size(); ++o, ++i) {
      const QStringList& l = feuille.lignes[i];
      EXPECT_EQ(l[0].toStdString(), Glyphe(LettresCorps[static_cast<std::size_t>(a.racine)]).toStdString()) << i;
      EXPECT_EQ(l[2].isEmpty(), o == a.PlaceRacine()) << i;
    }
  f->close();
}
