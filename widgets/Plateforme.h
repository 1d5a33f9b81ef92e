#pragma once
// Everything the logic asks of the platform, behind one interface so that tests
// answer instead of a person: message boxes with the exact French texts, the
// input box, colour and folder choosers, the print dialog, starting a program,
// the help window and web addresses.
#include <QApplication>
#include <QColor>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace selvane {

class Plateforme {
 public:
  virtual ~Plateforme() = default;
  virtual void Avertissement(const QString& texte) = 0;
  virtual void Information(const QString& texte) = 0;
  virtual void Erreur(const QString& texte) = 0;
  // Yes/No: true for Yes.
  virtual bool Question(const QString& texte) = 0;
  // False when cancelled.
  virtual bool SaisirTexte(const QString& invite, QString& texte) = 0;
  virtual bool ChoisirCouleur(QColor& couleur) = 0;
  virtual bool ChoisirDossier(QString& dossier) = 0;
  virtual bool DialogueImpression(QPrinter& imprimante) = 0;
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
  bool SaisirTexte(const QString& invite, QString& texte) override;
  bool ChoisirCouleur(QColor& couleur) override;
  bool ChoisirDossier(QString& dossier) override;
  bool DialogueImpression(QPrinter& imprimante) override;
  void LancerProgramme(const QString& chemin) override;
  void OuvrirAide(const QString& rubrique) override;
  void OuvrirAdresse(const QString& adresse) override;
};

// Records every request and answers from scripts (tests).
class PlateformeTemoin : public Plateforme {
 public:
  struct Message {
    QString genre;  // "avertissement", "information", "erreur", "question"
    QString texte;
  };
  QList<Message> messages;
  QList<bool> reponsesQuestions;   // consumed in order; No when empty
  QStringList reponsesSaisies;     // consumed in order; cancel when empty
  bool imprimer = true;
  QString fichierPdf;  // where a confirmed print goes
  QStringList programmes, aides, adresses;

  void Avertissement(const QString& texte) override { messages << Message{"avertissement", texte}; }
  void Information(const QString& texte) override { messages << Message{"information", texte}; }
  void Erreur(const QString& texte) override { messages << Message{"erreur", texte}; }
  bool Question(const QString& texte) override {
    messages << Message{"question", texte};
    return reponsesQuestions.isEmpty() ? false : reponsesQuestions.takeFirst();
  }
  bool SaisirTexte(const QString&, QString& texte) override {
    if (reponsesSaisies.isEmpty()) return false;
    texte = reponsesSaisies.takeFirst();
    return true;
  }
  QList<QColor> couleurs;   // consumed in order; cancel when empty
  QStringList dossiers;     // consumed in order; cancel when empty
  bool ChoisirCouleur(QColor& couleur) override {
    if (couleurs.isEmpty()) return false;
    couleur = couleurs.takeFirst();
    return true;
  }
  bool ChoisirDossier(QString& dossier) override {
    if (dossiers.isEmpty()) return false;
    dossier = dossiers.takeFirst();
    return true;
  }
  bool DialogueImpression(QPrinter& imprimante) override;
  void LancerProgramme(const QString& chemin) override { programmes << chemin; }
  void OuvrirAide(const QString& rubrique) override { aides << rubrique; }
  void OuvrirAdresse(const QString& adresse) override { adresses << adresse; }
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
