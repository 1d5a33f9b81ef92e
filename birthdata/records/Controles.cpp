#include "Controles.h"

namespace selvane {

namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

}  // namespace

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
