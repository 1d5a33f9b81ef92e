#include "frame/TFormOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "widgets/Plateforme.h"
#include "reglages/Reglages.h"

namespace selvane {

namespace {
const char* const kAspects[9] = {"Conjonction", "Semi-sextile", "Semi-carré", "Sextile", "Carré",
                                 "Trigone",     "Sesquicarré",  "Quinconce",  "Opposition"};
const char* const kMaisons[9] = {"Placidus",     "Regiomontanus", "Campanus",
                                 "Antique (maisons égales centré sur l'Asc)", "Alcabitius", "Koch",
                                 "Porphyrius",   "Topocentrique",
                                 "Signes entiers (Bélier, Taureau, Gémeaux, Cancer, Lion, Vierge, Balance, "
                                 "Scorpion, Sagittaire, Capricorne, Verseau, Poissons)"};
// An orb as typed: one or two digits (the first may be a space), then a point and
// one digit; shown as " 8.0" once the field is left.
class ValidateurOrbe : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texte, int&) const override {
    static const QRegularExpression complet("^ ?[0-9]{1,2}(\\.[0-9])?$"), debut("^ ?[0-9]{0,2}\\.?$");
    if (complet.match(texte).hasMatch()) return Acceptable;
    return debut.match(texte).hasMatch() ? Intermediate : Invalid;
  }
  void fixup(QString& texte) const override { texte = Normaliser(texte); }
  static QString Normaliser(const QString& texte) {
    if (texte.trimmed().isEmpty() || texte.trimmed() == ".") return texte;
    return QString::fromStdString(FormatReel(LireNombre(texte.trimmed().toStdString()), 4, 1));
  }
};

}  // namespace

TFormOptions::TFormOptions(const QString& dossier, QWidget* parent)
    : QDialog(parent), dossier_(dossier), pages_(new QTabWidget(this)) {
  setWindowTitle("Options");
  try {
    ChargerReglages(dossier_.toStdString());
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  const Reglages& r = LesReglages();

  auto* pageAspects = new QWidget;
  auto* grille = new QGridLayout(pageAspects);
  for (int i = 0; i < 9; ++i) {
    cases_[i] = new QCheckBox(QString::fromUtf8(kAspects[i]), pageAspects);
    cases_[i]->setChecked(r.AspectActif[i]);
    orbes_[i] = new QLineEdit(pageAspects);
    orbes_[i]->setValidator(new ValidateurOrbe(orbes_[i]));
    orbes_[i]->setMaxLength(4);
    QLineEdit* orbe = orbes_[i];
    connect(orbe, &QLineEdit::editingFinished, this, [orbe] { orbe->setText(ValidateurOrbe::Normaliser(orbe->text())); });
    orbes_[i]->setFixedWidth(60);
    orbes_[i]->setText(QString::fromStdString(FormatReel(r.AspectOrbe[i] * RadEnDeg, 4, 1)));
    grille->addWidget(cases_[i], i, 0);
    grille->addWidget(orbes_[i], i, 1);
  }
  pages_->addTab(pageAspects, "Aspects");

  maisons_ = new QListWidget;
  for (const char* m : kMaisons) maisons_->addItem("  " + QString::fromUtf8(m));
  const int systeme = Etat().SystemeMaisons;
  maisons_->setCurrentRow(systeme >= 1 && systeme <= 9 ? systeme - 1 : 0);
  pages_->addTab(maisons_, "Domification");

  auto* pageOrientation = new QWidget;
  auto* colonne = new QVBoxLayout(pageOrientation);
  ascendant_ = new QRadioButton(QString::fromUtf8("Ascendant à gauche"), pageOrientation);
  belier_ = new QRadioButton(QString::fromUtf8("Bélier à gauche"), pageOrientation);
  (Etat().Orientation == 'o' ? ascendant_ : belier_)->setChecked(true);
  colonne->addWidget(ascendant_);
  colonne->addWidget(belier_);
  colonne->addStretch();
  pages_->addTab(pageOrientation, "Orientation");
  pages_->setCurrentIndex(0);

  auto* ok = new QPushButton("OK", this);
  auto* annuler = new QPushButton("Annuler", this);
  auto* aide = new QPushButton("Aide", this);
  connect(ok, &QPushButton::clicked, this, [this] {
    if (Valider()) accept();
  });
  connect(annuler, &QPushButton::clicked, this, &QDialog::reject);
  connect(aide, &QPushButton::clicked, this, [] { LaPlateforme().OuvrirAide("OptionHelp"); });
  auto* boutons = new QHBoxLayout;
  boutons->addStretch();
  boutons->addWidget(ok);
  boutons->addWidget(annuler);
  boutons->addWidget(aide);
  auto* disposition = new QVBoxLayout(this);
  disposition->addWidget(pages_);
  disposition->addLayout(boutons);
  resize(560, 420);
}

bool TFormOptions::Valider() {
  for (QLineEdit* orbe : orbes_) orbe->setText(ValidateurOrbe::Normaliser(orbe->text()));  // one still being typed
  for (int i = 0; i < 9; ++i) {
    // A blank orb would be written and then refused by the settings reader,
    // leaving a file the next start cannot read: refuse it before writing.
    const QString texte = orbes_[i]->text().trimmed();
    if (texte.isEmpty() || texte == ".") {
      LaPlateforme().Avertissement("'" + orbes_[i]->text() + QString::fromUtf8("' n'est pas une valeur numérique correcte"));
      orbes_[i]->setFocus();
      return false;
    }
    if (LireNombre(orbes_[i]->text().toStdString()) > 15.0) {
      LaPlateforme().Avertissement(QString::fromUtf8("Valeur trop élevée...vérifiez vos orbes"));
      return false;
    }
  }
  std::vector<std::string> lignes;
  for (int i = 0; i < 9; ++i) {
    lignes.push_back(cases_[i]->isChecked() ? "o" : "n");
    lignes.push_back(orbes_[i]->text().toStdString());
  }
  lignes.push_back(std::to_string(maisons_->currentRow() + 1));
  lignes.push_back(ascendant_->isChecked() ? "o" : "n");
  try {
    EcrireLignes((dossier_ + "/" + fichiers::Options).toStdString(), lignes);
    ChargerReglages(dossier_.toStdString());
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return false;
  }
  return true;
}

}  // namespace selvane
