#include "dial/TFormCosmo.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeZone>
#include <QVBoxLayout>
#include <cmath>

#include "birthdata/TFormConsultAtlas.h"
#include "birthdata/records/Controles.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "dessin/Traits.h"
#include "dial/PanneauFormulaire.h"
#include "reglages/Reglages.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"

namespace selvane {

// The square drawing surface: shows the last picture, reports the mouse to the window.
class SurfaceCadran : public QWidget {
 public:
  explicit SurfaceCadran(TFormCosmo* fenetre) : QWidget(fenetre), fenetre_(fenetre) {
    setObjectName("Image1");
    setMouseTracking(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!fenetre_->Dessin().isNull()) p.drawImage(QPoint(0, 0), fenetre_->Dessin());
  }

 private:
  TFormCosmo* fenetre_;
};

namespace {

constexpr double JoursAnneeChamps = 365.2421988;  // age from the fields
constexpr double JoursAnneePas = 365.242198;      // age after a step

// Items of the point columns A, B, C: body of each item of A.
constexpr int CorpsItemsA[22] = {23, 22, 21, 1, 2, 19, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

QStringList GlyphesItems(int premier) {
  QStringList items;
  for (int i = premier; i < 22; ++i) items << Glyphe(LettresCorps[CorpsItemsA[i]]);
  return items;
}

QString Utf8(const char* texte) { return QString::fromUtf8(texte); }

// Shortest decimal text of a number ("1", "-5", "5.5").
QString Court(double x) { return QString::number(x, 'g', 12); }

QLineEdit* Champ(QWidget* parent, const char* nom, int longueur = 0, bool lecture = false) {
  auto* champ = new QLineEdit(parent);
  champ->setObjectName(nom);
  if (longueur > 0) champ->setMaxLength(longueur);
  champ->setReadOnly(lecture);
  return champ;
}

QPushButton* Bouton(QWidget* parent, const QString& titre, const char* nom, const QString& bulle = QString()) {
  auto* b = new QPushButton(titre, parent);
  b->setObjectName(nom);
  if (!bulle.isEmpty()) b->setToolTip(bulle);
  return b;
}

}  // namespace

int HarmoniqueDeItem(int item) {
  constexpr int harmoniques[6] = {1, 4, 8, 12, 16, 32};
  return item >= 0 && item < 6 ? harmoniques[item] : 4;
}

QStringList ItemsOrbe() {
  QStringList items;
  for (int i = 0; i < 36; ++i) {
    const int minutes = (i + 1) * 5;
    items << (minutes % 60 == 0 ? QString("%1°").arg(minutes / 60)
                                : QString("%1°%2'").arg(minutes / 60).arg(minutes % 60, 2, 10, QChar('0')));
  }
  return items;
}

QStringList ItemsOrbeSerre() {
  QStringList items;
  for (int i = 1; i <= 40; ++i)
    items << (i % 10 == 0 ? QString("%1'").arg(i / 10) : QString("%1,%2'").arg(i / 10).arg(i % 10));
  items << "";
  return items;
}

GroupeRadio::GroupeRadio(const QString& titre, const QStringList& items, int colonnes, QWidget* parent)
    : QWidget(parent), groupe_(new QButtonGroup(this)) {
  auto* boite = new QGroupBox(titre, this);
  auto* grille = new QGridLayout(boite);
  grille->setContentsMargins(4, 2, 4, 2);
  grille->setSpacing(1);
  const int lignes = (items.size() + colonnes - 1) / colonnes;
  for (int i = 0; i < items.size(); ++i) {
    auto* b = new QRadioButton(items[i], boite);
    groupe_->addButton(b, i);
    grille->addWidget(b, i % lignes, i / lignes);
  }
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(boite);
  if (!items.isEmpty()) groupe_->button(0)->setChecked(true);
  connect(groupe_, &QButtonGroup::idClicked, this, &GroupeRadio::Clique);
}

int GroupeRadio::ItemIndex() const { return groupe_->checkedId(); }
void GroupeRadio::DefinirItemIndex(int item) {
  if (QAbstractButton* b = groupe_->button(item)) b->setChecked(true);
}
QRadioButton* GroupeRadio::Bouton(int item) const { return static_cast<QRadioButton*>(groupe_->button(item)); }
int GroupeRadio::Nombre() const { return static_cast<int>(groupe_->buttons().size()); }

TFormCosmo::TFormCosmo(const QString& dossier, QWidget* parent) : QWidget(parent), dossier_(dossier) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  Image1 = new SurfaceCadran(this);
  Image1->installEventFilter(this);
  auto* gauche = new QWidget(this);
  gauche->setObjectName("PanelFigure");
  auto* droite = new QWidget(this);
  droite->setObjectName("Panel1");
  CreerPanneauGauche(gauche);
  CreerPanneauDroit(droite);
  PanelFormulaire = new PanneauFormulaire(dossier_, this);
  PanelFormulaire->hide();
  FormCreate();
}

TFormCosmo::~TFormCosmo() { RestaurerFiche(); }

void TFormCosmo::CreerPanneauGauche(QWidget* panneau) {
  auto* l = new QVBoxLayout(panneau);
  l->setContentsMargins(2, 2, 2, 2);
  l->setSpacing(2);

  ComboBoxHarmonic = new QComboBox(panneau);
  ComboBoxHarmonic->setObjectName("ComboBoxHarmonic");
  ComboBoxHarmonic->addItems({Utf8("H1 360°"), Utf8("H4  90°"), Utf8("H8  45°"), Utf8("H12 30°"),
                              Utf8("H16  22°30'"), Utf8("H32  11°15'")});
  ComboBoxHarmonic->setCurrentIndex(1);
  ComboBoxOrbe = new QComboBox(panneau);
  ComboBoxOrbe->setObjectName("ComboBoxOrbe");
  ComboBoxOrbe->addItems(ItemsOrbe());
  ComboBoxOrbe->setCurrentIndex(7);
  ComboBoxOrbeSerre = new QComboBox(panneau);
  ComboBoxOrbeSerre->setObjectName("ComboBoxOrbeSerre");
  ComboBoxOrbeSerre->addItems(ItemsOrbeSerre());
  ComboBoxOrbeSerre->setCurrentIndex(39);
  CheckBoxH8H16 = new QCheckBox("H+++", panneau);
  auto* harmonique = new QGridLayout;
  harmonique->addWidget(ComboBoxHarmonic, 0, 0, 1, 2);
  harmonique->addWidget(new QLabel("Orbe", panneau), 1, 0);
  harmonique->addWidget(ComboBoxOrbe, 1, 1);
  harmonique->addWidget(new QLabel("Serre", panneau), 2, 0);
  harmonique->addWidget(ComboBoxOrbeSerre, 2, 1);
  harmonique->addWidget(CheckBoxH8H16, 3, 0, 1, 2);
  l->addLayout(harmonique);

  const QStringList couches{"Natal", "Arc sol", "Transit"};
  RadioGroupFrom = new GroupeRadio("De", couches, 1, panneau);
  RadioGroupVers = new GroupeRadio("Vers", couches, 1, panneau);
  RadioGroupFrom->DefinirItemIndex(1);
  RadioGroupVers->DefinirItemIndex(0);
  auto* couchesL = new QHBoxLayout;
  couchesL->addWidget(RadioGroupFrom);
  couchesL->addWidget(RadioGroupVers);
  l->addLayout(couchesL);

  EditPosEcl = Champ(panneau, "EditPosEcl", 0, true);
  EditPosHarm = Champ(panneau, "EditPosHarm", 0, true);
  EditAngle = Champ(panneau, "EditAngle", 0, true);
  l->addWidget(EditPosEcl);
  l->addWidget(EditPosHarm);
  l->addWidget(EditAngle);

  BtnArbre = Bouton(panneau, "", "BtnArbre");
  GridArbre = new GrilleTexte(panneau);
  GridArbre->setObjectName("GridArbre");
  {
    QFont glyphes = Police("Celvan S", 10);
    glyphes.setPixelSize(13);
    const QFont petit = Police("Celvan S", 8);
    const QFont etroite = Police("Arial Narrow", 8);
    GridArbre->DefinirColonnes({{"", Qt::black, glyphes, 24},
                                {"Orbe", Qt::black, petit, 60},
                                {"", Qt::black, glyphes, 24},
                                {"", Qt::black, etroite, 5 * QFontMetrics(etroite).horizontalAdvance('h')},
                                {"", Qt::black, etroite, 0},
                                {"", Qt::black, etroite, 0}});
  }
  l->addWidget(BtnArbre);
  l->addWidget(GridArbre, 1);

  RadioGroupA = new GroupeRadio("A", GlyphesItems(0), 2, panneau);
  RadioGroupB = new GroupeRadio("B", GlyphesItems(1), 2, panneau);
  QStringList itemsC{""};
  itemsC << GlyphesItems(0);
  RadioGroupC = new GroupeRadio("C", itemsC, 2, panneau);
  for (GroupeRadio* g : {RadioGroupA, RadioGroupB, RadioGroupC}) {
    g->setFont(Police("Celvan S", 9));
  }
  LabelA = new QLabel(panneau);
  LabelB = new QLabel(panneau);
  LabelC = new QLabel(panneau);
  for (QLabel* e : {LabelA, LabelB, LabelC}) e->setFont(Police("Celvan S", 12));
  auto* points = new QHBoxLayout;
  points->addWidget(RadioGroupA);
  points->addWidget(RadioGroupB);
  points->addWidget(RadioGroupC);
  l->addLayout(points);
  auto* formule = new QHBoxLayout;
  formule->addWidget(LabelA);
  formule->addWidget(new QLabel("+", panneau));
  formule->addWidget(LabelB);
  formule->addWidget(new QLabel("-", panneau));
  formule->addWidget(LabelC);
  BtnCalculPointParticulier = Bouton(panneau, "Calcul", "BtnCalculPointParticulier");
  BtnSuivreMP = Bouton(panneau, "Suivre MP", "BtnSuivreMP");
  formule->addWidget(BtnCalculPointParticulier);
  formule->addWidget(BtnSuivreMP);
  l->addLayout(formule);
  connect(RadioGroupA, &GroupeRadio::Clique, this,
          [this](int i) { LabelA->setText(Glyphe(LettresCorps[CorpsItemsA[i]])); });
  connect(RadioGroupB, &GroupeRadio::Clique, this,
          [this](int i) { LabelB->setText(Glyphe(LettresCorps[CorpsItemsA[i + 1]])); });
  connect(RadioGroupC, &GroupeRadio::Clique, this,
          [this](int i) { LabelC->setText(i == 0 ? QString() : Glyphe(LettresCorps[CorpsItemsA[i - 1]])); });

  RadioGroupCouleurs = new GroupeRadio("   Colorer :    ", {"Couronnes", Utf8("Planètes")}, 2, panneau);
  l->addWidget(RadioGroupCouleurs);

  auto* outils = new QHBoxLayout;
  SpeedButton5 = Bouton(panneau, "Pos.", "SpeedButton5", "Positions");
  BtnFormulaire = Bouton(panneau, "Formulaire", "BtnFormulaire");
  BtnImprimer = Bouton(panneau, "Imprimer", "BtnImprimer", "Imprimer");
  outils->addWidget(SpeedButton5);
  outils->addWidget(BtnFormulaire);
  outils->addWidget(BtnImprimer);
  l->addLayout(outils);
  connect(BtnFormulaire, &QPushButton::clicked, this, [this] { BtnFormulaireClick(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });

  // The grids shown over the dial on demand.
  GridPositions = new GrilleTexte(this);
  GridPositions->setObjectName("GridPositions");
  {
    const QFont glyphes = Police("Celvan S", 10);
    const QFont arial = Police("Arial", 8);
    GridPositions->DefinirColonnes({{"", Qt::red, glyphes, 24},
                                    {"Natal", Qt::black, glyphes, 70},
                                    {"H4", Qt::black, arial, 80},
                                    {"Arc Sol.", Qt::black, glyphes, 70},
                                    {"H4", Qt::black, arial, 80},
                                    {"Transit", Qt::black, glyphes, 70},
                                    {"H4", Qt::black, arial, 80}});
  }
  GridPositions->hide();
  connect(SpeedButton5, &QPushButton::clicked, this, [this] {
    GridPositions->setVisible(GridPositions->isHidden());
    if (GridPositions->isVisible()) GridPositions->raise();
  });
  GridMaisons = new GrilleTexte(this);
  GridMaisons->setObjectName("GridMaisons");
  GridMaisons->DefinirColonnes({{"ARMC = ", Qt::black, Police("Arial", 8), 60},
                                {"", Qt::black, Police("Celvan S", 10), 90}});
  GridMaisons->hide();

  PanelAxe = new QFrame(this);
  PanelAxe->setObjectName("PanelAxe");
  PanelAxe->setFrameShape(QFrame::Panel);
  PanelAxe->setAutoFillBackground(true);
  {
    auto* a = new QVBoxLayout(PanelAxe);
    a->addWidget(new QLabel("Axe des maisons  : ", PanelAxe));
    QStringList axes;
    for (int corps : {1, 2, 21, 22, 23, 19}) axes << Glyphe(LettresCorps[corps]);
    axes << "Mer." << "-";
    RadioGroupAxeNatal = new GroupeRadio("Natal", axes, 4, PanelAxe);
    RadioGroupAxeTransit = new GroupeRadio("Transit", axes, 4, PanelAxe);
    RadioGroupAxeNatal->DefinirItemIndex(6);
    RadioGroupAxeTransit->DefinirItemIndex(6);
    RadioGroupSex = new GroupeRadio("", {"Homme", "Femme"}, 2, PanelAxe);
    BitBtnAscKarmique = Bouton(PanelAxe, "Caculer", "BitBtnAscKarmique");
    BitBtnAnnuler = Bouton(PanelAxe, "Annuler", "BitBtnAnnuler");
    Edit3 = Champ(PanelAxe, "Edit3", 0, true);
    Edit4 = Champ(PanelAxe, "Edit4", 0, true);
    a->addWidget(RadioGroupAxeNatal);
    a->addWidget(RadioGroupAxeTransit);
    a->addWidget(RadioGroupSex);
    auto* k = new QGridLayout;
    k->addWidget(BitBtnAscKarmique, 0, 0);
    k->addWidget(BitBtnAnnuler, 0, 1);
    k->addWidget(new QLabel("Natal : ", PanelAxe), 1, 0);
    k->addWidget(Edit3, 1, 1);
    k->addWidget(new QLabel(Utf8("Dirigé :"), PanelAxe), 2, 0);
    k->addWidget(Edit4, 2, 1);
    a->addLayout(k);
  }
  PanelAxe->hide();

  connect(ComboBoxHarmonic, QOverload<int>::of(&QComboBox::activated), this, [this] { ComboBoxHarmonicChange(); });
  connect(ComboBoxOrbe, QOverload<int>::of(&QComboBox::activated), this, [this] { Actualiser(); });
  connect(ComboBoxOrbeSerre, QOverload<int>::of(&QComboBox::activated), this, [this] { Actualiser(); });
  connect(CheckBoxH8H16, &QCheckBox::clicked, this, [this] {
    if (harmonique_ != 1) Actualiser();
  });
}

void TFormCosmo::CreerPanneauDroit(QWidget* panneau) {
  auto* l = new QVBoxLayout(panneau);
  l->setContentsMargins(2, 2, 2, 2);
  l->setSpacing(2);
  auto* moment = new QGridLayout;
  MaskEditDate = Champ(panneau, "MaskEditDate");
  MaskEditDate->setInputMask("00.00.9999;_");
  MaskEditHeure = Champ(panneau, "MaskEditHeure");
  MaskEditHeure->setInputMask("09\\h99;_");
  MaskEditSecondes = Champ(panneau, "MaskEditSecondes");
  MaskEditSecondes->setInputMask("09;_");
  EditFuseau = Champ(panneau, "EditFuseau", 9);
  EditVille = Champ(panneau, "EditVille", 30);
  EditPays = Champ(panneau, "EditPays", 33);
  EditLong = Champ(panneau, "EditLong", 7);
  EditLat = Champ(panneau, "EditLat", 6);
  EditLong->setToolTip("Placer un - devant pour les longitudes OUEST (ex: -102.23)");
  EditLat->setToolTip("Placer un - devant pour les latitudes SUD (ex: -35.52)");
  BtnOuvrirAtlasLocal = Bouton(panneau, "Atlas", "BtnOuvrirAtlasLocal");
  int ligne = 0;
  moment->addWidget(new QLabel("Date", panneau), ligne, 0);
  moment->addWidget(MaskEditDate, ligne++, 1, 1, 2);
  moment->addWidget(new QLabel("Heure", panneau), ligne, 0);
  moment->addWidget(MaskEditHeure, ligne, 1);
  moment->addWidget(MaskEditSecondes, ligne++, 2);
  moment->addWidget(new QLabel("Fuseau", panneau), ligne, 0);
  moment->addWidget(EditFuseau, ligne++, 1, 1, 2);
  moment->addWidget(new QLabel("Ville", panneau), ligne, 0);
  moment->addWidget(EditVille, ligne++, 1, 1, 2);
  moment->addWidget(new QLabel("Pays", panneau), ligne, 0);
  moment->addWidget(EditPays, ligne++, 1, 1, 2);
  moment->addWidget(new QLabel("Long.", panneau), ligne, 0);
  moment->addWidget(EditLong, ligne++, 1, 1, 2);
  moment->addWidget(new QLabel("Lat.", panneau), ligne, 0);
  moment->addWidget(EditLat, ligne, 1);
  moment->addWidget(BtnOuvrirAtlasLocal, ligne++, 2);
  l->addLayout(moment);

  EditAge = Champ(panneau, "EditAge", 0, true);
  Edit2 = Champ(panneau, "Edit2", 0, true);
  l->addWidget(EditAge);
  auto* arc = new QHBoxLayout;
  arc->addWidget(new QLabel("Arc sol :", panneau));
  arc->addWidget(Edit2);
  l->addLayout(arc);

  BtnActualiser = Bouton(panneau, "Actualiser", "BtnActualiser");
  BtnClrNow = Bouton(panneau, "Now", "BtnClrNow");
  BtnClr2 = Bouton(panneau, "R", "BtnClr2", Utf8("Retour aux données de départ"));
  auto* actions = new QHBoxLayout;
  actions->addWidget(BtnActualiser);
  actions->addWidget(BtnClrNow);
  actions->addWidget(BtnClr2);
  l->addLayout(actions);

  auto* pas = new QGroupBox("Recul/Avance", panneau);
  auto* grillePas = new QGridLayout(pas);
  grillePas->setSpacing(1);
  struct Pas {
    int tag;
    const char* nom;
    const char* titre;
  };
  // Tags in pairs back/forward on one row, as the labels read.
  const Pas boutons[12] = {{2, "BtnMoins1H", "- 1 h"},        {1, "BtnPlus1H", "+ 1 h"},
                           {3, "BtnMoins1", "- 1 j"},         {4, "BtnPlus1", "+ 1 j"},
                           {5, "SpeedButton1", "- 5 j"},      {6, "SpeedButton2", "+ 5 j"},
                           {7, "SpeedButton3", "- 10 j"},     {8, "SpeedButton4", "+ 10 j"},
                           {9, "BtnMoins1Mois", "- 1 mois"},  {10, "BtnPlus1Mois", "+ 1 mois"},
                           {11, "BtnMois1An", "- 1 an"},      {12, "BtnPlus1An", "+ 1 an"}};
  for (int i = 0; i < 12; ++i) {
    auto* b = Bouton(pas, Utf8(boutons[i].titre), boutons[i].nom);
    b->setProperty("tag", boutons[i].tag);
    BoutonsPas[boutons[i].tag] = b;
    grillePas->addWidget(b, i / 2, i % 2);
    const int tag = boutons[i].tag;
    connect(b, &QPushButton::clicked, this, [this, tag] { BtnPlus1Click(tag); });
  }
  l->addWidget(pas);

  BtnClr1 = Bouton(panneau, "RS / RL", "BtnClr1", Utf8("Rév. solaire/lunaire"));
  SpeedButton6 = Bouton(panneau, "Arc", "SpeedButton6", Utf8("Arc solaire spécifique"));
  BtnHorloge = Bouton(panneau, "Horloge", "BtnHorloge");
  auto* comparaisons = new QHBoxLayout;
  comparaisons->addWidget(BtnClr1);
  comparaisons->addWidget(SpeedButton6);
  comparaisons->addWidget(BtnHorloge);
  l->addLayout(comparaisons);
  EditPrecess = Champ(panneau, "EditPrecess", 0, true);
  l->addWidget(EditPrecess);

  PanelRSRL = new QFrame(panneau);
  PanelRSRL->setObjectName("PanelRSRL");
  PanelRSRL->setFrameShape(QFrame::Panel);
  {
    auto* r = new QGridLayout(PanelRSRL);
    MaskEditDateStart = Champ(PanelRSRL, "MaskEditDateStart");
    MaskEditDateStart->setInputMask("00/00/9999;_");
    CheckBoxPrecession = new QCheckBox(Utf8("Précession"), PanelRSRL);
    RadioGroupRSouRL = new GroupeRadio("", {"Rév solaire", "Rév lunaire"}, 1, PanelRSRL);
    RadioGroupTypeRS = new GroupeRadio("             RS", {"1", "+1/4", "+1/2", "+3/4"}, 2, PanelRSRL);
    Button1 = Bouton(PanelRSRL, "Ok", "Button1");
    BtnExit = Bouton(PanelRSRL, "Annuler", "BtnExit");
    r->addWidget(MaskEditDateStart, 0, 0);
    r->addWidget(CheckBoxPrecession, 0, 1);
    r->addWidget(RadioGroupRSouRL, 1, 0);
    r->addWidget(RadioGroupTypeRS, 1, 1);
    r->addWidget(Button1, 2, 0);
    r->addWidget(BtnExit, 2, 1);
  }
  PanelRSRL->hide();
  l->addWidget(PanelRSRL);
  connect(BtnClr1, &QPushButton::clicked, this, [this] { PanelRSRL->show(); });
  connect(BtnExit, &QPushButton::clicked, this, [this] { PanelRSRL->hide(); });
  MaskEditDateStart->installEventFilter(this);

  BtnLunaisons = Bouton(panneau, "Lunaisons", "BtnLunaisons");
  BtnClrEclipses = Bouton(panneau, "Eclipses", "BtnClrEclipses", Utf8("Recherche d'éclipses pour une année à spécifier"));
  auto* evenements = new QHBoxLayout;
  evenements->addWidget(BtnLunaisons);
  evenements->addWidget(BtnClrEclipses);
  l->addLayout(evenements);
  GridEclipses = new GrilleTexte(panneau);
  GridEclipses->setObjectName("GridEclipses");
  {
    const QFont celvan = Police("Celvan", 10);
    const QFont arial = Police("Arial", 8);
    const int a = QFontMetrics(arial).horizontalAdvance('A');
    GridEclipses->DefinirColonnes({{"Ph.", Qt::black, celvan, 4 * a},
                                   {"", Qt::black, arial, 0},
                                   {"", Qt::black, arial, 0},
                                   {"Date (TU)", Qt::black, arial, 15 * a},
                                   {"", Qt::black, arial, 0},
                                   {"", Qt::black, arial, 0}});
  }
  l->addWidget(GridEclipses, 1);

  connect(BtnActualiser, &QPushButton::clicked, this, [this] { BtnActualiserClick(); });
  connect(BtnClrNow, &QPushButton::clicked, this, [this] { BtnClrNowClick(); });
  connect(BtnClr2, &QPushButton::clicked, this, [this] { BtnClr2Click(); });
  connect(BtnOuvrirAtlasLocal, &QPushButton::clicked, this, [this] { BtnOuvrirAtlasLocalClick(); });
  for (QLineEdit* champ : {MaskEditDate, MaskEditHeure, EditLat, EditLong}) champ->installEventFilter(this);
}

void TFormCosmo::FormCreate() {
  EtatTheme& e = Etat();
  ficheSauvee_ = e.FicheEnCours;
  jourJulienNaissance_ = e.JourJulienTU;
  jourJulienNaissanceLocal_ = e.JourJulienTU + e.FuseauHeures / 24;
  Entier(Tranche(e.FicheEnCours.Date.Chaine(), 6, 4), anneeNaissance_);
  e.FuseauHeures = LireFuseau(e.FicheEnCours.Fuseau.Chaine());
  if (parentWidget()) resize(parentWidget()->size());
  else resize(1500, 950);

  setWindowTitle(Texte(e.NomAffiche.Chaine()) + " - Cosmogramme");
  RemplirColonnesFixesPositions();
  const QDateTime maintenant = QDateTime::currentDateTime();
  MaskEditDate->setText(maintenant.toString("dd.MM.yyyy"));
  MaskEditDateStart->setText(maintenant.toString("dd/MM/yyyy"));
  MaskEditHeure->setText(maintenant.toString("hh'h'mm"));
  MaskEditSecondes->setText(maintenant.toString("ss"));
  EditFuseau->setText(QString::number(std::round(-DecalageHoraireSysteme() / 60.0)));
  EditVille->setText(Texte(e.FicheEnCours.Ville.Chaine()));
  EditLat->setText(Texte(e.FicheEnCours.Lat.Chaine()));
  EditLong->setText(Texte(e.FicheEnCours.Long.Chaine()));
  double jour = 0;
  if (LireMoment(jour)) {
    jourJulienTransit_ = jour;
    ageAnnees_ = (jour - jourJulienNaissance_) / JoursAnneeChamps;
  }
  AfficherAge(ageAnnees_);
  RadioGroupCouleurs->DefinirItemIndex(LesReglages().ColoredCrowns ? 0 : 1);
  CalculerPositions();
  Redessiner();
  LabelC->clear();
  Disposer();
  MaskEditDate->setFocus();
}

void TFormCosmo::RemplirColonnesFixesPositions() {
  const EtatTheme& e = Etat();
  GridPositions->Vider();
  for (int b = 1; b <= NbCorps; ++b) {
    const double lon = e.Positions[b][6];
    GridPositions->AjouterLigne({Glyphe(LettresCorps[b]), Texte(FormatGlyphe(lon)),
                                 Texte(FormatDMS(std::fmod(lon, 2 * M_PI / harmonique_))), "", "", "", ""});
  }
}

bool TFormCosmo::LireMoment(double& jourJulien) {
  const std::string date = Octets(MaskEditDate->text());
  int jour = 0, mois = 0, annee = 0;
  if (!Entier(Tranche(date, 0, 2), jour) || !Entier(Tranche(date, 3, 2), mois) || !Entier(Tranche(date, 6, 4), annee))
    return false;
  const std::string heure = Octets(MaskEditHeure->text());
  const double heures = LireNombre(Tranche(heure, 0, 2)) + LireNombre(Tranche(heure, 3, 2)) / 60 +
                        LireNombre(Octets(MaskEditSecondes->text())) / 3600;
  double fuseau = 0;
  if (!EssayerLireFuseau(Octets(EditFuseau->text()), fuseau)) fuseau = 0;
  Etat().FuseauHeures = fuseau;
  // A fraction below 0 or above 1 is meant: the day is linear in it.
  jourJulien = JourJulien(jour, mois, annee, (heures - fuseau) / 24);
  return true;
}

void TFormCosmo::AfficherAge(double age) {
  EditAge->setText("Age : " + QString::number(age, 'f', 2) + " ans");
}

void TFormCosmo::EcrireMomentTU(double jourJulien, bool secondesSurDeuxChiffres) {
  // Rounded to the second first, so 59.6 s never shows as "60" under the wrong minute.
  const double secondesJour = std::nearbyint((jourJulien + 0.5) * 86400.0);
  const double arrondi = secondesJour / 86400.0 - 0.5;
  const long dansJour = static_cast<long>(secondesJour - std::floor(secondesJour / 86400.0) * 86400.0);
  MaskEditDate->setText(Texte(JourJulienVersDatePoints(arrondi)));
  MaskEditHeure->setText(Texte(Remplir(dansJour / 3600, 2) + "h" + Remplir(dansJour / 60 % 60, 2)));
  const long secondes = dansJour % 60;
  MaskEditSecondes->setText(secondesSurDeuxChiffres ? Texte(Remplir(secondes, 2)) : QString::number(secondes));
  EditFuseau->setText("0");
  Etat().FuseauHeures = 0;
}

void TFormCosmo::CalculerPositions() {
  harmonique_ = HarmoniqueDeItem(ComboBoxHarmonic->currentIndex());
  double jour = jourJulienTransit_;
  if (LireMoment(jour)) jourJulienTransit_ = jour;
  ageAnnees_ = (jourJulienTransit_ - jourJulienNaissance_) / JoursAnneePas;
  // The transit chart: the moment of the fields becomes the current chart.
  EtatTheme& e = Etat();
  std::string date = Octets(MaskEditDate->text());
  for (char& c : date)
    if (c == '.') c = '/';
  e.FicheEnCours.Date = date;
  const std::string heure = Octets(MaskEditHeure->text());
  e.FicheEnCours.Heure = FormatHeureHMS(LireNombre(Tranche(heure, 0, 2)) + LireNombre(Tranche(heure, 3, 2)) / 60 +
                                        LireNombre(Octets(MaskEditSecondes->text())) / 3600);
  e.FicheEnCours.Ville = Octets(EditVille->text());
  e.FicheEnCours.Lat = Octets(EditLat->text());
  e.FicheEnCours.Long = Octets(EditLong->text());
  e.FicheEnCours.Fuseau = Octets(EditFuseau->text());
  CalculerTheme(EcartGlyphes7);
}

void TFormCosmo::Redessiner() {
  const int cote = std::max(100, Image1->height());
  const qreal echelle = devicePixelRatioF();
  dessin_ = QImage(QSize(cote, cote) * echelle, QImage::Format_RGB32);
  dessin_.setDevicePixelRatio(echelle);
  dessin_.fill(Qt::white);
  Image1->update();
}

bool TFormCosmo::Actualiser() {
  if (!MaskEditDateExit()) return false;
  CalculerPositions();
  Redessiner();
  return true;
}

void TFormCosmo::BtnActualiserClick() {
  // A wrong date changes nothing, not even the moment the steps start from.
  if (!MaskEditDateExit()) return;
  double jour = 0;
  if (LireMoment(jour)) {
    jourJulienTransit_ = jour;
    ageAnnees_ = (jour - jourJulienNaissance_) / JoursAnneeChamps;
    AfficherAge(ageAnnees_);
  }
  Actualiser();
}

void TFormCosmo::BtnClrNowClick() {
  const QDateTime maintenant = QDateTime::currentDateTime();
  MaskEditDate->setText(maintenant.toString("dd.MM.yyyy"));
  MaskEditHeure->setText(maintenant.toString("hh'h'mm"));
  MaskEditSecondes->setText(maintenant.toString("ss"));
  EditFuseau->setText(Court(-DecalageHoraireSysteme() / 60.0));
  double jour = 0;
  if (LireMoment(jour)) {
    jourJulienTransit_ = jour;
    ageAnnees_ = (jour - jourJulienNaissance_) / JoursAnneeChamps;
    AfficherAge(ageAnnees_);
  }
  RadioGroupFrom->DefinirItemIndex(1);
  RadioGroupVers->DefinirItemIndex(0);
  RadioGroupA->DefinirItemIndex(0);
  RadioGroupB->DefinirItemIndex(0);
  RadioGroupC->DefinirItemIndex(0);
  Actualiser();
}

void TFormCosmo::BtnPlus1Click(int tag) {
  constexpr double pas[13] = {0, 1.0 / 24, -1.0 / 24, -1, 1, -5, 5, -10, 10, -30, 30, -365, 365};
  if (tag < 1 || tag > 12) return;
  EditFuseau->setText("0");
  Etat().FuseauHeures = 0;
  jourJulienTransit_ += pas[tag];
  ageAnnees_ = (jourJulienTransit_ - jourJulienNaissance_) / JoursAnneePas;
  EcrireMomentTU(jourJulienTransit_, true);
  AfficherAge(ageAnnees_);
  Actualiser();
}

void TFormCosmo::BtnClr2Click() {
  Etat().FicheEnCours = ficheSauvee_;
  const FicheClient& f = ficheSauvee_;
  MaskEditDate->setText(Texte(JourJulienVersDatePoints(jourJulienNaissanceLocal_)));
  MaskEditHeure->setText(Texte(std::string(Tranche(f.Heure.Chaine(), 0, 5))));
  MaskEditSecondes->setText(Texte(std::string(Tranche(f.Heure.Chaine(), 6, 2))));
  EditFuseau->setText(Texte(f.Fuseau.Chaine()));
  EditVille->setText(Texte(f.Ville.Chaine()));
  EditLong->setText(Texte(f.Long.Chaine()));
  EditLat->setText(Texte(f.Lat.Chaine()));
  Actualiser();
  EditAge->setText("Age : 0 an");
}

void TFormCosmo::BtnOuvrirAtlasLocalClick() {
  TFormConsultAtlas atlas(dossier_, EditVille->text(), EditLat->text(), EditLong->text(), this);
  if (atlas.exec() != QDialog::Accepted) return;
  EditVille->setText(atlas.EditVille->text());
  EditLong->setText(atlas.EditLong->text());
  EditLat->setText(atlas.EditLat->text());
  EditPays->setText(atlas.EditPays->text());
  Actualiser();
}

void TFormCosmo::ComboBoxHarmonicChange() {
  struct Reglage {
    int orbe, serre;
  };
  constexpr Reglage presets[6] = {{35, 39}, {8, 19}, {3, 19}, {2, 4}, {1, 4}, {0, 4}};
  PanelAxe->hide();
  GridMaisons->hide();
  GridPositions->hide();
  const int item = std::clamp(ComboBoxHarmonic->currentIndex(), 0, 5);
  harmonique_ = HarmoniqueDeItem(item);
  ComboBoxOrbe->setCurrentIndex(presets[item].orbe);
  ComboBoxOrbeSerre->setCurrentIndex(presets[item].serre);
  CheckBoxH8H16->setChecked(false);
  for (int c : {2, 4, 6}) GridPositions->horizontalHeaderItem(c)->setText("H" + QString::number(harmonique_));
  Actualiser();
  if (harmonique_ == 1) {
    PanelAxe->show();
    GridMaisons->show();
    Disposer();
  }
}

void TFormCosmo::BtnFormulaireClick() {
  PanelFormulaire->show();
  PanelFormulaire->raise();
  Disposer();
}

void TFormCosmo::BtnImprimerClick() {}

bool TFormCosmo::MaskEditDateExit() {
  std::string date = Octets(MaskEditDate->text());
  for (char& c : date)
    if (c == '.') c = '/';
  if (DateValide(date)) return true;
  LaPlateforme().Avertissement(MaskEditDate->text() + " : date incorrecte");
  MaskEditDate->setFocus();
  return false;
}

bool TFormCosmo::MaskEditHeureExit() {
  if (HeureValide(Octets(MaskEditHeure->text()))) return true;
  LaPlateforme().Avertissement(MaskEditHeure->text() + " : heure incorrecte");
  return false;
}

bool TFormCosmo::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::FocusOut && !restaure_) {
    const auto raison = static_cast<QFocusEvent*>(evenement)->reason();
    // A box or a closing window takes the focus too: only a user leaving the field is checked.
    if (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason || raison == Qt::MouseFocusReason) {
      if (objet == MaskEditDate) {
        if (!MaskEditDateExit()) return false;
      } else if (objet == MaskEditHeure) {
        MaskEditHeureExit();
      } else if (objet == MaskEditDateStart) {
        std::string date = Octets(MaskEditDateStart->text());
        if (!DateValide(date)) LaPlateforme().Avertissement(MaskEditDateStart->text() + " : date incorrecte");
      } else if (objet == EditLat) {
        LatitudeValide(Octets(EditLat->text()));
      } else if (objet == EditLong) {
        LongitudeValide(Octets(EditLong->text()));
      }
    }
  }
  return QWidget::eventFilter(objet, evenement);
}

