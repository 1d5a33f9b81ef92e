#include "frame/CommandesDossiers.h"

#include "birthdata/CommandesSaisie.h"
#include "dial/CommandesCadran.h"
#include "forecast/CommandesPrevision.h"
#include "techniques/CommandesTechniques.h"
#include "widgets/Commandes.h"

namespace selvane {

void EnregistrerCommandesDesDossiers(RegistreCommandes& registre, HoteFenetres& hote) {
  EnregistrerCommandesSaisie(registre, hote.RepertoireProgramme(), hote.FenetreHote(), [&hote] { hote.OuvrirListing(); });
  EnregistrerCommandesCadran(registre, hote);
  EnregistrerCommandesPrevision(registre, hote);
  // A crossing of the graphic ephemeris opens the dial at its moment.
  EnregistrerCommandesTechniques(registre, hote, [&hote](double jourTU) { OuvrirCadranAuMoment(hote, jourTU); });
}

}  // namespace selvane
