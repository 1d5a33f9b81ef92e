#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <optional>

#include "core/EtatTheme.h"
#include "frame/TMainForm.h"
#include "reglages/Reglages.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/PlateformeTemoin.h"
#include "widgets/Commandes.h"

// The whole command surface of the main window as the user meets it: every menu item in its
// place with its caption and state, the toolbar, each command's keys and preconditions, the
// shortcut list. Whoever registers the commands, this listing must not move.
using namespace selvane;

namespace {

QString Etats(const QAction* a) {
  QString e;
  if (a->isCheckable()) e += a->isChecked() ? " [x]" : " [ ]";
  if (!a->isVisible()) e += " (cache)";
  if (!a->isEnabled()) e += " (inactif)";
  return e;
}

void DecrireMenu(const QMenu* menu, const QString& retrait, QStringList& lignes) {
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      lignes << retrait + "-";
    } else if (a->menu()) {
      lignes << retrait + "> " + a->text() + Etats(a);
      DecrireMenu(a->menu(), retrait + "  ", lignes);
    } else {
      lignes << retrait + a->objectName() + " \"" + a->text() + "\"" + Etats(a);
    }
  }
}

QString Conditions(unsigned c) {
  QStringList noms;
  if (c & LimiteFenetres) noms << "limite";
  if (c & EnfantRequis) noms << "enfant";
  if (c & MaisonsRequises) noms << "maisons";
  if (c & AvecRadix) noms << "radix";
  return noms.join("+");
}

QString Disposition(TMainForm& principale) {
  QStringList lignes;
  for (const QAction* a : principale.menuBar()->actions()) {
    lignes << "# " + a->text() + Etats(a->menu()->menuAction()) + (a->menu()->isEnabled() ? "" : " (menu inactif)");
    DecrireMenu(a->menu(), "  ", lignes);
  }
  lignes << "# barre";
  for (const QAction* a : principale.findChild<QToolBar*>("BarreOutils")->actions())
    lignes << "  " + a->text() + " | " + a->toolTip();
  lignes << "# commandes";
  QStringList commandes;
  for (const Commande& c : principale.Commandes().Liste()) {
    QStringList touches;
    for (const ToucheCommande& t : c.touches) touches << QKeySequence(t.code).toString() + "=" + t.fonction;
    commandes << "  " + c.identifiant + " {" + touches.join(", ") + "} " + Conditions(c.conditions) + " barre " +
                     QString::number(c.rangBarre);
  }
  commandes.sort();  // the registry's own order is not what the user sees
  lignes << commandes;
  lignes << "# raccourcis" << principale.Commandes().LignesRaccourcis();
  return lignes.join("\n");
}

}  // namespace

