#include "manager/TMainForm.h"

#include <QApplication>
#include <QCloseEvent>
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

#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/Echange.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"

namespace selvane {
namespace gestion {

namespace {

std::filesystem::path CheminDe(const QString& chemin) { return std::filesystem::path(chemin.toStdString()); }

QString Aujourdhui() { return QDate::currentDate().toString("dd/MM/yyyy"); }

}  // namespace

TMainForm::TMainForm(const QString& dossier, QWidget* parent)
    : QMainWindow(parent), dossier_(dossier.isEmpty() ? QCoreApplication::applicationDirPath() : dossier) {
  // Its own name on the caption and on every message box, not the main program's.
  QApplication::setApplicationDisplayName("GestSelvane");
  setWindowTitle("Gestion des fichiers - GestSelvane");

  modele_ = new ModeleTableFiches(carnet_, this);
  table_ = new VueFiches(this);
  table_->setModel(modele_);
  table_->setColumnHidden(9, true);  // the sort key
  {
    const QFontMetrics m(QFont("Liberation Sans", 10));
    const int chiffre = m.horizontalAdvance('9');
    const int largeurs[9] = {6, 36, 10, 8, 70, 6, 7, 9, 80};
    for (int c = 0; c < 9; ++c) table_->setColumnWidth(c, largeurs[c] * chiffre);
  }
  // The panel always shows the record of the current row, however it became current.
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& i) { AfficherLigne(i.isValid() ? i.row() : -1); });
  // A click on the current row shows it again, over what the panel held (a new row's presets).
  connect(table_, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) { AfficherLigne(i.row()); });
  // "+", "-" and Delete are commands of the table.
  table_->installEventFilter(this);
  table_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(table_, &QWidget::customContextMenuRequested, this, [this](const QPoint& ou) {
    const QModelIndex i = table_->indexAt(ou);
    if (!i.isValid()) return;
    table_->setCurrentIndex(i);
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
  menu->addSeparator();
  menu->addAction(QString::fromUtf8("Importer AAF…"), this, [this] { ImporterEchange(true); });
  menu->addAction(QString::fromUtf8("Importer CSV…"), this, [this] { ImporterEchange(false); });
  menu->addAction(QString::fromUtf8("Exporter AAF…"), this, [this] { ExporterEchange(true); });
  menu->addAction(QString::fromUtf8("Exporter CSV…"), this, [this] { ExporterEchange(false); });
  menu->addSeparator();
  menu->addAction("Quitter", this, [this] { Quitter(); });
  menuBar()->addAction("Aide", this, [] { LaPlateforme().OuvrirAide("Gestion des fichiers.htm"); });
  statusBar()->showMessage("");
  if (const QScreen* ecran = QApplication::primaryScreen()) setGeometry(ecran->availableGeometry());
}

QString TMainForm::FichierCourant() const { return QString::fromStdString(carnet_.Chemin().string()); }

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
  else if (e->key() == Qt::Key_Escape) close();  // asks first when there is something to keep
  else QMainWindow::keyPressEvent(e);
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (ProposerEnregistrement()) e->accept();
  else e->ignore();
}

bool TMainForm::ProposerEnregistrement() {
  if (!carnet_.Modifie()) return true;
  switch (LaPlateforme().QuestionOuiNonAnnuler("Enregistrer les modifications ?")) {
    case Reponse::Non: return true;
    case Reponse::Annuler: return false;
    case Reponse::Oui: break;
  }
  // A merge has no file yet: it is saved under a name, as its button does.
  return carnet_.AUnFichier() ? Sauver() : EnregistrerFusion();
}

void TMainForm::Rafraichir(int ligne) {
  modele_->Rafraichir();
  if (carnet_.Nombre() == 0) {
    AfficherLigne(-1);
    return;
  }
  const int courante = std::clamp(ligne, 0, carnet_.Nombre() - 1);
  table_->AllerA(courante);
  // A reset that lands on the same index tells no one: the panel is filled here in every case.
  AfficherLigne(courante);
}

