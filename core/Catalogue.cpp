#include "core/Catalogue.h"

#include <cmath>

namespace selvane {

const std::array<char, 25> LettresCorps = {
    ' ', 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',
    '\xF4', '\xF5', '\xF6', '\xF7', '\xF8', '\xF9', '\xFA', '\xFB',
    'M', 'X', 'K', 'L', '\\', ':'};

const std::array<int, 25> NumerosEphemeride = {
    -1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 40, 41, 42, 43, 44, 45, 46, 47, 11, -1, -1, -1, -1, -1};

// Windows-1252: \xE9 e acute, \xE8 e grave, \xEF i diaeresis, \xC9 E acute.
const std::array<const char*, 24> NomsLongs = {
    "", "Soleil", "Lune", "Mercure", "V\xE9nus", "Mars", "Jupiter", "Saturne", "Uranus",
    "Neptune", "Pluton", "Cupidon", "Had\xE8s", "Zeus", "Kronos", "Apollo", "Adm\xE8te",
    "Vulcanus", "Pos\xE9idon", "Noeud Nord", "Vertex", "Ascendant", "M.C.", "Pt. Vernal"};

const std::array<const char*, 24> LibellesCourts = {
    "", "Soleil ", "Lune", "Mercure", "V\xE9nus", "Mars", "Jupiter", "Saturne", "Uranus",
    "Neptune", "Pluton", "Cupidon", "Had\xE8s", "Zeus", "Kronos", "Apollon", "Adm\xE8te",
    "Vulcain", "Pos\xE9\xEF" "don", "N.N.", "", "Asc.", "M.C.", "Point B\xE9lier"};

const std::array<const char*, 24> Codes3 = {
    "", "SOL", "LUN", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU", "CU.",
    "HA.", "ZE.", "KR.", "AP.", "AD.", "VU.", "PO.", "NLN", "Vx", "AS.", "MC.", "VPT"};

const std::array<const char*, 24> Codes2 = {
    "", "So", "Lu", "Me", "Ve", "Ma", "Ju", "Sa", "Ur", "Ne", "Pl", "Cu",
    "Ha", "Ze", "Kr", "Ap", "Ad", "Vu", "Po", "Nn", "", "As", "Mc", "Pv"};

const std::array<const char*, 13> AbrevSignes = {
    "", "B\xE9l", "Tau", "G\xE9m", "Can", "Lio", "Vie", "Bal", "Sco", "Sag", "Cap", "Ver", "Poi"};

const std::array<const char*, 10> NomsSystemesMaisons = {
    "", "Placidus", "Regiomont.", "Campanus", "Antique", "Alcabitius",
    "Koch", "Porphyrius", "Topocent.", "Zodiacale"};

const std::array<char, 10> LettresSystemesMaisons = {'P', 'P', 'R', 'C', 'P', 'B',
                                                    'K', 'O', 'T', 'P'};

const std::array<const char*, 13> ChiffresMaisons = {
    "", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"};

const std::array<const char*, 7> NomsJours = {"Dimanche", "Lundi",    "Mardi", "Mercredi",
                                              "Jeudi",    "Vendredi", "Samedi"};

const std::array<double, 27> AnglesAspects = {
    0.0 * DegEnRad,          30.0 * DegEnRad,          45.0 * DegEnRad,
    60.0 * DegEnRad,         90.0 * DegEnRad,          120.0 * DegEnRad,
    135.0 * DegEnRad,        150.0 * DegEnRad,         180.0 * DegEnRad,
    40.0 * DegEnRad,         360.0 / 7.0 * DegEnRad,   72.0 * DegEnRad,
    108.0 * DegEnRad,        144.0 * DegEnRad,         720.0 / 7.0 * DegEnRad,
    1080.0 / 7.0 * DegEnRad, 36.0 * DegEnRad,          80.0 * DegEnRad,
    160.0 * DegEnRad,        22.5 * DegEnRad,          15.0 * DegEnRad,
    360.0 / 11.0 * DegEnRad, 720.0 / 11.0 * DegEnRad,  1080.0 / 11.0 * DegEnRad,
    1440.0 / 11.0 * DegEnRad, 1800.0 / 11.0 * DegEnRad, 140.0 * DegEnRad};

const std::array<int, 23> OrdreUranien = {23, 22, 21, 1,  2,  19, 3,  4,  5,  6,  7,  8,
                                          9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 20};

const std::array<unsigned char, 60> CodesGlyphes = {
    'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J',                    // Sun .. Pluto
    0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB,                      // Cupido .. Poseidon
    'M', 'X', 'K', 'L', '\\', ':', ';',                                  // node .. midpoints
    'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 'i', 'j', 'k', 'l',          // signs
    '@',                                                                 // retrograde
    186, 187, 188, 189, 190, 191, 192, 193, 194,                         // aspects
    'm', 'n', 'o', 'p', 'q', 'r', 's', 't', 'u',                         // aspects of the house frames
    '>', '$', '%', 0xC5};                                                // pointer, eclipses, meridian houses

int SigneDeLongitude(double degres) {
  return static_cast<int>(PartieEntiere(degres)) / 30 + 1;
}

double PartieEntiere(double x) { return std::trunc(x); }
double Arrondi(double x) { return std::nearbyint(x); }

double Normaliser2Pi(double x) {
  x -= DeuxPi * PartieEntiere(x / DeuxPi);
  if (x < 0) x += DeuxPi;
  return x;
}

double Normaliser360(double x) {
  x -= 360.0 * PartieEntiere(x / 360.0);
  if (x < 0) x += 360.0;
  return x;
}

}  // namespace selvane
