#include "forecast/TFormInterpret2.h"
#include "widgets/Fenetres.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <tuple>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

QString Nom(int corps) { return Texte(NomsLongs[corps]); }

// The points of the display order from position `debut` to `fin` (inclusive), named.
void RemplirPoints(QComboBox* liste, int debut, int fin, bool videEnTete = false) {
  if (videEnTete) liste->addItem(QString(), 0);
  for (int j = debut; j <= fin; ++j) liste->addItem(Nom(OrdreUranien[j]), OrdreUranien[j]);
}

QPushButton* Bouton(const char* texte, const char* nom, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(texte), parent);
  b->setObjectName(nom);
  return b;
}

QFrame* Cadre(const char* nom, QWidget* parent) {
  auto* cadre = new QFrame(parent);
  cadre->setObjectName(nom);
  cadre->setFrameShape(QFrame::StyledPanel);
  return cadre;
}

// A titled group of radio buttons, ids 0.., the first checked; the layout for more below them.
QVBoxLayout* GroupeRadio(QGroupBox* groupe, QButtonGroup* boutons, std::initializer_list<const char*> items) {
  auto* l = new QVBoxLayout(groupe);
  int i = 0;
  for (const char* item : items) {
    auto* r = new QRadioButton(QString::fromUtf8(item), groupe);
    boutons->addButton(r, i++);
    l->addWidget(r);
  }
  boutons->button(0)->setChecked(true);
  return l;
}

}  // namespace

