// selvane-cli events: eclipses, new and full moons and cardinal ingresses of a span of years.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "techniques/ImpressionTables.h"
#include "techniques/Lunaisons.h"

namespace selvane {
namespace {

// The years the lunation window offers.
constexpr int kPremiereAnneePermise = 1000;
constexpr int kDerniereAnneePermise = 2200;

bool LireAnnee(const std::string& texte, int& annee) {
  return LireEntierBorne(texte, kPremiereAnneePermise, kDerniereAnneePermise, annee);
}

const char* NomGenre(GenreEvenement g) {
  switch (g) {
    case GenreEvenement::EclipseSolaire: return "solar_eclipse";
    case GenreEvenement::EclipseLunaire: return "lunar_eclipse";
    case GenreEvenement::NouvelleLune: return "new_moon";
    case GenreEvenement::PleineLune: return "full_moon";
    case GenreEvenement::Ingres: return "ingress";
  }
  return "";
}

// Longitude in degrees, 0 <= x < 360 as printed: a longitude a hair below 360
// (the March equinox) would otherwise round to "360.000000".
std::string Longitude(double degres) {
  const std::string texte = FormatReel(Normaliser360(degres), 0, 6);
  return texte == "360.000000" ? "0.000000" : texte;
}

}  // namespace

int CommandeEvenements(const Appel& appel) {
  int de = 0, a = 0;
  const auto annee = [](int& cible) {
    return [&cible](const std::string& valeur) {
      if (LireAnnee(valeur, cible)) return true;
      Avertir(valeur + " : année incorrecte (de 1000 à 2200)");
      return false;
    };
  };
  OptionsLues lues;
  if (!appel.Lire(lues, {{"--from", annee(de)}, {"--to", annee(a)}})) return 2;
  if (!lues.Present("--from") || !lues.Present("--to")) {
    Avertir(appel.Usage());
    return 2;
  }
  if (a < de) {
    Avertir("La dernière année doit suivre la première");
    return 2;
  }
  OuvrirEphemerides();
  const std::vector<LigneEvenement> lignes = CalculerEvenements(de, a);
  if (lues.Present("--pdf")) {
    // The list window's refusal: its page holds every row or none.
    if (static_cast<int>(lignes.size()) > LignesLunaisonsMax) {
      Avertir("Reduisez la période afin de ne pas dépasser la hauteur d'une page");
      return 2;
    }
    const auto application = OuvrirApplicationHorsEcran();
    if (!application || !EcrirePdfDemande(DocumentLunaisons(lignes, LignesCachet(ContexteCachet{})), lues)) return 2;
  }
  std::string s = "kind,jd_ut,date,time,sun,moon\n";
  for (const LigneEvenement& l : lignes) {
    s += std::string(NomGenre(l.genre)) + "," + FormatReel(l.jourTU, 0, 5) + "," +
         JourJulienVersDate(l.jourTU) + "," + FormatHeureHM(HeureDuJour(l.jourTU)) + "," +
         Longitude(l.soleilDeg) + "," + (l.avecLune ? Longitude(l.luneDeg) : "") + "\n";
  }
  EcrireCsv(s, lues, ContexteCachet{});
  return 0;
}

}  // namespace selvane
