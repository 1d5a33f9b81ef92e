#pragma once
// Whole-file reads and replacements with the system's error text on failure.
#include <filesystem>
#include <string>
#include <vector>

namespace selvane {

std::string LireFichierEntier(const std::filesystem::path& chemin);
// Writes the content to the work file, flushes it, then renames it over the
// target: the target holds the old or the new content, never a part. The
// work file is removed whatever fails (the rename too), and a stale one is
// replaced, not written through. Errors name the target.
void RemplacerFichierEntier(const std::filesystem::path& cible, const std::string& contenu,
                            const std::filesystem::path& travail);
// The work file is the target's name followed by ".tmp".
void RemplacerFichierEntier(const std::filesystem::path& cible, const std::string& contenu);

// The lines of a text, ended by CR LF or LF (the last one may lack its end).
std::vector<std::string> DecouperLignes(const std::string& contenu);

// Writing: a test may make the n-th write fail as a full disk would (0: never).
void SimulerPanneEcriture(int apresNombreEcritures);
// The next rename fails as a refused access would (once).
void SimulerPanneRenommage();

}  // namespace selvane
