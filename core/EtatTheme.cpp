#include "core/EtatTheme.h"

#include <charconv>
#include <cmath>

#include "core/Conversions.h"

namespace selvane {

EtatTheme& Etat() {
  static EtatTheme etat;
  return etat;
}

void ReinitialiserEtat() { Etat() = EtatTheme(); }

void DefinirJeuPlanetes(const std::bitset<256>& jeu) {
  EtatTheme& e = Etat();
  e.JeuPlanetes = jeu;
  e.NbPlanetes = static_cast<int>(jeu.count());
  e.NbPlanetesJeu = e.NbPlanetes;
}

void FigerNatal() {
  EtatTheme& e = Etat();
  for (int n = 1; n <= NbCorps; ++n) {
    e.Positions[n][6] = e.Positions[n][1];
    e.Positions[n][5] = e.Positions[n][3];
  }
  for (int i = 1; i <= 12; ++i) e.MaisonsNatales[i] = e.Maisons[i];
}

int JourSemaine(double jourJulienTU, double fuseauHeures) {
  const double j = PartieEntiere(jourJulienTU + 1.5 + 0.00001 + fuseauHeures / 24.0);
  int r = static_cast<int>(std::fmod(j, 7.0));
  if (r < 0) r += 7;
  return r;
}

namespace {

// Shortest text that reads back to the same double.
std::string NombreVersTexte(double x) {
  char tampon[64];
  auto [fin, ec] = std::to_chars(tampon, tampon + sizeof tampon, x);
  (void)ec;
  return std::string(tampon, fin);
}

double TexteVersNombre(const std::string& texte) {
  double x = 0;
  std::from_chars(texte.data(), texte.data() + texte.size(), x);
  return x;
}

}  // namespace

LignesRadix EcrireRadix() {
  const EtatTheme& e = Etat();
  const FicheClient& f = e.FicheEnCours;
  LignesRadix l;
  l[0] = e.NomFichierNaissance.Chaine();
  l[1] = FormatDMS(e.Positions[1][1]);
  l[2] = f.Nom.Chaine();
  l[3] = f.Date.Chaine();
  l[4] = f.Heure.Chaine();
  l[5] = f.Ville.Chaine();
  l[6] = f.Lat.Chaine();
  l[7] = f.Long.Chaine();
  l[8] = f.Fuseau.Chaine();
  l[9] = f.Commentaire.Chaine();
  l[10] = NombreVersTexte(e.JourJulienTU);
  l[11] = NombreVersTexte(e.EquationDuTemps);
  l[12] = NombreVersTexte(e.Positions[1][1]);
  return l;
}

void RestaurerRadix(const LignesRadix& l) {
  EtatTheme& e = Etat();
  FicheClient& f = e.FicheEnCours;
  e.NomFichierNaissance = l[0];
  f.Nom = l[2];
  f.Date = l[3];
  f.Heure = l[4];
  f.Ville = l[5];
  f.Lat = l[6];
  f.Long = l[7];
  f.Fuseau = l[8];
  f.Commentaire = l[9];
  e.JourJulienTU = TexteVersNombre(l[10]);
  e.EquationDuTemps = static_cast<float>(TexteVersNombre(l[11]));
  e.Positions[1][1] = TexteVersNombre(l[12]);
  e.Positions[23][1] = 0;
  e.NomAffiche = NomVersAffichage(f.Nom.Texte());
}

}  // namespace selvane
