#include "frame/TFormBackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "widgets/Plateforme.h"
#include "frame/Sauvegarde.h"

namespace selvane {

TFormBackup::TFormBackup(const QString& dossierProgramme, QWidget* parent)
    : QDialog(parent), source_(dossierProgramme), modele_(new QFileSystemModel(this)), arbre_(new QTreeView(this)) {
  setWindowTitle(QString::fromUtf8("Backup - Sauvegarde des données de naissances"));
  auto* invite = new QLabel(QString::fromUtf8("Sélectionnez le support de destination\r\n(Disque dur externe ou stick USB ou autre)"), this);
  auto* support = new QPushButton(QString::fromUtf8("Choisir le support..."), this);
  connect(support, &QPushButton::clicked, this, [this] {
    QString dossier = courant_;
    if (LaPlateforme().ChoisirDossier(dossier)) ChoisirSupport(dossier);
  });
  modele_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  arbre_->setModel(modele_);
  for (int c = 1; c < 4; ++c) arbre_->hideColumn(c);
  arbre_->setHeaderHidden(true);
  arbre_->setToolTip(QString::fromUtf8("Sélectionnez le dossier de destination, ou créez-en un nouveau avec le nom de "
                                       "votre choix, puis cliquez sur son nom et sur « Enregistrer »"));
  destination_ = new QLabel(this);
  connect(arbre_, &QTreeView::clicked, this, [this](const QModelIndex& i) {
    courant_ = modele_->filePath(i);
    destination_->setText("Destination : " + courant_);
  });
  nom_ = new QLineEdit("Nouveau", this);
  auto* creer = new QPushButton(QString::fromUtf8("Créer"), this);
  connect(creer, &QPushButton::clicked, this, [this] { Creer(); });
  etat_ = new QLineEdit(this);
  etat_->setReadOnly(true);
  progression_ = new QProgressBar(this);
  progression_->setRange(0, 100);
  progression_->hide();
  auto* enregistrer = new QPushButton("Enregistrer", this);
  auto* quitter = new QPushButton("Quitter", this);
  connect(enregistrer, &QPushButton::clicked, this, [this] { Enregistrer(); });
  connect(quitter, &QPushButton::clicked, this, &QDialog::close);
  commandes_ = {support, arbre_, nom_, creer, enregistrer, quitter};

  auto* ligneNom = new QHBoxLayout;
  ligneNom->addWidget(new QLabel(QString::fromUtf8("Nom du nouveau répertoire :"), this));
  ligneNom->addWidget(nom_);
  ligneNom->addWidget(creer);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(enregistrer);
  boutons->addWidget(quitter);
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(invite);
  disposition->addWidget(support);
  disposition->addWidget(arbre_, 1);
  disposition->addWidget(destination_);
  disposition->addLayout(ligneNom);
  disposition->addWidget(etat_);
  disposition->addWidget(progression_);
  disposition->addLayout(boutons);
  resize(560, 520);
  ChoisirSupport(source_);
}

void TFormBackup::ChoisirSupport(const QString& dossier) {
  courant_ = dossier;
  destination_->setText("Destination : " + courant_);
  const QModelIndex racine = modele_->setRootPath(dossier);
  arbre_->setRootIndex(racine);
}

QString TFormBackup::DossierCourant() const { return courant_; }

void TFormBackup::Creer() {
  const QString n = nom_->text();
  if (n.isEmpty()) {
    LaPlateforme().Erreur(QString::fromUtf8("Vous devez entrer un nom pour le nouveau répertoire !"));
    return;
  }
  const QString chemin = courant_ + "/" + n;
  if (QDir(chemin).exists()) {
    LaPlateforme().Erreur(QString::fromUtf8("Ce répertoire existe déjà !"));
    return;
  }
  if (!QDir().mkpath(chemin)) {
    LaPlateforme().Erreur(QString::fromUtf8("Impossible de créer le répertoire ") + chemin);
    return;
  }
  ChoisirSupport(courant_);
}

void TFormBackup::Enregistrer() {
  progression_->setValue(0);
  progression_->show();
  for (QWidget* w : commandes_) w->setEnabled(false);
  const QString destination = courant_;
  // Half a second for the tree to show the destination before the copy starts.
  QEventLoop attente;
  QTimer::singleShot(500, &attente, &QEventLoop::quit);
  attente.exec();
  bool reussi = true;
  try {
    SauvegarderDonnees(source_.toStdString(), destination.toStdString(), [this](int pourcent, const std::string& cible) {
      if (!cible.empty()) etat_->setText(QString::fromStdString(cible));
      progression_->setValue(pourcent);
      dernier_ = pourcent;
      QCoreApplication::processEvents();
    });
  } catch (const std::exception& erreur) {
    reussi = false;
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  if (reussi) etat_->setText(QString::fromUtf8("Sauvegarde terminée avec succès"));
  progression_->reset();
  progression_->hide();
  for (QWidget* w : commandes_) w->setEnabled(true);
}

}  // namespace selvane
