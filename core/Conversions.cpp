#include "core/Conversions.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <string>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "birthdata/records/Cp1252.h"

namespace selvane {

namespace {

const char kDegre = '\xB0';
const char kAccentAigu = '\xB4';

bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

// Degrees within the sign and the sign number of a longitude in radians.
void DansSigne(double radians, long& degres, int& minutes, int& signe) {
  const double deg = Normaliser360(radians * RadEnDeg);
  const DMS d = DecouperDMS(deg);
  long entier = d.degres;
  int m = d.minutes;
  if (entier >= 360) entier -= 360;
  signe = static_cast<int>(entier / 30) + 1;
  degres = entier % 30;
  minutes = m;
}

}  // namespace

std::string Remplir(long n, int largeur) {
  std::string s = std::to_string(n < 0 ? -n : n);
  if (static_cast<int>(s.size()) < largeur) s.insert(0, static_cast<std::size_t>(largeur) - s.size(), '0');
  return s;
}

DMS DecouperDMS(double x) {
  // The nudge keeps values that are whole in decimal but a hair below in binary
  // (30° through radians, 561 s of time) from showing 29°59'59" or 20 s.
  const double a = std::fabs(x) + 1e-10;
  long d = static_cast<long>(PartieEntiere(a));
  int m = static_cast<int>(PartieEntiere((a - d) * 60.0));
  int s = static_cast<int>(PartieEntiere(((a - d) * 60.0 - m) * 60.0));
  if (s >= 60) {
    s = 0;
    m += 1;
  }
  if (m >= 60) {
    m = 0;
    d += 1;
  }
  return {d, m, s};
}

double DegresVersDegMin(double degres) {
  const double entier = PartieEntiere(degres);
  return entier + (degres - entier) * 0.6;
}

std::string LongitudeVersFuseau(std::string_view texteLongitude) {
  const double v = DegMinVersDegres(LireNombre(texteLongitude)) / 15.0;
  const double a = std::fabs(v);
  long h = static_cast<long>(PartieEntiere(a));
  long m = static_cast<long>(PartieEntiere((a - h) * 60.0));
  long s = static_cast<long>(Arrondi(((a - h) * 60.0 - m) * 60.0));
  if (s == 60) {
    s = 0;
    m += 1;
  }
  if (m == 60) {
    m = 0;
    h += 1;
  }
  return std::string(v < 0 ? "-" : "") + Remplir(h, 2) + "." + Remplir(m, 2) + "." + Remplir(s, 2);
}

std::string SecondesVersFuseau(double secondes) {
  const DMS d = DecouperDMS(secondes / 3600.0);
  return std::string(secondes < 0 ? "-" : "") + Remplir(d.degres % 24, 2) + "." + Remplir(d.minutes, 2) +
         "." + Remplir(d.secondes, 2);
}

void RefuserEntier(std::string_view texte) {
  throw ErreurConversion("'" + Cp1252VersUtf8(texte) + "' n'est pas une valeur entière correcte");
}

int EntierExige(std::string_view texte) {
  int valeur = 0;
  if (!Entier(texte, valeur)) RefuserEntier(texte);
  return valeur;
}

double DateHeureVersJourJulien(std::string_view date, std::string_view heure, double fuseau) {
  const int jour = EntierExige(Tranche(date, 0, 2));
  const int mois = EntierExige(Tranche(date, 3, 2));
  const int annee = EntierExige(Tranche(date, 6, 4));
  double t = 0;
  if (!heure.empty()) t = EntierExige(Tranche(heure, 0, 2)) + LireNombre(Tranche(heure, 3, 2)) / 60.0;
  return JourJulien(jour, mois, annee, (t - fuseau) / 24.0);
}

namespace {

bool Valide(const std::string& erreur) {
  if (erreur.empty()) return true;
  Avertir(erreur);
  return false;
}

}  // namespace

bool LatitudeValide(std::string_view texte) { return Valide(ErreurLatitude(texte)); }

bool LongitudeValide(std::string_view texte) { return Valide(ErreurLongitude(texte)); }

bool ContientChiffre(std::string_view texte) {
  for (char c : texte)
    if (EstChiffre(c)) return true;
  return false;
}

int DecalageHoraireSysteme() {
  const std::time_t maintenant = std::time(nullptr);
  std::tm local{};
  localtime_r(&maintenant, &local);
  return static_cast<int>(-local.tm_gmtoff / 60);
}

std::string FormatGlyphe(double radians) {
  long d;
  int m, k;
  DansSigne(radians, d, m, k);
  return Remplir(d, 2) + LettreSigne(k) + Remplir(m, 2);
}

std::string FormatGlypheDeg(double radians) {
  long d;
  int m, k;
  DansSigne(radians, d, m, k);
  return Remplir(d, 2) + LettreSigne(k);
}

std::string FormatDansSigne(double radians) {
  long d;
  int m, k;
  DansSigne(radians, d, m, k);
  return Remplir(d, 2) + kDegre + Remplir(m, 2);
}

std::string FormatDansSigneAbrev(double radians) {
  long d;
  int m, k;
  DansSigne(radians, d, m, k);
  return Remplir(d, 2) + kDegre + Remplir(m, 2) + "'" + AbrevSignes[k];
}

std::string FormatDegresSeuls(double degres) {
  const DMS d = DecouperDMS(Normaliser360(degres));
  return Remplir(d.degres % 30, 2) + kDegre;
}

std::string FormatDMS(double radians) {
  const DMS d = DecouperDMS(radians * RadEnDeg);
  return std::string(radians < 0 ? "-" : " ") + Remplir(d.degres, 2) + kDegre + Remplir(d.minutes, 2) +
         "'" + Remplir(d.secondes, 2) + "\"";
}

std::string FormatDegMin(double degres) {
  const DMS d = DecouperDMS(degres);
  return std::string(degres < 0 ? "-" : "") + Remplir(d.degres, 2) + kDegre + Remplir(d.minutes, 2) + "'";
}

std::string FormatDegMinSigne(double radians, int chiffres) {
  const DMS d = DecouperDMS(radians * RadEnDeg);
  return std::string(radians < 0 ? "-" : "+") + Remplir(d.degres, chiffres) + kDegre +
         Remplir(d.minutes, 2) + "'";
}

std::string FormatArbre(double radians) {
  const DMS d = DecouperDMS(radians * RadEnDeg);
  std::string degres = std::to_string(d.degres);
  if (degres.size() < 2) degres.insert(0, 2 - degres.size(), ' ');
  return std::string(radians < 0 ? "-" : ">") + degres + kDegre + Remplir(d.minutes, 2) + kAccentAigu;
}

std::string FormatHeureHMS(double heures) {
  const DMS d = DecouperDMS(heures);
  return Remplir(d.degres, 2) + "h" + Remplir(d.minutes, 2) + "m" + Remplir(d.secondes, 2);
}

std::string FormatHeureHM(double heures) {
  const DMS d = DecouperDMS(heures);
  return Remplir(d.degres % 24, 2) + "h" + Remplir(d.minutes, 2);
}

std::string FormatTempsSideral(double degres) {
  const DMS d = DecouperDMS(degres / 15.0);
  return Remplir(d.degres % 24, 2) + "h" + Remplir(d.minutes, 2) + "m" + Remplir(d.secondes, 2) + "s";
}

std::string FormatMinSec(double minutes) {
  const DMS d = DecouperDMS(minutes / 60.0);
  char tampon[32];
  std::snprintf(tampon, sizeof tampon, "%s%2dm%2ds", minutes < 0 ? "-" : " ", d.minutes, d.secondes);
  return tampon;
}

std::string FormatReel(double x, int largeur, int decimales) {
  // to_chars ignores the C locale: a French LC_NUMERIC would otherwise write ",".
  char tampon[400];
  const auto [fin, erreur] =
      std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::fixed, decimales);
  std::string s = erreur == std::errc() ? std::string(tampon, fin) : std::string("?");
  if (static_cast<int>(s.size()) < largeur) s.insert(0, static_cast<std::size_t>(largeur) - s.size(), ' ');
  return s;
}

