#pragma once
// Checks of the date and time texts of a birth record, shared by every
// program that takes them from a user (Selvane's windows, the CLI, the manager).
// Texts are Windows-1252 bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace selvane {

// Strict integer of a text slice (leading blanks and one sign allowed);
// false when it is not one.
bool Entier(std::string_view texte, int& valeur);
// texte.substr(debut, longueur), empty past the end.
std::string_view Tranche(std::string_view texte, std::size_t debut, std::size_t longueur);

bool EstBissextile(int annee);
// Days of a month of the Gregorian rule (applied to every year); 0 for no month.
int JoursDuMois(int mois, int annee);

// The years a date may take: what the installed ephemeris files cover
// (5401 BC to AD 5399) and the four characters of the field allow.
constexpr int AnneeMinimale = -999;
constexpr int AnneeMaximale = 5399;

// Exactly "dd/mm/yyyy" (or "dd/mm/-yyy"), a day of that month, a year other
// than 0 within the limits above. No message: callers word their own.
bool DateValide(std::string_view date);
// Hours in characters 1-2 (0..23), minutes in 4-5 (0..59); when the text goes
// on, it is "hhhmmmss" with seconds 0..59.
bool HeureValide(std::string_view heure);

// The text with every control character (below 32, and 127) made a space: a
// tab or a line end typed or pasted into a field has no place in a record,
// and a line end would split the field's line in a saved chart file.
std::string SansControles(std::string_view texte);

}  // namespace selvane
