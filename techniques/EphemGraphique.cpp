#include "techniques/EphemGraphique.h"

#include <algorithm>
#include <cmath>
#include <charconv>

#include "birthdata/records/Cp1252.h"
#include "core/ArbreMiPoints.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/Temps.h"
#include "methode/Annees.h"
#include "methode/ArcSolaire.h"

namespace selvane {

namespace {

// Refinement stops when a step moves the instant by less than a second.
constexpr double PasFinal = 1.0 / 86400.0;

struct Echantillon {
  double t = 0;
  double longitude = 0;  // degrees 0..360
  double vitesse = 0;    // degrees/day
  double deroulee = 0;   // longitude unwrapped along the span
};

double Replier180(double x) {
  x = std::fmod(x, 360.0);
  if (x > 180.0) x -= 360.0;
  if (x <= -180.0) x += 360.0;
  return x;
}

double Modulo(double x, double m) {
  x = std::fmod(x, m);
  return x < 0 ? x + m : x;
}

// The step of a curve's samples, days: a quarter day for the Moon keeps its steep lines to one
// wrap per step; the slow bodies bend so little in a few days that a cubic through the samples
// and their speeds stays within seconds of the ephemeris, which then confirms each crossing.
double PasEchantillons(int corps, bool dirige) {
  if (dirige) return 4.0;
  if (corps == Lune) return 0.25;
  if (corps <= Mars) return 1.0;
  if (corps <= Pluton || corps == NoeudLunaire) return 2.0;
  return 4.0;
}

bool Personnel(int c) {
  return c == Soleil || c == Lune || c == NoeudLunaire || c == Ascendant || c == MilieuDuCiel;
}

// The position of a source: a transiting body, or a natal point moved on by the solar arc.
Echantillon Position(const NatalGraphe& natal, int corps, bool dirige, double t) {
  Echantillon e;
  e.t = t;
  if (!dirige) {
    const PositionEcliptique p = PositionCorpsTU(corps, t);
    e.longitude = p.longitudeDeg;
    e.vitesse = p.vitesseDeg;
    return e;
  }
  const double tp = JourProgresse(natal.jourJulienNaissance, t);
  const PositionEcliptique s = PositionCorpsTU(Soleil, tp);
  const double arc = s.longitudeDeg - natal.longitudes[Soleil] * RadEnDeg;
  e.longitude = Normaliser360(natal.longitudes[static_cast<std::size_t>(corps)] * RadEnDeg + arc);
  e.vitesse = s.vitesseDeg / AnneeArcSolaire;
  return e;
}

// The cubic through both ends with their slopes, solved for `valeur` inside the piece: a first
// guess good to seconds for a day's step, so one request usually confirms it.
double EstimationHermite(const Echantillon& a, const Echantillon& b, double valeur) {
  const double h = b.t - a.t;
  const double m0 = a.vitesse * h, m1 = b.vitesse * h;
  auto H = [&](double s) {
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * a.deroulee + (s3 - 2 * s2 + s) * m0 + (-2 * s3 + 3 * s2) * b.deroulee +
           (s3 - s2) * m1;
  };
  const double sens = b.deroulee >= a.deroulee ? 1.0 : -1.0;
  double lo = 0, hi = 1;
  for (int i = 0; i < 30; ++i) {
    const double m = (lo + hi) / 2;
    if (sens * (H(m) - valeur) < 0) lo = m; else hi = m;
  }
  return a.t + h * (lo + hi) / 2;
}

struct Balayage {
  const NatalGraphe& natal;
  const std::vector<CibleGraphe>& cibles;
  double module;
  int corps;
  bool dirige;
  std::vector<Croisement>& croisements;

  // The instant in [a.t, b.t] (motion one way) at which the unwrapped longitude is `valeur`.
  double Affiner(const Echantillon& a, const Echantillon& b, double valeur) const {
    const double sens = b.deroulee >= a.deroulee ? 1.0 : -1.0;
    double lo = a.t, hi = b.t;
    double t = EstimationHermite(a, b, valeur);
    for (int i = 0; i < 40; ++i) {
      const Echantillon p = Position(natal, corps, dirige, t);
      const double f = Replier180(p.longitude - valeur);
      if (sens * f < 0) lo = t; else hi = t;
      double suivant = p.vitesse != 0 ? t - f / p.vitesse : lo - 1;
      if (!(suivant > lo && suivant < hi)) suivant = (lo + hi) / 2;
      const bool fini = std::fabs(suivant - t) < PasFinal || hi - lo < PasFinal;
      t = suivant;
      if (fini) break;
    }
    return t;
  }

