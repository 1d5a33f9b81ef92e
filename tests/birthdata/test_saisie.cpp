#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QPushButton>
#include <QPainter>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "../AppliDeTest.h"
#include "Avertissements.h"
#include "CleTri.h"
#include "Ephemerides.h"
#include "EtatTheme.h"
#include "FichierNaissance.h"
#include "Fuseaux.h"
#include "GrilleAtlas.h"
#include "Plateforme.h"
#include "TFormConsultAtlas.h"
#include "TFormDomiscop.h"
#include "TFormEnterData.h"
#include "TFormLoadData.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

// The main program sends the core's warnings to the platform's boxes; so does this test.
class AvertisseurPlateforme : public Avertisseur {
 public:
  void Avertir(const std::string& texte) override { LaPlateforme().Avertissement(QString::fromStdString(texte)); }
};

class SaisieTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    dossier = fs::temp_directory_path() /
              ("selvane_saisie_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dossier);
    fs::create_directories(dossier);
    for (const char* f : {"Vildef.def", "Zones_Numbers.tzn", "TZDBCel.tzb", "France.cty", "CodesPays.txt"})
      fs::copy_file(fs::path(SELVANE_BIN_DIR) / f, dossier / f);
    DefinirPlateforme(&temoin);
    DefinirAvertisseur(&avertisseur);
    ReinitialiserEtat();
    OuvrirEphemerides();
    Etat().SystemeMaisons = 1;
  }
  void TearDown() override {
    DefinirAvertisseur(nullptr);
    DefinirPlateforme(nullptr);
    fs::remove_all(dossier);
  }
  QString Dossier() const { return QString::fromStdString(dossier.string()); }
  fs::path dossier;
  PlateformeTemoin temoin;
  AvertisseurPlateforme avertisseur;
};

FicheClient Fiche(const char* nom) {
  FicheClient f;
  f.Nom = nom;
  f.SortOrder = CleDeTri(f.Nom.Texte());
  f.Date = "07/03/1952";
  f.Heure = "14h05m30";
  f.Ville = "Paris";
  f.Lat = "48.52";
  f.Long = "2.20";
  f.Fuseau = "01.00.00";
  return f;
}

}  // namespace

TEST_F(SaisieTest, NouvelleFicheDeLAtlasAuTheme) {
  bool listing = false;
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [&] { listing = true; });
  EXPECT_EQ(saisie.EditVille->text(), "Paris");
  EXPECT_FALSE(saisie.EditFuseau->text().isEmpty());  // the regime of Paris now
  saisie.EditNom->setText("DUPONT,Jean");
  saisie.MaskEditDate->setText("15/07/1944");
  saisie.MaskEditHeure->setText("12h00");
  saisie.Atlas->Chercher("EVREUX", 10);
  int ligne = -1;
  for (int l = 0; l < saisie.Atlas->Lignes(); ++l)
    if (saisie.Atlas->Ligne(l) && saisie.Atlas->Ligne(l)->Ville.Utf8() == "Évreux") ligne = l;
  ASSERT_GE(ligne, 0);
  saisie.ChoisirVille(*saisie.Atlas->Ligne(ligne));
  EXPECT_EQ(saisie.EditLat->text(), "49.01");
  EXPECT_EQ(saisie.EditFuseau->text(), "02.00.00");  // summer of 1944
  saisie.MaskEditDate->setText("01/01/1880");
  saisie.ChercherRegime();
  EXPECT_EQ(saisie.EditFuseau->text(), "00.04.36");  // local mean time of 1°09' east
  EXPECT_EQ(saisie.Edit1->text(), "Heure locale");
  saisie.MaskEditDate->setText("01/01/1900");
  saisie.ChercherRegime();
  EXPECT_EQ(saisie.EditFuseau->text(), "00.09.21");  // Paris Mean Time was the legal time
  EXPECT_EQ(saisie.Edit1->text(), "Europe/Paris, PMT");

  saisie.MaskEditDate->setText("07/03/1952");
  saisie.MaskEditHeure->setText("14h05");
  saisie.ChercherRegime();
  saisie.EnregistrerDonnees();
  temoin.reponsesSaisies << "Mes clients";
  saisie.Nouveau();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Thème de : DUPONT,Jean\r\n\r\nDonnées sauvées dans le fichier : \r\n\r\nMes clients.thz"));
  const auto fiches = LireFichierNaissance(dossier / "Mes clients.thz");
  ASSERT_EQ(fiches.size(), 1u);
  EXPECT_EQ(fiches[0].Heure.Chaine(), "14h05m00");
  EXPECT_EQ(fiches[0].Fuseau.Chaine(), "01.00.00");
  EXPECT_EQ(fiches[0].SortOrder.Chaine(), "DUPONTJEAN");
  saisie.Theme();
  EXPECT_TRUE(listing);
  EXPECT_EQ(Etat().FicheEnCours.Nom.Chaine(), "DUPONT,Jean");
  EXPECT_TRUE(Etat().FicheEnCours.Commentaire.Utf8().rfind("Fiche créée le  ", 0) == 0);
}

