#include <cstdio>
#include <cstdlib>

#include "FenetresAnnexes.h"
#include "Plateforme.h"
#include "TMainForm.h"

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    std::fprintf(stderr, "Selvane : aucun écran disponible. Lancez-le sous X, ou sans écran avec "
                         "xvfb-run build/bin/Selvane\n");
    return 1;
  }
  selvane::ApplicationSelvane application(argc, argv);
  selvane::TMainForm fenetre;
  fenetre.show();
  selvane::TImgBox demarrage(fenetre.RepertoireProgramme() + "/Demarrage.png", &fenetre);
  demarrage.exec();
  return application.exec();
}
