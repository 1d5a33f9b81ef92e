#include "core/Contacts.h"

#include <cmath>

#include "core/Catalogue.h"

namespace selvane {

int AspectEntre(double longitude1, double longitude2, const bool (&actif)[9], const double (&orbe)[9]) {
  double ecart = std::fabs(Normaliser2Pi(longitude1) - Normaliser2Pi(longitude2));
  if (ecart > Pi) ecart = DeuxPi - ecart;
  for (int a = 0; a < 9; ++a)
    if (actif[a] && std::fabs(ecart - AnglesAspects[a]) <= orbe[a]) return a;
  return -1;
}

}  // namespace selvane
