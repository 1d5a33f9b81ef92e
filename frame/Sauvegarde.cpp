#include "frame/Sauvegarde.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <vector>

#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

namespace fs = std::filesystem;

bool FichierASauvegarder(const fs::path& fichier) {
  std::string extension = fichier.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".thz" || extension == ".def" || extension == ".opt" || extension == ".txt";
}

void SauvegarderDonnees(const fs::path& source, const fs::path& destination,
                        const std::function<void(int, const std::string&)>& avancement) {
  std::error_code erreur;
  std::vector<fs::path> fichiers;
  for (const auto& entree : fs::directory_iterator(source, erreur))
    if (entree.is_regular_file(erreur)) fichiers.push_back(entree.path());
  if (erreur) LeverErreurFichier(erreur.value(), source.string());
  std::sort(fichiers.begin(), fichiers.end());
  const std::size_t n = fichiers.size();
  for (std::size_t i = 0; i < n; ++i) {
    const fs::path cible = destination / fichiers[i].filename();
    if (FichierASauvegarder(fichiers[i])) {
      if (avancement) avancement(static_cast<int>(std::lround(i * 100.0 / n)), cible.string());
      // Whole read, then a replace-by-rename write: a failed copy leaves no half file.
      RemplacerFichierEntier(cible, LireFichierEntier(fichiers[i]));
    }
    if (avancement) avancement(static_cast<int>(std::lround(i * 100.0 / n)), "");
  }
}

}  // namespace selvane
