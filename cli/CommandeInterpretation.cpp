// selvane-cli interpret and meaning: the interpretation window's text without the window.
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "birthdata/records/Cp1252.h"
#include "cli/Commandes.h"
#include "cli/Outils.h"
#include "cli/Prevision.h"
#include "core/Avertissements.h"
#include "core/EtatTheme.h"
#include "data/textes/ClesInterpretation.h"
#include "forecast/RechercheInterpretation.h"

namespace selvane {
namespace {

namespace fs = std::filesystem;

fs::path FichierTextes() { return DossierDuProgramme() / NomFichierInterpretation; }

OuvrirInterpretation OuvrirInstalle() {
  return [] { return IndexInterpretation::Ouvrir(FichierTextes()); };
}

void Imprimer(const std::vector<std::string>& lignes) {
  std::string s;
  for (const std::string& l : lignes) s += Cp1252VersUtf8(l) + "\n";
  std::fwrite(s.data(), 1, s.size(), stdout);
}

// A point of the window's lists: 1..23 but the Vertex, which they do not offer.
bool LirePoint(const std::string& texte, int& point) {
  std::size_t fin = 0;
  int n = 0;
  try {
    n = std::stoi(texte, &fin);
  } catch (const std::exception&) {
    fin = 0;
  }
  if (fin == 0 || fin != texte.size() || n < 1 || n > PointBelier || n == Vertex) {
    Avertir("Point incorrect : " + texte + " (1 à 23, sans le Vertex 20)");
    return false;
  }
  point = n;
  return true;
}

// "A/B,C/D": at most five midpoints, A from the Aries point .. Vulcanus, B from the MC ..
// Poseidon, as the window's two lists offer them.
bool LirePaires(const std::string& texte, std::vector<PaireCorps>& paires) {
  paires.clear();
  for (const std::string& morceau : Couper(texte, ',')) {
    const std::vector<std::string> ab = Couper(morceau, '/');
    PaireCorps p;
    if (ab.size() != 2) {
      Avertir("Mi-point incorrect : " + morceau + " (A/B attendu)");
      return false;
    }
    if (!LirePoint(ab[0], p.first) || !LirePoint(ab[1], p.second)) return false;
    if (RangUranien(p.first) > 20 || RangUranien(p.second) < 1) {
      Avertir("Mi-point incorrect : " + morceau + " (A du Point Vernal à Vulcanus, B du M.C. à Poséidon)");
      return false;
    }
    paires.push_back(p);
  }
  if (paires.size() > 5) {
    Avertir("5 mi-points au plus : " + texte);
    return false;
  }
  return true;
}

}  // namespace

int CommandeInterpretation(const Appel& a) {
  DemandeInterpretation d;
  const Lecteurs lecteurs = {
      {"--indirect",
       [&](const std::string&) {
         d.indirects = true;
         return true;
       }},
      {"--orb-index",
       [&](const std::string& valeur) {
         if (valeur.size() != 1 || valeur[0] < '0' || valeur[0] > '5') {
           Avertir("Orbe incorrect : " + valeur + " (0 à 5)");
           return false;
         }
         d.indexOrbe = valeur[0] - '0';
         return true;
       }},
      {"--to",
       [&](const std::string& valeur) {
         if (valeur == "all") return true;
         std::vector<PaireCorps> cibles;
         if (!LirePaires(valeur, cibles)) return false;
         d.tousMiPoints = false;
         std::tie(d.ciblesA, d.ciblesB) = CiblesDesMiPoints(cibles);
         return true;
       }},
      // "points" and "midpoints" take the list after them.
      {"--from", [&](const std::string& valeur, Mots& suite) {
         if (valeur == "sol-lun") {
           d.modeDe = DeSolLun;
         } else if (valeur == "personal") {
           d.modeDe = DePointsPersonnels;
         } else if (valeur == "points" && suite.Reste()) {
           d.modeDe = DePointsChoisis;
           for (const std::string& p : Couper(suite.Prendre(), ',')) {
             int point = 0;
             if (!LirePoint(p, point)) return false;
             d.pointsChoisis.set(point);
           }
         } else if (valeur == "midpoints" && suite.Reste()) {
           d.modeDe = DeMiPointsChoisis;
           if (!LirePaires(suite.Prendre(), d.miPointsSource)) return false;
         } else {
           Avertir("--from attend sol-lun, personal, points LISTE ou midpoints PAIRES");
           return false;
         }
         return true;
       }}};
  // The search's own options first, wherever they stand; the rest names the birth and the
  // technique as `table` does.
  const std::vector<std::string> propres = {"--indirect", "--orb-index", "--from", "--to"};
  std::vector<char*> reste;
  OptionsLues lues;
  const std::vector<Option> recherche = Parmi(a.commande.options, propres);
  if (!LireOptions(a.argc, a.argv, {recherche, Fautes::ParOption, {}, &lecteurs, &reste}, lues)) return 2;
  OptionsPrevision options;
  if (!LireOptionsPrevision(static_cast<int>(reste.size()), reste.data(), Sauf(a.commande.options, propres), options))
    return 2;
  ChampsPrevision champs;
  if (!LireTechniqueOption(options, champs)) return 2;
  EtatPrevision etat;
  if (!OuvrirNaissance(options, etat, champs)) return 2;
  // The natal lines as the window copies them when it opens, before any comparison chart.
  const EtatTheme& e = Etat();
  d.ligneDateNatale = e.LigneDateHeure.Chaine();
  d.villeNatale = e.FicheEnCours.Ville.Chaine();
  d.coordonneesNatales = e.LigneCoordonnees.Chaine();
  if (const int statut = CalculerTechniqueOption(options, etat, champs)) return statut;

  d.technique = static_cast<int>(champs.technique);
  const int colonne = d.technique == TechRS || d.technique == TechRL ? 2 : 6;
  for (int c = 1; c <= PointBelier; ++c) {
    d.cible[c] = e.Positions[c][colonne];
    d.dirige[c] = e.Positions[c][2];
  }
  d.nomAffiche = e.NomAffiche.Chaine();
  d.ligneDateRetour = e.LigneDateHeure.Chaine();
  d.villeRetour = e.FicheEnCours.Ville.Chaine();
  d.coordonneesRetour = e.LigneCoordonnees.Chaine();
  d.champDate = champs.date;
  d.champHeure = champs.heure;
  d.ligneArc = etat.LignesResultat[0];

  std::vector<std::string> lignes;
  try {
    const IssueInterpretation issue = EcrireInterpretation(d, OuvrirInstalle(), lignes);
    Imprimer(lignes);
    if (issue.genre != GenreMessage::Aucun) {
      Avertir(issue.message);
      return 2;
    }
  } catch (...) {
    Imprimer(lignes);  // the headings written before the file failed stay, as in the window
    throw;
  }
  return 0;
}

int CommandeSignification(const Appel& a) {
  const int argc = a.argc;
  char** const argv = a.argv;
  if (argc < 2 || argc > 3) {
    Avertir("Usage : selvane-cli meaning A B [C] (numéros de points)");
    return 2;
  }
  int points[3] = {};
  for (int k = 0; k < argc; ++k)
    if (!LirePoint(argv[k], points[k])) return 2;
  std::vector<std::string> lignes;
  const IssueInterpretation issue = EcrireSignification(points[0], points[1], points[2], OuvrirInstalle(), lignes);
  if (issue.genre != GenreMessage::Aucun) {
    Avertir(issue.message);
    return 2;
  }
  Imprimer(lignes);
  return 0;
}

}  // namespace selvane
