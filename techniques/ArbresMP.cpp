#include "techniques/ArbresMP.h"

#include <algorithm>

#include "core/Catalogue.h"
#include "core/Conversions.h"

namespace selvane {

std::string TexteHarmonique(int h) {
  const DMS m = DecouperDMS(360.0 / h);
  std::string degres = std::to_string(m.degres);
  degres.insert(0, 4 - std::min<std::size_t>(4, degres.size()), ' ');
  std::string t = "H" + std::to_string(h) + degres + "\xB0";
  if (m.minutes || m.secondes) t += Remplir(m.minutes, 2) + "'";
  if (m.secondes) t += Remplir(m.secondes, 2) + "\"";
  return t;
}

double OrbeArbres(int item) { return (item * 5 + 5) / 60.0 * DegEnRad; }

std::vector<ArbreMP> CalculerArbres(const LongitudesNatales& natal, const std::bitset<256>& jeu, int harmonique,
                                    double orbe) {
  std::vector<ArbreMP> arbres;
  ParametresArbre p;
  p.harmonique = harmonique;
  p.orbe = orbe;
  p.jeu = jeu;
  for (int racine = 1; racine <= NbCorps; ++racine) {
    p.corpsReference = racine;
    ArbreMP a{racine, ChercherArbre(natal.data(), natal[static_cast<std::size_t>(racine)], p)};
    // The dial's search pairs the followed midpoint too; here body 24 stands alone.
    a.lignes.erase(std::remove_if(a.lignes.begin(), a.lignes.end(),
                                  [](const LigneArbre& l) { return l.corps2 == MiPointSoleilLune; }),
                   a.lignes.end());
    std::reverse(a.lignes.begin(), a.lignes.end());
    arbres.push_back(std::move(a));
  }
  return arbres;
}

std::size_t ArbreMP::PlaceRacine() const {
  std::size_t i = 0;
  while (i < lignes.size() && Arrondi(lignes[i].ecart * RadEnDeg * 1e4) > 0) ++i;
  return i;
}

int NombreMiPoints(const std::vector<ArbreMP>& arbres) {
  int n = 0;
  for (const ArbreMP& a : arbres) n += static_cast<int>(a.lignes.size());
  return n;
}

std::string TexteEcartMP(double ecart) { return FormatDegMinSigne(ecart, 1); }

std::vector<PlaceArbre> DisposerArbres(const std::vector<ArbreMP>& arbres, int premiereLigne, int derniereLigne) {
  std::vector<PlaceArbre> places;
  int L = premiereLigne, colonne = 0;
  for (const ArbreMP& a : arbres) {
    if (L + a.NombreLignes() >= derniereLigne) {
      L = premiereLigne;
      ++colonne;
    }
    places.push_back({colonne, L});
    L += a.NombreLignes() + 3;
  }
  return places;
}

}  // namespace selvane
