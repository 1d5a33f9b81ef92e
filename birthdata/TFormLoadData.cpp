#include "birthdata/TFormLoadData.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Calcul.h"
#include "birthdata/records/CleTri.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"
#include "core/EtatTheme.h"
#include "birthdata/records/FichierNaissance.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"

namespace selvane {

Feuille FeuilleFichier(const QString& chemin, const std::vector<LigneFiche>& lignes) {
  Feuille f;
  if (!chemin.isEmpty()) f.titres << "Fichier : " + chemin;
  const char* const titres[NbColonnesFiches] = {"Nom", "Date", "Heure", "Ville", "Lat", "Long", "Fuseau", "Commentaire", "SortOrder"};
  const int largeurs[NbColonnesFiches] = {36, 11, 9, 20, 6, 7, 8, 81, 30};
  for (int c = 0; c < NbColonnesFiches; ++c) f.colonnes.push_back({titres[c], static_cast<double>(largeurs[c])});
  for (const LigneFiche& l : lignes) {
    QStringList r;
    for (const std::string& c : l.colonnes) r << QString::fromStdString(c);
    f.lignes.push_back(r);
  }
  return f;
}

QStringList CachetFichier() {
  ContexteCachet cachet;
  cachet.fuseau = QString::fromUtf8("celui de chaque fiche");
  return LignesCachet(cachet);
}

TFormLoadData::TFormLoadData(const QString& dossier, std::function<void()> ouvrirListing, std::function<void()> modifier,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), dossier_(dossier), ouvrirListing_(std::move(ouvrirListing)),
      modifier_(std::move(modifier)), fichiers_(new QListWidget(this)), table_(new QTableWidget(0, 9, this)),
      recherche_(new QLineEdit(this)), panneau_(new QLabel(this)) {
  setWindowTitle(QString::fromUtf8("Sélection d'une fiche "));
  table_->setObjectName("GridData");
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setFont(QFont("Liberation Sans", 9));
  RemplirGrille(*table_, FeuilleFichier({}, {}));
  BrancherFeuille(*table_, {[this] { return FeuilleFichier(courant_, lignes_); }, [] { return CachetFichier(); },
                            [this] {
                              const QFileInfo f(courant_);
                              return f.path() + "/" + f.completeBaseName() + ".csv";
                            }});
  recherche_->setMaxLength(13);
  connect(fichiers_, &QListWidget::itemClicked, this, [this](QListWidgetItem* e) { Charger(e->text()); });
  connect(recherche_, &QLineEdit::textEdited, this, [this](const QString& t) { Rechercher(t); });
  connect(table_, &QTableWidget::cellClicked, this, [this](int l, int) { Selectionner(l); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int l, int) {
    Selectionner(l);
    Theme();
  });
  auto bouton = [this](const char* titre, auto action) {
    auto* b = new QPushButton(QString::fromUtf8(titre), this);
    connect(b, &QPushButton::clicked, this, action);
    return b;
  };
  auto* vider = bouton("Vider le champ", [this] {
    recherche_->clear();
    Rechercher("");
  });
  auto* imprimer = bouton("Imprimer fichier", [this] {
    if (courant_.isEmpty()) return;
    // The records as shown: the page is the table.
    const std::vector<FicheClient> fiches = FichesAffichees();
    DocumentImprime d;
    d.pages = PagesFichier(fiches.size());
    d.cachet = CachetFichier();
    d.peindre = [chemin = courant_, fiches](QPainter& p, const QRectF& zone, int page) {
      PeindrePageFichier(p, chemin, fiches, page, zone.height());
    };
    ImprimerDocument(d, QFileInfo(courant_).completeBaseName() + ".pdf");
  });
  auto* boutonModifier = bouton("Modifier/Recopier", [this] { ModifierRecopier(); });
  auto* supprimer = bouton("Supprimer fiche", [this] { SupprimerFiche(); });
  auto* theme = bouton("Thème", [this] { Theme(); });
  auto* fermer = bouton("Fermer", [this] { close(); });
  boutonsFiche_ = {theme, supprimer, boutonModifier};
  for (QPushButton* b : boutonsFiche_) b->setEnabled(false);
  // Nothing to print before a file is open.
  imprimer_ = imprimer;
  imprimer_->setEnabled(false);
  auto* gauche = new QVBoxLayout;
  gauche->addWidget(new QLabel("Fichiers existants :", this));
  gauche->addWidget(fichiers_);
  gauche->addWidget(new QLabel("Rechercher : ", this));
  gauche->addWidget(recherche_);
  gauche->addWidget(vider);
  gauche->addWidget(panneau_);
  for (QPushButton* b : {imprimer, boutonModifier, supprimer, theme, fermer}) gauche->addWidget(b);
  auto* disposition = new QHBoxLayout(this);
  disposition->addLayout(gauche);
  disposition->addWidget(table_, 1);
  resize(1200, 650);
  ListerFichiers();
  recherche_->setFocus();
}

void TFormLoadData::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) LaPlateforme().OuvrirAide("DataLoad.htm");
  else QDialog::keyPressEvent(e);
}

