#include "techniques/TFormEphemGraphique.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "birthdata/Saisie.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Palette.h"
#include "dessin/Traits.h"
#include "reglages/Reglages.h"
#include "techniques/DessinEphemGraphique.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

// The drawing surface: the picture of the last computation, redrawn on resize; the mouse picks
// the crossing under it.
class ZoneEphemGraphique : public QWidget {
 public:
  explicit ZoneEphemGraphique(TFormEphemGraphique* fenetre) : QWidget(fenetre), f_(fenetre) {
    setObjectName("ImageGraphe");
    setMouseTracking(true);
    setMinimumSize(480, 300);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    DessinerEphemGraphique(p, QRectF(rect()), f_->graphe_, PaletteEcran(LesReglages()), Options());
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    const GeometrieGraphe geo = GeometrieDuGraphe(QRectF(rect()), f_->graphe_);
    const int i = CroisementPres(geo, f_->graphe_, e->position(), 12);
    if (i >= 0) f_->ChoisirCroisement(i);
    if (geo.zone.contains(e->position())) {
      const double jour = geo.Jour(e->position().x());
      QToolTip::showText(e->globalPosition().toPoint(),
                         Texte(JourJulienVersDate(jour)) + " " + Texte(FormatHeureHM(HeureDuJour(jour))) + QString::fromUtf8(" TU  ") +
                             QString::number(geo.Degres(e->position().y()), 'f', 2) + QChar(0xB0),
                         this);
    }
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    const int i = CroisementPres(GeometrieDuGraphe(QRectF(rect()), f_->graphe_), f_->graphe_, e->position(), 12);
    if (i >= 0) f_->OuvrirCadranSur(i);
  }

 private:
  TFormEphemGraphique* f_;
  OptionsGraphe Options() const {
    OptionsGraphe o;
    o.croisementEnValeur = f_->choisi_;
    return o;
  }
};

namespace {

const char* const kCibles[] = {"Points", "Mi-points", "Mi-points des points personnels", "Points et mi-points"};

}  // namespace

