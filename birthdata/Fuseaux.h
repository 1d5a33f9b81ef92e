#pragma once
// The time-zone database: zone numbers of zone names ("Zones_Numbers.tzn") and
// the successive regimes of each zone ("TZDBCel.tzb"), and the lookup of the
// legal offset in force at a local date and time.
#include <filesystem>
#include <optional>
#include <string>

namespace selvane {

// The zone number of a zone name, or nothing when the name is absent.
std::optional<std::string> LireFuseauActuel(const std::filesystem::path& dossier, const std::string& nomZone);

struct Regime {
  enum Genre { Fuseau, HeureLocale, Refus, Rien } genre = Rien;
  std::string texte;  // the zone text "HH.MM.SS" for Fuseau
};

// Refus: from 1 January 2050 on (the caller shows MessageRegimeRefuse).
// Throws ErreurFichier (missing file) or ErreurConversion (a field that is not a number).
Regime ChercherRegimeFromDate(const std::filesystem::path& dossier, const std::string& numeroZone, int jour,
                              int mois, int annee, int heures, int minutes, int secondes);

extern const char* const MessageRegimeRefuse;  // UTF-8

}  // namespace selvane
