#include "frame/TMainForm.h"

#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <memory>
#include <optional>

#include "birthdata/Atlas.h"
#include "birthdata/CompletionAtlas.h"
#include "dessin/Document.h"
#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "widgets/Commandes.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"
#include "listing/DessinTheme.h"
#include "dessin/Traits.h"
#include "core/Ephemerides.h"
#include "birthdata/records/ErreurFichier.h"
#include "core/EtatTheme.h"
#include "frame/CommandesDossiers.h"
#include "frame/FenetresAnnexes.h"
#include "birthdata/records/FichierNaissance.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "reglages/Reglages.h"
#include "frame/TFormBackup.h"
#include "birthdata/TFormDomiscop.h"
#include "birthdata/TFormEnterData.h"
#include "frame/TFormCouleurs.h"
#include "frame/TFormOptions.h"
#include "VersionSelvane.h"

namespace selvane {

namespace {

// The core's warnings go to the platform's warning box.
class AvertisseurPlateforme : public Avertisseur {
 public:
  void Avertir(const std::string& texte) override { LaPlateforme().Avertissement(QString::fromStdString(texte)); }
};

}  // namespace

TMainForm::TMainForm(const QString& dossier, QWidget* parent)
    : QMainWindow(parent), dossier_(dossier.isEmpty() ? QCoreApplication::applicationDirPath() : dossier),
      zone_(new QMdiArea(this)), registre_(*this) {
  setWindowTitle(QStringLiteral("Selvane Ver " SELVANE_VERSION));  // the one version, from the build
  setCentralWidget(zone_);
  static AvertisseurPlateforme avertisseur;
  DefinirAvertisseur(&avertisseur);
  // The stamp of every page names the zone's source when the atlas knows the birth place.
  auto atlas = std::make_shared<CompletionAtlas>(std::filesystem::path(dossier_.toStdString()));
  DefinirSourceDuFuseau([atlas](const FicheClient& f) {
    const std::optional<SourceFuseau> s = atlas->Source(f);
    return s ? QString::fromStdString(TexteSourceFuseau(*s)) : QString();
  });
  connect(zone_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* fenetre) {
    if (!fenetre) return;
    if (auto* listing = qobject_cast<TFormAffSmpl*>(fenetre->widget())) listing->Activer();
  });
  CreerMenus();
  CreerPanneauPlanetes();
  FormCreate();
}

TMainForm::~TMainForm() {
  DefinirSourceDuFuseau({});
  FermerEphemerides();
}

void TMainForm::closeEvent(QCloseEvent* evenement) {
  zone_->closeAllSubWindows();
  QMainWindow::closeEvent(evenement);
}

void TMainForm::FormCreate() {
  // 1. The glyph fonts beside the program.
  for (const char* police : {"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf"})
    QFontDatabase::addApplicationFont(dossier_ + "/" + police);
  // 3. The ephemeris.
  OuvrirEphemerides();
  // 4. The size of the screen.
  if (const QScreen* ecran = QApplication::primaryScreen()) setGeometry(ecran->availableGeometry());
  // 6. Settings: the installed values first, so a faulty file only costs its own settings.
  AppliquerReglagesParDefaut();
  try {
    ChargerReglages(dossier_.toStdString());
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
  }
  FicheClient& f = Etat().FicheEnCours;
  f = FicheClient();
  // 7. The default city.
  try {
    const VilleDefaut v = LireVilleDefaut(dossier_.toStdString());
    f.Ville = v.ville;
    f.Lat = v.lat;
    f.Long = v.lon;
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    f.Ville = "Paris";
    f.Lat = "48.52";
    f.Long = "2.20";
  }
  // 8-9. The chart of the moment, in the computer's zone. The zone is written as
  // HH.MM.SS: a decimal text such as 5.5 would read back as 5 h 05.
  const std::time_t maintenant = std::time(nullptr);
  std::tm local{};
  localtime_r(&maintenant, &local);
  char date[40], heure[40];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
  std::snprintf(heure, sizeof heure, "%02dh%02dm%02d", local.tm_hour, local.tm_min, local.tm_sec);
  const int decalage = -DecalageHoraireSysteme();
  Etat().NomFichierNaissance = "Natal";
  f.Nom = ChaineCourte<36>::DepuisUtf8("Thème de l'heure");
  f.Date = date;
  f.Heure = heure;
  f.Fuseau = decalage == 0 ? std::string("0") : SecondesVersFuseau(decalage * 60.0);
  f.Commentaire = ChaineCourte<80>::DepuisUtf8("Thème dressé pour la ville par défaut et pour le fuseau paramétré dans Windows");
  // 10. No chart window yet.
  CalculerTheme(EcartGlyphes8);
  PeindreFond();
}

