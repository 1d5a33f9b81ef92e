#pragma once
// "Atlas": picks a place for the windows that need one (dial, forecast tables, interpretation).
#include <QDialog>

#include "birthdata/Atlas.h"

class QComboBox;
class QLineEdit;

namespace selvane {

class GrilleAtlas;

class TFormConsultAtlas : public QDialog {
  Q_OBJECT
 public:
  // The opening window's city, latitude and longitude preset the fields; the city runs Find.
  TFormConsultAtlas(const QString& dossier, const QString& ville, const QString& lat, const QString& lon,
                    QWidget* parent = nullptr);
  QLineEdit* EditVille;
  QLineEdit* EditPays;
  QLineEdit* EditLat;
  QLineEdit* EditLong;
  QLineEdit* Recherche;
  GrilleAtlas* Grille;
  // "Ok": true when the choice is complete (then accepted), else the warning.
  bool Ok();

 private:
  QString dossier_;
  QComboBox* pays_;
};

}  // namespace selvane
