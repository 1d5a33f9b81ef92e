#include "techniques/TFormLunaisons.h"
#include "widgets/Fenetres.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "birthdata/TFormEnterData.h"
#include "birthdata/records/Cp1252.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/ImpressionTables.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

constexpr double kDeuxSecondes = 0.000023148;

// Glyphs and texts at 10 points, the widths in widths of "A" of Arial 10.
StyleGrille StyleLunaisons() { return {Police("Arial", 10), Police("Celvan S", 10), Police("Arial", 10)}; }

}  // namespace

void PreparerFicheEvenement(double jourTU) {
  const double t = jourTU + kDeuxSecondes;
  FicheClient& f = Etat().FicheEnCours;
  const std::string date = JourJulienVersDate(t);
  f.Heure = FormatHeureHMS(HeureDuJour(t));
  f.Nom = Utf8VersCp1252("Ephéméride du ") + date;
  f.Date = date;
}

TFormLunaisons::TFormLunaisons(const QString& dossier, std::function<void()> ouvrirListing, QWidget* parent)
    : FenetreTechnique(parent), dossier_(dossier), ouvrirListing_(std::move(ouvrirListing)) {
  setWindowTitle(QString::fromUtf8("Lunaisons, éclipses, Ingres"));
  auto* haut = new QHBoxLayout;
  const int annee = QDate::currentDate().year();
  SpinEditDebut = new QSpinBox(this);
  SpinEditDebut->setObjectName("SpinEditDebut");
  SpinEditFin = new QSpinBox(this);
  SpinEditFin->setObjectName("SpinEditFin");
  for (QSpinBox* s : {SpinEditDebut, SpinEditFin}) {
    s->setRange(1000, 2200);
    s->setValue(annee);
  }
  haut->addWidget(new QLabel(QString::fromUtf8("De"), this));
  haut->addWidget(SpinEditDebut);
  haut->addWidget(new QLabel(QString::fromUtf8("à"), this));
  haut->addWidget(SpinEditFin);
  BtnCalculer = new QPushButton("Calculer", this);
  BtnCalculer->setObjectName("BtnCalculer");
  BtnImprimer = new QPushButton("Imprimer", this);
  BtnImprimer->setObjectName("BtnImprimer");
  BtnImprimer->setEnabled(false);
  haut->addWidget(BtnCalculer);
  haut->addWidget(BtnImprimer);
  haut->addStretch();
  GridEclipses = new QTableWidget(0, 8, this);
  GridEclipses->setObjectName("GridEclipses");
  GridEclipses->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GridEclipses->setSelectionBehavior(QAbstractItemView::SelectRows);
  GridEclipses->setSelectionMode(QAbstractItemView::SingleSelection);
  GridEclipses->verticalHeader()->hide();
  RemplirGrille(*GridEclipses, FeuilleLunaisons({}), StyleLunaisons());
  BrancherFeuille(*GridEclipses, {[this] { return FeuilleLunaisons(lignes_); },
                                  [] { return LignesCachet(ContexteCachet{}); }, [] { return QString("Lunaisons.csv"); }});
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(haut);
  disposition->addWidget(GridEclipses);
  connect(BtnCalculer, &QPushButton::clicked, this, [this] { BtnCalculerClick(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  connect(GridEclipses, &QTableWidget::cellDoubleClicked, this, [this](int ligne, int) { GridEclipsesDblClick(ligne); });
}

void TFormLunaisons::BtnCalculerClick() {
  EffacerRefusEphemerides();
  lignes_ = CalculerEvenements(SpinEditDebut->value(), SpinEditFin->value());
  SignalerRefusEphemerides();
  RemplirGrille(*GridEclipses, FeuilleLunaisons(lignes_), StyleLunaisons());
  BtnImprimer->setEnabled(true);
}

void TFormLunaisons::BtnImprimerClick() {
  if (lignes_.empty()) return;
  if (static_cast<int>(lignes_.size()) > LignesLunaisonsMax) {
    LaPlateforme().Information(QString::fromUtf8("Reduisez la période afin de ne pas dépasser la hauteur d'une page"));
    return;
  }
  ImprimerDocument(DocumentLunaisons(lignes_, LignesCachet(ContexteCachet{})), "Lunaisons.pdf");
}

void TFormLunaisons::GridEclipsesDblClick(int ligne) {
  if (ligne < 0 || ligne >= static_cast<int>(lignes_.size())) return;
  PreparerFicheEvenement(lignes_[static_cast<std::size_t>(ligne)].jourTU);
  {
    TFormEnterData saisie(dossier_, TFormEnterData::Evenement, ouvrirListing_, window());
    saisie.exec();
  }
  // Later, so that the double click's own events do not reach a deleted window.
  QTimer::singleShot(0, this, [this] { FermerFenetre(this); });
}

}  // namespace selvane