TEST_F(SaisieTest, MessagesDesChamps) {
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  temoin.messages.clear();
  saisie.MaskEditDate->setText("31/02/2001");
  EXPECT_FALSE(saisie.TesterDate());
  EXPECT_EQ(temoin.messages.last().texte, "31/02/2001 : date incorrecte");
  saisie.MaskEditHeure->setText("24h00");
  EXPECT_FALSE(saisie.TesterHeure());
  EXPECT_EQ(temoin.messages.last().texte, "24h00 : heure incorrecte");
  saisie.EditLat->setText("90.00");
  EXPECT_FALSE(saisie.TesterLatitude());
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Erreur : latitude supérieure à 90° !"));
  EXPECT_TRUE(saisie.EditLat->text().isEmpty());
  saisie.EditFuseau->setText("A3");
  EXPECT_FALSE(saisie.TesterFuseau());
  EXPECT_EQ(temoin.messages.last().texte, "N'entrez que des chiffres et des \".\"  ");
  saisie.EditLong->setText("2.20");
  saisie.EditFuseau->setText("l");
  saisie.TesterFuseau();
  EXPECT_EQ(saisie.EditFuseau->text(), "00.09.20");
  saisie.EditFuseau->setText("-03.30");
  EXPECT_TRUE(saisie.TesterFuseau());
  EXPECT_EQ(saisie.EditFuseau->text(), "-03.30");
  saisie.MaskEditLongH->setText("+12h00m00s");
  saisie.ConvertirLongitude();
  EXPECT_EQ(saisie.EditLong->text(), "180.00");
  saisie.MaskEditLongH->setText("+12h00m01s");
  saisie.ConvertirLongitude();
  EXPECT_EQ(temoin.messages.last().texte, "La longitude en heures ne peut dépasser 12h00!");
  saisie.MaskEditDate->setText("01/01/2000");
  EXPECT_TRUE(saisie.TesterDate());
  saisie.MaskEditDate->editingFinished();
  EXPECT_EQ(saisie.LabelJour->text(), "Samedi");
  // Saving without a file chosen.
  saisie.EditNom->setText("X");
  saisie.EditLat->setText("48.52");
  saisie.EditFuseau->setText("0");
  saisie.EnregistrerDonnees();
  saisie.Sauver();
  EXPECT_EQ(temoin.messages.last().texte, "Veuillez d'abord sélectionner un fichier !");
}

