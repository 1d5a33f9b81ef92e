#include "forecast/TFormInterpret.h"
#include "widgets/Fenetres.h"

#include <QAction>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "birthdata/records/Controles.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "forecast/FeuilleTableMiPoints.h"
#include "reglages/Reglages.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

const int TFormInterpret::OrdreAffichage[22] = {PointBelier, MilieuDuCiel, Ascendant, Soleil, Lune, NoeudLunaire,
                                                3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};

namespace {

const char* const Techniques[] = {"Natal", "RS", "RL", "Arc solaire", "Transits"};
const char* const TitresTechniques[] = {" - Natal ", " - RS pour le  ", " - RL pour le  ", " - Arc solaire pour le  ",
                                        " - Transits pour le  "};

// Where the manual panel sends the reader: a library catalogue search for the rules book.
const char* const AdresseManuel =
    "https://portal.dnb.de/opac.htm?method=simpleSearch&query=Regelwerk+f%C3%BCr+Planetenbilder";

// Items of the highlight list: none, bodies 1..19, then the Aries point, Ascendant, MC.
int CorpsDeLItem(int item) {
  if (item <= 0) return 0;
  if (item <= 19) return item;
  if (item == 20) return PointBelier;
  return item;  // 21 Ascendant, 22 MC
}

// The glyph of a point in the choice lists: the Aries point shows as the Aries sign.
QString GlypheDeChoix(int corps) { return Glyphe(corps == PointBelier ? 'a' : LettresCorps[corps]); }

// A panel shown over the window on demand.
QFrame* PanneauFlottant(QWidget* fenetre, const char* nom) {
  auto* panneau = new QFrame(fenetre);
  panneau->setObjectName(nom);
  panneau->setFrameShape(QFrame::Panel);
  panneau->setAutoFillBackground(true);
  return panneau;
}

QPixmap ImageDuLivre() {
  QPixmap livre(120, 160);
  livre.fill(QColor(30, 60, 120));
  QPainter p(&livre);
  p.setPen(QPen(QColor(220, 190, 90), 3));
  p.drawRect(6, 6, 108, 148);
  p.setFont(Police("Liberation Sans", 9, true));
  p.drawText(QRect(10, 20, 100, 120), Qt::AlignCenter | Qt::TextWordWrap,
             QString::fromUtf8("Règles des figures planétaires"));
  return livre;
}

}  // namespace

TFormInterpret::TFormInterpret(const QString& dossier, ListeThemesSauves liste, QWidget* parent)
    : QWidget(parent), dossier_(dossier) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("FormInterpret");
  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(0, 0, 0, 0);
  Menu = new QMenuBar(this);
  Fermer1 = Menu->addAction("Fermer", this, [this] { Fermer(); });
  Copiertableau1 = Menu->addAction("Copier tableau", this, [this] { Copiertableau1Click(); });
  Imprimer1 = Menu->addAction("Imprimer", this, [this] { Imprimer1Click(); });
  Exporterletexte1 = Menu->addAction("Exporter le texte");
  Exporterletexte1->setVisible(false);
  principal->setMenuBar(Menu);
  auto* corps = new QHBoxLayout;
  principal->addLayout(corps);
  Defilement = new QScrollArea(this);
  Defilement->setObjectName("Defilement");
  // The rows drawn, for the clipboard and CSV.
  BrancherFeuille(*Defilement, {[this] {
                                  return FeuilleTableMiPoints(lignes_, Harmonique(),
                                                              {titre_, "Mi-points uraniens ( " + ComboBoxHarmonic->currentText() + " )"});
                                },
                                [this] { return LignesCachet(ContexteTable()); },
                                [] { return QString("Tables previsionnelles.csv"); }});
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Image1->installEventFilter(this);
  Defilement->setWidget(Image1);
  Defilement->setWidgetResizable(false);
  corps->addWidget(Defilement, 1);
  droite_ = new QWidget(this);
  droite_->setObjectName("PanneauDroit");
  corps->addWidget(droite_);

  Calcul = new PanneauCalcul(dossier, std::move(liste), droite_);
  // The saved-charts list opens left of the column where the selection panel shows, never over
  // its "Valider/Annuler/Tous".
  Calcul->DefinirCoinListe([this] {
    const int panneau = PanelSelection ? std::max(PanelSelection->width(), PanelSelection->sizeHint().width()) : 0;
    const int gauche = droite_->x() - panneau;
    return mapToGlobal(QPoint(std::max(0, gauche), height()));
  });
  CreerPanneauDroit(droite_);
  CreerPanneauSelection();
  CreerPanneauManuel();

  // The opening: the natal chart of the radix step, kept to be put back at closing.
  Calcul->Ouvrir();
  CalculerTheme(EcartGlyphes65);
  setWindowTitle(NomAffiche() + "  -  " + QString::fromUtf8("Tables prévisionnelles"));
  for (int b = 1; b <= 23; ++b) Etat().Positions[b][1] = Etat().Positions[b][6];
  if (const QScreen* ecran = screen()) resize(ecran->availableGeometry().width(), ecran->availableGeometry().height());
  Calcul->ChoisirTechnique(TechniquePrevision::Natal);
  Calcul->BtnCalculRSRLEtc->hide();
  titre_ = NomAffiche() + " - Natal";
  CalculerTable();
}

