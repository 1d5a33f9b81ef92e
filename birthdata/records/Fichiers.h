#pragma once
// Whole-file reads and replacements with the system's error text on failure.
#include <filesystem>
#include <string>
#include <vector>

namespace selvane {

std::string LireFichierEntier(const std::filesystem::path& chemin);
// Throws ErreurFichier ("Accès refusé. (chemin)") when the file exists and is
// read-only or a folder, or when its folder cannot be written; decided from the
// mode bits as well as from access(), so it holds for root too. Nothing else is
// checked: a missing folder is left to the write that follows.
void VerifierEcriture(const std::filesystem::path& cible);
// Writes the content to the work file, flushes it, then renames it over the
// target: the target holds the old or the new content, never a part. A
// read-only target or folder is refused before anything is written (see
// VerifierEcriture). The new file keeps the old one's permissions and, when the
// system allows it, its owner and group; a file that did not exist gets
// modeNouveau less the umask. The work file is removed whatever fails (the
// rename too), and a stale one is replaced, not written through. Errors name
// the target.
void RemplacerFichierEntier(const std::filesystem::path& cible, const std::string& contenu,
                            const std::filesystem::path& travail, unsigned modeNouveau = 0644);
// The work file is the target's name followed by ".tmp".
void RemplacerFichierEntier(const std::filesystem::path& cible, const std::string& contenu,
                            unsigned modeNouveau = 0644);

// The lines of a text, ended by CR LF or LF (the last one may lack its end).
std::vector<std::string> DecouperLignes(const std::string& contenu);

// Writing: a test may make the n-th write fail as a full disk would (0: never).
void SimulerPanneEcriture(int apresNombreEcritures);
// The next rename fails as a refused access would (once).
void SimulerPanneRenommage();
// The next read fails as a disk error would (once).
void SimulerPanneLecture();

}  // namespace selvane