TEST_F(SaisieTest, NavigateurRechercheSuppressionImpression) {
  RecrireFichierNaissance(dossier / "Groupe.thz", {Fiche("ALAIN,Luc"), Fiche("DUPONT,Jean"), Fiche("MARTIN,Paul")});
  const std::string sauvegardeAvant = "inchangée";
  std::ofstream(dossier / "Groupe.thr.bak") << sauvegardeAvant;
  bool listing = false;
  TFormLoadData navigateur(Dossier(), [&] { listing = true; }, [] {});
  ASSERT_EQ(navigateur.Fichiers()->count(), 1);
  navigateur.Charger("Groupe.thz");
  EXPECT_EQ(navigateur.GridData()->rowCount(), 3);
  navigateur.Rechercher("dup");
  EXPECT_EQ(navigateur.GridData()->currentRow(), 1);
  navigateur.Rechercher("zz");
  EXPECT_EQ(navigateur.GridData()->currentRow(), 2);
  navigateur.GridData()->setCurrentCell(0, 0);
  temoin.reponsesQuestions << true;
  navigateur.SupprimerFiche();
  EXPECT_EQ(temoin.messages.last().texte, "Voulez-vous effacer cette fiche :\r\n\r\nLuc ALAIN\r\n\r\n");
  EXPECT_EQ(LireFichierNaissance(dossier / "Groupe.thz").size(), 2u);
  for (int i = 0; i < 2; ++i) {
    navigateur.GridData()->setCurrentCell(0, 0);
    temoin.reponsesQuestions << true;
    navigateur.SupprimerFiche();
  }
  EXPECT_FALSE(fs::exists(dossier / "Groupe.thz"));
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Le fichier : Groupe.thz\r\n a été supprimé"));
  EXPECT_EQ(navigateur.Fichiers()->count(), 0);
  std::ifstream bak(dossier / "Groupe.thr.bak");
  std::string contenu((std::istreambuf_iterator<char>(bak)), {});
  EXPECT_EQ(contenu, sauvegardeAvant);

  // 78 records print on two pages.
  std::vector<FicheClient> beaucoup;
  for (int i = 0; i < 78; ++i) beaucoup.push_back(Fiche(("NOM" + std::to_string(100 + i)).c_str()));
  RecrireFichierNaissance(dossier / "Grand.thz", beaucoup);
  navigateur.Charger("Grand.thz");
  QPdfWriter pdf(QString::fromStdString((dossier / "liste.pdf").string()));
  QPainter p(&pdf);
  EXPECT_EQ(navigateur.ImprimerFichier(p, pdf.height(), [&] { pdf.newPage(); }), 2);
  p.end();
  navigateur.GridData()->setCurrentCell(5, 0);
  navigateur.Theme();
  EXPECT_TRUE(listing);
  EXPECT_EQ(Etat().FicheEnCours.Nom.Chaine(), "NOM105");
}

TEST(Planisphere, CoordonneesSousLePointeur) {
  // Screen 768 high: equator 424 pixels from the top, latitudes read up to 300 pixels away.
  Coordonnees c = CoordonneesPlanisphere(0, 424, 360, 768);
  EXPECT_NEAR(c.latitude, 0, 1e-9);
  EXPECT_NEAR(c.longitude, -168.5, 1e-9);
  c = CoordonneesPlanisphere(0, 0, 360, 768);
  EXPECT_NEAR(c.latitude, 70.56, 0.01);
  c = CoordonneesPlanisphere(360, 600, 360, 768);
  EXPECT_LT(c.latitude, 0);
  EXPECT_NEAR(c.longitude, -168.5, 1e-9);  // 191.5 east is 168.5 west
  EXPECT_EQ(TFormCarte::FichiersCartes().value(5), "Europe");
  EXPECT_EQ(TFormCarte::NomsCartes().value(1), QString::fromUtf8("Amérique Nord"));
}

