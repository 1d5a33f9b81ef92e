#pragma once
// The chart listing window: the wheel, the header, the aspect table; it keeps
// its chart's radix rows and forwards single keys to the main window.
#include <QImage>
#include <QWidget>

#include "core/EtatTheme.h"
#include "dessin/Palette.h"

class QLabel;

namespace selvane {

// What the listing window asks of the main window.
class FenetrePrincipale {
 public:
  virtual ~FenetrePrincipale() = default;
  virtual bool ExecuterTouche(int touche) = 0;           // false: no command has that key
  virtual void CopierRadix(const LignesRadix& lignes) = 0; // on activation
  virtual void ActiverMenusTheme() = 0;                  // print item, "Fenêtre", "Calculs divers"
  virtual void DefinirFondsSignes(bool actif) = 0;       // keys F and K
  virtual OptionsDessin Options() const = 0;             // how the charts are drawn
};

class TFormAffSmpl : public QWidget {
  Q_OBJECT
 public:
  // Draws the current chart state; writes the saved chart file into `dossier`
  // (throws ErreurFichier when it cannot).
  TFormAffSmpl(FenetrePrincipale* principale, const QString& dossier, QWidget* parent = nullptr);

  const LignesRadix& Radix() const { return StringGridData; }
  const QImage& Image() const { return Image1; }
  QLabel* Etiquette() const { return Label1; }
  void Rafraichir();
  void Activer();  // copies the radix to the main window, shows the label
  void Redessiner() { Dessiner(); }  // after a change of colours or sign backgrounds
  // After the options changed: this window's chart recomputed with the new house
  // system, orientation and planet set, then redrawn.
  void AppliquerOptions();

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void mousePressEvent(QMouseEvent* evenement) override;
  void paintEvent(QPaintEvent* evenement) override;
  void resizeEvent(QResizeEvent* evenement) override;
  bool eventFilter(QObject* objet, QEvent* evenement) override;

 private:
  FenetrePrincipale* principale_;
  LignesRadix StringGridData;
  QImage Image1;
  QLabel* Label1;
  EtatTheme etatDessine_;  // the chart as drawn, so a resize redraws the same chart
  void Dessiner();
};

// "DUPONT,Jean - Natal.cht": the name cut to 39 characters with its separator, 64 with the group, 68 in all.
QString NomFichierTheme(const std::string& nom, const std::string& groupe);

}  // namespace selvane
