#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QPushButton>
#include <QPainter>
#include <QPointer>
#include <QTableWidget>
#include <algorithm>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "tests/support/VerifierFiches.h"
#include "core/Avertissements.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "core/Conversions.h"
#include "birthdata/records/Cp1252.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "birthdata/records/FichierNaissance.h"
#include "birthdata/Fuseaux.h"
#include "birthdata/GrilleAtlas.h"
#include "widgets/Plateforme.h"
#include "birthdata/TFormConsultAtlas.h"
#include "birthdata/TFormDomiscop.h"
#include "birthdata/TFormEnterData.h"
#include "birthdata/TFormLoadData.h"

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
    programme_.emplace("selvane_saisie", std::initializer_list<const char*>{"Vildef.def", "Zones_Numbers.tzn", "TZDBCel.tzb", "France.cty", "CodesPays.txt"});
    dossier = programme_->Chemin();
    DefinirAvertisseur(&avertisseur);
    ReinitialiserEtat();
    OuvrirEphemerides();
    Etat().SystemeMaisons = 1;
  }
  void TearDown() override {
    DefinirAvertisseur(nullptr);
    programme_.reset();
  }
  QString Dossier() const { return QString::fromStdString(dossier.string()); }
  // What a user does: click a button by its caption, type into a field from its start.
  static void Cliquer(QWidget* fenetre, const char* texte) {
    for (QPushButton* b : fenetre->findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(texte) && b->isVisible()) return QTest::mouseClick(b, Qt::LeftButton);
    ADD_FAILURE() << "no visible button " << texte;
  }
  static void Taper(QLineEdit* champ, const char* texte) {
    QTest::mouseClick(champ, Qt::LeftButton);
    champ->selectAll();
    QTest::keyClick(champ, Qt::Key_Delete);
    QTest::keyClick(champ, Qt::Key_Home);
    QTest::keyClicks(champ, QString::fromUtf8(texte));
  }
  static void Montrer(QWidget* fenetre) {
    fenetre->show();
    fenetre->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre));
  }
  QStringList Textes() const {
    QStringList t;
    for (const auto& m : temoin.messages) t << m.texte;
    return t;
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  AvertisseurPlateforme avertisseur;
};

