#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <optional>

#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/PlateformeTemoin.h"
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "widgets/Plateforme.h"
#include "reglages/Reglages.h"
#include "frame/Sauvegarde.h"
#include "frame/TFormBackup.h"
#include "frame/TFormCouleurs.h"
#include "frame/TFormOptions.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

std::string Lire(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), {});
}

class PreferencesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    programme_.emplace("selvane_pref");
    dossier = programme_->Chemin();
    EcrireReglagesParDefaut(dossier);
    ReinitialiserEtat();
    LesReglages() = Reglages();
  }
  void TearDown() override {
    programme_.reset();
  }
  QString Dossier() const { return QString::fromStdString(dossier.string()); }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
};

}  // namespace

TEST_F(PreferencesTest, OptionsEcritSelvOptEtRecharge) {
  TFormOptions options(Dossier());
  EXPECT_TRUE(options.Case(0)->isChecked());
  EXPECT_EQ(options.Orbe(0)->text(), " 8.0");
  EXPECT_EQ(options.Maisons()->currentRow(), 0);
  EXPECT_TRUE(options.AscendantAGauche()->isChecked());
  EXPECT_EQ(options.Maisons()->item(3)->text(), QString::fromUtf8("  Antique (maisons égales centré sur l'Asc)"));

  const std::string avant = Lire(dossier / "SelvOpt.def");
  options.Orbe(4)->setText("15.1");
  EXPECT_FALSE(options.Valider());
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Valeur trop élevée...vérifiez vos orbes"));
  EXPECT_EQ(Lire(dossier / "SelvOpt.def"), avant);

  options.Orbe(4)->setText("15.0");
  options.Case(1)->setChecked(false);
  options.Maisons()->setCurrentRow(8);
  options.BelierAGauche()->setChecked(true);
  ASSERT_TRUE(options.Valider());
  EXPECT_EQ(Lire(dossier / "SelvOpt.def"),
            "o\r\n 8.0\r\nn\r\n 2.0\r\no\r\n 2.0\r\no\r\n 5.0\r\no\r\n15.0\r\no\r\n 7.0\r\no\r\n 2.0\r\n"
            "o\r\n 3.0\r\no\r\n 8.0\r\n9\r\nn\r\n");
  EXPECT_FALSE(LesReglages().AspectActif[1]);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[4], 15 * DegEnRad);
  EXPECT_EQ(Etat().SystemeMaisons, 9);
  EXPECT_EQ(Etat().Orientation, 'n');

  TFormOptions rouvert(Dossier());  // ticking again restores the kept orb
  EXPECT_FALSE(rouvert.Case(1)->isChecked());
  EXPECT_EQ(rouvert.Orbe(1)->text(), " 2.0");
  EXPECT_TRUE(rouvert.BelierAGauche()->isChecked());
}

TEST_F(PreferencesTest, CouleursParEnvironnement) {
  const std::string ecranAvant = Lire(dossier / "OColorsScreen.txt");
  {
    TFormCouleurs couleurs(Dossier());
    EXPECT_EQ(couleurs.EnvironnementChoisi(), TFormCouleurs::EcranClair);  // white background installed
    EXPECT_EQ(couleurs.TaillePlanetes()->value(), 15);
    couleurs.ChoisirEnvironnement(TFormCouleurs::Impression);
    temoin.couleurs << QColor(0x12, 0x34, 0x56);
    couleurs.ChoisirCouleur(0);
    EXPECT_TRUE(couleurs.Modifie());
    couleurs.EnregistrerModifications();
    EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Modifications enregistrées"));
    EXPECT_TRUE(couleurs.Quitter());
  }
  EXPECT_EQ(LireLignes(dossier / "OColorsPrint.txt")[1], "$00563412");
  EXPECT_EQ(Lire(dossier / "OColorsScreen.txt"), ecranAvant);  // the print set leaves the screen alone
  EXPECT_EQ(LesReglages().CouleursCorpsImpression[1], 0x563412u);

  // The dark set saved becomes the screen set; reopening selects "Ecran foncé".
  {
    TFormCouleurs couleurs(Dossier());
    couleurs.ChoisirEnvironnement(TFormCouleurs::EcranFonce);
    couleurs.EnregistrerModifications();
    EXPECT_TRUE(couleurs.Quitter());
  }
  TFormCouleurs sombre(Dossier());
  EXPECT_EQ(sombre.EnvironnementChoisi(), TFormCouleurs::EcranFonce);
  EXPECT_EQ(LireLignes(dossier / "OColorsScreen.txt")[0], "clBlack");
  EXPECT_TRUE(sombre.Quitter());
}

