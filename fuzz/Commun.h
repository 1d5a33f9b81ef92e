#pragma once
// What every fuzz target shares: a private folder in memory (tmpfs when the
// machine has one, so the file writes cost no disk), the warnings kept quiet,
// and a check that stops the run as a crash would.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"

namespace selvane::fuzz {

inline const std::filesystem::path& Dossier() {
  static const std::filesystem::path dossier = [] {
    // scripts/fuzz.sh names the folder and removes it: libFuzzer's exit runs no destructor.
    if (const char* impose = std::getenv("SELVANE_FUZZ_DOSSIER")) {
      std::filesystem::create_directories(impose);
      return std::filesystem::path(impose);
    }
    const std::filesystem::path base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    const std::filesystem::path d = base / ("selvane_fuzz_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dossier;
}

// The folder goes when the run ends, whatever stops it.
struct Nettoyage {
  ~Nettoyage() {
    std::error_code e;
    std::filesystem::remove_all(Dossier(), e);
  }
};

inline void Ecrire(const std::filesystem::path& p, const std::string& octets) {
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
}

// A property the reader must keep: its failure is a finding.
#define VERIFIER(condition)                                                          \
  do {                                                                               \
    if (!(condition)) {                                                              \
      std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                  \
    }                                                                                \
  } while (0)

// Warnings go nowhere: the fuzzer would print millions of them.
struct Silence : Avertisseur {
  void Avertir(const std::string&) override {}
};

inline void Initialiser() {
  static Silence silence;
  static Nettoyage nettoyage;
  DefinirAvertisseur(&silence);
  (void)Dossier();
}

// For the targets that compute charts: a fresh state, the library open.
inline void InitialiserTheme() {
  Initialiser();
  ReinitialiserEtat();
  OuvrirEphemerides();
}

// The chart of a record read: computed, or refused with the conversion error.
inline void EssayerTheme(const FicheClient& fiche) {
  Etat().FicheEnCours = fiche;
  try {
    CalculerTheme(EcartGlyphes8);
  } catch (const ErreurConversion&) {
  }
}

inline std::string Texte(const std::uint8_t* d, std::size_t n) { return std::string(reinterpret_cast<const char*>(d), n); }

// Splits "first line\nrest": the query a target asks, then the file it reads.
inline void Couper(const std::string& tout, std::string& tete, std::string& reste) {
  const std::size_t fin = tout.find('\n');
  tete = tout.substr(0, fin);
  reste = fin == std::string::npos ? std::string() : tout.substr(fin + 1);
}

}  // namespace selvane::fuzz
