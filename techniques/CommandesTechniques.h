#pragma once
// The commands of the further techniques, registered by the main window's folder list at start.
#include <functional>

namespace selvane {

class HoteFenetres;
class RegistreCommandes;

// In "Calculs divers": midpoint trees (A), the six house frames (H), the mandala (M), the
// planetary sequences (S), the graphic ephemeris (G); in "Outils": the quick ephemeris (E) and
// the lunations (L). Each on the radix. `ouvrirCadran` opens the dial at a UT moment (a
// crossing of the graphic ephemeris double-clicked).
void EnregistrerCommandesTechniques(RegistreCommandes& registre, HoteFenetres& hote,
                                    std::function<void(double jourTU)> ouvrirCadran);

}  // namespace selvane
