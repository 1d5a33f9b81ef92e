#pragma once
#include <functional>
// The main window: the frame of the program. It starts the program, keeps the
// saved radix and dispatches every command.
#include <QMainWindow>
#include <QPointer>
#include <optional>

#include "widgets/Commandes.h"
#include "core/EtatTheme.h"
#include "dessin/Palette.h"
#include "listing/TFormAffSmpl.h"

class QAction;
class QMdiArea;
class QMenu;
class QFrame;
class QListWidget;
class QButtonGroup;

namespace selvane {

class TFormChartList;

class TMainForm : public QMainWindow, public FenetrePrincipale, public HoteFenetres {
  Q_OBJECT
 public:
  // dossier: the program directory (data files, settings, saved charts).
  explicit TMainForm(const QString& dossier = QString(), QWidget* parent = nullptr);
  ~TMainForm() override;

  // FenetrePrincipale
  bool ExecuterTouche(int touche) override;
  void CopierRadix(const LignesRadix& lignes) override;
  void ActiverMenusTheme() override;
  void DefinirFondsSignes(bool actif) override;
  OptionsDessin Options() const override { return options_; }

  QMdiArea* ZoneFenetres() const { return zone_; }
  QAction* Action(const QString& identifiant) const;
  const std::optional<LignesRadix>& StringGrid1() const { return radix_; }

  // HoteFenetres
  QString RepertoireProgramme() const override { return dossier_; }
  QWidget* FenetreHote() override { return this; }
  void OuvrirEnfant(QWidget* fenetre, bool agrandie, bool focus) override;
  QList<QWidget*> Enfants() const override;
  // Opens a listing window on the current chart state.
  void OuvrirListing() override;
  void PlacerListeThemes(const QPoint& coin, bool ouvrir) override;
  void RelireListeThemes() override;
  bool LancerCommande(const QString& identifiant) override;
  // Reopens a saved chart file as the current chart and lists it.
  void RouvrirTheme(const QString& chemin);
  const RegistreCommandes& Commandes() const { return registre_; }

  // ContexteCommandes
  bool TesterNbreFenetres() override;
  bool AuMoinsUnEnfant() const override;
  bool AvecMaisons() const override;
  // Restores the radix, recomputes and freezes the natal chart.
  void Radix() override;
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
  RegistreCommandes registre_;
  OptionsDessin options_;  // "Couleurs" and "Fonds des signes colorés"
  std::optional<LignesRadix> radix_;
  QMenu* menuCalculs_ = nullptr;
  QMenu* menuFenetre_ = nullptr;
  QFrame* PanelSelectionPlanetes = nullptr;
  QListWidget* CheckListBoxPl = nullptr;
  QButtonGroup* RadioGroupJeuPL = nullptr;
  QPointer<TFormAffSmpl> dernierListing_;
  QPointer<TFormChartList> listeThemes_;

  void FormCreate();
  void OuvrirListeThemes();
  void CreerMenus();
  void CreerPanneauPlanetes();
  void PeindreFond();
  void EnregistrerCommandesFichier();
  void EnregistrerCommandesPreferences();
  void EnregistrerCommandesOutils();
  void EnregistrerCommandesFenetres();
  void SelectionPlanetes();
  void Imprimer();
  void FermerFenetres();
  void RemplirMenuFenetre();
  void RedessinerListings();
};

}  // namespace selvane
