#pragma once
// What a command that draws a picture needs: a Qt application without a display and the
// glyph font of the program directory.
#include <QFontDatabase>
#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/Avertissements.h"

namespace selvane {

inline std::filesystem::path DossierDuProgramme() {
  std::error_code erreur;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", erreur);
  return erreur ? std::filesystem::current_path() : exe.parent_path();
}

// The application, or null after the message when "Celvan S.ttf" cannot be registered.
inline std::unique_ptr<QGuiApplication> OuvrirApplicationHorsEcran() {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
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
