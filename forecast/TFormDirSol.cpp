#include "forecast/TFormDirSol.h"
#include "widgets/Fenetres.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QDate>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

QListWidget* ListeCochee(QWidget* parent, const QStringList& textes, const QFont& police) {
  auto* liste = new QListWidget(parent);
  liste->setFont(police);
  for (const QString& t : textes) {
    auto* item = new QListWidgetItem(t, liste);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  return liste;
}

void ToutCocher(QListWidget* liste, bool coche) {
  for (int i = 0; i < liste->count(); ++i) liste->item(i)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
}

}  // namespace

TFormDirSol::TFormDirSol(QWidget* parent) : QWidget(parent) {
  const EtatTheme& e = Etat();
  natal_ = NatalDepuisEtat();
  nom_ = Texte(e.NomAffiche.Chaine());
  setWindowTitle(nom_ + " - Directions solaires et transits");
  if (const QScreen* ecran = QGuiApplication::primaryScreen()) resize(ecran->size());

  auto* principal = new QHBoxLayout(this);
  // The settings keep a narrow panel; the list takes the rest of the screen. The point lists
  // have the panel's whole height to themselves, the other settings stand beside them: under
  // them the 22 points did not fit a laptop's screen.
  auto* panneau = new QWidget(this);
  panneau->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  auto* colonnes = new QHBoxLayout(panneau);
  colonnes->setContentsMargins(0, 0, 0, 0);
  auto* listes = new QVBoxLayout;
  colonnes->addLayout(listes);
  // The other settings scroll when a short window cannot hold them all.
  auto* reglages = new QWidget;
  auto* gauche = new QVBoxLayout(reglages);
  gauche->setContentsMargins(0, 0, 0, 0);
  defilementReglages_ = new QScrollArea(panneau);
  defilementReglages_->setObjectName("DefilementReglages");
  defilementReglages_->setFrameShape(QFrame::NoFrame);
  defilementReglages_->setWidgetResizable(true);
  defilementReglages_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* droite = new QVBoxLayout;
  droite->addWidget(defilementReglages_, 1);
  colonnes->addLayout(droite);
  principal->addWidget(panneau);

  // The three point lists.
  auto* titre = new QLabel("    P1               P2               P3", this);
  listes->addWidget(titre);
  auto* rangee = new QHBoxLayout;
  rangee->setSpacing(0);
  listes->addLayout(rangee, 1);
  // Each list as wide as the caption's step from one name to the next, so the names stand over them.
  const int pas = titre->fontMetrics().horizontalAdvance("P1               ");
  QStringList glyphes;
  for (int c : CorpsDesListes) glyphes << Glyphe(LettresCorps[static_cast<std::size_t>(c)]);
  for (int k = 0; k < 3; ++k) {
    auto* colonne = new QVBoxLayout;
    rangee->addLayout(colonne);
    QListWidget* liste = ListeCochee(this, glyphes, Police("Celvan S", 12));
    liste->setObjectName(QString("P%1").arg(k + 1));
    liste->setFixedWidth(pas - 4);
    liste->item(0)->setCheckState(Qt::Checked);
    points_[static_cast<std::size_t>(k)] = liste;
    // The column's whole height: the 22 rows when the window allows it, else a scroll bar.
    liste->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    colonne->addWidget(liste, 1);
    rangee->addSpacing(4);
    auto* tout = new QPushButton("Tout", this);
    tout_[static_cast<std::size_t>(k)] = tout;
    colonne->addWidget(tout);
    connect(tout, &QPushButton::clicked, this, [this, k] { ToutClick(k); });
  }

  // Mode and way.
  auto* mode = new QGroupBox(this);
  auto* modeDisposition = new QVBoxLayout(mode);
  directions_ = new QRadioButton("Directions", mode);
  transits_ = new QRadioButton("Transits", mode);
  directions_->setObjectName("RadioGroupDirOuTransit");
  directions_->setChecked(true);
  modeDisposition->addWidget(directions_);
  modeDisposition->addWidget(transits_);
  gauche->addWidget(mode);
  connect(directions_, &QRadioButton::clicked, this, [this] { ModeClick(); });
  connect(transits_, &QRadioButton::clicked, this, [this] { ModeClick(); });

  auto* sens = new QGroupBox(this);
  sens->setObjectName("RadioGroupSensDir");
  auto* sensDisposition = new QVBoxLayout(sens);
  versMiPoints_ = new QRadioButton("P1 vers P2/P3  ou vers P2", sens);
  versPoints_ = new QRadioButton("P1/P2 vers P3 (directions seules)", sens);
  versMiPoints_->setChecked(true);
  sensDisposition->addWidget(versMiPoints_);
  sensDisposition->addWidget(versPoints_);
  gauche->addWidget(sens);

  // Harmonic and period.
  harmoniques_ = new QListWidget(this);
  harmoniques_->setObjectName("HarmoniqueDir");
  for (const char* h : LibellesHarmoniques) harmoniques_->addItem(Texte(h));
  harmoniques_->setCurrentRow(2);
  harmoniques_->setMaximumHeight(QFontMetrics(harmoniques_->font()).height() * 6 + 8);
  gauche->addWidget(harmoniques_);

  auto* periode = new QGroupBox(QString::fromUtf8("Période (âge)"), this);
  auto* periodeDisposition = new QHBoxLayout(periode);
  debut_ = new QSpinBox(periode);
  debut_->setObjectName("Debut");
  debut_->setRange(0, 99);
  debut_->setValue(1);
  fin_ = new QSpinBox(periode);
  fin_->setObjectName("Fin");
  fin_->setRange(2, 130);
  fin_->setValue(QDate::currentDate().year() - JourJulienVersCalendrier(natal_.jourJulienNaissance).annee);
  periodeDisposition->addWidget(new QLabel(QString::fromUtf8("Début"), periode));
  periodeDisposition->addWidget(debut_);
  periodeDisposition->addWidget(new QLabel("Fin", periode));
  periodeDisposition->addWidget(fin_);
  gauche->addWidget(periode);

  // Transit options.
  auto* duree = new QGroupBox("Durée des transits", this);
  auto* dureeDisposition = new QVBoxLayout(duree);
  uneAnnee_ = new QRadioButton(QString::fromUtf8("1 année"), duree);
  deuxAnnees_ = new QRadioButton(QString::fromUtf8("2 années"), duree);
  deuxAnnees_->setChecked(true);
  dureeDisposition->addWidget(uneAnnee_);
  dureeDisposition->addWidget(deuxAnnees_);
  gauche->addWidget(duree);

  panneauAspects_ = new QWidget(this);
  auto* aspectsDisposition = new QVBoxLayout(panneauAspects_);
  aspectsDisposition->setContentsMargins(0, 0, 0, 0);
  aspectsDisposition->addWidget(new QLabel("Aspects en transit :", panneauAspects_));
  QStringList glyphesAspects;
  for (std::size_t i = 0; i < AspectsProposes.size(); ++i) glyphesAspects << Glyphe(static_cast<char>(186 + AspectsProposes[i]));
  aspects_ = ListeCochee(panneauAspects_, glyphesAspects, Police("Celvan S", 12));
  aspects_->setObjectName("AspectsTransit");
  aspects_->item(0)->setCheckState(Qt::Checked);
  aspectsDisposition->addWidget(aspects_);
  // The few aspects all in view: rows of the glyph font, with room for the check box.
  aspects_->setMinimumHeight(static_cast<int>(AspectsProposes.size()) *
                                 (std::max(QFontMetrics(aspects_->font()).height(), 16) + 4) +
                             2 * aspects_->frameWidth());
  gauche->addWidget(panneauAspects_);
  panneauAspects_->hide();

  auto* boutons = new QHBoxLayout;
  auto* calculer = new QPushButton("Calculer", this);
  auto* imprimer = new QPushButton("Imprimer", this);
  auto* exporter = new QPushButton("Exporter", this);
  exporter->setToolTip("Exporter la table");
  boutons->addWidget(calculer);
  boutons->addWidget(imprimer);
  boutons->addWidget(exporter);
  // The commands under the settings, never scrolled away.
  droite->addLayout(boutons);
  gauche->addStretch();
  defilementReglages_->setWidget(reglages);
  defilementReglages_->setFixedWidth(reglages->sizeHint().width() +
                                     defilementReglages_->verticalScrollBar()->sizeHint().width());
  connect(calculer, &QPushButton::clicked, this, [this] { BtnCalculerClick(); });
  connect(imprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  connect(exporter, &QPushButton::clicked, this, [this] { BtnExporterClick(); });

  // The list.
  ListeDirections_ = new GrilleTexte(this);
  ListeDirections_->setObjectName("ListeDirections");
  ListeDirections_->setWordWrap(false);
  principal->addWidget(ListeDirections_, 1);
  // Copied and exported as shown, in the grid's order.
  BrancherFeuille(*ListeDirections_, {[this] { return FeuilleAffichee(*ListeDirections_, FeuilleListe(page_)); },
                                      [] { return LignesCachet(ContexteDuTheme(Etat())); },
                                      [this] { return QString(page_.transits ? "Transits.csv" : "Directions.csv"); }});
  Afficher();
}

void TFormDirSol::Afficher() {
  const QFont glyphes = Police("Celvan S", 10), texte = Police("Arial", 9);
  // A transit's position is a glyph text too, smaller to fit its column.
  const std::vector<QFont> polices = {glyphes, page_.transits ? Police("Celvan S", 7) : texte, texte, texte, texte};
  RemplirGrilleTexte(*ListeDirections_, FeuilleListe(page_), polices, QFontMetricsF(glyphes).horizontalAdvance('A'));
}

void TFormDirSol::ToutClick(int k) {
  QPushButton* b = tout_[static_cast<std::size_t>(k)];
  const bool tout = b->text() == "Tout";
  ToutCocher(points_[static_cast<std::size_t>(k)], tout);
  b->setText(tout ? "Clear" : "Tout");
}

void TFormDirSol::ModeClick() {
  aspects_->item(0)->setCheckState(Qt::Checked);
  panneauAspects_->setVisible(transits_->isChecked());
}

std::vector<int> TFormDirSol::Coches(int k) const {
  std::vector<int> corps;
  const QListWidget* liste = points_[static_cast<std::size_t>(k)];
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->checkState() == Qt::Checked) corps.push_back(CorpsDesListes[static_cast<std::size_t>(i)]);
  return corps;
}

