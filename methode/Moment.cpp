#include "methode/Moment.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/Temps.h"

namespace selvane {

const char* const MessageChampVide = "Le champ ne peut être vide !";

DateDuChamp LireDateDuChamp(std::string_view date) {
  DateDuChamp d;
  d.jour = EntierExige(Tranche(date, 0, 2));
  d.mois = EntierExige(Tranche(date, 3, 2));
  d.annee = EntierExige(Tranche(date, 6, 4));
  return d;
}

double LireHeuresDuChamp(std::string_view heure, std::string_view secondes) {
  return LireNombre(Tranche(heure, 0, 2)) + LireNombre(Tranche(heure, 3, 2)) / 60.0 + LireNombre(secondes) / 3600.0;
}

double Moment::JourJulienTU() const { return JourJulien(date.jour, date.mois, date.annee, (heures - fuseau) / 24.0); }

Moment LireMoment(const ChampsMoment& c) {
  Moment m;
  m.date = LireDateDuChamp(c.date);
  m.heures = LireHeuresDuChamp(c.heure, c.secondes);
  m.fuseau = LireFuseau(c.fuseau);
  m.ville = c.ville;
  m.pays = c.pays;
  m.lon = c.lon;
  m.lat = c.lat;
  return m;
}

Saisie<int> LireAnneeCadran(std::string_view texte) {
  Saisie<int> s;
  if (Entier(texte, s.valeur) && s.valeur >= 1 && s.valeur <= AnneeMaximale) return s;
  s.boite = BoiteMessage::Avertissement;
  s.message = "Année incorrecte : " + Cp1252VersUtf8(texte) + " (1 à " + std::to_string(AnneeMaximale) + ")";
  return s;
}

std::string ErreurChamp(const ChampsMoment& c, ChampCadran champ) {
  switch (champ) {
    case ChampCadran::Aucun:
      return "";
    case ChampCadran::Date:
      return LireDateCadran(c.date).message;
    case ChampCadran::Heure:
      return HeureValide(c.heure) ? "" : Cp1252VersUtf8(c.heure) + " : heure incorrecte";
    case ChampCadran::Secondes: {
      std::string secondes = c.secondes;
      secondes.erase(std::remove(secondes.begin(), secondes.end(), ' '), secondes.end());
      int s = 0;
      if (secondes.empty() || (Entier(secondes, s) && s >= 0 && s <= 59)) return "";
      return Cp1252VersUtf8(c.secondes) + " : secondes incorrectes";
    }
    case ChampCadran::Fuseau: {
      double zone = 0;
      return EssayerLireFuseau(c.fuseau, zone) ? "" : "Erreur dans l'écriture du fuseau";
    }
    case ChampCadran::Latitude:
      return ErreurLatitude(c.lat);
    case ChampCadran::Longitude:
      return ErreurLongitude(c.lon);
  }
  return "";
}

FauteChamp ControlerChamps(const ChampsMoment& c, bool moment) {
  for (ChampCadran champ : {ChampCadran::Date, ChampCadran::Heure, ChampCadran::Secondes, ChampCadran::Fuseau,
                            ChampCadran::Latitude, ChampCadran::Longitude}) {
    if (!moment && champ != ChampCadran::Latitude && champ != ChampCadran::Longitude) continue;
    std::string message = ErreurChamp(c, champ);
    if (!message.empty()) return {champ, std::move(message)};
  }
  return {};
}

namespace {

template <typename T>
Saisie<T> Refus(BoiteMessage boite, std::string message) {
  Saisie<T> s;
  s.boite = boite;
  s.message = std::move(message);
  return s;
}

// The pieces (start, length) of a field that must be whole numbers: the conversion message of
// the first that is not, "" when all are.
std::string PiecesEntieres(std::string_view texte, std::initializer_list<std::pair<std::size_t, std::size_t>> pieces) {
  try {
    for (const auto& [debut, longueur] : pieces) EntierExige(Tranche(texte, debut, longueur));
  } catch (const ErreurConversion& e) {
    return e.what();
  }
  return "";
}

}  // namespace

Saisie<int> LireAnneeTransits(std::string_view texte) {
  if (texte.empty()) {
    Saisie<int> s = Refus<int>(BoiteMessage::Avertissement, MessageChampVide);
    s.vide = true;
    return s;
  }
  if (!ContientChiffre(texte)) return Refus<int>(BoiteMessage::Avertissement, "N'entrez que des chiffres !");
  const std::string conversion = PiecesEntieres(texte, {{0, std::string_view::npos}});
  if (!conversion.empty()) return Refus<int>(BoiteMessage::Erreur, conversion);
  Saisie<int> s;
  s.valeur = EntierExige(texte);
  if (!AnneeTransitsValide(s.valeur))
    return Refus<int>(BoiteMessage::Avertissement, "L'année doit être comprise entre 0 et 2100 !");
  return s;
}

bool AnneeTransitsValide(int annee) { return annee >= 0 && annee <= 2100; }

Saisie<int> LireArcDonne(std::string_view texte) {
  if (texte.empty()) {
    Saisie<int> s = Refus<int>(BoiteMessage::Avertissement, MessageChampVide);
    s.vide = true;
    return s;
  }
  Saisie<int> s;
  // Only a whole number: "12a" has a digit but is no number of degrees.
  if (!ContientChiffre(texte) || !Entier(texte, s.valeur))
    return Refus<int>(BoiteMessage::Avertissement, "N'entrez que des chiffres !");
  if (s.valeur < 0 || s.valeur > ArcDonneMaximal)
    return Refus<int>(BoiteMessage::Avertissement, "Entrez un nombre entier entre 0 et " +
                                                       std::to_string(ArcDonneMaximal) + " : " + Cp1252VersUtf8(texte));
  return s;
}

Saisie<DateDuChamp> LireDateCadran(std::string_view texte) {
  std::string barres(texte);
  std::replace(barres.begin(), barres.end(), '.', '/');
  if (!DateValide(barres))
    return Refus<DateDuChamp>(BoiteMessage::Avertissement, Cp1252VersUtf8(texte) + " : date incorrecte");
  // A year before 1 has no four-digit text: the moment written back would be another one.
  const Saisie<int> annee = LireAnneeCadran(Tranche(texte, 6, 4));
  if (!annee.Ok()) return Refus<DateDuChamp>(annee.boite, annee.message);
  Saisie<DateDuChamp> s;
  s.valeur = LireDateDuChamp(texte);
  return s;
}

Saisie<DateDuChamp> LireDatePrevision(std::string_view texte) {
  const std::string conversion = PiecesEntieres(texte, {{0, 2}, {3, 2}, {6, 4}});
  if (!conversion.empty()) return Refus<DateDuChamp>(BoiteMessage::Erreur, conversion);
  std::string barres(texte);
  std::replace(barres.begin(), barres.end(), '.', '/');
  if (!DateValide(barres))
    return Refus<DateDuChamp>(BoiteMessage::Information, Cp1252VersUtf8(texte) + " : date incorrecte");
  Saisie<DateDuChamp> s;
  s.valeur = LireDateDuChamp(texte);
  return s;
}

Saisie<double> LireHeurePrevision(std::string_view texte) {
  const std::string conversion = PiecesEntieres(texte, {{0, 2}, {3, 2}});
  if (!conversion.empty()) return Refus<double>(BoiteMessage::Erreur, conversion);
  if (!HeureValide(texte))
    return Refus<double>(BoiteMessage::Information, Cp1252VersUtf8(texte) + " : heure incorrecte");
  Saisie<double> s;
  s.valeur = LireHeuresDuChamp(texte);
  return s;
}

}  // namespace selvane
