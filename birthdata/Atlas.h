#pragma once
// Atlas files (".cty"): sorted binary files of 182-byte city records, searched
// by the beginning of the city's name; and the default city ("Vildef.def").
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "birthdata/records/ChaineCourte.h"

namespace selvane {

struct CityRecord {
  ChaineCourte<70> Ville;
  ChaineCourte<30> Pays;  // country or region
  ChaineCourte<6> Lat;
  ChaineCourte<7> Long;
  ChaineCourte<2> CountryCode;
  ChaineCourte<30> ZoneName;
  ChaineCourte<30> SearchKey;

  static constexpr std::size_t TailleEnregistrement = 182;
};
static_assert(sizeof(CityRecord) == CityRecord::TailleEnregistrement, "packs like the file record");

// The search key of a name or of a typed text (Windows-1252): capitals without
// accents, œ/æ/ß spelt out, hyphens and dashes as spaces, every apostrophe
// straight. The generator makes the keys of the atlas files the same way.
std::string PlierCle(std::string_view texte);

// A typed search text (UTF-8) in the code page, each letter the code page
// lacks as its base letter ("łódź" -> "lódz"), as the generator writes names.
std::string SaisieVersCp1252(std::string_view utf8);

CityRecord DecoderVille(const unsigned char* octets);
void EncoderVille(const CityRecord& ville, unsigned char* octets);

// The atlas files of a folder, by name without ".cty", in alphabetical order.
std::vector<std::string> ListerAtlas(const std::filesystem::path& dossier);

// One open atlas file. A trailing partial record is not part of it.
class FichierAtlas {
 public:
  // Throws ErreurFichier with the system's text when the file cannot be read.
  explicit FichierAtlas(const std::filesystem::path& chemin);
  ~FichierAtlas();
  FichierAtlas(const FichierAtlas&) = delete;
  FichierAtlas& operator=(const FichierAtlas&) = delete;

  std::int64_t Nombre() const { return nombre_; }
  CityRecord Lire(std::int64_t index) const;
  // Up to `lignes` records from `premier` on, stopping at the end of the file.
  std::vector<CityRecord> Page(std::int64_t premier, int lignes) const;
  // The record the binary search stops at for a search text, folded as the keys
  // are, then cut to 15 characters.
  std::int64_t Chercher(std::string_view texte) const;

 private:
  int fd_ = -1;
  std::int64_t nombre_ = 0;
  std::filesystem::path chemin_;
};

// First row shown after Find: `recul` rows above the found record, kept
// within the file for a grid of `lignes` rows.
std::int64_t PremiereLigne(std::int64_t trouve, int recul, int lignes, std::int64_t nombre);

struct VilleDefaut {
  std::string ville, pays, lat, lon, zone;  // Windows-1252
};
VilleDefaut LireVilleDefaut(const std::filesystem::path& dossier);
void EcrireVilleDefaut(const std::filesystem::path& dossier, const VilleDefaut& v);

}  // namespace selvane
