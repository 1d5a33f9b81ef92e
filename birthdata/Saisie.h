#pragma once
// The birth-data entry without its window: the field checks with their French
// messages, the zone as it is stored, the record a save writes and the
// weekday shown beside the date. The entry window, selvane-cli births and
// the chart command use it.
#include <string>
#include <string_view>

#include "birthdata/records/FicheClient.h"

namespace selvane {

struct SaisieNaissance {
  std::string nom, date, heure, ville, lat, lon, fuseau, commentaire;  // UTF-8
};

// The messages of a wrong date ("dd/mm/yyyy") or time ("14h05"), UTF-8 as
// typed; empty when the text is right.
std::string ErreurDate(std::string_view date);
std::string ErreurHeure(std::string_view heure);

// A typed zone (UTF-8) checked as on leaving its field: the message of the
// first fault, empty when it is acceptable (an empty zone is). A zone that
// starts with "L" stands for the local mean time of the longitude (D.MM,
// Windows-1252): remplacement then receives that zone; otherwise it is emptied.
std::string ControlerFuseau(std::string_view fuseau, std::string_view longitude, std::string& remplacement);

// The zone as the entry window stores it: trimmed, "L" replaced by the local
// mean time of the longitude. Shows the message and returns false when the
// text cannot be a zone.
bool NormaliserFuseau(SaisieNaissance& s);

// Date, time, latitude, longitude, zone: shows the first fault's French
// message through Avertir and returns false. The zone is left as the entry
// window stores it (see NormaliserFuseau).
bool VerifierNaissance(SaisieNaissance& s);

// "14h05" with the seconds field: "14h05m30", or "14h05m00" when it is empty.
std::string HeureComplete(std::string_view heuresMinutes, std::string_view secondes);

// The record a save writes: control characters made spaces, name, town and
// comment trimmed, sort key made
// from the name, every field cut to its capacity.
FicheClient FicheSaisie(const SaisieNaissance& s);

// What a save would lose: for each field holding characters that Windows-1252
// lacks, the warning of AvertissementHors1252 (the characters, the stored
// form), one per line; empty when every field is stored as typed.
std::string AvertissementSaisieHors1252(const SaisieNaissance& s);

// Weekday 0 (Sunday) .. 6 of a "dd/mm/yyyy" date (Windows-1252); -1 when the
// date is not valid.
int JourSemaineDeLaDate(std::string_view date);

}  // namespace selvane
