#include "methode/ArcSolaire.h"

#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"
#include "core/Temps.h"
#include "methode/Annees.h"

namespace selvane {

double JourProgresse(double jourNaissanceTU, double jourTU) {
  return jourNaissanceTU + (jourTU - jourNaissanceTU) / AnneeArcSolaire;
}

double ArcSolaireAnnuel(double jourNaissanceTU, double soleilNatal, double jourTU) {
  const double P = JourProgresse(jourNaissanceTU, jourTU);
  EtatTheme& e = Etat();
  e.ColonneCalcul = 1;
  CalculerSoleil(P + DeltaT(P));
  return Normaliser2Pi(e.Positions[Soleil][1] - soleilNatal);
}

double ArcSolaireSoleilVrai(double jourNaissanceTU, double soleilNatal, int jours) {
  double arc = Normaliser2Pi(PositionCorpsTU(Soleil, jourNaissanceTU + jours).Longitude() - soleilNatal);
  if (arc > Pi) arc -= DeuxPi;
  return arc;
}

double MomentArcDonne(double jourNaissanceTU, double soleilNatal, int degres) {
  const double T = Normaliser2Pi(degres * DegEnRad + soleilNatal);
  const double E = jourNaissanceTU + degres * MouvementMoyenSoleilDeg;
  const double G = E + ChercherRetour(Soleil, T, E);
  Etat().ColonneCalcul = 1;
  return jourNaissanceTU + (G - jourNaissanceTU) * AnneeArcDonne;
}

}  // namespace selvane
