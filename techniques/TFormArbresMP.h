#pragma once
// The midpoint trees window: the tree of every body side by side in columns on
// a tall surface, drawn and printed by one routine.
#include <QImage>
#include <QPainter>
#include <string>
#include <vector>

#include "dessin/Feuille.h"
#include "techniques/ArbresMP.h"
#include "techniques/FenetreTechnique.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace selvane {

struct EnteteArbres {
  std::string titre;   // bold line (Windows-1252)
  std::string detail;  // second line
};
// Draws the trees (`imprimante`: the printer's font size, margins and line limit, and
// the header when there are not too many rows); returns the number of hits. `hauteur`, when
// given, is the height the page leaves: the columns of trees stop above it.
int DessinerArbres(QPainter& p, const std::vector<ArbreMP>& arbres, bool imprimante, const EnteteArbres& entete,
                   double hauteur = 0);

// The trees as a sheet: one row a line of a tree, in the order drawn (the root's own line
// in its place), with the tree's body, the body or the two bodies of the line, the offset.
Feuille FeuilleArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete);

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