FicheClient Fiche(const char* nom) {
  return FicheDeTest(nom).Commentaire("").AvecCle();
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
  // "Imprimer fichier" only while a file is open: no page of an empty "Fichier :".
  QPushButton* imprimer = nullptr;
  for (QPushButton* b : navigateur.findChildren<QPushButton*>())
    if (b->text() == "Imprimer fichier") imprimer = b;
  ASSERT_NE(imprimer, nullptr);
  EXPECT_FALSE(imprimer->isEnabled());
  navigateur.Charger("Groupe.thz");
  EXPECT_TRUE(imprimer->isEnabled());
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
  EXPECT_FALSE(imprimer->isEnabled());
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
  const ContenuPdf imprime = LirePdf(dossier / "liste.pdf");
  ASSERT_EQ(imprime.pages, 2);
  const std::size_t saut = imprime.texte.find('\f');
  const std::string page1 = imprime.texte.substr(0, saut), page2 = imprime.texte.substr(saut);
  EXPECT_NE(page1.find("Grand.thz"), std::string::npos);
  EXPECT_NE(page1.find("NOM100"), std::string::npos);
  EXPECT_NE(page1.find("07/03/1952"), std::string::npos);
  EXPECT_EQ(page1.find("NOM177"), std::string::npos);
  EXPECT_NE(page2.find("NOM177"), std::string::npos);

  navigateur.GridData()->setCurrentCell(5, 0);
  navigateur.Theme();
  EXPECT_TRUE(listing);
  EXPECT_EQ(Etat().FicheEnCours.Nom.Chaine(), "NOM105");

  // A name and a city as long as their fields: cut short of the next column, never over it.
  FicheClient longue = Fiche("DUPONTDURANDLAFONTAINEMARCHAND,Jean");
  longue.Ville = "Saint-Remy-en-Bouzemont-Saint-Genest-et-Isson, Marne, Champagne-Ardenne";
  RecrireFichierNaissance(dossier / "Longs.thz", {longue});
  navigateur.Charger("Longs.thz");
  {
    QPdfWriter pdfLong(QString::fromStdString((dossier / "longs.pdf").string()));
    QPainter pl(&pdfLong);
    navigateur.ImprimerFichier(pl, pdfLong.height(), [&] { pdfLong.newPage(); });
  }
  const std::string longs = LirePdf(dossier / "longs.pdf").texte;
  for (const char* entier : {"07/03/1952", "14h05m30", "48.52", "2.20", "01.00.00"})
    EXPECT_NE(longs.find(entier), std::string::npos) << entier << " in " << longs;
  EXPECT_EQ(longs.find("Champagne-Ardenne"), std::string::npos) << longs;
  EXPECT_NE(longs.find("…"), std::string::npos) << longs;
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

// Every field of a stored record is one the entry checks take, and no field
// holds a line end (a saved chart file is one field a line).
void FichesAcceptables(const fs::path& chemin, const QString& contexte, Avertisseur& retour) {
  if (!fs::exists(chemin)) return;
  // The checks' own warnings are not the window's: they go nowhere.
  struct Muet : Avertisseur {
    void Avertir(const std::string&) override {}
  } muet;
  DefinirAvertisseur(&muet);
  for (const FicheClient& f : LireFichierNaissance(chemin)) {
    double heures = 0;
    EXPECT_TRUE(DateValide(f.Date.Texte())) << contexte.toStdString() << " date " << f.Date.Chaine();
    EXPECT_TRUE(HeureValide(f.Heure.Texte())) << contexte.toStdString() << " heure " << f.Heure.Chaine();
    EXPECT_TRUE(LatitudeValide(f.Lat.Texte())) << contexte.toStdString() << " lat " << f.Lat.Chaine();
    EXPECT_TRUE(LongitudeValide(f.Long.Texte())) << contexte.toStdString() << " long " << f.Long.Chaine();
    EXPECT_TRUE(EssayerLireFuseau(f.Fuseau.Texte(), heures)) << contexte.toStdString() << " zone " << f.Fuseau.Chaine();
    for (std::string_view t : {f.Nom.Texte(), f.Date.Texte(), f.Heure.Texte(), f.Ville.Texte(), f.Lat.Texte(),
                               f.Long.Texte(), f.Fuseau.Texte(), f.Commentaire.Texte()})
      EXPECT_EQ(t.find_first_of("\r\n"), std::string_view::npos) << contexte.toStdString();
  }
  DefinirAvertisseur(&retour);
}

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

// Hostile text in every field of the entry window, then "Enregistrer données"
// and "Nouveau": no crash, the field's message for a value past its limit, and
// no record written with a field the checks refuse.
TEST_F(SaisieTest, TexteHostileDansChaqueChamp) {
  const QStringList generiques = TextesHostiles();
  using Champ = QLineEdit* TFormEnterData::*;
  const Champ champs[] = {&TFormEnterData::EditNom,   &TFormEnterData::MaskEditDate, &TFormEnterData::MaskEditHeure,
                          &TFormEnterData::MaskEditSecondes, &TFormEnterData::EditVille, &TFormEnterData::EditLat,
                          &TFormEnterData::EditLong,  &TFormEnterData::MaskEditLongH, &TFormEnterData::EditFuseau,
                          &TFormEnterData::EditComment, &TFormEnterData::Recherche};
  struct Limite {
    Champ champ;
    const char* texte;
    const char* message;  // nullptr: taken and stored
  } limites[] = {
      {&TFormEnterData::MaskEditDate, "31/12/5399", nullptr},
      {&TFormEnterData::MaskEditDate, "01/01/5400", "01/01/5400 : date incorrecte"},
      {&TFormEnterData::MaskEditDate, "31/04/2024", "31/04/2024 : date incorrecte"},
      {&TFormEnterData::MaskEditDate, "29/02/2023", "29/02/2023 : date incorrecte"},
      {&TFormEnterData::MaskEditHeure, "23h59", nullptr},
      {&TFormEnterData::MaskEditHeure, "24h00", "24h00 : heure incorrecte"},
      {&TFormEnterData::MaskEditSecondes, "59", nullptr},
      {&TFormEnterData::MaskEditSecondes, "60", "14h05m60 : heure incorrecte"},
      {&TFormEnterData::MaskEditSecondes, "99", "14h05m99 : heure incorrecte"},
      {&TFormEnterData::EditLat, "-89.54", nullptr},
      {&TFormEnterData::EditLat, "89.91", "Erreur : latitude supérieure à 90° !"},
      {&TFormEnterData::EditLat, "45.60", "Latitude : 45.60 :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !"},
      {&TFormEnterData::EditLong, "-180", nullptr},
      {&TFormEnterData::EditLong, "180.01", "Longitude : 180.01 :  valeur incorrecte !"},
      {&TFormEnterData::EditFuseau, "-14", nullptr},
      {&TFormEnterData::EditFuseau, "14.00.01", "Erreur dans l'écriture du fuseau"},
      {&TFormEnterData::EditFuseau, "999999999", "Erreur dans l'écriture du fuseau"},
  };
  int n = 0;
  auto Essayer = [&](Champ champ, const QString& texte, const char* message, bool attendu) {
    const QString fichier = QString("Hostile%1").arg(++n);
    TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
    saisie.show();
    QApplication::setActiveWindow(&saisie);
    // A complete, valid record first, as after a city was chosen.
    saisie.EditNom->setText("DUPONT,Jean");
    saisie.MaskEditDate->setText("07/03/1952");
    saisie.MaskEditHeure->setText("14h05");
    saisie.MaskEditSecondes->setText("30");
    saisie.EditLat->setText("48.52");
    saisie.EditLong->setText("2.20");
    saisie.EditFuseau->setText("01.00.00");
    temoin.messages.clear();
    // Values at a limit are pasted, so the message names the whole value (typed,
    // the coordinates are checked at each key and cleared at the first fault).
    Remplir(saisie.*champ, texte, message != nullptr || attendu);
    if (QPushButton* b = Bouton(&saisie, "Enregistrer données"); b && b->isEnabled()) QTest::mouseClick(b, Qt::LeftButton);
    temoin.reponsesSaisies = QStringList{fichier};
    if (QPushButton* b = Bouton(&saisie, "Nouveau"); b && b->isVisible()) QTest::mouseClick(b, Qt::LeftButton);
    temoin.reponsesSaisies.clear();
    const fs::path chemin = dossier / (fichier.toStdString() + ".thz");
    const QString contexte = QString("champ %1 <%2>").arg(std::find(std::begin(champs), std::end(champs), champ) - std::begin(champs)).arg(texte.left(20));
    FichesAcceptables(chemin, contexte, avertisseur);
    if (message) {
      bool vu = false;
      for (const auto& m : temoin.messages) vu = vu || m.texte == QString::fromUtf8(message);
      EXPECT_TRUE(vu) << contexte.toStdString() << " lacks " << message;
    }
    if (attendu) {
      EXPECT_TRUE(fs::exists(chemin)) << contexte.toStdString();
    }
    if (message) {
      EXPECT_FALSE(fs::exists(chemin)) << contexte.toStdString();
    }
  };
  for (Champ c : champs)
    for (const QString& t : generiques) Essayer(c, t, nullptr, false);
  for (const Limite& l : limites) Essayer(l.champ, QString::fromUtf8(l.texte), l.message, l.message == nullptr);
}

// The search fields of the browser and of the atlas window take any text.
TEST_F(SaisieTest, TexteHostileDansLesRecherches) {
  RecrireFichierNaissance(dossier / "Groupe.thz", {Fiche("ALAIN,Luc"), Fiche("DUPONT,Jean")});
  const std::string avant = LireFichierEntier(dossier / "Groupe.thz");
  TFormLoadData navigateur(Dossier(), [] {}, [] {});
  navigateur.show();
  navigateur.Charger("Groupe.thz");
  TFormConsultAtlas atlas(Dossier(), "Paris", "48.52", "2.20");
  atlas.show();
  for (const QString& t : TextesHostiles()) {
    for (QLineEdit* champ : navigateur.findChildren<QLineEdit*>()) Remplir(champ, t);
    for (QLineEdit* champ : {atlas.EditVille, atlas.EditPays, atlas.EditLat, atlas.EditLong, atlas.Recherche})
      Remplir(champ, t);
  }
  EXPECT_EQ(LireFichierEntier(dossier / "Groupe.thz"), avant);
}

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

// A half-typed date or time is refused on leaving it, like a wrong one, and
// nothing is saved or computed with it.
TEST_F(SaisieTest, DateOuHeureIncompleteRefuseeEnSortant) {
  bool listing = false;
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [&] { listing = true; });
  Montrer(&saisie);
  Taper(saisie.EditNom, "DUPONT,Jean");
  const QString jour = saisie.LabelJour->text();
  Taper(saisie.MaskEditDate, "12");
  temoin.messages.clear();
  QTest::keyClick(saisie.MaskEditDate, Qt::Key_Tab);
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("'  ' n'est pas une valeur entière correcte"));
  EXPECT_TRUE(saisie.MaskEditDate->hasFocus());
  EXPECT_EQ(saisie.LabelJour->text(), jour);

  // Neither saved nor computed; one message for each click.
  temoin.messages.clear();
  Cliquer(&saisie, "Enregistrer données");
  EXPECT_FALSE(saisie.PanneauSauvegarde->isVisible());
  Cliquer(&saisie, "    Thème");
  EXPECT_FALSE(listing);
  EXPECT_TRUE(saisie.isVisible());
  EXPECT_EQ(Textes(), QStringList(2, QString::fromUtf8("'  ' n'est pas une valeur entière correcte")));

  // A time with blank minutes, then blank seconds.
  Taper(saisie.MaskEditDate, "07031952");
  QTest::keyClick(saisie.MaskEditDate, Qt::Key_Tab);
  EXPECT_EQ(saisie.LabelJour->text(), "Vendredi");
  Taper(saisie.MaskEditHeure, "14");
  temoin.messages.clear();
  QTest::keyClick(saisie.MaskEditHeure, Qt::Key_Tab);
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("'  ' n'est pas une valeur entière correcte")});
  Taper(saisie.MaskEditHeure, "1405");
  Taper(saisie.MaskEditSecondes, "3");
  temoin.messages.clear();
  QTest::keyClick(saisie.MaskEditSecondes, Qt::Key_Tab);
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("'3 ' n'est pas une valeur entière correcte")});
  Taper(saisie.MaskEditSecondes, "30");
  Taper(saisie.EditFuseau, "01.00.00");

  // Complete: saved as typed, then the chart.
  temoin.messages.clear();
  Cliquer(&saisie, "Enregistrer données");
  temoin.reponsesSaisies << "Clients";
  Cliquer(&saisie, "Nouveau");
  const auto fiches = LireFichierNaissance(dossier / "Clients.thz");
  ASSERT_EQ(fiches.size(), 1u);
  EXPECT_EQ(fiches[0].Date.Chaine(), "07/03/1952");
  EXPECT_EQ(fiches[0].Heure.Chaine(), "14h05m30");
  Cliquer(&saisie, "    Thème");
  EXPECT_TRUE(listing);
}