QAction* TMainForm::Action(const QString& identifiant) const { return registre_.Action(identifiant); }

void TMainForm::CreerMenus() {
  registre_.DeclarerMenus({"&Fichier", "Calculs divers", QString::fromUtf8("Préférences"), "Outils", QString::fromUtf8("Fenêtre"),
                           "Aide", "A propos"});
  EnregistrerCommandesFichier();
  EnregistrerCommandesPreferences();
  EnregistrerCommandesOutils();
  EnregistrerCommandesFenetres();
  // The folders' own: birth data, dial, forecasts, techniques, each in its place of the menus.
  EnregistrerCommandesDesDossiers(registre_, *this);
  registre_.CreerMenus(menuBar(), this);
  menuCalculs_ = registre_.Menu("Calculs divers");
  menuCalculs_->setEnabled(false);
  menuFenetre_ = registre_.Menu(QString::fromUtf8("Fenêtre"));
  connect(menuFenetre_, &QMenu::aboutToShow, this, [this] { RemplirMenuFenetre(); });
  menuFenetre_->setEnabled(false);
  RemplirMenuFenetre();
  QToolBar* barre = addToolBar("Outils");
  barre->setObjectName("BarreOutils");
  registre_.CreerBarre(barre);
}

void TMainForm::EnregistrerCommandesFichier() {
  const QString fichier = "&Fichier";
  const QString configuration = "&Fichier/Configuration des impressions";
  // "&Nouveau" and "&Ouvrir..." (places 10 and 20) are the birth data folder's.
  Commande recents{"Listedesthmessauvegards1", QString::fromUtf8("Thèmes récemment ouverts"), fichier};
  recents.touches = {{Qt::Key_O, QString::fromUtf8("Ouvre la liste des thèmes récemments ouverts")}};
  recents.action = [this] { OuvrirListeThemes(); };
  recents.rangMenu = 30;
  registre_.Enregistrer(recents);
  Commande couleurs{"FileStyleImpression", "Couleurs", configuration};
  couleurs.separateurAvant = true;
  couleurs.cochable = true;
  couleurs.coche = options_.impressionCouleur;
  couleurs.action = [this] { options_.impressionCouleur = Action("FileStyleImpression")->isChecked(); };
  couleurs.rangMenu = 40;
  registre_.Enregistrer(couleurs);
  Commande fonds{"Fondsdessignescolores", QString::fromUtf8("Fonds des signes colorés"), configuration};
  fonds.cochable = true;
  fonds.coche = options_.fondsSignesColores;
  fonds.action = [this] { DefinirFondsSignes(Action("Fondsdessignescolores")->isChecked()); };
  fonds.rangMenu = 50;
  registre_.Enregistrer(fonds);
  Commande imprimer{"FilePrintItem", "&Imprimer A4", fichier, false, {}, SansCondition, [this] { Imprimer(); }};
  imprimer.rangMenu = 60;
  registre_.Enregistrer(imprimer);
  Commande a5{"ImprimerA5", "Imprimer A5", fichier};
  a5.visible = false;
  a5.actif = false;
  a5.rangMenu = 70;
  registre_.Enregistrer(a5);
  Commande enregistrer{"Enregistrerthmeencours1", QString::fromUtf8("Enregistrer thème en cours"), fichier, true};
  enregistrer.conditions = MaisonsRequises | EnfantRequis;
  enregistrer.rangMenu = 80;
  enregistrer.action = [this] {
    if (radix_) RestaurerRadix(*radix_);
    CalculerTheme(EcartGlyphes8);
    Etat().NomFichierNaissance = "Natal";
    TFormEnterData saisie(dossier_, TFormEnterData::Modification, [this] { OuvrirListing(); }, this);
    saisie.exec();
  };
  registre_.Enregistrer(enregistrer);
  Commande quitter{"FileExitItem", "&Quitter", fichier, true, {}, SansCondition, [] { QApplication::quit(); }};
  quitter.rangMenu = 90;
  registre_.Enregistrer(quitter);
}

