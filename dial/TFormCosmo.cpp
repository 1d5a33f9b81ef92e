#include "dial/TFormCosmo.h"
#include "widgets/Fenetres.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHeaderView>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QTimer>
#include <QTimeZone>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>
#include <tuple>

#include "birthdata/TFormConsultAtlas.h"
#include "birthdata/records/Controles.h"
#include "core/Calcul.h"
#include "methode/Moment.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EmpruntEtat.h"
#include "core/EtatTheme.h"
#include "core/Temps.h"
#include "dessin/Traits.h"
#include "core/Avertissements.h"
#include "dial/DessinCadran.h"
#include "dial/ImpressionCadran.h"
#include "dial/PanneauFormulaire.h"
#include "reglages/Reglages.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"
#include "widgets/TexteSaisi.h"

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

QStringList GlyphesItems(int premier) {
  QStringList items;
  for (int i = premier; i < 22; ++i) items << Glyphe(LettresCorps[CorpsDeA(i)]);
  return items;
}

// One row of widgets side by side.
QHBoxLayout* Rangee(std::initializer_list<QWidget*> elements) {
  auto* rangee = new QHBoxLayout;
  for (QWidget* e : elements) rangee->addWidget(e);
  return rangee;
}

QString Fond(const QColor& c) { return QString("background-color: %1;").arg(c.name()); }

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
  connect(groupe_, &QButtonGroup::idToggled, this, [this](int item, bool coche) {
    if (coche) emit Change(item);
  });
}

int GroupeRadio::ItemIndex() const { return groupe_->checkedId(); }
void GroupeRadio::DefinirItemIndex(int item) {
  if (QAbstractButton* b = groupe_->button(item)) b->setChecked(true);
}
QRadioButton* GroupeRadio::Bouton(int item) const { return static_cast<QRadioButton*>(groupe_->button(item)); }
int GroupeRadio::Nombre() const { return static_cast<int>(groupe_->buttons().size()); }
void GroupeRadio::DefinirPoliceItems(const QFont& police, int premier, int dernier) {
  if (dernier < 0) dernier = Nombre() - 1;
  for (int i = premier; i <= dernier; ++i)
    if (QAbstractButton* b = groupe_->button(i)) b->setFont(police);
}

TFormCosmo::TFormCosmo(const QString& dossier, QWidget* parent) : QWidget(parent), dossier_(dossier) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  Image1 = new SurfaceCadran(this);
  Image1->installEventFilter(this);
  // Escape closes the window from whichever of its fields has the focus. The shortcut also
  // hears the Escape that closes an open drop-down list (the list closes first, then the
  // shortcut fires): that one only closes the list.
  auto* echap = new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] {
    if (echapListe_) {
      echapListe_ = false;
      return;
    }
    FermerFenetre(this);
  });
  echap->setContext(Qt::WidgetWithChildrenShortcut);
  PopupMenu1 = new QMenu(this);
  PopupMenu1->addAction("Copier", this, [this] { CopierClick(); });
  // Each side panel scrolls when the window is shorter than its controls: a small screen
  // then keeps the tree and the events lists at a usable height instead of crushing them.
  auto defilement = [this](const char* nom, QWidget* panneau) {
    auto* zone = new QScrollArea(this);
    zone->setObjectName(nom);
    zone->setFrameShape(QFrame::NoFrame);
    zone->setWidgetResizable(true);
    zone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zone->setWidget(panneau);
  };
  auto* gauche = new QWidget;
  gauche->setObjectName("PanelFigure");
  auto* droite = new QWidget;
  droite->setObjectName("Panel1");
  CreerPanneauGauche(gauche);
  CreerPanneauDroit(droite);
  defilement("DefilementGauche", gauche);
  defilement("DefilementDroit", droite);
  PanelFormulaire = new PanneauFormulaire(dossier_, this);
  PanelFormulaire->hide();
  // The lists' pop-ups tell the shortcut that an Escape is theirs (a filter installed last
  // runs first: before the pop-up closes on it).
  for (QComboBox* liste : findChildren<QComboBox*>()) liste->view()->installEventFilter(this);
  FormCreate();
}

