#include "cli/ThemeNatal.h"

#include <bitset>
#include <charconv>
#include <cstdlib>

#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {
namespace {

const char* const kObligatoires[5] = {"--date", "--time", "--lat", "--long", "--zone"};

}  // namespace

OptionsNaissance::OptionsNaissance(const OptionsLues& lues, bool secondsLieu) : secondsLieuEtMoment(secondsLieu) {
  std::string* champs[5] = {&saisie.date, &saisie.heure, &saisie.lat, &saisie.lon, &saisie.fuseau};
  std::string* seconds[5] = {nullptr, &heureMoment, &latLieu, &longLieu, nullptr};
  for (int k = 0; k < 5; ++k) {
    const std::vector<std::string>& valeurs = lues.Valeurs(kObligatoires[k]);
    if (valeurs.empty()) continue;
    vu[k] = true;
    const bool second = secondsLieuEtMoment && seconds[k];
    *champs[k] = second ? valeurs.front() : valeurs.back();
    if (second && valeurs.size() > 1) *seconds[k] = valeurs.back();
  }
  saisie.nom = lues.Valeur("--name");
}

std::vector<Option> AvecNaissance(std::vector<Option> autres) {
  std::vector<Option> options;
  for (const char* nom : kObligatoires) options.push_back({nom});
  options.push_back({"--name"});
  options.insert(options.end(), autres.begin(), autres.end());
  return options;
}

const char* OptionsNaissance::Manquante() const {
  for (int k = 0; k < 5; ++k)
    if (!vu[k]) return kObligatoires[k];
  return nullptr;
}

bool OptionsNaissance::Completes() const {
  const char* manquante = Manquante();
  if (manquante) Avertir(std::string("Option obligatoire manquante : ") + manquante);
  return !manquante;
}

bool OptionsNaissance::Verifier() {
  if (!Completes() || !VerifierNaissance(saisie)) return false;
  // The place of the computed chart is checked as a birth place would be.
  for (const std::string* lieu : {&latLieu, &longLieu}) {
    if (lieu->empty()) continue;
    SaisieNaissance essai = saisie;
    (lieu == &latLieu ? essai.lat : essai.lon) = *lieu;
    if (!VerifierNaissance(essai)) return false;
  }
  return true;
}

void PreparerCalcul() {
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int n = 1; n <= 20; ++n) jeu.set(n);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
}

FicheClient FicheDeNaissance(const SaisieNaissance& n) {
  FicheClient f;
  f.Nom = ChaineCourte<36>::DepuisUtf8(n.nom);
  f.Date = ChaineCourte<10>::DepuisUtf8(n.date);
  f.Heure = ChaineCourte<8>::DepuisUtf8(n.heure);
  f.Ville = ChaineCourte<70>::DepuisUtf8(n.ville);
  f.Lat = ChaineCourte<6>::DepuisUtf8(n.lat);
  f.Long = ChaineCourte<7>::DepuisUtf8(n.lon);
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(n.fuseau);
  return f;
}

void CalculerThemeSaisi(const SaisieNaissance& n, int systeme, float ecartGlyphes) {
  EtatTheme& e = Etat();
  e.FicheEnCours = FicheDeNaissance(n);
  e.SystemeMaisons = static_cast<std::uint8_t>(systeme);
  CalculerTheme(ecartGlyphes);
}

bool CalculerNatal(OptionsNaissance& n, int systeme, float ecartGlyphes) {
  if (!n.Verifier()) return false;
  PreparerCalcul();
  try {
    CalculerThemeSaisi(n.saisie, systeme, ecartGlyphes);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return false;
  }
  FigerNatal();
  return true;
}

int PreparerThemeNatal(const Appel& appel, const Lecteurs& lecteurs, OptionsLues& lues) {
  if (!appel.Lire(lues, lecteurs)) return 2;
  OptionsNaissance n(lues, false);
  return CalculerNatal(n) ? 0 : 2;
}

bool LireEntierBorne(const std::string& texte, int min, int max, int& valeur) {
  if (texte.empty()) return false;
  char* fin = nullptr;
  const long x = std::strtol(texte.c_str(), &fin, 10);
  if (*fin != '\0' || x < min || x > max) return false;
  valeur = static_cast<int>(x);
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

std::string Nombre6(double x) { return FormatReel(x, 0, 6); }

void AjouterNombre(std::string& sortie, double x, int decimales) {
  char tampon[400];
  const auto [fin, erreur] = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::fixed, decimales);
  if (erreur == std::errc()) sortie.append(tampon, fin);
}

}  // namespace selvane
