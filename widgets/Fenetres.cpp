#include "widgets/Fenetres.h"

#include <QMdiSubWindow>
#include <QWidget>

namespace selvane {

void FermerFenetre(QWidget* fenetre) {
  if (auto* cadre = qobject_cast<QMdiSubWindow*>(fenetre->parentWidget())) cadre->close();
  else fenetre->close();
}

}  // namespace selvane
