#pragma once
// The six Uranian house frames and the meridian houses, one at a time as a
// wheel, with the midpoint connections on the frame's axes; printed six on a
// page or the current one alone.
#include <QImage>
#include <array>

#include "techniques/DessinCadres.h"
#include "techniques/FenetreTechnique.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace selvane {

class TFormHouses : public FenetreTechnique {
  Q_OBJECT
 public:
  explicit TFormHouses(QWidget* parent = nullptr);

  // The frame chosen, its connections and, for the meridian frame, its cusps written to the
  // natal houses; then the painting, which only draws what was prepared (a resize repaints it).
  void PreparerCadre();
  void Dessiner();
  void BtnImprimerClick();
  // What the frame shown is made of (tests, printing).
  DonneesCadre Donnees(int item, double ecart) const;
  const QImage& Image() const { return image_; }

 protected:
  void resizeEvent(QResizeEvent* evenement) override;

 private:
  QButtonGroup* RadioGroupPlan;
  QComboBox* ComboBoxOrbe;
  QCheckBox* CheckBoxConnexions;
  QButtonGroup* RadioGroupPrintChoice;
  QPushButton* BtnImprimer;
  QLabel* Image1;
  QImage image_;
  DonneesCadre donnees_;
  ThemeCadres theme_;
};

}  // namespace selvane
