#pragma once
// "Tables prévisionnelles": the midpoint table of the natal chart or of a comparison chart
// (return, solar arc, transits) reduced to a harmonic, with a selection of points and
// midpoints, a highlighted body, copy and print.
#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "core/EmpruntEtat.h"
#include "dessin/Document.h"
#include "forecast/DessinTableMiPoints.h"
#include "forecast/PanneauCalcul.h"
#include "forecast/TableMiPoints.h"

class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QAction;

namespace selvane {

class TFormInterpret : public QWidget {
  Q_OBJECT
 public:
  // Opens on the current chart (the natal chart frozen in columns 5 and 6).
  TFormInterpret(const QString& dossier, ListeThemesSauves liste, QWidget* parent = nullptr);
  ~TFormInterpret() override;

  // Display order of the choice lists: Aries point, MC, Ascendant, Sun, Moon, node, Mercury .. Poseidon.
  static const int OrdreAffichage[22];

  PanneauCalcul* Calcul;
  QPushButton* BtnMiPoints;          // "Actualiser la table"
  QComboBox* ComboBoxHarmonic;
  QListWidget* RadioSelectBrillance;
  QPushButton* BtnOpenPanelSelection;
  QPushButton* BtnClr10;             // "Manuel figures planétaires"
  QLabel* Image1;
  QScrollArea* Defilement;
  QMenuBar* Menu;
  QAction* Fermer1;
  QAction* Copiertableau1;
  QAction* Imprimer1;
  QAction* Exporterletexte1;

  QFrame* PanelSelection = nullptr;
  QComboBox* ListeA;
  QComboBox* ListeB;
  QLabel* LabelInsererMP;
  QTableWidget* GridSelection;
  QLabel* LabelNombre;
  QPushButton* BtnAjouter;
  QPushButton* BtnInsererMP;
  QPushButton* BtnInsererColonneA;
  QPushButton* BtnEffacer;
  QPushButton* BtnValider;
  QPushButton* BtnAnnuler;
  QPushButton* BtnTous;

  QFrame* PanelManuel;
  QLabel* ImageLivre;

  // What the window drew last, kept so a resize or a print draws the same table.
  const std::vector<LigneTableMiPoints>& Lignes() const { return lignes_; }
  const QString& TitreTable() const { return titre_; }
  int CorpsEnSurbrillance() const { return corpsEnSurbrillance_; }
  bool ModeSelection() const { return modeSelection_; }
  const std::vector<EntreeSelection>& Selection() const { return selection_; }
  const QImage& Image() const { return image_; }
  const GeometrieTable& Geometrie() const { return geometrie_; }

  void Fermer();  // "Fermer" and Escape
  // How the frame prints now ("Couleurs"); colour printing when none is given.
  void DefinirOptions(std::function<OptionsDessin()> options) { options_ = std::move(options); }
  void BtnCalculRSRLEtcClick();
  void BtnMiPointsClick();
  void Imprimer1Click();
  void Copiertableau1Click();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;
  void showEvent(QShowEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  void CreerPanneauDroit(QWidget* droite);
  void CreerPanneauSelection();
  void CreerPanneauManuel();
  void RadioGroupTypeClick(int index);
  void CalculerTable();
  void Dessiner();
  void AjouterEntree(int a, int b);
  void AfficherNombre();
  void ViderSelection();
  int Harmonique() const;
  QString NomAffiche() const;
  // The stamp of the table shown (the natal table: the birth's zone and moment).
  ContexteCachet ContexteTable() const;

  QString dossier_;
  // The chart state borrowed at opening: the techniques compute their charts into it, and the
  // birth record comes back, recomputed, when the window closes.
  EmpruntEtat emprunt_{EmpruntEtat::RendreLaFiche, EcartGlyphes65};
  const FicheClient& ficheNatale_ = emprunt_.Fiche();
  std::vector<LigneTableMiPoints> lignes_;
  std::vector<EntreeSelection> selection_;
  QString titre_;
  int corpsEnSurbrillance_ = 0;
  bool modeSelection_ = false;
  QImage image_;
  GeometrieTable geometrie_;
  QWidget* droite_ = nullptr;
  bool montre_ = false;
  std::function<OptionsDessin()> options_;
};

}  // namespace selvane
