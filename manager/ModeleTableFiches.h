#pragma once
// The table of GestSelvane: a read-only view of the record model's rows. Cells are not edited
// in place: every change goes through the edit panel and its checks.
#include <QAbstractTableModel>
#include <QTableView>

#include "manager/CarnetFiches.h"

namespace selvane {
namespace gestion {

class ModeleTableFiches : public QAbstractTableModel {
  Q_OBJECT
 public:
  static constexpr int Colonnes = 10;  // N°, the nine fields; the key last, hidden
  explicit ModeleTableFiches(const CarnetFiches& carnet, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The text of a cell as the table shows it (column 0: the row number).
  QString Texte(int ligne, int colonne) const;
  // The rows changed: every view reads them again.
  void Rafraichir();

 private:
  const CarnetFiches& carnet_;
};

// The view, with the row-and-cell vocabulary of a grid for the window and its tests.
class VueFiches : public QTableView {
  Q_OBJECT
 public:
  explicit VueFiches(QWidget* parent = nullptr);
  int rowCount() const { return model() ? model()->rowCount() : 0; }
  int columnCount() const { return model() ? model()->columnCount() : 0; }
  int currentRow() const { return currentIndex().isValid() ? currentIndex().row() : -1; }
  QString Texte(int ligne, int colonne) const;
  // Makes the row current (column 1), scrolled into view; nothing for a row out of range.
  void AllerA(int ligne);
  // Typing in the table does not jump to rows: the search field does that, by the key.
  void keyboardSearch(const QString&) override {}
  // Each visible column as wide as its widest cell plus the margin, at least the minimum.
  void AjusterColonnes(int marge, int minimum);
};

}  // namespace gestion
}  // namespace selvane