void TFormLoadData::ListerFichiers() {
  fichiers_->clear();
  fichiers_->addItems(QDir(dossier_).entryList({"*.thz"}, QDir::Files, QDir::Name));
}

void TFormLoadData::Charger(const QString& fichier) {
  const QString chemin = dossier_ + "/" + fichier;
  std::vector<FicheClient> fiches;
  try {
    fiches = LireFichierNaissance(chemin.toStdString());
  } catch (const std::exception& e) {
    // Nothing of a file that could not be read stays current: a later delete
    // would otherwise write the table (empty, or another file's) over it.
    Vider();
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  courant_ = chemin;
  imprimer_->setEnabled(true);
  setWindowTitle(fichier);
  lignes_ = LignesFiches(fiches);
  RemplirGrille(*table_, FeuilleFichier(courant_, lignes_));
  for (int l = 0; l < table_->rowCount(); ++l)
    for (int c = 0; c < table_->columnCount(); ++c)
      table_->item(l, c)->setBackground(l % 2 == 1 ? QColor(0xE3, 0xE3, 0xFF) : QColor(Qt::white));  // 16770019 on even rows
  for (QPushButton* b : boutonsFiche_) b->setEnabled(false);
  if (table_->rowCount() > 0) Selectionner(0, false);
}

void TFormLoadData::Vider() {
  courant_.clear();
  imprimer_->setEnabled(false);
  lignes_.clear();
  table_->setRowCount(0);
  panneau_->clear();
  for (QPushButton* b : boutonsFiche_) b->setEnabled(false);
  setWindowTitle(QString::fromUtf8("Sélection d'une fiche "));
}

void TFormLoadData::Selectionner(int ligne, bool choisie) {
  if (ligne < 0 || ligne >= table_->rowCount()) return;
  table_->selectRow(ligne);
  if (choisie)
    for (QPushButton* b : boutonsFiche_) b->setEnabled(true);
  panneau_->setText(QString::fromStdString(ResumeFiche(lignes_[ligne])));
}

void TFormLoadData::Rechercher(const QString& texte) {
  QString debut = texte;
  while (debut.startsWith(' ')) debut.remove(0, 1);
  const QString cle = Texte(CleDeTri(Octets(debut)).Texte()).toUpper();
  if (table_->rowCount() == 0) return;
  if (cle.isEmpty()) return Selectionner(0);
  for (int l = 0; l < table_->rowCount(); ++l) {
    if (QString::fromStdString(lignes_[l].colonnes[8]).startsWith(cle, Qt::CaseInsensitive)) return Selectionner(l);
  }
  Selectionner(table_->rowCount() - 1);
}

void TFormLoadData::CopierDansFiche(int ligne) { Etat().FicheEnCours = lignes_[ligne].fiche; }

void TFormLoadData::Theme() {
  const int ligne = table_->currentRow();
  if (ligne < 0 || lignes_[ligne].fiche.Nom.Texte().empty()) return;
  CopierDansFiche(ligne);
  try {
    CalculerTheme(Etat().SystemeMaisons != 0 ? EcartGlyphes8 : EcartGlyphes9);
  } catch (const std::exception& e) {
    // A record whose date or time is not a number: said, and the browser stays usable.
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  hide();
  Etat().NomFichierNaissance = "Natal";
  if (ouvrirListing_) ouvrirListing_();
  close();
}

void TFormLoadData::ModifierRecopier() {
  const int ligne = table_->currentRow();
  if (ligne < 0 || lignes_[ligne].fiche.Nom.Texte().empty()) return;
  CopierDansFiche(ligne);
  close();
  if (modifier_) modifier_();
}

void TFormLoadData::SupprimerFiche() {
  const int ligne = table_->currentRow();
  if (ligne < 0 || ligne >= static_cast<int>(lignes_.size()) || courant_.isEmpty()) return;
  const QString nom = Texte(NomVersAffichage(lignes_[ligne].fiche.Nom.Texte()));
  if (!LaPlateforme().Question("Voulez-vous effacer cette fiche :\r\n\r\n" + nom + "\r\n\r\n")) return;
  std::vector<FicheClient> fiches;
  for (int l = 0; l < static_cast<int>(lignes_.size()); ++l)
    if (l != ligne) fiches.push_back(lignes_[l].fiche);
  // The file first, the table after: a refused write (a read-only file) leaves
  // both showing the same records.
  try {
    if (fiches.empty()) EffacerFichierNaissance(courant_.toStdString());
    else RecrireFichierNaissance(courant_.toStdString(), fiches);
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  table_->removeRow(ligne);
  lignes_.erase(lignes_.begin() + ligne);
  if (fiches.empty()) {
    ListerFichiers();
    for (QPushButton* b : boutonsFiche_) b->setEnabled(false);
    LaPlateforme().Information("Le fichier : " + QFileInfo(courant_).fileName() + "\r\n" + QString::fromUtf8(" a été supprimé"));
    courant_.clear();
    imprimer_->setEnabled(false);
  }
}

int PagesFichier(std::size_t fiches) { return std::max<int>(1, static_cast<int>((fiches + FichesParPage - 1) / FichesParPage)); }

void PeindrePageFichier(QPainter& p, const QString& chemin, const std::vector<FicheClient>& fiches, int page,
                        double hauteurPage) {
  p.setFont(QFont("Liberation Mono", 8));
  const QFontMetrics m(p.font(), p.device());
  // The lines are a little more than the text's height apart; on a short page they close up
  // so that line 80, the page's last record, stays on it.
  const int a = m.horizontalAdvance('a'), A = m.horizontalAdvance('A');
  double hauteur = 1.08 * m.height();
  if (hauteurPage > 0) hauteur = std::min(hauteur, hauteurPage / 81.0);
  const int x = m.horizontalAdvance("ABC");
  if (page == 0) p.drawText(QPointF(x, 2 * hauteur), "Fichier : " + chemin);
  const std::size_t debut = static_cast<std::size_t>(page) * FichesParPage;
  for (std::size_t i = debut; i < fiches.size() && i < debut + FichesParPage; ++i) {
    const FicheClient& f = fiches[i];
    const double y = static_cast<double>(4 + i - debut) * hauteur;
    // Each field stops a character short of the next column: a long name or city is cut
    // with "…" rather than written over the date or the latitude.
    const struct {
      int x, fin;
      std::string_view texte;
    } champs[] = {{x, 30 * a, f.Nom.Texte()},
                  {30 * a, 42 * a, f.Date.Texte()},
                  {42 * a, 52 * a, f.Heure.Texte()},
                  {52 * a, 52 * a + 22 * A, f.Ville.Texte()},
                  {52 * a + 22 * A, 61 * a + 22 * A, f.Lat.Texte()},
                  {61 * a + 22 * A, 70 * a + 22 * A, f.Long.Texte()},
                  {70 * a + 22 * A, 80 * a + 22 * A, f.Fuseau.Texte()}};
    for (const auto& c : champs) p.drawText(QPointF(c.x, y), m.elidedText(Texte(c.texte), Qt::ElideRight, c.fin - c.x - a));
  }
}

std::vector<FicheClient> TFormLoadData::FichesAffichees() const {
  std::vector<FicheClient> fiches;
  for (const LigneFiche& l : lignes_) fiches.push_back(l.fiche);
  return fiches;
}

int TFormLoadData::ImprimerFichier(QPainter& p, int hauteurPage, const std::function<void()>& nouvellePage) {
  const std::vector<FicheClient> fiches = FichesAffichees();
  const int pages = PagesFichier(fiches.size());
  for (int i = 0; i < pages; ++i) {
    if (i > 0) nouvellePage();
    PeindrePageFichier(p, courant_, fiches, i, hauteurPage);
  }
  return pages;
}

}  // namespace selvane