// The browser: its record buttons wait for a row; a record with a bad date gives
// the message and the browser stays open and usable.
TEST_F(SaisieTest, NavigateurBoutonsEtFicheIllisible) {
  FicheClient mauvaise = Fiche("ALAIN,Luc");
  mauvaise.Date = "12//";
  RecrireFichierNaissance(dossier / "Groupe.thz", {mauvaise, Fiche("MARTIN,Paul")});
  bool listing = false;
  TFormLoadData navigateur(Dossier(), [&] { listing = true; }, [] {});
  Montrer(&navigateur);
  QPushButton* theme = nullptr;
  for (QPushButton* b : navigateur.findChildren<QPushButton*>())
    if (b->text() == "Thème" || b->text() == "Supprimer fiche" || b->text() == "Modifier/Recopier") {
      EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
      if (b->text() == "Thème") theme = b;
    }
  ASSERT_TRUE(theme);
  QListWidget* fichiers = navigateur.Fichiers();
  QTest::mouseClick(fichiers->viewport(), Qt::LeftButton, {}, fichiers->visualItemRect(fichiers->item(0)).center());
  EXPECT_FALSE(theme->isEnabled());
  QTableWidget* grille = navigateur.GridData();
  QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualItemRect(grille->item(0, 0)).center());
  EXPECT_TRUE(theme->isEnabled());
  QTest::mouseClick(theme, Qt::LeftButton);
  EXPECT_FALSE(listing);
  EXPECT_TRUE(navigateur.isVisible());
  EXPECT_EQ(Textes(), QStringList{QString::fromUtf8("'/' n'est pas une valeur entière correcte")});
  QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualItemRect(grille->item(1, 0)).center());
  QTest::mouseClick(theme, Qt::LeftButton);
  EXPECT_TRUE(listing);
  EXPECT_EQ(Etat().FicheEnCours.Nom.Chaine(), "MARTIN,Paul");
  EXPECT_EQ(LireFichierNaissance(dossier / "Groupe.thz").size(), 2u);
}

