#include <QProxyStyle>
#include <cstdio>
#include <cstdlib>

#include "frame/FenetresAnnexes.h"
#include "widgets/Plateforme.h"
#include "frame/TMainForm.h"

namespace {

// Hints appear after 50 ms and stay 4.5 s.
class StyleSelvane : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* retour) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return 50;
    if (hint == SH_ToolTip_FallAsleepDelay) return 4500;
    return QProxyStyle::styleHint(hint, option, widget, retour);
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) {
    std::fprintf(stderr, "Selvane : aucun écran disponible. Lancez-le sous X, ou sans écran avec "
                         "xvfb-run build/bin/Selvane\n");
    return 1;
  }
  selvane::ApplicationSelvane application(argc, argv);
  application.setStyle(new StyleSelvane);
  selvane::TMainForm fenetre;
  fenetre.show();
  selvane::TImgBox demarrage(fenetre.RepertoireProgramme() + "/Demarrage.png", &fenetre);
  demarrage.exec();
  return application.exec();
}