bool TFormDirSol::DemanderAnnee(int& annee) {
  for (;;) {
    QString texte = QString::number(QDate::currentDate().year());
    if (!LaPlateforme().SaisirTexte(QString::fromUtf8("Entrez l'année "), texte)) return false;
    const Saisie<int> lue = LireAnneeTransits(Octets(texte));
    if (lue.Ok()) {
      annee = lue.valeur;
      return true;
    }
    const QString message = QString::fromUtf8(lue.message.c_str());
    if (lue.boite == BoiteMessage::Erreur) LaPlateforme().Erreur(message);
    else LaPlateforme().Avertissement(message);
    if (!lue.vide) return false;
  }
}

void TFormDirSol::BtnCalculerClick() {
  // The list shown is of the mode chosen, even while empty: its export counts its columns.
  page_ = PageListe();
  page_.transits = transits_->isChecked();
  Afficher();
  const int item = std::max(0, harmoniques_->currentRow());
  aspects_->item(0)->setCheckState(Qt::Checked);
  const std::vector<int> p[3] = {Coches(0), Coches(1), Coches(2)};
  for (int k = 0; k < 3; ++k)
    if (p[k].empty()) {
      LaPlateforme().Avertissement(QString::fromUtf8("Vous devez sélectionner au moins un point P%1").arg(k + 1));
      return;
    }
  std::vector<std::array<std::string, 6>> cellules;
  if (directions_->isChecked()) {
    DemandeDirections d;
    d.p1 = p[0];
    d.p2 = p[1];
    d.p3 = p[2];
    d.harmonique = 1 << item;
    d.debut = debut_->value();
    d.fin = fin_->value();  // an end before the start lists nothing
    d.versMiPoints = versMiPoints_->isChecked();
    for (const LigneDirection& l : CalculerDirections(natal_, d)) cellules.push_back(l.cellules);
    page_.titre = nom_ + "  : directions solaires dans l'harmonique  " + harmoniques_->item(item)->text();
  } else {
    int annee = 0;
    if (!DemanderAnnee(annee)) return;
    if (!versMiPoints_->isChecked()) return;  // the second way has no transit list
    DemandeTransits d;
    d.p1 = p[0];
    d.p2 = p[1];
    d.p3 = p[2];
    d.annee = annee;
    d.jours = uneAnnee_->isChecked() ? 365 : 730;
    for (int i = 1; i < aspects_->count(); ++i)
      if (aspects_->item(i)->checkState() == Qt::Checked) d.aspects.push_back(AspectsProposes[static_cast<std::size_t>(i)]);
    for (const LigneTransit& l : CalculerTransits(natal_, d)) cellules.push_back(CellulesTransit(l));
    page_.titre = nom_ + "  : transits  ";
  }
  page_.lignes = std::move(cellules);
  Afficher();
}

void TFormDirSol::BtnImprimerClick() {
  if (page_.lignes.size() > static_cast<std::size_t>(LignesImprimables)) {
    LaPlateforme().Information(
        "Pour l'impression, limitez la période pour avoir un nombre de lignes de 132 maximum");
    return;
  }
  ImprimerDocument(DocumentListe(page_, LignesCachet(ContexteDuTheme(Etat()))),
                   page_.transits ? "Transits.pdf" : "Directions.pdf");
}

void TFormDirSol::BtnExporterClick() {
  // The rows as shown, the sheet's text: what Ctrl+C copies.
  const Feuille f = FeuilleAffichee(*ListeDirections_, FeuilleListe(page_));
  CopierFeuille(f);
  LaPlateforme().Information(Texte(MessageExport(static_cast<int>(f.colonnes.size()), static_cast<int>(f.lignes.size()))));
}

void TFormDirSol::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() != Qt::Key_Escape) {
    QWidget::keyPressEvent(evenement);
    return;
  }
  FermerFenetre(this);
}

}  // namespace selvane
