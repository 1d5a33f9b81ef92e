#include <charconv>
#include <cstring>

#include "birthdata/Saisie.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

bool LireOptionsPrevision(int argc, char** argv, const char* const* drapeaux, OptionsPrevision& options) {
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    bool drapeau = false;
    for (const char* const* d = drapeaux; *d; ++d) drapeau = drapeau || option == *d;
    if (drapeau) {
      options.valeurs[option] = "";
      continue;
    }
    if (option.rfind("--", 0) != 0) {
      Avertir("Option inconnue : " + option);
      return false;
    }
    if (i + 1 >= argc) {
      Avertir("Valeur manquante après " + option);
      return false;
    }
    const std::string valeur = argv[++i];
    if ((option == "--lat" || option == "--long") && options.Present(option))
      (option == "--lat" ? options.latLieu : options.longLieu) = valeur;
    else if (option == "--time" && options.Present(option))
      options.heureMoment = valeur;  // not the birth time, which the first one gave
    else
      options.valeurs[option] = valeur;
  }
  return true;
}

bool OuvrirNaissance(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs) {
  for (const char* obligatoire : {"--date", "--time", "--lat", "--long", "--zone"})
    if (!options.Present(obligatoire)) {
      Avertir(std::string("Option obligatoire manquante : ") + obligatoire);
      return false;
    }
  SaisieNaissance n;
  n.date = options.Valeur("--date");
  n.heure = options.Valeur("--time");
  n.lat = options.Valeur("--lat");
  n.lon = options.Valeur("--long");
  n.fuseau = options.Valeur("--zone");
  if (options.Present("--name")) n.nom = options.Valeur("--name");
  if (!VerifierNaissance(n)) return false;
  for (const std::string* lieu : {&options.latLieu, &options.longLieu}) {
    if (lieu->empty()) continue;
    SaisieNaissance essai = n;
    (lieu == &options.latLieu ? essai.lat : essai.lon) = *lieu;
    if (!VerifierNaissance(essai)) return false;
  }
  ReinitialiserEtat();
  std::bitset<256> jeu;
  for (int b = 1; b <= 20; ++b) jeu.set(b);
  DefinirJeuPlanetes(jeu);
  OuvrirEphemerides();
  FicheClient& f = Etat().FicheEnCours;
  f = FicheDeNaissance(n);
  if (options.Present("--city")) f.Ville = ChaineCourte<70>::DepuisUtf8(options.Valeur("--city"));
  try {
    CalculerTheme(EcartGlyphes8);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return false;
  }
  FigerNatal();
  etat = OuvrirEtatPrevision();
  champs.ville = SansControles(f.Ville.Chaine().substr(0, 30));
  champs.lat = options.latLieu.empty() ? f.Lat.Chaine() : Utf8VersCp1252(options.latLieu);
  champs.lon = options.longLieu.empty() ? f.Long.Chaine() : Utf8VersCp1252(options.longLieu);
  champs.precession = options.Present("--precession");
  return true;
}

bool LireDateOption(const OptionsPrevision& options, const char* option, std::string& champ) {
  if (!options.Present(option)) {
    Avertir(std::string("Option obligatoire manquante : ") + option);
    return false;
  }
  const std::string& date = options.Valeur(option);
  const std::string erreur = ErreurDate(date);
  if (!erreur.empty()) {
    Avertir(erreur);
    return false;
  }
  champ = date;
  for (char& c : champ)
    if (c == '/') c = '.';
  return true;
}

bool LireTechniqueOption(const OptionsPrevision& options, ChampsPrevision& champs) {
  const std::string technique = options.Present("--technique") ? options.Valeur("--technique") : "natal";
  const char* const noms[] = {"natal", "rs", "rl", "arc", "transits"};
  for (int i = 0; i < 5; ++i)
    if (technique == noms[i]) {
      champs.technique = static_cast<TechniquePrevision>(i);
      return true;
    }
  Avertir("Technique inconnue : " + technique + " (natal, rs, rl, arc ou transits)");
  return false;
}

int CalculerTechniqueOption(const OptionsPrevision& options, EtatPrevision& etat, ChampsPrevision& champs) {
  if (champs.technique == TechniquePrevision::Natal) return 0;
  if (!LireDateOption(options, "--on", champs.date)) return 2;
  if (!options.heureMoment.empty()) {
    const std::string erreur = ErreurHeure(options.heureMoment);
    if (!erreur.empty()) {
      Avertir(erreur);
      return 2;
    }
    champs.heure = options.heureMoment.substr(0, 5);
  }
  try {
    if (CalculerPrevision(etat, champs, {{}, false, {}}).abandonne) {
      Avertir("Retour lunaire abandonné : la Lune n'a pas rejoint sa place sidérale en trois pas");
      return 3;
    }
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  return 0;
}

std::string Nombre6(double x) {
  char tampon[400];
  const auto [fin, erreur] = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::fixed, 6);
  return erreur == std::errc() ? std::string(tampon, fin) : std::string();
}

}  // namespace selvane