TEST_F(SaisieTest, FenetreAtlasRendUneVille) {
  TFormConsultAtlas atlas(Dossier(), "", "", "");
  EXPECT_FALSE(atlas.Ok());
  EXPECT_EQ(temoin.messages.last().texte, "Veuillez sélectionner une ville ");
  atlas.Grille->Chercher("PEYRAT-LE-CH", 8);
  int ligne = -1;
  for (int l = 0; l < atlas.Grille->Lignes(); ++l)
    if (atlas.Grille->Ligne(l) && atlas.Grille->Ligne(l)->Ville.Utf8() == "Peyrat-le-Château") ligne = l;
  ASSERT_GE(ligne, 0);
  atlas.Grille->VilleChoisie(*atlas.Grille->Ligne(ligne));
  EXPECT_EQ(atlas.EditLat->text(), "45.49");
  EXPECT_TRUE(atlas.Ok());
}

TEST_F(SaisieTest, LeverMidiVraiEtEquationDuTemps) {
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  saisie.EditLat->setText("48.52");
  saisie.EditLong->setText("2.20");
  saisie.EditFuseau->setText("02.00.00");
  saisie.MaskEditDate->setText("21/06/2024");
  saisie.LeverDuSoleil();  // disc centre, no refraction: a few minutes after the almanac's 05:47
  EXPECT_EQ(saisie.MaskEditDate->text(), "21/06/2024");
  EXPECT_GE(saisie.MaskEditHeure->text(), "05h45");
  EXPECT_LE(saisie.MaskEditHeure->text(), "05h58");
  saisie.MidiVrai();
  EXPECT_TRUE(saisie.EditNom->text().startsWith("Durée jour  15h") || saisie.EditNom->text().startsWith("Durée jour  16h"))
      << saisie.EditNom->text().toStdString();
  EXPECT_TRUE(saisie.MaskEditHeure->text().startsWith("13h5"));  // true noon in Paris, summer time
  saisie.MaskEditDate->setText("03/11/2024");
  saisie.MaskEditHeure->setText("12h00");
  saisie.EquationDuTemps();
  EXPECT_TRUE(saisie.Edit1->text().startsWith(" 16m")) << saisie.Edit1->text().toStdString();  // its yearly maximum
}

namespace {

// Clicks into a masked field, types over it from its start, and leaves it with Tab.
void TaperPuisTab(QLineEdit* champ, const char* chiffres) {
  QTest::mouseClick(champ, Qt::LeftButton);
  QTest::keyClick(champ, Qt::Key_Home);
  QTest::keyClicks(champ, chiffres);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
}

QPushButton* Bouton(QWidget& fenetre, const char* titre) {
  for (QPushButton* b : fenetre.findChildren<QPushButton*>())
    if (b->text() == titre) return b;
  return nullptr;
}

}  // namespace