  // Every line the source passes over a piece without a station.
  void Morceau(const Echantillon& a, const Echantillon& b) const {
    if (b.deroulee == a.deroulee) return;
    const bool avant = b.deroulee > a.deroulee;
    for (const CibleGraphe& c : cibles) {
      // Forward the values in (a, b] count, backward those in [b, a): a line met at a sample is
      // counted once.
      long nmin, nmax;
      if (avant) {
        nmin = static_cast<long>(std::floor((a.deroulee - c.longitudeDeg) / module)) + 1;
        nmax = static_cast<long>(std::floor((b.deroulee - c.longitudeDeg) / module));
      } else {
        nmin = static_cast<long>(std::ceil((b.deroulee - c.longitudeDeg) / module));
        nmax = static_cast<long>(std::ceil((a.deroulee - c.longitudeDeg) / module)) - 1;
      }
      for (long n = nmin; n <= nmax; ++n) {
        const double valeur = c.longitudeDeg + static_cast<double>(n) * module;
        Croisement x;
        x.jourTU = Affiner(a, b, valeur);
        x.corps = corps;
        x.dirige = dirige;
        x.retrograde = !avant;
        x.aspectDeg = AspectReplie(static_cast<double>(n) * module);
        x.a = c.a;
        x.b = c.b;
        x.cibleDeg = c.longitudeDeg;
        croisements.push_back(x);
      }
    }
  }

