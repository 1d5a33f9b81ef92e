#pragma once
// The mandala window: three axes, their framing lists and the counts of the
// bodies, then the figure with the marks; printed with the lists.
#include <QImage>
#include <QString>
#include <array>
#include <functional>

#include "dessin/Palette.h"
#include "techniques/FenetreTechnique.h"
#include "techniques/Mandala.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;
class QWidget;

namespace selvane {

class TFormMandala : public FenetreTechnique {
  Q_OBJECT
 public:
  // dossier: where "AMandala.bmp" is read.
  explicit TFormMandala(const QString& dossier, QWidget* parent = nullptr);
  // The frame's drawing options at print time: "Couleurs" off prints the marks by their shapes.
  void DefinirOptions(std::function<OptionsDessin()> options) { options_ = std::move(options); }

  void BtnAxe2Click() { OuvrirChoix(2); }
  void BtnAxe3Click() { OuvrirChoix(3); }
  void BtnChoixAxeOKClick();
  void BtnCalculClick();
  void BtnMandalaClick();
  void BtnImprimerClick();
  void SpeedButton2Click();
  const CalculMandala& Calcul() const { return calcul_; }
  const QImage& Figure() const { return figure_; }

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;

 private:
  std::function<OptionsDessin()> options_;
  QString dossier_;
  LongitudesNatales natal_{};
  std::array<AxeMandala, 3> AxeMandala_ = AxesMandalaDefaut;
  CalculMandala calcul_;
  int axeChoisi_ = 0;
  QImage figure_;
  QImage fond_;  // the background read by the last "Mandala"

  QWidget* PanelGauche;
  QWidget* PanelTables;
  QWidget* PanelAxe;
  QLabel* ImageFigure;
  QLineEdit* EditAxe[4] = {};
  QTableWidget* GridAxe[4] = {};
  QTableWidget* GridTotaux;
  QListWidget* ListeA;
  QListWidget* ListeB;
  QPushButton* BtnCalcul;
  QPushButton* BtnMandala;
  QPushButton* BtnImprimer;
  QPushButton* SpeedButton2;

  void OuvrirChoix(int axe);
  void RemplirListes();
  void CalculerListes(bool axe1);
  bool LireFond(QImage& fond);
  // The axes far enough apart for a figure; otherwise the warning, and false.
  bool AxesAcceptes();  // false after the file error
  // The figure's side: the window's height beside the left panel, so it is never cut.
  int CoteFigure() const;
  void DessinerFigure();
};

}  // namespace selvane
