#include "birthdata/TFormDomiscop.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"

namespace selvane {

TFormDomiscop::TFormDomiscop(const QString& dossier, QWidget* parent)
    : QWidget(parent, Qt::Window), carte_(new QSvgRenderer(dossier + "/planisf.svg", this)), position_(new QLineEdit(this)) {
  setWindowTitle(QString::fromUtf8("    Planisphère et fuseaux horaires"));
  setAttribute(Qt::WA_DeleteOnClose);
  setMouseTracking(true);
  position_->setReadOnly(true);
  position_->setAlignment(Qt::AlignCenter);
  position_->setFixedWidth(220);
  auto* fermer = new QPushButton("Fermer", this);
  connect(fermer, &QPushButton::clicked, this, &QWidget::close);
  fermer->move(8, 8);
  const QScreen* ecran = QGuiApplication::primaryScreen();
  hauteurEcran_ = ecran ? ecran->geometry().height() : 800;
  if (ecran) setGeometry(ecran->availableGeometry());
}

void TFormDomiscop::MontrerPosition(int x, int y) {
  const Coordonnees c = CoordonneesPlanisphere(x, y, width(), hauteurEcran_);
  position_->setText(Texte(FormatLatitude(c.latitude) + "  /  " + FormatLongitude(c.longitude)));
}

void TFormDomiscop::paintEvent(QPaintEvent*) {
  QPainter p(this);
  carte_->render(&p, QRectF(0, 0, width(), height()));
  position_->move((width() - position_->width()) / 2, 8);
}

void TFormDomiscop::mouseMoveEvent(QMouseEvent* e) { MontrerPosition(e->position().toPoint().x(), e->position().toPoint().y()); }

void TFormDomiscop::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(e);
}

const QStringList& TFormCarte::NomsCartes() {
  static const QStringList noms = {"Afrique", QString::fromUtf8("Amérique Nord"), QString::fromUtf8("Amérique Sud"),
                                   "Asie", "Australie", "Europe", "Russie"};
  return noms;
}

const QStringList& TFormCarte::FichiersCartes() {
  static const QStringList fichiers = {"Afrique", "AmeriqueNord", "AmeriqueSud", "Asie", "Australie", "Europe", "Russie"};
  return fichiers;
}

TFormCarte::TFormCarte(const QString& dossier, int index, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("Régimes horaires"));
  auto* image = new QLabel(this);
  QPixmap carte(dossier + "/" + FichiersCartes().value(index) + ".jpg");
  // At its natural size, unless that would run off the screen (window frame included).
  const QScreen* ecran = QGuiApplication::primaryScreen();
  if (ecran && !carte.isNull()) {
    const QSize place = ecran->availableGeometry().size() - QSize(16, 40);
    if (carte.width() > place.width() || carte.height() > place.height())
      carte = carte.scaled(place, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  image->setPixmap(carte);
  auto* disposition = new QVBoxLayout(this);
  disposition->setContentsMargins(0, 0, 0, 0);
  disposition->addWidget(image);
  setFixedSize(carte.size());
  // Centred horizontally, at the bottom of the screen.
  if (ecran) {
    const QRect r = ecran->availableGeometry();
    move(r.x() + (r.width() - carte.width()) / 2, std::max(r.y(), r.bottom() - carte.height() - 30));
  }
}

}  // namespace selvane
