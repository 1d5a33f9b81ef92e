#pragma once
// The command registry: each subsystem registers its commands once (identifier,
// caption, keys, hint, preconditions, action); the menus, the toolbar, the shortcut
// list and the keys forwarded by child windows all come from it.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QMenuBar;
class QToolBar;
class QWidget;

namespace selvane {

struct OptionsDessin;  // dessin/Palette.h, for the folders that draw

// What a command needs before it runs; tested in this order, and a command whose
// condition fails does nothing (the window limit shows its own message).
enum ConditionCommande : unsigned {
  SansCondition = 0,
  LimiteFenetres = 1,    // at most 10 child windows open
  EnfantRequis = 2,      // at least one child window open
  MaisonsRequises = 4,   // a house system is chosen
  AvecRadix = 8,         // restore the radix, recompute and freeze the natal chart first
};

// A key of the chart windows and its line in the shortcut list (empty: not listed).
struct ToucheCommande {
  int code;
  QString fonction;
};

struct Commande {
  Commande(QString identifiant_, QString titre_, QString menu_, bool separateurAvant_ = false,
           std::vector<ToucheCommande> touches_ = {}, unsigned conditions_ = 0, std::function<void()> action_ = {})
      : identifiant(std::move(identifiant_)), titre(std::move(titre_)), menu(std::move(menu_)),
        separateurAvant(separateurAvant_), touches(std::move(touches_)), conditions(conditions_),
        action(std::move(action_)) {}

  QString identifiant;  // object name of the menu item
  QString titre;        // menu caption
  QString menu;         // "&Fichier", or "&Fichier/Configuration des impressions" for a submenu
  bool separateurAvant = false;  // first of a submenu: the separator goes before the submenu
  std::vector<ToucheCommande> touches;
  unsigned conditions = SansCondition;
  std::function<void()> action;
  QString bulle;         // toolbar hint
  int rangBarre = 0;     // place on the toolbar, from 1; 0: no button
  // Place in its top-level menu, submenus included (ascending; equal places keep the order of
  // registration): each folder registers on its own and the menus still read in one order.
  int rangMenu = 0;
  bool cochable = false;
  bool coche = false;
  bool visible = true;
  bool actif = true;
};

// What the preconditions ask of the window that holds the commands.
class ContexteCommandes {
 public:
  virtual ~ContexteCommandes() = default;
  virtual bool TesterNbreFenetres() = 0;
  virtual bool AuMoinsUnEnfant() const = 0;
  virtual bool AvecMaisons() const = 0;
  virtual void Radix() = 0;
};

// What the commands of a folder ask of the main window, beyond the preconditions: its folder,
// its work area, the listing, the saved-charts list, its other commands. A folder registers
// its commands from one function of its own given this; the main window knows no folder.
class HoteFenetres : public ContexteCommandes {
 public:
  virtual QString RepertoireProgramme() const = 0;
  // The owner of the dialogs and of the windows outside the work area.
  virtual QWidget* FenetreHote() = 0;
  // A child window of the work area, maximised or at its own size, made active; it frees
  // itself with its frame when closed. `focus`: the window takes the keyboard (false for one
  // that puts it on a field of its own).
  virtual void OuvrirEnfant(QWidget* fenetre, bool agrandie, bool focus) = 0;
  // The open child windows, in the order of the work area's list.
  virtual QList<QWidget*> Enfants() const = 0;
  // A chart listing window on the current chart state.
  virtual void OuvrirListing() = 0;
  // How the charts are drawn and printed now ("Couleurs", "Fonds des signes colorés").
  virtual OptionsDessin Options() const = 0;
  // The saved-charts list, its bottom-right corner at `coin` (global), opened first when
  // `ouvrir` and it is closed; and asked to reread its folder.
  virtual void PlacerListeThemes(const QPoint& coin, bool ouvrir) = 0;
  virtual void RelireListeThemes() = 0;
  // Runs a registered command as its menu item does; false when there is none or its item is
  // disabled.
  virtual bool LancerCommande(const QString& identifiant) = 0;
};

// Runs a piece of work so that a file or conversion error is shown in the error box and
// the program returns to its event loop: no exception crosses a signal-slot boundary.
void SousGarde(const std::function<void()>& travail);

class RegistreCommandes {
 public:
  explicit RegistreCommandes(ContexteCommandes& contexte) : contexte_(contexte) {}

  // The top-level menus in the order of the bar (those not named follow in the order they
  // first appear); call before the folders register.
  void DeclarerMenus(const QStringList& menus);
  // In its menu's place, then by rangMenu.
  void Enregistrer(Commande commande);
  const std::vector<Commande>& Liste() const { return commandes_; }
  const Commande* ParIdentifiant(const QString& identifiant) const;
  const Commande* ParTouche(int code) const;

  // Preconditions, then the action, under the guard.
  void Executer(const Commande& commande);
  // A key forwarded by a child window; false when no command has it.
  bool ExecuterTouche(int code);

  // One action per command (children of `proprietaire`, named by their identifiers),
  // placed in the menus of the bar in the order of registration.
  void CreerMenus(QMenuBar* barre, QWidget* proprietaire);
  // The toolbar buttons, by their rank; each triggers the menu item.
  void CreerBarre(QToolBar* barre) const;
  QAction* Action(const QString& identifiant) const;
  QMenu* Menu(const QString& chemin) const;
  // The actions of one menu, separators as null entries (for a menu rebuilt on demand).
  std::vector<QAction*> ActionsDuMenu(const QString& chemin) const;

  // "F1\tFichier/Nouveau" ...: function keys first, then the letters in lower case, in order.
  QString LignesRaccourcis() const;

 private:
  ContexteCommandes& contexte_;
  std::vector<Commande> commandes_;
  QStringList ordreMenus_;
  std::map<QString, QAction*> actions_;
  std::map<QString, QMenu*> menus_;
};

}  // namespace selvane
