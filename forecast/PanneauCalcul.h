#pragma once
// The "Calcul" controls the forecast windows share: technique, date, time, place, precession
// option and the button, with the field checks, "Now" and the atlas. The window embeds the
// panel and calls BtnCalculRSRLEtcClick from its own "Calcul" handler.
#include <QGroupBox>
#include <QRect>
#include <QString>
#include <functional>

#include "forecast/Retours.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace selvane {

// The saved-charts list of the main window, as the forecast windows need it.
struct ListeThemesSauves {
  // Places the list with its bottom-right corner at `coin` (global coordinates); opens it
  // first when `ouvrir` and it is closed.
  std::function<void(const QPoint& coin, bool ouvrir)> placer;
  std::function<void()> relire;
};

class PanneauCalcul : public QGroupBox {
  Q_OBJECT
 public:
  PanneauCalcul(const QString& dossier, ListeThemesSauves liste, QWidget* parent = nullptr);

  // Keeps the natal state of the chart state (frozen natal columns) and fills the fields:
  // today's date, "12h00", the place of the current record.
  void Ouvrir();

  TechniquePrevision Technique() const;
  void ChoisirTechnique(TechniquePrevision t);

  // Runs the chosen technique: true when it went through (the window then shows its next
  // button), false for an abandoned lunar return or an error already shown.
  bool BtnCalculRSRLEtcClick();

  // Where the saved-charts list goes: the bottom-right of this coin, global coordinates.
  void DefinirCoinListe(std::function<QPoint()> coin) { coinListe_ = std::move(coin); }
  void PlacerListe(bool ouvrir);

  // The window state of the last command.
  EtatPrevision& Prevision() { return etat_; }
  const EtatPrevision& Prevision() const { return etat_; }
  const ResultatPrevision& Resultat() const { return resultat_; }

  // The field texts in the form the computations read (Windows-1252).
  ChampsPrevision Champs() const;

  QButtonGroup* RadioGroupType;
  QLineEdit* MaskEditDate;
  QLineEdit* MaskEditHeure;
  QLineEdit* EditVille;
  QLineEdit* EditLat;
  QLineEdit* EditLong;
  QCheckBox* CheckBoxPrecessIncluded;
  QLineEdit* EditPrecess;
  QPushButton* BtnCalculRSRLEtc;
  QPushButton* BtnClrNow;
  QPushButton* BtnOuvrirAtlasLocal;

 signals:
  void TechniqueChoisie(int index);
  void CalculDemande();

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  // The fields the technique reads, in order: false after the first one's message, the focus
  // on it.
  bool ChampsValides(TechniquePrevision t);
  bool MaskEditDateExit();
  bool MaskEditHeureExit();
  void BtnClrNowClick();
  void BtnOuvrirAtlasLocalClick();

  QString dossier_;
  ListeThemesSauves liste_;
  std::function<QPoint()> coinListe_;
  EtatPrevision etat_;
  ResultatPrevision resultat_;
  bool verification_ = false;
};

}  // namespace selvane
