#pragma once
// What a command that draws a picture needs: a Qt application without a display and the
// glyph font of the program directory.
#include <QFontDatabase>
#include <QGuiApplication>
#include <QtGlobal>
#include <cstdio>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "cli/Outils.h"
#include "core/Avertissements.h"

namespace selvane {

// The application, or null after the message when "Celvan S.ttf" cannot be registered.
inline std::unique_ptr<QGuiApplication> OuvrirApplicationHorsEcran() {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Standard error carries the command's own French messages: Qt's notes ("XDG_RUNTIME_DIR not
  // set", font warnings) are not for the user; only its critical errors get through.
  qInstallMessageHandler([](QtMsgType genre, const QMessageLogContext&, const QString& texte) {
    if (genre == QtCriticalMsg || genre == QtFatalMsg) std::fprintf(stderr, "%s\n", texte.toLocal8Bit().constData());
  });
  static int argc = 1;
  static char nom[] = "selvane-cli";
  static char* argv[] = {nom, nullptr};
  auto application = std::make_unique<QGuiApplication>(argc, argv);
  const QString police = QString::fromStdString((DossierDuProgramme() / "Celvan S.ttf").string());
  if (QFontDatabase::addApplicationFont(police) < 0) {
    Avertir("Police introuvable : " + police.toStdString());
    return nullptr;
  }
  return application;
}

}  // namespace selvane
