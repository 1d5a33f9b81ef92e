#pragma once
// The planetary sequences window: the natal points in the 22°30' dial and the
// groups that stand within the orb of their first member.
#include <vector>

#include "techniques/FenetreTechnique.h"
#include "techniques/Sequences.h"

class QComboBox;
class QPushButton;
class QTableWidget;

namespace selvane {

class TFormSequences : public FenetreTechnique {
  Q_OBJECT
 public:
  explicit TFormSequences(QWidget* parent = nullptr);

  void Calculer();
  void ComboBox1Change(int item);
  void BtnImprimerClick();
  const std::vector<Sequence>& Sequences() const { return sequences_; }
  const std::vector<PointSequence>& Points() const { return points_; }

 protected:
  void showEvent(QShowEvent* evenement) override;

 private:
  // Inside the main window's work area, a window not maximised keeps within the area.
  void TenirDansLaZone();
  bool ajustee_ = false;
  QTableWidget* GridPoints;
  QTableWidget* GridSequences;
  QComboBox* ComboBox1;
  QPushButton* BtnImprimer;
  double OrbeSequences = 0.5;
  std::vector<PointSequence> points_;
  std::vector<Sequence> sequences_;
};

}  // namespace selvane
