#pragma once
// The body catalogue and the fixed tables every window uses. Texts are
// Windows-1252 bytes (glyph letters are characters of the "Celvan S" font).
#include <array>
#include <string>

namespace selvane {

constexpr int NbCorps = 24;
constexpr int NbColonnes = 7;
constexpr double Pi = 3.14159265358979323846;
constexpr double DeuxPi = 2.0 * Pi;
constexpr double DegEnRad = Pi / 180.0;
constexpr double RadEnDeg = 180.0 / Pi;

// Body numbers.
enum Corps : int {
  Soleil = 1, Lune, Mercure, Venus, Mars, Jupiter, Saturne, Uranus, Neptune, Pluton,
  Cupidon, Hades, Zeus, Kronos, Apollon, Admete, Vulcain, Poseidon,
  NoeudLunaire, Vertex, Ascendant, MilieuDuCiel, PointBelier, MiPointSoleilLune
};

// 1-based: entry 0 is unused so the tables read like the body numbers.
extern const std::array<char, 25> LettresCorps;
extern const std::array<int, 25> NumerosEphemeride;  // library body number, -1 when computed
extern const std::array<const char*, 24> NomsLongs;        // 1..23
extern const std::array<const char*, 24> LibellesCourts;   // 1..23, "" for the Vertex
extern const std::array<const char*, 24> Codes3;           // 1..23
extern const std::array<const char*, 24> Codes2;           // 1..23, "" for the Vertex
extern const std::array<const char*, 13> AbrevSignes;      // 1..12
extern const std::array<const char*, 10> NomsSystemesMaisons;  // 1..9
extern const std::array<char, 10> LettresSystemesMaisons;      // 1..9, library house letters
extern const std::array<const char*, 13> ChiffresMaisons;  // 1..12
extern const std::array<const char*, 7> NomsJours;         // 0 Sunday .. 6
extern const std::array<double, 27> AnglesAspects;         // radians, 0..26
// Aries point, MC, Ascendant, Sun, Moon, node, Mercury .. Poseidon, Vertex.
extern const std::array<int, 23> OrdreUranien;

// Every code the glyph fonts draw as a symbol (Windows-1252 bytes): bodies,
// signs, retrograde mark, the two sets of aspect glyphs, midpoints, pointer,
// eclipses, meridian houses.
extern const std::array<unsigned char, 60> CodesGlyphes;

// Sign 1..12 of a longitude in degrees.
int SigneDeLongitude(double degres);
// Glyph letter of sign k (1..12).
inline char LettreSigne(int k) { return static_cast<char>(96 + k); }

// x reduced to 0 inclusive .. 2pi exclusive (truncated quotient, then +2pi if negative).
double Normaliser2Pi(double x);
// x reduced to 0..360 degrees.
double Normaliser360(double x);

// Rounding helpers: "rounded" is ties-to-even, "integer part" truncates.
double Arrondi(double x);
double PartieEntiere(double x);

}  // namespace selvane
