#include "TMainForm.h"

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
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>
#include <cmath>
#include <ctime>

#include "Atlas.h"
#include "Avertissements.h"
#include "Calcul.h"
#include "Catalogue.h"
#include "Conversions.h"
#include "Cp1252.h"
#include "DessinTheme.h"
#include "Ephemerides.h"
#include "ErreurFichier.h"
#include "EtatTheme.h"
#include "FenetresAnnexes.h"
#include "FichierNaissance.h"
#include "Plateforme.h"
#include "Reglages.h"
#include "TFormBackup.h"
#include "TFormDomiscop.h"
#include "TFormEnterData.h"
#include "TFormLoadData.h"
#include "TFormCouleurs.h"
#include "TFormOptions.h"

namespace selvane {

namespace {

const char* const kVersion = "0.1.0";

// The core's warnings go to the platform's warning box.
class AvertisseurPlateforme : public Avertisseur {
 public:
  void Avertir(const std::string& texte) override { LaPlateforme().Avertissement(QString::fromStdString(texte)); }
};

}  // namespace

TMainForm::TMainForm(const QString& dossier, QWidget* parent)
    : QMainWindow(parent), dossier_(dossier.isEmpty() ? QCoreApplication::applicationDirPath() : dossier),
      zone_(new QMdiArea(this)) {
  setWindowTitle("Selvane Ver 2.5");
  setCentralWidget(zone_);
  static AvertisseurPlateforme avertisseur;
  DefinirAvertisseur(&avertisseur);
  connect(zone_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* fenetre) {
    if (!fenetre) return;
    if (auto* listing = qobject_cast<TFormAffSmpl*>(fenetre->widget())) listing->Activer();
  });
  CreerMenus();
  CreerPanneauPlanetes();
  FormCreate();
}

TMainForm::~TMainForm() { FermerEphemerides(); }

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

QAction* TMainForm::Action(const QString& identifiant) const { return findChild<QAction*>(identifiant); }

