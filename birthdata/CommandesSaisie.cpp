#include "birthdata/CommandesSaisie.h"

#include "widgets/Commandes.h"
#include "core/EtatTheme.h"
#include "birthdata/TFormEnterData.h"
#include "birthdata/TFormLoadData.h"

namespace selvane {

void EnregistrerCommandesSaisie(RegistreCommandes& registre, const QString& dossier, QWidget* parent,
                                std::function<void()> ouvrirListing) {
  const QString fichier = "&Fichier";
  Commande nouveau{"FileNewItem", "&Nouveau", fichier};
  nouveau.touches = {{Qt::Key_F1, "Fichier/Nouveau"},
                     {Qt::Key_N, QString::fromUtf8("Ouvre la fenêtre d'entrée de nouvelles données")}};
  nouveau.conditions = LimiteFenetres;
  nouveau.bulle = "Nouveau";
  nouveau.rangBarre = 2;
  nouveau.rangMenu = 10;
  nouveau.action = [dossier, parent, ouvrirListing] {
    Etat().NomFichierNaissance = "Natal";
    TFormEnterData saisie(dossier, TFormEnterData::Nouvelle, ouvrirListing, parent);
    saisie.exec();
  };
  registre.Enregistrer(nouveau);
  Commande ouvrir{"FileOpenItem", "&Ouvrir...", fichier};
  ouvrir.touches = {{Qt::Key_F2, "Fichier/Ouvrir"}};
  ouvrir.conditions = LimiteFenetres;
  ouvrir.bulle = "Ouvrir";
  ouvrir.rangBarre = 1;
  ouvrir.rangMenu = 20;
  ouvrir.action = [dossier, parent, ouvrirListing] {
    Etat().NomFichierNaissance = "Natal";
    auto* navigateur = new TFormLoadData(dossier, ouvrirListing, [dossier, parent, ouvrirListing] {
      TFormEnterData saisie(dossier, TFormEnterData::Modification, ouvrirListing, parent);
      saisie.exec();
    }, parent);
    navigateur->setAttribute(Qt::WA_DeleteOnClose);
    navigateur->show();
  };
  registre.Enregistrer(ouvrir);
}

}  // namespace selvane
