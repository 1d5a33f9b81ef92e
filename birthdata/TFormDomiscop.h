#pragma once
// "Planisphère et fuseaux horaires" (the world map full screen, the coordinates
// under the pointer) and "Régimes horaires" (a regional map).
#include <QDialog>
#include <QWidget>

#include "data/images/ImagesGeometrie.h"  // the map's projection, shared with the picture generator

class QLineEdit;
class QSvgRenderer;

namespace selvane {

class TFormDomiscop : public QWidget {
  Q_OBJECT
 public:
  explicit TFormDomiscop(const QString& dossier, QWidget* parent = nullptr);
  QLineEdit* Position() const { return position_; }
  void MontrerPosition(int x, int y);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseMoveEvent(QMouseEvent* evenement) override;
  void keyPressEvent(QKeyEvent* evenement) override;

 private:
  QSvgRenderer* carte_;
  QLineEdit* position_;
  int hauteurEcran_;
};

class TFormCarte : public QDialog {
  Q_OBJECT
 public:
  // index: 0 Afrique .. 6 Russie.
  TFormCarte(const QString& dossier, int index, QWidget* parent = nullptr);
  static const QStringList& NomsCartes();     // as the list shows them
  static const QStringList& FichiersCartes();  // base names of the pictures
};

}  // namespace selvane