void TMainForm::EnregistrerCommandesPreferences() {
  const QString menu = QString::fromUtf8("Préférences");
  registre_.Enregistrer({"Slectiondeplantes1", QString::fromUtf8("Sélection de planètes"), menu, false, {}, SansCondition,
                         [this] { SelectionPlanetes(); }});
  registre_.Enregistrer({"AspectsDomificationOrientation", "Aspects - Domification - Orientation", menu, false,
                         {{Qt::Key_P, ""}}, SansCondition, [this] {
                           TFormOptions options(dossier_, this);
                           // The open charts follow the new options at once.
                           if (options.exec() == QDialog::Accepted)
                             for (QMdiSubWindow* f : zone_->subWindowList())
                               if (auto* listing = qobject_cast<TFormAffSmpl*>(f->widget())) listing->AppliquerOptions();
                         }});
  registre_.Enregistrer({"Couleurs1", "Couleurs + taille glyphes", menu, false, {}, SansCondition, [this] {
                           TFormCouleurs dialogue(dossier_, this);
                           dialogue.exec();
                           RedessinerListings();
                         }});
}

void TMainForm::EnregistrerCommandesOutils() {
  const QString menu = "Outils";
  // The quick ephemeris (place 10) and the lunations (40) are the techniques'.
  Commande gestion{"GestionFichiers", "Gestion des fichiers", menu, false, {}, SansCondition,
                   [this] { LaPlateforme().LancerProgramme(dossier_ + "/GestSelvane"); }};
  gestion.rangMenu = 20;
  registre_.Enregistrer(gestion);
  Commande planisphere{"Planisphre1", QString::fromUtf8("Planisphère"), menu};
  planisphere.action = [this] { (new TFormDomiscop(dossier_))->show(); };
  planisphere.bulle = QString::fromUtf8("Planisphère");
  planisphere.rangBarre = 10;
  planisphere.rangMenu = 30;
  registre_.Enregistrer(planisphere);
  Commande sauvegarde{"Thesaurus", "Backup (sauvegarde)", menu, false, {}, SansCondition, [this] {
                        auto* fenetre = new TFormBackup(dossier_, this);
                        fenetre->setAttribute(Qt::WA_DeleteOnClose);
                        fenetre->show();
                      }};
  sauvegarde.rangMenu = 50;
  registre_.Enregistrer(sauvegarde);
}