void TMainForm::AfficherLigne(int ligne) {
  for (int c = 1; c <= 8; ++c) champs_[c - 1]->setText(ligne >= 0 ? table_->Texte(ligne, c) : QString());
}

void TMainForm::AfficherFichierEnCours() {
  statusBar()->showMessage(carnet_.AUnFichier()
                               ? " Fichier en cours : " + QString::fromStdString(carnet_.Chemin().filename().string())
                               : QString());
}

void TMainForm::OuvrirFichier() {
  if (ouvert_) {
    LaPlateforme().Information("Fermez d'abord le fichier en cours");
    return;
  }
  liste_->clear();
  liste_->addItems(QDir(dossier_).entryList({"*.thz"}, QDir::Files, QDir::Name));
  liste_->show();
  ouvert_ = true;
  statusBar()->showMessage(" Fichier en cours : ");
}

void TMainForm::Charger(const QString& nomFichier) {
  if (!ProposerEnregistrement()) return;  // a merge still in the table
  try {
    carnet_.Ouvrir(CheminDe(dossier_ + "/" + nomFichier));
  } catch (const ErreurFichier& e) {
    // Nothing was read: no current file, so nothing can later be written over it.
    carnet_.Fermer();
    Rafraichir(0);
    AfficherFichierEnCours();
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  ouvert_ = true;  // also after a merge saved on the way here
  liste_->hide();
  Rafraichir(0);
  statusBar()->showMessage(" Fichier en cours : " + nomFichier);
  table_->AjusterColonnes(10, 60);  // widest cell plus 10 pixels, at least 60
}

void TMainForm::SelectionnerCellule(int ligne, int colonne) {
  if (ligne < 0 || ligne >= table_->rowCount()) return;
  table_->setCurrentIndex(modele_->index(ligne, std::clamp(colonne, 0, ModeleTableFiches::Colonnes - 1)));
}

void TMainForm::Transferer() {
  const int ligne = table_->currentRow();
  if (ligne < 0) return;
  // Characters the birth files cannot hold are named before anything is stored.
  QStringList avertissements;
  for (QLineEdit* champ : champs_) {
    const std::string a = AvertissementHors1252(champ->text().toStdString());
    if (!a.empty()) avertissements << QString::fromStdString(a);
  }
  if (!avertissements.isEmpty() &&
      !LaPlateforme().Question(avertissements.join("\n") + "\nEnregistrer quand même ?"))
    return;
  SaisieFiche saisie;
  for (int c = 0; c < 8; ++c) saisie[c] = Octets(champs_[c]->text());
  const ResultatModification r = carnet_.Modifier(ligne, saisie, Aujourdhui().toStdString());
  for (int c = 0; c < 8; ++c)
    if (champs_[c]->text() != Texte(saisie[c])) champs_[c]->setText(Texte(saisie[c]));
  if (!r.Reussi()) {
    LaPlateforme().Avertissement(QString::fromStdString(r.message));
    champs_[r.champ - 1]->setFocus();
    return;
  }
  Rafraichir(ligne);
  table_->setFocus();
}

void TMainForm::AjouterLigne() {
  Rafraichir(carnet_.Ajouter());
  // A new person: nothing of the previous row stays in the panel.
  for (QLineEdit* champ : champs_) champ->clear();
  champs_[4]->setText("0");
  champs_[5]->setText("0");
  champs_[1]->setText(Aujourdhui());
  champs_[2]->setText("00h00m00");
  champs_[6]->setText("0");
  champs_[0]->setFocus();
}

void TMainForm::InsererLigne() {
  // The new blank row becomes current: the panel then edits it, not the record it pushed down.
  Rafraichir(carnet_.Inserer(std::max(0, table_->currentRow())));
}

void TMainForm::SupprimerLigne() {
  const int ligne = table_->currentRow();
  if (LaPlateforme().Question("Voulez-vous supprimer cette ligne ?") && ligne >= 0) {
    carnet_.Supprimer(ligne);
    Rafraichir(ligne);
  }
}

void TMainForm::Rechercher(const QString& texte) {
  if (!ouvert_) return;
  const int ligne = carnet_.Chercher(Octets(texte));
  if (ligne < 0) return;
  table_->AllerA(ligne);
  AfficherLigne(ligne);  // also when the row found was already the current one
}

void TMainForm::TrierFichier() {
  if (!ouvert_) return;
  carnet_.Trier();
  Rafraichir(table_->currentRow());
}

bool TMainForm::Sauver() {
  try {
    carnet_.Sauver();
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return false;
  }
  Rafraichir(table_->currentRow());
  return true;
}

void TMainForm::SauverFichier() {
  if (!ouvert_ || !carnet_.AUnFichier() || carnet_.Nombre() == 0) return;
  if (Sauver()) LaPlateforme().Information("Fichier sauvé ");
}

void TMainForm::FermerLaListe() {
  if (!ProposerEnregistrement()) return;
  carnet_.Fermer();
  Rafraichir(0);
  ouvert_ = false;
  liste_->hide();
  AfficherFichierEnCours();
}

void TMainForm::Quitter() { close(); }

void TMainForm::FusionFichiers() {
  if (carnet_.AUnFichier() && carnet_.Modifie()) {
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
  std::vector<std::filesystem::path> choisis;
  for (int i = 0; i < fusion_->count(); ++i)
    if (fusion_->item(i)->checkState() == Qt::Checked)
      choisis.push_back(CheminDe(dossier_ + "/" + fusion_->item(i)->data(Qt::UserRole).toString()));
  if (choisis.empty()) {
    LaPlateforme().Avertissement(QString::fromUtf8("Vous n'avez sélectionné aucun fichier !"));
    return;
  }
  if (!ProposerEnregistrement()) return;
  doublons_->hide();
  try {
    carnet_.Importer(choisis);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  ouvert_ = false;  // the table now holds the merge, not a file
  AfficherFichierEnCours();
  Rafraichir(0);
  doublons_->show();
  enregistrerFusion_->show();
}

void TMainForm::TrierFusion() {
  carnet_.Trier();
  Rafraichir(0);
}

int TMainForm::EliminerDoublons() {
  const int effacees = carnet_.EliminerDoublons();
  Rafraichir(0);
  LaPlateforme().Information(QString::fromUtf8("Nombre de fiches effacées : ") + QString::number(effacees));
  return effacees;
}

void TMainForm::ViderTableau() {
  carnet_.Vider();  // an emptied table must never be saved over the file
  ouvert_ = false;
  AfficherFichierEnCours();
  Rafraichir(0);
}

void TMainForm::Valider() {
  panneauFusion_->hide();
  menuBar()->show();
  enregistrerFusion_->setVisible(table_->rowCount() > 1);
  boutonFusion_->show();
}

bool TMainForm::EnregistrerFusion() {
  const QString invite = "Entrez le nom du nouveau fichier, sans extension ";
  QString nom = "Nouveau";
  if (!LaPlateforme().SaisirTexte(invite, nom)) return false;
  if (nom.trimmed().isEmpty()) {
    LaPlateforme().Erreur("Le nom du fichier ne peut être vide !\n\r\n\r");
    nom = "Nouveau";
    if (!LaPlateforme().SaisirTexte(invite, nom) || nom.trimmed().isEmpty()) return false;
  }
  // Cleaned as the entry window cleans a new file's name: no folder, no "..", in the program folder.
  const QString fichier = QString::fromStdString(NomNouveauFichierNaissance(nom.toStdString()));
  const QString chemin = dossier_ + "/" + fichier;
  if (QFile::exists(chemin) &&
      !LaPlateforme().Question("Le fichier " + fichier + QString::fromUtf8(" existe déjà. Voulez-vous le remplacer ?")))
    return false;
  try {
    carnet_.EnregistrerSous(CheminDe(chemin));
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return false;
  }
  LaPlateforme().Information("Fichier enregistré sous le nom de : " + fichier);
  // The merge is on disk and the table is emptied: nothing is open, so no later
  // close or quit can write the empty table over the file just written.
  ouvert_ = false;
  AfficherFichierEnCours();
  Rafraichir(0);
  enregistrerFusion_->hide();
  return true;
}

void TMainForm::ImporterEchange(bool aaf) {
  if (!carnet_.AUnFichier()) {
    LaPlateforme().Information(QString::fromUtf8("Ouvrez d'abord le fichier de naissances où importer les fiches"));
    return;
  }
  if (carnet_.Modifie()) {
    if (!ProposerEnregistrement()) return;
    if (carnet_.Modifie()) {  // "Non": the edits go, the file as it is receives the records
      try {
        carnet_.Ouvrir(carnet_.Chemin());
      } catch (const ErreurFichier& e) {
        LaPlateforme().Erreur(QString::fromUtf8(e.what()));
        return;
      }
      Rafraichir(0);
    }
  }
  QString source = dossier_;
  if (!LaPlateforme().ChoisirFichier(aaf ? "Importer AAF" : "Importer CSV",
                                     aaf ? "AAF (*.aaf *.AAF);;Tous (*)" : "CSV (*.csv *.CSV);;Tous (*)", false, source))
    return;
  LectureEchange lecture;
  try {
    const std::string texte = LireFichierEntier(CheminDe(source));
    // A record without its coordinates or zone is completed from the atlas of the program folder.
    const CompletionAtlas completion(CheminDe(dossier_));
    lecture = aaf ? LireAaf(texte, &completion) : LireCsvFiches(texte, &completion);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  if (!lecture.erreur.empty() || lecture.fiches.empty()) {
    LaPlateforme().Erreur(QString::fromStdString(lecture.erreur.empty() ? "Aucune fiche à importer." : lecture.erreur) +
                          " (" + source + ")");
    return;
  }
  const QString fichier = QString::fromStdString(carnet_.Chemin().filename().string());
  QStringList rapport;
  for (const std::string& l : lecture.rapport) rapport << QString::fromStdString(l);
  constexpr int Montrees = 25;  // the box stays on the screen; the count says the rest
  if (rapport.size() > Montrees) {
    const int reste = rapport.size() - Montrees;
    rapport = rapport.mid(0, Montrees);
    rapport << QString::fromUtf8("… et %1 autre(s) ligne(s)").arg(reste);
  }
  QString question = QString::fromUtf8("%1 fiche(s) à importer dans %2, %3 refusée(s).")
                         .arg(lecture.fiches.size()).arg(fichier).arg(lecture.refusees);
  if (!rapport.isEmpty()) question += "\n\n" + rapport.join("\n");
  if (!LaPlateforme().Question(question + "\n\nImporter ?")) return;
  try {
    carnet_.InsererDansLeFichier(lecture.fiches);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  Rafraichir(0);
  table_->AjusterColonnes(10, 60);
  LaPlateforme().Information(QString::fromUtf8("%1 fiche(s) importée(s) dans %2").arg(lecture.fiches.size()).arg(fichier));
}

void TMainForm::ExporterEchange(bool aaf) {
  const std::vector<FicheClient> fiches = carnet_.FichesAEcrire();
  if (fiches.empty()) {
    LaPlateforme().Information("Aucune fiche à exporter");
    return;
  }
  QString cible = dossier_ + "/" +
                  QString::fromStdString(carnet_.AUnFichier() ? carnet_.Chemin().stem().string() : "Export") +
                  (aaf ? ".aaf" : ".csv");
  if (!LaPlateforme().ChoisirFichier(aaf ? "Exporter AAF" : "Exporter CSV", aaf ? "AAF (*.aaf)" : "CSV (*.csv)", true,
                                     cible))
    return;
  try {
    const CompletionAtlas completion(CheminDe(dossier_));  // Julian days, summer time and zone names
    RemplacerFichierEntier(CheminDe(cible), aaf ? EcrireAaf(fiches, &completion) : EcrireCsv(fiches));
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  LaPlateforme().Information(QString::fromUtf8("%1 fiche(s) exportée(s) dans %2")
                                 .arg(fiches.size())
                                 .arg(QString::fromStdString(CheminDe(cible).filename().string())));
}

}  // namespace gestion
}  // namespace selvane
