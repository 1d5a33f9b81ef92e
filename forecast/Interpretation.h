#pragma once
// The interpretation text file: entries opened by a key line ("_SOL MAR"), whose text is every
// following line up to the next line beginning with "_". Two readers with the same results:
// the indexed one the program uses, and the rescanning one that reads the file from its first
// line for every lookup, kept as the reference for the tests and the benchmark.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace selvane {

// Name of the file in the program directory.
extern const char* const NomFichierInterpretation;

enum class ModeInterpretation { PremierTexte, TousLesTextes };

class SourceInterpretation {
 public:
  virtual ~SourceInterpretation() = default;
  // The texts of the entries whose key line equals `cle` (Windows-1252), in file order; one at
  // most in first-text mode. An absent key gives none.
  virtual std::vector<std::string> ChercherInterpretation(const std::string& cle,
                                                          ModeInterpretation mode) = 0;
  // First-text mode as one text, empty when the key is absent.
  std::string PremierTexte(const std::string& cle);
};

// Reads the whole file once and indexes its lines by their trimmed form: a lookup costs the
// entries it returns, not the file. Throws ErreurFichier when the file cannot be read.
class IndexInterpretation : public SourceInterpretation {
 public:
  static std::unique_ptr<IndexInterpretation> Ouvrir(const std::filesystem::path& chemin);
  explicit IndexInterpretation(std::string octets);

  std::vector<std::string> ChercherInterpretation(const std::string& cle,
                                                  ModeInterpretation mode) override;

 private:
  std::string Texte(std::size_t ligneCle) const;

  // Owned on the heap so that the views below survive a move of the object.
  std::unique_ptr<const std::string> octets_;
  std::vector<std::string_view> lignes_;
  // For each line: the first later line beginning with "_" (or the line count).
  std::vector<std::uint32_t> finEntree_;
  std::unordered_map<std::string_view, std::vector<std::uint32_t>> parCle_;
};

// The file kept open and rewound for each lookup, read line by line from its start.
class RelectureInterpretation : public SourceInterpretation {
 public:
  explicit RelectureInterpretation(const std::filesystem::path& chemin);

  std::vector<std::string> ChercherInterpretation(const std::string& cle,
                                                  ModeInterpretation mode) override;

 private:
  bool LireLigne(std::string& ligne);
  std::ifstream fichier_;
};

// A line without its leading and trailing characters of codes 0..32.
std::string_view RognerLigneCle(std::string_view ligne);

}  // namespace selvane
