#pragma once
// The commands of the birth data windows, registered by the main window's folder list at start.
#include <QString>
#include <functional>

class QWidget;

namespace selvane {

class RegistreCommandes;

// "&Nouveau" (F1, N) and "&Ouvrir..." (F2): the entry window and the birth-file browser
// of the program directory; `ouvrirListing` lists the chart they computed.
void EnregistrerCommandesSaisie(RegistreCommandes& registre, const QString& dossier, QWidget* parent,
                                std::function<void()> ouvrirListing);

}  // namespace selvane
