#include <gtest/gtest.h>

#include "tests/support/AppliDeTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QLabel>
#include <QTextBrowser>
#include <filesystem>

#include "widgets/FenetreAide.h"
#include "widgets/Plateforme.h"

using namespace selvane;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

}  // namespace

TEST(FenetreAide, ChaqueRubriqueNommeeSAffiche) {
  Application();
  FenetreAide fenetre(QString(SELVANE_BIN_DIR) + "/aide");
  struct Cas {
    const char* rubrique;
    const char* titre;
  } cas[] = {{"index.htm", "Aide de Selvane"},
             {"EnterData.htm", "Saisie des données de naissance"},
             {"DataLoad.htm", "Fichiers de naissances"},
             {"OptionHelp", "Options"},
             {"Gestion des fichiers.htm", "GestSelvane — gestion des fichiers"}};
  for (const auto& c : cas) {
    EXPECT_TRUE(fenetre.Afficher(QString::fromUtf8(c.rubrique))) << c.rubrique;
    EXPECT_EQ(fenetre.Navigateur()->documentTitle(), QString::fromUtf8(c.titre)) << c.rubrique;
    EXPECT_GT(fenetre.Navigateur()->toPlainText().size(), 200) << c.rubrique;
  }
  EXPECT_FALSE(fenetre.Afficher("Inconnue.htm"));
  EXPECT_TRUE(fenetre.Navigateur()->toPlainText().contains(QString::fromUtf8("Rubrique introuvable")));
}

// Qt's own dialogs speak French once the translations are loaded, as both programs do.
TEST(TraductionsQt, DialoguesDeQtEnFrancais) {
  Application();
  ASSERT_TRUE(ChargerTraductionsQt(*QCoreApplication::instance()));
  QColorDialog couleurs;
  couleurs.setOption(QColorDialog::DontUseNativeDialog);
  QStringList textes;
  for (QAbstractButton* b : couleurs.findChildren<QAbstractButton*>()) textes << b->text();
  for (QLabel* l : couleurs.findChildren<QLabel*>()) textes << l->text();
  const QString tout = textes.join('|');
  EXPECT_TRUE(tout.contains("Annuler")) << tout.toStdString();
  EXPECT_FALSE(tout.contains("Cancel")) << tout.toStdString();
  EXPECT_FALSE(tout.contains("Basic colors")) << tout.toStdString();
  EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), "Imprimer");
}
