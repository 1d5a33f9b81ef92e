#pragma once
// The quick ephemeris window: the slow bodies and the Uranian points at 0h UT
// on the firsts of a year's months or every day of a month, printed on one page.
#include <vector>

#include "techniques/EphemeridesRapides.h"
#include "techniques/FenetreTechnique.h"

class QComboBox;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace selvane {

class TFormQuickEphem : public FenetreTechnique {
  Q_OBJECT
 public:
  explicit TFormQuickEphem(QWidget* parent = nullptr);
  ~TFormQuickEphem() override;

  void Calculer();
  void BtnImprimerClick();
  const std::vector<LigneEphemeride>& Lignes() const { return lignes_; }

 private:
  QSpinBox* SpinEditAnnee;
  QRadioButton* RadioAnnuel;
  QRadioButton* RadioMensuel;
  QComboBox* ComboBoxMois;
  QPushButton* BtnCalcul;
  QPushButton* BtnImprimer;
  QTableWidget* StringGrid1;
  std::vector<LigneEphemeride> lignes_;
  int annee_ = 0, mois_ = 0;
  void FocusChange(QWidget* ancien, QWidget* nouveau);
};

}  // namespace selvane