// The borrowed chart state comes back with the guard, if closing did not give it back already.
TFormCosmo::~TFormCosmo() = default;

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
  ComboBoxOrbe->setCurrentIndex(selection_.IndexOrbe);
  ComboBoxOrbeSerre = new QComboBox(panneau);
  ComboBoxOrbeSerre->setObjectName("ComboBoxOrbeSerre");
  ComboBoxOrbeSerre->addItems(ItemsOrbeSerre());
  ComboBoxOrbeSerre->setCurrentIndex(selection_.IndexOrbeSerre);
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
  RadioGroupFrom->DefinirItemIndex(selection_.CoucheDe - 1);
  RadioGroupVers->DefinirItemIndex(selection_.CoucheVers - 1);
  l->addLayout(Rangee({RadioGroupFrom, RadioGroupVers}));

  EditPosEcl = Champ(panneau, "EditPosEcl", 0, true);
  EditPosHarm = Champ(panneau, "EditPosHarm", 0, true);
  EditAngle = Champ(panneau, "EditAngle", 0, true);
  for (QWidget* w : {static_cast<QWidget*>(EditPosEcl), static_cast<QWidget*>(EditPosHarm),
                     static_cast<QWidget*>(EditAngle)})
    w->setFont(Police("Celvan S", 10));
  l->addWidget(EditPosEcl);
  l->addWidget(EditPosHarm);
  l->addWidget(EditAngle);

  BtnArbre = Bouton(panneau, "", "BtnArbre");
  BtnArbre->setFont(Police("Celvan S", 10));
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
  GridArbre->setMinimumHeight(LignesArbreMinimum * GridArbre->verticalHeader()->defaultSectionSize() +
                              GridArbre->horizontalHeader()->sizeHint().height() + 2 * GridArbre->frameWidth());

  RadioGroupA = new GroupeRadio("A", GlyphesItems(0), 2, panneau);
  RadioGroupB = new GroupeRadio("B", GlyphesItems(1), 2, panneau);
  QStringList itemsC{""};
  itemsC << GlyphesItems(0);
  RadioGroupC = new GroupeRadio("C", itemsC, 2, panneau);
  for (GroupeRadio* g : {RadioGroupA, RadioGroupB, RadioGroupC}) g->DefinirPoliceItems(Police("Celvan S", 9));
  LabelA = new QLabel(panneau);
  LabelB = new QLabel(panneau);
  LabelC = new QLabel(panneau);
  for (QLabel* e : {LabelA, LabelB, LabelC}) e->setFont(Police("Celvan S", 12));
  l->addLayout(Rangee({RadioGroupA, RadioGroupB, RadioGroupC}));
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
  connect(RadioGroupA, &GroupeRadio::Clique, this, [this](int i) { LabelA->setText(Lettre(CorpsDeA(i))); });
  connect(RadioGroupB, &GroupeRadio::Clique, this, [this](int i) { LabelB->setText(Lettre(CorpsDeB(i))); });
  connect(RadioGroupC, &GroupeRadio::Clique, this,
          [this](int i) { LabelC->setText(i == 0 ? QString() : Lettre(CorpsDeC(i))); });
  connect(BtnCalculPointParticulier, &QPushButton::clicked, this, [this] { BtnCalculPointParticulierClick(); });
  connect(BtnSuivreMP, &QPushButton::clicked, this, [this] { BtnSuivreMPClick(); });
  connect(RadioGroupVers, &GroupeRadio::Clique, this, [this] { RadioGroupVersClick(); });

  RadioGroupCouleurs = new GroupeRadio("   Colorer :    ", {"Couronnes", Utf8("Planètes")}, 2, panneau);
  l->addWidget(RadioGroupCouleurs);
  connect(RadioGroupCouleurs, &GroupeRadio::Clique, this, [this] { RadioGroupCouleursClick(); });

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
  // Ctrl+C and "Exporter CSV…" on both grids give their sheets, under the chart's stamp.
  const auto cachet = [] { return LignesCachet(ContexteDuTheme(Etat())); };
  BrancherFeuille(*GridPositions, {[this] { return FeuillePositionsCadran(modele_); }, cachet, [] { return QString("Positions.csv"); }});
  BrancherFeuille(*GridArbre, {[this] { return feuilleArbre_; }, cachet, [] { return QString("Arbre.csv"); }});
  connect(SpeedButton5, &QPushButton::clicked, this, [this] {
    GridPositions->setVisible(GridPositions->isHidden());
    if (GridPositions->isVisible()) GridPositions->raise();
  });
  GridMaisons = new GrilleTexte(this);
  GridMaisons->setObjectName("GridMaisons");
  GridMaisons->DefinirColonnes({{"ARMC = ", Qt::black, Police("Arial", 8), 60},
                                {"", Qt::black, Police("Celvan S", 10), 90}});
  GridMaisons->hide();
  BrancherFeuille(*GridMaisons, {[this] { return FeuilleMaisonsCadran(modele_, RadioGroupAxeNatal->ItemIndex()); },
                                 [] { return LignesCachet(ContexteDuTheme(Etat())); }, [] { return QString("Maisons.csv"); }});

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
    for (GroupeRadio* g : {RadioGroupAxeNatal, RadioGroupAxeTransit}) g->DefinirPoliceItems(Police("Celvan S", 10), 0, 5);
    RadioGroupAxeNatal->DefinirItemIndex(6);
    RadioGroupAxeTransit->DefinirItemIndex(6);
    RadioGroupSex = new GroupeRadio("", {"Homme", "Femme"}, 2, PanelAxe);
    BitBtnAscKarmique = Bouton(PanelAxe, "Caculer", "BitBtnAscKarmique");
    BitBtnAnnuler = Bouton(PanelAxe, "Annuler", "BitBtnAnnuler");
    Edit3 = Champ(PanelAxe, "Edit3", 0, true);
    Edit4 = Champ(PanelAxe, "Edit4", 0, true);
    Edit3->setFont(Police("Celvan S", 10));
    Edit4->setFont(Police("Celvan S", 10));
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
    connect(RadioGroupAxeNatal, &GroupeRadio::Clique, this, [this] { RadioGroupAxeNatalClick(); });
    connect(RadioGroupAxeTransit, &GroupeRadio::Clique, this, [this] { RadioGroupAxeTransitClick(); });
    connect(BitBtnAscKarmique, &QPushButton::clicked, this, [this] { BitBtnAscKarmiqueClick(); });
    connect(BitBtnAnnuler, &QPushButton::clicked, this, [this] { BitBtnAnnulerClick(); });
  }
  PanelAxe->hide();

  // The selection follows the controls as they change (a click, a preset, a return shown):
  // no command reads them again.
  connect(RadioGroupFrom, &GroupeRadio::Change, this, [this](int item) { selection_.CoucheDe = item + 1; });
  connect(RadioGroupVers, &GroupeRadio::Change, this, [this](int item) { selection_.CoucheVers = item + 1; });
  connect(ComboBoxOrbe, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
          [this](int item) { selection_.IndexOrbe = item; });
  connect(ComboBoxOrbeSerre, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
          [this](int item) { selection_.IndexOrbeSerre = item; });
  connect(CheckBoxH8H16, &QCheckBox::toggled, this, [this](bool coche) { selection_.SousHarmoniques = coche; });
  connect(ComboBoxHarmonic, QOverload<int>::of(&QComboBox::activated), this, [this] { ComboBoxHarmonicChange(); });
  connect(ComboBoxOrbe, QOverload<int>::of(&QComboBox::activated), this, [this] { Actualiser(); });
  connect(ComboBoxOrbeSerre, QOverload<int>::of(&QComboBox::activated), this, [this] { Actualiser(); });
  connect(CheckBoxH8H16, &QCheckBox::clicked, this, [this] {
    if (modele_.Harmonique != 1) Actualiser();
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
  l->addLayout(Rangee({new QLabel("Arc sol :", panneau), Edit2}));

  BtnActualiser = Bouton(panneau, "Actualiser", "BtnActualiser");
  BtnClrNow = Bouton(panneau, "Now", "BtnClrNow");
  BtnClr2 = Bouton(panneau, "R", "BtnClr2", Utf8("Retour aux données de départ"));
  l->addLayout(Rangee({BtnActualiser, BtnClrNow, BtnClr2}));

  auto* pas = new QGroupBox("Recul/Avance", panneau);
  auto* grillePas = new QGridLayout(pas);
  grillePas->setSpacing(1);
  // One row per step: its label between the step back and the step forward.
  struct Pas {
    const char* libelle;
    int recul, avance;
    const char* nomRecul;
    const char* nomAvance;
  };
  const Pas rangees[6] = {{"1 h", 2, 1, "BtnMoins1H", "BtnPlus1H"},          {"1 j", 3, 4, "BtnMoins1", "BtnPlus1"},
                          {"5 j", 5, 6, "SpeedButton1", "SpeedButton2"},      {"10 j", 7, 8, "SpeedButton3", "SpeedButton4"},
                          {"1 mois", 9, 10, "BtnMoins1Mois", "BtnPlus1Mois"}, {"1 an", 11, 12, "BtnMois1An", "BtnPlus1An"}};
  for (int i = 0; i < 6; ++i) {
    const Pas& r = rangees[i];
    auto* libelle = new QLabel(Utf8(r.libelle), pas);
    libelle->setAlignment(Qt::AlignCenter);
    grillePas->addWidget(libelle, i, 1);
    for (const auto& [tag, nom, titre, colonne] :
         {std::tuple{r.recul, r.nomRecul, "<", 0}, std::tuple{r.avance, r.nomAvance, ">", 2}}) {
      auto* b = Bouton(pas, titre, nom);
      b->setProperty("tag", tag);
      BoutonsPas[tag] = b;
      grillePas->addWidget(b, i, colonne);
      connect(b, &QPushButton::clicked, this, [this, tag = tag] { BtnPlus1Click(tag); });
    }
  }
  l->addWidget(pas);

  BtnClr1 = Bouton(panneau, "RS / RL", "BtnClr1", Utf8("Rév. solaire/lunaire"));
  SpeedButton6 = Bouton(panneau, "Arc", "SpeedButton6", Utf8("Arc solaire spécifique"));
  BtnHorloge = Bouton(panneau, "Horloge", "BtnHorloge");
  l->addLayout(Rangee({BtnClr1, SpeedButton6, BtnHorloge}));
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
  l->addLayout(Rangee({BtnLunaisons, BtnClrEclipses}));
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
  GridEclipses->setMinimumHeight(6 * GridEclipses->verticalHeader()->defaultSectionSize() +
                                 GridEclipses->horizontalHeader()->sizeHint().height() + 2 * GridEclipses->frameWidth());
  l->addWidget(PanelAxe);  // under the events, in view only for H = 1
  GridEclipses->setSelectionBehavior(QAbstractItemView::SelectRows);
  GridEclipses->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(GridEclipses, &QTableWidget::currentCellChanged, this, [this](int ligne) { ligneEvenement_ = ligne; });
  connect(GridEclipses, &QTableWidget::cellDoubleClicked, this, [this] { GridEclipsesDblClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(SpeedButton6, &QPushButton::clicked, this, [this] { SpeedButton6Click(); });
  connect(BtnLunaisons, &QPushButton::clicked, this, [this] { BtnLunaisonsClick(); });
  connect(BtnClrEclipses, &QPushButton::clicked, this, [this] { BtnClrEclipsesClick(); });
  connect(BtnHorloge, &QPushButton::clicked, this, [this] { BtnHorlogeClick(); });

  connect(BtnActualiser, &QPushButton::clicked, this, [this] { BtnActualiserClick(); });
  connect(BtnClrNow, &QPushButton::clicked, this, [this] { BtnClrNowClick(); });
  connect(BtnClr2, &QPushButton::clicked, this, [this] { BtnClr2Click(); });
  connect(BtnOuvrirAtlasLocal, &QPushButton::clicked, this, [this] { BtnOuvrirAtlasLocalClick(); });
  for (QLineEdit* champ : {MaskEditDate, MaskEditHeure, EditLat, EditLong}) champ->installEventFilter(this);
}

void TFormCosmo::FormCreate() {
  EtatTheme& e = Etat();
  modele_.natal = CopierNatal();
  ligneDateHeure_ = Texte(e.LigneDateHeure.Chaine());
  ligneCoordonnees_ = Texte(e.LigneCoordonnees.Chaine());
  e.FuseauHeures = LireFuseau(e.FicheEnCours.Fuseau.Chaine());
  if (parentWidget()) resize(parentWidget()->size());
  else resize(1500, 950);

  setWindowTitle(Texte(e.NomAffiche.Chaine()) + " - Cosmogramme");
  const QDateTime maintenant = QDateTime::currentDateTime();
  MaskEditDate->setText(maintenant.toString("dd.MM.yyyy"));
  MaskEditDateStart->setText(maintenant.toString("dd/MM/yyyy"));
  MaskEditHeure->setText(maintenant.toString("hh'h'mm"));
  MaskEditSecondes->setText(maintenant.toString("ss"));
  EditFuseau->setText(QString::number(std::round(-DecalageHoraireSysteme() / 60.0)));
  EditVille->setText(Texte(e.FicheEnCours.Ville.Chaine()));
  EditLat->setText(Texte(e.FicheEnCours.Lat.Chaine()));
  EditLong->setText(Texte(e.FicheEnCours.Long.Chaine()));
  modele_.JourJulienTransit = JourJulienDesChamps(Champs());
  AfficherAge(AgeEnAnnees(modele_.JourJulienTransit, modele_.natal.JourJulienNaissance));
  RadioGroupCouleurs->DefinirItemIndex(LesReglages().ColoredCrowns ? 0 : 1);
  Disposer();
  CalculerPositions();
  DessinerLignesMP();
  RemplirArbre();
  LabelA->setText(Lettre(CorpsDeA(0)));
  LabelB->setText(Lettre(CorpsDeB(0)));
  LabelC->clear();
  MaskEditDate->setFocus();
}

QString TFormCosmo::Lettre(int corps) const {
  if (corps == MiPointSoleilLune) return Glyphe(modele_.LettreCorps24);
  return corps >= 1 && corps <= NbCorps ? Glyphe(LettresCorps[corps]) : QString();
}

ChampsMoment TFormCosmo::Champs() const {
  ChampsMoment c;
  // Masked fields as the user sees them: a half-typed date keeps its blanks in its message.
  c.date = Octets(TexteSaisi(MaskEditDate));
  c.heure = Octets(TexteSaisi(MaskEditHeure));
  c.secondes = Octets(TexteSaisi(MaskEditSecondes));
  c.fuseau = Octets(EditFuseau->text());
  c.ville = Octets(EditVille->text());
  c.pays = Octets(EditPays->text());
  c.lon = Octets(EditLong->text());
  c.lat = Octets(EditLat->text());
  return c;
}

void TFormCosmo::AfficherChamps(const ChampsMoment& c) {
  MaskEditDate->setText(Texte(c.date));
  MaskEditHeure->setText(Texte(c.heure));
  MaskEditSecondes->setText(Texte(c.secondes));
  EditFuseau->setText(Texte(c.fuseau));
  Etat().FuseauHeures = 0;
}

void TFormCosmo::AfficherAge(double age) {
  EditAge->setText("Age : " + QString::number(age, 'f', 2) + " ans");
}

void TFormCosmo::LireSelection() {
  selection_.CoucheDe = RadioGroupFrom->ItemIndex() + 1;
  selection_.CoucheVers = RadioGroupVers->ItemIndex() + 1;
  selection_.IndexOrbe = ComboBoxOrbe->currentIndex();
  selection_.IndexOrbeSerre = ComboBoxOrbeSerre->currentIndex();
  selection_.SousHarmoniques = CheckBoxH8H16->isChecked();
}

void TFormCosmo::AfficherSelection() {
  RadioGroupFrom->DefinirItemIndex(selection_.CoucheDe - 1);
  RadioGroupVers->DefinirItemIndex(selection_.CoucheVers - 1);
}

void TFormCosmo::ColorerCouche(int couche) {
  const QString fond = Fond(CouleurCouronne(2 * couche + 3, true));
  EditPosEcl->setStyleSheet(fond);
  EditPosHarm->setStyleSheet(fond);
}

void TFormCosmo::CalculerPositions() {
  modele_.Harmonique = HarmoniquesCadran[std::clamp(ComboBoxHarmonic->currentIndex(), 0, 5)];
  try {
    selvane::CalculerPositions(modele_, Champs());
  } catch (const ErreurConversion& e) {
    LaPlateforme().Avertissement(QString::fromUtf8(e.what()));
    return;
  }
  Edit2->setText(Texte(FormatDMS(modele_.ArcSolaire)));
  RemplirGridPositions();
}

void TFormCosmo::RemplirGridPositions() {
  const Feuille f = FeuillePositionsCadran(modele_);
  GridPositions->Vider();
  GridPositions->AjouterLignes(QVector<QStringList>(f.lignes.begin(), f.lignes.end()));
  for (int c : {2, 4, 6}) GridPositions->horizontalHeaderItem(c)->setText(f.colonnes[static_cast<std::size_t>(c)].titre);
}

void TFormCosmo::RemplirGridMaisons() {
  const Feuille f = FeuilleMaisonsCadran(modele_, RadioGroupAxeNatal->ItemIndex());
  GridMaisons->horizontalHeaderItem(1)->setText(f.colonnes[1].titre);
  GridMaisons->Vider();
  GridMaisons->AjouterLignes(QVector<QStringList>(f.lignes.begin(), f.lignes.end()));
}

OptionsCadran TFormCosmo::OptionsEcran() const {
  OptionsCadran o = OptionsDeLaSelection(modele_, selection_, Etat().JeuPlanetes, RadioGroupCouleurs->ItemIndex() == 0);
  if (modele_.Harmonique == 1) {
    o.maisonsNatales = CadreNatal(modele_, RadioGroupAxeNatal->ItemIndex());
    o.maisonsTransit = CadreTransit(modele_, RadioGroupAxeTransit->ItemIndex());
  }
  if (selection_.PointeurEvenement) o.marqueEvenement = marque_;
  return o;
}

void TFormCosmo::DessinerLignesMP() {
  const OptionsCadran o = OptionsEcran();
  const int cote = std::max(100, Image1->height());
  const qreal echelle = devicePixelRatioF();
  dessin_ = QImage(QSize(cote, cote) * echelle, QImage::Format_RGB32);
  dessin_.setDevicePixelRatio(echelle);
  dessin_.fill(Qt::white);
  {
    QPainter p(&dessin_);
    geometrie_ = DessinerCadran(p, QRect(0, 0, cote, cote), modele_, LesReglages(), o);
  }
  Image1->update();

  const ReferenceCadran r = CalculerReference(modele_, selection_);
  const double M = 2 * M_PI / modele_.Harmonique;
  if (!selection_.PointeurEvenement) {
    EditPosEcl->setText(selection_.CorpsChoisi != 0 ? Lettre(selection_.CorpsChoisi) + " " + Texte(FormatGlyphe(r.longitude))
                                                    : Glyphe(';'));
    EditPosHarm->setText(Texte(FormatDMS(std::fmod(r.longitude, M))));
  }
  EditAngle->setText(Texte(FormatDegMin(r.position * 180 / M_PI)));
}

void TFormCosmo::RemplirArbre() {
  arbre_ = selvane::RemplirArbre(modele_, selection_, Etat().JeuPlanetes);
  BtnArbre->setStyleSheet(EditPosEcl->styleSheet());
  GridArbre->setStyleSheet(Fond(CouleurCouronne(2 * selection_.CoucheVers + 3, true)));
  feuilleArbre_ = FeuilleArbreCadran(modele_, selection_, arbre_);
  BtnArbre->setText(feuilleArbre_.titres.value(0));
  GridArbre->Vider();
  GridArbre->AjouterLignes(QVector<QStringList>(feuilleArbre_.lignes.begin(), feuilleArbre_.lignes.end()));
}

bool TFormCosmo::ChampsValides(bool moment) {
  const FauteChamp faute = ControlerChamps(Champs(), moment);
  if (faute.champ == ChampCadran::Aucun) return true;
  Signaler(faute);
  return false;
}

void TFormCosmo::Signaler(const FauteChamp& faute) {
  LaPlateforme().Avertissement(QString::fromStdString(faute.message));
  QLineEdit* champ = faute.champ == ChampCadran::Date       ? MaskEditDate
                     : faute.champ == ChampCadran::Heure    ? MaskEditHeure
                     : faute.champ == ChampCadran::Secondes ? MaskEditSecondes
                     : faute.champ == ChampCadran::Fuseau   ? EditFuseau
                     : faute.champ == ChampCadran::Latitude ? EditLat
                                                            : EditLong;
  // The field is checked again as it loses the focus: not on this programmatic move.
  verification_ = true;
  champ->setFocus();
  verification_ = false;
}

bool TFormCosmo::Actualiser() {
  // Every field first: an unreadable zone or latitude would otherwise be computed as 0.
  if (!ChampsValides()) return false;
  CalculerPositions();
  DessinerLignesMP();
  RemplirArbre();
  if (modele_.Harmonique == 1) RemplirGridMaisons();
  return true;
}

void TFormCosmo::BtnActualiserClick() {
  // A wrong field changes nothing, not even the moment the steps start from.
  if (!ChampsValides()) return;
  modele_.JourJulienTransit = JourJulienDesChamps(Champs());
  AfficherAge(AgeEnAnnees(modele_.JourJulienTransit, modele_.natal.JourJulienNaissance));
  if (selection_.ModeHorloge) {
    selection_.CoucheDe = selection_.CoucheVers = CoucheTransit;
    AfficherSelection();
  }
  Actualiser();
}

void TFormCosmo::BtnClrNowClick() {
  if (!ChampsValides(false)) return;  // the moment is replaced, the place is read
  const QDateTime maintenant = QDateTime::currentDateTime();
  MaskEditDate->setText(maintenant.toString("dd.MM.yyyy"));
  MaskEditHeure->setText(maintenant.toString("hh'h'mm"));
  MaskEditSecondes->setText(maintenant.toString("ss"));
  EditFuseau->setText(Court(-DecalageHoraireSysteme() / 60.0));
  modele_.JourJulienTransit = JourJulienDesChamps(Champs());
  AfficherAge(AgeEnAnnees(modele_.JourJulienTransit, modele_.natal.JourJulienNaissance));
  SelectionMaintenant(selection_);
  AfficherSelection();
  RadioGroupA->DefinirItemIndex(0);
  RadioGroupB->DefinirItemIndex(0);
  RadioGroupC->DefinirItemIndex(0);
  Actualiser();
}

void TFormCosmo::BtnPlus1Click(int tag) {
  const double pas = PasDuBouton(tag);
  if (pas == 0 || !ChampsValides(false)) return;
  ChampsMoment c = Champs();
  try {
    AvancerCadran(modele_, c, pas);
  } catch (const ErreurConversion&) {
    // The moment is in the fields all the same: the check below names what is wrong.
  }
  AfficherChamps(c);
  AfficherAge(modele_.AgeAnnees);
  Actualiser();
  Edit4->setText(Texte(FormatGlyphe(modele_.AscKarmiqueDirige)));
}

void TFormCosmo::BtnClr2Click() {
  const FicheClient& f = modele_.natal.FicheSauvee;
  Etat().FicheEnCours = f;
  MaskEditDate->setText(Texte(JourJulienVersDatePoints(modele_.natal.JourJulienNaissanceLocal)));
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
  PanelAxe->hide();
  GridMaisons->hide();
  GridPositions->hide();
  const int item = std::clamp(ComboBoxHarmonic->currentIndex(), 0, 5);
  modele_.Harmonique = HarmoniquesCadran[item];
  const PresetsOrbes presets = PresetsDuCadran(modele_.Harmonique);
  ComboBoxOrbe->setCurrentIndex(presets.indexOrbe);
  ComboBoxOrbeSerre->setCurrentIndex(presets.indexOrbeSerre);
  CheckBoxH8H16->setChecked(false);
  Actualiser();
  if (modele_.Harmonique == 1) {
    PanelAxe->show();
    GridMaisons->show();
    GridMaisons->raise();
  }
}

void TFormCosmo::BtnFormulaireClick() {
  PanelFormulaire->show();
  PanelFormulaire->raise();
}

void TFormCosmo::RadioGroupVersClick() {
  DessinerLignesMP();
  RemplirArbre();
}

void TFormCosmo::RadioGroupCouleursClick() {
  const bool couronnes = RadioGroupCouleurs->ItemIndex() == 0;
  const std::filesystem::path dossier = dossier_.toStdString();
  try {
    EcrireLignes(dossier / fichiers::ColoredCrowns, {couronnes ? "1" : "0"});
    ChargerReglages(dossier);
  } catch (const std::exception& e) {
    // The file or a settings file is unreadable: the choice still applies to this window.
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
  }
  Actualiser();
}

void TFormCosmo::RadioGroupAxeNatalClick() {
  if (RadioGroupAxeNatal->ItemIndex() == AxeAucun) BtnActualiserClick();
  else Actualiser();
  RemplirGridMaisons();
}

void TFormCosmo::RadioGroupAxeTransitClick() {
  if (RadioGroupAxeTransit->ItemIndex() == AxeAucun) BtnActualiserClick();
  else Actualiser();
}

void TFormCosmo::BtnCalculPointParticulierClick() {
  PointParticulier(modele_, selection_, CorpsDeA(RadioGroupA->ItemIndex()), CorpsDeB(RadioGroupB->ItemIndex()),
                   CorpsDeC(RadioGroupC->ItemIndex()));
  ColorerCouche(selection_.CoucheDe);
  if (modele_.Harmonique == 1) Actualiser();
  else {
    DessinerLignesMP();
    RemplirArbre();
  }
}

void TFormCosmo::BtnSuivreMPClick() {
  const bool actif = !selection_.SuiviMiPoint;
  BtnSuivreMP->setText(actif ? "Annuler suivi" : "Suivre MP");
  BtnSuivreMP->setStyleSheet(Fond(actif ? QColor(255, 89, 172) : QColor(103, 207, 93)));
  const std::string refus = SuivreMiPoint(modele_, selection_, actif, RadioGroupA->ItemIndex(), RadioGroupB->ItemIndex());
  if (!refus.empty()) {
    LaPlateforme().Avertissement(QString::fromStdString(refus));
    return;
  }
  AfficherSelection();
  Actualiser();
}

void TFormCosmo::BitBtnAscKarmiqueClick() {
  AscendantKarmique(modele_, selection_, RadioGroupSex->ItemIndex() == 0);
  Edit3->setText(Texte(FormatGlyphe(selection_.AscKarmiqueNatal)));
  Edit4->setText(Texte(FormatGlyphe(modele_.AscKarmiqueDirige)));
  Actualiser();
}

void TFormCosmo::BitBtnAnnulerClick() {
  selection_.AscKarmiqueActif = false;
  Actualiser();
  PanelAxe->hide();
}

void TFormCosmo::Button1Click() {
  // A start date cleared or half-typed would give a return of year 0: nothing is computed.
  if (!DateDebutValide()) {
    verification_ = true;
    MaskEditDateStart->setFocus();
    verification_ = false;
    return;
  }
  if (!ChampsValides(false)) return;
  const Saisie<DateDuChamp> debut = LireDateCadran(Octets(TexteSaisi(MaskEditDateStart)));
  if (!debut.Ok()) {
    LaPlateforme().Avertissement(QString::fromStdString(debut.message));
    return;
  }
  const int jour = debut.valeur.jour, mois = debut.valeur.mois, annee = debut.valeur.annee;
  const bool solaire = RadioGroupRSouRL->ItemIndex() == 0;
  const bool precession = CheckBoxPrecession->isChecked();
  const ResultatRetour r = solaire ? RetourSolaire(modele_.natal, annee, RadioGroupTypeRS->ItemIndex(), precession)
                                   : RetourLunaire(modele_.natal, jour, mois, annee, precession);
  ChampsMoment c = Champs();
  EcrireMomentTU(c, r.jourUT, true);
  AfficherChamps(c);
  if (solaire) AfficherAge(r.age);
  PanelRSRL->hide();
  EditPrecess->setText(QString::fromUtf8("Précess. : ") + Texte(FormatDMS(r.precession)));
  SelectionDuRetour(selection_, solaire);
  AfficherSelection();
  Etat().NomFichierNaissance = solaire ? "RS" : "RL";
  const QString nom = Texte(Etat().NomAffiche.Chaine());
  setWindowTitle(nom + (solaire ? "  -  Rév Sol du " : "   -  Rév Lun du ") + MaskEditDate->text());
  BtnActualiserClick();
  jourRetour_ = modele_.JourJulienTransit;
}

void TFormCosmo::SpeedButton6Click() {
  if (!ChampsValides(false)) return;
  QString texte = "1";
  if (!LaPlateforme().SaisirTexte("Entrez un nombre entre 1 et 120 ", texte)) return;
  if (texte.trimmed().isEmpty()) {
    LaPlateforme().Avertissement("Le champ ne peut être vide !");
    texte = "1";
    if (!LaPlateforme().SaisirTexte("Entrez un nombre entre 0 et 120 ", texte)) return;
  }
  const Saisie<int> arc = LireArcDonne(std::string_view(Octets(texte.trimmed())));
  if (!arc.Ok()) {
    LaPlateforme().Avertissement(QString::fromStdString(arc.message));
    return;
  }
  const double moment = MomentArcDonne(modele_.natal, arc.valeur);
  ChampsMoment c = Champs();
  EcrireMomentTU(c, moment, true);
  AfficherChamps(c);
  Actualiser();
  modele_.AgeAnnees = AgeEnAnnees(moment, modele_.natal.JourJulienNaissance);
  Edit2->setText(texte.trimmed() + QString::fromUtf8("°"));
  AfficherAge(modele_.AgeAnnees);
}

void TFormCosmo::AfficherEvenements() {
  QVector<QStringList> lignes;
  for (const EvenementCadran& e : evenements_)
    lignes << QStringList{Texte(e.symbole), Texte(e.soleil), Texte(e.lune), Texte(e.dateTexte),
                          QString::number(e.positionDeg, 'f', 5).rightJustified(9, '0'),
                          QString::number(e.jourUT, 'f', 6)};
  GridEclipses->Vider();
  GridEclipses->AjouterLignes(lignes);
  ligneEvenement_ = -1;
}

void TFormCosmo::BtnLunaisonsClick() {
  if (!MaskEditDateExit()) return;
  const DateDuChamp d = LireDateDuChamp(Octets(MaskEditDate->text()));
  evenements_ = ListerLunaisons(d.jour, d.mois, d.annee);
  AfficherEvenements();
}

void TFormCosmo::BtnClrEclipsesClick() {
  if (!MaskEditDateExit()) return;
  const DateDuChamp d = LireDateDuChamp(Octets(MaskEditDate->text()));
  evenements_ = ListerEclipses(d.jour, d.mois, d.annee);
  AfficherEvenements();
}

void TFormCosmo::GridEclipsesDblClick() {
  if (ligneEvenement_ < 0 || ligneEvenement_ >= static_cast<int>(evenements_.size())) return;
  if (!ChampsValides(false)) return;
  const EvenementCadran ev = evenements_[static_cast<size_t>(ligneEvenement_)];
  ChoisirEvenement(modele_, selection_, ev);
  ChampsMoment c = Champs();
  EcrireMomentTU(c, ev.jourUT, false);
  AfficherChamps(c);
  AfficherSelection();
  marque_ = ev.symbole;
  ColorerCouche(CoucheTransit);
  if (!Actualiser()) return;
  AfficherAge(modele_.AgeAnnees);  // the age of the event's moment, not of the one before
  const double p = ev.positionDeg * M_PI / 180;
  EditPosEcl->setText(Texte(ev.symbole) + " " + Texte(FormatGlyphe(p)));
  EditPosHarm->setText(Texte(FormatDMS(std::fmod(p, 2 * M_PI / modele_.Harmonique))));
  BtnArbre->setStyleSheet(EditPosEcl->styleSheet());
  setWindowTitle(Texte(Etat().NomAffiche.Chaine()) + "  -  Transits du " + MaskEditDate->text());
}

void TFormCosmo::BtnHorlogeClick() {
  BasculerHorloge(selection_);
  BtnHorloge->setText(selection_.ModeHorloge ? "Stop" : "Horloge");
  EditAge->setVisible(!selection_.ModeHorloge);
  AfficherSelection();
  Actualiser();
}

void TFormCosmo::CopierClick() {
  const GeometrieCadran& g = geometrie_;
  const qreal e = dessin_.devicePixelRatio();
  const QRect carre(QPoint(g.XC - g.R0, g.YC - g.R0) * e, QSize(2 * g.R0, 2 * g.R0) * e);
  QImage image = dessin_.copy(carre).scaled(2 * g.R0, 2 * g.R0, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  QApplication::clipboard()->setImage(image);
}

void TFormCosmo::SourisSurCadran(QMouseEvent* evenement, bool clic) {
  const QPoint pos = evenement->position().toPoint();
  const GeometrieCadran& g = geometrie_;
  const double r = RayonSouris(pos.x(), pos.y(), g);
  const double a = AngleSouris(pos.x(), pos.y(), g);
  if (!clic) {
    Image1->setCursor(r > g.R60 && r < g.R90 ? Qt::CrossCursor : Qt::ArrowCursor);
    if (r >= g.R50 && r <= g.R90)
      EditAngle->setText(Texte(FormatDegMin(a / modele_.Harmonique * 180 / M_PI)));
    return;
  }
  if (!CliquerCadran(modele_, selection_, g, pos.x(), pos.y())) return;
  AfficherSelection();
  ColorerCouche(r < g.R70 ? CoucheNatale : r < g.R80 ? CoucheArcSolaire : CoucheTransit);
  Actualiser();
}

void TFormCosmo::BtnImprimerClick() {
  PageCadran page;
  page.modele = &modele_;
  LireSelection();
  page.options = OptionsEcran();
  page.couleur = LaPlateforme().Question("Imprimer en couleurs ? ");
  if (options_) page.dessin = options_();
  const EtatTheme& e = Etat();
  page.gauche = {Texte(e.NomAffiche.Chaine()), "NATAL", ligneDateHeure_, Texte(modele_.natal.FicheSauvee.Ville.Chaine()),
                 ligneCoordonnees_};
  const auto degres = [](const QString& texte) { return DegMinVersDegres(LireNombre(Octets(texte))); };
  // "Rév. sol. du" only for the return itself, not for a moment reached from it ("Now", a step).
  const bool retour = modele_.JourJulienTransit == jourRetour_;
  page.droite = {"Arc Sol & Transits", TexteDateRetour(MaskEditDate->text(), retour ? e.NomFichierNaissance.Chaine() : ""),
                 TexteGmt(MaskEditHeure->text(), EditFuseau->text()), Texte(e.FicheEnCours.Ville.Chaine()),
                 Texte(FormatLatitude(degres(EditLat->text()))) + " - " + Texte(FormatLongitude(degres(EditLong->text()))),
                 "Arc Sol : " + Edit2->text()};
  // The tree shown, from its sheet rather than the grid's cells.
  page.titreArbre = feuilleArbre_.titres.value(0);
  page.arbre = ArbreImprime(feuilleArbre_);

  ImprimerDocument(DocumentCadran(page, LesReglages(), LignesCachet(ContexteDuTheme(e))), "Cadran.pdf");
}

bool TFormCosmo::ChampValide(ChampCadran champ) {
  FauteChamp faute{champ, ErreurChamp(Champs(), champ)};
  if (faute.message.empty()) return true;
  LaPlateforme().Avertissement(QString::fromStdString(faute.message));
  return false;
}

bool TFormCosmo::MaskEditDateExit() {
  const FauteChamp faute{ChampCadran::Date, ErreurChamp(Champs(), ChampCadran::Date)};
  if (faute.message.empty()) return true;
  Signaler(faute);
  return false;
}

bool TFormCosmo::DateDebutValide() {
  std::string date = Octets(TexteSaisi(MaskEditDateStart));
  if (DateValide(date)) return true;
  LaPlateforme().Avertissement(TexteSaisi(MaskEditDateStart) + " : date incorrecte");
  return false;
}

bool TFormCosmo::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(evenement)->key() == Qt::Key_Escape &&
      qobject_cast<QAbstractItemView*>(objet) && static_cast<QWidget*>(objet)->isVisible()) {
    echapListe_ = true;
    QTimer::singleShot(0, this, [this] { echapListe_ = false; });  // whether or not the shortcut fired
  }
  if (objet == Image1) {
    switch (evenement->type()) {
      case QEvent::MouseMove:
        SourisSurCadran(static_cast<QMouseEvent*>(evenement), false);
        break;
      case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evenement)->button() == Qt::LeftButton)
          SourisSurCadran(static_cast<QMouseEvent*>(evenement), true);
        break;
      case QEvent::ContextMenu:
        PopupMenu1->popup(static_cast<QContextMenuEvent*>(evenement)->globalPos());
        return true;
      default:
        break;
    }
  }
  if (evenement->type() == QEvent::FocusOut && !emprunt_.Rendu() && !verification_) {
    const auto raison = static_cast<QFocusEvent*>(evenement)->reason();
    // A box or a closing window takes the focus too: only a user leaving the field is checked.
    // Leaving it for a button or a list is left to the command that follows, which checks
    // every field it reads: one message for one click.
    QWidget* vers = QApplication::focusWidget();
    const bool commande = raison == Qt::MouseFocusReason &&
                          (qobject_cast<QAbstractButton*>(vers) || qobject_cast<QComboBox*>(vers));
    if (!commande && (raison == Qt::TabFocusReason || raison == Qt::BacktabFocusReason || raison == Qt::MouseFocusReason)) {
      if (objet == MaskEditDate) {
        if (!MaskEditDateExit()) return false;
      } else if (objet == MaskEditHeure) {
        ChampValide(ChampCadran::Heure);
      } else if (objet == MaskEditDateStart) {
        DateDebutValide();
      } else if (objet == EditLat) {
        ChampValide(ChampCadran::Latitude);
      } else if (objet == EditLong) {
        ChampValide(ChampCadran::Longitude);
      }
    }
  }
  return QWidget::eventFilter(objet, evenement);
}

