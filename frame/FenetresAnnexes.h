#pragma once
// The small windows of the frame: start-up picture, saved-charts list, shortcuts.
#include <QDialog>
#include <QMainWindow>
#include <QWidget>

class QListWidget;

namespace selvane {

class RegistreCommandes;

// Full screen, white, the start-up picture centred; a click or a key closes it.
class TImgBox : public QDialog {
  Q_OBJECT
 public:
  explicit TImgBox(const QString& image, QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent*) override { accept(); }
  void keyPressEvent(QKeyEvent*) override { accept(); }
};

// "Touches de raccourcis": the table of single-key commands, read only.
class TFormRaccourcis : public QWidget {
  Q_OBJECT
 public:
  explicit TFormRaccourcis(const QString& texte, QWidget* parent = nullptr);
  // The fixed head of the list, then the keys of the registered commands.
  static QString TexteRaccourcis(const RegistreCommandes& commandes);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
};

// "Thèmes sauvegardés": the saved chart files of the program directory.
class TFormChartList : public QMainWindow {
  Q_OBJECT
 public:
  TFormChartList(const QString& dossier, QWidget* parent = nullptr);
  void Relire();
  QListWidget* Liste() const { return liste_; }
  static bool Ouverte();

 signals:
  // A file was chosen: the main window reopens it as the current chart.
  void ThemeChoisi(const QString& chemin);

 protected:
  void keyPressEvent(QKeyEvent* evenement) override;
  void closeEvent(QCloseEvent* evenement) override;

 private:
  QString dossier_;
  QListWidget* liste_;
  void ViderLaListe();
};

}  // namespace selvane