TEST(DispositionDesCommandes, MenusBarreTouchesEtRaccourcisInchanges) {
  ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  DossierProgramme programme("selvane_disposition", {"Vildef.def"});
  EcrireReglagesParDefaut(programme.Chemin());
  ReinitialiserEtat();
  TMainForm principale(QString::fromStdString(programme.Chemin().string()));
  const QString attendu = QString::fromUtf8(R"--(# &Fichier
  FileNewItem "&Nouveau"
  FileOpenItem "&Ouvrir..."
  Listedesthmessauvegards1 "Thèmes récemment ouverts"
  -
  > Configuration des impressions
    FileStyleImpression "Couleurs" [x]
    Fondsdessignescolores "Fonds des signes colorés" [ ]
  FilePrintItem "&Imprimer A4"
  ImprimerA5 "Imprimer A5" (cache) (inactif)
  -
  Enregistrerthmeencours1 "Enregistrer thème en cours"
  -
  FileExitItem "&Quitter"
# Calculs divers (inactif) (menu inactif)
  Arbresdesmipoints "Arbres des mi-points"
  Cosmogramme1 "Cosmogramme"
  SixHoroscopes1 "Les 6 Horoscopes"
  Directionssolairesliste1 "Directions solaires et transits (liste)"
  InterpretationsEtMP "Tables prévisionnelles"
  Mandala "Mandala uranien"
  SequencesPlanetaires "Séquences planétaires"
  Interprtations1 "Interprétations" (cache) (inactif)
  EphemerideGraphique "Éphéméride graphique"
# Préférences
  Slectiondeplantes1 "Sélection de planètes"
  AspectsDomificationOrientation "Aspects - Domification - Orientation"
  Couleurs1 "Couleurs + taille glyphes"
# Outils
  QuickEphemrides1 "Quick Ephémérides"
  GestionFichiers "Gestion des fichiers"
  Planisphre1 "Planisphère"
  -
  LunaisonsEclipses "Lunaisons, éclipses, Ingres"
  Thesaurus "Backup (sauvegarde)"
# Fenêtre (inactif) (menu inactif)
  Cascade1 "Mosaïque"
  Cascade2 "Cascade"
  -
  Fermertout1 "Fermer fenêtres"
# Aide
  Aide1 "Aide"
# A propos
  Raccourcis1 "Raccourcis"
  Selvane1 "A propos..."
# barre
  Ouvrir... | Ouvrir
  Nouveau | Nouveau
  Cosmogramme | Cosmogramme
  Arbres des mi-points | Arbres des mi-points
  Mandala uranien | Mandala
  Directions solaires et transits (liste) | Directions solaires et transits
  Tables prévisionnelles | Tableaux prévisionnels
  Séquences planétaires | Séquences planétaires
  Les 6 Horoscopes | 6 Horoscopes
  Planisphère | Planisphère
# commandes
  Aide1 {}  barre 0
  Arbresdesmipoints {A=Arbres des mi-points} enfant+radix barre 4
  AspectsDomificationOrientation {P=}  barre 0
  Cascade1 {}  barre 0
  Cascade2 {}  barre 0
  Cosmogramme1 {C=Cosmogramme} enfant+maisons+radix barre 3
  Couleurs1 {}  barre 0
  Directionssolairesliste1 {D=Directions solaires (liste)} enfant+radix barre 6
  Enregistrerthmeencours1 {} enfant+maisons barre 0
  EphemerideGraphique {G=Éphéméride graphique} enfant+radix barre 0
  Fermertout1 {}  barre 0
  FileExitItem {}  barre 0
  FileNewItem {F1=Fichier/Nouveau, N=Ouvre la fenêtre d'entrée de nouvelles données} limite barre 2
  FileOpenItem {F2=Fichier/Ouvrir} limite barre 1
  FilePrintItem {}  barre 0
  FileStyleImpression {}  barre 0
  Fondsdessignescolores {}  barre 0
  GestionFichiers {}  barre 0
  ImprimerA5 {}  barre 0
  InterpretationsEtMP {T=} enfant+radix barre 7
  Interprtations1 {I=Interprétations et tableau des mi-points} enfant+radix barre 0
  Listedesthmessauvegards1 {O=Ouvre la liste des thèmes récemments ouverts}  barre 0
  LunaisonsEclipses {L=} radix barre 0
  Mandala {M=Mandala uranien} enfant+radix barre 5
  Planisphre1 {}  barre 10
  QuickEphemrides1 {E=} radix barre 0
  Raccourcis1 {}  barre 0
  Selvane1 {}  barre 0
  SequencesPlanetaires {S=Séquences planétaires} enfant+radix barre 8
  SixHoroscopes1 {H=Horoscopes uraniens} radix barre 9
  Slectiondeplantes1 {}  barre 0
  Thesaurus {}  barre 0
# raccourcis
F1	Fichier/Nouveau
F2	Fichier/Ouvrir

a	Arbres des mi-points
c	Cosmogramme
d	Directions solaires (liste)
g	Éphéméride graphique
h	Horoscopes uraniens
i	Interprétations et tableau des mi-points
m	Mandala uranien
n	Ouvre la fenêtre d'entrée de nouvelles données
o	Ouvre la liste des thèmes récemments ouverts
s	Séquences planétaires
)--");
  const QString lu = Disposition(principale);
  EXPECT_EQ(lu.toStdString(), attendu.toStdString());
  EXPECT_TRUE(temoin.messages.isEmpty());
}
