#include "frame/TFormCouleurs.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Catalogue.h"
#include "dessin/Palette.h"
#include "widgets/Plateforme.h"
#include "dessin/Traits.h"

namespace selvane {

namespace {

Couleur DepuisQt(const QColor& c) {
  return static_cast<Couleur>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

// Button index of a colour-file line: lines 2..25 bodies, 26..29 sign backgrounds,
// 30..33 sign glyphs, 34..42 aspects; the buttons are in that same order.
const char* const kElements[4] = {"Feu", "Terre", "Air", "Eau"};

}  // namespace

TFormCouleurs::TFormCouleurs(const QString& dossier, QWidget* parent) : QDialog(parent), dossier_(dossier) {
  setWindowTitle(QString::fromUtf8("     Paramétrage des couleurs"));
  QFont glyphes("Celvan S", 14);
  for (int i = 0; i < 41; ++i) {
    boutons_[i] = new QPushButton(this);
    boutons_[i]->setFixedSize(i >= 24 && i < 28 ? QSize(64, 30) : QSize(38, 30));
    boutons_[i]->setFont(glyphes);
    connect(boutons_[i], &QPushButton::clicked, this, [this, i] { ChoisirCouleur(i); });
  }
  auto* groupe1 = new QGroupBox(QString::fromUtf8("1 - Planètes et points"), this);
  auto* g1 = new QGridLayout(groupe1);
  for (int n = 1; n <= 24; ++n) {
    boutons_[n - 1]->setText(Glyphe(static_cast<unsigned char>(LettresCorps[n])));
    g1->addWidget(boutons_[n - 1], (n - 1) / 8, (n - 1) % 8);
  }
  auto* groupe2 = new QGroupBox("2 - Aspects", this);
  auto* g2 = new QHBoxLayout(groupe2);
  for (int a = 0; a < 9; ++a) {
    boutons_[32 + a]->setText(Glyphe(static_cast<unsigned char>(186 + a)));
    g2->addWidget(boutons_[32 + a]);
  }
  auto* groupe3 = new QGroupBox("3 - Signes", this);
  auto* g3 = new QHBoxLayout(groupe3);
  for (int e = 0; e < 4; ++e) {
    boutons_[28 + e]->setFixedSize(64, 30);
    boutons_[28 + e]->setText(Glyphe('a' + e) + Glyphe('a' + e + 4) + Glyphe('a' + e + 8));
    g3->addWidget(boutons_[28 + e]);
  }
  auto* groupe4 = new QGroupBox(QString::fromUtf8("4 - Fonds des signes"), this);
  auto* g4 = new QHBoxLayout(groupe4);
  for (int e = 0; e < 4; ++e) {
    boutons_[24 + e]->setFont(QFont("Liberation Sans", 9));
    boutons_[24 + e]->setText(kElements[e]);
    g4->addWidget(boutons_[24 + e]);
  }

  auto* environnements = new QGroupBox(this);
  auto* ge = new QVBoxLayout(environnements);
  const char* noms[3] = {"Ecran foncé", "Ecran clair", "Impression"};
  for (int i = 0; i < 3; ++i) {
    choix_[i] = new QRadioButton(QString::fromUtf8(noms[i]), environnements);
    connect(choix_[i], &QRadioButton::clicked, this, [this, i] { ChoisirEnvironnement(static_cast<Environnement>(i)); });
    ge->addWidget(choix_[i]);
  }
  auto* tailles = new QGroupBox(QString::fromUtf8("Taille glyphes à l'écran "), this);
  auto* gt = new QGridLayout(tailles);
  planetes_ = new QSpinBox(tailles);
  planetes_->setRange(10, 25);
  signes_ = new QSpinBox(tailles);
  signes_->setRange(10, 22);
  relief_ = new QCheckBox(QString::fromUtf8("Planètes en relief"), tailles);
  gt->addWidget(new QLabel(QString::fromUtf8("Planètes : ")), 0, 0);
  gt->addWidget(planetes_, 0, 1);
  gt->addWidget(new QLabel("Signes : "), 1, 0);
  gt->addWidget(signes_, 1, 1);
  gt->addWidget(relief_, 2, 0, 1, 2);

  auto* aide = new QLabel(QString::fromUtf8(
      "1. Choisissez l'environnement : écran foncé, écran clair ou impression.\n"
      "2. Cliquez sur un bouton pour changer la couleur de la planète, de l'aspect,\n"
      "    des signes d'un élément ou du fond de leurs secteurs.\n"
      "3. Cliquez sur « Enregistrer modifications » : pour un écran, ces couleurs\n"
      "    deviennent celles de l'écran.\n"
      "4. Faites de même pour l'impression.\n"
      "« Charger modèles » reprend les couleurs proposées à l'installation ;\n"
      "« Charger dernières valeurs » reprend les dernières couleurs enregistrées.\n"
      "La taille des glyphes et le relief sont enregistrés en quittant."), this);

  auto* modeles = new QPushButton(QString::fromUtf8("Charger modèles"), this);
  auto* dernieres = new QPushButton(QString::fromUtf8("Charger dernières valeurs"), this);
  auto* enregistrer = new QPushButton("Enregistrer modifications", this);
  auto* quitter = new QPushButton("Quitter", this);
  connect(modeles, &QPushButton::clicked, this, [this] { ChargerModeles(); });
  connect(dernieres, &QPushButton::clicked, this, [this] { ChargerDernieresValeurs(); });
  connect(enregistrer, &QPushButton::clicked, this, [this] { EnregistrerModifications(); });
  connect(quitter, &QPushButton::clicked, this, [this] {
    if (Quitter()) accept();
  });

  auto* gauche = new QVBoxLayout;
  gauche->addWidget(groupe1);
  gauche->addWidget(groupe2);
  gauche->addWidget(groupe3);
  gauche->addWidget(groupe4);
  auto* droite = new QVBoxLayout;
  droite->addWidget(environnements);
  droite->addWidget(tailles);
  droite->addWidget(aide);
  droite->addStretch();
  auto* boutons = new QHBoxLayout;
  for (QPushButton* b : {modeles, dernieres, enregistrer, quitter}) boutons->addWidget(b);
  auto* haut = new QHBoxLayout;
  haut->addLayout(gauche);
  haut->addLayout(droite);
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(haut);
  disposition->addLayout(boutons);

  // Opening: the active screen set, its environment, the sizes.
  Charger(fichiers::CouleursEcran);
  environnement_ = fond_ == 0 ? EcranFonce : EcranClair;
  choix_[environnement_]->setChecked(true);
  try {
    const auto lignes = LireLignes((dossier_ + "/" + fichiers::TaillesGlyphes).toStdString());
    planetes_->setValue(15 + (lignes.size() > 0 ? std::atoi(lignes[0].c_str()) : 0));
    signes_->setValue(12 + (lignes.size() > 1 ? std::atoi(lignes[1].c_str()) : 0));
    relief_->setChecked(lignes.size() > 2 && lignes[2] == "1");
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  modifie_ = false;
}

void TFormCouleurs::Charger(const char* fichier) {
  try {
    const JeuCouleurs c = LireFichierCouleurs(Chemin(fichier).toStdString());
    fond_ = c[0];
    for (int i = 0; i < 41; ++i) couleurs_[i] = c[i + 1];
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  Afficher();
}

void TFormCouleurs::Afficher() {
  for (int i = 0; i < 41; ++i) {
    const QColor c = EnQColor(couleurs_[i]);
    const bool sombre = c.lightness() < 110;
    boutons_[i]->setStyleSheet(QString("background:%1; color:%2;").arg(c.name(), sombre ? "white" : "black"));
  }
}

void TFormCouleurs::ChoisirEnvironnement(Environnement e) {
  environnement_ = e;
  if (e != Aucun) choix_[e]->setChecked(true);
  ChargerDernieresValeurs();
}

void TFormCouleurs::ChargerDernieresValeurs() {
  static const char* const fichiersEnv[3] = {fichiers::CouleursEcranFonce, fichiers::CouleursEcranClair,
                                             fichiers::CouleursImpression};
  if (environnement_ == Aucun) return;
  Charger(fichiersEnv[environnement_]);
}

void TFormCouleurs::ChargerModeles() {
  static const char* const modeles[3] = {fichiers::ModeleEcranFonce, fichiers::ModeleEcranClair,
                                         fichiers::ModeleImpression};
  if (environnement_ == Aucun) return;
  Charger(modeles[environnement_]);
}

void TFormCouleurs::ChoisirCouleur(int bouton) {
  QColor c = EnQColor(couleurs_[bouton]);
  if (!LaPlateforme().ChoisirCouleur(c)) return;
  couleurs_[bouton] = DepuisQt(c);
  modifie_ = true;
  Afficher();
}

void TFormCouleurs::EnregistrerModifications() {
  static const char* const fichiersEnv[3] = {fichiers::CouleursEcranFonce, fichiers::CouleursEcranClair,
                                             fichiers::CouleursImpression};
  if (environnement_ == Aucun) return;
  JeuCouleurs jeu{};
  jeu[0] = fond_;
  for (int i = 0; i < 41; ++i) jeu[i + 1] = couleurs_[i];
  try {
    EcrireFichierCouleurs(Chemin(fichiersEnv[environnement_]).toStdString(), jeu);
    if (environnement_ != Impression) EcrireFichierCouleurs(Chemin(fichiers::CouleursEcran).toStdString(), jeu);
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return;
  }
  LaPlateforme().Information(QString::fromUtf8("Modifications enregistrées"));
  modifie_ = false;
}

bool TFormCouleurs::Quitter() {
  if (modifie_ && LaPlateforme().Question(QString::fromUtf8(
                      "Vous n'avez pas enregistrer les modifications apportées. Voulez-vous le faire maintenant ?")))
    return false;
  try {
    EcrireLignes(Chemin(fichiers::TaillesGlyphes).toStdString(),
                 {std::to_string(planetes_->value() - 15), std::to_string(signes_->value() - 12),
                  relief_->isChecked() ? "1" : "0"});
    ChargerReglages(dossier_.toStdString());
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  quitte_ = true;
  return true;
}

void TFormCouleurs::closeEvent(QCloseEvent* evenement) {
  // The title bar's close goes through "Quitter" too, so the sizes are always saved.
  if (!quitte_ && !Quitter()) {
    evenement->ignore();
    return;
  }
  QDialog::closeEvent(evenement);
}

}  // namespace selvane