TFormInterpret2::TFormInterpret2(const QString& dossier, ListeThemesSauves liste, QWidget* parent)
    : QWidget(parent), dossier_(dossier) {
  setObjectName("TFormInterpret2");
  setAttribute(Qt::WA_DeleteOnClose);
  auto* racine = new QVBoxLayout(this);
  racine->setContentsMargins(0, 0, 0, 0);
  auto* menu = new QMenuBar(this);
  QAction* fermer = menu->addAction("Fermer");
  connect(fermer, &QAction::triggered, this, [this] { FermerFenetre(this); });
  racine->setMenuBar(menu);
  auto* corps = new QHBoxLayout;
  racine->addLayout(corps);

  RichEdit1 = new QPlainTextEdit(this);
  RichEdit1->setObjectName("RichEdit1");
  RichEdit1->setReadOnly(true);
  RichEdit1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RichEdit1->setFont(QFont("Arial", 10));
  RichEdit1->installEventFilter(this);
  corps->addWidget(RichEdit1, 1);

  // The four panels sit between the text and the right-hand panel, shown one at a time.
  auto* panneaux = new QVBoxLayout;
  corps->addLayout(panneaux);

  PanelPoints = Cadre("PanelPoints", this);
  {
    auto* l = new QVBoxLayout(PanelPoints);
    CheckListBoxPoints = new QListWidget(PanelPoints);
    CheckListBoxPoints->setObjectName("CheckListBoxPoints");
    for (int j = 0; j < 22; ++j) {
      auto* item = new QListWidgetItem(Nom(OrdreUranien[j]), CheckListBoxPoints);
      item->setData(Qt::UserRole, OrdreUranien[j]);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(Qt::Unchecked);
    }
    // All 22 points in view, without scrolling.
    CheckListBoxPoints->setMinimumHeight(CheckListBoxPoints->sizeHintForRow(0) * 22 + 2 * CheckListBoxPoints->frameWidth());
    l->addWidget(CheckListBoxPoints);
    BtnToutSelectionner = Bouton("Tout sélectionner", "BtnToutSelectionner", PanelPoints);
    BtnPointsOk = Bouton("OK", "BtnPointsOk", PanelPoints);
    BtnPointsAnnuler = Bouton("Annuler", "BtnPointsAnnuler", PanelPoints);
    l->addWidget(BtnToutSelectionner);
    auto* b = new QHBoxLayout;
    b->addWidget(BtnPointsOk);
    b->addWidget(BtnPointsAnnuler);
    l->addLayout(b);
    connect(BtnToutSelectionner, &QPushButton::clicked, this, [this] { BtnToutSelectionnerClick(); });
    connect(BtnPointsOk, &QPushButton::clicked, this, [this] { BtnPointsOkClick(); });
    connect(BtnPointsAnnuler, &QPushButton::clicked, this, [this] { FermerPanneauPoints(); });
  }
  panneaux->addWidget(PanelPoints);

  PanelVers = CreerPanneauMiPoints("Allant vers mi-points");
  PanelVers.panneau->setObjectName("PanelVers");
  connect(PanelVers.ok, &QPushButton::clicked, this, [this] {
    std::tie(ciblesA_, ciblesB_) = CiblesDesMiPoints(PanelVers.paires);
    PanelVers.panneau->hide();
    BtnInterpretation->show();
  });
  connect(PanelVers.effacer, &QPushButton::clicked, this, [this] {
    ciblesA_.reset();
    ciblesB_.reset();
  });
  panneaux->addWidget(PanelVers.panneau);

  PanelSource = CreerPanneauMiPoints("Venant de mi-points :");
  PanelSource.panneau->setObjectName("PanelSource");
  connect(PanelSource.ok, &QPushButton::clicked, this, [this] {
    PanelSource.panneau->hide();
    GroupeFrom->setEnabled(true);
    modeDe_ = DeMiPointsChoisis;
  });
  connect(PanelSource.annuler, &QPushButton::clicked, this, [this] { GroupeFrom->setEnabled(true); });
  panneaux->addWidget(PanelSource.panneau);

  PanelRecherche = Cadre("PanelRecherche", this);
  {
    auto* l = new QVBoxLayout(PanelRecherche);
    ComboPremier = new QComboBox(PanelRecherche);
    ComboPremier->setObjectName("ComboPremier");
    ComboSecond = new QComboBox(PanelRecherche);
    ComboSecond->setObjectName("ComboSecond");
    ComboTroisieme = new QComboBox(PanelRecherche);
    ComboTroisieme->setObjectName("ComboTroisieme");
    RemplirPoints(ComboPremier, 0, 21);
    RemplirPoints(ComboSecond, 0, 21);
    RemplirPoints(ComboTroisieme, 0, 21, true);
    l->addWidget(ComboPremier);
    l->addWidget(ComboSecond);
    l->addWidget(ComboTroisieme);
    BtnRecherche = Bouton("Rechercher", "BtnRecherche", PanelRecherche);
    BtnClr9 = Bouton("Fermer", "BtnClr9", PanelRecherche);
    l->addWidget(BtnRecherche);
    l->addWidget(BtnClr9);
    connect(BtnRecherche, &QPushButton::clicked, this, [this] { BtnRechercheClick(); });
    connect(BtnClr9, &QPushButton::clicked, this, [this] { BtnClr9Click(); });
  }
  panneaux->addWidget(PanelRecherche);
  panneaux->addStretch(1);

  // The right-hand panel scrolls: on a 768-pixel screen its last buttons would be off the window.
  auto* defilement = new QScrollArea(this);
  defilement->setObjectName("DefilementDroit");
  defilement->setWidgetResizable(true);
  defilement->setFrameShape(QFrame::NoFrame);
  defilement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  auto* contenu = new QWidget(defilement);
  auto* droite = new QVBoxLayout(contenu);
  droite->setContentsMargins(0, 0, 0, 0);
  Panneau = new PanneauCalcul(dossier_, std::move(liste), this);
  Panneau->DefinirCoinListe([this] { return mapToGlobal(QPoint(Panneau->mapTo(this, QPoint(0, 0)).x(), height())); });
  droite->addWidget(Panneau);
  connect(Panneau, &PanneauCalcul::TechniqueChoisie, this, [this](int i) { RadioGroupTypeClick(i); });
  connect(Panneau, &PanneauCalcul::CalculDemande, this, [this] { BtnCalculRSRLEtcClick(); });

  GroupeFrom = new QGroupBox("     DE :    ", this);
  GroupeFrom->setObjectName("RadioGroupFrom");
  RadioGroupFrom = new QButtonGroup(this);
  GroupeRadio(GroupeFrom, RadioGroupFrom, {"Sol/Lun", "Pts personnels", "Pts choisis", "MP choisis", ""});
  connect(RadioGroupFrom, &QButtonGroup::idClicked, this, [this](int i) { RadioGroupFromClick(i); });
  droite->addWidget(GroupeFrom);

  auto* groupeVers = new QGroupBox("    VERS :    ", this);
  groupeVers->setObjectName("RadioGroupVers");
  RadioGroupVers = new QButtonGroup(this);
  BtnChoisirMP = Bouton("Sélection", "BtnChoisirMP", groupeVers);
  GroupeRadio(groupeVers, RadioGroupVers, {"Tous MP", "MP choisis"})->addWidget(BtnChoisirMP);
  connect(RadioGroupVers, &QButtonGroup::idClicked, this, [this](int i) { RadioGroupVersClick(i); });
  connect(BtnChoisirMP, &QPushButton::clicked, this, [this] { BtnChoisirMPClick(); });
  droite->addWidget(groupeVers);

  droite->addWidget(new QLabel("Orbe", this));
  ComboBoxOrbe = new QComboBox(this);
  ComboBoxOrbe->setObjectName("ComboBoxOrbe");
  for (const char* t : TextesOrbes) ComboBoxOrbe->addItem(Texte(t));
  ComboBoxOrbe->setCurrentIndex(OrbeParDefaut);
  droite->addWidget(ComboBoxOrbe);
  CheckBoxIndirects = new QCheckBox("Inclure MP indirects", this);
  CheckBoxIndirects->setObjectName("CheckBoxIndirects");
  droite->addWidget(CheckBoxIndirects);
  BtnInterpretation = Bouton("Interprétation", "BtnInterpretation", this);
  connect(BtnInterpretation, &QPushButton::clicked, this, [this] { BtnInterpretationClick(); });
  droite->addWidget(BtnInterpretation);
  SpeedButton1 = Bouton("Signification d'un mi-point particulier", "SpeedButton1", this);
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  droite->addWidget(SpeedButton1);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  droite->addWidget(ProgressBar1);
  droite->addStretch(1);
  defilement->setWidget(contenu);
  defilement->setMinimumWidth(contenu->sizeHint().width() + defilement->verticalScrollBar()->sizeHint().width());
  corps->addWidget(defilement);

  FormCreate();
}

