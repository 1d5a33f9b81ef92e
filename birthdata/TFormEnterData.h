#pragma once
// "Entrée des données ": the birth data of a chart, the atlas, the zone of the
// date, three computed times, the save into a birth file, and "Thème".
#include <QDialog>
#include <functional>
#include <initializer_list>
#include <utility>
#include <optional>
#include <string>

#include "birthdata/Atlas.h"
#include "birthdata/records/FicheClient.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;

namespace selvane {

class GrilleAtlas;
struct SaisieNaissance;

class TFormEnterData : public QDialog {
  Q_OBJECT
 public:
  enum Mode { Nouvelle, Modification, Evenement };
  // ouvrirListing: called after "Thème" computed the chart (opens the listing window).
  TFormEnterData(const QString& dossier, Mode mode, std::function<void()> ouvrirListing, QWidget* parent = nullptr);
  ~TFormEnterData() override;

  QLineEdit* EditNom;
  QLineEdit* MaskEditDate;
  QLineEdit* MaskEditHeure;
  QLineEdit* MaskEditSecondes;
  QLineEdit* EditVille;
  QLineEdit* EditPays;
  QLineEdit* EditLat;
  QLineEdit* EditLong;
  QLineEdit* MaskEditLongH;
  QLineEdit* EditFuseau;
  QLineEdit* EditComment;
  QLineEdit* Edit1;
  QLabel* LabelJour;
  QLineEdit* Recherche;
  QComboBox* Pays;
  GrilleAtlas* Atlas;
  QListWidget* FichiersNaissance;
  QListWidget* CodesPays;
  QWidget* PanneauSauvegarde;
  QPushButton* BoutonEnregistrer;

  // The commands, as the buttons and field exits run them.
  bool TesterDate();
  bool TesterHeure();
  bool TesterSecondes();
  // Date, time, seconds, latitude, longitude and zone: nothing is saved or computed before all pass.
  bool ChampsValides();
  bool TesterLatitude();
  bool TesterLongitude();
  bool TesterFuseau();
  void ChoisirVille(const CityRecord& ville);
  void ChercherRegime();
  void ChercherRegimeSiChange();
  void TU();
  void Defaut();
  void FuseauOrdinateur();
  void LeverDuSoleil();
  void MidiVrai();
  void EquationDuTemps();
  void ConvertirLongitude();
  void EnregistrerDonnees();
  void Sauver();
  void Nouveau();
  void Theme();
  bool Sauve() const { return sauve_; }

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  QString dossier_;
  Mode mode_;
  std::function<void()> ouvrirListing_;
  bool sauve_ = false;
  std::string nomZone_;
  std::optional<std::string> numeroZone_;
  QString regimeCherche_;  // the date and time of the last regime lookup
  QString sourceRegime_;   // the auxiliary text that lookup showed
  void EffacerSource();
  QString DateHeureSaisies() const;
  bool fichierClique_ = false;
  bool refusEnSortie_ = false;  // the last exit of a date or time field was refused
  void OuvrirAtlas(int index);
  void DimensionnerFenetre();
  bool GroupesEntiers(QLineEdit* champ, std::initializer_list<std::pair<int, int>> groupes);
  void AfficherJour();
  void RemplirHeure(double jourTU, double fuseau);
  double FuseauHeures() const;
  void ApresSauvegarde(const QString& fichier);
  SaisieNaissance Champs() const;
  FicheClient FicheSaisie() const;
  // Characters the birth file cannot hold: shown with the stored form; false
  // when the user chooses not to store.
  bool AccepterCaracteres() const;
};

}  // namespace selvane
