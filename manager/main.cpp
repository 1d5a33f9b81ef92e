#include "widgets/Plateforme.h"
#include "manager/TMainForm.h"

int main(int argc, char** argv) {
  selvane::ApplicationSelvane application(argc, argv);
  selvane::gestion::TMainForm fenetre;
  fenetre.show();
  return application.exec();
}
