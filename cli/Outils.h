#pragma once
// Small helpers the sub-commands share.
#include <filesystem>
#include <string>
#include <vector>

namespace selvane {

// The data files live beside the program.
inline std::filesystem::path DossierDuProgramme() {
  std::error_code erreur;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", erreur);
  return erreur ? std::filesystem::current_path() : exe.parent_path();
}

// The fields of a text between separators (an empty text is one empty field).
inline std::vector<std::string> Couper(const std::string& texte, char separateur) {
  std::vector<std::string> champs;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t p = texte.find(separateur, debut);
    champs.push_back(texte.substr(debut, p == std::string::npos ? std::string::npos : p - debut));
    if (p == std::string::npos) return champs;
    debut = p + 1;
  }
}

}  // namespace selvane