void TMainForm::CreerMenus() {
  auto action = [this](QMenu* menu, const char* identifiant, const QString& titre, auto fonction) {
    QAction* a = menu->addAction(titre);
    a->setObjectName(identifiant);
    connect(a, &QAction::triggered, this, fonction);
    return a;
  };
  const QString u = QString::fromUtf8("");
  (void)u;

  QMenu* fichier = menuBar()->addMenu("&Fichier");
  QAction* nouveau = action(fichier, "FileNewItem", "&Nouveau", [this] { ExecuterTouche(Qt::Key_N); });
  QAction* ouvrir = action(fichier, "FileOpenItem", "&Ouvrir...", [this] { ExecuterTouche(Qt::Key_F2); });
  action(fichier, "Listedesthmessauvegards1", QString::fromUtf8("Thèmes récemment ouverts"), [this] { ExecuterTouche(Qt::Key_O); });
  fichier->addSeparator();
  QMenu* configuration = fichier->addMenu("Configuration des impressions");
  QAction* couleurs = action(configuration, "FileStyleImpression", "Couleurs", [this] {
    ImpressionCouleur = Action("FileStyleImpression")->isChecked();
  });
  couleurs->setCheckable(true);
  couleurs->setChecked(ImpressionCouleur);
  QAction* fonds = action(configuration, "Fondsdessignescolores", QString::fromUtf8("Fonds des signes colorés"), [this] {
    DefinirFondsSignes(Action("Fondsdessignescolores")->isChecked());
  });
  fonds->setCheckable(true);
  fonds->setChecked(FondsSignesColores);
  action(fichier, "FilePrintItem", "&Imprimer A4", [this] { Imprimer(); });
  QAction* a5 = action(fichier, "ImprimerA5", "Imprimer A5", [] {});
  a5->setVisible(false);
  a5->setEnabled(false);
  fichier->addSeparator();
  action(fichier, "Enregistrerthmeencours1", QString::fromUtf8("Enregistrer thème en cours"), [this] {
    if (Etat().SystemeMaisons == 0 || !AuMoinsUnEnfant()) return;
    if (radix_) RestaurerRadix(*radix_);
    CalculerTheme(EcartGlyphes8);
    Etat().NomFichierNaissance = "Natal";
    TFormEnterData saisie(dossier_, TFormEnterData::Modification, [this] { OuvrirListing(); }, this);
    saisie.exec();
  });
  fichier->addSeparator();
  action(fichier, "FileExitItem", "&Quitter", [] { QApplication::quit(); });

  menuCalculs_ = menuBar()->addMenu("Calculs divers");
  action(menuCalculs_, "Arbresdesmipoints", QString::fromUtf8("Arbres des mi-points"), [this] { ExecuterTouche(Qt::Key_A); });
  action(menuCalculs_, "Cosmogramme1", "Cosmogramme", [this] { ExecuterTouche(Qt::Key_C); });
  action(menuCalculs_, "SixHoroscopes1", "Les 6 Horoscopes", [this] { ExecuterTouche(Qt::Key_H); });
  action(menuCalculs_, "Directionssolairesliste1", "Directions solaires et transits (liste)", [this] { ExecuterTouche(Qt::Key_D); });
  action(menuCalculs_, "InterpretationsEtMP", QString::fromUtf8("Tables prévisionnelles"), [this] { ExecuterTouche(Qt::Key_T); });
  action(menuCalculs_, "Mandala", "Mandala uranien", [this] { ExecuterTouche(Qt::Key_M); });
  action(menuCalculs_, "SequencesPlanetaires", QString::fromUtf8("Séquences planétaires"), [this] { ExecuterTouche(Qt::Key_S); });
  action(menuCalculs_, "Interprtations1", QString::fromUtf8("Interprétations"), [this] { ExecuterTouche(Qt::Key_I); })->setVisible(false);
  menuCalculs_->setEnabled(false);

  QMenu* preferences = menuBar()->addMenu(QString::fromUtf8("Préférences"));
  action(preferences, "Slectiondeplantes1", QString::fromUtf8("Sélection de planètes"), [this] { SelectionPlanetes(); });
  action(preferences, "AspectsDomificationOrientation", "Aspects - Domification - Orientation", [this] { ExecuterTouche(Qt::Key_P); });
  action(preferences, "Couleurs1", "Couleurs + taille glyphes", [this] {
    TFormCouleurs dialogue(dossier_, this);
    dialogue.exec();
    RedessinerListings();
  });

  QMenu* outils = menuBar()->addMenu("Outils");
  action(outils, "QuickEphemrides1", QString::fromUtf8("Quick Ephémérides"), [this] { ExecuterTouche(Qt::Key_E); });
  action(outils, "GestionFichiers", "Gestion des fichiers", [this] {
    LaPlateforme().LancerProgramme(dossier_ + "/GestSelvane");
  });
  QAction* planisphere = action(outils, "Planisphre1", QString::fromUtf8("Planisphère"), [this] {
    (new TFormDomiscop(dossier_))->show();
  });
  outils->addSeparator();
  action(outils, "LunaisonsEclipses", QString::fromUtf8("Lunaisons, éclipses, Ingres"), [this] { ExecuterTouche(Qt::Key_L); });
  action(outils, "Thesaurus", "Backup (sauvegarde)", [this] {
    auto* sauvegarde = new TFormBackup(dossier_, this);
    sauvegarde->setAttribute(Qt::WA_DeleteOnClose);
    sauvegarde->show();
  });

  menuFenetre_ = menuBar()->addMenu(QString::fromUtf8("Fenêtre"));
  connect(menuFenetre_, &QMenu::aboutToShow, this, [this] { RemplirMenuFenetre(); });
  menuFenetre_->setEnabled(false);
  RemplirMenuFenetre();

  QMenu* aide = menuBar()->addMenu("Aide");
  action(aide, "Aide1", "Aide", [] { LaPlateforme().OuvrirAide("index.htm"); });

  QMenu* apropos = menuBar()->addMenu("A propos");
  action(apropos, "Raccourcis1", "Raccourcis", [this] {
    auto* fenetre = new TFormRaccourcis;
    fenetre->setGeometry(geometry());
    fenetre->show();
  });
  action(apropos, "Selvane1", "A propos...", [] {
    LaPlateforme().Information(QString("Selvane\nVersion %1\n\nAstrologie uranienne").arg(kVersion));
  });

  // Toolbar: open, new, dial, trees, mandala, directions, forecast, sequences, houses, planisphere.
  QToolBar* barre = addToolBar("Outils");
  barre->setObjectName("BarreOutils");
  struct Bouton {
    QAction* action;
    const char* bulle;
  };
  const Bouton boutons[] = {{ouvrir, "Ouvrir"},
                            {nouveau, "Nouveau"},
                            {Action("Cosmogramme1"), "Cosmogramme"},
                            {Action("Arbresdesmipoints"), "Arbres des mi-points"},
                            {Action("Mandala"), "Mandala"},
                            {Action("Directionssolairesliste1"), "Directions solaires et transits"},
                            {Action("InterpretationsEtMP"), "Tableaux prévisionnels"},
                            {Action("SequencesPlanetaires"), "Séquences planétaires"},
                            {Action("SixHoroscopes1"), "6 Horoscopes"},
                            {planisphere, "Planisphère"}};
  for (const Bouton& b : boutons) {
    QAction* copie = barre->addAction(b.action->text().remove('&'));
    copie->setToolTip(QString::fromUtf8(b.bulle));
    connect(copie, &QAction::triggered, b.action, &QAction::trigger);
  }
}