  // The station between two samples whose speeds differ in sign.
  Echantillon Station(const Echantillon& a, const Echantillon& b) const {
    double lo = a.t, hi = b.t;
    const bool directAvant = a.vitesse > 0;
    for (int i = 0; i < 16; ++i) {
      const double m = (lo + hi) / 2;
      const Echantillon p = Position(natal, corps, dirige, m);
      if ((p.vitesse > 0) == directAvant) lo = m; else hi = m;
    }
    Echantillon s = Position(natal, corps, dirige, (lo + hi) / 2);
    s.vitesse = 0;
    s.deroulee = a.deroulee + Replier180(s.longitude - a.longitude);
    return s;
  }
};

}  // namespace

bool ModuleGrapheValide(double moduleDeg) {
  return std::find(ModulesGraphe.begin(), ModulesGraphe.end(), moduleDeg) != ModulesGraphe.end();
}

double AspectReplie(double separationDeg) {
  const double x = Normaliser360(separationDeg);
  const double a = x > 180.0 ? 360.0 - x : x;
  return a >= 180.0 - 1e-9 && a <= 180.0 ? 180.0 : (a < 1e-9 ? 0.0 : a);
}

std::string CsvEphemGraphique(const EphemGraphique& g) {
  // Fixed decimals with a point whatever the locale; 8 decimals of a Julian day are a millisecond.
  auto nombre = [](double x, int decimales) {
    char t[64];
    const auto r = std::to_chars(t, t + sizeof t, x, std::chars_format::fixed, decimales);
    return std::string(t, r.ptr);
  };
  std::string s = "jd_ut,date,time,body,aspect,a,b,target_deg\n";
  for (const Croisement& x : g.croisements) {
    // Date and time of the same minute, so that 23h59m50 is written 00h00 of the next day.
    const double minute = std::nearbyint(x.jourTU * 1440.0) / 1440.0;
    // 45 as "45", 22°30' as "22.5".
    const int aspect10 = static_cast<int>(std::lround(x.aspectDeg * 10));
    s += nombre(x.jourTU, 8) + "," + JourJulienVersDate(minute) + "," + FormatHeureHM(HeureDuJour(minute) + 1e-7) + "," +
         (x.dirige ? "d" : "") + std::to_string(x.corps) + "," + std::to_string(aspect10 / 10) +
         (aspect10 % 10 ? "." + std::to_string(aspect10 % 10) : "") + "," + std::to_string(x.a) + "," +
         (x.b ? std::to_string(x.b) : "") + "," + nombre(x.cibleDeg, 6) + "\n";
  }
  return s;
}

std::string EtiquetteMoisGraphe(int mois, int annee) {
  static const char* const kMois[12] = {"janv.", "févr.", "mars", "avr.", "mai",  "juin",
                                        "juil.", "août",  "sept.", "oct.", "nov.", "déc."};
  if (mois < 1 || mois > 12) return "";
  return Utf8VersCp1252(kMois[mois - 1]) + " " + std::to_string(annee);
}

std::vector<CibleGraphe> CiblesDuGraphe(const LongitudesNatales& natal, const std::bitset<256>& jeu,
                                        CiblesGraphe choix, double moduleDeg) {
  std::vector<CibleGraphe> cibles;
  auto ajouter = [&](int a, int b, double radians) {
    CibleGraphe c;
    c.a = a;
    c.b = b;
    c.longitudeDeg = Normaliser360(radians * RadEnDeg);
    c.positionDeg = Modulo(c.longitudeDeg, moduleDeg);
    cibles.push_back(c);
  };
  if (choix == CiblesGraphe::Points || choix == CiblesGraphe::Tous)
    for (int b = 1; b <= NbCorps; ++b)
      if (DansLesPaires(b, jeu)) ajouter(b, 0, natal[static_cast<std::size_t>(b)]);
  if (choix != CiblesGraphe::Points)
    // The followed Sun/Moon midpoint is a point of its own, not a member of pairs.
    for (int a = 1; a <= PointBelier; ++a)
      for (int b = a + 1; b <= PointBelier; ++b) {
        if (!DansLesPaires(a, jeu) || !DansLesPaires(b, jeu)) continue;
        if (choix == CiblesGraphe::Personnels && !Personnel(a) && !Personnel(b)) continue;
        ajouter(a, b, MiPoint(natal[static_cast<std::size_t>(a)], natal[static_cast<std::size_t>(b)]));
      }
  return cibles;
}

double LongitudeSource(const NatalGraphe& natal, int corps, bool dirige, double jourTU) {
  return Position(natal, corps, dirige, jourTU).longitude;
}

EphemGraphique CalculerEphemGraphique(const NatalGraphe& natal, const std::bitset<256>& jeu, const DemandeGraphe& d) {
  EphemGraphique g;
  g.demande = d;
  const double M = ModuleGrapheValide(d.moduleDeg) ? d.moduleDeg : 90.0;
  const int nbMois = std::clamp(d.nbMois, MoisGrapheMin, MoisGrapheMax);
  g.debutTU = JourJulien(d.jour, d.mois, d.annee, 0);
  const int m = d.mois - 1 + nbMois;
  g.finTU = JourJulien(d.jour, m % 12 + 1, d.annee + m / 12 + (d.annee < 0 && d.annee + m / 12 >= 0 ? 1 : 0), 0);
  g.cibles = CiblesDuGraphe(natal.longitudes, jeu, d.cibles, M);

  struct Source {
    int corps;
    bool dirige;
  };
  std::vector<Source> sources;
  for (int c : d.corps)
    if (c >= 1 && c <= NoeudLunaire) sources.push_back({c, false});
  if (d.arcSolaire)
    for (int b = 1; b <= NbCorps; ++b)
      if (DansLesPaires(b, jeu)) sources.push_back({b, true});

  EffacerRefusEphemerides();
  for (const Source& s : sources) {
    const double pas = PasEchantillons(s.corps, s.dirige);
    Balayage balayage{natal, g.cibles, M, s.corps, s.dirige, g.croisements};
    CourbeGraphe courbe;
    courbe.corps = s.corps;
    courbe.dirige = s.dirige;
    Echantillon prec = Position(natal, s.corps, s.dirige, g.debutTU);
    prec.deroulee = prec.longitude;
    courbe.points.push_back({prec.t, Modulo(prec.longitude, M)});
    const int n = static_cast<int>(std::ceil((g.finTU - g.debutTU) / pas - 1e-9));
    for (int i = 1; i <= n; ++i) {
      Echantillon e = Position(natal, s.corps, s.dirige, std::min(g.finTU, g.debutTU + i * pas));
      e.deroulee = prec.deroulee + Replier180(e.longitude - prec.longitude);
      if ((prec.vitesse > 0) != (e.vitesse > 0) && prec.vitesse != 0 && e.vitesse != 0) {
        const Echantillon st = balayage.Station(prec, e);
        balayage.Morceau(prec, st);
        balayage.Morceau(st, e);
        courbe.points.push_back({st.t, Modulo(st.longitude, M)});
      } else {
        balayage.Morceau(prec, e);
      }
      courbe.points.push_back({e.t, Modulo(e.longitude, M)});
      prec = e;
    }
    g.courbes.push_back(std::move(courbe));
  }
  SignalerRefusEphemerides();
  std::stable_sort(g.croisements.begin(), g.croisements.end(),
                   [](const Croisement& x, const Croisement& y) { return x.jourTU < y.jourTU; });
  return g;
}

}  // namespace selvane
