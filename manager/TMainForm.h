#pragma once
// GestSelvane's window: one birth file in an editable table; sort, save, merge.
#include <QMainWindow>
#include <QVector>
#include <utility>

#include "widgets/GrilleTexte.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace selvane {
namespace gestion {

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(const QString& dossier = QString(), QWidget* parent = nullptr);

  GrilleTexte* Table() const { return table_; }
  QListWidget* ListeFichiers() const { return liste_; }
  QListWidget* ListeFusion() const { return fusion_; }
  QLineEdit* Champ(int colonne) const { return champs_[colonne - 1]; }  // columns 1..8
  QLineEdit* Recherche() const { return recherche_; }
  bool FichierOuvert() const { return ouvert_; }
  QString FichierCourant() const { return courant_; }

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
  void EnregistrerFusion();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  QString dossier_;
  QString courant_;
  bool ouvert_ = false;
  bool aSauver_ = false;  // sorted or merged since loading
  bool sauve_ = false;
  int ligne_ = -1;
  GrilleTexte* table_;
  QListWidget* liste_;
  QListWidget* fusion_;
  QWidget* panneauFusion_;
  QPushButton* doublons_;
  QPushButton* enregistrerFusion_;
  QPushButton* boutonFusion_;
  QLineEdit* champs_[8];
  QLineEdit* recherche_;

  void Remplir(const QString& chemin, bool ajouter);
  void Renumeroter();
  void OublierFichierOuvert();
  void TrierSurCle();
  void Ecrire(const QString& chemin);
  // Sorts on the key and rewrites the file; false (after the error box) when the write failed.
  bool TrierEtEcrire(const QString& chemin);
  void CentLignesVides();
  static int Comparer(const QVector<std::pair<int, OrdreTri>>& triees, const QStringList& a, const QStringList& b);
};

}  // namespace gestion
}  // namespace selvane
