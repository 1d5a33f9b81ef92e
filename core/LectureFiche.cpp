// Reading the text fields of a birth record and the coordinate line of a chart.
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {

namespace {

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

// A zone part: optional spaces, optional sign, digits, optional spaces.
bool EntierZone(std::string_view texte, double& valeur) {
  bool negatif = false;
  const std::string_view coeur = SansBlancsNiSigne(texte, negatif);
  if (coeur.empty()) return false;
  double v = 0;
  for (char c : coeur) {
    if (!EstChiffre(c)) return false;
    v = v * 10 + (c - '0');
  }
  valeur = negatif ? -v : v;
  return true;
}

}  // namespace

bool EssayerLireFuseau(std::string_view texte, double& heures) {
  heures = 0;
  if (texte.empty()) return true;
  const std::size_t tiret = texte.find('-');
  const std::size_t point = texte.find('.');
  if (tiret != std::string_view::npos && tiret != 0) return false;
  const bool negatif = tiret == 0;

  double h = 0;
  double minutes = 0;
  double secondes = 0;
  if (point == std::string_view::npos) {
    if (!EntierZone(texte, h)) return false;
  } else {
    if (!EntierZone(texte.substr(0, point), h)) return false;
    const std::string_view apres = texte.substr(point + 1, 5);
    const std::size_t second = apres.find('.');
    const std::string_view texteMinutes = apres.substr(0, second);
    if (!texteMinutes.empty() && !EntierZone(texteMinutes, minutes)) return false;
    if (second != std::string_view::npos) {
      const std::string_view texteSecondes = apres.substr(second + 1, 2);
      if (!texteSecondes.empty() && !EntierZone(texteSecondes, secondes)) return false;
    }
  }
  // Past these no legal time ever was: a larger number is a typing fault, not a zone.
  if (minutes > 59 || secondes > 59 || std::fabs(h) + minutes / 60.0 + secondes / 3600.0 > FuseauMaximal)
    return false;
  heures = negatif ? h - minutes / 60.0 - secondes / 3600.0 : h + minutes / 60.0 + secondes / 3600.0;
  return true;
}

double LireFuseau(std::string_view texte) {
  double heures = 0;
  if (!EssayerLireFuseau(texte, heures)) {
    Avertir("Erreur dans l'écriture du fuseau");
    return 0;
  }
  return heures;
}

std::string NomVersAffichage(std::string_view nom) {
  const std::size_t virgule = nom.find(',');
  if (virgule == std::string_view::npos) return std::string(nom) + " ";
  std::string_view prenom = nom.substr(virgule + 1);
  while (!prenom.empty() && prenom.front() == ' ') prenom.remove_prefix(1);
  while (!prenom.empty() && prenom.back() == ' ') prenom.remove_suffix(1);
  return std::string(prenom) + " " + std::string(nom.substr(0, virgule));
}

namespace {

// Degrees and minutes rounded to the nearest minute, 60 carried into the degrees.
std::string FormatCoordonnee(double degres, int largeur, char positif, char negatif) {
  const double a = std::fabs(degres);
  long d = static_cast<long>(PartieEntiere(a));
  long m = static_cast<long>(Arrondi((a - d) * 60.0));
  if (m >= 60) {
    m = 0;
    d += 1;
  }
  return Remplir(d, largeur) + (degres < 0 ? negatif : positif) + Remplir(m, 2);
}

}  // namespace

std::string FormatLatitude(double degres) { return FormatCoordonnee(degres, 2, 'N', 'S'); }
std::string FormatLongitude(double degres) { return FormatCoordonnee(degres, 3, 'E', 'W'); }

}  // namespace selvane
