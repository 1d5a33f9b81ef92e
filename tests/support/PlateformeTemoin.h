#pragma once
// The platform double of the tests and the guard that installs it.
#include <QList>
#include <QString>
#include <QStringList>

#include "widgets/Plateforme.h"

namespace selvane {

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
  QList<Reponse> reponsesTroisVoies;  // consumed in order; Annuler when empty
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
  Reponse QuestionOuiNonAnnuler(const QString& texte) override {
    messages << Message{"question", texte};
    return reponsesTroisVoies.isEmpty() ? Reponse::Annuler : reponsesTroisVoies.takeFirst();
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
  QStringList fichiers;     // consumed in order; cancel when empty
  bool ChoisirFichier(const QString&, const QString&, bool, QString& chemin) override {
    if (fichiers.isEmpty()) return false;
    chemin = fichiers.takeFirst();
    return true;
  }
  bool DialogueImpression(QPrinter& imprimante) override;
  // With `imprimer`, the print dialog is left by this choice; a confirmed print and a
  // preview paint into fichierPdf.
  ChoixImpression choixImpression = ChoixImpression::Imprimer;
  bool niveauxDeGris = false;  // "Niveaux de gris" ticked in the dialog
  int apercus = 0;
  ChoixImpression DialogueImpressionDocument(QPrinter& imprimante) override;
  bool ApercuImpression(QPrinter& imprimante, const std::function<void(QPrinter&)>& peindre) override;
  void LancerProgramme(const QString& chemin) override { programmes << chemin; }
  void OuvrirAide(const QString& rubrique) override { aides << rubrique; }
  void OuvrirAdresse(const QString& adresse) override { adresses << adresse; }
};

// A PlateformeTemoin installed as the process's platform for its lifetime
// (a test fixture's member): the Qt platform is back when it goes.
class TemoinInstalle : public PlateformeTemoin {
 public:
  TemoinInstalle() { DefinirPlateforme(this); }
  ~TemoinInstalle() override { DefinirPlateforme(nullptr); }
  TemoinInstalle(const TemoinInstalle&) = delete;
  TemoinInstalle& operator=(const TemoinInstalle&) = delete;
};

}  // namespace selvane
