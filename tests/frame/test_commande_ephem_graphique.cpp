// The main window's "Éphéméride graphique" command: key G, the radix step, the window on that chart.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <cstdlib>
#include <filesystem>

#include "birthdata/records/FichierNaissance.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dial/TFormCosmo.h"
#include "frame/TMainForm.h"
#include "reglages/Reglages.h"
#include "techniques/TFormEphemGraphique.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"

using namespace selvane;
namespace fs = std::filesystem;

TEST(CommandeEphemGraphique, ToucheGSurLeRadix) {
  ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  DossierProgramme dossier("selvane_graphe", {"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf", "Vildef.def",
                                              "Zones_Numbers.tzn", "TZDBCel.tzb", "France.cty"});
  EcrireReglagesParDefaut(dossier.Chemin());
  ReinitialiserEtat();
  auto* principale = new TMainForm(QString::fromStdString(dossier.Chemin().string()));
  const fs::path cht = dossier / "DUPONT.source.cht.txt";
  EcrireFichierTheme(cht, FicheDeTest());
  principale->RouvrirTheme(QString::fromStdString(cht.string()));
  const double soleil = Etat().Positions[Soleil][1];
  ASSERT_TRUE(principale->ExecuterTouche(Qt::Key_G));
  EXPECT_TRUE(temoin.messages.isEmpty());
  TFormEphemGraphique* fenetre = nullptr;
  for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
    if (auto* g = qobject_cast<TFormEphemGraphique*>(f->widget())) fenetre = g;
  ASSERT_NE(fenetre, nullptr);
  EXPECT_EQ(fenetre->windowTitle(), QString::fromUtf8("Jean DUPONT  -  Éphéméride graphique"));
  EXPECT_FALSE(fenetre->Graphe().croisements.empty());
  // The natal lines are the radix's.
  bool soleilVu = false;
  for (const CibleGraphe& c : fenetre->Graphe().cibles)
    if (c.a == Soleil && c.b == 0) soleilVu = std::abs(c.longitudeDeg - soleil * RadEnDeg) < 1e-9;
  EXPECT_TRUE(soleilVu);
  const char* captures = std::getenv("SELVANE_CAPTURES");
  if (captures) {
    principale->resize(1600, 950);
    principale->show();
    qobject_cast<QMdiSubWindow*>(fenetre->parentWidget())->showMaximized();
    QApplication::processEvents();
    principale->grab().save(QString("%1/ephem_graphique_principale.png").arg(captures));
  }

  // A double-clicked crossing opens the dial at its minute, Universal Time.
  const std::size_t k = fenetre->Graphe().croisements.size() / 3;
  const double jour = fenetre->Graphe().croisements[k].jourTU;
  fenetre->OuvrirCadranSur(static_cast<int>(k));
  EXPECT_TRUE(temoin.messages.isEmpty());
  TFormCosmo* cosmo = nullptr;
  for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
    if (auto* c = qobject_cast<TFormCosmo*>(f->widget())) cosmo = c;
  ASSERT_NE(cosmo, nullptr);
  EXPECT_NEAR(cosmo->JourJulienTransit(), jour, 0.5 / 1440 + 1e-6);
  EXPECT_EQ(cosmo->EditFuseau->text(), "0");
  if (captures) {
    QApplication::processEvents();
    principale->grab().save(QString("%1/ephem_graphique_cadran.png").arg(captures));
  }
  delete principale;
}
