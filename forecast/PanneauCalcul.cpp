#include "forecast/PanneauCalcul.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <exception>

#include "birthdata/TFormConsultAtlas.h"
#include "birthdata/records/Controles.h"
#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "methode/Moment.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"
#include "widgets/TexteSaisi.h"

namespace selvane {

PanneauCalcul::PanneauCalcul(const QString& dossier, ListeThemesSauves liste, QWidget* parent)
    : QGroupBox(parent), dossier_(dossier), liste_(std::move(liste)) {
  setObjectName("PanneauCalcul");
  auto* grille = new QGridLayout(this);
  RadioGroupType = new QButtonGroup(this);
  auto* types = new QGroupBox(this);
  types->setObjectName("RadioGroupType");
  auto* colonneTypes = new QVBoxLayout(types);
  const char* noms[] = {"Natal", "RS", "RL", "Arc solaire", "Transits"};
  for (int i = 0; i < 5; ++i) {
    auto* bouton = new QRadioButton(QString::fromUtf8(noms[i]), types);
    RadioGroupType->addButton(bouton, i);
    colonneTypes->addWidget(bouton);
  }
  RadioGroupType->button(0)->setChecked(true);
  connect(RadioGroupType, &QButtonGroup::idClicked, this, &PanneauCalcul::TechniqueChoisie);
  grille->addWidget(types, 0, 0, 1, 2);

  MaskEditDate = new QLineEdit(this);
  MaskEditDate->setObjectName("MaskEditDate");
  // Day and month digits may be left out, the year is required (Qt: 9 required, 0 optional).
  MaskEditDate->setInputMask("00.00.9999;_");
  MaskEditHeure = new QLineEdit(this);
  MaskEditHeure->setObjectName("MaskEditHeure");
  MaskEditHeure->setInputMask("09\\h99;_");  // a plain h would stand for a hexadecimal digit
  MaskEditHeure->setText("12h00");
  EditVille = new QLineEdit(this);
  EditVille->setObjectName("EditVille");
  EditVille->setMaxLength(30);
  EditLat = new QLineEdit(this);
  EditLat->setObjectName("EditLat");
  EditLat->setMaxLength(6);
  EditLong = new QLineEdit(this);
  EditLong->setObjectName("EditLong");
  EditLong->setMaxLength(7);
  CheckBoxPrecessIncluded = new QCheckBox(QString::fromUtf8("Inclure précess."), this);
  CheckBoxPrecessIncluded->setObjectName("CheckBoxPrecessIncluded");
  EditPrecess = new QLineEdit(this);
  EditPrecess->setObjectName("EditPrecess");
  EditPrecess->setReadOnly(true);
  EditPrecess->setFocusPolicy(Qt::NoFocus);
  BtnCalculRSRLEtc = new QPushButton("Calcul", this);
  BtnCalculRSRLEtc->setObjectName("BtnCalculRSRLEtc");
  BtnClrNow = new QPushButton("Now", this);
  BtnClrNow->setObjectName("BtnClrNow");
  BtnOuvrirAtlasLocal = new QPushButton("Atlas", this);
  BtnOuvrirAtlasLocal->setObjectName("BtnOuvrirAtlasLocal");

  int ligne = 1;
  auto rangee = [&](const char* etiquette, QWidget* champ) {
    grille->addWidget(new QLabel(QString::fromUtf8(etiquette), this), ligne, 0);
    grille->addWidget(champ, ligne++, 1);
  };
  rangee("Date", MaskEditDate);
  rangee("Heure si Transits (TU)", MaskEditHeure);
  grille->addWidget(BtnClrNow, ligne++, 1);
  rangee("Ville", EditVille);
  rangee("Lat.", EditLat);
  rangee("Long.", EditLong);
  grille->addWidget(BtnOuvrirAtlasLocal, ligne++, 1);
  grille->addWidget(CheckBoxPrecessIncluded, ligne++, 0, 1, 2);
  grille->addWidget(EditPrecess, ligne++, 0, 1, 2);
  grille->addWidget(BtnCalculRSRLEtc, ligne++, 0, 1, 2);

  MaskEditDate->installEventFilter(this);
  MaskEditHeure->installEventFilter(this);
  connect(BtnCalculRSRLEtc, &QPushButton::clicked, this, &PanneauCalcul::CalculDemande);
  connect(BtnClrNow, &QPushButton::clicked, this, [this] { BtnClrNowClick(); });
  connect(BtnOuvrirAtlasLocal, &QPushButton::clicked, this, [this] { BtnOuvrirAtlasLocalClick(); });
}

void PanneauCalcul::Ouvrir() {
  etat_ = OuvrirEtatPrevision();
  MaskEditDate->setText(QDate::currentDate().toString("dd.MM.yyyy"));
  MaskEditHeure->setText("12h00");
  const FicheClient& f = selvane::Etat().FicheEnCours;
  EditVille->setText(Texte(f.Ville.Texte()));
  EditLat->setText(Texte(f.Lat.Texte()));
  EditLong->setText(Texte(f.Long.Texte()));
}

TechniquePrevision PanneauCalcul::Technique() const {
  return static_cast<TechniquePrevision>(std::max(0, RadioGroupType->checkedId()));
}

void PanneauCalcul::ChoisirTechnique(TechniquePrevision t) {
  RadioGroupType->button(static_cast<int>(t))->setChecked(true);
}

ChampsPrevision PanneauCalcul::Champs() const {
  ChampsPrevision c;
  c.technique = Technique();
  // As the user sees them, the positions left blank as spaces: the messages quote them.
  c.date = Octets(TexteSaisi(MaskEditDate));
  c.heure = Octets(TexteSaisi(MaskEditHeure));
  // The place goes into a saved chart file line by line: no control character may split it,
  // whichever way it reached the field.
  c.ville = SansControles(Octets(EditVille->text()));
  c.lat = SansControles(Octets(EditLat->text()));
  c.lon = SansControles(Octets(EditLong->text()));
  c.precession = CheckBoxPrecessIncluded->isChecked();
  return c;
}

void PanneauCalcul::PlacerListe(bool ouvrir) {
  if (liste_.placer && coinListe_) liste_.placer(coinListe_(), ouvrir);
}

bool PanneauCalcul::ChampsValides(TechniquePrevision t) {
  if (t == TechniquePrevision::Natal) return true;
  const auto refuser = [this](QLineEdit* champ) {
    verification_ = true;
    champ->setFocus();
    verification_ = false;
    return false;
  };
  if (!MaskEditDateExit()) return refuser(MaskEditDate);
  if (t == TechniquePrevision::Transits && !MaskEditHeureExit()) return refuser(MaskEditHeure);
  if (t == TechniquePrevision::ArcSolaire) return true;  // no place in a solar arc
  // The place goes into the return or transit chart: unreadable, it would be computed as 0.
  for (QLineEdit* champ : {EditLat, EditLong}) {
    const std::string texte = SansControles(Octets(champ->text()));
    const std::string message = champ == EditLat ? ErreurLatitude(texte) : ErreurLongitude(texte);
    if (!message.empty()) {
      LaPlateforme().Avertissement(QString::fromStdString(message));
      return refuser(champ);
    }
  }
  return true;
}

bool PanneauCalcul::BtnCalculRSRLEtcClick() {
  const ChampsPrevision champs = Champs();
  if (!ChampsValides(champs.technique)) return false;
  const bool retour = champs.technique == TechniquePrevision::RS || champs.technique == TechniquePrevision::RL;
  if (retour) PlacerListe(true);
  const auto remplacer = [](const std::string& fichier) {
    return LaPlateforme().Question("Le fichier " + Texte(fichier) + QString::fromUtf8(" existe déjà. Voulez-vous le remplacer ?"));
  };
  try {
    resultat_ = CalculerPrevision(etat_, champs, {dossier_.toStdString(), true, liste_.relire}, remplacer);
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return false;
  }
  if (resultat_.garde) return false;
  if (!resultat_.precession.empty()) EditPrecess->setText(Texte(resultat_.precession));
  if (resultat_.abandonne) return false;
  if (resultat_.champsChanges) {
    MaskEditDate->setText(Texte(resultat_.date));
    MaskEditHeure->setText(Texte(resultat_.heure));
  }
  return true;
}

namespace {

// A field's reading shown in its box: false after the message.
template <typename T>
bool Montrer(const Saisie<T>& lue) {
  const QString message = QString::fromUtf8(lue.message.c_str());
  switch (lue.boite) {
    case BoiteMessage::Aucune: return true;
    case BoiteMessage::Erreur: LaPlateforme().Erreur(message); break;
    case BoiteMessage::Information: LaPlateforme().Information(message); break;
    case BoiteMessage::Avertissement: LaPlateforme().Avertissement(message); break;
  }
  return false;
}

}  // namespace

bool PanneauCalcul::MaskEditDateExit() { return Montrer(LireDatePrevision(Octets(TexteSaisi(MaskEditDate)))); }

bool PanneauCalcul::MaskEditHeureExit() { return Montrer(LireHeurePrevision(Octets(TexteSaisi(MaskEditHeure)))); }

bool PanneauCalcul::eventFilter(QObject* objet, QEvent* evenement) {
  // Leaving a field for a button with the mouse is left to the command, which checks every
  // field it reads: one message for one click.
  const bool versCommande = evenement->type() == QEvent::FocusOut &&
                            static_cast<QFocusEvent*>(evenement)->reason() == Qt::MouseFocusReason &&
                            qobject_cast<QAbstractButton*>(QApplication::focusWidget());
  if (evenement->type() == QEvent::FocusOut && !verification_ && !versCommande &&
      (objet == MaskEditDate || objet == MaskEditHeure)) {
    // The message box takes the focus too: one check at a time.
    verification_ = true;
    auto* champ = static_cast<QLineEdit*>(objet);
    const bool valide = objet == MaskEditDate ? MaskEditDateExit() : MaskEditHeureExit();
    if (!valide) champ->setFocus();
    verification_ = false;
  }
  return QGroupBox::eventFilter(objet, evenement);
}

void PanneauCalcul::BtnClrNowClick() {
  const QDateTime maintenant = QDateTime::currentDateTime();
  MaskEditDate->setText(maintenant.toString("dd.MM.yyyy"));
  MaskEditHeure->setText(maintenant.toString("hh'h'mm"));
}

void PanneauCalcul::BtnOuvrirAtlasLocalClick() {
  TFormConsultAtlas atlas(dossier_, EditVille->text(), EditLat->text(), EditLong->text(), this);
  if (atlas.exec() != QDialog::Accepted) return;
  EditVille->setText(atlas.EditVille->text().left(30));
  EditLat->setText(atlas.EditLat->text().left(6));
  EditLong->setText(atlas.EditLong->text().left(7));
}

}  // namespace selvane
