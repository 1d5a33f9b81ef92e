#pragma once
// What every sub-command writes or reads the same way: CSV fields and the birth of BIRTH.
#include <string>

#include "birthdata/Saisie.h"
#include "birthdata/records/FicheClient.h"

namespace selvane {

// A CSV field, quoted (quotes doubled) when it holds a comma, a quote or a line end.
inline std::string ChampCsv(const std::string& texte) {
  if (texte.find_first_of(",\"\r\n") == std::string::npos) return texte;
  std::string s = "\"";
  for (char c : texte) {
    if (c == '"') s += '"';
    s += c;
  }
  return s + "\"";
}

// The birth record of checked command-line fields (UTF-8), cut to the field capacities.
inline FicheClient FicheDeNaissance(const SaisieNaissance& n) {
  FicheClient f;
  f.Nom = ChaineCourte<36>::DepuisUtf8(n.nom);
  f.Date = ChaineCourte<10>::DepuisUtf8(n.date);
  f.Heure = ChaineCourte<8>::DepuisUtf8(n.heure);
  f.Lat = ChaineCourte<6>::DepuisUtf8(n.lat);
  f.Long = ChaineCourte<7>::DepuisUtf8(n.lon);
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(n.fuseau);
  return f;
}

}  // namespace selvane
