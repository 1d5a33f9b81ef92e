#pragma once
// Exchange of birth records with other programs: AAF (the text format of
// astrology programs) and CSV (the columns of `selvane-cli births list`).
// Plain C++ beside the records: what needs the calendar or the atlas comes in
// through a CompletionEchange, which may be left out (nullptr).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "birthdata/records/FicheClient.h"

namespace selvane {

// A local date and time as a record holds them (year -1 is 1 BC).
struct DateHeureLocale {
  int jour = 0, mois = 0, annee = 0;
  int heures = 0, minutes = 0, secondes = 0;
};

// A place found for a record that lacks coordinates or zone. Texts Windows-1252
// except the messages (UTF-8).
struct LieuTrouve {
  std::string lat, lon;  // D.MM texts as in the record
  std::string fuseau;    // the zone in force there at that date, "HH.MM.SS"
  std::string source;    // where it was found, for the report (UTF-8): "Paris (France)"
  std::string alarme;    // a time shown twice or never there; empty otherwise
};

// The zone's source of a record, for the writer: abbreviation and summer time.
struct SourceFuseau {
  std::string abreviation;  // "CEST"; may be empty
  bool ete = false;         // the record's zone includes one hour of summer time
  std::string zone;         // the time-zone database's name ("Europe/Paris"); may be empty
};

// What the reader and writer take from outside the records. Every function has
// a default that knows nothing: the calendar and the atlas are then not used.
class CompletionEchange {
 public:
  virtual ~CompletionEchange() = default;
  // The Julian day in Universal Time of a local date and time at an offset (seconds, east positive).
  virtual std::optional<double> JourJulien(const DateHeureLocale&, long /*decalage*/) const { return {}; }
  // The local date and time, to the second, of a Julian day at an offset.
  virtual std::optional<DateHeureLocale> DateLocale(double /*jourJulien*/, long /*decalage*/) const { return {}; }
  // The place of a town (UTF-8) in a country (the AAF code: "D", "F", "CH", "USA", or ISO "DE")
  // at a local date and time; when it cannot be placed, nothing and `pourquoi` says why (UTF-8).
  virtual std::optional<LieuTrouve> Placer(const std::string& /*ville*/, const std::string& /*pays*/,
                                           const DateHeureLocale&, std::string& /*pourquoi*/) const {
    return {};
  }
  // The zone's source of a record, when it is known.
  virtual std::optional<SourceFuseau> Source(const FicheClient&) const { return {}; }
  // The entry checks beyond those of the records: the French message of the
  // first fault, empty when the record passes.
  virtual std::string Controler(const FicheClient&) const { return ""; }
};

// What a reader gives: the records to insert, in the order read, and the
// report (UTF-8, one line each: records refused, completed from the atlas,
// whose Julian day disagreed, comments cut, characters the file lacks).
// `erreur` (UTF-8) is set when the text holds no record at all: nothing to import.
struct LectureEchange {
  std::vector<FicheClient> fiches;
  std::vector<std::string> rapport;
  int refusees = 0;
  std::string erreur;
};

// AAF text, UTF-8 or Windows-1252 (told apart by the bytes).
LectureEchange LireAaf(std::string_view texte, const CompletionEchange* completion = nullptr);

// AAF text of records: #A93, #B93, #ZNAM when known, #COM when not empty; CR LF;
// Windows-1252, or UTF-8 on request.
std::string EcrireAaf(const std::vector<FicheClient>& fiches, const CompletionEchange* completion = nullptr,
                      bool utf8 = false);

// --- CSV -------------------------------------------------------------------

// The header line of the CSV form.
extern const char* const EnteteCsvFiches;  // "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire"

// A CSV field, quoted (quotes doubled) when it holds a comma, a quote or a line end.
std::string ChampCsvFiche(std::string_view texte);

// The records of a CSV text (RFC 4180: quoted fields may hold commas, quotes
// doubled and line ends), with the line on which each starts.
struct LigneCsv {
  int numero = 0;
  std::vector<std::string> champs;
};
std::vector<LigneCsv> DecouperCsv(std::string_view texte);

// The CSV form of records: the header, then one line per record, UTF-8, LF.
std::string EcrireCsv(const std::vector<FicheClient>& fiches);
// CSV text (UTF-8 or Windows-1252): the header, then the columns above; the
// sort key column is not read, the key is made from the name.
LectureEchange LireCsvFiches(std::string_view texte, const CompletionEchange* completion = nullptr);

// --- Shared by both readers --------------------------------------------------

// The text as UTF-8: kept when it is valid UTF-8 (a leading byte-order mark
// dropped), read as Windows-1252 otherwise.
std::string TexteEnUtf8(std::string_view texte);

// The record of UTF-8 fields as a save stores it: control characters made
// spaces, name, town, zone and comment trimmed (after the cut to their
// capacity too), the key made from the name.
FicheClient FicheDesChamps(const std::string& nom, const std::string& date, const std::string& heure,
                           const std::string& ville, const std::string& lat, const std::string& lon,
                           const std::string& fuseau, const std::string& commentaire);

// The French message of the first fault of a record (date, time, latitude,
// longitude, zone), empty when it passes the checks of entry.
std::string ErreurFiche(const FicheClient& f);

// A zone text ("HH.MM.SS", "1", "-3.30", "0") in seconds east; false when unreadable.
bool LireDecalage(std::string_view fuseau, long& secondes);
// Seconds east as the zone text "HH.MM.SS" ("-05.30.00").
std::string TexteDecalage(long secondes);

}  // namespace selvane
