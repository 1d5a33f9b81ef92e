#include <gtest/gtest.h>
#include <optional>

#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "tests/support/VerifierFiches.h"
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/FichierNaissance.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"
#include "manager/TMainForm.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

// A column with only its caption, the rest as the grid's defaults.
ColonneGrille ColonneTitree(const char* titre) {
  ColonneGrille c;
  c.titre = titre;
  return c;
}

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

FicheClient Fiche(const char* nom, const char* date = "07/03/1952") {
  return FicheDeTest(nom).Date(date).Commentaire("").AvecCle();
}

std::string Octets(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), {});
}

class GestionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    programme_.emplace("selvane_gestion");
    dossier = programme_->Chemin();
    SimulerPanneEcriture(0);
    fenetre = new gestion::TMainForm(QString::fromStdString(dossier.string()));
  }
  void TearDown() override {
    delete fenetre;
    SimulerPanneEcriture(0);
    programme_.reset();
  }
  void Ouvrir(const char* nom) {
    fenetre->OuvrirFichier();
    fenetre->Charger(nom);
  }
  std::vector<std::string> Noms(const char* fichier) {
    std::vector<std::string> n;
    for (const auto& f : LireFichierNaissance(dossier / fichier)) n.push_back(f.Nom.Chaine());
    return n;
  }
  // What a user does: menu commands, buttons, double clicks, keys.
  void Menu(const char* texte) {
    for (QAction* a : fenetre->findChildren<QAction*>())
      if (a->text() == QString::fromUtf8(texte)) return a->trigger();
    ADD_FAILURE() << "no command " << texte;
  }
  void Cliquer(const char* texte) {
    for (QPushButton* b : fenetre->findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(texte) && b->isVisible()) return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no visible button " << texte;
  }
  void DoubleCliquer(QListWidget* liste, const QString& texte) {
    const auto trouves = liste->findItems(texte, Qt::MatchExactly);
    ASSERT_FALSE(trouves.isEmpty()) << texte.toStdString();
    const QPoint ou = liste->visualItemRect(trouves[0]).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, ou);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, ou);
  }
  void CliquerCellule(int ligne, int colonne) {
    gestion::VueFiches* t = fenetre->Table();
    t->scrollTo(t->model()->index(ligne, colonne));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(ligne, colonne)).center());
  }
  // A cell editor open in the table.
  bool EnEdition() const {
    for (QLineEdit* e : fenetre->Table()->viewport()->findChildren<QLineEdit*>())
      if (e->isVisible()) return true;
    return false;
  }
  void Montrer() {
    fenetre->resize(1400, 900);
    fenetre->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre));
  }
  void VerifierFichier(const char* fichier, const std::vector<FicheClient>& attendues) {
    VerifierFiches(LireFichierNaissance(dossier / fichier), attendues, fichier);
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  gestion::TMainForm* fenetre = nullptr;
};

}  // namespace

TEST_F(GestionTest, ChargerEtSauverTrieSansPerteNiDoublon) {
  RecrireFichierNaissance(dossier / "Clients.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc"), Fiche("ZOLA,Emile"),
                                                    Fiche("DURAND,Anne")});
  Ouvrir("Clients.thz");
  EXPECT_EQ(fenetre->Table()->rowCount(), 4);
  EXPECT_EQ(fenetre->Table()->Texte(0, 0), "1");
  EXPECT_EQ(fenetre->Table()->Texte(0, 9), "MARTINPAUL");
  fenetre->SauverFichier();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Fichier sauvé "));
  EXPECT_EQ(Noms("Clients.thz"), (std::vector<std::string>{"ALAIN,Luc", "DURAND,Anne", "MARTIN,Paul", "ZOLA,Emile"}));

  temoin.messages.clear();
  fenetre->OuvrirFichier();
  EXPECT_EQ(temoin.messages.value(0).texte, "Fermez d'abord le fichier en cours");
}

TEST_F(GestionTest, FusionEtDoublons) {
  RecrireFichierNaissance(dossier / "a.thz", {Fiche("DUPONT,Jean"), Fiche("MARTIN,Paul"), Fiche("ZOLA,Emile")});
  RecrireFichierNaissance(dossier / "B.thz", {Fiche("Dupont,Jean", "01/01/2000"), Fiche("ZOLA,Emile"), Fiche("ZOLA, Emile")});
  fenetre->FusionFichiers();
  ASSERT_EQ(fenetre->ListeFusion()->count(), 2);
  EXPECT_EQ(fenetre->ListeFusion()->item(0)->text(), "B.THZ");
  EXPECT_EQ(fenetre->ListeFusion()->item(1)->text(), "A.THZ");
  fenetre->ImporterFichiers();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Vous n'avez sélectionné aucun fichier !"));
  fenetre->CocherTout(true);
  fenetre->ImporterFichiers();  // the files are read under their own names, not the capitals shown
  EXPECT_EQ(fenetre->Table()->rowCount(), 6);
  // DUPONT twice, ZOLA three times (one of them at the very end).
  EXPECT_EQ(fenetre->EliminerDoublons(), 3);
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Nombre de fiches effacées : 3"));
  EXPECT_EQ(fenetre->Table()->rowCount(), 3);
  fenetre->Valider();
  temoin.reponsesSaisies << "" << "Fusion";
  fenetre->EnregistrerFusion();
  EXPECT_EQ(temoin.messages.last().texte, "Fichier enregistré sous le nom de : Fusion.thz");
  EXPECT_EQ(Noms("Fusion.thz").size(), 3u);
}

