#pragma once
// The moment typed in a window (date, time, zone, place), read once from its text fields, and
// the checks of those fields and of the prompts (year, given arc) with their French messages.
// Texts are Windows-1252 bytes; messages are UTF-8.
#include <string>
#include <string_view>

namespace selvane {

// The text fields of a moment as typed.
struct ChampsMoment {
  std::string date = "01.01.2000";  // dd.mm.yyyy (any separators: day 1-2, month 4-5, year 7-10)
  std::string heure = "12h00";      // hh"h"mm
  std::string secondes = "00";
  std::string fuseau = "0";         // hours east, read like a birth record's zone
  std::string ville, pays;
  std::string lon = "0.00", lat = "0.00";  // D.MM
};

// Day, month and year by position; throws ErreurConversion ("'x' n'est pas une valeur entière
// correcte") when one is not a whole number.
struct DateDuChamp {
  int jour = 1, mois = 1, annee = 2000;
};
DateDuChamp LireDateDuChamp(std::string_view date);
// Hours of "hh?mm" plus seconds, each piece read as far as it is a number (an unreadable one reads 0).
double LireHeuresDuChamp(std::string_view heure, std::string_view secondes = {});

// The moment the fields give.
struct Moment {
  DateDuChamp date;
  double heures = 0;  // local time of day, hours (minutes and seconds included)
  double fuseau = 0;  // hours east
  std::string ville, pays, lon, lat;
  // UT Julian day: the day fraction may fall below 0 or above 1.
  double JourJulienTU() const;
};
// Throws ErreurConversion like LireDateDuChamp; an unreadable zone warns and reads 0 (LireFuseau).
Moment LireMoment(const ChampsMoment& champs);

// --- Checks of the fields, in the order a computation reads them --------------------

enum class ChampCadran { Aucun, Date, Heure, Secondes, Fuseau, Latitude, Longitude };
struct FauteChamp {
  ChampCadran champ = ChampCadran::Aucun;
  std::string message;
};
// The first wrong field with its one message (the moment's fields when `moment`, then the
// place); champ Aucun when every field is right. Nothing may be computed from the fields
// before this says so: an unreadable zone or latitude would otherwise read as 0.
FauteChamp ControlerChamps(const ChampsMoment& champs, bool moment = true);
// The message of one field's fault, "" when it is right. The date: "<texte> : date incorrecte",
// then a year outside 1..AnneeMaximale (the dial writes years back on four digits).
std::string ErreurChamp(const ChampsMoment& champs, ChampCadran champ);

// --- Prompts and single fields: the value, or the message and the box it goes in ----

enum class BoiteMessage { Aucune, Avertissement, Information, Erreur };
template <typename T>
struct Saisie {
  T valeur{};
  BoiteMessage boite = BoiteMessage::Aucune;
  std::string message;
  bool vide = false;  // nothing typed: the prompt is asked again after the message
  bool Ok() const { return boite == BoiteMessage::Aucune; }
};

// "Le champ ne peut être vide !" for an empty answer of a prompt.
extern const char* const MessageChampVide;

// The year of the transit list, 0..2100: no digit, "N'entrez que des chiffres !"; digits with
// anything else, the conversion message (error box); out of range, "L'année doit être comprise
// entre 0 et 2100 !".
Saisie<int> LireAnneeTransits(std::string_view texte);
// False when the year is outside 0..2100.
bool AnneeTransitsValide(int annee);
// The given solar arc, a whole number of degrees 0..ArcDonneMaximal: "N'entrez que des chiffres !"
// when it is no whole number, "Entrez un nombre entier entre 0 et 120 : <texte>" out of range.
constexpr int ArcDonneMaximal = 120;
Saisie<int> LireArcDonne(std::string_view texte);
// A year the dial writes back into its fields, 1..AnneeMaximale:
// "Année incorrecte : <texte> (1 à 5399)".
Saisie<int> LireAnneeCadran(std::string_view texte);
// The dial's date fields ("dd.mm.yyyy", "dd/mm/yyyy"): a valid date, else
// "<texte> : date incorrecte", then a year the dial can write back (LireAnneeCadran's message).
Saisie<DateDuChamp> LireDateCadran(std::string_view texte);
// The date field of the forecast windows: each piece a whole number (else the conversion
// message, error box), then a valid date (else "<texte> : date incorrecte", information box).
Saisie<DateDuChamp> LireDatePrevision(std::string_view texte);
// The time field of the forecast windows' transits, the same way: "<texte> : heure incorrecte".
Saisie<double> LireHeurePrevision(std::string_view texte);

}  // namespace selvane
