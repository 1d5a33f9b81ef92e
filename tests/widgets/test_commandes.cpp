#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QWidget>
#include <functional>
#include <stdexcept>

#include "widgets/Commandes.h"
#include "birthdata/records/ErreurFichier.h"
#include "widgets/Plateforme.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/PlateformeTemoin.h"

using namespace selvane;

namespace {

// A main window reduced to what the preconditions ask, recording what was asked.
struct ContexteTemoin : ContexteCommandes {
  bool limite = true, enfant = true, maisons = true;
  QStringList appels;
  bool TesterNbreFenetres() override { appels << "limite"; return limite; }
  bool AuMoinsUnEnfant() const override { return enfant; }
  bool AvecMaisons() const override { return maisons; }
  void Radix() override { appels << "radix"; }
};

class CommandesTest : public ::testing::Test {
 protected:
  void SetUp() override { DefinirPlateforme(&temoin); }
  void TearDown() override { DefinirPlateforme(nullptr); }
  PlateformeTemoin temoin;
  ContexteTemoin contexte;
  RegistreCommandes registre{contexte};
};

}  // namespace

TEST_F(CommandesTest, LesConditionsArretentLaCommandeAvantLeRadix) {
  registre.Enregistrer({"Cosmogramme1", "Cosmogramme", "Calculs divers", false, {{Qt::Key_C, "Cosmogramme"}},
                        EnfantRequis | MaisonsRequises | AvecRadix, [this] { contexte.appels << "action"; }});
  registre.Enregistrer({"FileNewItem", "&Nouveau", "&Fichier", false, {{Qt::Key_F1, ""}, {Qt::Key_N, ""}}, LimiteFenetres,
                        [this] { contexte.appels << "action"; }});
  struct Cas {
    int touche;
    bool limite, enfant, maisons;
    const char* appels;
  } cas[] = {
      {Qt::Key_C, true, true, true, "radix|action"},
      {Qt::Key_C, true, false, true, ""},
      {Qt::Key_C, true, true, false, ""},
      {Qt::Key_N, true, false, false, "limite|action"},
      {Qt::Key_F1, false, true, true, "limite"},
  };
  for (const Cas& c : cas) {
    contexte.appels.clear();
    contexte.limite = c.limite;
    contexte.enfant = c.enfant;
    contexte.maisons = c.maisons;
    EXPECT_TRUE(registre.ExecuterTouche(c.touche));
    EXPECT_EQ(contexte.appels.join("|"), c.appels) << c.touche;
  }
  EXPECT_FALSE(registre.ExecuterTouche(Qt::Key_Z));  // no command has it: nothing runs
  EXPECT_EQ(registre.ParIdentifiant("FileNewItem"), registre.ParTouche(Qt::Key_N));
}

TEST_F(CommandesTest, UneErreurDeFichierVaDansLaBoiteDErreurEtLaCommandeSuivanteTourne) {
  registre.Enregistrer({"FileOpenItem", "&Ouvrir...", "&Fichier", false, {{Qt::Key_F2, ""}}, SansCondition,
                        [] { throw ErreurFichier("Impossible d'ouvrir le fichier Natal.thz"); }});
  registre.Enregistrer({"Mandala", "Mandala uranien", "Calculs divers", false, {{Qt::Key_M, ""}}, AvecRadix,
                        [] { throw std::runtime_error("'x' n'est pas une valeur entière correcte"); }});
  EXPECT_NO_THROW(registre.ExecuterTouche(Qt::Key_F2));
  EXPECT_NO_THROW(registre.ExecuterTouche(Qt::Key_M));
  ASSERT_EQ(temoin.messages.size(), 2);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_EQ(temoin.messages[0].texte, "Impossible d'ouvrir le fichier Natal.thz");
  EXPECT_EQ(temoin.messages[1].texte, QString::fromUtf8("'x' n'est pas une valeur entière correcte"));
}

TEST_F(CommandesTest, LignesDesRaccourcisParTouche) {
  // Registered out of order; keys without a line stay out of the list.
  registre.Enregistrer({"b", "B", "M", false, {{Qt::Key_S, "Séquences"}, {Qt::Key_T, ""}}, SansCondition, {}});
  registre.Enregistrer({"a", "A", "M", false, {{Qt::Key_F2, "Ouvrir"}, {Qt::Key_A, "Arbres"}}, SansCondition, {}});
  registre.Enregistrer({"c", "C", "M", false, {{Qt::Key_F1, "Nouveau"}}, SansCondition, {}});
  EXPECT_EQ(registre.LignesRaccourcis(), QString::fromUtf8("F1\tNouveau\nF2\tOuvrir\n\na\tArbres\ns\tSéquences\n"));
}

// Each folder registers on its own, in any order: the bar keeps the declared menus' order,
// each menu its places (a submenu's items included), and every item runs its own command.
TEST_F(CommandesTest, ChaqueCommandeASaPlaceQuelQueSoitLOrdreDEnregistrement) {
  ApplicationDeTest<QApplication>();
  QStringList lances;
  const auto commande = [&](const char* id, const char* menu, int rang, bool separateur = false) {
    Commande c{id, id, QString::fromUtf8(menu), separateur, {}, SansCondition, [&lances, id] { lances << id; }};
    c.rangMenu = rang;
    return c;
  };
  registre.DeclarerMenus({"F", "C"});
  registre.Enregistrer(commande("quitter", "F", 90, true));
  registre.Enregistrer(commande("cosmo", "C", 20));
  registre.Enregistrer(commande("couleurs", "F/Config", 40, true));
  registre.Enregistrer(commande("aide", "Aide", 0));
  registre.Enregistrer(commande("nouveau", "F", 10));
  registre.Enregistrer(commande("arbres", "C", 10));
  registre.Enregistrer(commande("fonds", "F/Config", 50));
  registre.Enregistrer(commande("imprimer", "F", 60));
  QMenuBar barre;
  QWidget proprietaire;
  registre.CreerMenus(&barre, &proprietaire);
  const std::function<QString(QMenu*)> disposition = [&](QMenu* menu) {
    QStringList t;
    for (QAction* a : menu->actions())
      t << (a->isSeparator() ? "-" : a->menu() ? a->text() + "(" + disposition(a->menu()) + ")" : a->objectName());
    return t.join(" ");
  };
  QStringList menus;
  for (QAction* a : barre.actions()) menus << a->text() + ": " + disposition(a->menu());
  EXPECT_EQ(menus.join(" | "), "F: nouveau - Config(couleurs fonds) imprimer - quitter | C: arbres cosmo | Aide: aide");
  // A command registered after the menus were made still leaves each item to its own.
  registre.Enregistrer(commande("premier", "F", 0));
  for (const char* id : {"cosmo", "fonds", "quitter"}) registre.Action(id)->trigger();
  EXPECT_EQ(lances.join(" "), "cosmo fonds quitter");
}
