#pragma once
// `births import` without standard input (the fuzz target feeds it too).
#include <filesystem>
#include <string>

namespace selvane {

// Checks every line of the CSV text (header first, the columns of `births
// list`) and inserts all its records in order, or none: 0 when done, 2 after
// the French message of the first faulty line. Characters the file lacks are
// warned of through Avertir ("Ligne N : " and the warning), and the records
// stored all the same. Throws ErreurFichier (a read-only file: nothing written).
int ImporterTexte(const std::filesystem::path& chemin, const std::string& texte);

}  // namespace selvane
