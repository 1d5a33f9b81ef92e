#include "widgets/Commandes.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <exception>

#include "widgets/Plateforme.h"

namespace selvane {

void SousGarde(const std::function<void()>& travail) {
  try {
    travail();
  } catch (const std::exception& erreur) {
    // The command stops; the program and its files stay as they were.
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
}

void RegistreCommandes::DeclarerMenus(const QStringList& menus) {
  for (const QString& m : menus)
    if (!ordreMenus_.contains(m)) ordreMenus_ << m;
}

void RegistreCommandes::Enregistrer(Commande commande) {
  const auto menuDe = [this](const Commande& c) {
    const QString haut = c.menu.section('/', 0, 0);
    if (!ordreMenus_.contains(haut)) ordreMenus_ << haut;
    return ordreMenus_.indexOf(haut);
  };
  const std::pair<int, int> cle{menuDe(commande), commande.rangMenu};
  const auto place = std::find_if(commandes_.begin(), commandes_.end(), [&](const Commande& c) {
    return std::pair<int, int>{menuDe(c), c.rangMenu} > cle;
  });
  commandes_.insert(place, std::move(commande));
}

const Commande* RegistreCommandes::ParIdentifiant(const QString& identifiant) const {
  for (const Commande& c : commandes_)
    if (c.identifiant == identifiant) return &c;
  return nullptr;
}

const Commande* RegistreCommandes::ParTouche(int code) const {
  for (const Commande& c : commandes_)
    for (const ToucheCommande& t : c.touches)
      if (t.code == code) return &c;
  return nullptr;
}

void RegistreCommandes::Executer(const Commande& commande) {
  SousGarde([&] {
    if ((commande.conditions & LimiteFenetres) && !contexte_.TesterNbreFenetres()) return;
    if ((commande.conditions & EnfantRequis) && !contexte_.AuMoinsUnEnfant()) return;
    if ((commande.conditions & MaisonsRequises) && !contexte_.AvecMaisons()) return;
    if (commande.conditions & AvecRadix) contexte_.Radix();
    if (commande.action) commande.action();
  });
}

bool RegistreCommandes::ExecuterTouche(int code) {
  const Commande* c = ParTouche(code);
  if (!c) return false;
  Executer(*c);
  return true;
}

void RegistreCommandes::CreerMenus(QMenuBar* barre, QWidget* proprietaire) {
  for (std::size_t i = 0; i < commandes_.size(); ++i) {
    const Commande& c = commandes_[i];
    QMenu*& menu = menus_[c.menu];
    bool separateur = c.separateurAvant;
    if (!menu) {
      const int coupure = c.menu.lastIndexOf('/');
      QMenu* parent = coupure < 0 ? nullptr : Menu(c.menu.left(coupure));
      if (!parent) {
        menu = barre->addMenu(c.menu.mid(coupure + 1));
      } else {
        // The first command of a submenu puts its separator before the submenu.
        if (separateur) parent->addSeparator();
        separateur = false;
        menu = parent->addMenu(c.menu.mid(coupure + 1));
      }
    }
    if (separateur) menu->addSeparator();
    auto* action = new QAction(c.titre, proprietaire);
    action->setObjectName(c.identifiant);
    action->setCheckable(c.cochable);
    action->setChecked(c.coche);
    action->setVisible(c.visible);
    action->setEnabled(c.actif);
    // By identifier: a command registered later may take a place before this one.
    QObject::connect(action, &QAction::triggered, proprietaire, [this, id = c.identifiant] {
      if (const Commande* commande = ParIdentifiant(id)) Executer(*commande);
    });
    menu->addAction(action);
    actions_[c.identifiant] = action;
  }
}

void RegistreCommandes::CreerBarre(QToolBar* barre) const {
  std::vector<const Commande*> boutons;
  for (const Commande& c : commandes_)
    if (c.rangBarre > 0) boutons.push_back(&c);
  std::stable_sort(boutons.begin(), boutons.end(),
                   [](const Commande* a, const Commande* b) { return a->rangBarre < b->rangBarre; });
  for (const Commande* c : boutons) {
    QAction* menu = Action(c->identifiant);
    QAction* bouton = barre->addAction(QString(c->titre).remove('&'));
    bouton->setToolTip(c->bulle);
    if (menu) QObject::connect(bouton, &QAction::triggered, menu, &QAction::trigger);
  }
}

QAction* RegistreCommandes::Action(const QString& identifiant) const {
  const auto i = actions_.find(identifiant);
  return i == actions_.end() ? nullptr : i->second;
}

QMenu* RegistreCommandes::Menu(const QString& chemin) const {
  const auto i = menus_.find(chemin);
  return i == menus_.end() ? nullptr : i->second;
}

std::vector<QAction*> RegistreCommandes::ActionsDuMenu(const QString& chemin) const {
  std::vector<QAction*> r;
  for (const Commande& c : commandes_) {
    if (c.menu != chemin) continue;
    if (c.separateurAvant) r.push_back(nullptr);
    r.push_back(Action(c.identifiant));
  }
  return r;
}

QString RegistreCommandes::LignesRaccourcis() const {
  std::vector<ToucheCommande> fonctions, lettres;
  for (const Commande& c : commandes_)
    for (const ToucheCommande& t : c.touches) {
      if (t.fonction.isEmpty()) continue;
      (t.code >= Qt::Key_A && t.code <= Qt::Key_Z ? lettres : fonctions).push_back(t);
    }
  const auto ordre = [](const ToucheCommande& a, const ToucheCommande& b) { return a.code < b.code; };
  std::stable_sort(fonctions.begin(), fonctions.end(), ordre);
  std::stable_sort(lettres.begin(), lettres.end(), ordre);
  QString texte;
  for (const ToucheCommande& t : fonctions) texte += QKeySequence(t.code).toString() + "\t" + t.fonction + "\n";
  if (!fonctions.empty() && !lettres.empty()) texte += "\n";
  for (const ToucheCommande& t : lettres) texte += QKeySequence(t.code).toString().toLower() + "\t" + t.fonction + "\n";
  return texte;
}

}  // namespace selvane
