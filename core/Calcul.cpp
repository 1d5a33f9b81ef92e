#include "core/Calcul.h"

#include <cmath>
#include <string>
#include <string_view>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane {

namespace {

// A date field of the chart must hold an integer; blanks may follow it, a "+"
// may not precede it.
int EntierStrict(std::string_view texte) {
  const std::string_view coeur = texte.substr(0, texte.find_last_not_of(' ') + 1);
  const std::size_t debut = coeur.find_first_not_of(' ');
  int valeur = 0;
  if (debut == std::string_view::npos || coeur[debut] == '+' || !Entier(coeur, valeur)) RefuserEntier(texte);
  return valeur;
}

std::string_view Sous(std::string_view texte, std::size_t debut, std::size_t longueur) {
  if (debut >= texte.size()) return {};
  return texte.substr(debut, longueur);
}

}  // namespace

double MiPoint(double a, double b) {
  const double m = (a + b) / 2.0;
  if (std::fabs(b - a) <= Pi) return m;
  return m < Pi ? m + Pi : m - Pi;
}

double PrecessionGenerale(double t1, double t0) {
  const double T = (t0 - 2451545.0) / 36525.0;
  const double t = (t1 - t0) / 36525.0;
  const double p = t * (5029.0966 + 2.22226 * T - 0.000042 * T * T) +
                   t * t * (1.11113 - 0.000042 * T) - 0.000006 * t * t * t;
  return p * Pi / 180.0 / 3600.0;
}

double NutationLongitude(double jourJulienTU) {
  const double T = (jourJulienTU + DeltaT(jourJulienTU) - 2451545.0) / 36525.0;
  const double L = Normaliser2Pi((280.4665 + 36000.7698 * T) * DegEnRad);
  const double Lp = Normaliser2Pi((218.3165 + 481267.8813 * T) * DegEnRad);
  const double omega =
      Normaliser2Pi((125.04452 - 1934.136261 * T + 0.0020708 * T * T + T * T * T / 450000.0) * DegEnRad);
  const double secondes = -17.2 * std::sin(omega) - 1.32 * std::sin(2 * L) -
                          0.23 * std::sin(2 * Lp) + 0.21 * std::sin(2 * omega);
  return secondes / 3600.0 * DegEnRad;
}

double CorrectionPrecession(double t, double t0) {
  return PrecessionGenerale(t, t0) - NutationLongitude(t0) + NutationLongitude(t);
}

double LongitudeVertex(double latitudeRad, double tempsSideralDeg, double obliquiteRad) {
  const double theta = tempsSideralDeg * DegEnRad;
  const double eps = obliquiteRad;
  const double A = std::cos(theta + Pi);
  double t = std::tan(latitudeRad);
  if (t == 0) t = 1e-10;
  const double C = std::sin(theta + Pi);
  double E = -C * std::cos(eps) - std::sin(eps) / t;
  if (E == 0) E = 1e-10;
  double v = std::atan(A / E);
  if (v < 0) v += Pi;
  if (A < 0) v += Pi;
  // Between the tropics the formula can land on the eastern intersection (the
  // antivertex); the Vertex is the western one, west of the meridian.
  const double ascensionDroite = std::atan2(std::sin(v) * std::cos(eps), std::cos(v));
  if (Normaliser2Pi(theta - ascensionDroite) > Pi) v += Pi;
  return Normaliser2Pi(v);
}

double CalculerVertex(double latitudeRad) {
  const EtatTheme& e = Etat();
  return LongitudeVertex(latitudeRad, e.TempsSideralDeg, e.ObliquiteRad);
}

void TrierGlyphes(float ecart) {
  EtatTheme& e = Etat();
  TrierEtEcarter(e.PositionsAffichees, e.OrdreAffichage, e.NbPlanetes, ecart);
}

void EtalerGlyphes(float ecart) {
  EtatTheme& e = Etat();
  int k = 0;
  for (int j = 1; j <= 20; ++j) {
    if (!e.JeuPlanetes.test(j)) continue;
    ++k;
    e.PositionsAffichees[k] = static_cast<float>(e.Positions[j][1]);
    e.OrdreAffichage[k] = static_cast<std::uint8_t>(j);
  }
  const int n = std::min(e.NbPlanetes, k);
  const int sauve = e.NbPlanetes;
  e.NbPlanetes = n;
  EtalerSurLeCercle(e.PositionsAffichees, e.OrdreAffichage, e.NbPlanetes, ecart);
  e.NbPlanetes = sauve;
}

void CalculerTheme(float ecartGlyphes) {
  EtatTheme& e = Etat();
  FicheClient& f = e.FicheEnCours;

  e.NomAffiche = NomVersAffichage(f.Nom.Texte());

  const std::string_view date = f.Date.Texte();
  const int jour = EntierStrict(Sous(date, 0, 2));
  const int mois = EntierStrict(Sous(date, 3, 2));
  const int annee = EntierStrict(Sous(date, 6, 4));

  e.LatitudeDeg = DegMinVersDegres(LireNombre(f.Lat.Texte()));
  e.LongitudeDeg = DegMinVersDegres(LireNombre(f.Long.Texte()));
  double latitudeRad = e.LatitudeDeg * DegEnRad;
  if (latitudeRad == 0) latitudeRad = 1e-10;

  e.FuseauHeures = LireFuseau(f.Fuseau.Texte());

  const std::string_view heure = f.Heure.Texte();
  const double h = LireNombre(Sous(heure, 0, 2)) + LireNombre(Sous(heure, 3, 2)) / 60.0 +
                   LireNombre(Sous(heure, 6, 2)) / 3600.0;

  const std::string debut = f.Date.Chaine() + " \xE0 " + f.Heure.Chaine() + " (GMT";
  if (e.FuseauHeures == 0)
    e.LigneDateHeure = f.Date.Chaine() + " \xE0 " + f.Heure.Chaine() + " (GMT)";
  else
    e.LigneDateHeure = debut + (e.FuseauHeures > 0 ? "+" : " ") + f.Fuseau.Chaine() + ")";

  e.LigneCoordonnees = FormatLatitude(e.LatitudeDeg) + " - " + FormatLongitude(e.LongitudeDeg);

  e.JourJulienTU = JourJulien(jour, mois, annee, (h - e.FuseauHeures) / 24.0);
  e.JourJulienTT = e.JourJulienTU + DeltaT(e.JourJulienTU);

  e.TempsSideralDeg = TempsSideral(e.LongitudeDeg / 15.0, e.FuseauHeures, h, e.JourJulienTU);

  e.ColonneCalcul = 1;
  EffacerRefusEphemerides();
  CalculerPlanetes(1, e.JourJulienTT);
  e.ObliquiteRad = e.ObliquiteDeg * DegEnRad;
  e.Positions[MiPointSoleilLune][1] = MiPoint(e.Positions[Lune][1], e.Positions[Soleil][1]);
  CalculerTransneptuniens(1, e.JourJulienTT);
  e.Positions[Vertex][1] = 0;
  CalculerMaisons(e.SystemeMaisons, latitudeRad, e.JourJulienTU);
  e.Positions[Vertex][1] = CalculerVertex(latitudeRad);
  SignalerRefusEphemerides();
  EtalerGlyphes(ecartGlyphes);
}

}  // namespace selvane