TEST_F(GestionTest, TransfertEtControles) {
  RecrireFichierNaissance(dossier / "Clients.thz", {Fiche("MARTIN,Paul")});
  Ouvrir("Clients.thz");
  fenetre->SelectionnerCellule(0, 1);
  EXPECT_EQ(fenetre->Champ(1)->text(), "MARTIN,Paul");
  fenetre->Champ(5)->setText("70.00");
  fenetre->Transferer();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Latitude : 70.00 :  valeur supérieure à 66° !"));
  fenetre->Champ(5)->setText("45.60");
  fenetre->Transferer();
  EXPECT_EQ(temoin.messages.last().texte,
            QString::fromUtf8("Latitude : 45.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"));
  fenetre->Champ(5)->setText("45.30");
  fenetre->Champ(1)->setText("Élise,Anne");
  fenetre->Champ(8)->setText("");
  fenetre->Transferer();
  EXPECT_EQ(fenetre->Table()->Texte(0, 9), "ELISEANNE");
  EXPECT_TRUE(fenetre->Table()->Texte(0, 8).startsWith(QString::fromUtf8("modifié le ")));
  // Quitting after an edit asks; "Non" leaves the file as it was.
  const std::string avant = Octets(dossier / "Clients.thz");
  temoin.messages.clear();
  temoin.reponsesTroisVoies << Reponse::Non;
  fenetre->Quitter();
  EXPECT_EQ(temoin.messages.value(0).texte, "Enregistrer les modifications ?");
  EXPECT_EQ(Octets(dossier / "Clients.thz"), avant);
}

TEST_F(GestionTest, UnePanneDEcritureLaisseLeFichierIntact) {
  RecrireFichierNaissance(dossier / "Clients.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")});
  const std::string avant = Octets(dossier / "Clients.thz");
  Ouvrir("Clients.thz");
  SimulerPanneEcriture(1);
  fenetre->SauverFichier();
  EXPECT_EQ(temoin.messages.last().genre, "erreur");
  EXPECT_EQ(Octets(dossier / "Clients.thz"), avant);
  EXPECT_EQ(fenetre->Table()->rowCount(), 2);  // the table is kept for another try
  SimulerPanneEcriture(0);
  fenetre->TrierFichier();
  temoin.reponsesTroisVoies << Reponse::Oui;
  fenetre->FermerLaListe();
  EXPECT_EQ(Noms("Clients.thz"), (std::vector<std::string>{"ALAIN,Luc", "MARTIN,Paul"}));
  EXPECT_FALSE(fenetre->FichierOuvert());
  EXPECT_EQ(fenetre->Table()->rowCount(), 0);
}

TEST(GrilleTexte, TriRechercheEtDisposition) {
  Application();
  GrilleTexte grille;
  grille.DefinirColonnes({ColonneTitree("A"), ColonneTitree("B")});
  for (const char* t : {"delta", "Alpha", "charlie", "bravo"}) grille.AjouterLigne({t, QString::number(std::strlen(t))});
  grille.DefinirOrdre(0, OrdreTri::Croissant);
  auto comparer = [&](const QStringList& a, const QStringList& b) {
    const int r = ComparerSansCasse(a[0], b[0]);
    return grille.Colonne(0).ordre == OrdreTri::Decroissant ? -r : r;
  };
  grille.Trier(comparer);
  EXPECT_EQ(grille.Texte(0, 0), "Alpha");
  EXPECT_EQ(grille.Texte(3, 0), "delta");
  EXPECT_EQ(grille.Chercher(0, "CH"), 2);
  EXPECT_EQ(grille.Chercher(0, "zz"), 4);
  grille.DefinirOrdre(0, OrdreTri::Decroissant);
  grille.Trier(comparer);
  EXPECT_EQ(grille.Texte(0, 0), "delta");

  grille.DefinirLargeur(1, 0);
  const QString disposition = grille.Disposition();
  EXPECT_TRUE(disposition.startsWith("[Columns]\r\n"));
  EXPECT_TRUE(disposition.contains("[Column:1]\r\nIndex=1\r\nCaption=B\r\n"));
  GrilleTexte autre;
  autre.DefinirColonnes({ColonneTitree("x"), ColonneTitree("y")});
  autre.RestaurerDisposition(disposition);
  EXPECT_EQ(autre.Colonne(0).titre, "A");
  EXPECT_EQ(autre.Colonne(0).ordre, OrdreTri::Decroissant);
  EXPECT_EQ(autre.Colonne(1).largeur, 0);
  EXPECT_TRUE(autre.isColumnHidden(1));
}