TFormInterpret::~TFormInterpret() = default;

QString TFormInterpret::NomAffiche() const { return Texte(Etat().NomAffiche.Texte()); }

ContexteCachet TFormInterpret::ContexteTable() const {
  return ContexteCachetTable(Etat(), static_cast<int>(Calcul->Technique()), ficheNatale_,
                             Calcul->Prevision().JourJulienNaissance);
}

void TFormInterpret::CreerPanneauDroit(QWidget* droite) {
  auto* colonne = new QVBoxLayout(droite);
  colonne->addWidget(Calcul);
  connect(Calcul, &PanneauCalcul::TechniqueChoisie, this, [this](int i) { RadioGroupTypeClick(i); });
  connect(Calcul, &PanneauCalcul::CalculDemande, this, [this] { BtnCalculRSRLEtcClick(); });
  BtnMiPoints = new QPushButton("Actualiser la table", droite);
  BtnMiPoints->setObjectName("BtnMiPoints");
  connect(BtnMiPoints, &QPushButton::clicked, this, [this] { BtnMiPointsClick(); });
  colonne->addWidget(BtnMiPoints);
  ComboBoxHarmonic = new QComboBox(droite);
  ComboBoxHarmonic->setObjectName("ComboBoxHarmonic");
  for (const char* item : ItemsHarmoniques) ComboBoxHarmonic->addItem(QString::fromUtf8(item));
  connect(ComboBoxHarmonic, &QComboBox::currentIndexChanged, this, [this] { CalculerTable(); });
  colonne->addWidget(ComboBoxHarmonic);
  colonne->addWidget(new QLabel("Mettre en surbrillance", droite));
  RadioSelectBrillance = new QListWidget(droite);
  RadioSelectBrillance->setObjectName("RadioSelectBrillance");
  RadioSelectBrillance->setFont(Police("Celvan S", 12));
  RadioSelectBrillance->setFlow(QListView::LeftToRight);
  RadioSelectBrillance->setWrapping(true);
  RadioSelectBrillance->setMaximumHeight(90);
  RadioSelectBrillance->addItem("");
  for (int b = 1; b <= 19; ++b) RadioSelectBrillance->addItem(Glyphe(LettresCorps[b]));
  for (int b : {static_cast<int>(PointBelier), static_cast<int>(Ascendant), static_cast<int>(MilieuDuCiel)})
    RadioSelectBrillance->addItem(Glyphe(LettresCorps[b]));
  RadioSelectBrillance->setCurrentRow(0);
  connect(RadioSelectBrillance, &QListWidget::currentRowChanged, this, [this](int item) {
    corpsEnSurbrillance_ = CorpsDeLItem(item);
    CalculerTable();
  });
  colonne->addWidget(RadioSelectBrillance);
  BtnOpenPanelSelection = new QPushButton(QString::fromUtf8("Sélection de Mi-Points"), droite);
  BtnOpenPanelSelection->setObjectName("BtnOpenPanelSelection");
  connect(BtnOpenPanelSelection, &QPushButton::clicked, this, [this] {
    ListeA->setCurrentIndex(0);
    ListeB->setCurrentIndex(0);
    PanelSelection->show();
    PanelSelection->raise();
  });
  colonne->addWidget(BtnOpenPanelSelection);
  BtnClr10 = new QPushButton(QString::fromUtf8("Manuel figures planétaires"), droite);
  BtnClr10->setObjectName("BtnClr10");
  connect(BtnClr10, &QPushButton::clicked, this, [this] {
    PanelManuel->move((width() - PanelManuel->width()) / 2, (height() - PanelManuel->height()) / 2);
    PanelManuel->show();
    PanelManuel->raise();
  });
  colonne->addWidget(BtnClr10);
  colonne->addStretch();
}

