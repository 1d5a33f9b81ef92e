#include "techniques/TFormQuickEphem.h"
#include "widgets/Impression.h"
#include "widgets/Fenetres.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/ImpressionTables.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

// The dates in Arial 9, the cells in the glyph font at 8 points, each column 10 widths of its "a".
StyleGrille StyleEphemerides() { return {Police("Arial", 9), Police("Celvan S", 8), Police("Celvan S", 8), 'a'}; }

}  // namespace

TFormQuickEphem::TFormQuickEphem(QWidget* parent) : FenetreTechnique(parent) {
  setWindowTitle(QString::fromUtf8("Positions des planètes au 1er du mois"));
  auto* haut = new QHBoxLayout;
  haut->addWidget(new QLabel(QString::fromUtf8("Année :"), this));
  SpinEditAnnee = new QSpinBox(this);
  SpinEditAnnee->setObjectName("SpinEditAnnee");
  SpinEditAnnee->setRange(PremiereAnneeEphemerides, DerniereAnneeEphemerides);
  SpinEditAnnee->setValue(QDate::currentDate().year());
  haut->addWidget(SpinEditAnnee);
  RadioAnnuel = new QRadioButton("Annuel", this);
  RadioAnnuel->setObjectName("RadioAnnuel");
  RadioAnnuel->setChecked(true);
  RadioMensuel = new QRadioButton("Mensuel", this);
  RadioMensuel->setObjectName("RadioMensuel");
  haut->addWidget(RadioAnnuel);
  haut->addWidget(RadioMensuel);
  ComboBoxMois = new QComboBox(this);
  ComboBoxMois->setObjectName("ComboBoxMois");
  for (int m = 1; m <= 12; ++m) ComboBoxMois->addItem(Texte(NomMois(m)));
  haut->addWidget(ComboBoxMois);
  BtnCalcul = new QPushButton("Calculer", this);
  BtnCalcul->setObjectName("BtnCalcul");
  BtnImprimer = new QPushButton("Imprimer", this);
  BtnImprimer->setObjectName("BtnImprimer");
  BtnImprimer->setEnabled(false);  // nothing to print before a calculation
  haut->addWidget(BtnCalcul);
  haut->addWidget(BtnImprimer);
  haut->addStretch();
  StringGrid1 = new QTableWidget(0, 15, this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->verticalHeader()->hide();
  const QFont glyphes = Police("Celvan S", 8);
  StringGrid1->setFont(glyphes);
  StringGrid1->horizontalHeader()->setFont(glyphes);
  RemplirGrille(*StringGrid1, FeuilleEphemerides({}, annee_, mois_), StyleEphemerides());
  BrancherFeuille(*StringGrid1, {[this] { return FeuilleEphemerides(lignes_, annee_, mois_); },
                                 [] { return LignesCachet(ContexteCachet{}); }, [] { return QString("Ephemerides.csv"); }});
  const int colonne = StringGrid1->columnWidth(0);
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(haut);
  disposition->addWidget(StringGrid1);
  connect(BtnCalcul, &QPushButton::clicked, this, [this] { Calculer(); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  // Enter in the year field computes as the button does.
  connect(SpinEditAnnee->findChild<QLineEdit*>(), &QLineEdit::returnPressed, this, [this] { Calculer(); });
  connect(qApp, &QApplication::focusChanged, this, &TFormQuickEphem::FocusChange);
  resize(15 * colonne + 40, 600);
}

TFormQuickEphem::~TFormQuickEphem() = default;

void TFormQuickEphem::FocusChange(QWidget* ancien, QWidget* nouveau) {
  // A click elsewhere in the main window closes it, as a drop-down table does; a
  // dialog of its own (the print dialog, a message) does not.
  if (!ancien || !nouveau || nouveau == this || isAncestorOf(nouveau)) return;
  if (!isAncestorOf(ancien) && ancien != this) return;
  if (nouveau->window() != window() || QApplication::activeModalWidget()) return;
  FermerFenetre(this);
}

void TFormQuickEphem::Calculer() {
  annee_ = SpinEditAnnee->value();
  mois_ = RadioMensuel->isChecked() ? ComboBoxMois->currentIndex() + 1 : 0;
  EffacerRefusEphemerides();
  lignes_ = CalculerEphemeridesRapides(annee_, mois_);
  SignalerRefusEphemerides();
  BtnImprimer->setEnabled(!lignes_.empty());
  RemplirGrille(*StringGrid1, FeuilleEphemerides(lignes_, annee_, mois_), StyleEphemerides());
}

void TFormQuickEphem::BtnImprimerClick() {
  if (lignes_.empty()) return;
  ImprimerDocument(DocumentEphemerides(lignes_, annee_, mois_, LignesCachet(ContexteCachet{})), "Ephemerides.pdf");
}

}  // namespace selvane