// Hostile text typed into each field of the edit panel, then " Transférer les
// modifications" and a save: no crash, the field's message, and no record on
// disk with a date or time the checks refuse or a line end in a text.
TEST_F(GestionTest, TexteHostileDansLePanneauDEdition) {
  struct Cas {
    int colonne;
    QString texte;
    const char* message;
  };
  std::vector<Cas> cas;
  for (int c = 1; c <= 8; ++c)
    for (const QString& t : TextesHostiles()) cas.push_back({c, t, nullptr});
  cas.push_back({2, "31/04/2024", "31/04/2024 : date incorrecte"});
  cas.push_back({2, "01/01/5400", "01/01/5400 : date incorrecte"});
  cas.push_back({3, "24h00m00", "24h00m00 : heure incorrecte"});
  cas.push_back({3, "14h05m99", "14h05m99 : heure incorrecte"});
  cas.push_back({5, "66.01", "Latitude : 66.01 :  valeur supérieure à 66° !"});
  cas.push_back({6, "180.01", "Longitude : 180.01 :  valeur incorrecte !"});
  fenetre->show();
  for (const Cas& c : cas) {
    const std::string contexte = std::to_string(c.colonne) + " <" + c.texte.left(20).toStdString() + ">";
    RecrireFichierNaissance(dossier / "Clients.thz", {Fiche("MARTIN,Paul")});
    Ouvrir("Clients.thz");
    fenetre->SelectionnerCellule(0, 1);
    temoin.messages.clear();
    Remplir(fenetre->Champ(c.colonne), c.texte, c.message != nullptr);
    QTest::mouseClick(Bouton(fenetre, QString::fromUtf8("Transférer les modifications")), Qt::LeftButton);
    if (c.message) {
      ASSERT_FALSE(temoin.messages.isEmpty()) << contexte;
      EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8(c.message)) << contexte;
    }
    fenetre->SauverFichier();
    for (const FicheClient& f : LireFichierNaissance(dossier / "Clients.thz")) {
      EXPECT_TRUE(DateValide(f.Date.Texte())) << contexte << " " << f.Date.Chaine();
      EXPECT_TRUE(HeureValide(f.Heure.Texte())) << contexte << " " << f.Heure.Chaine();
      for (std::string_view t : {f.Nom.Texte(), f.Ville.Texte(), f.Commentaire.Texte(), f.Lat.Texte(),
                                 f.Long.Texte(), f.Fuseau.Texte()})
        EXPECT_EQ(t.find_first_of("\r\n"), std::string_view::npos) << contexte;
    }
  }
}

// Open, save, merge, save the merge, close, quit: no file is ever rewritten from an
// emptied table, and the merge asks before replacing a file.
TEST_F(GestionTest, UneFusionEnregistreeNeVideAucunFichier) {
  const std::vector<FicheClient> a = {Fiche("ALAIN,Luc"), Fiche("MARTIN,Paul")};
  const std::vector<FicheClient> b = {Fiche("DURAND,Anne"), Fiche("ZOLA,Emile")};
  RecrireFichierNaissance(dossier / "A.thz", a);
  RecrireFichierNaissance(dossier / "B.thz", b);
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "A.thz");
  Menu("Sauver Fichier");
  Cliquer("Fusion fichiers");
  Cliquer("Tout sélectionner");
  Cliquer("Importer les fichiers");
  EXPECT_EQ(fenetre->Table()->rowCount(), 4);
  Cliquer("Valider");
  temoin.reponsesSaisies << "Fusion2";
  Cliquer("Enregistrer le fichier de fusion ");
  EXPECT_EQ(temoin.messages.last().texte, "Fichier enregistré sous le nom de : Fusion2.thz");
  Menu("Fermer la liste");
  Menu("Quitter");
  const std::vector<FicheClient> tout = {a[0], b[0], a[1], b[1]};
  VerifierFichier("Fusion2.thz", tout);
  VerifierFichier("A.thz", a);
  VerifierFichier("B.thz", b);

  // Again under the same name: asked first; No leaves the file as it is.
  fenetre->show();
  Cliquer("Fusion fichiers");
  fenetre->CocherTout(false);
  fenetre->ListeFusion()->item(0)->setCheckState(Qt::Checked);  // A.THZ
  Cliquer("Importer les fichiers");
  Cliquer("Valider");
  temoin.messages.clear();
  temoin.reponsesSaisies << "Fusion2";
  temoin.reponsesQuestions << false;
  Cliquer("Enregistrer le fichier de fusion ");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Le fichier Fusion2.thz existe déjà. Voulez-vous le remplacer ?"));
  VerifierFichier("Fusion2.thz", tout);
  // "Vider tableau" after opening a file: closing the list afterwards keeps the file whole.
  Menu("Fermer la liste");
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "B.thz");
  Menu("Sauver Fichier");
  Cliquer("Fusion fichiers");
  Cliquer("Vider tableau");
  Cliquer("Valider");
  Menu("Fermer la liste");
  Menu("Quitter");
  VerifierFichier("B.thz", b);
}