void TFormInterpret::CreerPanneauSelection() {
  PanelSelection = PanneauFlottant(this, "PanelSelection");
  auto* grille = new QGridLayout(PanelSelection);
  grille->addWidget(new QLabel(QString::fromUtf8("Sélection de Mi-Points particuliers"), PanelSelection), 0, 0, 1, 4);
  const QFont glyphes = Police("Celvan S", 12);
  ListeA = new QComboBox(PanelSelection);
  ListeA->setObjectName("ListeA");
  ListeA->setFont(glyphes);
  for (int corps : OrdreAffichage) ListeA->addItem(GlypheDeChoix(corps), corps);
  ListeB = new QComboBox(PanelSelection);
  ListeB->setObjectName("ListeB");
  ListeB->setFont(glyphes);
  ListeB->addItem("", 0);
  for (int i = 1; i < 22; ++i) ListeB->addItem(GlypheDeChoix(OrdreAffichage[i]), OrdreAffichage[i]);
  grille->addWidget(new QLabel("A", PanelSelection), 1, 0);
  grille->addWidget(ListeA, 1, 1);
  grille->addWidget(new QLabel("B", PanelSelection), 1, 2);
  grille->addWidget(ListeB, 1, 3);
  BtnAjouter = new QPushButton("Ajouter", PanelSelection);
  grille->addWidget(BtnAjouter, 2, 0, 1, 4);
  grille->addWidget(new QLabel(QString::fromUtf8("Insérer tous les MP incluant  "), PanelSelection), 3, 0, 1, 2);
  LabelInsererMP = new QLabel(PanelSelection);
  LabelInsererMP->setObjectName("LabelInsererMP");
  LabelInsererMP->setFont(glyphes);
  grille->addWidget(LabelInsererMP, 3, 2);
  BtnInsererMP = new QPushButton("+", PanelSelection);
  BtnInsererMP->setObjectName("BtnInsererMP");
  grille->addWidget(BtnInsererMP, 3, 3);
  grille->addWidget(new QLabel(QString::fromUtf8("Insérer tous les points de la colonne A"), PanelSelection), 4, 0, 1, 3);
  BtnInsererColonneA = new QPushButton("+", PanelSelection);
  BtnInsererColonneA->setObjectName("BtnInsererColonneA");
  grille->addWidget(BtnInsererColonneA, 4, 3);
  GridSelection = new QTableWidget(0, 3, PanelSelection);
  GridSelection->setObjectName("GridSelection");
  GridSelection->setFont(glyphes);
  GridSelection->horizontalHeader()->hide();
  GridSelection->verticalHeader()->hide();
  GridSelection->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grille->addWidget(GridSelection, 5, 0, 1, 4);
  LabelNombre = new QLabel("0", PanelSelection);
  LabelNombre->setObjectName("LabelNombre");
  grille->addWidget(LabelNombre, 6, 0);
  BtnEffacer = new QPushButton("Effacer", PanelSelection);
  BtnValider = new QPushButton("Valider", PanelSelection);
  BtnAnnuler = new QPushButton("Annuler", PanelSelection);
  BtnTous = new QPushButton("Tous", PanelSelection);
  grille->addWidget(BtnEffacer, 6, 1);
  grille->addWidget(BtnValider, 7, 0);
  grille->addWidget(BtnAnnuler, 7, 1);
  grille->addWidget(BtnTous, 7, 2);

  connect(ListeA, &QComboBox::currentIndexChanged, this,
          [this](int i) { LabelInsererMP->setText(i >= 0 ? GlypheDeChoix(OrdreAffichage[i]) : QString()); });
  LabelInsererMP->setText(GlypheDeChoix(OrdreAffichage[0]));
  connect(BtnAjouter, &QPushButton::clicked, this, [this] {
    const int a = ListeA->currentData().toInt();
    const int b = ListeB->currentData().toInt();
    if (a == b) {
      LaPlateforme().Avertissement(QString::fromUtf8("La point B doit être différent du point A"));
      return;
    }
    AjouterEntree(a, b);
  });
  connect(BtnInsererMP, &QPushButton::clicked, this, [this] {
    const int a = ListeA->currentData().toInt();
    for (int i = 1; i < 22; ++i) {
      const int x = OrdreAffichage[i];
      if (x != a) AjouterEntree(std::min(a, x), std::max(a, x));
    }
  });
  connect(BtnInsererColonneA, &QPushButton::clicked, this, [this] {
    for (int corps : OrdreAffichage) AjouterEntree(corps, 0);
  });
  connect(BtnEffacer, &QPushButton::clicked, this, [this] { ViderSelection(); });
  connect(BtnValider, &QPushButton::clicked, this, [this] {
    modeSelection_ = true;
    PanelSelection->hide();
  });
  for (QPushButton* b : {BtnAnnuler, BtnTous})
    connect(b, &QPushButton::clicked, this, [this] {
      PanelSelection->hide();
      ViderSelection();
      modeSelection_ = false;
    });
  PanelSelection->resize(360, 480);
  PanelSelection->hide();
}