TEST_F(PreferencesTest, QuitterSansEnregistrerGardeLesTailles) {
  const std::string impressionAvant = Lire(dossier / "OColorsPrint.txt");
  TFormCouleurs couleurs(Dossier());
  couleurs.ChoisirEnvironnement(TFormCouleurs::Impression);
  temoin.couleurs << QColor(Qt::green);
  couleurs.ChoisirCouleur(3);
  couleurs.TaillePlanetes()->setValue(10);
  couleurs.TailleSignes()->setValue(14);
  couleurs.Relief()->setChecked(true);
  temoin.reponsesQuestions << true;  // "Yes": stay to save
  EXPECT_FALSE(couleurs.Quitter());
  EXPECT_EQ(temoin.messages.last().texte,
            QString::fromUtf8("Vous n'avez pas enregistrer les modifications apportées. Voulez-vous le faire maintenant ?"));
  temoin.reponsesQuestions << false;  // "No": colours dropped, sizes kept
  EXPECT_TRUE(couleurs.Quitter());
  EXPECT_EQ(Lire(dossier / "SelvFontSize.def"), "-5\r\n2\r\n1\r\n");
  EXPECT_EQ(Lire(dossier / "OColorsPrint.txt"), impressionAvant);
  EXPECT_EQ(LesReglages().TaillePlanetes, -5);
  EXPECT_TRUE(LesReglages().PlanetesEnRelief);
}

TEST_F(PreferencesTest, SauvegardeDesDonnees) {
  const fs::path source = dossier / "programme";
  const fs::path cible = dossier / "cle";
  fs::create_directories(source);
  fs::create_directories(cible);
  for (const char* f : {"Clients.thz", "AMIS.THZ", "SelvOpt.def", "OColorsPrint.txt", "France.cty", "Selvane", "x.Opt"})
    std::ofstream(source / f) << f;
  std::ofstream(cible / "Clients.thz") << "ancienne copie";
  TFormBackup sauvegarde(QString::fromStdString(source.string()));
  temoin.dossiers << QString::fromStdString(cible.string());
  sauvegarde.ChoisirSupport(QString::fromStdString(cible.string()));
  sauvegarde.Enregistrer();
  EXPECT_EQ(sauvegarde.Etat()->text(), QString::fromUtf8("Sauvegarde terminée avec succès"));
  EXPECT_FALSE(sauvegarde.Progression()->isVisible());
  EXPECT_EQ(sauvegarde.DernierePourcentage(), 86);  // file 6 of 7
  for (const char* f : {"Clients.thz", "AMIS.THZ", "SelvOpt.def", "OColorsPrint.txt", "x.Opt"})
    EXPECT_EQ(Lire(cible / f), f) << f;
  EXPECT_FALSE(fs::exists(cible / "France.cty"));
  EXPECT_FALSE(fs::exists(cible / "Selvane"));

  // "Créer": empty name, existing folder, new folder.
  sauvegarde.NomNouveau()->setText("");
  sauvegarde.Creer();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Vous devez entrer un nom pour le nouveau répertoire !"));
  sauvegarde.NomNouveau()->setText("Sauvegardes");
  sauvegarde.Creer();
  EXPECT_TRUE(fs::is_directory(cible / "Sauvegardes"));
  sauvegarde.Creer();
  EXPECT_EQ(temoin.messages.last().texte, QString::fromUtf8("Ce répertoire existe déjà !"));

  // A destination that cannot be written: the system's text, the sources untouched.
  std::ofstream(dossier / "fichier") << "pas un dossier";
  sauvegarde.ChoisirSupport(QString::fromStdString((dossier / "fichier").string()));
  temoin.messages.clear();
  sauvegarde.Enregistrer();
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_NE(sauvegarde.Etat()->text(), QString::fromUtf8("Sauvegarde terminée avec succès"));
  EXPECT_EQ(Lire(source / "Clients.thz"), "Clients.thz");
}

