#pragma once
// The directions and transits list window: three point lists, the mode, the harmonic, the span
// of ages or years and the transit aspects; "Calculer" fills the list, which prints on one page
// or goes to the clipboard as tab-separated text; Ctrl+C and the list's menu copy it or export
// it as CSV, as shown.
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "forecast/ImpressionListe.h"
#include "forecast/ListeDirections.h"

class QButtonGroup;
class QListWidget;
class QPainter;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;

namespace selvane {

class GrilleTexte;

class TFormDirSol : public QWidget {
  Q_OBJECT
 public:
  // Reads the current chart: its natal column and birth moment, its name.
  explicit TFormDirSol(QWidget* parent = nullptr);

  void BtnCalculerClick();
  void BtnImprimerClick();
  void BtnExporterClick();

  GrilleTexte* ListeDirections() const { return ListeDirections_; }
  QListWidget* ListePoints(int k) const { return points_[static_cast<std::size_t>(k)]; }
  QListWidget* AspectsTransit() const { return aspects_; }
  QListWidget* HarmoniqueDir() const { return harmoniques_; }
  const PageListe& Page() const { return page_; }

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;

 private:
  // Copied at opening: other windows may freeze other charts meanwhile.
  NatalDirections natal_;
  QString nom_;
  std::array<QListWidget*, 3> points_{};
  std::array<QPushButton*, 3> tout_{};
  QRadioButton* directions_;
  QRadioButton* transits_;
  QRadioButton* versMiPoints_;
  QRadioButton* versPoints_;
  QListWidget* harmoniques_;
  QSpinBox* debut_;
  QSpinBox* fin_;
  QRadioButton* uneAnnee_;
  QRadioButton* deuxAnnees_;
  QWidget* panneauAspects_;
  QScrollArea* defilementReglages_;
  QListWidget* aspects_;
  GrilleTexte* ListeDirections_;
  PageListe page_;  // the list shown, as printed and copied

  void ToutClick(int k);
  void ModeClick();
  std::vector<int> Coches(int k) const;
  bool DemanderAnnee(int& annee);
  // The grid shows the sheet of page_.
  void Afficher();
};

}  // namespace selvane
