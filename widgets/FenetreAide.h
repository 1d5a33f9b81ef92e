#pragma once
// The in-program help window: shows the HTML help pages installed in the
// "aide" folder of the program directory, with links, back and forward.
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace selvane {

class FenetreAide : public QDialog {
  Q_OBJECT
 public:
  explicit FenetreAide(const QString& dossierAide, QWidget* parent = nullptr);
  // Shows a topic by its name ("EnterData.htm", or "OptionHelp" without extension);
  // false, with a page saying so, when the topic does not exist.
  bool Afficher(const QString& rubrique);
  QTextBrowser* Navigateur() const { return navigateur_; }

 private:
  QString dossier_;
  QTextBrowser* navigateur_;
};

// Opens (or raises) the help window of the program on a topic.
void OuvrirRubriqueAide(const QString& rubrique, QWidget* parent = nullptr);

}  // namespace selvane
