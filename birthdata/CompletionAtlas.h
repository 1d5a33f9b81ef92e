#pragma once
// The exchange's completion from this program's calendar, atlas files and
// time-zone database: the Julian days of the AAF records, and the place and
// zone of a record that gives only its town and country.
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "birthdata/Atlas.h"
#include "birthdata/Fuseaux.h"
#include "birthdata/records/Echange.h"

namespace selvane {

// The ISO codes ("DE") a country code of an AAF file may stand for, in the
// order they are tried: a two-letter code as ISO itself, then the country of
// that international vehicle code ("D", "CH", "USA", "CL" for Sri Lanka).
std::vector<std::string> CodesIsoDuPays(std::string_view code);

// Where a record's zone comes from, for the calculation stamp: "Europe/Paris, CEST, heure
// d'été" (UTF-8); the parts not known are left out.
std::string TexteSourceFuseau(const SourceFuseau& s);

class CompletionAtlas : public CompletionEchange {
 public:
  // `dossier`: the program directory (atlas files and time-zone database).
  explicit CompletionAtlas(std::filesystem::path dossier);
  ~CompletionAtlas() override;

  std::optional<double> JourJulien(const DateHeureLocale& d, long decalage) const override;
  std::optional<DateHeureLocale> DateLocale(double jourJulien, long decalage) const override;
  // The first town of that name (folded as the atlas keys are) in the country's
  // atlas file, and the regime of its zone at that local time.
  std::optional<LieuTrouve> Placer(const std::string& ville, const std::string& pays, const DateHeureLocale& d,
                                   std::string& pourquoi) const override;
  // Known when a town of the record's name in some atlas file has exactly the
  // record's coordinates and its zone's regime at the record's date gives the
  // record's zone: the abbreviation of that regime and whether it is summer time.
  std::optional<SourceFuseau> Source(const FicheClient& f) const override;
  // The checks of the entry window (VerifierNaissance).
  std::string Controler(const FicheClient& f) const override;

 private:
  const FichierAtlas* AtlasDuPays(const std::string& iso, std::string& nomFichier) const;
  // The atlas file of that name, opened on first use; throws ErreurFichier.
  const FichierAtlas& Ouvrir(const std::string& nomFichier) const;
  const std::vector<LigneRegime>* Regimes(const std::string& nomZone) const;
  // The regime of a zone at a local date and time; false when it cannot be told.
  bool RegimeA(const std::string& nomZone, const DateHeureLocale& d, Regime& r, std::string& pourquoi) const;

  std::filesystem::path dossier_;
  // Read on first use: the atlas file of each country code, by the code of its first record;
  // the open files by name.
  mutable bool atlasListes_ = false;
  mutable std::map<std::string, std::string> fichierDuPays_;
  mutable std::map<std::string, std::unique_ptr<FichierAtlas>> ouverts_;
  mutable std::map<std::string, std::optional<std::vector<LigneRegime>>> regimes_;
};

}  // namespace selvane
