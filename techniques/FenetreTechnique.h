#pragma once
// What the technique windows share: Escape closes, closing frees, the print
// dialog of the platform on a portrait page, the glyph and text fonts.
#include <QWidget>

class QPrinter;

namespace selvane {

class FenetreTechnique : public QWidget {
  Q_OBJECT
 public:
  explicit FenetreTechnique(QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
};

// Portrait, high resolution; false when the user cancelled.
bool DemanderImpression(QPrinter& imprimante);

}  // namespace selvane
