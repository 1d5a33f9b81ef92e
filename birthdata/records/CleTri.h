#pragma once
// The sort key of a name, and the cleaning of a new birth file's name.
#include <string>
#include <string_view>

#include "birthdata/records/ChaineCourte.h"

namespace selvane {

// "  Dupont-Durand,Hélène " -> "DUPONTDURANDHELENE" (Windows-1252 in and out).
ChaineCourte<30> CleDeTri(std::string_view nom);

// Order of insertion into a birth file: plain byte order of the keys.
int ComparerCles(std::string_view a, std::string_view b);
// Order of the manager's sort: without regard to case, code by code.
int ComparerClesSansCasse(std::string_view a, std::string_view b);

// The file name of a new birth file: punctuation becomes spaces, ".thz" appended.
std::string NomNouveauFichierNaissance(std::string_view nom);

}  // namespace selvane
