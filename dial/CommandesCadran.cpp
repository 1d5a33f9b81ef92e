#include "dial/CommandesCadran.h"

#include <QLineEdit>
#include <QPointer>
#include <cmath>

#include "core/Conversions.h"
#include "dial/TFormCosmo.h"
#include "widgets/Commandes.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

// The one dial window: a second "Cosmogramme" replaces the first, which gives its birth record
// back before the radix is restored again for the new one.
void OuvrirCosmogramme(HoteFenetres& hote) {
  static QPointer<TFormCosmo> ouvert;
  if (ouvert) {
    QWidget* cadre = ouvert->parentWidget();
    delete ouvert;
    delete cadre;
    hote.Radix();
  }
  auto* cosmo = new TFormCosmo(hote.RepertoireProgramme());
  cosmo->DefinirOptions([&hote] { return hote.Options(); });
  // The window puts the keyboard on its date field itself.
  hote.OuvrirEnfant(cosmo, true, false);
  ouvert = cosmo;
}

}  // namespace

void EnregistrerCommandesCadran(RegistreCommandes& registre, HoteFenetres& hote) {
  Commande c{"Cosmogramme1", "Cosmogramme", "Calculs divers"};
  c.touches = {{Qt::Key_C, "Cosmogramme"}};
  c.conditions = EnfantRequis | MaisonsRequises | AvecRadix;
  c.action = [&hote] { OuvrirCosmogramme(hote); };
  c.bulle = "Cosmogramme";
  c.rangBarre = 3;
  c.rangMenu = 20;
  registre.Enregistrer(c);
}

void OuvrirCadranAuMoment(HoteFenetres& hote, double jourTU) {
  if (!hote.LancerCommande("Cosmogramme1")) return;
  const double minute = std::nearbyint(jourTU * 1440.0) / 1440.0;
  const DateCalendrier d = JourJulienVersCalendrier(minute);
  for (QWidget* f : hote.Enfants())
    if (auto* cosmo = qobject_cast<TFormCosmo*>(f)) {
      cosmo->MaskEditDate->setText(QString("%1.%2.%3").arg(d.jour, 2, 10, QChar('0')).arg(d.mois, 2, 10, QChar('0')).arg(d.annee));
      cosmo->MaskEditHeure->setText(Texte(FormatHeureHM(HeureDuJour(minute) + 1e-7)));
      cosmo->MaskEditSecondes->setText("00");
      cosmo->EditFuseau->setText("0");
      cosmo->BtnActualiserClick();
    }
}

}  // namespace selvane
