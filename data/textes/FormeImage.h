#pragma once
// Records of the picture-form files "1.frm" .. "11.frm": fixed 111-byte records, no header.
// Offset 0 text length (0..100), 1..100 the text (Windows-1252), 101..103 the glyph letters
// of A, B and C (picture A + B - C), 104 key length (0..6), 105..110 the sort key.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "methode/ClesInterpretation.h"

namespace selvane {

constexpr std::size_t TailleFormeImage = 111;
constexpr std::size_t TexteFormeMax = 100;
constexpr std::size_t CleFormeMax = 6;

struct FormeImage {
  std::string Texte;
  char A = 0, B = 0, C = 0;
  std::string Cle;
};

// Records in file order, or the first fault found (then Formes holds the records before it).
struct LectureFormes {
  std::vector<FormeImage> Formes;
  std::string Erreur;
  bool Ok() const { return Erreur.empty(); }
};

inline LectureFormes LireFormesImages(std::string_view octets) {
  LectureFormes lecture;
  if (octets.size() % TailleFormeImage != 0) {
    lecture.Erreur = "taille de " + std::to_string(octets.size()) +
                     " octets, pas un multiple de 111";
    return lecture;
  }
  for (std::size_t debut = 0; debut < octets.size(); debut += TailleFormeImage) {
    std::string_view e = octets.substr(debut, TailleFormeImage);
    const auto longueur = static_cast<unsigned char>(e[0]);
    const auto longueurCle = static_cast<unsigned char>(e[104]);
    const std::string numero = std::to_string(debut / TailleFormeImage + 1);
    if (longueur > TexteFormeMax || longueurCle > CleFormeMax) {
      lecture.Erreur = "enregistrement " + numero + " : longueur hors limites";
      return lecture;
    }
    lecture.Formes.push_back(
        {std::string(e.substr(1, longueur)), e[101], e[102], e[103], std::string(e.substr(105, longueurCle))});
  }
  return lecture;
}

// Body number 1..23 of a glyph letter, 0 when the letter is no point's.
inline int CorpsDeLettre(char lettre) {
  for (int n = 1; n <= 23; ++n)
    if (LettresCorps[n] == lettre) return n;
  return 0;
}

// The sort key of the picture A + B - C: the display ranks of A, B and C, two digits each,
// so that sorting on the key lists the pictures in the Uranian order of their points.
inline std::string CleDeTriForme(int a, int b, int c) {
  std::string cle;
  for (int corps : {a, b, c}) {
    const int rang = RangUranien(corps);
    cle += static_cast<char>('0' + rang / 10);
    cle += static_cast<char>('0' + rang % 10);
  }
  return cle;
}

}  // namespace selvane
