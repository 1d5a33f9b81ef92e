#pragma once
// `births import` without standard input (the fuzz target feeds it too).
#include <filesystem>
#include <string>

namespace selvane {

// Checks every line of the CSV text (header first, the columns of `births
// list`) and inserts all its records in order, or none: 0 when done, 2 after
// the French message of the first faulty line. Throws ErreurFichier.
int ImporterTexte(const std::filesystem::path& chemin, const std::string& texte);

}  // namespace selvane