// "+" and "-" on a selected cell add and delete rows instead of editing the cell;
// the new row's panel holds nothing of the previous person.
TEST_F(GestionTest, TouchesPlusEtMoinsEtNouvelleLigne) {
  FicheClient f = Fiche("MARTIN,Paul");
  f.Commentaire = "client";
  RecrireFichierNaissance(dossier / "Clients.thz", {f, Fiche("ZOLA,Emile")});
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "Clients.thz");
  CliquerCellule(0, 1);
  EXPECT_EQ(fenetre->Champ(1)->text(), "MARTIN,Paul");
  QTest::keyClick(fenetre->Table(), Qt::Key_Plus);
  EXPECT_FALSE(EnEdition());
  ASSERT_EQ(fenetre->Table()->rowCount(), 3);
  EXPECT_EQ(fenetre->Table()->Texte(0, 1), "MARTIN,Paul");
  EXPECT_EQ(fenetre->Table()->Texte(2, 1), QString::fromUtf8("Complétez "));
  EXPECT_EQ(fenetre->Champ(1)->text(), "");
  EXPECT_EQ(fenetre->Champ(4)->text(), "");
  EXPECT_EQ(fenetre->Champ(8)->text(), "");
  EXPECT_EQ(fenetre->Champ(5)->text(), "0");
  EXPECT_EQ(fenetre->Champ(3)->text(), "00h00m00");

  CliquerCellule(0, 1);
  temoin.reponsesQuestions << true;
  QTest::keyClick(fenetre->Table(), Qt::Key_Minus);
  EXPECT_EQ(temoin.messages.last().texte, "Voulez-vous supprimer cette ligne ?");
  EXPECT_FALSE(EnEdition());
  ASSERT_EQ(fenetre->Table()->rowCount(), 2);
  EXPECT_EQ(fenetre->Table()->Texte(0, 1), "ZOLA,Emile");
  EXPECT_EQ(fenetre->Table()->Texte(0, 0), "1");
}

// The manager checks dates and times exactly as the entry window does.
TEST_F(GestionTest, DatesEtHeuresControleesCommeALaSaisie) {
  RecrireFichierNaissance(dossier / "Clients.thz", {Fiche("MARTIN,Paul")});
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "Clients.thz");
  CliquerCellule(0, 1);
  const struct {
    const char* date;
    const char* heure;
    const char* message;
  } cas[] = {{"31021990", "14h05m30", "31/02/1990 : date incorrecte"},
             {"29022001", "14h05m30", "29/02/2001 : date incorrecte"},
             {"07031952", "2405m30", "24h05m30 : heure incorrecte"},
             {"07031952", "1460m00", "14h60m00 : heure incorrecte"}};
  for (const auto& c : cas) {
    for (auto [colonne, texte] : {std::pair{2, c.date}, {3, c.heure}}) {
      QLineEdit* champ = fenetre->Champ(colonne);
      champ->setFocus();
      champ->selectAll();
      QTest::keyClick(champ, Qt::Key_Home);
      QTest::keyClicks(champ, texte);
    }
    temoin.messages.clear();
    Cliquer(" Transférer les modifications");
    ASSERT_EQ(temoin.messages.size(), 1) << c.message;
    EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8(c.message));
    EXPECT_EQ(fenetre->Table()->Texte(0, 2), "07/03/1952");
    EXPECT_EQ(fenetre->Table()->Texte(0, 3), "14h05m30");
  }
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), "GestSelvane");
  EXPECT_TRUE(fenetre->windowTitle().contains("GestSelvane"));
}

