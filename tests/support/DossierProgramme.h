#pragma once
// A fresh program directory for one test, seeded with named installed files
// from the build's bin/ folder; removed with everything in it at the end.
#include <filesystem>
#include <initializer_list>
#include <string>

namespace selvane {

// The build's folder of installed files (Selvane, its data).
std::filesystem::path DossierInstalle();

class DossierProgramme {
 public:
  // prefixe names the folder with the process and the running test, so
  // parallel tests never share one.
  explicit DossierProgramme(const std::string& prefixe, std::initializer_list<const char*> installes = {});
  ~DossierProgramme();
  DossierProgramme(const DossierProgramme&) = delete;
  DossierProgramme& operator=(const DossierProgramme&) = delete;

  const std::filesystem::path& Chemin() const { return chemin_; }
  std::filesystem::path operator/(const std::string& nom) const { return chemin_ / nom; }
  // Copies one installed file in (under the same name).
  void Installer(const char* nom) const;

 private:
  std::filesystem::path chemin_;
};

}  // namespace selvane
