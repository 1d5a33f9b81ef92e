#pragma once
// The atlas grid of the entry and atlas windows: one atlas file shown a page
// at a time, searched as the user types, scrolled by its bar.
#include <QWidget>
#include <memory>

#include "birthdata/Atlas.h"

class QScrollBar;
class QTableWidget;

namespace selvane {

class GrilleAtlas : public QWidget {
  Q_OBJECT
 public:
  GrilleAtlas(int lignes, QWidget* parent = nullptr);
  ~GrilleAtlas() override;
  // Throws ErreurFichier when the file cannot be read.
  void Ouvrir(const QString& chemin);
  // Find, the display starting `recul` rows above the record found.
  void Chercher(const QString& texte, int recul);
  void Afficher(std::int64_t debut);
  std::int64_t Debut() const { return debut_; }
  int Lignes() const { return lignes_; }
  QTableWidget* Table() const { return table_; }
  const CityRecord* Ligne(int ligne) const;

 signals:
  void VilleChoisie(const CityRecord& ville);

 private:
  int lignes_;
  std::unique_ptr<FichierAtlas> atlas_;
  std::vector<CityRecord> page_;
  std::int64_t debut_ = 0;
  QTableWidget* table_;
  QScrollBar* barre_;
};

}  // namespace selvane
