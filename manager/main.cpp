#include <QDir>

#include "manager/TMainForm.h"
#include "widgets/Plateforme.h"

int main(int argc, char** argv) {
  selvane::ApplicationSelvane application(argc, argv);
  // Birth files live beside the program, wherever it was started from.
  QDir::setCurrent(QCoreApplication::applicationDirPath());
  selvane::gestion::TMainForm fenetre;
  fenetre.show();
  return application.exec();
}
