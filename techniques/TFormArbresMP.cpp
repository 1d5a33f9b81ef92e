#include "techniques/TFormArbresMP.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/HoroscopesUraniens.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

TFormArbresMP::TFormArbresMP(QWidget* parent) : FenetreTechnique(parent) {
  const EtatTheme& e = Etat();
  setWindowTitle(Texte(e.NomAffiche.Texte()) + "  -  " + "Arbres des mi-points" + "  " +
                 Texte(e.NomFichierNaissance.Texte()) + " : " + Texte(e.LigneDateHeure.Texte()) + "  " +
                 Texte(e.FicheEnCours.Ville.Texte()) + "  " + Texte(e.LigneCoordonnees.Texte()));
  ComboBoxHarmonic = new QComboBox(this);
  ComboBoxHarmonic->setObjectName("ComboBoxHarmonic");
  for (int h = 1; h <= NbHarmoniquesArbres; ++h) ComboBoxHarmonic->addItem(Texte(TexteHarmonique(h)));
  ComboBoxHarmonic->setCurrentIndex(3);
  ComboBoxOrbe = new QComboBox(this);
  ComboBoxOrbe->setObjectName("ComboBoxOrbe");
  // The same texts as the house frames' orbs: five minutes to two degrees.
  for (int i = 0; i < NbOrbesArbres; ++i) ComboBoxOrbe->addItem(Texte(TexteOrbe(i)));
  ComboBoxOrbe->setCurrentIndex(5);
  BtnCalcul = new QPushButton("Calcul", this);
  BtnCalcul->setObjectName("BtnCalcul");
  SpeedButton1 = new QPushButton("Imprimer", this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setToolTip("Imprimer");
  auto* haut = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{ComboBoxHarmonic, ComboBoxOrbe, BtnCalcul, SpeedButton1}) haut->addWidget(w);
  haut->addStretch();
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  Defilement = new QScrollArea(this);
  Defilement->setObjectName("Defilement");
  BrancherFeuille(*Defilement, {[this] { return FeuilleArbres(arbres_, Entete()); },
                                [] { return LignesCachet(ContexteDuTheme(Etat())); },
                                [] { return QString("Arbres des mi-points.csv"); }});
  Defilement->setWidget(Image1);
  auto* d = new QVBoxLayout(this);
  d->addLayout(haut);
  d->addWidget(Defilement, 1);
  QSize ecran(1280, 900);
  if (const QScreen* s = QGuiApplication::primaryScreen()) ecran = s->availableGeometry().size();
  image_ = QImage(std::max(400, ecran.width() - 30), 2 * ecran.height(), QImage::Format_RGB32);
  image_.fill(Qt::white);
  Image1->setPixmap(QPixmap::fromImage(image_));
  Image1->resize(image_.size());
  connect(BtnCalcul, &QPushButton::clicked, this, [this] { BtnCalculClick(); });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  resize(ecran.width(), ecran.height());
}

EnteteArbres TFormArbresMP::Entete() const {
  return EnteteDesArbres(Etat(), ComboBoxHarmonic->currentIndex() + 1, ComboBoxOrbe->currentIndex());
}

void TFormArbresMP::Calculer() {
  arbres_ = CalculerArbres(LireLongitudesNatales(), Etat().JeuPlanetes, ComboBoxHarmonic->currentIndex() + 1,
                           OrbeArbres(ComboBoxOrbe->currentIndex()));
}

void TFormArbresMP::DessinerEcran() {
  image_.fill(Qt::white);
  QPainter p(&image_);
  const int n = DessinerArbres(p, arbres_, false, Entete());
  p.end();
  Image1->setPixmap(QPixmap::fromImage(image_));
  if (n > MiPointsMax) LaPlateforme().Information("IL y a trop de mi-points : diminuez l'orbe");
}

void TFormArbresMP::BtnCalculClick() {
  Calculer();
  DessinerEcran();
}

void TFormArbresMP::SpeedButton1Click() {
  Calculer();
  if (ImprimerDocument(DocumentArbres(arbres_, Entete(), LignesCachet(ContexteDuTheme(Etat()))), "Arbres des mi-points.pdf") &&
      NombreMiPoints(arbres_) > MiPointsMax)
    LaPlateforme().Information("IL y a trop de mi-points : diminuez l'orbe");
  DessinerEcran();
}

}  // namespace selvane
