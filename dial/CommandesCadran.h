#pragma once
// The commands of the dial, registered by the main window's folder list at start.
namespace selvane {

class HoteFenetres;
class RegistreCommandes;

// "Cosmogramme" (C): the one dial window on the radix; a second replaces the first.
void EnregistrerCommandesCadran(RegistreCommandes& registre, HoteFenetres& hote);
// The dial command as the user runs it, then its moment set to the minute of a UT Julian
// day (zone "0"), as a crossing picked in another window asks.
void OuvrirCadranAuMoment(HoteFenetres& hote, double jourTU);

}  // namespace selvane
