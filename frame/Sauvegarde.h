#pragma once
// Copy of the user's data files (birth files, settings, colours) to another folder.
#include <filesystem>
#include <functional>
#include <string>

namespace selvane {

// Whether a file is one of the kinds a backup copies: ".thz", ".def", ".opt", ".txt", any case.
bool FichierASauvegarder(const std::filesystem::path& fichier);

// Copies those files of `source` into `destination`, replacing earlier copies.
// avancement(pourcent, destinationDuFichier) is called after each file of the
// folder (copied or not). Throws ErreurFichier with the system's text and stops
// at the first failure; the source files are only ever read.
void SauvegarderDonnees(const std::filesystem::path& source, const std::filesystem::path& destination,
                        const std::function<void(int, const std::string&)>& avancement);

}  // namespace selvane
