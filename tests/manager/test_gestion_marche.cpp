// GestSelvane driven by random sequences of what a user does (menus, buttons, mouse, keys,
// answers to every question), each from a fixed seed, against a plain reference of what the
// table and every birth file must hold. After every action the table is compared with the
// reference; after every save, close and quit, every file on disk is.
//
// SELVANE_MARCHE_SEQUENCES and SELVANE_MARCHE_GRAINE set the number of sequences and the first
// seed (scripts/marche_gestion.sh runs a long walk).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <random>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/FichierNaissance.h"
#include "manager/TMainForm.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "widgets/Texte1252.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

using Fiches = std::vector<FicheClient>;

// Names that collide on purpose: same key under other case and punctuation.
const char* const Noms[] = {"ALAIN,Luc",   "BERNARD,Marie", "DUBOIS,Marc", "Dubois,Marc", "DURAND,Anne",
                            "MARTIN,Paul", "MARTIN, Paul",  "PETIT,Lea",   "ZOLA,Emile",  "ROUX,Ines"};

bool Vide(const FicheClient& f) { return f.Nom.Vide() && f.SortOrder.Vide(); }

std::string SansBlancs(std::string t) {
  while (!t.empty() && t.back() == ' ') t.pop_back();
  while (!t.empty() && t.front() == ' ') t.erase(0, 1);
  return t;
}

// The records a save writes: no empty row, no blanks around the free texts.
Fiches Records(const Fiches& t) {
  Fiches r;
  for (FicheClient f : t) {
    if (Vide(f)) continue;
    f.Nom = SansBlancs(f.Nom.Chaine());
    f.Ville = SansBlancs(f.Ville.Chaine());
    f.Commentaire = SansBlancs(f.Commentaire.Chaine());
    f.SortOrder = SansBlancs(f.SortOrder.Chaine());
    r.push_back(f);
  }
  return r;
}

void TrierCles(Fiches& t) {
  std::stable_sort(t.begin(), t.end(), [](const FicheClient& a, const FicheClient& b) {
    return ComparerClesSansCasse(a.SortOrder.Texte(), b.SortOrder.Texte()) < 0;
  });
}

bool Egales(const FicheClient& a, const FicheClient& b) { return a == b; }

std::string Decrire(const Fiches& t) {
  std::string s;
  for (const FicheClient& f : t) s += "[" + f.Nom.Chaine() + "|" + f.Commentaire.Chaine() + "]";
  return s;
}

// What the user should see and what the disk should hold, kept with plain vector operations.
struct Reference {
  std::map<std::string, Fiches> disque;
  Fiches table, instantane;
  std::string fichier;
  bool ouvert = false;
  int courant = -1;
  bool Modifie() const {
    const Fiches r = Records(table);
    return r.size() != instantane.size() || !std::equal(r.begin(), r.end(), instantane.begin(), Egales);
  }
  void Vider() {
    table.clear();
    instantane.clear();
    fichier.clear();
    courant = -1;
  }
};

class Marche {
 public:
  Marche(const fs::path& dossier, PlateformeTemoin& temoin, unsigned graine)
      : dossier_(dossier), temoin_(temoin), hasard_(graine) {
    for (const char* nom : {"A.thz", "B.thz"}) {
      Fiches f;
      const int n = Entre(0, 4);
      for (int i = 0; i < n; ++i) f.push_back(Personne());
      RecrireFichierNaissance(dossier_ / nom, f);
      ref_.disque[nom] = f;
    }
    Nouvelle();
  }
  ~Marche() { delete fenetre_; }

