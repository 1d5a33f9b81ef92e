#include "cli/NaissanceCli.h"

#include <algorithm>
#include <charconv>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

bool OptionsNaissance::Lire(const std::string& option, const std::string& valeur) {
  std::string* champs[5] = {&saisie.date, &saisie.heure, &saisie.lat, &saisie.lon, &saisie.fuseau};
  static const char* const noms[5] = {"--date", "--time", "--lat", "--long", "--zone"};
  for (int k = 0; k < 5; ++k)
    if (option == noms[k]) {
      *champs[k] = valeur;
      vu[k] = true;
      return true;
    }
  if (option != "--name") return false;
  saisie.nom = valeur;
  return true;
}

bool OptionsNaissance::Verifier() {
  static const char* const noms[5] = {"--date", "--time", "--lat", "--long", "--zone"};
  for (int k = 0; k < 5; ++k)
    if (!vu[k]) {
      Avertir(std::string("Option obligatoire manquante : ") + noms[k]);
      return false;
    }
  return VerifierNaissance(saisie);
}

bool CalculerNatal(OptionsNaissance& naissance, NatalDirections& natal) {
  if (!naissance.Verifier()) return false;
  PreparerCalcul();
  try {
    CalculerNaissance(naissance.saisie, 1);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return false;
  }
  FigerNatal();
  natal = NatalDepuisEtat();
  return true;
}

bool LireEntier(const std::string& texte, int minimum, int maximum, int& valeur) {
  int v = 0;
  const char* fin = texte.data() + texte.size();
  const auto [p, erreur] = std::from_chars(texte.data(), fin, v);
  if (texte.empty() || erreur != std::errc() || p != fin || v < minimum || v > maximum) return false;
  valeur = v;
  return true;
}

namespace {

bool LireListeCorps(const std::string& option, const std::string& texte, std::vector<int>& corps) {
  corps.clear();
  return LireChamps(texte, [&](const std::string& champ) {
    int c = 0;
    if (!LireEntier(champ, 1, 23, c) || c == Vertex) {
      Avertir(option + " : point incorrect '" + champ + "' (1 à 19, 21, 22, 23)");
      return false;
    }
    corps.push_back(c);
    return true;
  });
}

}  // namespace

int OptionsPoints::Lire(const std::string& option, const std::string& valeur) {
  if (option != "--p1" && option != "--p2" && option != "--p3") return -1;
  const int k = option[3] - '1';
  if (!LireListeCorps(option, valeur, p[k])) return 0;
  vu[k] = true;
  return 1;
}

bool OptionsPoints::Verifier(std::vector<int>& p1, std::vector<int>& p2, std::vector<int>& p3) const {
  for (int k = 0; k < 3; ++k)
    if (!vu[k]) {
      Avertir("Vous devez sélectionner au moins un point P" + std::to_string(k + 1));
      return false;
    }
  p1 = p[0];
  p2 = p[1];
  p3 = p[2];
  return true;
}

bool LireChamps(const std::string& texte, const std::function<bool(const std::string& champ)>& lire) {
  std::size_t debut = 0;
  for (;;) {
    const std::size_t virgule = texte.find(',', debut);
    if (!lire(texte.substr(debut, virgule == std::string::npos ? std::string::npos : virgule - debut))) return false;
    if (virgule == std::string::npos) return true;
    debut = virgule + 1;
  }
}

bool LireOptionsPrevision(int argc, char** argv, OptionsNaissance& naissance, OptionsPoints& points,
                          const LireOption& autre) {
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      Avertir("Valeur manquante après " + option);
      return false;
    }
    const std::string valeur = argv[++i];
    if (naissance.Lire(option, valeur)) continue;
    int lu = points.Lire(option, valeur);
    if (lu < 0) lu = autre(option, valeur);
    if (lu < 0) Avertir("Option inconnue : " + option);
    if (lu <= 0) return false;
  }
  return true;
}

std::string Decimales6(double x) { return FormatReel(x, 0, 6); }

}  // namespace selvane
