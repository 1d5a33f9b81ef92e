#include "manager/TMainForm.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>
#include <cmath>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "widgets/Texte1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"

namespace selvane {
namespace gestion {

namespace {


}  // namespace

TMainForm::TMainForm(const QString& dossier, QWidget* parent)
    : QMainWindow(parent), dossier_(dossier.isEmpty() ? QDir::currentPath() : dossier) {
  // Its own name on the caption and on every message box, not the main program's.
  QApplication::setApplicationDisplayName("GestSelvane");
  setWindowTitle("Gestion des fichiers - GestSelvane");

  table_ = new GrilleTexte(this);
  const QFontMetrics m(QFont("Liberation Sans", 10));
  const int chiffre = m.horizontalAdvance('9');
  const struct {
    const char* titre;
    int largeur;
  } colonnes[10] = {{"N°", 6}, {"Nom", 36}, {"Date naiss", 10}, {"Heure", 8}, {"Lieu", 70},
                    {"Lat", 6}, {"Long", 7}, {"Fuseau", 9}, {"Commentaire", 80}, {"SortOrder", 0}};
  QVector<ColonneGrille> definitions;
  for (const auto& c : colonnes) {
    ColonneGrille g;
    g.titre = QString::fromUtf8(c.titre);
    g.largeur = c.largeur * chiffre;
    g.visible = c.largeur > 0;
    definitions << g;
  }
  table_->DefinirColonnes(definitions);
  connect(table_, &QTableWidget::cellClicked, this, [this](int l, int c) { SelectionnerCellule(l, c); });
  // "+", "-" and Delete are commands of the table, not the start of an edit.
  table_->installEventFilter(this);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& ou) {
    const QModelIndex i = table_->indexAt(ou);
    if (!i.isValid()) return;
    table_->setCurrentCell(i.row(), i.column());
    SelectionnerCellule(i.row(), i.column());
    QMenu menu;
    menu.addAction("Ajouter un ligne", this, [this] { AjouterLigne(); });
    menu.addAction(QString::fromUtf8("Insérer une ligne"), this, [this] { InsererLigne(); });
    menu.addAction("Supprimer la ligne", this, [this] { SupprimerLigne(); })->setEnabled(table_->rowCount() > 0);
    menu.exec(table_->viewport()->mapToGlobal(ou));
  });

  // Edit panel.
  auto* panneau = new QWidget(this);
  auto* formulaire = new QFormLayout(panneau);
  const char* etiquettes[8] = {"Nom,Prénom :", "Date naissance :", "Heure :", "Lieu :",
                               "Latitude (DD.MM) :", "Longitude (DDD.MM) :", "Fuseau (HH.MM.SS) :", "Commentaire :"};
  for (int i = 0; i < 8; ++i) {
    champs_[i] = new QLineEdit(panneau);
    formulaire->addRow(QString::fromUtf8(etiquettes[i]), champs_[i]);
  }
  champs_[1]->setInputMask("99/99/9999");
  champs_[2]->setInputMask("09\\h99m99");  // "h" is a mask letter: escaped
  auto* transferer = new QPushButton(QString::fromUtf8(" Transférer les modifications"), panneau);
  connect(transferer, &QPushButton::clicked, this, [this] { Transferer(); });
  formulaire->addRow(transferer);
  recherche_ = new QLineEdit(panneau);
  connect(recherche_, &QLineEdit::textEdited, this, [this](const QString& t) { Rechercher(t); });
  formulaire->addRow("Rechercher : ", recherche_);
  boutonFusion_ = new QPushButton("Fusion fichiers", panneau);
  connect(boutonFusion_, &QPushButton::clicked, this, [this] { FusionFichiers(); });
  formulaire->addRow(boutonFusion_);
  enregistrerFusion_ = new QPushButton("Enregistrer le fichier de fusion ", panneau);
  connect(enregistrerFusion_, &QPushButton::clicked, this, [this] { EnregistrerFusion(); });
  enregistrerFusion_->hide();
  formulaire->addRow(enregistrerFusion_);

