#pragma once
// The command registry: each subsystem registers its commands once (identifier,
// caption, keys, hint, preconditions, action); the menus, the toolbar, the shortcut
// list and the keys forwarded by child windows all come from it.
#include <QString>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace selvane {

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

// Runs a piece of work so that a file or conversion error is shown in the error box and
// the program returns to its event loop: no exception crosses a signal-slot boundary.
void SousGarde(const std::function<void()>& travail);

class RegistreCommandes {
 public:
  explicit RegistreCommandes(ContexteCommandes& contexte) : contexte_(contexte) {}

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
  std::map<QString, QAction*> actions_;
  std::map<QString, QMenu*> menus_;
};

}  // namespace selvane
