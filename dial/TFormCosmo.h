#pragma once
// "Cosmogramme": the Uranian dial window. Three rings (natal, solar arc,
// transits) around a harmonic dial, the moment fields that drive the outer two,
// the pointer and its midpoint tree, the returns and events, printing and the
// picture-form panel. It takes over the current chart while it is open and puts
// the birth record back when it closes.
#include <QImage>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "core/EmpruntEtat.h"
#include "dessin/Feuille.h"
#include "dessin/Palette.h"
#include "dial/DessinCadran.h"
#include "dial/ModeleCadran.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QPushButton;
class QRadioButton;

namespace selvane {

class GrilleTexte;
class PanneauFormulaire;
class SurfaceCadran;

// A radio group of the window: a titled box of exclusive buttons, read and set by item index.
class GroupeRadio : public QWidget {
  Q_OBJECT
 public:
  GroupeRadio(const QString& titre, const QStringList& items, int colonnes, QWidget* parent = nullptr);
  int ItemIndex() const;
  void DefinirItemIndex(int item);  // programmatic: no click handler runs
  QRadioButton* Bouton(int item) const;
  int Nombre() const;
  // The items from `premier` to `dernier` in a font of their own (glyphs), the title unchanged.
  void DefinirPoliceItems(const QFont& police, int premier = 0, int dernier = -1);

 signals:
  void Clique(int item);  // a click of the user
  void Change(int item);  // the checked item changed, by a click or by the program

 private:
  QButtonGroup* groupe_;
};

class TFormCosmo : public QWidget {
  Q_OBJECT
 public:
  // dossier: the program directory (atlas, picture forms, settings).
  explicit TFormCosmo(const QString& dossier, QWidget* parent = nullptr);
  ~TFormCosmo() override;
  // The frame's drawing options as they are at print time ("Fonds des signes colorés").
  void DefinirOptions(std::function<OptionsDessin()> options) { options_ = std::move(options); }

  // The moment fields (right-hand panel).
  QLineEdit* MaskEditDate;
  QLineEdit* MaskEditHeure;
  QLineEdit* MaskEditSecondes;
  QLineEdit* EditFuseau;
  QLineEdit* EditVille;
  QLineEdit* EditPays;
  QLineEdit* EditLong;
  QLineEdit* EditLat;
  QLineEdit* EditAge;
  QLineEdit* Edit2;  // solar arc
  QPushButton* BtnActualiser;
  QPushButton* BtnClrNow;
  QPushButton* BtnClr2;
  QPushButton* BtnOuvrirAtlasLocal;
  QPushButton* BoutonsPas[13] = {};  // by tag 1..12

  // The returns panel and the events.
  QPushButton* BtnClr1;
  QFrame* PanelRSRL;
  QLineEdit* MaskEditDateStart;
  QCheckBox* CheckBoxPrecession;
  GroupeRadio* RadioGroupRSouRL;
  GroupeRadio* RadioGroupTypeRS;
  QPushButton* Button1;
  QPushButton* BtnExit;
  QLineEdit* EditPrecess;
  QPushButton* SpeedButton6;
  QPushButton* BtnLunaisons;
  QPushButton* BtnClrEclipses;
  GrilleTexte* GridEclipses;
  QPushButton* BtnHorloge;

  // The left-hand panel: harmonic, orbs, layers, pointer texts, the tree.
  QComboBox* ComboBoxHarmonic;
  QComboBox* ComboBoxOrbe;
  QComboBox* ComboBoxOrbeSerre;
  QCheckBox* CheckBoxH8H16;
  GroupeRadio* RadioGroupFrom;
  GroupeRadio* RadioGroupVers;
  QLineEdit* EditPosEcl;
  QLineEdit* EditPosHarm;
  QLineEdit* EditAngle;
  QPushButton* BtnArbre;
  GrilleTexte* GridArbre;
  GroupeRadio* RadioGroupA;
  GroupeRadio* RadioGroupB;
  GroupeRadio* RadioGroupC;
  QLabel* LabelA;
  QLabel* LabelB;
  QLabel* LabelC;
  QPushButton* BtnCalculPointParticulier;
  QPushButton* BtnSuivreMP;
  GroupeRadio* RadioGroupCouleurs;
  QPushButton* SpeedButton5;  // positions grid
  GrilleTexte* GridPositions;
  GrilleTexte* GridMaisons;
  QPushButton* BtnImprimer;
  QPushButton* BtnFormulaire;
  PanneauFormulaire* PanelFormulaire;