  // One random action; false when the window went away by an unexpected way.
  void Agir() {
    ++actions_;
    temoin_.messages.clear();
    temoin_.reponsesQuestions.clear();
    temoin_.reponsesTroisVoies.clear();
    temoin_.reponsesSaisies.clear();
    selection_ = false;
    const int action = Entre(0, 15);
    journal_ += " " + std::to_string(action);
    SCOPED_TRACE("actions" + journal_);
    switch (action) {
      case 0: case 1: Ouvrir(); break;
      case 2: Selectionner(); selection_ = true; break;
      case 3: Fleches(); selection_ = true; break;
      case 4: selection_ = Rechercher(); break;
      case 5: case 6: TransfererCommentaire(); break;
      case 7: TransfererPersonne(); break;
      case 8: TransfererDateFausse(); break;
      case 9: EditerCellule(); break;
      case 10: AjouterOuInserer(); break;
      case 11: Supprimer(); break;
      case 12: Menu("Trier fichier"); if (ref_.ouvert) TrierCles(ref_.table); break;
      case 13: Sauver(); break;
      case 14: Fermer(); break;
      case 15: Entre(0, 2) == 0 ? Quitter() : Fusionner(); break;
    }
    VerifierTable();
  }
  long Actions() const { return actions_; }

 private:
  fs::path dossier_;
  PlateformeTemoin& temoin_;
  std::mt19937 hasard_;
  Reference ref_;
  gestion::TMainForm* fenetre_ = nullptr;
  long actions_ = 0;
  bool prerempli_ = false;
  std::string journal_;  // the actions so far, for the failure message
  bool selection_ = false;  // the last action selected a row: the panel must show it
  int fusions_ = 0, commentaires_ = 0;

  int Entre(int a, int b) { return std::uniform_int_distribution<int>(a, b)(hasard_); }
  Reponse UneReponse() {
    const Reponse r[] = {Reponse::Oui, Reponse::Non, Reponse::Annuler};
    return r[Entre(0, 2)];
  }
  FicheClient Personne() {
    FicheDeTest f(Noms[Entre(0, 9)]);
    f.Commentaire(("c" + std::to_string(Entre(0, 99))).c_str());
    return f.AvecCle();
  }

