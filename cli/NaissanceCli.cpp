#include "cli/NaissanceCli.h"

#include <algorithm>
#include <bitset>
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
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
  EtatTheme& e = Etat();
  FicheClient& f = e.FicheEnCours;
  const SaisieNaissance& n = naissance.saisie;
  f = FicheClient();
  f.Nom = ChaineCourte<36>::DepuisUtf8(n.nom);
  f.Date = ChaineCourte<10>::DepuisUtf8(n.date);
  f.Heure = ChaineCourte<8>::DepuisUtf8(n.heure);
  f.Lat = ChaineCourte<6>::DepuisUtf8(n.lat);
  f.Long = ChaineCourte<7>::DepuisUtf8(n.lon);
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(n.fuseau);
  e.SystemeMaisons = 1;
  try {
    CalculerTheme(EcartGlyphes8);
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

bool LireListeCorps(const std::string& option, const std::string& texte, std::vector<int>& corps) {
  corps.clear();
  std::size_t debut = 0;
  for (;;) {
    const std::size_t virgule = texte.find(',', debut);
    const std::string champ = texte.substr(debut, virgule == std::string::npos ? std::string::npos : virgule - debut);
    int c = 0;
    if (!LireEntier(champ, 1, 23, c) || c == Vertex) {
      Avertir(option + " : point incorrect '" + champ + "' (1 à 19, 21, 22, 23)");
      return false;
    }
    corps.push_back(c);
    if (virgule == std::string::npos) return true;
    debut = virgule + 1;
  }
}

std::string Decimales6(double x) { return FormatReel(x, 0, 6); }

}  // namespace selvane