TFormInterpret2::PanneauMiPoints TFormInterpret2::CreerPanneauMiPoints(const char* titre) {
  PanneauMiPoints p;
  p.panneau = Cadre("", this);
  auto* l = new QVBoxLayout(p.panneau);
  l->addWidget(new QLabel(QString::fromUtf8(titre), p.panneau));
  p.premier = new QComboBox(p.panneau);
  p.second = new QComboBox(p.panneau);
  RemplirPoints(p.premier, 0, 20);  // Aries point .. Vulcanus
  RemplirPoints(p.second, 1, 21);   // MC .. Poseidon
  auto* choix = new QHBoxLayout;
  choix->addWidget(p.premier);
  choix->addWidget(new QLabel("/", p.panneau));
  choix->addWidget(p.second);
  l->addLayout(choix);
  p.ajouter = new QPushButton("Ajouter", p.panneau);
  l->addWidget(p.ajouter);
  p.liste = new QListWidget(p.panneau);
  p.liste->setFont(QFont("Celvan S", 14));
  l->addWidget(p.liste);
  p.effacer = new QPushButton("Effacer", p.panneau);
  p.ok = new QPushButton("Ok", p.panneau);
  p.annuler = new QPushButton("Annuler", p.panneau);
  l->addWidget(p.effacer);
  auto* b = new QHBoxLayout;
  b->addWidget(p.ok);
  b->addWidget(p.annuler);
  l->addLayout(b);
  p.panneau->hide();
  // The two structs live in the window: find which one by its frame.
  QFrame* cadre = p.panneau;
  auto lePanneau = [this, cadre]() -> PanneauMiPoints& { return PanelVers.panneau == cadre ? PanelVers : PanelSource; };
  connect(p.ajouter, &QPushButton::clicked, this, [this, lePanneau] { AjouterMiPoint(lePanneau()); });
  connect(p.effacer, &QPushButton::clicked, this, [this, lePanneau] { EffacerMiPoints(lePanneau()); });
  connect(p.annuler, &QPushButton::clicked, cadre, &QWidget::hide);
  return p;
}

void TFormInterpret2::AjouterMiPoint(PanneauMiPoints& p) {
  if (p.paires.size() >= 5) return;
  const int a = p.premier->currentData().toInt();
  const int b = p.second->currentData().toInt();
  p.paires.emplace_back(a, b);
  p.liste->addItem(Texte(std::string(1, LettresCorps[a]) + "/" + LettresCorps[b]));
}

void TFormInterpret2::EffacerMiPoints(PanneauMiPoints& p) {
  p.paires.clear();
  p.liste->clear();
}

void TFormInterpret2::FormCreate() {
  EtatTheme& e = Etat();
  ligneDateNatale_ = e.LigneDateHeure.Chaine();
  coordonneesNatales_ = e.LigneCoordonnees.Chaine();
  villeNatale_ = e.FicheEnCours.Ville.Chaine();
  CalculerTheme(EcartGlyphes65);
  for (int b = 1; b <= PointBelier; ++b) e.Positions[b][1] = e.Positions[b][6];
  Panneau->Ouvrir();
  Panneau->BtnCalculRSRLEtc->hide();
  setWindowTitle(Texte(e.NomAffiche.Chaine() + "  -  ") + "Astrologie Uranienne");
  modeDe_ = DeSolLun;
  ciblesA_ = ciblesB_ = TousLesPoints();
  PanelPoints->hide();
  PanelRecherche->hide();
  if (QScreen* ecran = screen()) resize(ecran->availableGeometry().width(), ecran->availableGeometry().height());
  Panneau->PlacerListe(false);
}

