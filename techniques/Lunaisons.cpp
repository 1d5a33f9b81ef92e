#include "techniques/Lunaisons.h"

#include <algorithm>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/Recherches.h"

namespace selvane {

namespace {

constexpr char kGlypheConjonction = '\xBA';  // aspect glyph 186
constexpr char kGlypheOpposition = '\xC2';   // aspect glyph 194

// Longitude of a body at a Universal Time instant, radians. The list is computed
// from the ephemeris alone: the current chart is left as it is.
double PositionA(int corps, double jourTU) { return PositionCorpsTU(corps, jourTU).Longitude(); }

std::string DateHeure(double jourTU) {
  return JourJulienVersDate(jourTU) + " - " + FormatHeureHM(HeureDuJour(jourTU));
}


LigneEvenement Ligne(GenreEvenement genre, double jourTU, bool avecLune) {
  LigneEvenement l;
  l.genre = genre;
  l.jourTU = jourTU;
  const double soleil = PositionA(Soleil, jourTU);
  l.soleilDeg = soleil * RadEnDeg;
  l.avecLune = avecLune;
  l.luneDeg = avecLune ? PositionA(Lune, jourTU) * RadEnDeg : 0;
  l.colonnes[1] = FormatGlyphe(soleil);
  l.colonnes[2] = avecLune ? FormatGlyphe(l.luneDeg * DegEnRad) : "";
  l.colonnes[3] = DateHeure(jourTU);
  l.colonnes[4] = FormatModulo(l.soleilDeg, 90);
  l.colonnes[5] = FormatModulo(l.soleilDeg, 45);
  l.colonnes[6] = FormatModulo(l.soleilDeg, 22.5);
  l.colonnes[7] = FormatReel(jourTU, 0, 5);
  return l;
}

// The library finds an eclipse on its own ΔT; the list gives it the ΔT of every
// other row, as the lunations: the same Terrestrial Time, back to Universal Time.
double InstantDeLaListe(double jourTUBibliotheque) {
  const double tt = jourTUBibliotheque + DeltaTBibliotheque(jourTUBibliotheque);
  return tt - DeltaT(tt);
}

void EclipsesSolaires(double debut, double fin, std::vector<LigneEvenement>& lignes) {
  double q = debut;
  do {
    double tret[10] = {};
    if (EclipseSolaire(false, tret, q) < 0) return;  // the library failed: nothing more to find
    const double r = InstantDeLaListe(tret[0]);
    q = tret[0];
    if (r > fin) return;
    LigneEvenement l = Ligne(GenreEvenement::EclipseSolaire, r, false);
    l.colonnes[0] = "$";
    l.colonnes[2] = " ";
    lignes.push_back(l);
    q += 29;
  } while (q < fin);
}

void EclipsesLunaires(double debut, double fin, std::vector<LigneEvenement>& lignes) {
  double q = debut;
  do {
    double tret[10] = {};
    if (EclipseLunaire(false, tret, q) < 0) return;
    const double r = InstantDeLaListe(tret[0]);
    // Every later search would find this eclipse again or a later one.
    if (r > fin) return;
    q = tret[0];
    LigneEvenement l = Ligne(GenreEvenement::EclipseLunaire, r, true);
    l.colonnes[0] = "%";
    lignes.push_back(l);
    q += 29;
  } while (q < fin);
}

void Lunaisons(int premiereAnnee, double debut, double fin, std::vector<LigneEvenement>& lignes) {
  const double k0 = (premiereAnnee - 1900) * 12.3685;
  double k = std::floor(k0 * 2.0) / 2.0;
  if (NouvelleLuneMoyenne(k) < debut) k += 0.5;
  double q;
  do {
    const bool pleine = k != std::floor(k);
    const double moyenne = NouvelleLuneMoyenne(k);
    const double vraie = moyenne + CorrectionPhase(pleine ? 8 : 0, moyenne);
    q = vraie - DeltaT(vraie);
    if (q > fin) break;
    // Far from 1900 the lunation count of the first year starts a little early:
    // a phase of the year before is not listed.
    if (q >= debut) {
      LigneEvenement l =
          Ligne(pleine ? GenreEvenement::PleineLune : GenreEvenement::NouvelleLune, q, pleine);
      l.colonnes[0] = pleine ? kGlypheOpposition : kGlypheConjonction;
      lignes.push_back(l);
    }
    k += 0.5;
  } while (q <= fin);
}

int SigneDuSoleil(double jourTU) {
  return static_cast<int>(PartieEntiere(PositionA(Soleil, jourTU) * RadEnDeg)) / 30 + 1;
}

void IngresCardinaux(double debut, double fin, std::vector<LigneEvenement>& lignes) {
  double q = debut;
  do {
    const int avant = SigneDuSoleil(q);
    const int apres = SigneDuSoleil(q + 1);
    if (avant != apres) {
      const int fini = apres == 1 ? 12 : apres - 1;  // the sign whose end the Sun reaches
      const double p = q + CorrectionIngres(Soleil, fini, q);
      if (apres == 1 || apres == 4 || apres == 7 || apres == 10) {
        if (p >= debut && p <= fin) {
          LigneEvenement l;
          l.genre = GenreEvenement::Ingres;
          l.jourTU = p;
          l.soleilDeg = PositionA(Soleil, p) * RadEnDeg;
          l.luneDeg = 0;
          l.avecLune = false;
          l.colonnes[0] = "A";
          l.colonnes[1] = std::string(1, LettreSigne(apres));
          l.colonnes[3] = DateHeure(p);
          l.colonnes[7] = FormatReel(p, 0, 5);
          lignes.push_back(l);
        }
        // Seasons last more than 88 days but winter less than 89: the next day
        // examined is 88 days on, so an equinox early in its day is not jumped over.
        q += 87;
      }
    }
    q += 1;
  } while (q <= fin);
}

}  // namespace

std::string FormatModulo(double degres, double module) {
  const double x = Reste(module, degres);
  const double a = std::fabs(x);
  const long d = static_cast<long>(PartieEntiere(a));
  long m = static_cast<long>(Arrondi((a - d) * 60.0));
  if (m == 60) m = 59;
  return std::string(x < 0 ? "-" : "") + Remplir(d, 2) + "\xB0" + Remplir(m, 2) + "'";
}

std::vector<LigneEvenement> CalculerEvenements(int premiereAnnee, int derniereAnnee) {
  const double debut = JourJulien(1, 1, premiereAnnee, 0);
  const double fin = JourJulien(1, 1, derniereAnnee + 1, 0);
  std::vector<LigneEvenement> lignes;
  if (fin <= debut) return lignes;
  EclipsesSolaires(debut, fin, lignes);
  EclipsesLunaires(debut, fin, lignes);
  Lunaisons(premiereAnnee, debut, fin, lignes);
  IngresCardinaux(debut, fin, lignes);
  std::stable_sort(lignes.begin(), lignes.end(),
                   [](const LigneEvenement& a, const LigneEvenement& b) { return a.jourTU < b.jourTU; });
  return lignes;
}

}  // namespace selvane