void TMainForm::EnregistrerCommandesFenetres() {
  const QString fenetre = QString::fromUtf8("Fenêtre");
  registre_.Enregistrer({"Cascade1", QString::fromUtf8("Mosaïque"), fenetre, false, {}, SansCondition,
                         [this] { zone_->tileSubWindows(); }});
  registre_.Enregistrer({"Cascade2", "Cascade", fenetre, false, {}, SansCondition, [this] { zone_->cascadeSubWindows(); }});
  registre_.Enregistrer({"Fermertout1", QString::fromUtf8("Fermer fenêtres"), fenetre, true, {}, SansCondition,
                         [this] { FermerFenetres(); }});
  registre_.Enregistrer({"Aide1", "Aide", "Aide", false, {}, SansCondition, [] { LaPlateforme().OuvrirAide("index.htm"); }});
  registre_.Enregistrer({"Raccourcis1", "Raccourcis", "A propos", false, {}, SansCondition, [this] {
                           auto* fenetre = new TFormRaccourcis(TFormRaccourcis::TexteRaccourcis(registre_));
                           fenetre->setGeometry(geometry());
                           fenetre->show();
                         }});
  registre_.Enregistrer({"Selvane1", "A propos...", "A propos", false, {}, SansCondition, [] {
                           LaPlateforme().Information(QString("Selvane\nVersion %1\n\nAstrologie uranienne").arg(SELVANE_VERSION));
                         }});
}

void TMainForm::RemplirMenuFenetre() {
  menuFenetre_->clear();
  for (QAction* a : registre_.ActionsDuMenu(QString::fromUtf8("Fenêtre"))) {
    if (a) menuFenetre_->addAction(a);
    else menuFenetre_->addSeparator();
  }
  // The list of the open child windows.
  const auto fenetres = zone_->subWindowList();
  if (!fenetres.isEmpty()) menuFenetre_->addSeparator();
  int i = 1;
  for (QMdiSubWindow* f : fenetres) {
    QAction* a = menuFenetre_->addAction(QString("&%1 %2").arg(i++).arg(f->windowTitle()), this,
                                         [this, f] { zone_->setActiveSubWindow(f); });
    a->setCheckable(true);
    a->setChecked(f == zone_->activeSubWindow());
  }
}

void TMainForm::CreerPanneauPlanetes() {
  PanelSelectionPlanetes = new QFrame(zone_);
  PanelSelectionPlanetes->setObjectName("PanelSelectionPlanetes");
  PanelSelectionPlanetes->setFrameShape(QFrame::Panel);
  PanelSelectionPlanetes->setAutoFillBackground(true);
  auto* disposition = new QHBoxLayout(PanelSelectionPlanetes);
  CheckListBoxPl = new QListWidget(PanelSelectionPlanetes);
  CheckListBoxPl->setFont(QFont("Celvan S", 14));
  for (int n = 1; n <= 20; ++n) {
    auto* element = new QListWidgetItem(Glyphe(LettresCorps[n]));
    element->setFlags(element->flags() | Qt::ItemIsUserCheckable);
    element->setCheckState(Qt::Unchecked);
    CheckListBoxPl->addItem(element);
  }
  disposition->addWidget(CheckListBoxPl);
  auto* droite = new QVBoxLayout;
  auto* titre = new QLabel(QString::fromUtf8("           Jeu de planètes        "), PanelSelectionPlanetes);
  RadioGroupJeuPL = new QButtonGroup(PanelSelectionPlanetes);
  auto* dix = new QRadioButton(QString::fromUtf8("10 planètes"), PanelSelectionPlanetes);
  auto* tout = new QRadioButton("Tout", PanelSelectionPlanetes);
  RadioGroupJeuPL->addButton(dix, 0);
  RadioGroupJeuPL->addButton(tout, 1);
  connect(RadioGroupJeuPL, &QButtonGroup::idClicked, this, [this](int id) { ChoisirJeu(id); });
  auto* ok = new QPushButton("OK", PanelSelectionPlanetes);
  ok->setObjectName("BitBtn2");
  connect(ok, &QPushButton::clicked, this, [this] { ValiderSelectionPlanetes(); });
  droite->addWidget(titre);
  droite->addWidget(dix);
  droite->addWidget(tout);
  droite->addStretch();
  droite->addWidget(ok);
  disposition->addLayout(droite);
  PanelSelectionPlanetes->resize(360, 460);
  PanelSelectionPlanetes->hide();
}