void TFormInterpret2::RadioGroupTypeClick(int index) {
  static const char* const suites[] = {" - Natal", " - RS", " - RL", " - Arc solaire", " - Transits"};
  setWindowTitle(Texte(Etat().NomAffiche.Chaine() + suites[std::clamp(index, 0, 4)]));
  RichEdit1->clear();
  BtnInterpretation->setVisible(index == TechNatal);
  if (index == TechArcSolaire || index == TechTransits) {
    modeDe_ = DeSolLun;
    RadioGroupFrom->button(DeSolLun)->setChecked(true);
  }
  Panneau->BtnCalculRSRLEtc->setVisible(index != TechNatal);
}

void TFormInterpret2::BtnCalculRSRLEtcClick() {
  if (Panneau->BtnCalculRSRLEtcClick()) BtnInterpretation->show();
}

void TFormInterpret2::RadioGroupFromClick(int index) {
  if (index == DePointsChoisis || index == DeMiPointsChoisis) GroupeFrom->setEnabled(false);
  modeDe_ = index;
  const int t = static_cast<int>(Panneau->Technique());
  if (index == DeMiPointsChoisis && (t == TechArcSolaire || t == TechTransits)) {
    LaPlateforme().Information(QString::fromUtf8("Ce calcul n'est exécuté que pour le Natal, la RS ou la RL"));
    GroupeFrom->setEnabled(true);
    return;
  }
  if (index == DePointsPersonnels) pointsMobiles_ = PointsPersonnels();
  else if (index == DePointsChoisis) PanelPoints->show();
  else if (index == DeMiPointsChoisis) PanelSource.panneau->show();
}

void TFormInterpret2::BtnToutSelectionnerClick() {
  const bool tout = BtnToutSelectionner->text() == QString::fromUtf8("Tout sélectionner");
  for (int i = 0; i < CheckListBoxPoints->count(); ++i)
    CheckListBoxPoints->item(i)->setCheckState(tout ? Qt::Checked : Qt::Unchecked);
  BtnToutSelectionner->setText(QString::fromUtf8(tout ? "Désélectionner" : "Tout sélectionner"));
}

void TFormInterpret2::BtnPointsOkClick() {
  modeDe_ = DePointsChoisis;
  pointsMobiles_.reset();
  for (int i = 0; i < CheckListBoxPoints->count(); ++i)
    if (CheckListBoxPoints->item(i)->checkState() == Qt::Checked)
      pointsMobiles_.set(CheckListBoxPoints->item(i)->data(Qt::UserRole).toInt());
  if (pointsMobiles_.none()) {
    LaPlateforme().Avertissement(QString::fromUtf8("Vous devez sélectionner au moins un point à diriger/transiter "));
    return;
  }
  FermerPanneauPoints();
}

void TFormInterpret2::FermerPanneauPoints() {
  PanelPoints->hide();
  GroupeFrom->setEnabled(true);
}

void TFormInterpret2::RadioGroupVersClick(int index) {
  if (index == 0) {
    ciblesA_ = ciblesB_ = TousLesPoints();
    PanelVers.panneau->hide();
  } else {
    std::tie(ciblesA_, ciblesB_) = CiblesDesMiPoints(PanelVers.paires);
  }
}

void TFormInterpret2::BtnChoisirMPClick() {
  if (RadioGroupVers->checkedId() != 1) return;
  std::tie(ciblesA_, ciblesB_) = CiblesDesMiPoints(PanelVers.paires);
  PanelVers.panneau->show();
}

OuvrirInterpretation TFormInterpret2::OuvrirTextes() const {
  const std::filesystem::path chemin = std::filesystem::path(dossier_.toStdString()) / NomFichierInterpretation;
  return [chemin] { return IndexInterpretation::Ouvrir(chemin); };
}

void TFormInterpret2::Afficher(const std::vector<std::string>& lignes) {
  QString texte;
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    if (i) texte += '\n';
    texte += Texte(lignes[i]);
  }
  RichEdit1->setPlainText(texte);
}