// A new user goes through every command; each birth file ends with exactly the
// records kept: the one added, none of the one deleted, the merge without its duplicate.
TEST_F(GestionTest, ToutesLesCommandesFicheParFiche) {
  const std::vector<FicheClient> a = {Fiche("ALAIN,Luc"), Fiche("DUPONT,Jean"), Fiche("MARTIN,Paul")};
  const std::vector<FicheClient> b = {Fiche("DUPONT,Jean"), Fiche("ZOLA,Emile")};
  RecrireFichierNaissance(dossier / "A.thz", a);
  RecrireFichierNaissance(dossier / "B.thz", b);
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "A.thz");
  // A new person through "+" and the panel.
  CliquerCellule(2, 1);
  QTest::keyClick(fenetre->Table(), Qt::Key_Plus);
  const struct {
    int champ;
    const char* texte;
  } saisies[] = {{1, "BERNARD,Marie"}, {2, "01021980"}, {3, "0930" "00"}, {4, "Lyon"}, {5, "45.45"},
                 {6, "4.51"}, {7, "01.00.00"}, {8, "cliente"}};
  for (const auto& s : saisies) {
    QLineEdit* champ = fenetre->Champ(s.champ);
    champ->setFocus();
    champ->selectAll();
    QTest::keyClick(champ, Qt::Key_Delete);
    QTest::keyClick(champ, Qt::Key_Home);
    QTest::keyClicks(champ, s.texte);
  }
  Cliquer(" Transférer les modifications");
  // DUPONT deleted with the Delete key.
  QTest::keyClicks(fenetre->Recherche(), "dup");
  EXPECT_EQ(fenetre->Table()->currentRow(), 1);
  CliquerCellule(1, 1);
  temoin.reponsesQuestions << true;
  QTest::keyClick(fenetre->Table(), Qt::Key_Delete);
  Menu("Trier fichier");
  Menu("Sauver Fichier");
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Fichier sauvé "));
  Menu("Fermer la liste");
  FicheClient bernard = Fiche("BERNARD,Marie", "01/02/1980");
  bernard.Heure = "09h30m00";
  bernard.Ville = "Lyon";
  bernard.Lat = "45.45";
  bernard.Long = "4.51";
  bernard.Commentaire = "cliente";
  const std::vector<FicheClient> aApres = {a[0], bernard, a[2]};
  VerifierFichier("A.thz", aApres);

  // The merge: every panel command.
  Cliquer("Fusion fichiers");
  Cliquer("Tout sélectionner");
  Cliquer("Tout désélectionner");
  temoin.messages.clear();
  Cliquer("Importer les fichiers");
  EXPECT_EQ(temoin.messages.value(0).texte, QString::fromUtf8("Vous n'avez sélectionné aucun fichier !"));
  Cliquer("Tout sélectionner");
  Cliquer("Importer les fichiers");
  Cliquer("Trier le fichier fusionné");
  Cliquer("Eliminer doublons");
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Nombre de fiches effacées : 0"));
  Cliquer("Valider");
  temoin.reponsesSaisies << "Tous";
  Cliquer("Enregistrer le fichier de fusion ");
  Menu("Quitter");
  VerifierFichier("Tous.thz", {a[0], bernard, b[0], a[2], b[1]});
  VerifierFichier("A.thz", aApres);
  VerifierFichier("B.thz", b);
}

namespace {

// Runs as an ordinary user while alive, so file modes are enforced even when the tests run as
// root; nothing changes for a user who is not root.
class CommeUtilisateur {
 public:
  CommeUtilisateur() : root_(::geteuid() == 0) {
    if (root_ && ::seteuid(65534) != 0) root_ = false;
  }
  ~CommeUtilisateur() {
    if (root_) (void)::seteuid(0);
  }
  CommeUtilisateur(const CommeUtilisateur&) = delete;
  CommeUtilisateur& operator=(const CommeUtilisateur&) = delete;

 private:
  bool root_;
};

}  // namespace

// A file that could not be read is not the current file: closing the list, saving or quitting
// afterwards never writes the empty table over it.
TEST_F(GestionTest, UnFichierIllisibleNEstJamaisEcrase) {
  const std::vector<FicheClient> clients = {Fiche("ALAIN,Luc"), Fiche("DURAND,Anne"), Fiche("MARTIN,Paul"),
                                            Fiche("PETIT,Lea"), Fiche("ZOLA,Emile")};
  RecrireFichierNaissance(dossier / "X.thz", clients);
  fs::permissions(dossier / "X.thz", fs::perms::none);
  Montrer();
  Menu("Ouvrir fichier de naissances");
  {
    CommeUtilisateur utilisateur;
    DoubleCliquer(fenetre->ListeFichiers(), "X.thz");
  }
  EXPECT_EQ(temoin.messages.last().genre, "erreur");
  EXPECT_TRUE(temoin.messages.last().texte.startsWith(QString::fromUtf8("Accès refusé")));
  EXPECT_TRUE(fenetre->FichierCourant().isEmpty());
  Menu("Sauver Fichier");
  Menu("Fermer la liste");
  Menu("Quitter");
  fs::permissions(dossier / "X.thz", fs::perms::owner_read | fs::perms::owner_write);
  VerifierFichier("X.thz", clients);
}

