#include "techniques/TFormHouses.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include "widgets/Impression.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

TFormHouses::TFormHouses(QWidget* parent) : FenetreTechnique(parent) {
  EtatTheme& e = Etat();
  setWindowTitle(Texte(e.NomAffiche.Texte()) + " : Les 6 horoscopes uraniens ");
  theme_ = ThemeDesCadres(e);
  // The dial's ring keeps the same Sun/Moon midpoint.
  e.Positions[MiPointSoleilLune][6] = theme_.natal[MiPointSoleilLune];

  auto* gauche = new QVBoxLayout;
  auto* plans = new QGroupBox(this);
  auto* dispPlans = new QVBoxLayout(plans);
  RadioGroupPlan = new QButtonGroup(this);
  const char* const items[NbCadres] = {"A", "B", "K", "L", "\\", "M", "L\xC5"};
  for (int i = 0; i < NbCadres; ++i) {
    auto* b = new QRadioButton(Texte(items[i]), plans);
    b->setObjectName(QString("RadioPlan%1").arg(i));
    b->setFont(Police("Celvan S", 14));
    RadioGroupPlan->addButton(b, i);
    dispPlans->addWidget(b);
  }
  RadioGroupPlan->button(CadreBelier)->setChecked(true);
  gauche->addWidget(plans);
  ComboBoxOrbe = new QComboBox(this);
  ComboBoxOrbe->setObjectName("ComboBoxOrbe");
  for (int i = 0; i < NbOrbesConnexions; ++i) ComboBoxOrbe->addItem(Texte(TexteOrbe(i)));
  ComboBoxOrbe->setCurrentIndex(11);
  gauche->addWidget(ComboBoxOrbe);
  CheckBoxConnexions = new QCheckBox("Connexions", this);
  CheckBoxConnexions->setObjectName("CheckBoxConnexions");
  gauche->addWidget(CheckBoxConnexions);
  auto* choix = new QGroupBox(this);
  auto* dispChoix = new QVBoxLayout(choix);
  RadioGroupPrintChoice = new QButtonGroup(this);
  auto* six = new QRadioButton("6 horoscopes", choix);
  six->setObjectName("RadioSixHoroscopes");
  auto* actuel = new QRadioButton("Horoscope actuel", choix);
  actuel->setObjectName("RadioHoroscopeActuel");
  RadioGroupPrintChoice->addButton(six, 0);
  RadioGroupPrintChoice->addButton(actuel, 1);
  six->setChecked(true);
  dispChoix->addWidget(six);
  dispChoix->addWidget(actuel);
  gauche->addWidget(choix);
  BtnImprimer = new QPushButton("Imprimer", this);
  BtnImprimer->setObjectName("BtnImprimer");
  gauche->addWidget(BtnImprimer);
  gauche->addStretch();
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setMinimumSize(200, 200);
  Image1->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  auto* d = new QHBoxLayout(this);
  d->addLayout(gauche);
  d->addWidget(Image1, 1);
  // A choice computes the frame (and what it writes to the chart state), then paints it.
  const auto choisir = [this] {
    PreparerCadre();
    Dessiner();
  };
  connect(RadioGroupPlan, &QButtonGroup::idClicked, this, choisir);
  connect(ComboBoxOrbe, qOverload<int>(&QComboBox::activated), this, choisir);
  connect(CheckBoxConnexions, &QCheckBox::toggled, this, choisir);
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  PreparerCadre();  // the Aries point frame, painted once the window has its size
  resize(1000, 760);
}

DonneesCadre TFormHouses::Donnees(int item, double ecart) const {
  std::optional<double> orbe;
  if (CheckBoxConnexions->isChecked()) orbe = OrbeConnexionDeg(ComboBoxOrbe->currentIndex());
  return DonneesDuCadre(theme_, item, ecart, orbe, Etat().JeuPlanetes);
}

void TFormHouses::PreparerCadre() {
  const int item = RadioGroupPlan->checkedId();
  donnees_ = Donnees(item, EcartCadresEcran);
  if (item == CadreMeridien) {
    // The meridian cusps stay in the natal houses until the next radix restore.
    for (int k = 1; k <= 12; ++k)
      Etat().MaisonsNatales[k] = static_cast<float>(donnees_.cadre.cuspides[static_cast<std::size_t>(k)] * DegEnRad);
  }
}

void TFormHouses::Dessiner() {
  const QSize taille = Image1->size().expandedTo(QSize(200, 200));
  image_ = QImage(taille, QImage::Format_RGB32);
  image_.fill(Qt::white);
  QPainter p(&image_);
  DessinerCadre(p, RayonsEcran(taille), donnees_);
  p.end();
  Image1->setPixmap(QPixmap::fromImage(image_));
}

void TFormHouses::resizeEvent(QResizeEvent* evenement) {
  FenetreTechnique::resizeEvent(evenement);
  Dessiner();
}

void TFormHouses::BtnImprimerClick() {
  const EtatTheme& e = Etat();
  const QStringList cachet = LignesCachet(ContexteDuTheme(e));
  if (RadioGroupPrintChoice->checkedId() == 1) {
    ImprimerDocument(DocumentUnCadre(EnteteDesCadres(e), Donnees(RadioGroupPlan->checkedId(), EcartCadresImprimes), cachet),
                     "Horoscopes uraniens.pdf");
    return;
  }
  std::array<DonneesCadre, 6> cadres;
  for (int i = 0; i < 6; ++i) cadres[static_cast<std::size_t>(i)] = Donnees(i, EcartCadresImprimes);
  ImprimerDocument(DocumentSixCadres(EnteteDesCadres(e), cadres, cachet), "Horoscopes uraniens.pdf");
}

}  // namespace selvane