void TFormInterpret2::BtnInterpretationClick() {
  const EtatTheme& e = Etat();
  DemandeInterpretation d;
  d.technique = static_cast<int>(Panneau->Technique());
  d.modeDe = modeDe_;
  if (modeDe_ == DePointsPersonnels) pointsMobiles_ = PointsPersonnels();
  d.pointsChoisis = pointsMobiles_;
  d.tousMiPoints = RadioGroupVers->checkedId() == 0;
  d.ciblesA = ciblesA_;
  d.ciblesB = ciblesB_;
  d.miPointsSource = PanelSource.paires;
  d.indexOrbe = ComboBoxOrbe->currentIndex();
  d.indirects = CheckBoxIndirects->isChecked();
  const int colonne = d.technique == TechRS || d.technique == TechRL ? 2 : 6;
  for (int c = 1; c <= PointBelier; ++c) {
    d.cible[c] = e.Positions[c][colonne];
    d.dirige[c] = e.Positions[c][2];
  }
  d.nomAffiche = e.NomAffiche.Chaine();
  d.ligneDateNatale = ligneDateNatale_;
  d.villeNatale = villeNatale_;
  d.coordonneesNatales = coordonneesNatales_;
  d.ligneDateRetour = e.LigneDateHeure.Chaine();
  d.villeRetour = e.FicheEnCours.Ville.Chaine();
  d.coordonneesRetour = e.LigneCoordonnees.Chaine();
  d.champDate = Octets(Panneau->MaskEditDate->displayText());
  d.champHeure = Octets(Panneau->MaskEditHeure->displayText());
  d.ligneArc = Panneau->Prevision().LignesResultat[0];

  std::vector<std::string> lignes;
  ProgressBar1->show();
  IssueInterpretation issue;
  try {
    issue = EcrireInterpretation(d, OuvrirTextes(), lignes, [this](int v) { ProgressBar1->setValue(v); });
  } catch (const std::exception& erreur) {
    // The lines written before the file failed stay; the window stays usable.
    Afficher(lignes);
    ProgressBar1->setValue(0);
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return;
  }
  if (issue.texteEfface) Afficher(lignes);
  if (d.technique == TechTransits) pointsMobiles_.reset(PointBelier);
  if (issue.genre == GenreMessage::Information) LaPlateforme().Information(QString::fromUtf8(issue.message.c_str()));
  else if (issue.genre == GenreMessage::Avertissement)
    LaPlateforme().Avertissement(QString::fromUtf8(issue.message.c_str()));
}

void TFormInterpret2::SpeedButton1Click() { PanelRecherche->show(); }

void TFormInterpret2::BtnRechercheClick() {
  std::vector<std::string> lignes;
  IssueInterpretation issue;
  try {
    issue = EcrireSignification(ComboPremier->currentData().toInt(), ComboSecond->currentData().toInt(),
                                ComboTroisieme->currentData().toInt(), OuvrirTextes(), lignes);
  } catch (const std::exception& erreur) {
    RichEdit1->clear();
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return;
  }
  Afficher(lignes);
  if (issue.genre == GenreMessage::Avertissement) LaPlateforme().Avertissement(QString::fromUtf8(issue.message.c_str()));
}

void TFormInterpret2::BtnClr9Click() { PanelRecherche->hide(); }

QString TFormInterpret2::TexteAffiche() const { return RichEdit1->toPlainText(); }

void TFormInterpret2::RichEdit1KeyDown() {
  RichEdit1->selectAll();
  QApplication::clipboard()->setText(RichEdit1->toPlainText());
}

bool TFormInterpret2::eventFilter(QObject* objet, QEvent* evenement) {
  if (objet == RichEdit1 && evenement->type() == QEvent::KeyPress) {
    auto* touche = static_cast<QKeyEvent*>(evenement);
    if ((touche->modifiers() & Qt::ControlModifier) && touche->key() == Qt::Key_C) {
      RichEdit1KeyDown();
      return true;
    }
    if (touche->key() == Qt::Key_Escape) {
      keyPressEvent(touche);
      return true;
    }
  }
  return QWidget::eventFilter(objet, evenement);
}

void TFormInterpret2::keyPressEvent(QKeyEvent* evenement) {
  if (evenement->key() == Qt::Key_Escape) {
    FermerFenetre(this);
    return;
  }
  QWidget::keyPressEvent(evenement);
}

void TFormInterpret2::closeEvent(QCloseEvent* evenement) {
  // The natal record comes back as the current chart, whatever the techniques made current.
  try {
    emprunt_.Rendre();
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  QWidget::closeEvent(evenement);
}

}  // namespace selvane
