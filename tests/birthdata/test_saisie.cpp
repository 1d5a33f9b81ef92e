#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfWriter>
#include <QPainter>
#include <QTableWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "../AppliDeTest.h"
#include "../SaisieClavier.h"
#include "Avertissements.h"
#include "CleTri.h"
#include "Controles.h"
#include "Conversions.h"
#include "Ephemerides.h"
#include "EtatTheme.h"
#include "FichierNaissance.h"
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
  saisie.MaskEditDate->setText("01/01/1900");
  saisie.ChercherRegime();
  EXPECT_EQ(saisie.EditFuseau->text(), "00.04.36");  // local mean time of 1°09' east
  EXPECT_EQ(saisie.Edit1->text(), "Heure locale");

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

// Every field of a stored record is one the entry checks take, and no field
// holds a line end (a saved chart file is one field a line).
void VerifierFiches(const fs::path& chemin, const QString& contexte, Avertisseur& retour) {
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
    VerifierFiches(chemin, contexte, avertisseur);
    if (message) {
      bool vu = false;
      for (const auto& m : temoin.messages) vu = vu || m.texte == QString::fromUtf8(message);
      EXPECT_TRUE(vu) << contexte.toStdString() << " lacks " << message;
    }
    if (attendu) EXPECT_TRUE(fs::exists(chemin)) << contexte.toStdString();
    if (message) EXPECT_FALSE(fs::exists(chemin)) << contexte.toStdString();
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
