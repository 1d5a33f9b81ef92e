#include "techniques/TFormLunaisons.h"
#include "widgets/Fenetres.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
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
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

constexpr double kDeuxSecondes = 0.000023148;

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
  GridEclipses->setHorizontalHeaderLabels({"", "Soleil", "Lune", "Date & heure (TU)", QString::fromUtf8("90°"),
                                           QString::fromUtf8("45°"), "22°30", ""});
  const QFont arial = Police("Arial", 10);
  const int a = QFontMetrics(arial).horizontalAdvance('A');
  const int largeurs[8] = {7, 7, 7, 18, 12, 12, 12, 0};
  for (int c = 0; c < 8; ++c) GridEclipses->setColumnWidth(c, largeurs[c] * a);
  GridEclipses->setColumnHidden(7, true);
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
  GridEclipses->clearContents();
  GridEclipses->setRowCount(static_cast<int>(lignes_.size()));
  const QFont glyphes = Police("Celvan S", 10), arial = Police("Arial", 10);
  for (int i = 0; i < static_cast<int>(lignes_.size()); ++i)
    for (int c = 0; c < 8; ++c) {
      auto* cellule = new QTableWidgetItem(Texte(lignes_[static_cast<std::size_t>(i)].colonnes[static_cast<std::size_t>(c)]));
      cellule->setFont(c < 3 ? glyphes : arial);
      GridEclipses->setItem(i, c, cellule);
    }
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
