#include "cli/ThemeNatal.h"

#include <cstdlib>

#include "cli/SerieThemes.h"
#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"

namespace selvane {

int LireOptionsNaissance(int argc, char** argv, const LecteurOption& autre, SaisieNaissance& n,
                         const char*& manquante) {
  bool vu[5] = {};
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      Avertir("Valeur manquante après " + option);
      return 2;
    }
    const std::string valeur = argv[++i];
    if (option == "--date") { n.date = valeur; vu[0] = true; }
    else if (option == "--time") { n.heure = valeur; vu[1] = true; }
    else if (option == "--lat") { n.lat = valeur; vu[2] = true; }
    else if (option == "--long") { n.lon = valeur; vu[3] = true; }
    else if (option == "--zone") { n.fuseau = valeur; vu[4] = true; }
    else if (option == "--name") n.nom = valeur;
    else {
      const OptionLue lue = autre ? autre(option, valeur) : OptionLue::Inconnue;
      if (lue == OptionLue::Refusee) return 2;
      if (lue == OptionLue::Inconnue) {
        Avertir("Option inconnue : " + option);
        return 2;
      }
    }
  }
  static const char* const noms[5] = {"--date", "--time", "--lat", "--long", "--zone"};
  manquante = nullptr;
  for (int k = 0; k < 5 && !manquante; ++k)
    if (!vu[k]) manquante = noms[k];
  return 0;
}

int PreparerThemeNatal(int argc, char** argv, const LecteurOption& autre) {
  SaisieNaissance n;
  const char* manquante = nullptr;
  if (LireOptionsNaissance(argc, argv, autre, n, manquante) != 0) return 2;
  if (manquante) {
    Avertir(std::string("Option obligatoire manquante : ") + manquante);
    return 2;
  }
  if (!VerifierNaissance(n)) return 2;
  PreparerSerie();
  try {
    CalculerThemeSaisi(n, 1);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  FigerNatal();
  return 0;
}

bool LireEntierBorne(const std::string& texte, int min, int max, int& valeur) {
  if (texte.empty()) return false;
  char* fin = nullptr;
  const long x = std::strtol(texte.c_str(), &fin, 10);
  if (*fin != '\0' || x < min || x > max) return false;
  valeur = static_cast<int>(x);
  return true;
}

std::string Degres6(double degres) { return FormatReel(degres, 0, 6); }

}  // namespace selvane
