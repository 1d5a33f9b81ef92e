#include "forecast/CommandesPrevision.h"

#include "dessin/Palette.h"
#include "forecast/PanneauCalcul.h"
#include "forecast/TFormDirSol.h"
#include "forecast/TFormInterpret.h"
#include "forecast/TFormInterpret2.h"
#include "widgets/Commandes.h"

namespace selvane {

namespace {

// The saved-charts list of the main window, as the forecast windows place it beside
// themselves and ask it to reread after writing a chart.
ListeThemesSauves ListeThemes(HoteFenetres& hote) {
  ListeThemesSauves liste;
  liste.placer = [&hote](const QPoint& coin, bool ouvrir) { hote.PlacerListeThemes(coin, ouvrir); };
  liste.relire = [&hote] { hote.RelireListeThemes(); };
  return liste;
}

Commande Technique(const char* identifiant, const char* titre, int touche, const char* fonction, const char* bulle,
                   int rangBarre, int rangMenu) {
  Commande c{identifiant, QString::fromUtf8(titre), "Calculs divers"};
  c.touches = {{touche, QString::fromUtf8(fonction)}};
  c.conditions = EnfantRequis | AvecRadix;
  c.bulle = QString::fromUtf8(bulle);
  c.rangBarre = rangBarre;
  c.rangMenu = rangMenu;
  return c;
}

}  // namespace

void EnregistrerCommandesPrevision(RegistreCommandes& registre, HoteFenetres& hote) {
  Commande directions = Technique("Directionssolairesliste1", "Directions solaires et transits (liste)", Qt::Key_D,
                                  "Directions solaires (liste)", "Directions solaires et transits", 6, 40);
  directions.action = [&hote] { hote.OuvrirEnfant(new TFormDirSol, true, true); };
  registre.Enregistrer(directions);

  Commande tables = Technique("InterpretationsEtMP", "Tables prévisionnelles", Qt::Key_T, "", "Tableaux prévisionnels", 7, 50);
  tables.action = [&hote] {
    auto* fenetre = new TFormInterpret(hote.RepertoireProgramme(), ListeThemes(hote));
    fenetre->DefinirOptions([&hote] { return hote.Options(); });
    hote.OuvrirEnfant(fenetre, true, true);
  };
  registre.Enregistrer(tables);

  Commande interpretations = Technique("Interprtations1", "Interprétations", Qt::Key_I,
                                       "Interprétations et tableau des mi-points", "", 0, 80);
  interpretations.visible = false;
  interpretations.action = [&hote] {
    hote.OuvrirEnfant(new TFormInterpret2(hote.RepertoireProgramme(), ListeThemes(hote)), true, true);
  };
  registre.Enregistrer(interpretations);
}

}  // namespace selvane
