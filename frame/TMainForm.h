#pragma once
// The main window: the frame of the program. It starts the program, keeps the
// saved radix and dispatches every command.
#include <QMainWindow>
#include <QPointer>
#include <optional>

#include "EtatTheme.h"
#include "TFormAffSmpl.h"

class QAction;
class QMdiArea;
class QMenu;
class QFrame;
class QListWidget;
class QButtonGroup;

namespace selvane {

class TFormChartList;

class TMainForm : public QMainWindow, public FenetrePrincipale {
  Q_OBJECT
 public:
  // dossier: the program directory (data files, settings, saved charts).
  explicit TMainForm(const QString& dossier = QString(), QWidget* parent = nullptr);
  ~TMainForm() override;

  // FenetrePrincipale
  void ExecuterTouche(int touche) override;
  void CopierRadix(const LignesRadix& lignes) override;
  void ActiverMenusTheme() override;
  void DefinirFondsSignes(bool actif) override;

  QMdiArea* ZoneFenetres() const { return zone_; }
  QAction* Action(const QString& identifiant) const;
  const std::optional<LignesRadix>& StringGrid1() const { return radix_; }
  QString RepertoireProgramme() const { return dossier_; }

  // Opens a listing window on the current chart state.
  TFormAffSmpl* OuvrirListing();
  // Reopens a saved chart file as the current chart and lists it.
  void RouvrirTheme(const QString& chemin);
  bool TesterNbreFenetres();
  // Restores the radix, recomputes and freezes the natal chart.
  void Radix();
  QFrame* PanneauPlanetes() const { return PanelSelectionPlanetes; }
  QListWidget* ListePlanetes() const { return CheckListBoxPl; }
  void ValiderSelectionPlanetes();
  void ChoisirJeu(int bouton);  // 0 "10 planètes", 1 "Tout"

 protected:
  void resizeEvent(QResizeEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;

 private:
  QString dossier_;
  QMdiArea* zone_;
  std::optional<LignesRadix> radix_;
  QMenu* menuCalculs_ = nullptr;
  QMenu* menuFenetre_ = nullptr;
  QFrame* PanelSelectionPlanetes = nullptr;
  QListWidget* CheckListBoxPl = nullptr;
  QButtonGroup* RadioGroupJeuPL = nullptr;
  QPointer<TFormAffSmpl> dernierListing_;
  QPointer<TFormChartList> listeThemes_;

  void FormCreate();
  void CreerMenus();
  void CreerPanneauPlanetes();
  void PeindreFond();
  bool AuMoinsUnEnfant() const;
  void PasEncoreDisponible();
  void Technique(bool enfantRequis, bool maisonsRequises);
  void SelectionPlanetes();
  void Imprimer();
  void FermerFenetres();
  void RemplirMenuFenetre();
  void RedessinerListings();
};

}  // namespace selvane
