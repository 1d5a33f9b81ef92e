#pragma once
// The time-zone database: zone numbers of zone names ("Zones_Numbers.tzn") and
// the successive regimes of each zone ("TZDBCel.tzb"), and the lookup of the
// legal offset in force at a local date and time.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace selvane {

// The zone number of a zone name, or nothing when the name is absent.
std::optional<std::string> LireFuseauActuel(const std::filesystem::path& dossier, const std::string& nomZone);

// One line of the regime database: from `debut` (seconds of UT since 1970) the
// offset `decalage` (seconds, east positive) is in force. `saison`: 1 summer
// time, 2 winter time, 0 neither.
struct LigneRegime {
  long long debut = 0;
  long long decalage = 0;
  std::string zone, abreviation;
  int saison = 0;
};

struct Regime {
  enum Genre { Fuseau, HeureLocale, Refus, Rien } genre = Rien;
  std::string texte;  // the zone text "HH.MM.SS" for Fuseau, "L" for HeureLocale

  // Where the answer comes from, for the entry window's auxiliary text.
  long long decalage = 0;
  std::string zone, abreviation;
  int saison = 0;

  // A local time that the clocks showed twice (set back) or never (set forward):
  // `autre` is the zone text of the other reading ("L" for local mean time).
  enum Ambiguite { Aucune, DeuxFois, Inexistante } ambiguite = Aucune;
  std::string autre;
  long long autreDecalage = 0;
};

// The zone's lines in file order, read from the start of the file until the
// zone's lines end; empty when no line has that number.
// Throws ErreurFichier (missing file) or ErreurConversion (a field that is not a number).
std::vector<LigneRegime> LireRegimes(const std::filesystem::path& dossier, const std::string& numeroZone);

// The regime in force at a local instant (seconds since 1970 on the local clock).
// At the local start of a regime the one before still holds, unless the clocks
// went forward then (the time just reached exists only in the new regime).
// A regime named "LMT" answers "L". Rien when `lignes` is empty.
Regime RegimeALInstant(const std::vector<LigneRegime>& lignes, long long instantLocal);

// Refus: from 1 January 2050 on (the caller shows MessageRegimeRefuse).
// Throws as LireRegimes.
Regime ChercherRegimeFromDate(const std::filesystem::path& dossier, const std::string& numeroZone, int jour,
                              int mois, int annee, int heures, int minutes, int secondes);

// The French texts about a regime, UTF-8: the zone field's auxiliary text
// ("Europe/Paris, CEST, heure d'été"; "Heure locale") and, for a time shown
// twice or never, the warning naming both offsets and the one taken (empty
// otherwise); `ouTaper` says where the other one is typed.
std::string SourceDuRegime(const Regime& r);
std::string MessageAmbiguite(const Regime& r, const std::string& date, const std::string& heure,
                             const std::string& ouTaper = "dans le champ du fuseau");

extern const char* const MessageRegimeRefuse;  // UTF-8

}  // namespace selvane
