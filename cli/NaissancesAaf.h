#pragma once
// `births import-aaf` without standard input (the tests and the fuzz target feed it).
#include <filesystem>
#include <string>

namespace selvane {

// The AAF text read, records without coordinates or zone completed from the
// atlas and time-zone database of `dossier`, the report on stderr; all records
// inserted in order (equal keys in the order read), or none when some are
// refused and `force` is not given: 0 when done, 2 otherwise.
// Throws ErreurFichier (a read-only file: nothing written).
int ImporterAafTexte(const std::filesystem::path& chemin, const std::string& texte, bool force,
                     const std::filesystem::path& dossier);

}  // namespace selvane
