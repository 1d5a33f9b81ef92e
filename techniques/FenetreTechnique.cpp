#include "techniques/FenetreTechnique.h"
#include "widgets/Fenetres.h"

#include <QKeyEvent>

namespace selvane {

FenetreTechnique::FenetreTechnique(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_DeleteOnClose); }

void FenetreTechnique::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    FermerFenetre(this);
    return;
  }
  QWidget::keyPressEvent(evenement);
}

}  // namespace selvane