DateCalendrier JourJulienVersCalendrier(double jourJulien) {
  const double Z = PartieEntiere(jourJulien + 0.5);
  double A = Z;
  if (Z >= 2299161) {
    const double alpha = PartieEntiere((Z - 1867216.25) / 36524.25);
    A = Z + 1 + alpha - PartieEntiere(alpha / 4);
  }
  const double B = A + 1524;
  const double C = PartieEntiere((B - 122.1) / 365.25);
  const double D = PartieEntiere(365.25 * C);
  const double E = PartieEntiere((B - D) / 30.6001);
  DateCalendrier r;
  r.jour = static_cast<int>(B - D - PartieEntiere(30.6001 * E));
  r.mois = static_cast<int>(E < 13.5 ? E - 1 : E - 13);
  r.annee = static_cast<int>(r.mois > 2.5 ? C - 4716 : C - 4715);
  if (r.annee <= 0) r.annee -= 1;
  return r;
}

namespace {

// The year with the pattern "0000", cut to four characters: -44 gives -004.
std::string Annee(int annee) {
  std::string s = (annee < 0 ? "-" : "") + Remplir(annee, 4);
  return s.substr(0, 4);
}

}  // namespace

std::string JourJulienVersDate(double jourJulien) {
  const DateCalendrier d = JourJulienVersCalendrier(jourJulien);
  return Remplir(d.jour, 2) + "/" + Remplir(d.mois, 2) + "/" + Annee(d.annee);
}

std::string JourJulienVersDatePoints(double jourJulien) {
  const DateCalendrier d = JourJulienVersCalendrier(jourJulien);
  return Remplir(d.jour, 2) + "." + Remplir(d.mois, 2) + "." + Annee(d.annee);
}

std::string JourJulienVersDateCompacte(double jourJulien) {
  const DateCalendrier d = JourJulienVersCalendrier(jourJulien);
  return Remplir(d.jour, 2) + Remplir(d.mois, 2) + Annee(d.annee);
}

std::string JourJulienVersJourMois(double jourJulien) {
  const DateCalendrier d = JourJulienVersCalendrier(jourJulien);
  return Remplir(d.jour, 2) + "/" + Remplir(d.mois, 2);
}

double HeureDuJour(double jourJulien) {
  const double f = jourJulien - PartieEntiere(jourJulien);
  return f >= 0.5 ? (f - 0.5) * 24.0 : (f + 0.5) * 24.0;
}

double Reste(double a, double b) { return b - a * PartieEntiere(b / a); }

double SinDeg(double x) { return std::sin(x * DegEnRad); }

double Tangente(double x) {
  double c = std::cos(x);
  if (c == 0) c = 1e-15;
  return std::sin(x) / c;
}

double ArcCos(double x) {
  if (x > 1) x = 1;
  if (x < -1) x = -1;
  return Pi / 2 - std::atan(x / (std::sqrt(1 - x * x) + 1e-15));
}

}  // namespace selvane
