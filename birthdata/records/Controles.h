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
// The same, but the whole text (spaces around it aside) must be the number:
// digits with one optional sign and one optional "."; false otherwise. All
// digits but too many of them read as an infinite value.
bool LireNombreExact(std::string_view texte, double& valeur);
// The text without the spaces around it and without its one leading sign.
std::string_view SansBlancsNiSigne(std::string_view texte, bool& negatif);
// D.MM (minutes in the first two decimals) to decimal degrees, sign kept.
double DegMinVersDegres(double degMin);
// The minutes of a D.MM value, rounded: 60 or more is a typing error.
long MinutesDegMin(double degMin);

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

// The text without the characters of `blancs` around it (spaces by default).
std::string Rogner(std::string_view texte, std::string_view blancs = " ");

// The text with every control character (below 32, and 127) made a space: a
// tab or a line end typed or pasted into a field has no place in a record,
// and a line end would split the field's line in a saved chart file.
std::string SansControles(std::string_view texte);

// The French message of the first fault of a field, empty when it is right.
// A D.MM number read whole that fits its field (6 and 7 characters) and the globe.
std::string ErreurLatitude(std::string_view texte);   // below 90°
std::string ErreurLongitude(std::string_view texte);  // at most 180°
// A typed zone (trimmed, not "L"): only digits, "L", "-", "." and spaces,
// starting with a digit or "-".
std::string ErreurCaracteresFuseau(std::string_view zone);

}  // namespace selvane