void TFormCosmo::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    FermerFenetre(this);
    return;
  }
  QWidget::keyPressEvent(evenement);
}

void TFormCosmo::RestaurerFiche() {
  try {
    emprunt_.Rendre();
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
  auto* gauche = findChild<QScrollArea*>("DefilementGauche", Qt::FindDirectChildrenOnly);
  auto* droite = findChild<QScrollArea*>("DefilementDroit", Qt::FindDirectChildrenOnly);
  if (!gauche || !droite) return;
  const int h = height();
  // Room for the scroll bar beside the panel's own width.
  const int barre = gauche->verticalScrollBar()->sizeHint().width();
  const int largeurGauche = 300 + barre, largeurDroite = 270 + barre;
  const int cote = std::max(100, std::min(h, width() - largeurGauche - largeurDroite));
  gauche->setGeometry(0, 0, largeurGauche, h);
  droite->setGeometry(width() - largeurDroite, 0, largeurDroite, h);
  const int x = largeurGauche + (width() - largeurGauche - largeurDroite - cote) / 2;
  const QSize avant = Image1->size();
  Image1->setGeometry(x, 0, cote, cote);
  GridPositions->setGeometry(x, 0, std::min(cote, 560), std::min(cote, 620));
  // The twelve cusps in view without scrolling.
  const int hauteurMaisons =
      12 * GridMaisons->verticalHeader()->defaultSectionSize() + GridMaisons->horizontalHeader()->sizeHint().height() + 6;
  GridMaisons->setGeometry(x + cote - 170, 0, 170, hauteurMaisons);
  PanelFormulaire->setGeometry(x, 0, cote, std::min(h, cote * 2 / 3));
  if (avant != Image1->size() && modele_.natal.JourJulienNaissance != 0) DessinerLignesMP();
}

}  // namespace selvane
