#include "techniques/TFormSequences.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

#include "widgets/Impression.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/ImpressionTables.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

QTableWidget* Grille(QWidget* parent, const char* nom, const QStringList& tetes) {
  auto* g = new QTableWidget(0, tetes.size(), parent);
  g->setObjectName(nom);
  g->setHorizontalHeaderLabels(tetes);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  return g;
}

// The glyphs at 12 points, the rest in the grid's own font.
StyleGrille StyleSequences(const QTableWidget& g) { return {g.font(), Police("Celvan S", 12), g.font()}; }

// The grids keep their widths in pixels (the last column stretches).
void GardeLargeurs(QTableWidget& g, std::initializer_list<int> largeurs) {
  int k = 0;
  for (int l : largeurs) g.setColumnWidth(k++, l);
}

}  // namespace

TFormSequences::TFormSequences(QWidget* parent) : FenetreTechnique(parent) {
  setWindowTitle(Texte(Etat().NomAffiche.Texte()) + QString::fromUtf8(" : séquences planétaires"));
  GridPoints = Grille(this, "GridPoints", {"", "Position H16"});
  GridSequences = Grille(this, "GridSequences", {QString::fromUtf8("N°"), QString::fromUtf8("     Séquence")});
  for (QTableWidget* g : {GridPoints, GridSequences}) {
    g->verticalHeader()->setDefaultSectionSize(22);
    g->setColumnWidth(0, 40);
    g->horizontalHeader()->setStretchLastSection(true);
  }
  GridPoints->setColumnWidth(1, 110);
  GridPoints->setFixedWidth(40 + 110 + GridPoints->verticalScrollBar()->sizeHint().width() + 2 * GridPoints->frameWidth());
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->addItems({Texte(TexteOrbeSequences(0.5)), Texte(TexteOrbeSequences(1))});
  BtnImprimer = new QPushButton("Imprimer", this);
  BtnImprimer->setObjectName("BtnImprimer");
  auto* d = new QGridLayout(this);
  d->addWidget(GridPoints, 0, 0, 3, 1);
  d->addWidget(new QLabel("Orbe", this), 0, 1);
  d->addWidget(ComboBox1, 0, 2);
  d->addWidget(BtnImprimer, 0, 3);
  d->addWidget(GridSequences, 1, 1, 2, 4);
  // The sequences take the width and both grids the height: a maximised window is filled.
  d->setColumnStretch(4, 1);
  d->setRowStretch(2, 1);
  const std::vector<PointSequence> points = TrierPointsSequences(LireLongitudesNatales());
  points_ = points;
  RemplirGrille(*GridPoints, FeuillePointsSequences(points_), StyleSequences(*GridPoints));
  GardeLargeurs(*GridPoints, {40, 110});
  const auto cachet = [] { return LignesCachet(ContexteDuTheme(Etat())); };
  BrancherFeuille(*GridPoints, {[this] { return FeuillePointsSequences(points_); }, cachet, [] { return QString("Positions H16.csv"); }});
  BrancherFeuille(*GridSequences,
                  {[this] { return FeuilleSequences(sequences_, Octets(ComboBox1->currentText())); }, cachet, [] { return QString("Sequences.csv"); }});
  // All the points in view when there is room; less on a short screen, then the grid scrolls.
  const int hauteurPoints = static_cast<int>(points_.size()) * GridPoints->verticalHeader()->defaultSectionSize() +
                            GridPoints->horizontalHeader()->sizeHint().height() + 2 * GridPoints->frameWidth();
  GridPoints->setMinimumHeight(5 * GridPoints->verticalHeader()->defaultSectionSize());
  GridSequences->setMinimumSize(200, 5 * GridSequences->verticalHeader()->defaultSectionSize());
  const QMargins m = d->contentsMargins();
  QSize taille(560, hauteurPoints + m.top() + m.bottom());
  if (const QScreen* ecran = QGuiApplication::primaryScreen()) taille = taille.boundedTo(ecran->availableGeometry().size());
  resize(taille);
  connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int i) { ComboBox1Change(i); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  Calculer();
}

void TFormSequences::showEvent(QShowEvent* evenement) {
  FenetreTechnique::showEvent(evenement);
  if (ajustee_) return;
  ajustee_ = true;
  // After the work area has placed the new window.
  QMetaObject::invokeMethod(this, [this] { TenirDansLaZone(); }, Qt::QueuedConnection);
}

void TFormSequences::TenirDansLaZone() {
  auto* cadre = qobject_cast<QMdiSubWindow*>(parentWidget());
  QMdiArea* zone = cadre ? cadre->mdiArea() : nullptr;
  if (!zone || cadre->isMaximized()) return;
  const QRect libre = zone->viewport()->rect();
  QRect g = cadre->geometry();
  g.setSize(g.size().boundedTo(libre.size()));
  if (g.bottom() > libre.bottom()) g.moveBottom(libre.bottom());
  if (g.right() > libre.right()) g.moveRight(libre.right());
  g.moveTopLeft(QPoint(std::max(g.left(), libre.left()), std::max(g.top(), libre.top())));
  cadre->setGeometry(g);
}

void TFormSequences::ComboBox1Change(int item) {
  OrbeSequences = item == 1 ? 1.0 : 0.5;
  Calculer();
}

void TFormSequences::Calculer() {
  sequences_ = CalculerSequences(points_, OrbeSequences);
  RemplirGrille(*GridSequences, FeuilleSequences(sequences_, Octets(ComboBox1->currentText())), StyleSequences(*GridSequences));
  GardeLargeurs(*GridSequences, {40});
}

void TFormSequences::BtnImprimerClick() {
  const EtatTheme& e = Etat();
  ImprimerDocument(DocumentSequences(EnteteDesSequences(e, OrbeSequences), points_, sequences_, LignesCachet(ContexteDuTheme(e))),
                   "Sequences.pdf");
}

}  // namespace selvane
