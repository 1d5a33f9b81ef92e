#include "frame/FenetresAnnexes.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "widgets/Commandes.h"

namespace selvane {

namespace {
bool gListeOuverte = false;

QRect Ecran() {
  const QScreen* e = QGuiApplication::primaryScreen();
  return e ? e->availableGeometry() : QRect(0, 0, 1280, 800);
}
}  // namespace

TImgBox::TImgBox(const QString& image, QWidget* parent) : QDialog(parent) {
  setWindowTitle("Selvane");
  setStyleSheet("background: white;");
  auto* disposition = new QVBoxLayout(this);
  auto* etiquette = new QLabel(this);
  etiquette->setPixmap(QPixmap(image));
  etiquette->setAlignment(Qt::AlignCenter);
  disposition->addWidget(etiquette);
  setGeometry(Ecran());
}

QString TFormRaccourcis::TexteRaccourcis(const RegistreCommandes& commandes) {
  return QString::fromUtf8(
             "La majorité des fonctions du programme sont accessibles par\n"
             "simple appui sur une touche, dont voici ci-dessous les correspondances :\n"
             "\n"
             "Touche\tFonction associée\n"
             "\n"
             "Esc\tferme la fenêtre placée au premier plan\n"
             "\n") +
         commandes.LignesRaccourcis();
}

TFormRaccourcis::TFormRaccourcis(const QString& lignes, QWidget* parent) : QWidget(parent) {
  setWindowTitle("Touches de raccourcis");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* texte = new QPlainTextEdit(lignes, this);
  texte->setReadOnly(true);
  texte->setLineWrapMode(QPlainTextEdit::NoWrap);
  texte->setTabStopDistance(80);
  texte->setFont(QFont("Liberation Sans", 11));
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(texte);
}

void TFormRaccourcis::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) close();
  else QWidget::keyPressEvent(evenement);
}

TFormChartList::TFormChartList(const QString& dossier, QWidget* parent)
    : QMainWindow(parent, Qt::Tool | Qt::WindowStaysOnTopHint), dossier_(dossier), liste_(new QListWidget(this)) {
  setWindowTitle(QString::fromUtf8("Thèmes sauvegardés"));
  setAttribute(Qt::WA_DeleteOnClose);
  setCentralWidget(liste_);
  menuBar()->addAction("Vider la liste", this, [this] { ViderLaListe(); });
  menuBar()->addAction("Fermer", this, &QWidget::close);
  connect(liste_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* element) {
    const QString chemin = dossier_ + "/" + element->text();
    gListeOuverte = false;
    close();
    emit ThemeChoisi(chemin);
  });
  const QRect ecran = Ecran();
  resize(420, static_cast<int>(ecran.height() * 0.8));
  gListeOuverte = true;
  Relire();
}

bool TFormChartList::Ouverte() { return gListeOuverte; }

void TFormChartList::Relire() {
  liste_->clear();
  liste_->addItems(QDir(dossier_).entryList({"*.cht"}, QDir::Files, QDir::Name));
  if (liste_->count() > 0) liste_->setCurrentRow(0);
}

void TFormChartList::ViderLaListe() {
  for (int i = 0; i < liste_->count(); ++i) QFile::remove(dossier_ + "/" + liste_->item(i)->text());
  liste_->clear();
}

void TFormChartList::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Delete && liste_->currentItem()) {
    QFile::remove(dossier_ + "/" + liste_->currentItem()->text());
    Relire();
  } else {
    QMainWindow::keyPressEvent(evenement);
  }
}

void TFormChartList::closeEvent(QCloseEvent* evenement) {
  gListeOuverte = false;
  QMainWindow::closeEvent(evenement);
}

}  // namespace selvane
