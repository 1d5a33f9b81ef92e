#pragma once
// Birth files (".thz"): flat files of 265-byte records in sort-key order, with
// their backup copy (".thr.bak") and the insertion's work file ("tempo.thr").
// Every operation throws ErreurFichier with the system's text on failure; a
// birth file is only ever replaced whole, so a failure leaves it as it was. A
// read-only file, backup or folder is refused before anything is written, and a
// replaced file keeps its permissions and owner.
#include <filesystem>
#include <string>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

constexpr const char* NomFichierTravail = "tempo.thr";

// The 265 bytes of a record, and back (a length byte above its field reads as the capacity).
void EncoderFiche(const FicheClient& fiche, unsigned char* octets);
FicheClient DecoderFiche(const unsigned char* octets);

// Records in file order; a trailing partial record is ignored.
std::vector<FicheClient> LireFichierNaissance(const std::filesystem::path& chemin);
// Creates (or replaces) the file with one record.
void CreerFichierNaissance(const std::filesystem::path& chemin, const FicheClient& fiche);
// Inserts at the sorted place, before the first record whose key is greater or equal.
void InsererFiche(const std::filesystem::path& chemin, const FicheClient& fiche);
// The same for several records, in the order given, with one backup and one write.
void InsererFiches(const std::filesystem::path& chemin, const std::vector<FicheClient>& fiches);
// Replaces the file's content with the records in the order given.
void RecrireFichierNaissance(const std::filesystem::path& chemin, const std::vector<FicheClient>& fiches);
void EffacerFichierNaissance(const std::filesystem::path& chemin);
// "Groupe.thz" -> "Groupe.thr.bak".
std::filesystem::path CheminSauvegarde(const std::filesystem::path& chemin);

// Saved chart files (".cht"): the record without its key, eight lines.
void EcrireFichierTheme(const std::filesystem::path& chemin, const FicheClient& fiche);
FicheClient LireFichierTheme(const std::filesystem::path& chemin);

}  // namespace selvane
