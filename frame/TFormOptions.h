#pragma once
// "Options": aspects and orbs, house system, orientation; rewrites "SelvOpt.def".
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTabWidget;

namespace selvane {

class TFormOptions : public QDialog {
  Q_OBJECT
 public:
  explicit TFormOptions(const QString& dossier, QWidget* parent = nullptr);
  QCheckBox* Case(int aspect) const { return cases_[aspect]; }
  QLineEdit* Orbe(int aspect) const { return orbes_[aspect]; }
  QListWidget* Maisons() const { return maisons_; }
  QRadioButton* AscendantAGauche() const { return ascendant_; }
  QRadioButton* BelierAGauche() const { return belier_; }
  QTabWidget* Pages() const { return pages_; }
  // "OK": false (dialog stays open) when an orb is refused.
  bool Valider();

 private:
  QString dossier_;
  QTabWidget* pages_;
  QCheckBox* cases_[9];
  QLineEdit* orbes_[9];
  QListWidget* maisons_;
  QRadioButton* ascendant_;
  QRadioButton* belier_;
};

}  // namespace selvane
