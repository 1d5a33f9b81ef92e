#pragma once
// The folders whose commands the main window holds: each registers its own from one function.
namespace selvane {

class HoteFenetres;
class RegistreCommandes;

void EnregistrerCommandesDesDossiers(RegistreCommandes& registre, HoteFenetres& hote);

}  // namespace selvane
