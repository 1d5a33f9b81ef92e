// selvane-cli chart: the chart of one birth, or of every line of a file.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/Outils.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "birthdata/records/Fichiers.h"
#include "birthdata/Saisie.h"
#include "cli/SerieThemes.h"
#include "cli/ThemeNatal.h"
#include "listing/DessinTheme.h"
#include "reglages/Reglages.h"

namespace selvane {
namespace {

void Ligne(std::string& s, const char* genre, int index, double valeur, bool avecVitesse = false,
           double vitesse = 0, int decimales = 6) {
  s += genre;
  s += ',';
  s += std::to_string(index);
  s += ',';
  AjouterNombre(s, valeur, decimales);
  s += ',';
  if (avecVitesse) AjouterNombre(s, vitesse);
  s += '\n';
}

int ThemeSeul(OptionsNaissance& n, int systeme, const OptionsLues& lues) {
  if (!CalculerNatal(n, systeme)) return 2;
  const EtatTheme& e = Etat();
  std::string s = "kind,index,value,speed\n";
  Ligne(s, "jd_ut", 0, e.JourJulienTU, false, 0, 8);
  Ligne(s, "jd_tt", 0, e.JourJulienTT, false, 0, 8);
  Ligne(s, "delta_t", 0, (e.JourJulienTT - e.JourJulienTU) * 86400.0);
  Ligne(s, "armc", 0, e.TempsSideralDeg);
  Ligne(s, "obliquity", 0, e.ObliquiteDeg);
  Ligne(s, "nutation", 0, e.NutationDeg);
  Ligne(s, "eot", 0, e.EquationDuTemps);
  s += "weekday,0," + std::to_string(JourSemaine(e.JourJulienTU, e.FuseauHeures)) + ",\n";
  for (int c = 1; c <= NbCorps; ++c)
    Ligne(s, "body", c, e.Positions[c][1] * RadEnDeg, c <= NoeudLunaire, e.Positions[c][3] * RadEnDeg);
  for (int k = 1; k <= 12; ++k) Ligne(s, "cusp", k, static_cast<double>(e.Maisons[k]) * RadEnDeg);
  if (lues.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    // The colours as installed: the command line reads no user settings.
    AppliquerReglagesParDefaut();
    OptionsDessin options;
    options.impressionCouleur = !lues.Present("--bw");
    if (!EcrirePdfDemande(DocumentFeuille(e, LesReglages(), options), lues)) return 2;
  }
  EcrireCsv(s, lues, ContexteDuTheme(e));
  return 0;
}

// One output line per input line; a faulty line gives an empty line and its
// message, so the output stays aligned with the input.
int ThemesEnSerie(const char* chemin, const OptionsLues& lues) {
  // Read whole, so a folder or an unreadable file is the system's error, not an empty output.
  const std::vector<std::string> lignes = DecouperLignes(LireFichierEntier(chemin));
  PreparerCalcul();
  std::string sortie;
  sortie.reserve(1 << 20);
  // Many charts: the stamp of none.
  sortie += CommentairesCachet(lues, ContexteCachet{});
  bool fautes = false;
  int numero = 0;
  for (const std::string& ligne : lignes) {
    if (!ThemeDeLigne(ligne, ++numero, sortie)) fautes = true;
    sortie += '\n';
    if (sortie.size() > (1 << 20) - 1024) {
      std::fwrite(sortie.data(), 1, sortie.size(), stdout);
      sortie.clear();
    }
  }
  std::fwrite(sortie.data(), 1, sortie.size(), stdout);
  return fautes ? 2 : 0;
}

}  // namespace

bool ThemeDeLigne(const std::string& ligne, int numero, std::string& sortie) {
  const std::vector<std::string> champs = Couper(ligne, ';');
  if (champs.size() != 5) {
    Avertir("Ligne " + std::to_string(numero) + " : 5 champs attendus (date;heure;lat;long;fuseau)");
    return false;
  }
  SaisieNaissance n;
  n.date = champs[0];
  n.heure = champs[1];
  n.lat = champs[2];
  n.lon = champs[3];
  n.fuseau = champs[4];
  if (!VerifierNaissance(n)) return false;
  try {
    CalculerThemeSaisi(n, 1);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return false;
  }
  const EtatTheme& e = Etat();
  for (int c = 1; c <= NbCorps; ++c) {
    if (c > 1) sortie += ',';
    AjouterNombre(sortie, e.Positions[c][1] * RadEnDeg);
  }
  return true;
}

int CommandeTheme(const Appel& a) {
  int systeme = 1;
  const Lecteurs lecteurs = {{"--houses", [&](const std::string& valeur) {
                                if (valeur.size() != 1 || valeur[0] < '0' || valeur[0] > '9') {
                                  Avertir("Système de maisons incorrect : " + valeur + " (0 à 9)");
                                  return false;
                                }
                                systeme = valeur[0] - '0';
                                return true;
                              }}};
  OptionsLues lues;
  if (!a.Lire(lues, lecteurs)) return 2;
  if (lues.Present("--batch")) {
    if (lues.Present("--pdf")) {
      Avertir("--pdf imprime un seul thème : il ne va pas avec --batch");
      return 2;
    }
    return ThemesEnSerie(lues.Valeur("--batch").c_str(), lues);
  }
  OptionsNaissance n(lues, false);
  return ThemeSeul(n, systeme, lues);
}

}  // namespace selvane
