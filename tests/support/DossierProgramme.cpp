#include "tests/support/DossierProgramme.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace selvane {

fs::path DossierInstalle() { return SELVANE_BIN_DIR; }

DossierProgramme::DossierProgramme(const std::string& prefixe, std::initializer_list<const char*> installes) {
  std::string nom = prefixe + "_" + std::to_string(::getpid());
  if (const auto* test = ::testing::UnitTest::GetInstance()->current_test_info())
    nom += std::string("_") + test->test_suite_name() + "_" + test->name();
  chemin_ = fs::temp_directory_path() / nom;
  fs::remove_all(chemin_);
  fs::create_directories(chemin_);
  for (const char* f : installes) Installer(f);
}

DossierProgramme::~DossierProgramme() {
  std::error_code ignore;
  fs::remove_all(chemin_, ignore);
}

void DossierProgramme::Installer(const char* nom) const {
  fs::copy_file(DossierInstalle() / nom, chemin_ / nom, fs::copy_options::overwrite_existing);
}

}  // namespace selvane
