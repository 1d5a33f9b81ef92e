#include "widgets/Plateforme.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QPushButton>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProcess>
#include <QUrl>
#include <exception>

#include "widgets/FenetreAide.h"

namespace selvane {

namespace {

PlateformeQt gQt;
Plateforme* gCourante = &gQt;

QWidget* Parent() { return QApplication::activeWindow(); }

// Each program's boxes carry its own name (Selvane, GestSelvane).
QString Titre() {
  const QString nom = QGuiApplication::applicationDisplayName();
  return nom.isEmpty() ? QString("Selvane") : nom;
}

}  // namespace

Plateforme& LaPlateforme() { return *gCourante; }
void DefinirPlateforme(Plateforme* plateforme) { gCourante = plateforme ? plateforme : &gQt; }

void PlateformeQt::Avertissement(const QString& texte) { QMessageBox::warning(Parent(), Titre(), texte); }
void PlateformeQt::Information(const QString& texte) { QMessageBox::information(Parent(), Titre(), texte); }
void PlateformeQt::Erreur(const QString& texte) { QMessageBox::critical(Parent(), Titre(), texte); }

bool PlateformeQt::Question(const QString& texte) {
  QMessageBox boite(QMessageBox::Question, Titre(), texte, QMessageBox::NoButton, Parent());
  QPushButton* oui = boite.addButton("Oui", QMessageBox::YesRole);
  boite.addButton("Non", QMessageBox::NoRole);
  boite.exec();
  return boite.clickedButton() == oui;
}

Reponse PlateformeQt::QuestionOuiNonAnnuler(const QString& texte) {
  QMessageBox boite(QMessageBox::Question, Titre(), texte, QMessageBox::NoButton, Parent());
  QPushButton* oui = boite.addButton("Oui", QMessageBox::YesRole);
  QPushButton* non = boite.addButton("Non", QMessageBox::NoRole);
  QPushButton* annuler = boite.addButton("Annuler", QMessageBox::RejectRole);
  boite.setDefaultButton(oui);
  boite.setEscapeButton(annuler);
  boite.exec();
  if (boite.clickedButton() == oui) return Reponse::Oui;
  if (boite.clickedButton() == non) return Reponse::Non;
  return Reponse::Annuler;
}

bool PlateformeQt::SaisirTexte(const QString& invite, QString& texte) {
  bool ok = false;
  const QString r = QInputDialog::getText(Parent(), Titre(), invite, QLineEdit::Normal, texte, &ok);
  if (ok) texte = r;
  return ok;
}

bool PlateformeQt::ChoisirCouleur(QColor& couleur) {
  const QColor c = QColorDialog::getColor(couleur, Parent(), "Couleur");
  if (!c.isValid()) return false;
  couleur = c;
  return true;
}

bool PlateformeQt::ChoisirDossier(QString& dossier) {
  const QString d = QFileDialog::getExistingDirectory(Parent(), "Dossier", dossier);
  if (d.isEmpty()) return false;
  dossier = d;
  return true;
}

bool PlateformeQt::ChoisirFichier(const QString& titre, const QString& filtre, bool enregistrer, QString& chemin) {
  const QString c = enregistrer ? QFileDialog::getSaveFileName(Parent(), titre, chemin, filtre)
                                : QFileDialog::getOpenFileName(Parent(), titre, chemin, filtre);
  if (c.isEmpty()) return false;
  chemin = c;
  return true;
}

bool PlateformeQt::DialogueImpression(QPrinter& imprimante) {
  QPrintDialog dialogue(&imprimante, Parent());
  return dialogue.exec() == QDialog::Accepted;
}

ChoixImpression PlateformeQt::DialogueImpressionDocument(QPrinter& imprimante) {
  QPrintDialog dialogue(&imprimante, Parent());
  ChoixImpression choix = ChoixImpression::Annuler;
  // Qt's own dialog (not the desktop's) has a button box the two choices join.
  if (auto* boutons = dialogue.findChild<QDialogButtonBox*>()) {
    const auto ajouter = [&](const char* titre, ChoixImpression c) {
      QPushButton* b = boutons->addButton(QString::fromUtf8(titre), QDialogButtonBox::ActionRole);
      QObject::connect(b, &QPushButton::clicked, &dialogue, [&dialogue, &choix, c] {
        choix = c;
        dialogue.done(QDialog::Rejected);
      });
    };
    ajouter("Aperçu…", ChoixImpression::Apercu);
    ajouter("Exporter en PDF…", ChoixImpression::ExporterPdf);
  }
  if (dialogue.exec() == QDialog::Accepted) return ChoixImpression::Imprimer;
  return choix;
}

bool PlateformeQt::ApercuImpression(QPrinter& imprimante, const std::function<void(QPrinter&)>& peindre) {
  QPrintPreviewDialog apercu(&imprimante, Parent());
  apercu.setWindowTitle(QString::fromUtf8("Aperçu avant impression"));
  QObject::connect(&apercu, &QPrintPreviewDialog::paintRequested, &apercu, [&peindre](QPrinter* p) { peindre(*p); });
  return apercu.exec() == QDialog::Accepted;
}

void PlateformeQt::LancerProgramme(const QString& chemin) {
  // The program works in its own folder (its data and birth files are there),
  // whatever folder this one was started from.
  const QFileInfo programme(chemin);
  QProcess::startDetached(programme.absoluteFilePath(), {}, programme.absolutePath());
}
void PlateformeQt::OuvrirAide(const QString& rubrique) { OuvrirRubriqueAide(rubrique, Parent()); }
void PlateformeQt::OuvrirAdresse(const QString& adresse) { QDesktopServices::openUrl(QUrl(adresse)); }

bool ChargerTraductionsQt(QCoreApplication& application) {
  // Qt's own dialogs (print, colour, folder, input) in French, from Debian's qt6-translations-l10n.
  auto* traducteur = new QTranslator(&application);
  if (!traducteur->load(QLocale(QLocale::French, QLocale::France), "qtbase", "_",
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete traducteur;
    return false;
  }
  application.installTranslator(traducteur);
  return true;
}

ApplicationSelvane::ApplicationSelvane(int& argc, char** argv) : QApplication(argc, argv) {
  ChargerTraductionsQt(*this);
}

bool ApplicationSelvane::notify(QObject* destinataire, QEvent* evenement) {
  try {
    return QApplication::notify(destinataire, evenement);
  } catch (const std::exception& erreur) {
    // The command stops; the program and its files stay as they were.
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  return false;
}

}  // namespace selvane