  // H = 1: house axes and the karmic Ascendant.
  QFrame* PanelAxe;
  GroupeRadio* RadioGroupAxeNatal;
  GroupeRadio* RadioGroupAxeTransit;
  GroupeRadio* RadioGroupSex;
  QPushButton* BitBtnAscKarmique;
  QPushButton* BitBtnAnnuler;
  QLineEdit* Edit3;
  QLineEdit* Edit4;

  QWidget* Image1;  // the square drawing surface
  QMenu* PopupMenu1;  // its context menu: "Copier"

  // What the window computed last (tests, printing).
  int Harmonique() const { return modele_.Harmonique; }
  double JourJulienTransit() const { return modele_.JourJulienTransit; }
  double AgeAnnees() const { return modele_.AgeAnnees; }
  const FicheClient& FicheSauvee() const { return modele_.natal.FicheSauvee; }
  const ModeleCadran& Modele() const { return modele_; }
  const SelectionCadran& Selection() const { return selection_; }
  const GeometrieCadran& Geometrie() const { return geometrie_; }
  const std::vector<LigneArbre>& Arbre() const { return arbre_; }
  const std::vector<EvenementCadran>& Evenements() const { return evenements_; }
  const QImage& Dessin() const { return dessin_; }

  // The handlers, named after their control and event.
  bool Actualiser();
  void BtnActualiserClick();
  void BtnClrNowClick();
  void BtnPlus1Click(int tag);
  void BtnClr2Click();
  void BtnOuvrirAtlasLocalClick();
  void ComboBoxHarmonicChange();
  void BtnFormulaireClick();
  void BtnImprimerClick();
  void Button1Click();
  void SpeedButton6Click();
  void BtnLunaisonsClick();
  void BtnClrEclipsesClick();
  void GridEclipsesDblClick();
  void BtnHorlogeClick();
  void BtnCalculPointParticulierClick();
  void BtnSuivreMPClick();
  void BitBtnAscKarmiqueClick();
  void BitBtnAnnulerClick();
  void RadioGroupVersClick();
  void RadioGroupCouleursClick();
  void RadioGroupAxeNatalClick();
  void RadioGroupAxeTransitClick();
  void CopierClick();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  QString dossier_;
  // The chart state borrowed when the window opens: each recomputation writes the dial moment
  // into the current record; the birth record comes back, recomputed, when the window closes.
  EmpruntEtat emprunt_{EmpruntEtat::RendreLaFiche, EcartGlyphes65};
  ModeleCadran modele_;
  // The moment of the last return shown: the page calls it a return only while it is shown.
  double jourRetour_ = -1;
  SelectionCadran selection_;
  GeometrieCadran geometrie_;
  std::vector<LigneArbre> arbre_;
  Feuille feuilleArbre_;  // the tree as the grid shows it (title: the tree button's caption)
  std::vector<EvenementCadran> evenements_;
  int ligneEvenement_ = -1;
  std::string marque_;  // the picked event's glyph, drawn beside the pointer
  std::function<OptionsDessin()> options_;
  QString ligneDateHeure_, ligneCoordonnees_;  // of the birth chart, for the printed header
  bool verification_ = false;
  bool echapListe_ = false;  // this Escape closes a drop-down list, not the window  // the focus is moved by a check, not by the user
  QImage dessin_;

  void FormCreate();
  void CreerPanneauGauche(QWidget* panneau);
  void CreerPanneauDroit(QWidget* panneau);
  void Disposer();
  ChampsMoment Champs() const;
  void AfficherChamps(const ChampsMoment& champs);
  void AfficherAge(double age);
  // The controls into the selection at once (the selection otherwise follows them as they change).
  void LireSelection();
  void AfficherSelection();
  void CalculerPositions();
  void DessinerLignesMP();
  OptionsCadran OptionsEcran() const;
  void RemplirArbre();
  void RemplirGridPositions();
  void RemplirGridMaisons();
  void AfficherEvenements();
  void ColorerCouche(int couche);
  QString Lettre(int corps) const;
  // The fields a computation reads (the moment's too when `moment`): false after the message
  // of the first wrong one, the focus on it.
  bool ChampsValides(bool moment = true);
  void Signaler(const FauteChamp& faute);
  bool ChampValide(ChampCadran champ);  // one field, its message without moving the focus
  bool MaskEditDateExit();
  bool DateDebutValide();
  void SourisSurCadran(QMouseEvent* evenement, bool clic);
  void RestaurerFiche();
};

// Rows of the midpoint tree always in view, whatever the window's height.
constexpr int LignesArbreMinimum = 10;

// Orb items: (i + 1) x 5' for ComboBoxOrbe, (i + 1) x 0.1' for ComboBoxOrbeSerre.
QStringList ItemsOrbe();
QStringList ItemsOrbeSerre();

}  // namespace selvane
