#pragma once
// The table of lunations, eclipses and cardinal ingresses of a span of years.
#include <array>
#include <string>
#include <vector>

namespace selvane {

enum class GenreEvenement { EclipseSolaire, EclipseLunaire, NouvelleLune, PleineLune, Ingres };

struct LigneEvenement {
  GenreEvenement genre;
  double jourTU;        // the event, Julian day in Universal Time
  double soleilDeg;     // the Sun's longitude at the event
  double luneDeg;       // the Moon's longitude, when the row shows it
  bool avecLune;
  // The eight columns as shown (Windows-1252; columns 0..2 in the glyph font).
  std::array<std::string, 8> colonnes;
};

// Every event from 1 January of the first year, 0h UT, to 1 January after the
// last year, in time order. Leaves the chart state's work columns changed.
std::vector<LigneEvenement> CalculerEvenements(int premiereAnnee, int derniereAnnee);

// The Sun folded into a dial of the given span (90, 45, 22.5 degrees), as 12°05'.
std::string FormatModulo(double degres, double module);

}  // namespace selvane
