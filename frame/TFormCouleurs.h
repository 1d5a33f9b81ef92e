#pragma once
// "Paramétrage des couleurs": the screen (dark or light) and print colour sets,
// and the glyph sizes.
#include <QDialog>
#include <array>

#include "reglages/Reglages.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace selvane {

class TFormCouleurs : public QDialog {
  Q_OBJECT
 public:
  enum Environnement { Aucun = -1, EcranFonce = 0, EcranClair = 1, Impression = 2 };

  explicit TFormCouleurs(const QString& dossier, QWidget* parent = nullptr);

  Environnement EnvironnementChoisi() const { return environnement_; }
  void ChoisirEnvironnement(Environnement e);  // loads its last saved set
  void ChargerModeles();
  void ChargerDernieresValeurs();
  void EnregistrerModifications();
  // "Quitter": false when the user keeps the dialog open to save.
  bool Quitter();
  // Colour button 0..40 (bodies 1..24, aspects, sign glyphs, sign backgrounds).
  QPushButton* Bouton(int i) const { return boutons_[i]; }
  void ChoisirCouleur(int bouton);
  Couleur CouleurDuBouton(int i) const { return couleurs_[i]; }
  bool Modifie() const { return modifie_; }
  QSpinBox* TaillePlanetes() const { return planetes_; }
  QSpinBox* TailleSignes() const { return signes_; }
  QCheckBox* Relief() const { return relief_; }

 protected:
  void closeEvent(QCloseEvent* evenement) override;

 private:
  QString dossier_;
  Environnement environnement_ = Aucun;
  Couleur fond_ = 0;
  std::array<Couleur, 41> couleurs_{};  // lines 2..42 of a colour file
  std::array<QPushButton*, 41> boutons_{};
  QRadioButton* choix_[3];
  QSpinBox* planetes_;
  QSpinBox* signes_;
  QCheckBox* relief_;
  bool modifie_ = false;
  bool quitte_ = false;

  void Charger(const char* fichier);
  void Afficher();
  QString Chemin(const char* fichier) const { return dossier_ + "/" + fichier; }
};

}  // namespace selvane
