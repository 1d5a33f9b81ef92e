// selvane-cli transits: the transits of one or two calendar years to the natal points and midpoints.
#include <cstdio>
#include <string>

#include "cli/Commandes.h"
#include "cli/NaissanceCli.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"

namespace selvane {
namespace {

// "0,45,90": the aspects of the list, as indices of AnglesAspects.
bool LireAspects(const std::string& texte, std::vector<int>& aspects) {
  aspects.clear();
  std::size_t debut = 0;
  for (;;) {
    const std::size_t virgule = texte.find(',', debut);
    const std::string champ = texte.substr(debut, virgule == std::string::npos ? std::string::npos : virgule - debut);
    int degres = -1;
    if (!LireEntier(champ, 0, 180, degres) || degres % 45 != 0) {
      Avertir("Aspect incorrect : '" + champ + "' (0, 45, 90, 135 ou 180)");
      return false;
    }
    aspects.push_back(AspectsProposes[static_cast<std::size_t>(degres / 45)]);
    if (virgule == std::string::npos) return true;
    debut = virgule + 1;
  }
}

}  // namespace

int CommandeTransits(int argc, char** argv) {
  OptionsNaissance naissance;
  DemandeTransits demande;
  bool listes[3] = {}, anneeVue = false;
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (i + 1 >= argc) {
      Avertir("Valeur manquante après " + option);
      return 2;
    }
    const std::string valeur = argv[++i];
    if (naissance.Lire(option, valeur)) continue;
    if (option == "--p1" || option == "--p2" || option == "--p3") {
      const int k = option[3] - '1';
      std::vector<int>& liste = k == 0 ? demande.p1 : k == 1 ? demande.p2 : demande.p3;
      if (!LireListeCorps(option, valeur, liste)) return 2;
      listes[k] = true;
    } else if (option == "--year") {
      // The window's checks, in its order.
      if (!ContientChiffre(valeur)) {
        Avertir("N'entrez que des chiffres !");
        return 2;
      }
      if (!LireEntier(valeur, -1000000, 1000000, demande.annee)) {
        Avertir("'" + valeur + "' n'est pas une valeur entière correcte");
        return 2;
      }
      if (!AnneeTransitsValide(demande.annee)) {
        Avertir("L'année doit être comprise entre 0 et 2100 !");
        return 2;
      }
      anneeVue = true;
    } else if (option == "--years") {
      if (valeur != "1" && valeur != "2") {
        Avertir("Durée incorrecte : " + valeur + " (1 ou 2 années)");
        return 2;
      }
      demande.jours = valeur == "1" ? 365 : 730;
    } else if (option == "--aspects") {
      if (!LireAspects(valeur, demande.aspects)) return 2;
    } else {
      Avertir("Option inconnue : " + option);
      return 2;
    }
  }
  for (int k = 0; k < 3; ++k)
    if (!listes[k]) {
      Avertir("Vous devez sélectionner au moins un point P" + std::to_string(k + 1));
      return 2;
    }
  if (!anneeVue) {
    Avertir("Option obligatoire manquante : --year");
    return 2;
  }
  if (!naissance.Verifier()) return 2;
  NatalDirections natal;
  if (!CalculerNatal(naissance, natal)) return 2;
  std::vector<LigneTransit> lignes;
  try {
    lignes = CalculerTransits(natal, demande);
  } catch (const ErreurEphemerides& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  std::string s = "body,retrograde,aspect,a,b,aspect_point,jd_ut,date,time,age\n";
  for (const LigneTransit& l : lignes) {
    s += std::to_string(l.corps) + "," + (l.retrograde ? "1" : "0") + "," +
         FormatReel(AnglesAspects[static_cast<std::size_t>(l.aspect)] * RadEnDeg, 0, 0) + "," + std::to_string(l.a) +
         "," + std::to_string(l.b) + "," + Decimales6(l.pointAspectDeg) + "," + Decimales6(l.jour) + "," +
         JourJulienVersDate(l.jour) + "," + FormatHeureHM(HeureDuJour(l.jour)) + "," + Decimales6(l.age) + "\n";
  }
  std::fwrite(s.data(), 1, s.size(), stdout);
  return 0;
}

}  // namespace selvane
