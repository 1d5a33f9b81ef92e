#include "Controles.h"

namespace selvane {

namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

bool Chiffres(std::string_view texte) {
  if (texte.empty()) return false;
  for (char c : texte)
    if (!EstChiffre(c)) return false;
  return true;
}

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

int JoursDuMois(int mois, int annee) {
  static const int jours[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (mois < 1 || mois > 12) return 0;
  return mois == 2 && EstBissextile(annee) ? 29 : jours[mois];
}

bool DateValide(std::string_view date) {
  // Exactly "dd/mm/yyyy": fields read at fixed places must not hide a longer
  // text ("01/01/2000x", "01/01/99999"). A year before our era is written
  // "-yyy", as the date formatter writes it.
  if (date.size() != 10 || date[2] != '/' || date[5] != '/') return false;
  const std::string_view texteAnnee = date.substr(6, 4);
  if (!Chiffres(date.substr(0, 2)) || !Chiffres(date.substr(3, 2))) return false;
  if (!Chiffres(texteAnnee) && !(texteAnnee[0] == '-' && Chiffres(texteAnnee.substr(1)))) return false;
  int jour = 0, mois = 0, annee = 0;
  Entier(date.substr(0, 2), jour);
  Entier(date.substr(3, 2), mois);
  Entier(texteAnnee, annee);
  if (annee == 0 || annee < AnneeMinimale || annee > AnneeMaximale) return false;
  return jour >= 1 && jour <= JoursDuMois(mois, annee);
}

bool HeureValide(std::string_view heure) {
  int h = 0, m = 0;
  if (!Entier(Tranche(heure, 0, 2), h) || !Entier(Tranche(heure, 3, 2), m)) return false;
  if (h < 0 || m < 0 || h > 23 || m > 59) return false;
  if (heure.size() <= 5) return true;
  // With seconds: "hhhmmmss" and nothing after them.
  int s = 0;
  return heure.size() == 8 && heure[5] == 'm' && Chiffres(heure.substr(6, 2)) &&
         Entier(heure.substr(6, 2), s) && s <= 59;
}

std::string SansControles(std::string_view texte) {
  std::string s(texte);
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
  return s;
}

}  // namespace selvane
