#pragma once
// The midpoint trees window: the tree of every body side by side in columns on
// a tall surface, drawn and printed by one routine.
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "techniques/ArbresMP.h"
#include "techniques/DessinArbres.h"
#include "techniques/FenetreTechnique.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace selvane {

class TFormArbresMP : public FenetreTechnique {
  Q_OBJECT
 public:
  explicit TFormArbresMP(QWidget* parent = nullptr);

  void BtnCalculClick();
  void SpeedButton1Click();
  const std::vector<ArbreMP>& Arbres() const { return arbres_; }
  const QImage& Image() const { return image_; }

 private:
  QComboBox* ComboBoxHarmonic;
  QComboBox* ComboBoxOrbe;
  QPushButton* BtnCalcul;
  QPushButton* SpeedButton1;
  QScrollArea* Defilement;
  QLabel* Image1;
  QImage image_;
  std::vector<ArbreMP> arbres_;
  void Calculer();
  void DessinerEcran();
  EnteteArbres Entete() const;
};

}  // namespace selvane
