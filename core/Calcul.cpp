#include "Calcul.h"

#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Avertissements.h"
#include "Catalogue.h"
#include "Conversions.h"
#include "Ephemerides.h"
#include "EtatTheme.h"

namespace selvane {

const std::array<int, 187> TableDeltaT = {
    1240, 1150, 1060, 980, 910, 850, 790, 740, 700, 650, 620, 580, 550, 530, 500, 480,
    460,  440,  420,  400, 370, 350, 330, 310, 280, 260, 240, 220, 200, 180, 160, 140,
    130,  120,  110,  100, 90,  90,  90,  90,  90,  90,  90,  90,  100, 100, 100, 100,
    100,  110,  110,  110, 110, 110, 110, 110, 110, 120, 120, 120, 120, 120, 130, 130,
    130,  130,  140,  140, 140, 150, 150, 150, 150, 160, 160, 160, 160, 160, 170, 170,
    170,  170,  170,  170, 170, 170, 160, 160, 150, 140, 137, 131, 127, 125, 125, 125,
    125,  125,  125,  123, 120, 114, 106, 96,  86,  75,  66,  60,  57,  56,  57,  59,
    62,   65,   68,   71,  73,  75,  77,  78,  79,  75,  64,  54,  29,  16,  -10, -27,
    -36,  -47,  -54,  -52, -55, -56, -58, -59, -62, -64, -61, -47, -27, 0,   26,  54,
    77,   105,  134,  160, 182, 202, 212, 224, 235, 239, 243, 240, 239, 239, 237, 240,
    243,  253,  262,  273, 282, 291, 300, 307, 314, 322, 331, 340, 350, 365, 383, 402,
    422,  445,  465,  485, 505, 522, 538, 549, 558, 569, 580};

namespace {

// A date field must hold an integer; anything else stops the computation.
int EntierStrict(std::string_view texte) {
  std::string s(texte);
  const std::size_t debut = s.find_first_not_of(' ');
  const std::size_t fin = s.find_last_not_of(' ');
  const std::string coeur = debut == std::string::npos ? "" : s.substr(debut, fin - debut + 1);
  char* reste = nullptr;
  const long v = coeur.empty() ? 0 : std::strtol(coeur.c_str(), &reste, 10);
  if (coeur.empty() || *reste != '\0' || coeur[0] == '+')
    throw ErreurConversion("'" + Cp1252VersUtf8(texte) + "' n'est pas une valeur entière correcte");
  return static_cast<int>(v);
}

std::string_view Sous(std::string_view texte, std::size_t debut, std::size_t longueur) {
  if (debut >= texte.size()) return {};
  return texte.substr(debut, longueur);
}

}  // namespace

double JourJulien(int jour, int mois, int annee, double fraction) {
  int y = annee;
  int m = mois;
  if (y <= 0) y += 1;
  const bool gregorien = (static_cast<long>(y) * 10000 + m * 100 + jour) >= 15821015L;
  if (m < 3) {
    m += 12;
    y -= 1;
  }
  double b = 0;
  if (gregorien) {
    const double a = PartieEntiere(y / 100.0);
    b = 2 - a + PartieEntiere(a / 4.0);
  }
  return PartieEntiere(365.25 * (y + 4716)) + PartieEntiere(30.6001 * (m + 1)) + jour + fraction + b -
         1524.5;
}

double DeltaT(double jourJulien) {
  const double t = (jourJulien - 2451545.0) / 36525.0;
  const double y = 100.0 * t + 2000.0;
  double secondes;
  if (y > 2000.0) {
    secondes = (y - 2000.0) + 62.3;
  } else if (y >= 1620.0) {
    const double x = (y - 1620.0) / 2.0;
    int i = static_cast<int>(Arrondi(x));
    if (i > 185) i = 185;
    const double f = x - i;
    secondes = (TableDeltaT[i] + (TableDeltaT[i + 1] - TableDeltaT[i]) * f) / 10.0;
  } else if (y >= 948.0) {
    secondes = 50.6 + 67.5 * t + 22.5 * t * t;
  } else {
    secondes = 2715.6 + 573.36 * t + 46.5 * t * t;
  }
  return secondes / 86400.0;
}

double TempsSideral(double longitudeHeures, double fuseau, double heureLocale, double jourJulienTU) {
  const double T = (jourJulienTU - 2415020.0) / 36525.0;
  const double e = 0.276919398 + 100.0021359 * T + 0.000001075 * T * T;
  double g = (e - PartieEntiere(e)) * 24.0;
  if (g < 0) g += 24.0;
  const double ts = Normaliser360((heureLocale - fuseau + longitudeHeures + g) * 15.0);
  Etat().TempsSideralDeg = ts;
  return ts;
}

double MiPoint(double a, double b) {
  const double m = (a + b) / 2.0;
  if (std::fabs(b - a) <= Pi) return m;
  return m < Pi ? m + Pi : m - Pi;
}

double AnneeDecimale(double jourJulien) { return (jourJulien - 2415020.5) / 365.2421988 + 1900.0; }

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

double CalculerVertex(double latitudeRad) {
  const EtatTheme& e = Etat();
  const double theta = e.TempsSideralDeg * DegEnRad;
  const double eps = e.ObliquiteRad;
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

void TrierGlyphes(float ecart) {
  EtatTheme& e = Etat();
  const int n = e.NbPlanetes;
  float* P = e.PositionsAffichees;
  std::uint8_t* O = e.OrdreAffichage;
  // Shell sort with the exchange passes of the original list (stable enough
  // for glyphs; entries are 1-based).
  for (int g = n / 2; g > 0; g /= 2) {
    int limite = n - g;
    int dernier;
    do {
      dernier = 0;
      for (int i = 1; i <= limite; ++i) {
        if (P[i] > P[i + g]) {
          std::swap(P[i], P[i + g]);
          std::swap(O[i], O[i + g]);
          dernier = i;
        }
      }
      limite = dernier;
    } while (dernier != 0);
  }
  const float deuxPiSimple = 6.2831855f;
  for (int i = n; i >= 2; --i) {
    for (int j = 1; j <= i - 1; ++j) {
      const double c = Normaliser2Pi(static_cast<double>(P[i]) - P[j]);
      const float d = ecart * static_cast<float>(i - j);
      if (d > c) {
        P[j] = (P[j] + P[i] - d) / 2.0f;
        P[i] = (P[j] + P[i] + d) / 2.0f;
      }
      if (P[j] < 0) P[j] = 0;
      if (P[i] > deuxPiSimple) P[i] = deuxPiSimple;
    }
  }
}

void EtalerGlyphes(float ecart) {
  EtatTheme& e = Etat();
  constexpr double rotation = 0.8975979010256552;  // 2pi/7: moves the sort's seam off 0° Aries
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
  for (int i = 1; i <= n; ++i)
    e.PositionsAffichees[i] = static_cast<float>(Normaliser2Pi(e.PositionsAffichees[i] + rotation));
  TrierGlyphes(ecart);
  for (int i = 1; i <= n; ++i)
    e.PositionsAffichees[i] = static_cast<float>(Normaliser2Pi(e.PositionsAffichees[i] - rotation));
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

  TempsSideral(e.LongitudeDeg / 15.0, e.FuseauHeures, h, e.JourJulienTU);

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
