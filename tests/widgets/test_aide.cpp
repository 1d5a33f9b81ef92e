#include <gtest/gtest.h>

#include "../AppliDeTest.h"

#include <QApplication>
#include <QTextBrowser>
#include <filesystem>

#include "FenetreAide.h"

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