TFormEphemGraphique::TFormEphemGraphique(std::function<void(double)> ouvrirCadran, OptionsDessin impression,
                                         QWidget* parent)
    : FenetreTechnique(parent), ouvrirCadran_(std::move(ouvrirCadran)), impression_(impression) {
  const EtatTheme& e = Etat();
  nom_ = Texte(e.NomAffiche.Texte());
  setWindowTitle(TitreEphemGraphique(nom_));
  for (int b = 1; b <= NbCorps; ++b) natal_.longitudes[static_cast<std::size_t>(b)] = e.Positions[b][6];
  natal_.jourJulienNaissance = e.JourJulienTU;
  jeu_ = e.JeuPlanetes;

  auto* commandes = new QHBoxLayout;
  commandes->addWidget(new QLabel(QString::fromUtf8("Début :"), this));
  EditDebut = new QLineEdit(QDate::currentDate().toString("01/MM/yyyy"), this);
  EditDebut->setObjectName("EditDebut");
  EditDebut->setMaxLength(10);
  EditDebut->setFixedWidth(EditDebut->fontMetrics().horizontalAdvance("00/00/00000"));
  commandes->addWidget(EditDebut);
  commandes->addWidget(new QLabel(QString::fromUtf8("Mois :"), this));
  SpinMois = new QSpinBox(this);
  SpinMois->setObjectName("SpinMois");
  SpinMois->setRange(MoisGrapheMin, MoisGrapheMax);
  SpinMois->setValue(12);
  commandes->addWidget(SpinMois);
  commandes->addWidget(new QLabel(QString::fromUtf8("Cadran :"), this));
  ComboModule = new QComboBox(this);
  ComboModule->setObjectName("ComboModule");
  for (const char* m : {"360°", "90°", "45°", "22°30'"}) ComboModule->addItem(QString::fromUtf8(m));
  ComboModule->setCurrentIndex(2);
  commandes->addWidget(ComboModule);
  commandes->addWidget(new QLabel(QString::fromUtf8("Cibles :"), this));
  ComboCibles = new QComboBox(this);
  ComboCibles->setObjectName("ComboCibles");
  for (const char* c : kCibles) ComboCibles->addItem(QString::fromUtf8(c));
  commandes->addWidget(ComboCibles);
  CheckArc = new QCheckBox(QString::fromUtf8("Points dirigés (arc solaire)"), this);
  CheckArc->setObjectName("CheckArc");
  commandes->addWidget(CheckArc);
  commandes->addStretch();
  BtnImprimer = new QPushButton("Imprimer", this);
  BtnImprimer->setObjectName("BtnImprimer");
  BtnExporter = new QPushButton("Exporter", this);
  BtnExporter->setObjectName("BtnExporter");
  commandes->addWidget(BtnImprimer);
  commandes->addWidget(BtnExporter);

  ListeCorps = new QListWidget(this);
  ListeCorps->setObjectName("ListeCorps");
  ListeCorps->setFixedWidth(130);
  for (int c = 1; c <= NoeudLunaire; ++c) {
    auto* item = new QListWidgetItem(Texte(NomsLongs[static_cast<std::size_t>(c)]), ListeCorps);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(c >= Mars && c <= Poseidon ? Qt::Checked : Qt::Unchecked);
  }
  Zone = new ZoneEphemGraphique(this);
  GrilleCroisements = new QTableWidget(0, 4, this);
  GrilleCroisements->setObjectName("GrilleCroisements");
  GrilleCroisements->setHorizontalHeaderLabels(
      {QString::fromUtf8("Date (TU)"), QString::fromUtf8("Corps"), QString::fromUtf8("Aspect"), QString::fromUtf8("Cible")});
  GrilleCroisements->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GrilleCroisements->setSelectionBehavior(QAbstractItemView::SelectRows);
  GrilleCroisements->setSelectionMode(QAbstractItemView::SingleSelection);
  GrilleCroisements->verticalHeader()->hide();
  GrilleCroisements->setColumnWidth(0, 120);
  for (int c = 1; c < 4; ++c) GrilleCroisements->setColumnWidth(c, 55);
  GrilleCroisements->setFixedWidth(320);

  auto* milieu = new QHBoxLayout;
  milieu->addWidget(ListeCorps);
  milieu->addWidget(Zone, 1);
  milieu->addWidget(GrilleCroisements);
  auto* disposition = new QVBoxLayout(this);
  disposition->addLayout(commandes);
  disposition->addLayout(milieu, 1);

  connect(EditDebut, &QLineEdit::editingFinished, this, [this] { Calculer(); });
  connect(SpinMois, &QSpinBox::valueChanged, this, [this] { Calculer(); });
  connect(ComboModule, &QComboBox::currentIndexChanged, this, [this] { Calculer(); });
  connect(ComboCibles, &QComboBox::currentIndexChanged, this, [this] { Calculer(); });
  connect(CheckArc, &QCheckBox::toggled, this, [this] { Calculer(); });
  connect(ListeCorps, &QListWidget::itemChanged, this, [this] { Calculer(); });
  connect(GrilleCroisements, &QTableWidget::cellClicked, this, [this](int ligne, int) { ChoisirCroisement(ligne); });
  connect(GrilleCroisements, &QTableWidget::cellDoubleClicked, this, [this](int ligne, int) { OuvrirCadranSur(ligne); });
  connect(BtnImprimer, &QPushButton::clicked, this, [this] { BtnImprimerClick(); });
  connect(BtnExporter, &QPushButton::clicked, this, [this] {
    QString chemin;
    if (LaPlateforme().ChoisirFichier(QString::fromUtf8("Exporter l'éphéméride graphique"),
                                      "PDF (*.pdf);;PNG (*.png);;CSV (*.csv)", true, chemin) &&
        !chemin.isEmpty())
      Exporter(chemin);
  });
  resize(1280, 760);
  Calculer();
}

