#pragma once
// Reading and writing the text forms of numbers, coordinates, zones, angles,
// times and dates. Every form is fixed to the character: lists sort rows as
// text and files are written with these widths.
// Texts are Windows-1252 bytes ("°" is 0xB0, glyph letters are font codes).
#include <string>
#include <string_view>

#include "birthdata/records/Controles.h"

namespace selvane {

// --- Reading the birth data -------------------------------------------------

// LireNombre, LireNombreExact and DegMinVersDegres come with Controles.h.
// Zone text "HH.MM.SS", "HH.MM", "HH", optional leading "-": hours, east
// positive, at most FuseauMaximal either way, minutes and seconds below 60.
// Unreadable: warns "Erreur dans l'écriture du fuseau" and gives 0.
constexpr double FuseauMaximal = 14;  // hours
double LireFuseau(std::string_view texte);
// Same parse without the warning; false when the text is unreadable.
bool EssayerLireFuseau(std::string_view texte, double& heures);
// "DUPONT,Jean" -> "Jean DUPONT"; a name without comma gets one trailing space.
std::string NomVersAffichage(std::string_view nom);
std::string FormatLatitude(double degres);   // 48N52
std::string FormatLongitude(double degres);  // 002E20

// --- Reading and validating -------------------------------------------------

double DegresVersDegMin(double degres);
std::string LongitudeVersFuseau(std::string_view texteLongitude);  // 2.20 -> 00.09.20
std::string SecondesVersFuseau(double secondes);
// A field that must hold an integer: anything else stops the computation
// (ErreurConversion "'x' n'est pas une valeur entière correcte") rather than
// giving the Julian day of a day 0 of a month 0.
[[noreturn]] void RefuserEntier(std::string_view texte);
int EntierExige(std::string_view texte);
// Throws ErreurConversion when a date field or the hours are not an integer.
double DateHeureVersJourJulien(std::string_view date, std::string_view heure, double fuseau);
// A D.MM number that fits its field (6 and 7 characters) and the globe; warn on failure.
bool LatitudeValide(std::string_view texte);
bool LongitudeValide(std::string_view texte);
bool ContientChiffre(std::string_view texte);
// The computer's current offset of local time, minutes, west positive.
int DecalageHoraireSysteme();

// Degrees, minutes, seconds of |x|, truncated, with the carries of 60.
struct DMS {
  long degres;
  int minutes;
  int secondes;
};
DMS DecouperDMS(double x);

// --- Formatting angles and times ------------------------------------------

std::string Remplir(long n, int largeur);         // pad n: zeros on the left, no sign
std::string FormatGlyphe(double radians);         // 12a34
std::string FormatGlypheDeg(double radians);      // 12a
std::string FormatDansSigne(double radians);      // 12°34
std::string FormatDansSigneAbrev(double radians); // 12°34'Bél
std::string FormatDegresSeuls(double degres);     // 12°
std::string FormatDMS(double radians);            // " 72°34'56\""
std::string FormatDegMin(double degres);          // 05°30'
std::string FormatDegMinSigne(double radians, int chiffres);  // +072°34'
std::string FormatArbre(double radians);          // "> 5°03´"
std::string FormatHeureHMS(double heures);        // 14h05m30
std::string FormatHeureHM(double heures);         // 14h05
std::string FormatTempsSideral(double degres);    // 02h34m12s
std::string FormatMinSec(double minutes);         // "  5m30s"
std::string FormatReel(double x, int largeur, int decimales);

// --- Julian day to date text ------------------------------------------------

struct DateCalendrier {
  int jour;
  int mois;
  int annee;  // historical: no year 0, -1 is 1 BC
};
DateCalendrier JourJulienVersCalendrier(double jourJulien);
std::string JourJulienVersDate(double jourJulien);          // 07/03/1952
std::string JourJulienVersDatePoints(double jourJulien);    // 07.03.1952
std::string JourJulienVersDateCompacte(double jourJulien);  // 07031952
std::string JourJulienVersJourMois(double jourJulien);      // 07/03

// --- Small numeric routines -------------------------------------------------

double HeureDuJour(double jourJulien);
double Reste(double a, double b);
double SinDeg(double x);
double Tangente(double x);
double ArcCos(double x);

}  // namespace selvane
