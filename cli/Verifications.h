#pragma once
// The checks the entry window makes on birth data, for the command line.
#include <string>

namespace selvane {

struct SaisieNaissance {
  std::string nom, date, heure, ville, lat, lon, fuseau, commentaire;  // UTF-8
};

// Date, time, latitude, longitude, zone: shows the first fault's French
// message through Avertir and returns false. The zone is left as the entry
// window stores it (see NormaliserFuseau).
bool VerifierNaissance(SaisieNaissance& s);

// The zone as the entry window stores it: trimmed, "L" replaced by the local
// mean time of the longitude. Shows the message and returns false when the
// text cannot be a zone.
bool NormaliserFuseau(SaisieNaissance& s);

}  // namespace selvane
