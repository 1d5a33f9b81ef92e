#pragma once
// The commands of the forecast windows, registered by the main window's folder list at start.
namespace selvane {

class HoteFenetres;
class RegistreCommandes;

// "Directions solaires et transits (liste)" (D), "Tables prévisionnelles" (T) and the hidden
// "Interprétations" (I), each on the radix.
void EnregistrerCommandesPrevision(RegistreCommandes& registre, HoteFenetres& hote);

}  // namespace selvane