// A file that fails to load leaves no current file, so no delete can later write
// the table over it; a read-only file refuses the delete and stays as it was.
TEST_F(SaisieTest, NavigateurFichierIllisibleOuEnLectureSeule) {
  const std::vector<FicheClient> groupe = {Fiche("ALAIN,Luc"), Fiche("DUPONT,Jean"), Fiche("MARTIN,Paul")};
  RecrireFichierNaissance(dossier / "Groupe.thz", groupe);
  RecrireFichierNaissance(dossier / "Autre.thz", {Fiche("BERNARD,Ana"), Fiche("ZOLA,Emile")});
  RecrireFichierNaissance(dossier / "Seul.thz", {Fiche("SEUL,Jean")});
  fs::create_directory(dossier / "Dossier.thz");
  const auto octets = [&](const char* nom) {
    std::ifstream f(dossier / nom, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  const std::string autre = octets("Autre.thz"), seul = octets("Seul.thz");
  TFormLoadData navigateur(Dossier(), [] {}, [] {});
  Montrer(&navigateur);
  QListWidget* fichiers = navigateur.Fichiers();
  QTableWidget* grille = navigateur.GridData();
  const auto cliquerFichier = [&](const char* nom) {
    const auto trouves = fichiers->findItems(nom, Qt::MatchExactly);
    ASSERT_EQ(trouves.size(), 1) << nom;
    QTest::mouseClick(fichiers->viewport(), Qt::LeftButton, {}, fichiers->visualItemRect(trouves[0]).center());
  };
  const auto cliquerLigne = [&](int l) {
    QTest::mouseClick(grille->viewport(), Qt::LeftButton, {}, grille->visualItemRect(grille->item(l, 0)).center());
  };
  const QString titre = navigateur.windowTitle();

  // Another file shown, then one whose read fails, then one that is a folder.
  struct Illisible {
    const char* nom;
    bool liste;  // in the list, clicked; else loaded by name
    std::function<void()> avant;
    QString message;
  } illisibles[] = {
      {"Autre.thz", true, [] { SimulerPanneLecture(); },
       QString::fromUtf8("Erreur de lecture ou d'écriture sur le disque. (") + Dossier() + "/Autre.thz)"},
      {"Dossier.thz", false, [] {}, QString::fromUtf8("Accès refusé : le nom désigne un dossier. (") + Dossier() + "/Dossier.thz)"},
  };
  for (const Illisible& c : illisibles) {
    cliquerFichier("Groupe.thz");
    ASSERT_EQ(grille->rowCount(), 3);
    cliquerLigne(0);
    temoin.messages.clear();
    c.avant();
    if (c.liste) cliquerFichier(c.nom);
    else navigateur.Charger(c.nom);
    EXPECT_EQ(Textes(), QStringList{c.message}) << c.nom;
    EXPECT_EQ(grille->rowCount(), 0) << c.nom;
    EXPECT_EQ(navigateur.windowTitle(), titre) << c.nom;
    for (QPushButton* b : navigateur.findChildren<QPushButton*>())
      if (b->text() == "Supprimer fiche") {
        EXPECT_FALSE(b->isEnabled()) << c.nom;
      }
    temoin.reponsesQuestions << true;
    navigateur.SupprimerFiche();
    EXPECT_EQ(Textes(), QStringList{c.message}) << c.nom;  // not even asked
    temoin.reponsesQuestions.clear();
  }
  EXPECT_EQ(octets("Autre.thz"), autre);
  EXPECT_TRUE(fs::is_directory(dossier / "Dossier.thz"));
  VerifierFiches(LireFichierNaissance(dossier / "Groupe.thz"), groupe, "Groupe.thz");

  // Read-only: the delete is refused with the file's name, file and table unchanged;
  // the only record of a file is not erased either.
  for (const char* nom : {"Groupe.thz", "Seul.thz"}) {
    fs::permissions(dossier / nom, fs::perms(0444));
    cliquerFichier(nom);
    const int lignes = grille->rowCount();
    const std::string avant = octets(nom);
    cliquerLigne(0);
    temoin.messages.clear();
    temoin.reponsesQuestions << true;
    Cliquer(&navigateur, "Supprimer fiche");
    ASSERT_EQ(temoin.messages.size(), 2) << nom;
    EXPECT_EQ(temoin.messages[1].genre, "erreur") << nom;
    EXPECT_EQ(temoin.messages[1].texte, QString::fromUtf8("Accès refusé. (") + Dossier() + "/" + nom + ")") << nom;
    EXPECT_EQ(octets(nom), avant) << nom;
    EXPECT_EQ(fs::status(dossier / nom).permissions() & fs::perms::mask, fs::perms(0444)) << nom;
    EXPECT_EQ(grille->rowCount(), lignes) << nom;
    EXPECT_EQ(fichiers->count(), 3) << nom;
  }
  EXPECT_EQ(octets("Seul.thz"), seul);
  EXPECT_FALSE(fs::exists(dossier / "Groupe.thr.bak"));
  // Writable again, the same click deletes.
  fs::permissions(dossier / "Groupe.thz", fs::perms(0644));
  cliquerFichier("Groupe.thz");
  cliquerLigne(1);
  temoin.reponsesQuestions << true;
  Cliquer(&navigateur, "Supprimer fiche");
  VerifierFiches(LireFichierNaissance(dossier / "Groupe.thz"), {groupe[0], groupe[2]}, "Groupe.thz");
}

// The planisphere opened from the modal entry window is in front and takes the mouse.
TEST_F(SaisieTest, PlanisphereDevantLaSaisieModale) {
  fs::copy_file(fs::path(SELVANE_BIN_DIR) / "planisf.svg", dossier / "planisf.svg");
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  saisie.setWindowModality(Qt::ApplicationModal);
  Montrer(&saisie);
  Cliquer(&saisie, "Planisphère");
  TFormDomiscop* carte = saisie.findChild<TFormDomiscop*>();
  ASSERT_TRUE(carte);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(carte));
  EXPECT_TRUE(carte->isWindow());
  QTest::mouseMove(carte->windowHandle(), QPoint(carte->width() / 2, carte->height() / 2));
  EXPECT_FALSE(carte->Position()->text().isEmpty());
  QPointer<TFormDomiscop> garde(carte);
  Cliquer(carte, "Fermer");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(garde.isNull());
}

// Small ones of the entry window: the longitude in time is read only in its full
// form; the countries come in French order; the fields show their whole texts.
TEST_F(SaisieTest, ConvertisseurPaysEtLargeurs) {
  for (const char* pays : {"Équateur.cty", "États-Unis d'Amérique.cty", "Espagne.cty", "Îles Cook.cty", "Irlande.cty",
                           "Zambie.cty", "Inde.cty"})
    std::ofstream(dossier / fs::u8path(pays));
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  Montrer(&saisie);
  QStringList ordre;
  for (int i = 0; i < saisie.Pays->count(); ++i) ordre << saisie.Pays->itemText(i);
  EXPECT_EQ(ordre, (QStringList{QString::fromUtf8("Équateur"), "Espagne", QString::fromUtf8("États-Unis d'Amérique"),
                                "France", QString::fromUtf8("Îles Cook"), "Inde", "Irlande", "Zambie"}));

  const struct {
    const char* texte;
    const char* longitude;  // empty: refused with the message
    const char* message;
  } cas[] = {{"+120001", "", "Écrivez la longitude en heures sous la forme +HHhMMmSSs !"},
             {"+02h09m2", "", "Écrivez la longitude en heures sous la forme +HHhMMmSSs !"},
             {"+12h00m00s", "180.00", ""},
             {"-00h09m20s", "-2.20", ""},
             {"02h09m20s", "", "Le premier caractère doit être un + ou un -  !"},
             {"+13h00m00s", "", "Le nombre d'heures doit être inférieur à 12  !"}};
  for (const auto& c : cas) {
    saisie.EditLong->setText("1.00");
    Taper(saisie.MaskEditLongH, c.texte);
    temoin.messages.clear();
    Cliquer(&saisie, "Long. en heures → degrés");
    if (*c.longitude) {
      EXPECT_EQ(saisie.EditLong->text(), c.longitude) << c.texte;
      EXPECT_TRUE(temoin.messages.isEmpty()) << c.texte;
    } else {
      EXPECT_EQ(saisie.EditLong->text(), "1.00") << c.texte;
      EXPECT_EQ(Textes(), QStringList{QString::fromUtf8(c.message)}) << c.texte;
    }
  }

  const QFontMetrics m(saisie.EditPays->font());
  EXPECT_GT(saisie.EditPays->width(), m.horizontalAdvance(QString::fromUtf8("États-Unis d'Amérique (NY)")));
  EXPECT_GE(saisie.EditNom->width(), m.horizontalAdvance(QString(36, 'n')));
  EXPECT_GE(saisie.EditComment->width(), m.horizontalAdvance(QString(80, 'n')));
}

// A regional map never runs off the screen.
TEST_F(SaisieTest, CarteRegionaleDansLEcran) {
  fs::copy_file(fs::path(SELVANE_BIN_DIR) / "Europe.jpg", dossier / "Europe.jpg");
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  Montrer(&saisie);
  QComboBox* cartes = nullptr;
  for (QComboBox* c : saisie.findChildren<QComboBox*>())
    if (c->itemText(0) == "Cartes") cartes = c;
  ASSERT_TRUE(cartes);
  QRect ecran, carte;
  QString titre;
  QTimer::singleShot(0, [&] {
    if (QWidget* modale = QApplication::activeModalWidget()) {
      titre = modale->windowTitle();
      carte = modale->frameGeometry();
      ecran = modale->screen()->availableGeometry();
      modale->close();
    }
  });
  cartes->setFocus();
  QTest::keyClick(cartes, Qt::Key_E);  // the first list entry starting with E: Europe
  EXPECT_EQ(titre, QString::fromUtf8("Régimes horaires"));
  EXPECT_TRUE(ecran.contains(carte)) << carte.width() << "x" << carte.height() << " in " << ecran.width() << "x"
                                     << ecran.height();
}

// Saving into an existing file through the panel: the file holds exactly its records
// and the new one, in key order, field for field; a refused replacement changes nothing.
TEST_F(SaisieTest, SauvegardeFicheParFiche) {
  const std::vector<FicheClient> avant = {Fiche("ALAIN,Luc"), Fiche("ZOLA,Emile")};
  RecrireFichierNaissance(dossier / "Clients.thz", avant);
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  Montrer(&saisie);
  Taper(saisie.EditNom, "Martin,Élise");
  Taper(saisie.MaskEditDate, "29022000");
  Taper(saisie.MaskEditHeure, "0830");
  Taper(saisie.MaskEditSecondes, "15");
  Taper(saisie.EditLat, "45.30");
  Taper(saisie.EditLong, "-73.35");
  Taper(saisie.EditFuseau, "-05.00.00");
  Taper(saisie.EditComment, "client");
  Cliquer(&saisie, "Enregistrer données");
  ASSERT_TRUE(saisie.PanneauSauvegarde->isVisible());
  QListWidget* fichiers = saisie.FichiersNaissance;
  const QPoint ou = fichiers->visualItemRect(fichiers->item(0)).center();
  QTest::mouseClick(fichiers->viewport(), Qt::LeftButton, {}, ou);
  QTest::mouseDClick(fichiers->viewport(), Qt::LeftButton, {}, ou);
  EXPECT_EQ(temoin.messages.last().texte,
            QString::fromUtf8("Thème de : Martin,Élise\r\n\r\nDonnées sauvées dans le fichier : \r\n\r\nClients.thz"));
  FicheClient nouvelle = Fiche("");
  nouvelle.Nom = Utf8VersCp1252("Martin,Élise");
  nouvelle.SortOrder = CleDeTri(nouvelle.Nom.Texte());
  nouvelle.Date = "29/02/2000";
  nouvelle.Heure = "08h30m15";
  nouvelle.Lat = "45.30";
  nouvelle.Long = "-73.35";
  nouvelle.Fuseau = "-05.00.00";
  nouvelle.Commentaire = "client";
  nouvelle.Ville = Utf8VersCp1252(saisie.EditVille->text().toStdString());
  const std::vector<FicheClient> attendues = {avant[0], nouvelle, avant[1]};
  const auto verifier = [&] { VerifierFiches(LireFichierNaissance(dossier / "Clients.thz"), attendues, "Clients.thz"); };
  verifier();
  // "Nouveau" under the name of that file, replacement refused: nothing changes.
  Cliquer(&saisie, "Enregistrer données");
  temoin.reponsesSaisies << "Clients";
  temoin.reponsesQuestions << false;
  Cliquer(&saisie, "Nouveau");
  verifier();
  // "Effacer" clears the name and comment only; the file is untouched.
  Cliquer(&saisie, "Effacer");
  EXPECT_TRUE(saisie.EditNom->text().isEmpty());
  EXPECT_TRUE(saisie.EditComment->text().isEmpty());
  verifier();
}

// Characters a birth file lacks: before storing, the warning names them and shows
// what will be stored; No stores nothing (into an existing file or a new one), Yes
// stores the "?" form.
TEST_F(SaisieTest, CaracteresHorsDuJeuAvantLEnregistrement) {
  const std::vector<FicheClient> avant = {Fiche("ALAIN,Luc")};
  RecrireFichierNaissance(dossier / "Clients.thz", avant);
  TFormEnterData saisie(Dossier(), TFormEnterData::Nouvelle, [] {});
  Montrer(&saisie);
  // QTest types Latin-1 only: these come as a paste would.
  saisie.EditNom->setText(QString::fromUtf8("Piątek,Łukasz"));
  Taper(saisie.MaskEditDate, "07031952");
  Taper(saisie.MaskEditHeure, "1405");
  Taper(saisie.EditLat, "52.14");
  Taper(saisie.EditLong, "21.01");
  Taper(saisie.EditFuseau, "01.00.00");
  saisie.EditComment->setText(QString::fromUtf8("Ω à Ω"));
  const QString question = QString::fromUtf8(
      "Les caractères « ą Ł » n'existent pas dans les fichiers de naissances : la fiche sera enregistrée sous la "
      "forme « Pi?tek,?ukasz ».\n"
      "Le caractère « Ω » n'existe pas dans les fichiers de naissances : la fiche sera enregistrée sous la forme "
      "« ? à ? ».\nEnregistrer quand même ?");
  Cliquer(&saisie, "Enregistrer données");
  ASSERT_TRUE(saisie.PanneauSauvegarde->isVisible());
  const auto verifier = [&](const std::vector<FicheClient>& attendues) {
    VerifierFiches(LireFichierNaissance(dossier / "Clients.thz"), attendues, "Clients.thz");
  };

  // No, for a new file: none is made.
  temoin.messages.clear();
  temoin.reponsesSaisies << "Polonais";
  Cliquer(&saisie, "Nouveau");
  EXPECT_EQ(Textes(), QStringList{question});
  EXPECT_FALSE(fs::exists(dossier / "Polonais.thz"));

  // No, into an existing file: it stays as it was, the panel stays open.
  QListWidget* fichiers = saisie.FichiersNaissance;
  const QPoint ou = fichiers->visualItemRect(fichiers->item(0)).center();
  temoin.messages.clear();
  QTest::mouseClick(fichiers->viewport(), Qt::LeftButton, {}, ou);
  QTest::mouseDClick(fichiers->viewport(), Qt::LeftButton, {}, ou);
  EXPECT_EQ(Textes(), QStringList{question});
  verifier(avant);
  EXPECT_FALSE(fs::exists(dossier / "Clients.thr.bak"));
  EXPECT_TRUE(saisie.PanneauSauvegarde->isVisible());

  // Yes: stored as the warning said.
  temoin.messages.clear();
  temoin.reponsesQuestions << true;
  QTest::mouseDClick(fichiers->viewport(), Qt::LeftButton, {}, ou);
  ASSERT_EQ(temoin.messages.size(), 2);
  EXPECT_EQ(temoin.messages[0].texte, question);
  const auto fiches = LireFichierNaissance(dossier / "Clients.thz");
  ASSERT_EQ(fiches.size(), 2u);
  EXPECT_EQ(fiches[1].Nom.Utf8(), "Pi?tek,?ukasz");
  EXPECT_EQ(fiches[1].Commentaire.Utf8(), "? à ?");
}