void TFormInterpret::CreerPanneauManuel() {
  PanelManuel = PanneauFlottant(this, "PanelManuel");
  auto* colonne = new QVBoxLayout(PanelManuel);
  auto* note = new QLabel(QString::fromUtf8(
                              "Pour interpréter les figures planétaires de ces tables, un livre de règles des "
                              "figures planétaires reste l'ouvrage de référence.\nCliquez sur l'image pour le "
                              "trouver chez son éditeur."),
                          PanelManuel);
  note->setWordWrap(true);
  colonne->addWidget(note);
  ImageLivre = new QLabel(PanelManuel);
  ImageLivre->setObjectName("ImageLivre");
  ImageLivre->setPixmap(ImageDuLivre());
  ImageLivre->setCursor(Qt::PointingHandCursor);
  ImageLivre->installEventFilter(this);
  colonne->addWidget(ImageLivre, 0, Qt::AlignHCenter);
  auto* fermer = new QPushButton("Fermer", PanelManuel);
  fermer->setObjectName("BtnFermerManuel");
  connect(fermer, &QPushButton::clicked, PanelManuel, &QWidget::hide);
  colonne->addWidget(fermer);
  PanelManuel->resize(320, 320);
  PanelManuel->hide();
}

void TFormInterpret::AjouterEntree(int a, int b) {
  selection_.push_back({a, b});
  const int ligne = GridSelection->rowCount();
  GridSelection->insertRow(ligne);
  const QString texte = b == 0 ? GlypheDeChoix(a) : GlypheDeChoix(a) + "/" + GlypheDeChoix(b);
  GridSelection->setItem(ligne, 0, new QTableWidgetItem(texte));
  GridSelection->setItem(ligne, 1, new QTableWidgetItem(QString::number(a)));
  GridSelection->setItem(ligne, 2, new QTableWidgetItem(QString::number(b)));
  AfficherNombre();
}

void TFormInterpret::ViderSelection() {
  selection_.clear();
  GridSelection->setRowCount(0);
  AfficherNombre();
}

void TFormInterpret::AfficherNombre() { LabelNombre->setText(QString::number(selection_.size())); }

int TFormInterpret::Harmonique() const { return HarmoniqueDeLItem(ComboBoxHarmonic->currentIndex()); }

void TFormInterpret::RadioGroupTypeClick(int index) {
  titre_ = NomAffiche() + " - " + QString::fromUtf8(Techniques[index]);
  setWindowTitle(titre_);
  const bool natal = index == 0;
  Calcul->BtnCalculRSRLEtc->setVisible(!natal);
  BtnMiPoints->setVisible(natal);
  if (natal) BtnMiPointsClick();
}

void TFormInterpret::BtnCalculRSRLEtcClick() {
  if (Calcul->BtnCalculRSRLEtcClick()) BtnMiPoints->show();
}

void TFormInterpret::BtnMiPointsClick() {
  const int t = static_cast<int>(Calcul->Technique());
  titre_ = NomAffiche() + QString::fromUtf8(TitresTechniques[t]);
  if (t != 0) titre_ += Calcul->MaskEditDate->text() + QString::fromUtf8(" à ") + Calcul->MaskEditHeure->text() + " TU";
  CalculerTable();
}

void TFormInterpret::CalculerTable() {
  const std::vector<double> longitudes = LongitudesDeColonne(ColonneDeLaTechnique(Calcul->Technique()));
  lignes_ = modeSelection_ ? CalculerPointsSelectionnes(selection_, longitudes.data(), Harmonique())
                           : CalculerMiPoints(longitudes.data(), Harmonique());
  Dessiner();
  Image1->show();
}

