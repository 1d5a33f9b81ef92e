#include "techniques/FenetreTechnique.h"
#include "widgets/Fenetres.h"

#include <QKeyEvent>
#include <QPrinter>

#include "widgets/Plateforme.h"

namespace selvane {

FenetreTechnique::FenetreTechnique(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_DeleteOnClose); }

void FenetreTechnique::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    FermerFenetre(this);
    return;
  }
  QWidget::keyPressEvent(evenement);
}

bool DemanderImpression(QPrinter& imprimante) {
  imprimante.setPageOrientation(QPageLayout::Portrait);
  return LaPlateforme().DialogueImpression(imprimante);
}

}  // namespace selvane
