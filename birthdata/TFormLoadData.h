#pragma once
// "Sélection d'une fiche ": the birth files, their records, search, chart,
// modify/copy, delete, print.
#include <QDialog>
#include <functional>
#include <vector>

#include "birthdata/LignesFiches.h"
#include "dessin/Feuille.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QPushButton;
class QTableWidget;

namespace selvane {

// The printed file: 77 records a page from line 4, the file's path on line 2 of the first page.
constexpr std::size_t FichesParPage = 77;
int PagesFichier(std::size_t fiches);
// `hauteurPage`: the height the page leaves (0: any).
void PeindrePageFichier(QPainter& p, const QString& chemin, const std::vector<FicheClient>& fiches, int page,
                        double hauteurPage);

// The table of a birth file as the browser shows it: nine columns, one row a record.
Feuille FeuilleFichier(const QString& chemin, const std::vector<LigneFiche>& lignes);
// The stamp of the printed file and of its CSV: each record has its own zone.
QStringList CachetFichier();

class TFormLoadData : public QDialog {
  Q_OBJECT
 public:
  // ouvrirListing: after "Thème"; modifier: after "Modifier/Recopier" (FicheEnCours filled).
  TFormLoadData(const QString& dossier, std::function<void()> ouvrirListing, std::function<void()> modifier,
                QWidget* parent = nullptr);
  QListWidget* Fichiers() const { return fichiers_; }
  QTableWidget* GridData() const { return table_; }
  QLineEdit* Recherche() const { return recherche_; }
  // The file becomes current only once read whole; one that fails leaves none.
  void Charger(const QString& fichier);
  void Rechercher(const QString& texte);
  void Theme();
  void ModifierRecopier();
  void SupprimerFiche();
  // The rows shown printed on a painter whose page height is given; returns the pages printed.
  int ImprimerFichier(QPainter& p, int hauteurPage, const std::function<void()>& nouvellePage);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;

 private:
  QString dossier_;
  QString courant_;
  std::function<void()> ouvrirListing_, modifier_;
  QListWidget* fichiers_;
  QTableWidget* table_;
  QLineEdit* recherche_;
  QLabel* panneau_;
  std::vector<LigneFiche> lignes_;  // the table's rows, in its order
  QPushButton* imprimer_ = nullptr;  // "Imprimer fichier": a file open first
  QList<QPushButton*> boutonsFiche_;  // "Thème", "Supprimer fiche", "Modifier/Recopier": a row chosen first
  void ListerFichiers();
  // No current file, an empty table: what a file that failed to load leaves.
  void Vider();
  void Selectionner(int ligne, bool choisie = true);
  void CopierDansFiche(int ligne);
  std::vector<FicheClient> FichesAffichees() const;
};

}  // namespace selvane
