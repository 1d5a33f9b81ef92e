#include "widgets/FenetreAide.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace selvane {

FenetreAide::FenetreAide(const QString& dossierAide, QWidget* parent)
    : QDialog(parent), dossier_(dossierAide), navigateur_(new QTextBrowser(this)) {
  setWindowTitle("Aide de Selvane");
  navigateur_->setSearchPaths({dossier_});
  // The pages' style sheet, which the text browser does not fetch by itself.
  QFile style(dossier_ + "/style.css");
  if (style.open(QIODevice::ReadOnly)) navigateur_->document()->setDefaultStyleSheet(QString::fromUtf8(style.readAll()));
  navigateur_->setOpenExternalLinks(true);
  auto* precedent = new QPushButton(QString::fromUtf8("◀ Précédent"), this);
  auto* suivant = new QPushButton(QString::fromUtf8("Suivant ▶"), this);
  auto* sommaire = new QPushButton("Sommaire", this);
  auto* fermer = new QPushButton("Fermer", this);
  precedent->setEnabled(false);
  suivant->setEnabled(false);
  connect(precedent, &QPushButton::clicked, navigateur_, &QTextBrowser::backward);
  connect(suivant, &QPushButton::clicked, navigateur_, &QTextBrowser::forward);
  connect(navigateur_, &QTextBrowser::backwardAvailable, precedent, &QPushButton::setEnabled);
  connect(navigateur_, &QTextBrowser::forwardAvailable, suivant, &QPushButton::setEnabled);
  connect(sommaire, &QPushButton::clicked, this, [this] { Afficher("index.htm"); });
  connect(fermer, &QPushButton::clicked, this, &QDialog::close);
  auto* boutons = new QHBoxLayout;
  boutons->addWidget(precedent);
  boutons->addWidget(suivant);
  boutons->addWidget(sommaire);
  boutons->addStretch();
  boutons->addWidget(fermer);
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(navigateur_);
  disposition->addLayout(boutons);
  resize(760, 620);
}

bool FenetreAide::Afficher(const QString& rubrique) {
  QString nom = rubrique;
  if (!nom.endsWith(".htm") && !nom.endsWith(".html")) nom += ".htm";
  const QString chemin = dossier_ + "/" + nom;
  if (!QFileInfo::exists(chemin)) {
    navigateur_->setHtml(QString::fromUtf8("<h2>Rubrique introuvable</h2><p>La page d'aide « %1 » n'est pas "
                                           "installée dans %2.</p>")
                             .arg(rubrique.toHtmlEscaped(), dossier_.toHtmlEscaped()));
    return false;
  }
  navigateur_->setSource(QUrl::fromLocalFile(chemin));
  setWindowTitle("Aide de Selvane - " + navigateur_->documentTitle());
  return true;
}

void OuvrirRubriqueAide(const QString& rubrique, QWidget* parent) {
  static QPointer<FenetreAide> fenetre;
  if (!fenetre) {
    fenetre = new FenetreAide(QCoreApplication::applicationDirPath() + "/aide", parent);
    fenetre->setAttribute(Qt::WA_DeleteOnClose);
  }
  fenetre->Afficher(rubrique);
  fenetre->show();
  fenetre->raise();
  fenetre->activateWindow();
}

}  // namespace selvane
