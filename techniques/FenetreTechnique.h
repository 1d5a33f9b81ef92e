#pragma once
// What the technique windows share: Escape closes, closing frees.
#include <QWidget>

namespace selvane {

class FenetreTechnique : public QWidget {
  Q_OBJECT
 public:
  explicit FenetreTechnique(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
};

}  // namespace selvane
