#pragma once
// Everything the logic asks of the platform, behind one interface so that tests
// answer instead of a person: message boxes with the exact French texts, the
// input box, colour and folder choosers, the print dialog, starting a program,
// the help window and web addresses.
#include <QApplication>
#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>

class QPrinter;
class QWidget;

namespace selvane {

// The answer to a question that may also be cancelled.
enum class Reponse { Oui, Non, Annuler };

// How the print dialog was left: printing, or one of its two extra buttons.
enum class ChoixImpression { Annuler, Imprimer, Apercu, ExporterPdf };

class Plateforme {
 public:
  virtual ~Plateforme() = default;
  virtual void Avertissement(const QString& texte) = 0;
  virtual void Information(const QString& texte) = 0;
  virtual void Erreur(const QString& texte) = 0;
  // Yes/No: true for Yes.
  virtual bool Question(const QString& texte) = 0;
  // Yes/No/Cancel; closing the box cancels.
  virtual Reponse QuestionOuiNonAnnuler(const QString& texte) = 0;
  // False when cancelled.
  virtual bool SaisirTexte(const QString& invite, QString& texte) = 0;
  virtual bool ChoisirCouleur(QColor& couleur) = 0;
  virtual bool ChoisirDossier(QString& dossier) = 0;
  // A file to read (or, with `enregistrer`, to write) under a name filter ("AAF (*.aaf)");
  // `chemin` proposes and receives it. False when cancelled.
  virtual bool ChoisirFichier(const QString& titre, const QString& filtre, bool enregistrer, QString& chemin) = 0;
  virtual bool DialogueImpression(QPrinter& imprimante) = 0;
  // The print dialog with "Aperçu…" and "Exporter en PDF…" beside its own buttons.
  virtual ChoixImpression DialogueImpressionDocument(QPrinter& imprimante) = 0;
  // The preview; `peindre` paints the pages on the printer it is given (also when the
  // preview's own print button is used). True when it was printed from there.
  virtual bool ApercuImpression(QPrinter& imprimante, const std::function<void(QPrinter&)>& peindre) = 0;
  virtual void LancerProgramme(const QString& chemin) = 0;
  virtual void OuvrirAide(const QString& rubrique) = 0;
  virtual void OuvrirAdresse(const QString& adresse) = 0;
};

// The process-wide platform; the Qt one unless a test installed its own.
Plateforme& LaPlateforme();
void DefinirPlateforme(Plateforme* plateforme);  // nullptr: back to Qt

// The Qt implementation (QMessageBox, QInputDialog, QColorDialog, ...).
class PlateformeQt : public Plateforme {
 public:
  void Avertissement(const QString& texte) override;
  void Information(const QString& texte) override;
  void Erreur(const QString& texte) override;
  bool Question(const QString& texte) override;
  Reponse QuestionOuiNonAnnuler(const QString& texte) override;
  bool SaisirTexte(const QString& invite, QString& texte) override;
  bool ChoisirCouleur(QColor& couleur) override;
  bool ChoisirDossier(QString& dossier) override;
  bool ChoisirFichier(const QString& titre, const QString& filtre, bool enregistrer, QString& chemin) override;
  bool DialogueImpression(QPrinter& imprimante) override;
  ChoixImpression DialogueImpressionDocument(QPrinter& imprimante) override;
  bool ApercuImpression(QPrinter& imprimante, const std::function<void(QPrinter&)>& peindre) override;
  void LancerProgramme(const QString& chemin) override;
  void OuvrirAide(const QString& rubrique) override;
  void OuvrirAdresse(const QString& adresse) override;
};

// Installs Qt's French translations (qtbase_fr); false when they are not installed.
bool ChargerTraductionsQt(QCoreApplication& application);

// The application (French Qt dialogs): a file error or a conversion error that escapes a command
// is shown in the error box and the program goes on.
class ApplicationSelvane : public QApplication {
 public:
  ApplicationSelvane(int& argc, char** argv);
  bool notify(QObject* destinataire, QEvent* evenement) override;
};

}  // namespace selvane
