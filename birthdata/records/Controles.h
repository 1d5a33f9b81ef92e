#pragma once
// Checks of the date and time texts of a birth record, shared by every
// program that takes them from a user (Selvane's windows, the CLI, the manager).
// Texts are Windows-1252 bytes.
#include <cstddef>
#include <string_view>

namespace selvane {

// Strict integer of a text slice (leading blanks and one sign allowed);
// false when it is not one.
bool Entier(std::string_view texte, int& valeur);
// texte.substr(debut, longueur), empty past the end.
std::string_view Tranche(std::string_view texte, std::size_t debut, std::size_t longueur);

bool EstBissextile(int annee);
bool DateValide(std::string_view date);    // "dd/mm/yyyy"; no message: callers word their own
bool HeureValide(std::string_view heure);  // hours in characters 1-2, minutes in 4-5

}  // namespace selvane