void TFormCosmo::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(evenement);
}

void TFormCosmo::RestaurerFiche() {
  if (restaure_) return;
  restaure_ = true;
  Etat().FicheEnCours = ficheSauvee_;
  try {
    CalculerTheme(EcartGlyphes65);
  } catch (...) {
    // The record was right when the window opened; a failure now leaves the record restored.
  }
}

void TFormCosmo::closeEvent(QCloseEvent* evenement) {
  RestaurerFiche();
  QWidget::closeEvent(evenement);
}

void TFormCosmo::resizeEvent(QResizeEvent* evenement) {
  QWidget::resizeEvent(evenement);
  Disposer();
}

void TFormCosmo::Disposer() {
  // The dial is square, its side the client height, centred between the two panels.
  QWidget* gauche = findChild<QWidget*>("PanelFigure", Qt::FindDirectChildrenOnly);
  QWidget* droite = findChild<QWidget*>("Panel1", Qt::FindDirectChildrenOnly);
  if (!gauche || !droite) return;
  const int h = height();
  const int largeurGauche = 300, largeurDroite = 270;
  const int cote = std::max(100, std::min(h, width() - largeurGauche - largeurDroite));
  gauche->setGeometry(0, 0, largeurGauche, h);
  droite->setGeometry(width() - largeurDroite, 0, largeurDroite, h);
  const int x = largeurGauche + (width() - largeurGauche - largeurDroite - cote) / 2;
  const QSize avant = Image1->size();
  Image1->setGeometry(x, 0, cote, cote);
  GridPositions->setGeometry(x, 0, std::min(cote, 560), std::min(cote, 620));
  GridMaisons->setGeometry(x + cote - 170, 0, 170, 330);
  PanelAxe->setGeometry(x, cote - 260 > 0 ? cote - 260 : 0, 260, 260);
  PanelFormulaire->setGeometry(x, 0, cote, std::min(h, cote * 2 / 3));
  if (avant != Image1->size()) Redessiner();
}

}  // namespace selvane