// "Transférer les modifications" writes the highlighted record, however it became highlighted:
// a search, the arrow keys, an inserted row.
TEST_F(GestionTest, LeTransfertEcritLaLigneCourante) {
  const std::vector<FicheClient> clients = {Fiche("ALAIN,Luc"), Fiche("DUBOIS,Marc"), Fiche("MARTIN,Paul")};
  RecrireFichierNaissance(dossier / "C.thz", clients);
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
  const auto commenter = [&](const char* texte) {
    Remplir(fenetre->Champ(8), QString::fromUtf8(texte));
    Cliquer(" Transférer les modifications");
  };
  CliquerCellule(2, 1);
  QTest::keyClicks(fenetre->Recherche(), "dub");
  EXPECT_EQ(fenetre->Champ(1)->text(), "DUBOIS,Marc");
  commenter("par la recherche");
  EXPECT_EQ(fenetre->Table()->Texte(1, 8), "par la recherche");
  EXPECT_EQ(fenetre->Table()->Texte(2, 8), "");

  CliquerCellule(0, 1);
  QTest::keyClick(fenetre->Table(), Qt::Key_Down);
  QTest::keyClick(fenetre->Table(), Qt::Key_Down);
  EXPECT_EQ(fenetre->Champ(1)->text(), "MARTIN,Paul");
  commenter("par les touches");
  EXPECT_EQ(fenetre->Table()->Texte(2, 8), "par les touches");
  EXPECT_EQ(fenetre->Table()->Texte(1, 8), "par la recherche");

  // An inserted row is the current one: the panel shows it empty, so its transfer fills it
  // and the record it pushed down stays as it was.
  CliquerCellule(1, 1);
  fenetre->InsererLigne();
  EXPECT_EQ(fenetre->Table()->currentRow(), 1);
  EXPECT_EQ(fenetre->Champ(1)->text(), "");
  Remplir(fenetre->Champ(1), "BERNARD,Marie");
  Remplir(fenetre->Champ(2), "01021980");
  Remplir(fenetre->Champ(3), "093000");
  Remplir(fenetre->Champ(5), "45.45");
  Remplir(fenetre->Champ(6), "4.51");
  commenter("nouvelle");
  temoin.reponsesTroisVoies << Reponse::Oui;
  Menu("Fermer la liste");
  const std::vector<std::string> attendus = {"ALAIN,Luc", "BERNARD,Marie", "DUBOIS,Marc", "MARTIN,Paul"};
  EXPECT_EQ(Noms("C.thz"), attendus);
  EXPECT_EQ(LireFichierNaissance(dossier / "C.thz")[2].Commentaire.Chaine(), "par la recherche");
}

// Cells are read only: a date typed over a cell goes nowhere, the panel is the one way in.
TEST_F(GestionTest, LesCellulesNeSeModifientPas) {
  RecrireFichierNaissance(dossier / "C.thz", {Fiche("MARTIN,Paul")});
  const std::string avant = Octets(dossier / "C.thz");
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
  GestionTest::CliquerCellule(0, 2);
  QTest::mouseDClick(fenetre->Table()->viewport(), Qt::LeftButton, {},
                     fenetre->Table()->visualRect(fenetre->Table()->model()->index(0, 2)).center());
  QTest::keyClicks(fenetre->Table(), "32/13/19xx");
  QTest::keyClick(fenetre->Table(), Qt::Key_F2);
  QTest::keyClicks(fenetre->Table(), "ZOLA");
  QTest::keyClick(fenetre->Table(), Qt::Key_Return);
  EXPECT_FALSE(EnEdition());
  EXPECT_EQ(fenetre->Table()->Texte(0, 2), "07/03/1952");
  EXPECT_FALSE(fenetre->Carnet().Modifie());
  Menu("Fermer la liste");
  EXPECT_EQ(Octets(dossier / "C.thz"), avant);
}

