// The main window's "Interprétations" command: the radix step, then the window on that chart.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <optional>

#include "birthdata/records/FichierNaissance.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "forecast/TFormInterpret2.h"
#include "frame/TMainForm.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"

using namespace selvane;
namespace fs = std::filesystem;

TEST(CommandeInterpretation, OuvreLaFenetreSurLeRadixActif) {
  ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  DossierProgramme dossier("selvane_interp", {"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf", "Vildef.def",
                                              "Zones_Numbers.tzn", "TZDBCel.tzb", "France.cty", NomFichierInterpretation});
  EcrireReglagesParDefaut(dossier.Chemin());
  ReinitialiserEtat();
  auto* principale = new TMainForm(QString::fromStdString(dossier.Chemin().string()));
  const fs::path cht = dossier / "DUPONT.source.cht.txt";
  EcrireFichierTheme(cht, FicheDeTest());
  principale->RouvrirTheme(QString::fromStdString(cht.string()));
  const double soleil = Etat().Positions[Soleil][1];
  Etat().FicheEnCours.Date = "01/01/2000";  // the command starts from the radix, not from this
  ASSERT_TRUE(principale->ExecuterTouche(Qt::Key_I));
  EXPECT_TRUE(temoin.messages.isEmpty());
  TFormInterpret2* fenetre = nullptr;
  for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
    if (auto* i = qobject_cast<TFormInterpret2*>(f->widget())) fenetre = i;
  ASSERT_NE(fenetre, nullptr);
  EXPECT_EQ(fenetre->windowTitle(), "Jean DUPONT  -  Astrologie Uranienne");
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "07/03/1952");
  EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][6], soleil);
  QTest::mouseClick(fenetre->BtnInterpretation, Qt::LeftButton);
  EXPECT_TRUE(fenetre->TexteAffiche().startsWith("Jean DUPONT\nThème de naissance :   07/03/1952"));
  // Closing the frame closes the window, which puts the birth record back.
  Etat().FicheEnCours.Date = "01/01/2000";
  qobject_cast<QMdiSubWindow*>(fenetre->parentWidget())->close();
  EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), "07/03/1952");
  delete principale;
}