// Orbs take what is typed, decimal point included, and show the " 8.0" form once left.
TEST_F(PreferencesTest, OrbesTapeesAvecLeurPoint) {
  TFormOptions options(Dossier());
  options.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
  const struct {
    int aspect;
    const char* tape;
    const char* montre;
  } cas[] = {{0, "7.5", " 7.5"}, {1, "2.5", " 2.5"}, {2, "1.5", " 1.5"}, {3, "12.5", "12.5"},
             {4, "8", " 8.0"},   {5, "6.", " 6.0"},  {6, " 3.5", " 3.5"}, {7, "4a2", "42.0"}};
  for (const auto& c : cas) {
    QLineEdit* orbe = options.Orbe(c.aspect);
    QTest::mouseClick(orbe, Qt::LeftButton);
    orbe->selectAll();
    QTest::keyClick(orbe, Qt::Key_Delete);
    QTest::keyClicks(orbe, c.tape);
    QTest::keyClick(orbe, Qt::Key_Tab);
    EXPECT_EQ(orbe->text(), c.montre) << c.tape;
  }
  // 42 is too wide: refused; then 4.2 is saved as shown.
  EXPECT_FALSE(options.Valider());
  EXPECT_EQ(temoin.messages.value(0).texte, QString::fromUtf8("Valeur trop élevée...vérifiez vos orbes"));
  QTest::mouseClick(options.Orbe(7), Qt::LeftButton);
  options.Orbe(7)->selectAll();
  QTest::keyClick(options.Orbe(7), Qt::Key_Delete);
  QTest::keyClicks(options.Orbe(7), "4.2");
  ASSERT_TRUE(options.Valider());
  EXPECT_EQ(Lire(dossier / "SelvOpt.def").substr(0, 72),
            "o\r\n 7.5\r\no\r\n 2.5\r\no\r\n 1.5\r\no\r\n12.5\r\no\r\n 8.0\r\no\r\n 6.0\r\no\r\n 3.5\r\no\r\n 4.2\r\n");
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[0], 7.5 * DegEnRad);
  EXPECT_DOUBLE_EQ(LesReglages().AspectOrbe[2], 1.5 * DegEnRad);
}

// Hostile text pasted or typed into an orb: never a crash, and what reaches
// the settings file is an orb of the " 8.0" form within the allowed range, or
// nothing is written at all.
TEST_F(PreferencesTest, OrbesHostilesJamaisEcrites) {
  const QString cas[] = {QString(),
                         QString(10000, '9'),
                         QString::fromUtf8("\t\r\n\x01"),
                         QString::fromUtf8("é8"),
                         QString::fromUtf8("Ω€"),
                         "-5",
                         "1e308",
                         "99.9",
                         "15.1",
                         ".",
                         "0.0"};
  for (const QString& texte : cas) {
    const std::string avant = Lire(dossier / "SelvOpt.def");
    TFormOptions options(Dossier());
    options.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&options));
    QLineEdit* orbe = options.Orbe(0);
    QTest::mouseClick(orbe, Qt::LeftButton);
    orbe->selectAll();
    QTest::keyClick(orbe, Qt::Key_Delete);
    QGuiApplication::clipboard()->setText(texte);
    QTest::keyClick(orbe, Qt::Key_V, Qt::ControlModifier);
    // Typed as well, where the keyboard can type it.
    const QString tape = texte.left(8);
    if (std::all_of(tape.begin(), tape.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }))
      QTest::keyClicks(orbe, tape);
    QTest::keyClick(orbe, Qt::Key_Tab);
    const std::size_t messages = temoin.messages.size();
    const bool accepte = options.Valider();
    const std::string apres = Lire(dossier / "SelvOpt.def");
    const std::string contexte = texte.left(20).toStdString();
    if (!accepte) {
      EXPECT_GT(temoin.messages.size(), messages) << contexte;
      EXPECT_EQ(apres, avant) << contexte;
      continue;
    }
    // Second line of the file: the first aspect's orb.
    const std::size_t debut = apres.find("\r\n") + 2;
    const std::string ligne = apres.substr(debut, apres.find("\r\n", debut) - debut);
    ASSERT_EQ(ligne.size(), 4u) << contexte << " -> '" << ligne << "'";
    EXPECT_TRUE(ligne[2] == '.' && std::isdigit(static_cast<unsigned char>(ligne[1])) &&
                std::isdigit(static_cast<unsigned char>(ligne[3])) &&
                (ligne[0] == ' ' || std::isdigit(static_cast<unsigned char>(ligne[0]))))
        << contexte << " -> '" << ligne << "'";
    EXPECT_LE(std::stod(ligne), 15.0) << contexte;
    EXPECT_GE(LesReglages().AspectOrbe[0], 0.0) << contexte;
    EXPECT_LE(LesReglages().AspectOrbe[0], 15.0 * DegEnRad) << contexte;
  }
}