void TMainForm::RemplirMenuFenetre() {
  menuFenetre_->clear();
  QAction* mosaique = menuFenetre_->addAction(QString::fromUtf8("Mosaïque"), zone_, &QMdiArea::tileSubWindows);
  mosaique->setObjectName("Cascade1");
  QAction* cascade = menuFenetre_->addAction("Cascade", zone_, &QMdiArea::cascadeSubWindows);
  cascade->setObjectName("Cascade2");
  menuFenetre_->addSeparator();
  QAction* fermer = menuFenetre_->addAction(QString::fromUtf8("Fermer fenêtres"), this, [this] { FermerFenetres(); });
  fermer->setObjectName("Fermertout1");
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
    auto* element = new QListWidgetItem(QString(QChar(static_cast<ushort>(static_cast<unsigned char>(LettresCorps[n])))));
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

bool TMainForm::TesterNbreFenetres() {
  if (zone_->subWindowList().size() <= 10) return true;
  LaPlateforme().Information(QString::fromUtf8(
      "Il y a trop de fenêtres ouvertes en même temps... Fermez quelques fenêtres pour pouvoir poursuivre"));
  return false;
}

void TMainForm::PasEncoreDisponible() { LaPlateforme().Information("Fonction non encore disponible"); }

void TMainForm::Radix() {
  if (radix_) RestaurerRadix(*radix_);
  CalculerTheme(EcartGlyphes8);
  FigerNatal();
}

void TMainForm::Technique(bool enfantRequis, bool maisonsRequises) {
  if (enfantRequis && !AuMoinsUnEnfant()) return;
  if (maisonsRequises && Etat().SystemeMaisons == 0) return;
  Radix();
  PasEncoreDisponible();
}

void TMainForm::ExecuterTouche(int touche) {
  switch (touche) {
    case Qt::Key_F1:
    case Qt::Key_N:
      if (!TesterNbreFenetres()) return;
      Etat().NomFichierNaissance = "Natal";
      {
        TFormEnterData saisie(dossier_, TFormEnterData::Nouvelle, [this] { OuvrirListing(); }, this);
        saisie.exec();
      }
      return;
    case Qt::Key_F2:
      if (!TesterNbreFenetres()) return;
      Etat().NomFichierNaissance = "Natal";
      {
        auto* navigateur = new TFormLoadData(dossier_, [this] { OuvrirListing(); }, [this] {
          TFormEnterData saisie(dossier_, TFormEnterData::Modification, [this] { OuvrirListing(); }, this);
          saisie.exec();
        }, this);
        navigateur->setAttribute(Qt::WA_DeleteOnClose);
        navigateur->show();
      }
      return;
    case Qt::Key_O:
      if (TFormChartList::Ouverte()) return;
      listeThemes_ = new TFormChartList(dossier_, this);
      connect(listeThemes_, &TFormChartList::ThemeChoisi, this, [this](const QString& c) { RouvrirTheme(c); });
      listeThemes_->show();
      return;
    case Qt::Key_A: return Technique(true, false);
    case Qt::Key_C: return Technique(true, true);
    case Qt::Key_H: return Technique(false, false);
    case Qt::Key_D:
    case Qt::Key_T:
    case Qt::Key_M:
    case Qt::Key_S:
    case Qt::Key_I: return Technique(true, false);
    case Qt::Key_P: {
      TFormOptions options(dossier_, this);
      // The open charts follow the new options at once.
      if (options.exec() == QDialog::Accepted)
        for (QMdiSubWindow* f : zone_->subWindowList())
          if (auto* listing = qobject_cast<TFormAffSmpl*>(f->widget())) listing->AppliquerOptions();
      return;
    }
    case Qt::Key_E:
    case Qt::Key_L: PasEncoreDisponible(); return;
    default: return;
  }
}

void TMainForm::CopierRadix(const LignesRadix& lignes) { radix_ = lignes; }

void TMainForm::ActiverMenusTheme() {
  Action("FilePrintItem")->setEnabled(true);
  menuFenetre_->setEnabled(true);
  menuCalculs_->setEnabled(true);
}

void TMainForm::DefinirFondsSignes(bool actif) {
  FondsSignesColores = actif;
  Action("Fondsdessignescolores")->setChecked(actif);
  RedessinerListings();
}

void TMainForm::RedessinerListings() {
  for (QMdiSubWindow* f : zone_->subWindowList())
    if (auto* listing = qobject_cast<TFormAffSmpl*>(f->widget())) listing->Redessiner();
}

TFormAffSmpl* TMainForm::OuvrirListing() {
  auto* listing = new TFormAffSmpl(this, dossier_, nullptr);
  QMdiSubWindow* fenetre = zone_->addSubWindow(listing);
  fenetre->setAttribute(Qt::WA_DeleteOnClose);
  fenetre->showMaximized();
  zone_->setActiveSubWindow(fenetre);
  listing->Activer();
  listing->setFocus();
  dernierListing_ = listing;
  return listing;
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
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setPageOrientation(QPageLayout::Portrait);
  if (!LaPlateforme().DialogueImpression(imprimante)) return;
  QPainter p(&imprimante);
  ImprimerFeuille(p, QSize(imprimante.width(), imprimante.height()));
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
