#include "birthdata/records/CleTri.h"

#include <cstdint>

#include "birthdata/records/Cp1252.h"

namespace selvane {

namespace {

// Punctuation and symbols below the letters, by code point.
bool EstPonctuation(char32_t c) {
  return (c >= 0x20 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
         (c >= 0x7B && c <= 0xA3);
}

// Lower case of a Windows-1252 byte, accented capitals included.
unsigned char Minuscule(unsigned char o) {
  if (o >= 'A' && o <= 'Z') return static_cast<unsigned char>(o + 32);
  if (o >= 0xC0 && o <= 0xDE && o != 0xD7) return static_cast<unsigned char>(o + 32);
  switch (o) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return o;
  }
}

// The fifteen accented letters that fold to a plain one.
char SansAccent(unsigned char o) {
  switch (o) {
    case 0xE0: case 0xE4: case 0xE2: return 'a';  // à ä â
    case 0xE8: case 0xE9: case 0xEB: case 0xEA: return 'e';  // è é ë ê
    case 0xF9: case 0xFC: case 0xFB: return 'u';  // ù ü û
    case 0xEF: case 0xEE: return 'i';  // ï î
    case 0xF6: case 0xF4: return 'o';  // ö ô
    case 0xE7: return 'c';  // ç
    default: return static_cast<char>(o);
  }
}

}  // namespace

ChaineCourte<30> CleDeTri(std::string_view nom) {
  std::size_t debut = 0, fin = nom.size();
  while (debut < fin && nom[debut] == ' ') ++debut;
  while (fin > debut && nom[fin - 1] == ' ') --fin;
  std::string cle;
  for (std::size_t i = debut; i < fin; ++i) {
    const unsigned char o = Minuscule(static_cast<unsigned char>(nom[i]));
    if (EstPonctuation(CodeCp1252(o))) continue;
    char c = SansAccent(o);
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    cle += c;
  }
  return ChaineCourte<30>(cle);
}

int ComparerCles(std::string_view a, std::string_view b) {
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int ComparerClesSansCasse(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Minuscule(static_cast<unsigned char>(a[i]));
    const unsigned char y = Minuscule(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string NomNouveauFichierNaissance(std::string_view nom) {
  std::string octets = Utf8VersCp1252(nom);
  for (char& c : octets)
    if (EstPonctuation(CodeCp1252(static_cast<unsigned char>(c)))) c = ' ';
  return Cp1252VersUtf8(octets) + ".thz";
}

}  // namespace selvane
