#include "techniques/CommandesTechniques.h"

#include "dessin/Palette.h"
#include "techniques/TFormArbresMP.h"
#include "techniques/TFormEphemGraphique.h"
#include "techniques/TFormHouses.h"
#include "techniques/TFormLunaisons.h"
#include "techniques/TFormMandala.h"
#include "techniques/TFormQuickEphem.h"
#include "techniques/TFormSequences.h"
#include "widgets/Commandes.h"

namespace selvane {

namespace {

struct Technique {
  const char* identifiant;
  const char* titre;
  int touche;
  const char* fonction;  // its line in the shortcut list
  unsigned conditions;
  const char* bulle;
  int rangBarre;
  int rangMenu;
};

Commande CommandeDe(const Technique& t, const char* menu) {
  Commande c{t.identifiant, QString::fromUtf8(t.titre), QString::fromUtf8(menu)};
  c.touches = {{t.touche, QString::fromUtf8(t.fonction)}};
  c.conditions = t.conditions | AvecRadix;
  c.bulle = QString::fromUtf8(t.bulle);
  c.rangBarre = t.rangBarre;
  c.rangMenu = t.rangMenu;
  return c;
}

}  // namespace

void EnregistrerCommandesTechniques(RegistreCommandes& registre, HoteFenetres& hote,
                                    std::function<void(double jourTU)> ouvrirCadran) {
  const char* calculs = "Calculs divers";
  Commande arbres = CommandeDe({"Arbresdesmipoints", "Arbres des mi-points", Qt::Key_A, "Arbres des mi-points",
                                EnfantRequis, "Arbres des mi-points", 4, 10}, calculs);
  arbres.action = [&hote] { hote.OuvrirEnfant(new TFormArbresMP, true, true); };
  registre.Enregistrer(arbres);

  Commande maisons = CommandeDe({"SixHoroscopes1", "Les 6 Horoscopes", Qt::Key_H, "Horoscopes uraniens", SansCondition,
                                 "6 Horoscopes", 9, 30}, calculs);
  maisons.action = [&hote] { hote.OuvrirEnfant(new TFormHouses, true, true); };
  registre.Enregistrer(maisons);

  Commande mandala = CommandeDe({"Mandala", "Mandala uranien", Qt::Key_M, "Mandala uranien", EnfantRequis, "Mandala", 5, 60},
                                calculs);
  mandala.action = [&hote] {
    auto* f = new TFormMandala(hote.RepertoireProgramme());
    f->DefinirOptions([&hote] { return hote.Options(); });
    hote.OuvrirEnfant(f, true, true);
  };
  registre.Enregistrer(mandala);

  Commande sequences = CommandeDe({"SequencesPlanetaires", "Séquences planétaires", Qt::Key_S, "Séquences planétaires",
                                   EnfantRequis, "Séquences planétaires", 8, 70}, calculs);
  sequences.action = [&hote] { hote.OuvrirEnfant(new TFormSequences, false, true); };
  registre.Enregistrer(sequences);

  Commande graphique = CommandeDe({"EphemerideGraphique", "Éphéméride graphique", Qt::Key_G, "Éphéméride graphique",
                                   EnfantRequis, "", 0, 90}, calculs);
  graphique.action = [&hote, ouvrirCadran] { hote.OuvrirEnfant(new TFormEphemGraphique(ouvrirCadran, hote.Options()), true, true); };
  registre.Enregistrer(graphique);

  const char* outils = "Outils";
  Commande rapides = CommandeDe({"QuickEphemrides1", "Quick Ephémérides", Qt::Key_E, "", SansCondition, "", 0, 10}, outils);
  rapides.action = [&hote] { hote.OuvrirEnfant(new TFormQuickEphem, false, true); };
  registre.Enregistrer(rapides);

  Commande lunaisons =
      CommandeDe({"LunaisonsEclipses", "Lunaisons, éclipses, Ingres", Qt::Key_L, "", SansCondition, "", 0, 40}, outils);
  lunaisons.separateurAvant = true;
  lunaisons.action = [&hote] {
    hote.OuvrirEnfant(new TFormLunaisons(hote.RepertoireProgramme(), [&hote] { hote.OuvrirListing(); }), true, true);
  };
  registre.Enregistrer(lunaisons);
}

}  // namespace selvane
