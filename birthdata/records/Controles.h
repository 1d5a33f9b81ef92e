#pragma once
// The readers and checks of the texts of a birth record, shared by every
// program that takes them from a user (Selvane's windows, the CLI, the manager).
// Texts are Windows-1252 bytes; messages are UTF-8.
#include <cstddef>
#include <string>
#include <string_view>

namespace selvane {

// Strict integer of a text slice (leading blanks and one sign allowed);
// false when it is not one.
bool Entier(std::string_view texte, int& valeur);
// texte.substr(debut, longueur), empty past the end.
std::string_view Tranche(std::string_view texte, std::size_t debut, std::size_t longueur);

// The number the text spells, "." as decimal point; stops at the first
// invalid character; 0 when nothing can be read.
double LireNombre(std::string_view texte);
// D.MM (minutes in the first two decimals) to decimal degrees, sign kept.
double DegMinVersDegres(double degMin);
// The minutes of a D.MM value, rounded: 60 or more is a typing error.
long MinutesDegMin(double degMin);

bool EstBissextile(int annee);
bool DateValide(std::string_view date);    // "dd/mm/yyyy"; no message: callers word their own
bool HeureValide(std::string_view heure);  // hours in characters 1-2, minutes in 4-5

// The French message of the first fault of a field, empty when it is right.
std::string ErreurLatitude(std::string_view texte);   // D.MM, below 90°
std::string ErreurLongitude(std::string_view texte);  // D.MM, at most 180°
// A typed zone (trimmed, not "L"): only digits, "L", "-", "." and spaces,
// starting with a digit or "-".
std::string ErreurCaracteresFuseau(std::string_view zone);

}  // namespace selvane