  void Nouvelle() {
    delete fenetre_;
    fenetre_ = new gestion::TMainForm(QString::fromStdString(dossier_.string()));
    fenetre_->resize(1200, 700);
    fenetre_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre_));
    ref_.Vider();
    ref_.ouvert = false;
  }

  void Menu(const char* texte) {
    for (QAction* a : fenetre_->findChildren<QAction*>())
      if (a->text() == QString::fromUtf8(texte)) return a->trigger();
    ADD_FAILURE() << "no command " << texte;
  }
  bool Cliquer(const char* texte) {
    for (QPushButton* b : fenetre_->findChildren<QPushButton*>())
      if (b->text() == QString::fromUtf8(texte) && b->isVisible()) {
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
      }
    return false;
  }
  void CliquerLigne(int ligne) {
    gestion::VueFiches* t = fenetre_->Table();
    const QModelIndex i = t->model()->index(ligne, 1);
    t->scrollTo(i);
    QCoreApplication::processEvents();  // laid out as the user sees it before clicking
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(i).center());
    ref_.courant = ligne;
  }
  // A row to act on, clicked first; -1 without rows.
  int UneLigne() {
    if (ref_.table.empty()) return -1;
    const int l = Entre(0, static_cast<int>(ref_.table.size()) - 1);
    CliquerLigne(l);
    return l;
  }

  // Saving what the table holds, as "Oui" to a question does: to its file, or a merge to a new name.
  void SauverReference() {
    if (ref_.fichier.empty()) return SauverSous("F" + std::to_string(fusions_) + ".thz");
    Fiches r = Records(ref_.table);
    TrierCles(r);
    ref_.disque[ref_.fichier] = r;
    ref_.instantane = r;
    TrierCles(ref_.table);
  }
  // "Enregistrer le fichier de fusion ": the rows under a new name, then nothing open.
  void SauverSous(const std::string& nom) {
    Fiches r = Records(ref_.table);
    TrierCles(r);
    ref_.disque[nom] = r;
    ref_.Vider();
    ref_.ouvert = false;
  }
  // Scripts the answer to an "Enregistrer les modifications ?" about to be asked; false for Annuler.
  bool Repondre() {
    if (!ref_.Modifie()) return true;
    const Reponse r = UneReponse();
    temoin_.reponsesTroisVoies << r;
    if (r == Reponse::Annuler) return false;
    if (r == Reponse::Oui) {
      if (ref_.fichier.empty()) temoin_.reponsesSaisies << QString("F%1").arg(++fusions_);
      SauverReference();
    }
    return true;
  }

  void Ouvrir() {
    Menu("Ouvrir fichier de naissances");
    if (ref_.ouvert) return;  // "Fermez d'abord le fichier en cours"
    ref_.ouvert = true;
    auto it = ref_.disque.begin();
    std::advance(it, Entre(0, static_cast<int>(ref_.disque.size()) - 1));
    const std::string nom = it->first;
    if (!Repondre()) {
      DoubleCliquer(nom);
      return;
    }
    DoubleCliquer(nom);
    ref_.table = ref_.instantane = ref_.disque[nom];
    ref_.fichier = nom;
    ref_.ouvert = true;
    ref_.courant = ref_.table.empty() ? -1 : 0;
    VerifierDisque();
  }
  void DoubleCliquer(const std::string& nom) {
    QListWidget* liste = fenetre_->ListeFichiers();
    const auto trouves = liste->findItems(QString::fromStdString(nom), Qt::MatchExactly);
    ASSERT_FALSE(trouves.isEmpty()) << nom;
    const QPoint ou = liste->visualItemRect(trouves[0]).center();
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, ou);
    QTest::mouseDClick(liste->viewport(), Qt::LeftButton, {}, ou);
  }

  void Selectionner() { UneLigne(); }
  void Fleches() {
    if (UneLigne() < 0) return;
    const int n = static_cast<int>(ref_.table.size());
    for (int k = Entre(1, 3); k > 0; --k) {
      const bool bas = Entre(0, 1) == 1;
      QTest::keyClick(fenetre_->Table(), bas ? Qt::Key_Down : Qt::Key_Up);
      ref_.courant = std::clamp(ref_.courant + (bas ? 1 : -1), 0, n - 1);
    }
  }
  bool Rechercher() {
    const QString textes[] = {"dub", "MAR", "z", "  pe", "xyz", "a"};
    const QString t = textes[Entre(0, 5)];
    QLineEdit* r = fenetre_->Recherche();
    QTest::mouseClick(r, Qt::LeftButton);
    QTest::keySequence(r, QKeySequence::SelectAll);
    QTest::keyClick(r, Qt::Key_Delete);
    QTest::keyClicks(r, t);
    if (!ref_.ouvert || ref_.table.empty()) return false;
    const ChaineCourte<30> cle = CleDeTri(Octets(t.trimmed()));
    int l = static_cast<int>(ref_.table.size()) - 1;
    for (int i = 0; i < static_cast<int>(ref_.table.size()); ++i)
      if (ComparerClesSansCasse(ref_.table[i].SortOrder.Texte().substr(0, cle.Longueur()), cle.Texte()) == 0) {
        l = i;
        break;
      }
    ref_.courant = l;
    return true;
  }

  void TransfererCommentaire() {
    const int l = UneLigne();
    if (l < 0) return;
    const std::string c = "note" + std::to_string(++commentaires_);
    Remplir(fenetre_->Champ(8), QString::fromStdString(c));
    Cliquer(" Transférer les modifications");
    FicheClient& f = ref_.table[l];
    if (Vide(f) || f.Date.Vide()) return;  // an empty or new row: its date is refused
    f.Commentaire = c;
  }
  void TransfererPersonne() {
    const int l = UneLigne();
    if (l < 0) return;
    const FicheClient p = Personne();
    const QString textes[8] = {Texte(p.Nom.Texte()), "07031952", "140530", Texte(p.Ville.Texte()),
                               Texte(p.Lat.Texte()), Texte(p.Long.Texte()), Texte(p.Fuseau.Texte()),
                               Texte(p.Commentaire.Texte())};
    for (int c = 0; c < 8; ++c) Remplir(fenetre_->Champ(c + 1), textes[c]);
    Cliquer(" Transférer les modifications");
    ref_.table[l] = p;
  }
  void TransfererDateFausse() {
    if (UneLigne() < 0) return;
    Remplir(fenetre_->Champ(2), "31021990");
    Cliquer(" Transférer les modifications");
    EXPECT_EQ(temoin_.messages.value(0).texte, "31/02/1990 : date incorrecte");
  }
  void EditerCellule() {
    if (ref_.table.empty()) return;
    const int l = Entre(0, static_cast<int>(ref_.table.size()) - 1), c = Entre(1, 8);
    gestion::VueFiches* t = fenetre_->Table();
    t->scrollTo(t->model()->index(l, c));  // the far columns are off to the right
    QCoreApplication::processEvents();      // laid out as the user sees it before clicking
    const QPoint ou = t->visualRect(t->model()->index(l, c)).center();
    // A click first: a double click right after another widget's click can reach the view as
    // the second half of a double click and move nothing.
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, ou);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, ou);
    QTest::keyClicks(t, "32/13/19xx");
    QTest::keyClick(t, Qt::Key_Return);
    ref_.courant = l;
  }
  void AjouterOuInserer() {
    if (Entre(0, 1) == 0) {
      if (!ref_.table.empty()) UneLigne();
      else fenetre_->Table()->setFocus();
      QTest::keyClick(fenetre_->Table(), Qt::Key_Plus);
      FicheClient f;
      f.Nom = Octets(QString::fromUtf8("Complétez "));
      ref_.table.push_back(f);
      ref_.courant = static_cast<int>(ref_.table.size()) - 1;
    } else {
      const int ici = std::max(0, ref_.table.empty() ? 0 : UneLigne());
      fenetre_->InsererLigne();  // the context menu's command
      ref_.table.insert(ref_.table.begin() + ici, FicheClient());
      ref_.courant = ici;
    }
  }
  void Supprimer() {
    const int l = UneLigne();
    if (l < 0) return;
    const bool oui = Entre(0, 1) == 1;
    temoin_.reponsesQuestions << oui;
    QTest::keyClick(fenetre_->Table(), Entre(0, 1) ? Qt::Key_Delete : Qt::Key_Minus);
    if (!oui) return;
    ref_.table.erase(ref_.table.begin() + l);
    ref_.courant = ref_.table.empty() ? -1 : std::min(l, static_cast<int>(ref_.table.size()) - 1);
  }
  void Sauver() {
    Menu("Sauver Fichier");
    if (ref_.ouvert && !ref_.fichier.empty() && !ref_.table.empty()) SauverReference();
    VerifierDisque();
  }
  void Fermer() {
    if (Repondre()) {
      Menu("Fermer la liste");
      ref_.Vider();
      ref_.ouvert = false;
    } else {
      Menu("Fermer la liste");
    }
    VerifierDisque();
  }
  void Quitter() {
    const bool part = Repondre();
    if (Entre(0, 1)) Menu("Quitter");
    else QTest::keyClick(fenetre_->Table(), Qt::Key_Escape);
    EXPECT_EQ(fenetre_->isVisible(), !part);
    VerifierDisque();
    if (part) Nouvelle();
  }
  void Fusionner() {
    Cliquer("Fusion fichiers");
    if (!ref_.fichier.empty() && ref_.Modifie()) return;  // "Veuillez d'abord sauver le fichier affiché !"
    Cliquer("Tout sélectionner");
    if (Entre(0, 3) == 0) fenetre_->ListeFusion()->item(0)->setCheckState(Qt::Unchecked);
    std::vector<std::string> choisis;
    for (int i = 0; i < fenetre_->ListeFusion()->count(); ++i)
      if (fenetre_->ListeFusion()->item(i)->checkState() == Qt::Checked)
        choisis.push_back(fenetre_->ListeFusion()->item(i)->data(Qt::UserRole).toString().toStdString());
    const bool importe = !choisis.empty() && Repondre();
    Cliquer("Importer les fichiers");
    if (importe) {
      ref_.table.clear();
      for (const std::string& n : choisis) {
        const Fiches& f = ref_.disque.at(n);
        ref_.table.insert(ref_.table.end(), f.begin(), f.end());
      }
      TrierCles(ref_.table);
      ref_.instantane.clear();
      ref_.fichier.clear();
      ref_.ouvert = false;
      ref_.courant = ref_.table.empty() ? -1 : 0;
      if (Entre(0, 1) && Cliquer("Eliminer doublons")) {
        ref_.table.erase(std::unique(ref_.table.begin(), ref_.table.end(),
                                     [](const FicheClient& a, const FicheClient& b) { return a.SortOrder == b.SortOrder; }),
                         ref_.table.end());
      }
    }
    if (Entre(0, 5) == 0) {
      Cliquer("Vider tableau");
      ref_.Vider();
      ref_.ouvert = false;
    }
    Cliquer("Valider");
    VerifierTable();
    if (Entre(0, 1)) {
      temoin_.reponsesSaisies << QString("F%1").arg(++fusions_);
      if (Cliquer("Enregistrer le fichier de fusion ")) SauverSous("F" + std::to_string(fusions_) + ".thz");
      VerifierDisque();
    }
  }

  void VerifierTable() {
    gestion::VueFiches* t = fenetre_->Table();
    const Fiches& vus = fenetre_->Carnet().Fiches();
    ASSERT_EQ(vus.size(), ref_.table.size()) << "table " << Decrire(vus) << " reference " << Decrire(ref_.table);
    for (std::size_t i = 0; i < vus.size(); ++i)
      ASSERT_TRUE(Egales(vus[i], ref_.table[i])) << "row " << i << ": " << Decrire(vus) << " / " << Decrire(ref_.table);
    ASSERT_EQ(t->rowCount(), static_cast<int>(ref_.table.size()));
    if (ref_.courant >= 0) {
      ASSERT_EQ(t->currentRow(), ref_.courant);
      if (selection_) {
        EXPECT_EQ(fenetre_->Champ(1)->text(), t->Texte(ref_.courant, 1));  // the panel shows the current record
      }
    }
    ASSERT_EQ(fenetre_->Carnet().Modifie(), ref_.Modifie());
  }
  void VerifierDisque() {
    for (const auto& [nom, attendues] : ref_.disque) {
      const Fiches lues = LireFichierNaissance(dossier_ / nom);
      ASSERT_EQ(lues.size(), attendues.size()) << nom << ": " << Decrire(lues) << " / " << Decrire(attendues);
      for (std::size_t i = 0; i < lues.size(); ++i) ASSERT_TRUE(Egales(lues[i], attendues[i])) << nom << " " << i;
    }
    std::size_t fichiers = 0;
    for (const auto& e : fs::directory_iterator(dossier_))
      if (e.path().extension() == ".thz") ++fichiers;
    ASSERT_EQ(fichiers, ref_.disque.size());
  }
};

int Nombre(const char* variable, int defaut) {
  const char* v = std::getenv(variable);
  return v ? std::atoi(v) : defaut;
}

}  // namespace

TEST(GestionMarche, SequencesAleatoiresSansPerteNiDoublon) {
  ApplicationDeTest<QApplication>();
  TemoinInstalle temoin;
  const int sequences = Nombre("SELVANE_MARCHE_SEQUENCES", 1000);
  const int premiere = Nombre("SELVANE_MARCHE_GRAINE", 1);
  long actions = 0;
  for (int s = 0; s < sequences; ++s) {
    const unsigned graine = static_cast<unsigned>(premiere + s);
    SCOPED_TRACE("seed " + std::to_string(graine));
    DossierProgramme dossier("selvane_marche");
    Marche marche(dossier.Chemin(), temoin, graine);
    for (int a = 0; a < 12; ++a) {
      marche.Agir();
      if (::testing::Test::HasFatalFailure()) return;
    }
    actions += marche.Actions();
  }
  std::cout << sequences << " sequences, " << actions << " actions, 0 divergences\n";
}
