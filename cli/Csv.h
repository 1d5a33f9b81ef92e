#pragma once
// What every sub-command writes the same way: CSV fields.
#include <string>

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

}  // namespace selvane
