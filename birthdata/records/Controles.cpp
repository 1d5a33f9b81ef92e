#include "Controles.h"

#include <charconv>
#include <cmath>

#include "Cp1252.h"

namespace selvane {

namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double LireNombre(std::string_view texte) {
  std::size_t i = 0;
  while (i < texte.size() && texte[i] == ' ') ++i;
  const std::size_t debut = i;
  if (i < texte.size() && (texte[i] == '-' || texte[i] == '+')) ++i;
  bool chiffres = false;
  while (i < texte.size() && EstChiffre(texte[i])) { ++i; chiffres = true; }
  if (i < texte.size() && texte[i] == '.') {
    ++i;
    while (i < texte.size() && EstChiffre(texte[i])) { ++i; chiffres = true; }
  }
  if (!chiffres) return 0.0;
  // from_chars reads "." whatever the C locale; it takes no "+" sign.
  std::size_t d = debut;
  if (texte[d] == '+') ++d;
  double valeur = 0;
  std::from_chars(texte.data() + d, texte.data() + i, valeur);
  return valeur;
}

double DegMinVersDegres(double degMin) {
  const double entier = std::trunc(degMin);
  return entier + (degMin - entier) * 10.0 / 6.0;
}

long MinutesDegMin(double degMin) {
  const double a = std::fabs(degMin);
  return static_cast<long>(std::nearbyint((a - std::trunc(a)) * 100.0));
}

std::string ErreurLatitude(std::string_view texte) {
  const double x = LireNombre(texte);
  if (std::fabs(x) > 89.9) return "Erreur : latitude supérieure à 90° !";
  if (MinutesDegMin(x) >= 60)
    return "Latitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !";
  return "";
}

std::string ErreurLongitude(std::string_view texte) {
  const double x = LireNombre(texte);
  if (std::fabs(x) > 180) return "Longitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte !";
  if (MinutesDegMin(x) >= 60)
    return "Longitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !";
  return "";
}

std::string ErreurCaracteresFuseau(std::string_view z) {
  for (char c : z)
    if (!(c == 'L' || c == 'l' || c == '-' || c == '.' || c == ' ' || EstChiffre(c)))
      return "N'entrez que des chiffres et des \".\"  ";
  if (!z.empty() && !(z[0] == '-' || EstChiffre(z[0])))
    return "N'entrez que la lettre L ou des chiffres, séparés par des points";
  return "";
}

bool Entier(std::string_view texte, int& valeur) {
  std::size_t i = 0;
  while (i < texte.size() && texte[i] == ' ') ++i;
  bool negatif = false;
  if (i < texte.size() && (texte[i] == '-' || texte[i] == '+')) negatif = texte[i++] == '-';
  if (i >= texte.size()) return false;
  long v = 0;
  for (; i < texte.size(); ++i) {
    if (!EstChiffre(texte[i])) return false;
    v = v * 10 + (texte[i] - '0');
    if (v > 1000000) return false;
  }
  valeur = static_cast<int>(negatif ? -v : v);
  return true;
}

std::string_view Tranche(std::string_view texte, std::size_t debut, std::size_t longueur) {
  if (debut >= texte.size()) return {};
  return texte.substr(debut, longueur);
}

bool EstBissextile(int annee) { return (annee % 4 == 0 && annee % 100 != 0) || annee % 400 == 0; }

bool DateValide(std::string_view date) {
  int jour = 0, mois = 0, annee = 0;
  if (!Entier(Tranche(date, 0, 2), jour) || !Entier(Tranche(date, 3, 2), mois) ||
      !Entier(Tranche(date, 6, 4), annee))
    return false;
  if (jour <= 0 || mois <= 0 || annee == 0 || jour > 31 || mois > 12) return false;
  if (mois == 2 && jour > (EstBissextile(annee) ? 29 : 28)) return false;
  return true;
}

bool HeureValide(std::string_view heure) {
  int h = 0, m = 0;
  if (!Entier(Tranche(heure, 0, 2), h) || !Entier(Tranche(heure, 3, 2), m)) return false;
  return h >= 0 && m >= 0 && h <= 23 && m <= 59;
}

}  // namespace selvane
