#pragma once
// The graphic ephemeris window: the controls redraw at once; the picture shows the model the
// window computed last, the side list its crossings by date, following the mouse; a
// double-click on a crossing hands its moment to the dial; printed on an A4 landscape page and
// exported to PDF, PNG and CSV.
#include <QImage>
#include <QString>
#include <functional>

#include "dessin/Palette.h"
#include "techniques/EphemGraphique.h"
#include "techniques/FenetreTechnique.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace selvane {

class ZoneEphemGraphique;

class TFormEphemGraphique : public FenetreTechnique {
  Q_OBJECT
 public:
  // ouvrirCadran: opens the dial at a Universal Time moment (the frame's), may be empty;
  // impression: the frame's print choices (colour or black).
  explicit TFormEphemGraphique(std::function<void(double jourTU)> ouvrirCadran = {}, OptionsDessin impression = {},
                               QWidget* parent = nullptr);

  void Calculer();
  void BtnImprimerClick();
  // PDF, PNG or CSV by the file's extension; false after the message.
  bool Exporter(const QString& chemin);
  void ChoisirCroisement(int index);  // -1: none
  void OuvrirCadranSur(int index);
  const EphemGraphique& Graphe() const { return graphe_; }
  int CroisementChoisi() const { return choisi_; }
  QImage Image(QSize taille, bool impression) const;

 private:
  friend class ZoneEphemGraphique;
  std::function<void(double)> ouvrirCadran_;
  OptionsDessin impression_;
  NatalGraphe natal_;
  std::bitset<256> jeu_;
  EphemGraphique graphe_;
  int choisi_ = -1;
  QString nom_;

  QLineEdit* EditDebut;
  QSpinBox* SpinMois;
  QComboBox* ComboModule;
  QComboBox* ComboCibles;
  QCheckBox* CheckArc;
  QListWidget* ListeCorps;
  QPushButton* BtnImprimer;
  QPushButton* BtnExporter;
  QTableWidget* GrilleCroisements;
  ZoneEphemGraphique* Zone;

  void RemplirListe();
};

}  // namespace selvane
