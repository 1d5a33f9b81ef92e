#pragma once
// "Backup - Sauvegarde des données de naissances": copies the data files of the
// program directory to a folder the user chooses.
#include <QDialog>

class QFileSystemModel;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace selvane {

class TFormBackup : public QDialog {
  Q_OBJECT
 public:
  explicit TFormBackup(const QString& dossierProgramme, QWidget* parent = nullptr);
  void ChoisirSupport(const QString& dossier);  // the tree's root and current folder
  QString DossierCourant() const;
  void Creer();
  void Enregistrer();
  QLineEdit* NomNouveau() const { return nom_; }
  QLineEdit* Etat() const { return etat_; }
  QProgressBar* Progression() const { return progression_; }
  int DernierePourcentage() const { return dernier_; }

 private:
  QString source_;
  QString courant_;
  QFileSystemModel* modele_;
  QTreeView* arbre_;
  QLineEdit* nom_;
  QLineEdit* etat_;
  QLabel* destination_;
  QProgressBar* progression_;
  QList<QWidget*> commandes_;
  int dernier_ = -1;
};

}  // namespace selvane
