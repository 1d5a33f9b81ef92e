#include "techniques/TFormMandala.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/DessinMandala.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

// Bodies of list A and list B of the axis panel (list B starts with "no second point").
const int kListeA[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22};
const int kListeB[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 21, 22, 23};

QTableWidget* Grille(QWidget* parent, int colonnes, const QString& nom) {
  auto* g = new QTableWidget(0, colonnes, parent);
  g->setObjectName(nom);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->horizontalHeader()->setFont(Police("Celvan S", 12));
  return g;
}

// The glyphs at 12 points, the counts and places in the grid's own font.
StyleGrille StyleMandala(const QTableWidget& g) { return {g.font(), Police("Celvan S", 12), g.font()}; }

// The grids keep their widths in pixels.
void GardeLargeurs(QTableWidget& g, std::initializer_list<int> largeurs) {
  int k = 0;
  for (int l : largeurs) g.setColumnWidth(k++, l);
}

QTableWidgetItem* Cellule(const QString& t, bool glyphe) {
  auto* c = new QTableWidgetItem(t);
  if (glyphe) c->setFont(Police("Celvan S", 12));
  return c;
}

}  // namespace

TFormMandala::TFormMandala(const QString& dossier, QWidget* parent) : FenetreTechnique(parent), dossier_(dossier) {
  setWindowTitle(Texte(Etat().NomAffiche.Texte()) + " - " + "Mandala");
  natal_ = LongitudesDuMandala();

  PanelGauche = new QWidget(this);
  auto* g = new QVBoxLayout(PanelGauche);
  g->addWidget(new QLabel("AXE 1", PanelGauche));
  for (int k = 1; k <= 3; ++k) {
    if (k > 1) g->addWidget(new QLabel(QString("AXE %1").arg(k), PanelGauche));
    EditAxe[k] = new QLineEdit(PanelGauche);
    EditAxe[k]->setObjectName(QString("EditAxe%1").arg(k));
    EditAxe[k]->setReadOnly(true);
    EditAxe[k]->setFont(Police("Celvan S", 12));
    EditAxe[k]->setText(Texte(NomAxe(AxeMandala_[static_cast<std::size_t>(k - 1)])));
    g->addWidget(EditAxe[k]);
    if (k > 1) {
      auto* b = new QPushButton(QString::fromUtf8("Sélect"), PanelGauche);
      b->setObjectName(QString("BtnAxe%1").arg(k));
      connect(b, &QPushButton::clicked, this, [this, k] { OuvrirChoix(k); });
      g->addWidget(b);
    }
  }
  BtnCalcul = new QPushButton("Calcul", PanelGauche);
  BtnCalcul->setObjectName("BtnCalcul");
  BtnMandala = new QPushButton("Mandala", PanelGauche);
  BtnMandala->setObjectName("BtnMandala");
  BtnImprimer = new QPushButton("Imprimer", PanelGauche);
  BtnImprimer->setObjectName("BtnImprimer");
  SpeedButton2 = new QPushButton("Retour aux tables", PanelGauche);
  SpeedButton2->setObjectName("SpeedButton2");
  for (QPushButton* b : {BtnCalcul, BtnMandala, BtnImprimer, SpeedButton2}) g->addWidget(b);
  g->addStretch();

  PanelTables = new QWidget(this);
  auto* t = new QHBoxLayout(PanelTables);
  for (int k = 1; k <= 3; ++k) {
    GridAxe[k] = Grille(PanelTables, 2, QString("GridAxe%1").arg(k));
    GridAxe[k]->setColumnWidth(0, 60);
    GridAxe[k]->setColumnWidth(1, 70);
    GridAxe[k]->setFixedWidth(60 + 70 + 5 + GridAxe[k]->verticalScrollBar()->sizeHint().width());
    GridAxe[k]->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // As high as its rows, less on a short window: then it scrolls.
    GridAxe[k]->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    GridAxe[k]->setMinimumHeight(6 * GridAxe[k]->verticalHeader()->defaultSectionSize());
    // Top-aligned by the stretch under it: an aligned item would keep the grid's size hint.
    auto* colonne = new QVBoxLayout;
    colonne->addWidget(GridAxe[k], 1);
    colonne->addStretch(0);
    t->addLayout(colonne);
    t->addSpacing(10);
  }
  auto* totaux = new QVBoxLayout;
  GridTotaux = Grille(PanelTables, 5, "GridTotaux");
  GridTotaux->setRowCount(20);
  for (int c = 0; c < 5; ++c) GridTotaux->setColumnWidth(c, 48);
  // All twenty rows in view when the window is high enough, else a scroll bar.
  GridTotaux->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  GridTotaux->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  GridTotaux->setFixedWidth(5 * 48 + 2 * GridTotaux->frameWidth() + GridTotaux->verticalScrollBar()->sizeHint().width());
  GridTotaux->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  GridTotaux->setMinimumHeight(6 * GridTotaux->verticalHeader()->defaultSectionSize());
  GridTotaux->setMaximumHeight(20 * GridTotaux->verticalHeader()->defaultSectionSize() +
                               GridTotaux->horizontalHeader()->sizeHint().height() + 2 * GridTotaux->frameWidth());
  for (int b = 1; b <= 18; ++b) GridTotaux->setItem(b - 1, 0, Cellule(Glyphe(LettresCorps[static_cast<std::size_t>(b)]), true));
  totaux->addWidget(GridTotaux, 1);
  const auto cachet = [] { return LignesCachet(ContexteDuTheme(Etat())); };
  for (int k = 1; k <= 3; ++k)
    BrancherFeuille(*GridAxe[k], {[this, k] { return FeuilleAxeMandala(calcul_, k); }, cachet,
                                  [k] { return QString("Mandala axe %1.csv").arg(k); }});
  BrancherFeuille(*GridTotaux, {[this] { return FeuilleTotauxMandala(calcul_); }, cachet,
                                [] { return QString("Mandala totaux.csv"); }});
  totaux->addWidget(new QLabel(QString::fromUtf8("0 correspond à une absence de la planète dans l'axe."), PanelTables));
  totaux->addStretch(0);
  t->addLayout(totaux);
  t->addStretch();

  PanelAxe = new QWidget(this);
  PanelAxe->setObjectName("PanelAxe");
  auto* a = new QGridLayout(PanelAxe);
  ListeA = new QListWidget(PanelAxe);
  ListeA->setObjectName("ListeA");
  ListeB = new QListWidget(PanelAxe);
  ListeB->setObjectName("ListeB");
  for (int c : kListeA) ListeA->addItem(Glyphe(LettresCorps[static_cast<std::size_t>(c)]));
  for (int c : kListeB) ListeB->addItem(c == 0 ? QString() : Glyphe(LettresCorps[static_cast<std::size_t>(c)]));
  for (QListWidget* l : {ListeA, ListeB}) {
    l->setFont(Police("Celvan S", 14));
    l->setFixedWidth(70);
  }
  auto* ok = new QPushButton("OK", PanelAxe);
  ok->setObjectName("BtnChoixAxeOK");
  a->addWidget(new QLabel("A", PanelAxe), 0, 0);
  a->addWidget(new QLabel("B", PanelAxe), 0, 1);
  a->addWidget(ListeA, 1, 0);
  a->addWidget(ListeB, 1, 1);
  a->addWidget(ok, 2, 0, 1, 2);
  PanelAxe->hide();

  ImageFigure = new QLabel(this);
  ImageFigure->setObjectName("ImageFigure");
  // Sized by the window, never the reverse: a short window gets a smaller figure.
  ImageFigure->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  ImageFigure->setMinimumSize(1, 1);
  ImageFigure->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ImageFigure->hide();

  auto* d = new QHBoxLayout(this);
  d->addWidget(PanelGauche);
  d->addWidget(PanelAxe);
  d->addWidget(PanelTables, 1);
  d->addWidget(ImageFigure, 1, Qt::AlignCenter);

  connect(ok, &QPushButton::clicked, this, [this] { BtnChoixAxeOKClick(); });
  connect(BtnCalcul, &QPushButton::clicked, this, [this] { BtnCalculClick(); });
  connect(BtnMandala, &QPushButton::clicked, this, [this] { BtnMandalaClick(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });

  CalculerListes(true);
  QSize taille(1100, 860);
  if (const QScreen* ecran = QGuiApplication::primaryScreen()) taille = taille.boundedTo(ecran->availableGeometry().size());
  resize(taille);
}

int TFormMandala::CoteFigure() const {
  const QMargins marges = layout()->contentsMargins();
  const int hauteur = height() - marges.top() - marges.bottom();
  const int largeur =
      width() - marges.left() - marges.right() - PanelGauche->sizeHint().width() - layout()->spacing() -
      (PanelAxe->isVisible() ? PanelAxe->sizeHint().width() + layout()->spacing() : 0);
  return std::max(100, std::min({hauteur, largeur, 800}));
}

void TFormMandala::DessinerFigure() {
  const int cote = CoteFigure();
  figure_ = FigureMandala(cote, fond_, MarquesMandala(calcul_.totaux));
  ImageFigure->setPixmap(QPixmap::fromImage(figure_));
}

void TFormMandala::resizeEvent(QResizeEvent* evenement) {
  FenetreTechnique::resizeEvent(evenement);
  if (ImageFigure->isVisible() && !figure_.isNull() && figure_.width() != CoteFigure()) DessinerFigure();
}

void TFormMandala::CalculerListes(bool axe1) {
  const CalculMandala nouveau = CalculerMandala(natal_, AxeMandala_);
  if (axe1) {
    calcul_ = nouveau;
  } else {
    // Axis 1 stays as computed at opening.
    for (std::size_t k = 1; k < 3; ++k) {
      calcul_.axes[k] = nouveau.axes[k];
      calcul_.positions[k] = nouveau.positions[k];
      calcul_.listes[k] = nouveau.listes[k];
    }
    calcul_.totaux = CalculeTotaux(calcul_.listes);
  }
  RemplirListes();
}

void TFormMandala::RemplirListes() {
  std::size_t plusLongue = 0;
  for (int k = 1; k <= 3; ++k) {
    const auto& liste = calcul_.listes[static_cast<std::size_t>(k - 1)];
    plusLongue = std::max(plusLongue, liste.size());
    QTableWidget* grille = GridAxe[k];
    RemplirGrille(*grille, FeuilleAxeMandala(calcul_, k), StyleMandala(*grille));
    GardeLargeurs(*grille, {60, 70});
    int ligneAxe = 0;
    for (int i = 0; i < static_cast<int>(liste.size()); ++i) {
      const LigneEncadrante& l = liste[static_cast<std::size_t>(i)];
      if (l.corps1 == calcul_.axes[static_cast<std::size_t>(k - 1)].p1 &&
          l.corps2 == calcul_.axes[static_cast<std::size_t>(k - 1)].p2 && l.distanceDeg == 0)
        ligneAxe = i;
    }
    grille->selectRow(ligneAxe);
  }
  const int hauteur = (static_cast<int>(plusLongue) + 2) * (GridAxe[1]->verticalHeader()->defaultSectionSize() + 1);
  for (int k = 1; k <= 3; ++k) GridAxe[k]->setMaximumHeight(std::max(hauteur, GridAxe[k]->minimumHeight()));
  RemplirGrille(*GridTotaux, FeuilleTotauxMandala(calcul_), StyleMandala(*GridTotaux));
  GardeLargeurs(*GridTotaux, {48, 48, 48, 48, 48});
}

void TFormMandala::OuvrirChoix(int axe) {
  axeChoisi_ = axe;
  BtnMandala->setEnabled(false);
  ListeA->setCurrentRow(0);
  ListeB->setCurrentRow(0);
  PanelAxe->show();
  ListeA->setFocus();
}

void TFormMandala::BtnChoixAxeOKClick() {
  if (axeChoisi_ < 2) return;
  const int a = kListeA[std::max(0, ListeA->currentRow())];
  const int b = kListeB[std::max(0, ListeB->currentRow())];
  if (b != 0 && b == a) {
    LaPlateforme().Avertissement(QString::fromUtf8("Les 2 points ne peuvent être identiques"));
    return;
  }
  AxeMandala_[static_cast<std::size_t>(axeChoisi_ - 1)] = {a, b == 0 ? a : b};
  const QString nom = Texte(NomAxe(AxeMandala_[static_cast<std::size_t>(axeChoisi_ - 1)]));
  EditAxe[axeChoisi_]->setText(nom);
  if (QTableWidgetItem* tete = GridAxe[axeChoisi_]->horizontalHeaderItem(0)) tete->setText(nom);
  PanelAxe->hide();
}

void TFormMandala::BtnCalculClick() {
  ImageFigure->hide();
  PanelTables->show();
  CalculerListes(false);
  BtnMandala->setEnabled(true);
}

bool TFormMandala::AxesAcceptes() {
  const std::string refus = VerifierSeparationAxes(calcul_.positions);
  if (!refus.empty()) LaPlateforme().Avertissement(QString::fromUtf8(refus.c_str()));
  return refus.empty();
}

void TFormMandala::BtnMandalaClick() {
  if (!AxesAcceptes()) return;
  QImage fond;
  if (!LireFond(fond)) return;
  fond_ = fond;
  PanelTables->hide();
  BtnCalcul->setEnabled(false);
  DessinerFigure();
  ImageFigure->show();
}

bool TFormMandala::LireFond(QImage& fond) {
  std::string message;
  if (LireFondMandala(dossier_, fond, message)) return true;
  LaPlateforme().Erreur(QString::fromUtf8(message.c_str()));
  return false;
}

void TFormMandala::SpeedButton2Click() {
  ImageFigure->hide();
  PanelTables->show();
  BtnCalcul->setEnabled(true);
}

void TFormMandala::BtnImprimerClick() {
  // The figure of the last computed lists, drawn now if "Mandala" was not pressed: under the
  // same check as on screen, so paper never shows a figure the window refused.
  if (!AxesAcceptes()) return;
  QImage fond;
  if (!LireFond(fond)) return;
  const bool couleur = !options_ || options_().impressionCouleur;
  ImprimerDocument(DocumentMandala(fond, calcul_, std::string(Etat().NomAffiche.Texte()), LignesCachet(ContexteDuTheme(Etat())),
                                   !couleur),
                   "Mandala.pdf");
}

void TFormMandala::keyPressEvent(QKeyEvent* evenement) {
  // The letters alone: Ctrl+C stays the copy of a list.
  if (PanelGauche->isVisible() && !(evenement->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (evenement->key() == Qt::Key_C) {
      if (BtnCalcul->isEnabled()) BtnCalculClick();
      return;
    }
    if (evenement->key() == Qt::Key_M) {
      BtnMandalaClick();  // also while the button is disabled
      return;
    }
  }
  FenetreTechnique::keyPressEvent(evenement);
}

}  // namespace selvane