  // File list, shown by "Ouvrir fichier de naissances".
  liste_ = new QListWidget(panneau);
  liste_->hide();
  connect(liste_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* e) { Charger(e->text()); });
  formulaire->addRow(liste_);

  // Merge panel.
  panneauFusion_ = new QWidget(panneau);
  auto* vf = new QVBoxLayout(panneauFusion_);
  fusion_ = new QListWidget(panneauFusion_);
  vf->addWidget(fusion_);
  auto bouton = [&](const char* titre, auto action) {
    auto* b = new QPushButton(QString::fromUtf8(titre), panneauFusion_);
    connect(b, &QPushButton::clicked, this, action);
    vf->addWidget(b);
    return b;
  };
  bouton("Tout sélectionner", [this] { CocherTout(true); });
  bouton("Tout désélectionner", [this] { CocherTout(false); });
  bouton("Importer les fichiers", [this] { ImporterFichiers(); });
  bouton("Trier le fichier fusionné", [this] { TrierFusion(); });
  doublons_ = bouton("Eliminer doublons", [this] { EliminerDoublons(); });
  bouton("Vider tableau", [this] { ViderTableau(); });
  bouton("Valider", [this] { Valider(); });
  doublons_->hide();
  panneauFusion_->hide();
  formulaire->addRow(panneauFusion_);

  auto* separation = new QSplitter(this);
  separation->addWidget(table_);
  separation->addWidget(panneau);
  separation->setStretchFactor(0, 3);
  setCentralWidget(separation);

  QMenu* menu = menuBar()->addMenu("Fichier");
  menu->addAction("Ouvrir fichier de naissances", this, [this] { OuvrirFichier(); });
  menu->addAction("Trier fichier", this, [this] { TrierFichier(); });
  menu->addAction("Sauver Fichier", this, [this] { SauverFichier(); });
  menu->addAction("Fermer la liste", this, [this] { FermerLaListe(); });
  menu->addAction("Quitter", this, [this] { Quitter(); });
  menuBar()->addAction("Aide", this, [] { LaPlateforme().OuvrirAide("Gestion des fichiers.htm"); });
  statusBar()->showMessage("");
  if (const QScreen* ecran = QApplication::primaryScreen()) setGeometry(ecran->availableGeometry());
  CentLignesVides();
}

bool TMainForm::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == table_ && evenement->type() == QEvent::KeyPress) {
    const int touche = static_cast<QKeyEvent*>(evenement)->key();
    if (touche == Qt::Key_Plus) {
      AjouterLigne();
      return true;
    }
    if (touche == Qt::Key_Minus || touche == Qt::Key_Delete) {
      SupprimerLigne();
      return true;
    }
  }
  return QMainWindow::eventFilter(objet, evenement);
}

void TMainForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) LaPlateforme().OuvrirAide("Gestion des fichiers.htm");
  else if (e->key() == Qt::Key_Escape) close();  // ends the program without saving
  else QMainWindow::keyPressEvent(e);
}

void TMainForm::CentLignesVides() {
  table_->Vider();
  table_->setRowCount(100);
}

void TMainForm::OuvrirFichier() {
  if (ouvert_) {
    LaPlateforme().Information("Fermez d'abord le fichier en cours");
    return;
  }
  liste_->clear();
  liste_->addItems(QDir(dossier_).entryList({"*.thz"}, QDir::Files, QDir::Name));
  liste_->show();
  courant_.clear();  // no file until one is chosen: a stale path must never be written
  ouvert_ = true;
  aSauver_ = false;
  sauve_ = false;
  statusBar()->showMessage(" Fichier en cours : " + courant_);
}

void TMainForm::Remplir(const QString& chemin, bool ajouter) {
  if (!ajouter) table_->Vider();
  int numero = table_->rowCount();
  QVector<QStringList> lignes;
  for (const FicheClient& f : LireFichierNaissance(chemin.toStdString())) {
    lignes.append({QString::number(++numero), Texte(f.Nom.Texte()), Texte(f.Date.Texte()), Texte(f.Heure.Texte()),
                   Texte(f.Ville.Texte()), Texte(f.Lat.Texte()), Texte(f.Long.Texte()), Texte(f.Fuseau.Texte()),
                   Texte(f.Commentaire.Texte()), Texte(f.SortOrder.Texte())});
  }
  table_->AjouterLignes(lignes);
}