// A read-only birth file is refused before anything is written, with the file named.
TEST_F(GestionTest, UnFichierEnLectureSeuleEstRefuse) {
  RecrireFichierNaissance(dossier / "R.thz", {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")});
  const fs::perms lecture = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(dossier / "R.thz", lecture);
  const std::string avant = Octets(dossier / "R.thz");
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "R.thz");
  Menu("Trier fichier");
  temoin.messages.clear();
  Menu("Sauver Fichier");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_TRUE(temoin.messages[0].texte.contains(QString::fromUtf8("Accès refusé")));
  EXPECT_TRUE(temoin.messages[0].texte.contains("R.thz"));
  EXPECT_EQ(Octets(dossier / "R.thz"), avant);
  EXPECT_EQ(fs::status(dossier / "R.thz").permissions() & fs::perms::all, lecture);
  EXPECT_TRUE(fenetre->Carnet().Modifie());  // still there to be saved elsewhere
}

// Every way of leaving a modified table asks first, and each answer does what it says.
TEST_F(GestionTest, DemanderAvantDePerdreDesModifications) {
  const std::vector<FicheClient> clients = {Fiche("MARTIN,Paul"), Fiche("ALAIN,Luc")};
  const std::vector<FicheClient> tries = {clients[1], clients[0]};
  enum Action { Echap, Quitter, Fermer, FermerFenetre };
  const struct {
    Action action;
    Reponse reponse;
    bool resteOuvert;
    bool ecrit;
  } cas[] = {
      {Echap, Reponse::Annuler, true, false},        {Echap, Reponse::Non, false, false},
      {Echap, Reponse::Oui, false, true},            {Quitter, Reponse::Annuler, true, false},
      {Quitter, Reponse::Oui, false, true},          {Fermer, Reponse::Annuler, true, false},
      {Fermer, Reponse::Non, false, false},          {Fermer, Reponse::Oui, false, true},
      {FermerFenetre, Reponse::Annuler, true, false}, {FermerFenetre, Reponse::Non, false, false},
  };
  for (const auto& c : cas) {
    const std::string contexte = std::to_string(c.action) + "/" + std::to_string(static_cast<int>(c.reponse));
    RecrireFichierNaissance(dossier / "C.thz", clients);
    delete fenetre;
    fenetre = new gestion::TMainForm(QString::fromStdString(dossier.string()));
    Montrer();
    Menu("Ouvrir fichier de naissances");
    DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
    Menu("Trier fichier");
    temoin.messages.clear();
    temoin.reponsesTroisVoies = {c.reponse};
    switch (c.action) {
      case Echap: QTest::keyClick(fenetre->Table(), Qt::Key_Escape); break;
      case Quitter: Menu("Quitter"); break;
      case Fermer: Menu("Fermer la liste"); break;
      case FermerFenetre: fenetre->close(); break;
    }
    ASSERT_EQ(temoin.messages.size(), 1) << contexte;
    EXPECT_EQ(temoin.messages[0].texte, "Enregistrer les modifications ?") << contexte;
    const bool resteOuvert = c.action == Fermer ? fenetre->FichierOuvert() : fenetre->isVisible();
    EXPECT_EQ(resteOuvert, c.resteOuvert) << contexte;
    VerifierFiches(LireFichierNaissance(dossier / "C.thz"), c.ecrit ? tries : clients, contexte);
  }
  // Nothing changed: nothing asked.
  temoin.messages.clear();
  RecrireFichierNaissance(dossier / "C.thz", tries);
  delete fenetre;
  fenetre = new gestion::TMainForm(QString::fromStdString(dossier.string()));
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
  fenetre->close();
  EXPECT_TRUE(temoin.messages.isEmpty());
}

// A merge not yet saved is not dropped by opening a file: "Oui" saves it under a name.
TEST_F(GestionTest, UneFusionNonEnregistreeEstProposeeALEnregistrement) {
  RecrireFichierNaissance(dossier / "A.thz", {Fiche("ALAIN,Luc")});
  RecrireFichierNaissance(dossier / "B.thz", {Fiche("ZOLA,Emile")});
  Montrer();
  Cliquer("Fusion fichiers");
  Cliquer("Tout sélectionner");
  Cliquer("Importer les fichiers");
  Cliquer("Valider");
  Menu("Ouvrir fichier de naissances");
  temoin.reponsesTroisVoies << Reponse::Oui;
  temoin.reponsesSaisies << "../Evasion";  // cleaned: no way out of the program folder
  DoubleCliquer(fenetre->ListeFichiers(), "A.thz");
  EXPECT_FALSE(fs::exists(dossier.parent_path() / "Evasion.thz"));
  VerifierFichier("   Evasion.thz", {Fiche("ALAIN,Luc"), Fiche("ZOLA,Emile")});
  EXPECT_EQ(fenetre->FichierCourant().toStdString(), (dossier / "A.thz").string());
}

// Started without a folder, GestSelvane works in its own program folder, not the caller's.
TEST_F(GestionTest, SansDossierLeDossierDuProgramme) {
  const fs::path ici = QCoreApplication::applicationDirPath().toStdString();
  const fs::path fichier = ici / ("selvane_gestion_test_" + std::to_string(::getpid()) + ".thz");
  RecrireFichierNaissance(fichier, {Fiche("MARTIN,Paul")});
  const fs::path avant = fs::current_path();
  fs::current_path(dossier);
  gestion::TMainForm sansDossier;
  sansDossier.OuvrirFichier();
  fs::current_path(avant);
  EXPECT_FALSE(sansDossier.ListeFichiers()->findItems(QString::fromStdString(fichier.filename().string()),
                                                      Qt::MatchExactly).isEmpty());
  fs::remove(fichier);
}

// Characters the birth files lack are named before the record is stored; "Non" stores nothing.
TEST_F(GestionTest, CaracteresHorsDuJeuDesFichiers) {
  RecrireFichierNaissance(dossier / "C.thz", {Fiche("MARTIN,Paul")});
  Montrer();
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
  CliquerCellule(0, 1);
  Remplir(fenetre->Champ(1), QString::fromUtf8("Piątek,Łukasz"));
  temoin.messages.clear();
  temoin.reponsesQuestions << false;
  Cliquer(" Transférer les modifications");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "question");
  EXPECT_TRUE(temoin.messages[0].texte.contains(QString::fromUtf8("ą")));
  EXPECT_TRUE(temoin.messages[0].texte.contains(QString::fromUtf8("Pi?tek,?ukasz")));
  EXPECT_EQ(fenetre->Table()->Texte(0, 1), "MARTIN,Paul");
  temoin.reponsesQuestions << true;
  Cliquer(" Transférer les modifications");
  EXPECT_EQ(fenetre->Table()->Texte(0, 1), "Pi?tek,?ukasz");
}

