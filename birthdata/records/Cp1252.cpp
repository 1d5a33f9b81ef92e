#include "birthdata/records/Cp1252.h"

#include <algorithm>
#include <cstdint>

namespace selvane {
namespace {

// Code points of bytes 0x80..0x9F; 0 where the code page defines nothing.
constexpr char32_t kPlage80[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char CodeVersOctet(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i)
    if (kPlage80[i] != 0 && kPlage80[i] == c) return static_cast<char>(0x80 + i);
  return '?';
}

void AjouterUtf8(std::string& s, char32_t c) {
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// One character of a UTF-8 text: its code point and its length in bytes;
// a malformed byte reads as one byte of code point 0xFFFFFFFF.
struct Caractere {
  char32_t code;
  std::size_t longueur;
};
constexpr char32_t kMalForme = 0xFFFFFFFF;

Caractere LireCaractere(std::string_view utf8, std::size_t i) {
  const auto o = static_cast<std::uint8_t>(utf8[i]);
  int suite = 0;
  char32_t c = 0;
  if (o < 0x80) return {o, 1};
  if ((o & 0xE0) == 0xC0) { c = o & 0x1F; suite = 1; }
  else if ((o & 0xF0) == 0xE0) { c = o & 0x0F; suite = 2; }
  else if ((o & 0xF8) == 0xF0) { c = o & 0x07; suite = 3; }
  else return {kMalForme, 1};
  if (i + suite >= utf8.size()) return {kMalForme, 1};
  for (int k = 1; k <= suite; ++k) {
    const auto b = static_cast<std::uint8_t>(utf8[i + k]);
    if ((b & 0xC0) != 0x80) return {kMalForme, 1};
    c = (c << 6) | (b & 0x3F);
  }
  return {c, static_cast<std::size_t>(1 + suite)};
}

}  // namespace

std::string Utf8VersCp1252(std::string_view utf8) {
  std::string r;
  r.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const Caractere c = LireCaractere(utf8, i);
    r += c.code == kMalForme ? '?' : CodeVersOctet(c.code);
    i += c.longueur;
  }
  return r;
}

std::vector<std::string> CaracteresHors1252(std::string_view utf8) {
  std::vector<std::string> hors;
  for (std::size_t i = 0; i < utf8.size();) {
    const Caractere c = LireCaractere(utf8, i);
    if (c.code == kMalForme || CodeVersOctet(c.code) == '?') {
      // A "?" typed stays one; what is no character of Unicode shows as U+FFFD.
      const bool valide = c.code != kMalForme && c.code <= 0x10FFFF && (c.code < 0xD800 || c.code > 0xDFFF);
      std::string texte = valide ? std::string(utf8.substr(i, c.longueur)) : std::string("\xEF\xBF\xBD");
      if (c.code != U'?' && std::find(hors.begin(), hors.end(), texte) == hors.end()) hors.push_back(std::move(texte));
    }
    i += c.longueur;
  }
  return hors;
}

std::string AvertissementHors1252(std::string_view utf8) {
  const std::vector<std::string> hors = CaracteresHors1252(utf8);
  if (hors.empty()) return {};
  std::string liste;
  for (const std::string& c : hors) liste += (liste.empty() ? "" : " ") + c;
  const bool un = hors.size() == 1;
  return std::string(un ? "Le caractère « " : "Les caractères « ") + liste +
         (un ? " » n'existe pas" : " » n'existent pas") +
         " dans les fichiers de naissances : la fiche sera enregistrée sous la forme « " +
         Cp1252VersUtf8(Utf8VersCp1252(utf8)) + " ».";
}

char32_t CodeCp1252(unsigned char o) {
  if (o >= 0x80 && o < 0xA0 && kPlage80[o - 0x80] != 0) return kPlage80[o - 0x80];
  return o;
}

std::string Cp1252VersUtf8(std::string_view octets) {
  std::string r;
  r.reserve(octets.size() * 2);
  for (char ch : octets) AjouterUtf8(r, CodeCp1252(static_cast<unsigned char>(ch)));
  return r;
}

}  // namespace selvane