void TMainForm::resizeEvent(QResizeEvent* evenement) {
  QMainWindow::resizeEvent(evenement);
  if (PanelSelectionPlanetes)
    PanelSelectionPlanetes->move((zone_->width() - PanelSelectionPlanetes->width()) / 2, 20);
  PeindreFond();
}

void TMainForm::PeindreFond() {
  // 256 bands from red at the top to blue at the bottom.
  const int hauteur = std::max(256, zone_->height());
  QImage fond(8, hauteur, QImage::Format_RGB32);
  const int bande = (hauteur + 255) / 256;
  for (int y = 0; y < hauteur; ++y) {
    const int i = std::min(255, y / bande);
    for (int x = 0; x < 8; ++x) fond.setPixelColor(x, y, QColor(255 - i, 0, i));
  }
  zone_->setBackground(QBrush(fond));
}

bool TMainForm::AuMoinsUnEnfant() const { return !zone_->subWindowList().isEmpty(); }

bool TMainForm::AvecMaisons() const { return Etat().SystemeMaisons != 0; }

bool TMainForm::TesterNbreFenetres() {
  if (zone_->subWindowList().size() <= 10) return true;
  LaPlateforme().Information(QString::fromUtf8(
      "Il y a trop de fenêtres ouvertes en même temps... Fermez quelques fenêtres pour pouvoir poursuivre"));
  return false;
}

void TMainForm::OuvrirEnfant(QWidget* fenetre, bool agrandie, bool focus) {
  QMdiSubWindow* cadre = zone_->addSubWindow(fenetre);
  cadre->setAttribute(Qt::WA_DeleteOnClose);
  if (agrandie) cadre->showMaximized();
  else cadre->show();
  zone_->setActiveSubWindow(cadre);
  if (focus) fenetre->setFocus();
}

QList<QWidget*> TMainForm::Enfants() const {
  QList<QWidget*> enfants;
  for (QMdiSubWindow* f : zone_->subWindowList())
    if (f->widget()) enfants << f->widget();
  return enfants;
}

bool TMainForm::LancerCommande(const QString& identifiant) {
  QAction* action = Action(identifiant);
  if (!action || !action->isEnabled()) return false;
  action->trigger();
  return true;
}

void TMainForm::Radix() {
  if (radix_) RestaurerRadix(*radix_);
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
}

bool TMainForm::ExecuterTouche(int touche) { return registre_.ExecuterTouche(touche); }

void TMainForm::CopierRadix(const LignesRadix& lignes) { radix_ = lignes; }

void TMainForm::ActiverMenusTheme() {
  Action("FilePrintItem")->setEnabled(true);
  menuFenetre_->setEnabled(true);
  menuCalculs_->setEnabled(true);
}

void TMainForm::DefinirFondsSignes(bool actif) {
  options_.fondsSignesColores = actif;
  Action("Fondsdessignescolores")->setChecked(actif);
  RedessinerListings();
}

void TMainForm::RedessinerListings() {
  for (QMdiSubWindow* f : zone_->subWindowList())
    if (auto* listing = qobject_cast<TFormAffSmpl*>(f->widget())) listing->Redessiner();
}

void TMainForm::OuvrirListeThemes() {
  if (TFormChartList::Ouverte()) return;
  listeThemes_ = new TFormChartList(dossier_, this);
  connect(listeThemes_, &TFormChartList::ThemeChoisi, this,
          [this](const QString& c) { SousGarde([&] { RouvrirTheme(c); }); });
  listeThemes_->show();
}

void TMainForm::PlacerListeThemes(const QPoint& coin, bool ouvrir) {
  if (!TFormChartList::Ouverte() && ouvrir) OuvrirListeThemes();
  if (!TFormChartList::Ouverte() || !listeThemes_) return;
  QRect cadre = listeThemes_->frameGeometry();
  cadre.moveBottomRight(coin);
  listeThemes_->move(cadre.topLeft());
}