// "Importer AAF…" into the open file after the report, then "Exporter CSV…": the records of
// another program land at their sorted places with the backup; a record that cannot be placed
// is named and left out; the export holds every record of the table.
TEST_F(GestionTest, ImporterEtExporterAafEtCsv) {
  RecrireFichierNaissance(dossier / "C.thz", {Fiche("MARTIN,Paul")});
  {
    std::ofstream aaf(dossier / "autre.aaf", std::ios::binary);
    aaf << "#A93:Dupont,Jean,m,7.3.1952,14:05:30,Paris,F\r\n#B93:*,48n52,2e20,1he00,0\r\n"
           "#A93:Zola,Emile,m,2.4.1840,12:00,Paris,F\r\n#B93:*,48n52,2e20,0e09:21,L\r\n"
           "#A93:Inconnu,Lieu,m,1.1.1990,12:00,Nullepart,F\r\n";
  }
  Montrer();
  temoin.fichiers << QString::fromStdString((dossier / "autre.aaf").string());
  Menu("Importer AAF…");
  EXPECT_EQ(temoin.messages.value(0).texte, QString::fromUtf8("Ouvrez d'abord le fichier de naissances où importer les fiches"));
  Menu("Ouvrir fichier de naissances");
  DoubleCliquer(fenetre->ListeFichiers(), "C.thz");
  const std::string avant = Octets(dossier / "C.thz");
  temoin.messages.clear();
  temoin.reponsesQuestions << false;  // read the report, then decline: nothing written
  Menu("Importer AAF…");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_TRUE(temoin.messages[0].texte.startsWith(QString::fromUtf8("2 fiche(s) à importer dans C.thz, 1 refusée(s)."))) << temoin.messages[0].texte.toStdString();
  EXPECT_TRUE(temoin.messages[0].texte.contains("Inconnu,Lieu : non importée")) << temoin.messages[0].texte.toStdString();
  EXPECT_EQ(Octets(dossier / "C.thz"), avant);

  temoin.messages.clear();
  temoin.fichiers << QString::fromStdString((dossier / "autre.aaf").string());
  temoin.reponsesQuestions << true;
  Menu("Importer AAF…");
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("2 fiche(s) importée(s) dans C.thz"));
  EXPECT_EQ(Noms("C.thz"), (std::vector<std::string>{"Dupont,Jean", "MARTIN,Paul", "Zola,Emile"}));
  EXPECT_EQ(Octets(CheminSauvegarde(dossier / "C.thz")), avant);
  EXPECT_EQ(fenetre->Table()->rowCount(), 3);
  EXPECT_FALSE(fenetre->Carnet().Modifie());

  temoin.fichiers << QString::fromStdString((dossier / "export.csv").string());
  Menu("Exporter CSV…");
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("3 fiche(s) exportée(s) dans export.csv"));
  const std::string csv = Octets(dossier / "export.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire");
  EXPECT_NE(csv.find("\"Zola,Emile\",ZOLAEMILE,02/04/1840,12h00m00,Paris,48.52,2.20,00.09.21"), std::string::npos) << csv;
}