// New York picked in the grid, then only the date changed and the time tabbed
// through: the zone follows the date; a time shown twice is named; "Effacer"
// leaves no stale source.
TEST_F(SaisieTest, FuseauSuitLaDateTapee) {
  fs::copy_file(fs::path(SELVANE_BIN_DIR) / "États-Unis d'Amérique.cty", dossier / "États-Unis d'Amérique.cty");
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  saisie.show();
  saisie.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&saisie));
  saisie.Pays->setCurrentIndex(saisie.Pays->findText(QString::fromUtf8("États-Unis d'Amérique")));
  QTest::mouseClick(saisie.Recherche, Qt::LeftButton);
  QTest::keyClicks(saisie.Recherche, "new york");
  QTableWidget* grille = saisie.Atlas->Table();
  int ligne = -1;
  for (int l = 0; l < saisie.Atlas->Lignes() && ligne < 0; ++l)
    if (saisie.Atlas->Ligne(l) && saisie.Atlas->Ligne(l)->Ville.Utf8() == "New York City") ligne = l;
  ASSERT_GE(ligne, 0);
  QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualRect(grille->model()->index(ligne, 0)).center());
  ASSERT_EQ(saisie.EditVille->text(), "New York City");

  TaperPuisTab(saisie.MaskEditDate, "15061945");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // through the time, unchanged
  EXPECT_EQ(saisie.EditFuseau->text(), "-04.00.00");          // war time
  TaperPuisTab(saisie.MaskEditDate, "15121945");
  ASSERT_EQ(QApplication::focusWidget(), saisie.MaskEditHeure);
  QTest::keyClick(saisie.MaskEditHeure, Qt::Key_Tab);
  EXPECT_EQ(saisie.EditFuseau->text(), "-05.00.00");
  EXPECT_EQ(saisie.Edit1->text(), "America/New_York, EST, heure d'hiver");
  EXPECT_TRUE(saisie.Edit1->isVisible());

  // 1h30 came twice on 3 November 2024; the one taken is said, the other offered.
  temoin.messages.clear();
  TaperPuisTab(saisie.MaskEditDate, "15072024");
  EXPECT_EQ(saisie.Edit1->text(), "America/New_York, EDT, heure d'été");
  TaperPuisTab(saisie.MaskEditDate, "03112024");
  TaperPuisTab(saisie.MaskEditHeure, "0130");
  EXPECT_EQ(saisie.EditFuseau->text(), "-05.00.00");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "avertissement");
  EXPECT_EQ(temoin.messages[0].texte,
            QString::fromUtf8("L'heure 01h30 du 03/11/2024 a existé deux fois (America/New_York) : d'abord au fuseau "
                              "-04.00.00, puis au fuseau -05.00.00.\r\nLe fuseau -05.00.00 a été retenu ; tapez "
                              "-04.00.00 dans le champ du fuseau s'il s'agit de l'autre."));
  // The user types the other offset: kept, and no second message on leaving the time again.
  QTest::mouseClick(saisie.EditFuseau, Qt::LeftButton);
  saisie.EditFuseau->selectAll();
  QTest::keyClicks(saisie.EditFuseau, "-04.00.00");
  QTest::mouseClick(saisie.MaskEditHeure, Qt::LeftButton);
  QTest::keyClick(saisie.MaskEditHeure, Qt::Key_Tab);
  EXPECT_EQ(saisie.EditFuseau->text(), "-04.00.00");
  EXPECT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(saisie.Edit1->text(), "");  // the typed zone no longer comes from the database
  TaperPuisTab(saisie.MaskEditDate, "15071944");
  EXPECT_EQ(saisie.Edit1->text(), "America/New_York, EWT, heure d'été");
  QPushButton* tu = Bouton(saisie, "TU");
  ASSERT_TRUE(tu);
  QTest::mouseClick(tu, Qt::LeftButton);
  EXPECT_EQ(saisie.EditFuseau->text(), "0");
  EXPECT_EQ(saisie.Edit1->text(), "");

  // "Effacer": now, and the source of now's zone, not the one of before.
  QTest::mouseClick(saisie.EditFuseau, Qt::LeftButton);
  saisie.EditFuseau->selectAll();
  QTest::keyClicks(saisie.EditFuseau, "-05.00.00");
  TaperPuisTab(saisie.MaskEditDate, "15071945");
  EXPECT_EQ(saisie.Edit1->text(), "America/New_York, EWT, heure d'été");
  QPushButton* effacer = Bouton(saisie, "Effacer");
  ASSERT_TRUE(effacer);
  QTest::mouseClick(effacer, Qt::LeftButton);
  const QString d = saisie.MaskEditDate->text(), h = saisie.MaskEditHeure->text();
  EXPECT_EQ(d, QDate::currentDate().toString("dd/MM/yyyy"));
  const Regime maintenant = ChercherRegimeFromDate(dossier, *LireFuseauActuel(dossier, "America/New_York"),
                                                   d.mid(0, 2).toInt(), d.mid(3, 2).toInt(), d.mid(6, 4).toInt(),
                                                   h.mid(0, 2).toInt(), h.mid(3, 2).toInt(),
                                                   saisie.MaskEditSecondes->text().toInt());
  EXPECT_EQ(saisie.Edit1->text(), QString::fromStdString(SourceDuRegime(maintenant)));
  EXPECT_EQ(saisie.EditFuseau->text(), QString::fromStdString(maintenant.texte));
}
