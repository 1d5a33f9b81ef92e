#pragma once
// The panel of planetary pictures A + B - C beside the dial: a theme list, the
// pictures of the chosen form file, sorting by key and copying as a table.
#include <QFrame>
#include <QString>
#include <string>
#include <vector>

#include "data/textes/FormeImage.h"

class QComboBox;
class QPushButton;

namespace selvane {

class GrilleTexte;

// The eleven themes; item i (0-based) reads the file "<i + 1>.frm". UTF-8.
extern const char* const ThemesFormulaire[11];

// The records of "<dossier>/<numero>.frm". A file that cannot be read, or whose
// size or length bytes are not those of the record layout, throws ErreurFichier
// naming the file: the panel then keeps what it showed.
std::vector<FormeImage> ChargerFormesImages(const std::string& dossier, int numero);

// Stable sorts, so that records of equal keys keep their file order.
void TrierFormesParCle(std::vector<FormeImage>& formes);
void TrierFormesParC(std::vector<FormeImage>& formes);

// The four visible cells of every row separated by tabs, each line ended by CR LF.
QString TexteExportFormes(const std::vector<FormeImage>& formes);

class PanneauFormulaire : public QFrame {
  Q_OBJECT
 public:
  explicit PanneauFormulaire(const QString& dossier, QWidget* parent = nullptr);

  QComboBox* BoxChoix = nullptr;
  GrilleTexte* Formulaire = nullptr;
  QPushButton* BtnSort = nullptr;
  QPushButton* BtnExport = nullptr;
  QPushButton* BtnFermerFormulaire = nullptr;

  const std::vector<FormeImage>& Formes() const { return formes_; }

  void BoxChoixClick(int item);
  void BtnSortClick();
  void BtnExportClick();
  void BtnFermerFormulaireClick() { hide(); }

 protected:
  void mousePressEvent(QMouseEvent* evenement) override;

 private:
  QString dossier_;
  std::vector<FormeImage> formes_;
  void Afficher();
};

}  // namespace selvane
