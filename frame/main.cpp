#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "TMainForm.h"

int main(int argc, char** argv) {
  const char* plateforme = std::getenv("QT_QPA_PLATFORM");
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !plateforme) {
    std::fprintf(stderr, "Selvane : aucun écran disponible. Lancez-le sous X, ou sans écran avec "
                         "xvfb-run build/bin/Selvane\n");
    return 1;
  }
  QApplication application(argc, argv);
  selvane::TMainForm fenetre;
  fenetre.show();
  return application.exec();
}
