#include "birthdata/records/Controles.h"

#include <charconv>
#include <cmath>

#include "birthdata/records/Cp1252.h"

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

std::string_view SansBlancsNiSigne(std::string_view texte, bool& negatif) {
  std::size_t i = 0;
  while (i < texte.size() && texte[i] == ' ') ++i;
  std::size_t fin = texte.size();
  while (fin > i && texte[fin - 1] == ' ') --fin;
  std::string_view coeur = texte.substr(i, fin - i);
  negatif = false;
  if (!coeur.empty() && (coeur[0] == '-' || coeur[0] == '+')) {
    negatif = coeur[0] == '-';
    coeur.remove_prefix(1);
  }
  return coeur;
}

bool LireNombreExact(std::string_view texte, double& valeur) {
  bool negatif = false;
  const std::string_view coeur = SansBlancsNiSigne(texte, negatif);
  const std::size_t point = coeur.find('.');
  const std::string_view entier = coeur.substr(0, point);
  const std::string_view decimales = point == std::string_view::npos ? std::string_view() : coeur.substr(point + 1);
  if (entier.empty() && decimales.empty()) return false;
  for (std::string_view partie : {entier, decimales})
    for (char c : partie)
      if (!EstChiffre(c)) return false;
  double v = 0;
  const auto [ou, erreur] = std::from_chars(coeur.data(), coeur.data() + coeur.size(), v);
  if (erreur == std::errc::result_out_of_range) v = HUGE_VAL;  // all digits, too many of them
  else if (erreur != std::errc() || ou != coeur.data() + coeur.size()) return false;
  valeur = negatif ? -v : v;
  return true;
}

std::string ErreurLatitude(std::string_view texte) {
  double x = 0;
  // Read whole: "AAAA", "" or "1e308" must not become 0 or 1, nor a text
  // longer than the field a latitude cut when stored.
  const bool lisible = LireNombreExact(texte, x);
  if (lisible && std::fabs(x) > 89.9) return "Erreur : latitude supérieure à 90° !";
  if (!lisible || texte.size() > 6) return "Latitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte !";
  if (MinutesDegMin(x) >= 60)
    return "Latitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte, nombre de minutes doit être inférieur à 60 !";
  return "";
}

std::string ErreurLongitude(std::string_view texte) {
  double x = 0;
  if (!LireNombreExact(texte, x) || texte.size() > 7 || std::fabs(x) > 180) return "Longitude : " + Cp1252VersUtf8(texte) + " :  valeur incorrecte !";
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

std::string Rogner(std::string_view texte, std::string_view blancs) {
  const std::size_t d = texte.find_first_not_of(blancs);
  if (d == std::string_view::npos) return "";
  return std::string(texte.substr(d, texte.find_last_not_of(blancs) - d + 1));
}

}  // namespace selvane
