#pragma once
// GestSelvane's window: one birth file in a table over the record model; sort, save, merge.
// The window only wires widgets to the model: the rows, the checks and the files live there.
#include <QMainWindow>

#include "manager/CarnetFiches.h"
#include "manager/ModeleTableFiches.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace selvane {
namespace gestion {

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  // The folder of the birth files; empty: the program's own folder.
  explicit TMainForm(const QString& dossier = QString(), QWidget* parent = nullptr);

  VueFiches* Table() const { return table_; }
  const CarnetFiches& Carnet() const { return carnet_; }
  QListWidget* ListeFichiers() const { return liste_; }
  QListWidget* ListeFusion() const { return fusion_; }
  QLineEdit* Champ(int colonne) const { return champs_[colonne - 1]; }  // columns 1..8
  QLineEdit* Recherche() const { return recherche_; }
  bool FichierOuvert() const { return ouvert_; }
  QString FichierCourant() const;

  void OuvrirFichier();                       // "Ouvrir fichier de naissances"
  void Charger(const QString& nomFichier);    // double click in the list
  void SelectionnerCellule(int ligne, int colonne);
  void Transferer();
  void AjouterLigne();
  void InsererLigne();
  void SupprimerLigne();
  void Rechercher(const QString& texte);
  void TrierFichier();
  void SauverFichier();                       // "Sauver Fichier"
  void FermerLaListe();
  void Quitter();
  void FusionFichiers();
  void CocherTout(bool coche);
  void ImporterFichiers();
  void TrierFusion();
  int EliminerDoublons();
  void ViderTableau();
  void Valider();
  // False when nothing was written (cancelled, refused or failed).
  bool EnregistrerFusion();
  // "Importer AAF…", "Importer CSV…": records of another program into the open file, after
  // the report; "Exporter AAF…", "Exporter CSV…": the table's records to a file.
  void ImporterEchange(bool aaf);
  void ExporterEchange(bool aaf);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;

 private:
  QString dossier_;
  CarnetFiches carnet_;
  bool ouvert_ = false;  // from "Ouvrir fichier de naissances" to "Fermer la liste"
  ModeleTableFiches* modele_;
  VueFiches* table_;
  QListWidget* liste_;
  QListWidget* fusion_;
  QWidget* panneauFusion_;
  QPushButton* doublons_;
  QPushButton* enregistrerFusion_;
  QPushButton* boutonFusion_;
  QLineEdit* champs_[8];
  QLineEdit* recherche_;

  // The rows changed: the view reads them again and `ligne` becomes current.
  void Rafraichir(int ligne);
  void AfficherLigne(int ligne);
  // Asks "Enregistrer les modifications ?" when the table differs from the file: true when
  // the work may go on (saved, or discarded on purpose), false when the user stays.
  bool ProposerEnregistrement();
  // Sorts and rewrites the current file; false (after the error box) when the write failed.
  bool Sauver();
  void AfficherFichierEnCours();
};

}  // namespace gestion
}  // namespace selvane
