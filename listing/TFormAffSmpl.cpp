#include "listing/TFormAffSmpl.h"
#include "widgets/Fenetres.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "core/Calcul.h"
#include "core/EmpruntEtat.h"
#include "widgets/Texte1252.h"
#include "listing/DessinTheme.h"
#include "birthdata/records/FichierNaissance.h"
#include "reglages/Reglages.h"

namespace selvane {

namespace {


bool PetitEcran() {
  const QScreen* ecran = QGuiApplication::primaryScreen();
  return ecran && ecran->geometry().height() < 600;
}

}  // namespace

QString NomFichierTheme(const std::string& nom, const std::string& groupe) {
  std::string s = (nom + " - ").substr(0, 39);
  s = (s + groupe).substr(0, 64);
  s = (s + ".cht").substr(0, 68);
  QString q = Texte(s);
  q.replace('/', '-');  // a name may hold a slash; the file system refuses it
  return q;
}

TFormAffSmpl::TFormAffSmpl(FenetrePrincipale* principale, const QString& dossier, QWidget* parent)
    : QWidget(parent), principale_(principale), Label1(new QLabel(this)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  const EtatTheme& e = Etat();
  setWindowTitle(Texte(e.NomAffiche.Chaine()) + " - " + Texte(e.NomFichierNaissance.Chaine()));
  Label1->setText(Texte(e.FicheEnCours.Commentaire.Chaine()));
  Label1->setAlignment(Qt::AlignCenter);
  Label1->installEventFilter(this);
  resize(parent ? parent->size() : QSize(1200, 800));
  Rafraichir();
  if (principale_) principale_->ActiverMenusTheme();
  const QString chemin = dossier + "/" + NomFichierTheme(e.FicheEnCours.Nom.Chaine(), e.NomFichierNaissance.Chaine());
  EcrireFichierTheme(chemin.toStdString(), e.FicheEnCours);
}

void TFormAffSmpl::Rafraichir() {
  StringGridData = EcrireRadix();
  etatDessine_ = Etat();
  Dessiner();
}

void TFormAffSmpl::AppliquerOptions() {
  // This window's chart is computed in the chart state, which then comes back as it was,
  // whether the computation went through or threw.
  EmpruntEtat emprunt(EmpruntEtat::RendreToutLEtat);
  const EtatTheme& courant = Etat();
  EtatTheme calcul = etatDessine_;
  calcul.SystemeMaisons = courant.SystemeMaisons;
  calcul.Orientation = courant.Orientation;
  calcul.JeuPlanetes = courant.JeuPlanetes;
  Etat() = calcul;
  CalculerTheme(EcartGlyphes8);
  etatDessine_ = Etat();
  StringGridData = EcrireRadix();
  emprunt.Rendre();
  Dessiner();
}

void TFormAffSmpl::Dessiner() {
  const qreal echelle = devicePixelRatioF();
  const QSize taille = size().expandedTo(QSize(320, 240));
  Image1 = QImage(taille * echelle, QImage::Format_RGB32);
  Image1.setDevicePixelRatio(echelle);
  QPainter p(&Image1);
  DessinerTheme(p, taille, etatDessine_, LesReglages(), principale_ ? principale_->Options() : OptionsDessin(), PetitEcran());
  p.end();
  const QColor fond = Image1.pixelColor(1, 1);
  Label1->setStyleSheet(QString("background:%1;").arg(fond.name()));
  // Centred and only as wide as its text, so the header beside it stays visible.
  Label1->adjustSize();
  Label1->move((width() - Label1->width()) / 2, 2);
  update();
}

void TFormAffSmpl::Activer() {
  if (principale_) principale_->CopierRadix(StringGridData);
  Label1->show();
}

void TFormAffSmpl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(QPointF(0, 0), Image1);
}

void TFormAffSmpl::resizeEvent(QResizeEvent*) { Dessiner(); }

void TFormAffSmpl::mousePressEvent(QMouseEvent*) { Label1->setVisible(!Label1->isVisible()); }

bool TFormAffSmpl::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == Label1 && evenement->type() == QEvent::MouseButtonPress) {
    Label1->hide();
    return true;
  }
  return QWidget::eventFilter(objet, evenement);
}

void TFormAffSmpl::keyPressEvent(QKeyEvent* evenement) {
  const int touche = evenement->key();
  if (touche == Qt::Key_F5) {
    CalculerTheme(EcartGlyphes8);
    Rafraichir();
  } else if (touche == Qt::Key_Escape) {
    FermerFenetre(this);
  } else if (touche == Qt::Key_F && principale_) {
    principale_->DefinirFondsSignes(true);
  } else if (touche == Qt::Key_K && principale_) {
    principale_->DefinirFondsSignes(false);
  } else if (!principale_ || !principale_->ExecuterTouche(touche)) {
    // The main window's commands have the keys; any other goes the usual way.
    QWidget::keyPressEvent(evenement);
  }
}

}  // namespace selvane
