#include "techniques/Sequences.h"

#include <algorithm>
#include <charconv>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"

namespace selvane {

namespace {

constexpr double kModule = 22.5;

void Ajouter(Sequence& s, int corps) {
  s.corps.push_back(corps);
  std::string ajout = s.texte.empty() ? std::string(1, LettresCorps[corps]) : std::string("=") + LettresCorps[corps];
  s.texte += ajout;
  if (s.texte.size() > LongueurSequenceMax) s.texte.resize(LongueurSequenceMax);
}

}  // namespace

LongitudesNatales LireLongitudesNatales() {
  LongitudesNatales l{};
  for (int b = 1; b <= NbCorps; ++b) l[b] = Etat().Positions[b][6];
  return l;
}

std::vector<PointSequence> TrierPointsSequences(const LongitudesNatales& natal) {
  std::vector<PointSequence> points;
  for (int b = 1; b <= 23; ++b) {
    const double x = Reste(kModule, Normaliser360(natal[b] * RadEnDeg));
    points.push_back({b, x, FormatDMS(x * DegEnRad), FormatReel(x, 7, 4)});
    // "00.0000": zero-padded so that the text order is the numeric order.
    std::string& cle = points.back().cle;
    for (char& c : cle)
      if (c == ' ') c = '0';
  }
  std::stable_sort(points.begin(), points.end(),
                   [](const PointSequence& a, const PointSequence& b) { return a.cle < b.cle; });
  return points;
}

std::vector<Sequence> CalculerSequences(const std::vector<PointSequence>& points, double orbeDeg) {
  std::vector<Sequence> sequences;
  const int dernier = static_cast<int>(points.size()) - 1;
  if (dernier < 1) return sequences;
  // The rows hold their positions as sorted text: compare what the grid holds.
  // (from_chars: the C locale of a French desktop would read "3.4" as 3).
  auto p = [&](int i) {
    const std::string& t = points[static_cast<std::size_t>(i)].cle;
    double x = 0;
    std::from_chars(t.data(), t.data() + t.size(), x);
    return x;
  };
  int r = 0;
  while (r < dernier) {
    const double base = p(r);
    Sequence s;
    Ajouter(s, points[static_cast<std::size_t>(r)].corps);
    int nombre = 1, k = 1;
    double l;
    do {
      l = p(r + k);
      if (base + orbeDeg >= l) {
        Ajouter(s, points[static_cast<std::size_t>(r + k)].corps);
        ++nombre;
      }
      ++k;
    } while (r + k <= dernier && base + orbeDeg > l);
    if (nombre > 1) {
      s.numero = static_cast<int>(sequences.size()) + 1;
      sequences.push_back(s);
      r += nombre - 2;
    }
    ++r;
  }
  // Across the end of the dial, always with 1°.
  const double base = p(dernier);
  Sequence s;
  Ajouter(s, points[static_cast<std::size_t>(dernier)].corps);
  for (int i = 0; i < dernier && base + 1 >= p(i) + kModule; ++i) Ajouter(s, points[static_cast<std::size_t>(i)].corps);
  if (s.corps.size() > 1) {
    s.numero = static_cast<int>(sequences.size()) + 1;
    sequences.push_back(s);
  }
  return sequences;
}

}  // namespace selvane