void TFormEphemGraphique::Calculer() {
  const std::string debut = EditDebut->text().toStdString();
  const std::string erreur = ErreurDate(debut);
  if (!erreur.empty()) {
    LaPlateforme().Avertissement(QString::fromStdString(erreur));
    return;
  }
  DemandeGraphe d;
  d.jour = std::stoi(debut.substr(0, 2));
  d.mois = std::stoi(debut.substr(3, 2));
  d.annee = std::stoi(debut.substr(6));
  d.nbMois = SpinMois->value();
  d.moduleDeg = ModulesGraphe[static_cast<std::size_t>(std::max(0, ComboModule->currentIndex()))];
  const CiblesGraphe choix[] = {CiblesGraphe::Points, CiblesGraphe::MiPoints, CiblesGraphe::Personnels, CiblesGraphe::Tous};
  d.cibles = choix[std::max(0, ComboCibles->currentIndex())];
  d.arcSolaire = CheckArc->isChecked();
  d.corps.clear();
  for (int i = 0; i < ListeCorps->count(); ++i)
    if (ListeCorps->item(i)->checkState() == Qt::Checked) d.corps.push_back(i + 1);
  try {
    graphe_ = CalculerEphemGraphique(natal_, jeu_, d);
  } catch (const ErreurEphemerides& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  choisi_ = -1;
  RemplirListe();
  Zone->update();
}

void TFormEphemGraphique::RemplirListe() {
  GrilleCroisements->setUpdatesEnabled(false);
  GrilleCroisements->setRowCount(static_cast<int>(graphe_.croisements.size()));
  const QFont glyphes = Police("Celvan S", 10);
  for (std::size_t i = 0; i < graphe_.croisements.size(); ++i) {
    const TextesCroisement t = TextesDuCroisement(graphe_.croisements[i]);
    const int l = static_cast<int>(i);
    GrilleCroisements->setItem(l, 0, new QTableWidgetItem(t.date));
    auto* corps = new QTableWidgetItem(t.corps);
    corps->setFont(glyphes);
    GrilleCroisements->setItem(l, 1, corps);
    GrilleCroisements->setItem(l, 2, new QTableWidgetItem(t.aspect));
    auto* cible = new QTableWidgetItem(t.cible);
    cible->setFont(glyphes);
    GrilleCroisements->setItem(l, 3, cible);
  }
  GrilleCroisements->setUpdatesEnabled(true);
}

void TFormEphemGraphique::ChoisirCroisement(int index) {
  if (index == choisi_ || index >= static_cast<int>(graphe_.croisements.size())) return;
  choisi_ = index;
  if (index >= 0) {
    GrilleCroisements->selectRow(index);
    GrilleCroisements->scrollToItem(GrilleCroisements->item(index, 0));
  }
  Zone->update();
}

void TFormEphemGraphique::OuvrirCadranSur(int index) {
  if (index < 0 || index >= static_cast<int>(graphe_.croisements.size())) return;
  ChoisirCroisement(index);
  if (ouvrirCadran_) ouvrirCadran_(graphe_.croisements[static_cast<std::size_t>(index)].jourTU);
}

QImage TFormEphemGraphique::Image(QSize taille, bool impression) const {
  QImage image(taille, QImage::Format_RGB32);
  QPainter p(&image);
  OptionsGraphe o;
  o.titre = TitreEphemGraphique(nom_);
  o.cachet = CachetCalcul();
  DessinerEphemGraphique(p, QRectF(image.rect()), graphe_,
                         impression ? PaletteImpression(LesReglages(), impression_) : PaletteEcran(LesReglages()), o);
  return image;
}

void TFormEphemGraphique::BtnImprimerClick() {
  OptionsGraphe o;
  o.titre = TitreEphemGraphique(nom_);
  DocumentImprime d;
  d.paysage = true;
  d.noirEtBlanc = !impression_.impressionCouleur;
  d.cachet = LignesCachet(ContexteDuTheme(Etat()));
  d.peindre = [graphe = graphe_, o, palette = PaletteImpression(LesReglages(), impression_)](QPainter& p,
                                                                                            const QRectF& zone, int) {
    DessinerEphemGraphique(p, zone, graphe, palette, o);
  };
  ImprimerDocument(d, "Ephemeride graphique.pdf");
}

bool TFormEphemGraphique::Exporter(const QString& chemin) {
  const QString fin = chemin.section('.', -1).toLower();
  if (fin == "csv") {
    QFile f(chemin);
    const std::string s = CsvEphemGraphique(graphe_);
    if (!f.open(QIODevice::WriteOnly) || f.write(s.data(), static_cast<qint64>(s.size())) != static_cast<qint64>(s.size())) {
      LaPlateforme().Erreur(QString::fromUtf8("Impossible d'écrire ") + chemin);
      return false;
    }
    return true;
  }
  if (fin == "png") {
    if (Image(QSize(1920, 1080), false).save(chemin, "PNG")) return true;
    LaPlateforme().Erreur(QString::fromUtf8("Impossible d'écrire ") + chemin);
    return false;
  }
  if (fin == "pdf") {
    OptionsGraphe o;
    o.titre = TitreEphemGraphique(nom_);
    o.cachet = CachetCalcul();
    if (!EcrirePdfEphemGraphique(chemin, graphe_, PaletteImpression(LesReglages(), impression_), o)) {
      LaPlateforme().Erreur(QString::fromUtf8("Impossible d'écrire ") + chemin);
      return false;
    }
    return true;
  }
  LaPlateforme().Avertissement(QString::fromUtf8("Extension inconnue : .pdf, .png ou .csv"));
  return false;
}

}  // namespace selvane
