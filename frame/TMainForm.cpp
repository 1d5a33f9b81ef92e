#include "TMainForm.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <ctime>

#include "Catalogue.h"
#include "Conversions.h"
#include "Ephemerides.h"
#include "FenetreAide.h"
#include "ErreurFichier.h"
#include "EtatTheme.h"
#include "Reglages.h"
#include "ThemeDuMoment.h"

namespace selvane {

namespace {
QString Texte(const std::string& octets1252) {
  return QString::fromStdString(Cp1252VersUtf8(octets1252));
}
}  // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle("Selvane");
  zone_ = new QMdiArea(this);
  setCentralWidget(zone_);
  QMenu* fichier = menuBar()->addMenu("&Fichier");
  fichier->addAction("&Quitter", QKeySequence::Quit, this, &QWidget::close);
  QMenu* aide = menuBar()->addMenu("Aide");
  aide->addAction("Aide", QKeySequence(Qt::Key_F1), this, [this] { OuvrirRubriqueAide("index.htm", this); });
  resume_ = new QLabel(this);
  statusBar()->addWidget(resume_, 1);
  FormCreate();
}

TMainForm::~TMainForm() { FermerEphemerides(); }

void TMainForm::FormCreate() {
  // The glyph fonts live beside the program.
  const QString dossier = QCoreApplication::applicationDirPath();
  for (const char* police : {"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf"})
    QFontDatabase::addApplicationFont(dossier + "/" + police);
  OuvrirEphemerides();
  // A missing or damaged settings file is reported, and the program goes on
  // with the installed values for whatever could not be read.
  AppliquerReglagesParDefaut();
  try {
    ChargerReglages(dossier.toStdString());
  } catch (const std::exception& erreur) {
    QMessageBox::critical(this, "Selvane", QString::fromUtf8(erreur.what()));
  }
  if (const QScreen* ecran = QApplication::primaryScreen())
    resize(ecran->availableGeometry().size() * 0.8);
  CalculerThemeDuMoment(std::time(nullptr));
  const EtatTheme& e = Etat();
  resume_->setText(Texte(e.NomAffiche.Chaine()) + "  " + Texte(e.LigneDateHeure.Chaine()) + "  " +
                   Texte(e.LigneCoordonnees.Chaine()) + "  Soleil " +
                   Texte(FormatDansSigneAbrev(e.Positions[Soleil][1])));
}

}  // namespace selvane
