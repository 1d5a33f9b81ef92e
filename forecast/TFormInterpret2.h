#pragma once
// The interpretation window: the planetary pictures of the natal chart or of a comparison
// chart on the 22°30' circle, each with its text from the interpretation file, and the direct
// lookup of one midpoint or picture.
#include <QWidget>
#include <vector>

#include "birthdata/records/FicheClient.h"
#include "core/EmpruntEtat.h"
#include "forecast/PanneauCalcul.h"
#include "forecast/RechercheInterpretation.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace selvane {

class TFormInterpret2 : public QWidget {
  Q_OBJECT
 public:
  // Opens on the current chart state, whose natal chart is frozen (columns 5 and 6).
  TFormInterpret2(const QString& dossier, ListeThemesSauves liste, QWidget* parent = nullptr);

  // The window's text, one line per line (what Ctrl+C copies).
  QString TexteAffiche() const;

  PanneauCalcul* Panneau;
  QButtonGroup* RadioGroupFrom;
  QGroupBox* GroupeFrom;
  QButtonGroup* RadioGroupVers;
  QPushButton* BtnChoisirMP;
  QComboBox* ComboBoxOrbe;
  QCheckBox* CheckBoxIndirects;
  QPushButton* BtnInterpretation;
  QPushButton* SpeedButton1;
  QProgressBar* ProgressBar1;
  QPlainTextEdit* RichEdit1;
  // Points panel.
  QFrame* PanelPoints;
  QListWidget* CheckListBoxPoints;
  QPushButton* BtnToutSelectionner;
  QPushButton* BtnPointsOk;
  QPushButton* BtnPointsAnnuler;
  // Target and source midpoint panels: two lists, "Ajouter", the chosen list, "Effacer", "Ok",
  // "Annuler".
  struct PanneauMiPoints {
    QFrame* panneau;
    QComboBox* premier;
    QComboBox* second;
    QListWidget* liste;
    QPushButton* ajouter;
    QPushButton* effacer;
    QPushButton* ok;
    QPushButton* annuler;
    std::vector<PaireCorps> paires;
  };
  PanneauMiPoints PanelVers;
  PanneauMiPoints PanelSource;
  // Direct lookup panel.
  QFrame* PanelRecherche;
  QComboBox* ComboPremier;
  QComboBox* ComboSecond;
  QComboBox* ComboTroisieme;
  QPushButton* BtnRecherche;
  QPushButton* BtnClr9;

  const EnsemblePoints& PointsMobiles() const { return pointsMobiles_; }
  int ModeDe() const { return modeDe_; }

 protected:
  bool eventFilter(QObject* objet, QEvent* evenement) override;
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;

 private:
  void FormCreate();
  void RadioGroupTypeClick(int index);
  void BtnCalculRSRLEtcClick();
  void RadioGroupFromClick(int index);
  void RadioGroupVersClick(int index);
  void BtnChoisirMPClick();
  void BtnInterpretationClick();
  void SpeedButton1Click();
  void BtnRechercheClick();
  void BtnClr9Click();
  void RichEdit1KeyDown();
  void BtnToutSelectionnerClick();
  void BtnPointsOkClick();
  void FermerPanneauPoints();
  PanneauMiPoints CreerPanneauMiPoints(const char* titre);
  void AjouterMiPoint(PanneauMiPoints& p);
  void EffacerMiPoints(PanneauMiPoints& p);
  void Afficher(const std::vector<std::string>& lignes);
  OuvrirInterpretation OuvrirTextes() const;

  QString dossier_;
  // The chart state borrowed at opening; the natal record comes back, recomputed, at closing.
  EmpruntEtat emprunt_{EmpruntEtat::RendreLaFiche, EcartGlyphes65};
  std::string ligneDateNatale_, coordonneesNatales_, villeNatale_;
  int modeDe_ = DeSolLun;
  EnsemblePoints pointsMobiles_;
  EnsemblePoints ciblesA_, ciblesB_;
};

}  // namespace selvane