void TMainForm::RelireListeThemes() {
  if (listeThemes_) listeThemes_->Relire();
}

void TMainForm::OuvrirListing() {
  auto* listing = new TFormAffSmpl(this, dossier_, nullptr);
  QMdiSubWindow* fenetre = zone_->addSubWindow(listing);
  fenetre->setAttribute(Qt::WA_DeleteOnClose);
  fenetre->showMaximized();
  zone_->setActiveSubWindow(fenetre);
  listing->Activer();
  listing->setFocus();
  dernierListing_ = listing;
}

void TMainForm::RouvrirTheme(const QString& chemin) {
  const FicheClient lue = LireFichierTheme(chemin.toStdString());
  Etat().NomFichierNaissance = "Natal";
  Etat().FicheEnCours = lue;
  CalculerTheme(Etat().SystemeMaisons != 0 ? EcartGlyphes8 : EcartGlyphes9);
  OuvrirListing();
}

void TMainForm::SelectionPlanetes() {
  QFile fichier(dossier_ + "/" + fichiers::JeuPlanetes);
  if (fichier.open(QIODevice::ReadOnly)) {
    QTextStream flux(&fichier);
    while (!flux.atEnd()) {
      bool ok = false;
      const int n = flux.readLine().trimmed().toInt(&ok);
      if (ok && n >= 1 && n <= 20) CheckListBoxPl->item(n - 1)->setCheckState(Qt::Checked);
    }
  }
  RadioGroupJeuPL->setExclusive(false);
  for (QAbstractButton* b : RadioGroupJeuPL->buttons()) b->setChecked(false);
  RadioGroupJeuPL->setExclusive(true);
  PanelSelectionPlanetes->move((zone_->width() - PanelSelectionPlanetes->width()) / 2, 20);
  PanelSelectionPlanetes->show();
  PanelSelectionPlanetes->raise();
}

void TMainForm::ChoisirJeu(int bouton) {
  for (int i = 0; i < 20; ++i)
    CheckListBoxPl->item(i)->setCheckState(bouton == 1 || i < 10 ? Qt::Checked : Qt::Unchecked);
}

void TMainForm::ValiderSelectionPlanetes() {
  std::vector<std::string> lignes;
  std::bitset<256> jeu;
  for (int i = 0; i < 20; ++i) {
    if (CheckListBoxPl->item(i)->checkState() != Qt::Checked) continue;
    lignes.push_back(std::to_string(i + 1));
    jeu.set(static_cast<std::size_t>(i + 1));
  }
  try {
    EcrireLignes((dossier_ + "/" + fichiers::JeuPlanetes).toStdString(), lignes);
    ChargerReglages(dossier_.toStdString());
  } catch (const std::exception& erreur) {
    LaPlateforme().Erreur(QString::fromUtf8(erreur.what()));
    return;
  }
  DefinirJeuPlanetes(jeu);
  if (dernierListing_) {
    if (QWidget* cadre = dernierListing_->parentWidget()) cadre->close();
  }
  PanelSelectionPlanetes->hide();
  CalculerTheme(EcartGlyphes8);
  OuvrirListing();
}

void TMainForm::Imprimer() {
  Radix();
  if (Etat().NomFichierNaissance.Chaine() != "TProf") CalculerTheme(EcartGlyphes8);
  ImprimerDocument(DocumentFeuille(Etat(), LesReglages(), options_), "Theme.pdf");
}

void TMainForm::FermerFenetres() {
  if (!AuMoinsUnEnfant()) return;
  zone_->closeAllSubWindows();
  Action("FilePrintItem")->setEnabled(false);
  Action("ImprimerA5")->setEnabled(false);
  menuFenetre_->setEnabled(false);
  menuCalculs_->setEnabled(false);
}

}  // namespace selvane
