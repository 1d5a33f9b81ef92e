#include "birthdata/TFormConsultAtlas.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "birthdata/GrilleAtlas.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"

namespace selvane {

TFormConsultAtlas::TFormConsultAtlas(const QString& dossier, const QString& ville, const QString& lat, const QString& lon,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), dossier_(dossier) {
  setWindowTitle("Atlas");
  EditVille = new QLineEdit(ville, this);
  EditPays = new QLineEdit(this);
  EditLat = new QLineEdit(lat, this);
  EditLong = new QLineEdit(lon, this);
  Recherche = new QLineEdit(this);
  Grille = new GrilleAtlas(16, this);
  pays_ = new QComboBox(this);
  for (const std::string& nom : ListerAtlas(dossier_.toStdString())) pays_->addItem(QString::fromStdString(nom));
  auto ouvrir = [this](int i) {
    if (i < 0) return;
    try {
      Grille->Ouvrir(dossier_ + "/" + pays_->itemText(i) + ".cty");
      Grille->Chercher(Recherche->text(), 8);
    } catch (const std::exception& e) {
      LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    }
  };
  connect(pays_, &QComboBox::currentIndexChanged, this, ouvrir);
  connect(Recherche, &QLineEdit::textEdited, this, [this](const QString& t) { Grille->Chercher(t, 8); });
  connect(Grille, &GrilleAtlas::VilleChoisie, this, [this](const CityRecord& v) {
    EditVille->setText(Texte(v.Ville.Texte()).trimmed());
    EditPays->setText(Texte(v.Pays.Texte()) + " ");
    EditLat->setText(Texte(v.Lat.Texte()));
    EditLong->setText(Texte(v.Long.Texte()));
  });
  connect(Grille->Table(), &QTableWidget::cellDoubleClicked, this, [this] { Ok(); });
  auto* ok = new QPushButton("Ok", this);
  auto* sortie = new QPushButton("Exit", this);
  connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
  connect(sortie, &QPushButton::clicked, this, &QDialog::reject);
  auto* champs = new QFormLayout;
  champs->addRow("Ville :", EditVille);
  champs->addRow(QString::fromUtf8("Pays/Région :"), EditPays);
  champs->addRow("Latitude :", EditLat);
  champs->addRow("Longitude :", EditLong);
  champs->addRow("Pays :", pays_);
  champs->addRow("Rechercher :", Recherche);
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(ok);
  boutons->addWidget(sortie);
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(champs);
  disposition->addWidget(Grille, 1);
  disposition->addLayout(boutons);
  resize(720, 620);
  if (pays_->count() > 0) {
    const int france = pays_->findText("France");
    pays_->setCurrentIndex(france >= 0 ? france : 0);
    ouvrir(pays_->currentIndex());
  }
  Recherche->setText(ville);
  Grille->Chercher(ville, 8);
}

bool TFormConsultAtlas::Ok() {
  if (EditVille->text().isEmpty() || EditLat->text().isEmpty() || EditLong->text().isEmpty()) {
    LaPlateforme().Avertissement("Veuillez sélectionner une ville ");
    return false;
  }
  accept();
  return true;
}

}  // namespace selvane
