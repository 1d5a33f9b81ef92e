#pragma once
// The records GestSelvane works on, without any window: the table's rows, the file they came
// from and what that file held when it was last read or written, so "modified" is a fact and
// not a flag someone forgot to set. Every operation that touches a file is all or nothing:
// on failure it throws ErreurFichier and the rows, the file and the snapshot stay as they were.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "birthdata/records/FicheClient.h"

namespace selvane {
namespace gestion {

// The eight texts of the edit panel (Windows-1252 bytes), in its order: name, date, time,
// place, latitude, longitude, zone, comment.
using SaisieFiche = std::array<std::string, 8>;

// The outcome of an edit: empty message when written; otherwise the French message (UTF-8)
// and the field (1..8) to put the focus in.
struct ResultatModification {
  std::string message;
  int champ = 0;
  bool Reussi() const { return message.empty(); }
};

class CarnetFiches {
 public:
  // Reads a birth file in file order. Nothing changes when the read fails.
  void Ouvrir(const std::filesystem::path& chemin);
  // No file, no rows.
  void Fermer();

  bool AUnFichier() const { return !chemin_.empty(); }
  const std::filesystem::path& Chemin() const { return chemin_; }
  int Nombre() const { return static_cast<int>(fiches_.size()); }
  const FicheClient& Fiche(int i) const { return fiches_.at(static_cast<std::size_t>(i)); }
  const std::vector<FicheClient>& Fiches() const { return fiches_; }
  // The records a save would write (empty rows left out), in table order.
  std::vector<FicheClient> FichesAEcrire() const;
  // The rows differ from what the file held (or, with no file, there is something to keep).
  bool Modifie() const;

  // By key, without regard to case; rows of equal keys keep their order.
  void Trier();
  // A new row "Complétez " at the end; its index.
  int Ajouter();
  // An empty row at i (clamped to the rows); its index.
  int Inserer(int i);
  void Supprimer(int i);
  // The panel's checks, then the record at i replaced; the texts are cleaned in place (no
  // control characters) so the panel can show what was kept. `aujourdhui` is dd/mm/yyyy.
  ResultatModification Modifier(int i, SaisieFiche& saisie, const std::string& aujourdhui);
  // The first row whose key begins with the folded text, the last row when none does, 0 for
  // an empty text; -1 without rows.
  int Chercher(std::string_view texte) const;

  // Sorts and rewrites the current file; then the file is the snapshot.
  void Sauver();
  // Sorts and writes the rows to a new file; then nothing is open and the rows are gone.
  void EnregistrerSous(const std::filesystem::path& chemin);
  // Every record of the files, in the order given, sorted; no current file (a merge is saved
  // under a new name). Nothing changes when one of the reads fails.
  void Importer(const std::vector<std::filesystem::path>& fichiers);
  // Records from another program inserted at their sorted places into the current file (one
  // write, with its backup), which is then read again. Only on a table without unsaved changes.
  void InsererDansLeFichier(const std::vector<FicheClient>& fiches);
  // Removes each row whose key equals the previous row's, exactly; how many went.
  int EliminerDoublons();
  // Rows emptied and the file forgotten: an emptied table is never saved over a file.
  void Vider();

  // The empty record of an inserted row.
  static bool EstVide(const FicheClient& f);

 private:
  std::filesystem::path chemin_;
  std::vector<FicheClient> fiches_;
  std::vector<FicheClient> surDisque_;  // what chemin_ held at the last read or write
};

}  // namespace gestion
}  // namespace selvane