void TMainForm::Charger(const QString& nomFichier) {
  courant_ = dossier_ + "/" + nomFichier;
  liste_->hide();
  try {
    Remplir(courant_, false);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  statusBar()->showMessage(" Fichier en cours : " + nomFichier);
  table_->AjusterColonnes(10, 60);  // widest cell plus 10 pixels, at least 60
}

void TMainForm::SelectionnerCellule(int ligne, int colonne) {
  ligne_ = ligne;
  (void)colonne;
  for (int c = 1; c <= 8; ++c) champs_[c - 1]->setText(table_->Texte(ligne, c));
}

void TMainForm::Transferer() {
  if (ligne_ < 0 || ligne_ >= table_->rowCount()) return;
  // Tabs and line ends pasted into a field have no place in a record.
  for (QLineEdit* champ : champs_) champ->setText(Texte(SansControles(Octets(champ->text()))));
  // The entry window's own checks and messages.
  const QString date = champs_[1]->text(), heure = champs_[2]->text();
  if (!DateValide(Octets(date))) {
    LaPlateforme().Avertissement(date + " : date incorrecte");
    champs_[1]->setFocus();
    return;
  }
  if (!HeureValide(Octets(heure))) {
    LaPlateforme().Avertissement(heure + " : heure incorrecte");
    champs_[2]->setFocus();
    return;
  }
  const QString lat = champs_[4]->text(), lon = champs_[5]->text();
  // The manager admits latitudes up to 66° only; the rest is the entry window's check.
  if (std::fabs(LireNombre(Octets(lat))) > 66) {
    LaPlateforme().Avertissement("Latitude : " + lat + QString::fromUtf8(" :  valeur supérieure à 66° !"));
    return;
  }
  for (const std::string& erreur : {ErreurLatitude(Octets(lat)), ErreurLongitude(Octets(lon))}) {
    if (!erreur.empty()) {
      LaPlateforme().Avertissement(QString::fromStdString(erreur));
      return;
    }
  }
  QString commentaire = champs_[7]->text();
  if (commentaire.isEmpty()) commentaire = QString::fromUtf8("modifié le ") + QDate::currentDate().toString("dd/MM/yyyy");
  const QString nom = champs_[0]->text();
  const QString cle = Texte(CleDeTri(Octets(nom.trimmed())).Texte());
  const QStringList valeurs = {nom, champs_[1]->text(), champs_[2]->text(), champs_[3]->text(), lat, lon,
                               champs_[6]->text(), commentaire, cle};
  for (int c = 1; c <= 9; ++c) table_->DefinirTexte(ligne_, c, valeurs[c - 1]);
  sauve_ = false;  // the merge must not discard this edit
  table_->setFocus();
}

void TMainForm::Renumeroter() {
  for (int l = 0; l < table_->rowCount(); ++l) table_->DefinirTexte(l, 0, QString::number(l + 1));
}

void TMainForm::AjouterLigne() {
  table_->AjouterLigne({QString::number(table_->rowCount() + 1), QString::fromUtf8("Complétez ")});
  ligne_ = table_->rowCount() - 1;
  table_->setCurrentCell(ligne_, 1);
  // A new person: nothing of the previous row stays in the panel.
  for (QLineEdit* champ : champs_) champ->clear();
  champs_[4]->setText("0");
  champs_[5]->setText("0");
  champs_[1]->setText(QDate::currentDate().toString("dd/MM/yyyy"));
  champs_[2]->setText("00h00m00");
  champs_[6]->setText("0");
  champs_[0]->setFocus();
}

void TMainForm::InsererLigne() {
  const int ici = table_->rowCount() == 0 ? 0 : std::max(0, table_->currentRow());
  table_->insertRow(ici);
  Renumeroter();
}

void TMainForm::SupprimerLigne() {
  if (LaPlateforme().Question("Voulez-vous supprimer cette ligne ?") && table_->currentRow() >= 0)
    table_->removeRow(table_->currentRow());
  Renumeroter();
}

void TMainForm::Rechercher(const QString& texte) {
  if (!ouvert_) return;
  QString t = texte;
  while (t.startsWith(' ')) t.remove(0, 1);
  // Folded as a name (punctuation out, accents plain), in capitals.
  const QString cle = Texte(CleDeTri(Octets(t)).Texte()).toUpper();
  int ligne = 0;
  if (!cle.isEmpty()) {
    ligne = table_->rowCount() - 1;
    for (int l = 0; l < table_->rowCount(); ++l) {
      if (ComparerSansCasse(table_->Texte(l, 9).left(cle.size()), cle) == 0) {
        ligne = l;
        break;
      }
    }
  }
  if (table_->rowCount() > 0) table_->setCurrentCell(std::max(0, ligne), 1);
}

int TMainForm::Comparer(const QVector<std::pair<int, OrdreTri>>& triees, const QStringList& a, const QStringList& b) {
  for (const auto& [c, ordre] : triees) {
    int r = c == 0 ? (a.value(0).toInt() < b.value(0).toInt() ? -1 : a.value(0).toInt() > b.value(0).toInt() ? 1 : 0)
                   : ComparerSansCasse(a.value(c), b.value(c));
    if (ordre == OrdreTri::Decroissant) r = -r;
    if (r != 0) return r;
  }
  return 0;
}

void TMainForm::TrierSurCle() {
  table_->EffacerOrdres();
  table_->DefinirOrdre(9, OrdreTri::Croissant);
  // The sorted columns, read once for the whole sort.
  QVector<std::pair<int, OrdreTri>> triees;
  for (int c = 0; c < table_->columnCount(); ++c)
    if (table_->Colonne(c).ordre != OrdreTri::Aucun) triees.append({c, table_->Colonne(c).ordre});
  table_->Trier([triees](const QStringList& a, const QStringList& b) { return Comparer(triees, a, b); });
}

void TMainForm::TrierFichier() {
  if (!ouvert_) return;
  TrierSurCle();
  aSauver_ = true;
}

void TMainForm::Ecrire(const QString& chemin) {
  std::vector<FicheClient> fiches;
  for (int l = 0; l < table_->rowCount(); ++l) {
    if (table_->Texte(l, 1).isEmpty() && table_->Texte(l, 9).isEmpty()) continue;  // an empty grid row is no record
    FicheClient f;
    f.Nom = Octets(table_->Texte(l, 1).trimmed());
    f.Date = Octets(table_->Texte(l, 2));
    f.Heure = Octets(table_->Texte(l, 3));
    f.Ville = Octets(table_->Texte(l, 4).trimmed());
    f.Lat = Octets(table_->Texte(l, 5));
    f.Long = Octets(table_->Texte(l, 6));
    f.Fuseau = Octets(table_->Texte(l, 7));
    f.Commentaire = Octets(table_->Texte(l, 8).trimmed());
    f.SortOrder = Octets(table_->Texte(l, 9).trimmed());
    fiches.push_back(f);
  }
  RecrireFichierNaissance(chemin.toStdString(), fiches);
}

bool TMainForm::TrierEtEcrire(const QString& chemin) {
  TrierSurCle();
  try {
    Ecrire(chemin);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return false;
  }
  return true;
}

void TMainForm::SauverFichier() {
  if (!ouvert_ || courant_.isEmpty() || table_->rowCount() == 0) return;
  if (!TrierEtEcrire(courant_)) return;
  sauve_ = true;
  LaPlateforme().Information("Fichier sauvé ");
}

void TMainForm::FermerLaListe() {
  if (ouvert_ && !courant_.isEmpty()) {
    if (!TrierEtEcrire(courant_)) return;
    sauve_ = true;
  }
  CentLignesVides();
  ouvert_ = false;
  courant_.clear();
  liste_->hide();
}

void TMainForm::Quitter() {
  if (ouvert_ && aSauver_ && !courant_.isEmpty()) {
    if (!TrierEtEcrire(courant_)) return;
  }
  close();
}

void TMainForm::FusionFichiers() {
  if (ouvert_ && !sauve_ && table_->rowCount() > 0 && !courant_.isEmpty()) {
    LaPlateforme().Avertissement("Veuillez d'abord sauver le fichier affiché !");
    return;
  }
  enregistrerFusion_->hide();
  menuBar()->hide();
  fusion_->clear();
  // Shown in capitals, but the file read is the one listed (file systems here tell case apart).
  for (const QString& f : QDir(dossier_).entryList({"*.thz"}, QDir::Files, QDir::Name)) {
    auto* e = new QListWidgetItem(f.toUpper(), fusion_);
    e->setData(Qt::UserRole, f);
    e->setFlags(e->flags() | Qt::ItemIsUserCheckable);
    e->setCheckState(Qt::Unchecked);
  }
  panneauFusion_->show();
  boutonFusion_->hide();
}

void TMainForm::CocherTout(bool coche) {
  for (int i = 0; i < fusion_->count(); ++i) fusion_->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
}

void TMainForm::ImporterFichiers() {
  QStringList choisis;
  for (int i = 0; i < fusion_->count(); ++i)
    if (fusion_->item(i)->checkState() == Qt::Checked) choisis << fusion_->item(i)->data(Qt::UserRole).toString();
  if (choisis.isEmpty()) {
    LaPlateforme().Avertissement(QString::fromUtf8("Vous n'avez sélectionné aucun fichier !"));
    return;
  }
  doublons_->hide();
  OublierFichierOuvert();  // the table now holds the merge, not the file
  table_->Vider();
  try {
    for (const QString& f : choisis) Remplir(dossier_ + "/" + f, true);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  TrierSurCle();
  if (table_->rowCount() > 0) table_->setCurrentCell(0, 1);
  aSauver_ = true;
  doublons_->show();
  enregistrerFusion_->show();
}

void TMainForm::TrierFusion() {
  TrierSurCle();
  if (table_->rowCount() > 0) table_->setCurrentCell(0, 1);
  aSauver_ = true;
}

int TMainForm::EliminerDoublons() {
  if (table_->rowCount() > 0) table_->setCurrentCell(0, 1);
  int effacees = 0;
  int l = 0;
  while (l + 1 < table_->rowCount()) {
    if (table_->Texte(l, 9) == table_->Texte(l + 1, 9)) {
      table_->removeRow(l + 1);
      ++effacees;
    } else {
      ++l;
    }
  }
  LaPlateforme().Information(QString::fromUtf8("Nombre de fiches effacées : ") + QString::number(effacees));
  return effacees;
}

void TMainForm::ViderTableau() {
  OublierFichierOuvert();  // an emptied table must never be saved over the file
  table_->Vider();
}

void TMainForm::OublierFichierOuvert() {
  ouvert_ = false;
  courant_.clear();
  statusBar()->showMessage("");
}

void TMainForm::Valider() {
  panneauFusion_->hide();
  menuBar()->show();
  enregistrerFusion_->setVisible(table_->rowCount() > 1);
  boutonFusion_->show();
}

void TMainForm::EnregistrerFusion() {
  QString nom = "Nouveau";
  if (!LaPlateforme().SaisirTexte("Entrez le nom du nouveau fichier, sans extension ", nom)) return;
  if (nom.isEmpty()) {
    LaPlateforme().Erreur("Le nom du fichier ne peut être vide !\n\r\n\r");
    nom = "Nouveau";
    if (!LaPlateforme().SaisirTexte("Entrez le nom du nouveau fichier, sans extension ", nom) || nom.isEmpty()) return;
  }
  const QString chemin = dossier_ + "/" + nom + ".thz";
  if (QFile::exists(chemin) &&
      !LaPlateforme().Question("Le fichier " + nom + QString::fromUtf8(".thz existe déjà. Voulez-vous le remplacer ?")))
    return;
  if (!TrierEtEcrire(chemin)) return;
  LaPlateforme().Information("Fichier enregistré sous le nom de : " + nom + ".thz");
  // The merge is on disk and the table is emptied: nothing is open, so no later
  // close or quit can write the empty table over the file just written.
  OublierFichierOuvert();
  aSauver_ = false;
  CentLignesVides();
  enregistrerFusion_->hide();
}

}  // namespace gestion
}  // namespace selvane