void TFormInterpret::Dessiner() {
  const qreal echelle = devicePixelRatioF();
  // The table needs 37 by 45 cells of about twenty pixels; the picture is never smaller.
  int largeur = std::max(760, width() - (droite_ ? droite_->sizeHint().width() : 0) - 30);
  int hauteur = std::max(900, static_cast<int>(1.7 * height()));
  // The cells follow the fonts: a picture too small for the 37 by 45 cells grows to hold them.
  if (geometrie_.u > 0) {
    largeur = std::max(largeur, 37 * geometrie_.u);
    hauteur = std::max(hauteur, 45 * geometrie_.u);
  }
  image_ = QImage(QSize(largeur, hauteur) * echelle, QImage::Format_RGB32);
  image_.setDevicePixelRatio(echelle);
  image_.setDotsPerMeterX(3780);  // 96 dots per inch: the point sizes of the screen
  image_.setDotsPerMeterY(3780);
  QPainter p(&image_);
  ParametresTable par;
  par.harmonique = Harmonique();
  par.corpsEnSurbrillance = corpsEnSurbrillance_;
  par.titre = titre_;
  par.palette = PaletteEcran(LesReglages());
  geometrie_ = DessinerTableauMiPOints(p, lignes_, par);
  p.end();
  if (37 * geometrie_.u > largeur || 45 * geometrie_.u > hauteur) {
    Dessiner();  // once more at the size now known
    return;
  }
  Image1->setPixmap(QPixmap::fromImage(image_));
  Image1->resize(largeur, hauteur);
}

void TFormInterpret::Copiertableau1Click() {
  if (!Image1->isVisible()) return;
  // The table's area, its sides rounded down to even lengths.
  const int u = geometrie_.u;
  const QSize taille((37 * u) / 2 * 2, (45 * u) / 2 * 2);
  QGuiApplication::clipboard()->setImage(image_.copy(QRect(QPoint(0, 0), taille * image_.devicePixelRatio())));
}

void TFormInterpret::Imprimer1Click() {
  const LieuDesChamps lieu{Octets(Calcul->EditVille->text()), Octets(Calcul->EditLat->text()),
                           Octets(Calcul->EditLong->text())};
  const EnteteTable entete = EnteteTableMiPoints(Etat(), static_cast<int>(Calcul->Technique()), ficheNatale_,
                                                 Calcul->Prevision().JourJulienNaissance, lieu,
                                                 ComboBoxHarmonic->currentIndex());
  ParametresTable par;
  par.harmonique = Harmonique();
  par.corpsEnSurbrillance = corpsEnSurbrillance_;
  const OptionsDessin options = options_ ? options_() : OptionsDessin();
  par.palette = PaletteImpression(LesReglages(), options);
  ImprimerDocument(DocumentTableMiPoints(entete.lignes, lignes_, par, LignesCachet(entete.cachet), !options.impressionCouleur),
                   "Tables previsionnelles.pdf");
}

void TFormInterpret::Fermer() {
  // Inside the main window the frame around the window closes it.
  FermerFenetre(this);
}

bool TFormInterpret::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == Image1 && evenement->type() == QEvent::MouseButtonDblClick) {
    Image1->hide();
    return true;
  }
  if (objet == ImageLivre && evenement->type() == QEvent::MouseButtonPress) {
    LaPlateforme().OuvrirAdresse(AdresseManuel);
    return true;
  }
  return QWidget::eventFilter(objet, evenement);
}

void TFormInterpret::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    Fermer();
    return;
  }
  QWidget::keyPressEvent(evenement);
}

void TFormInterpret::resizeEvent(QResizeEvent* evenement) {
  QWidget::resizeEvent(evenement);
  if (PanelSelection && droite_)
    PanelSelection->move(std::max(0, droite_->x() - PanelSelection->width()), droite_->y() + Calcul->y());
  if (!lignes_.empty() || modeSelection_) Dessiner();
}

void TFormInterpret::showEvent(QShowEvent* evenement) {
  QWidget::showEvent(evenement);
  // An open saved-charts list moves beside the window once it has its place on the screen.
  if (!montre_) Calcul->PlacerListe(false);
  montre_ = true;
}

void TFormInterpret::closeEvent(QCloseEvent* evenement) {
  // The birth record comes back as the current chart.
  try {
    emprunt_.Rendre();
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  evenement->accept();
}

}  // namespace selvane
