#pragma once
// The lunations window: eclipses, new and full moons and cardinal ingresses of
// a span of years; one printed page; a double click opens the entry window for
// a chart of the event.
#include <QString>
#include <functional>
#include <vector>

#include "techniques/FenetreTechnique.h"
#include "techniques/Lunaisons.h"

class QPushButton;
class QSpinBox;
class QTableWidget;

namespace selvane {

class TFormLunaisons : public FenetreTechnique {
  Q_OBJECT
 public:
  // ouvrirListing: what the entry window does once the event chart is computed.
  TFormLunaisons(const QString& dossier, std::function<void()> ouvrirListing, QWidget* parent = nullptr);

  void BtnCalculerClick();
  void BtnImprimerClick();
  void GridEclipsesDblClick(int ligne);
  const std::vector<LigneEvenement>& Lignes() const { return lignes_; }

 private:
  QString dossier_;
  std::function<void()> ouvrirListing_;
  QSpinBox* SpinEditDebut;
  QSpinBox* SpinEditFin;
  QPushButton* BtnCalculer;
  QPushButton* BtnImprimer;
  QTableWidget* GridEclipses;
  std::vector<LigneEvenement> lignes_;
};

// The birth record of an event chart: two seconds after the event, in Universal Time.
void PreparerFicheEvenement(double jourTU);

}  // namespace selvane
