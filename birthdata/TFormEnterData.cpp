#include "birthdata/TFormEnterData.h"

#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QLocale>
#include <QScreen>
#include <algorithm>
#include <QDate>
#include <QDir>
#include <QFocusEvent>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextStream>
#include <QTime>
#include <QVBoxLayout>
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "core/Conversions.h"
#include "widgets/Texte1252.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "birthdata/records/FichierNaissance.h"
#include "birthdata/Fuseaux.h"
#include "birthdata/GrilleAtlas.h"
#include "birthdata/Saisie.h"
#include "widgets/Plateforme.h"
#include "birthdata/TFormDomiscop.h"

namespace selvane {

namespace {


QLineEdit* Champ(QWidget* parent, int longueur, const QString& masque = QString()) {
  auto* c = new QLineEdit(parent);
  if (!masque.isEmpty()) c->setInputMask(masque);
  c->setMaxLength(longueur);
  return c;
}

}  // namespace

TFormEnterData::TFormEnterData(const QString& dossier, Mode mode, std::function<void()> ouvrirListing, QWidget* parent)
    : QDialog(parent), dossier_(dossier), mode_(mode), ouvrirListing_(std::move(ouvrirListing)) {
  setWindowTitle(QString::fromUtf8("Entrée des données "));
  EditNom = Champ(this, 36);
  MaskEditDate = Champ(this, 10, "99/99/9999");
  MaskEditHeure = Champ(this, 5, "09\\h99");
  MaskEditSecondes = Champ(this, 2, "99");
  EditVille = Champ(this, 70);
  EditPays = Champ(this, 33);
  EditLat = Champ(this, 6);
  EditLong = Champ(this, 7);
  MaskEditLongH = Champ(this, 10);
  EditFuseau = Champ(this, 9);
  EditComment = Champ(this, 80);
  Edit1 = Champ(this, 80);
  Edit1->setReadOnly(true);
  Edit1->hide();
  LabelJour = new QLabel(this);
  Recherche = Champ(this, 30);
  Pays = new QComboBox(this);
  Atlas = new GrilleAtlas(20, this);
  FichiersNaissance = new QListWidget(this);
  CodesPays = new QListWidget(this);
  CodesPays->hide();

  // Field exits and typing.
  connect(MaskEditDate, &QLineEdit::editingFinished, this, [this] {
    if (TesterDate()) AfficherJour();
  });
  connect(MaskEditHeure, &QLineEdit::editingFinished, this, [this] {
    if (TesterHeure()) ChercherRegimeSiChange();
  });
  // A new date or time looks the zone up again however the field is left
  // (Tab through an unchanged field, a click elsewhere): a stale summer time
  // gives a chart an hour off.
  connect(MaskEditDate, &QLineEdit::editingFinished, this, [this] { ChercherRegimeSiChange(); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* avant, QWidget*) {
    if (avant == MaskEditDate || avant == MaskEditHeure || avant == MaskEditSecondes) ChercherRegimeSiChange();
  });
  for (QLineEdit* coordonnee : {EditLat, EditLong}) {
    connect(coordonnee, &QLineEdit::textEdited, this, [this, coordonnee](const QString& texte) {
      static QString precedent;
      for (int i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c == '-' && i != 0) {
          LaPlateforme().Avertissement("Signe moins uniquement en première place");
          coordonnee->setText(texte.left(i) + texte.mid(i + 1));
          return;
        }
        if (!(c.isDigit() || c == '.' || c == '-')) {
          LaPlateforme().Avertissement("N'entrez que des chiffres ou le point");
          coordonnee->setText(texte.left(i) + texte.mid(i + 1));
          return;
        }
      }
      // A number being typed ("", "-", "-.") is checked once it has a digit.
      if (!texte.contains(QRegularExpression("[0-9]"))) return;
      if (coordonnee == EditLat) TesterLatitude();
      else TesterLongitude();
    });
  }
  connect(EditFuseau, &QLineEdit::textEdited, this, [this] {
    EffacerSource();
    TesterFuseau();
  });
  EditFuseau->installEventFilter(this);
  MaskEditHeure->installEventFilter(this);
  for (QLineEdit* champ : {MaskEditDate, MaskEditHeure, MaskEditSecondes})
    connect(champ, &QLineEdit::textChanged, this, [this] { refusEnSortie_ = false; });
  // A mask left incomplete emits no editingFinished: its exit is checked here.
  MaskEditDate->installEventFilter(this);
  MaskEditSecondes->installEventFilter(this);
  connect(EditNom, &QLineEdit::textChanged, this, [this](const QString& t) { BoutonEnregistrer->setEnabled(!t.isEmpty()); });

  // Atlas.
  // In the order a French reader expects ("États-Unis" among the E), not by bytes.
  QStringList pays;
  for (const std::string& nom : ListerAtlas(dossier_.toStdString())) pays << QString::fromStdString(nom);
  QCollator francais{QLocale(QLocale::French, QLocale::France)};
  std::sort(pays.begin(), pays.end(), [&](const QString& a, const QString& b) { return francais.compare(a, b) < 0; });
  Pays->addItems(pays);
  connect(Pays, &QComboBox::currentIndexChanged, this, [this](int i) { OuvrirAtlas(i); });
  connect(Recherche, &QLineEdit::textEdited, this, [this](const QString& t) { Atlas->Chercher(t, Atlas->Lignes() / 2); });
  connect(Atlas, &GrilleAtlas::VilleChoisie, this, [this](const CityRecord& v) { ChoisirVille(v); });

  // Buttons.
  auto bouton = [this](const char* titre, auto action) {
    auto* b = new QPushButton(QString::fromUtf8(titre), this);
    connect(b, &QPushButton::clicked, this, action);
    return b;
  };
  QPushButton* theme = bouton("    Thème", [this] { Theme(); });
  BoutonEnregistrer = bouton("Enregistrer données", [this] { EnregistrerDonnees(); });
  QPushButton* effacer = bouton("Effacer", [this] {
    EditNom->clear();
    EditComment->clear();
    MaskEditDate->setText(QDate::currentDate().toString("dd/MM/yyyy"));
    MaskEditHeure->setText(QTime::currentTime().toString("hh'h'mm"));
    EffacerSource();
    ChercherRegimeSiChange();
  });
  QPushButton* defaut = bouton("Défaut", [this] { Defaut(); });
  QPushButton* tu = bouton("TU", [this] { TU(); });
  QPushButton* midi = bouton("Midi vrai", [this] { MidiVrai(); });
  QPushButton* eqtps = bouton("Eq Tps", [this] { EquationDuTemps(); });
  QPushButton* convertir = bouton("Long. en heures → degrés", [this] { ConvertirLongitude(); });
  QPushButton* codes = new QPushButton("Code des pays", this);
  connect(codes, &QPushButton::clicked, this, [this, codes] {
    CodesPays->setVisible(!CodesPays->isVisible());
    codes->setText(CodesPays->isVisible() ? "Fermer" : "Codes des pays");
  });
  QPushButton* aide = bouton("Aide", [] { LaPlateforme().OuvrirAide("EnterData.htm"); });
  QPushButton* planisphere = bouton("Planisphère", [this] {
    // A child window of this modal one: it comes to the front and is not blocked by it.
    auto* carte = new TFormDomiscop(dossier_, this);
    carte->show();
    carte->raise();
    carte->activateWindow();
  });
  auto* cartes = new QComboBox(this);
  cartes->addItem("Cartes");
  cartes->addItems(TFormCarte::NomsCartes());
  connect(cartes, &QComboBox::activated, this, [this, cartes](int i) {
    if (i < 1) return;
    TFormCarte carte(dossier_, i - 1, this);
    carte.exec();
    cartes->setCurrentIndex(0);
  });
  QPushButton* quitter = bouton("Quitter", [this] { close(); });

  // Save panel.
  PanneauSauvegarde = new QWidget(this);
  auto* ps = new QVBoxLayout(PanneauSauvegarde);
  ps->addWidget(new QLabel(QString::fromUtf8("Double-cliquez le nom d'un fichier ou cliquez sur « Sauver » ;\n"
                                             "cliquez sur « Nouveau » pour créer un nouveau fichier."), PanneauSauvegarde));
  ps->addWidget(FichiersNaissance);
  auto* sauver = new QPushButton("Sauver", PanneauSauvegarde);
  auto* nouveau = new QPushButton("Nouveau", PanneauSauvegarde);
  ps->addWidget(sauver);
  ps->addWidget(nouveau);
  connect(sauver, &QPushButton::clicked, this, [this] { Sauver(); });
  connect(nouveau, &QPushButton::clicked, this, [this] { Nouveau(); });
  connect(FichiersNaissance, &QListWidget::itemClicked, this, [this] { fichierClique_ = true; });
  connect(FichiersNaissance, &QListWidget::itemDoubleClicked, this, [this] {
    fichierClique_ = true;
    Sauver();
  });
  PanneauSauvegarde->hide();

  auto* grille = new QGridLayout;
  int ligne = 0;
  auto ajouter = [&](const char* etiquette, QWidget* champ, QWidget* apres = nullptr) {
    grille->addWidget(new QLabel(QString::fromUtf8(etiquette), this), ligne, 0);
    grille->addWidget(champ, ligne, 1);
    if (apres) grille->addWidget(apres, ligne, 2);
    ++ligne;
  };
  ajouter("Nom,Prénom :", EditNom);
  ajouter("Date naissance :", MaskEditDate, LabelJour);
  auto* secondes = new QWidget(this);
  auto* ls = new QHBoxLayout(secondes);
  ls->setContentsMargins(0, 0, 0, 0);
  ls->addWidget(MaskEditSecondes);
  ls->addWidget(new QLabel("sec   (facultatif)", secondes));
  ajouter("Heure :", MaskEditHeure, secondes);
  ajouter("Ville :", EditVille);
  ajouter("Pays/Région :", EditPays);
  ajouter("Latitude (DD.MM) :", EditLat);
  ajouter("Longitude (DDD.MM) :", EditLong, MaskEditLongH);
  ajouter("Fuseau (HH.MM.SS)", EditFuseau, Edit1);
  ajouter("Commentaire :", EditComment);
  auto* boutons = new QGridLayout;
  QWidget* tous[] = {theme, BoutonEnregistrer, effacer, defaut, tu, midi, eqtps, convertir, codes, planisphere, cartes, aide, quitter};
  for (int i = 0; i < 13; ++i) boutons->addWidget(tous[i], i / 4, i % 4);
  auto* gauche = new QVBoxLayout;
  gauche->addLayout(grille);
  gauche->addLayout(boutons);
  gauche->addWidget(PanneauSauvegarde);
  gauche->addWidget(CodesPays);
  gauche->addStretch();
  auto* droite = new QVBoxLayout;
  droite->addWidget(Pays);
  auto* ligneRecherche = new QHBoxLayout;
  ligneRecherche->addWidget(new QLabel("Ville : ", this));
  ligneRecherche->addWidget(Recherche);
  droite->addLayout(ligneRecherche);
  droite->addWidget(Atlas, 1);
  auto* disposition = new QHBoxLayout(this);
  disposition->addLayout(gauche);
  disposition->addLayout(droite, 1);

  // The country codes, generated with the atlas.
  QFile codesFichier(dossier_ + "/CodesPays.txt");
  if (codesFichier.open(QIODevice::ReadOnly)) {
    QTextStream flux(&codesFichier);
    flux.setEncoding(QStringConverter::Utf8);
    while (!flux.atEnd()) CodesPays->addItem(flux.readLine());
  }

  // Fields by mode.
  const FicheClient& f = Etat().FicheEnCours;
  VilleDefaut defautVille;
  try {
    defautVille = LireVilleDefaut(dossier_.toStdString());
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
  }
  nomZone_ = defautVille.zone;
  if (mode_ == Modification) {
    EditNom->setText(Texte(f.Nom.Texte()));
    MaskEditDate->setText(Texte(f.Date.Texte()));
    MaskEditHeure->setText(Texte(f.Heure.Texte()).left(5));
    MaskEditSecondes->setText(Texte(f.Heure.Texte()).mid(6, 2));
    EditVille->setText(Texte(f.Ville.Texte()));
    EditLat->setText(Texte(f.Lat.Texte()));
    EditLong->setText(Texte(f.Long.Texte()));
    EditFuseau->setText(Texte(f.Fuseau.Texte()));
    EditComment->setText(Texte(f.Commentaire.Texte()));
  } else {
    EditVille->setText(Texte(defautVille.ville));
    EditPays->setText(Texte(defautVille.pays));
    EditLat->setText(Texte(defautVille.lat));
    EditLong->setText(Texte(defautVille.lon));
    if (mode_ == Evenement) {
      EditNom->setText(Texte(f.Nom.Texte()));
      MaskEditDate->setText(Texte(f.Date.Texte()));
      MaskEditHeure->setText(Texte(f.Heure.Texte()).left(5));
      MaskEditSecondes->setText(Texte(f.Heure.Texte()).mid(6, 2));
      EditFuseau->setText("0");
      mode_ = Nouvelle;  // from now on it behaves as a new record
    } else {
      MaskEditDate->setText(QDate::currentDate().toString("dd/MM/yyyy"));
      MaskEditHeure->setText(QTime::currentTime().toString("hh'h'mm"));
      MaskEditSecondes->setText("00");
      AfficherJour();
      try {
        numeroZone_ = LireFuseauActuel(dossier_.toStdString(), nomZone_);
      } catch (const std::exception& e) {
        LaPlateforme().Erreur(QString::fromUtf8(e.what()));
      }
      ChercherRegime();
    }
  }
  BoutonEnregistrer->setEnabled(!EditNom->text().isEmpty());
  if (!EditLong->text().isEmpty()) TesterLongitude();  // shows the longitude in time
  if (Pays->count() > 0) {
    const int france = Pays->findText("France");
    Pays->setCurrentIndex(france >= 0 ? france : 0);
    OuvrirAtlas(Pays->currentIndex());
  }
  DimensionnerFenetre();
}

void TFormEnterData::DimensionnerFenetre() {
  // Fields as wide as the texts they hold (36-character name, 80-character comment,
  // "États-Unis d'Amérique (NY)"), the window the height of the screen.
  const QFontMetrics m(EditNom->font());
  const auto largeur = [&](int caracteres) { return m.horizontalAdvance(QString(caracteres, 'n')) + 16; };
  EditNom->setMinimumWidth(largeur(36));
  EditVille->setMinimumWidth(largeur(40));
  EditPays->setMinimumWidth(std::max(largeur(33), m.horizontalAdvance(QString::fromUtf8("États-Unis d'Amérique (NY)")) + 16));
  EditComment->setMinimumWidth(largeur(80));
  const QScreen* ecran = screen();
  if (!ecran) return;
  const QRect r = ecran->availableGeometry();
  if (r.width() < 1500) {
    setWindowState(Qt::WindowMaximized);
    return;
  }
  // Room beside the fields for the atlas grid's city and country columns.
  const int l = std::min(r.width(), std::max(sizeHint().width() + 250, 1500));
  setGeometry(r.x() + (r.width() - l) / 2, r.y(), l, r.height());
}

void TFormEnterData::OuvrirAtlas(int index) {
  if (index < 0) return;
  try {
    Atlas->Ouvrir(dossier_ + "/" + Pays->itemText(index) + ".cty");
    Atlas->Chercher(Recherche->text(), 8);
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
  }
}

bool TFormEnterData::eventFilter(QObject* objet, QEvent* evenement) {
  if (evenement->type() == QEvent::FocusOut) {
    // Only a move inside the window: a message box taking the focus is no exit.
    const Qt::FocusReason raison = static_cast<QFocusEvent*>(evenement)->reason();
    if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason) {
      bool bon = true;
      if (objet == MaskEditDate && !MaskEditDate->hasAcceptableInput()) bon = TesterDate();
      if (objet == MaskEditHeure && !MaskEditHeure->hasAcceptableInput()) bon = TesterHeure();
      if (objet == MaskEditSecondes) bon = TesterSecondes();
      // A click on a command left the field: the command that follows refuses
      // without saying the same thing twice.
      if (!bon) refusEnSortie_ = true;
    }
  }
  if (evenement->type() == QEvent::MouseButtonDblClick) {
    if (objet == EditFuseau) FuseauOrdinateur();
    if (objet == MaskEditHeure) LeverDuSoleil();
  }
  return QDialog::eventFilter(objet, evenement);
}

// Closing hides the window from QDialog's destructor, and each field's own
// destructor gives up the focus: the "left the field" checks must not run on a
// half-destroyed window.
TFormEnterData::~TFormEnterData() {
  disconnect(qApp, nullptr, this, nullptr);
  for (QLineEdit* champ : findChildren<QLineEdit*>()) champ->disconnect(this);
}

void TFormEnterData::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_F1) LaPlateforme().OuvrirAide("EnterData.htm");
  else if (e->key() == Qt::Key_Escape) close();
  else QDialog::keyPressEvent(e);
}

// Each digit group of a masked field must be an integer; a blank one gets the
// conversion message the computation would give, before anything uses it.
bool TFormEnterData::GroupesEntiers(QLineEdit* champ, std::initializer_list<std::pair<int, int>> groupes) {
  const QString affiche = champ->displayText();
  for (const auto& [debut, longueur] : groupes) {
    const QString groupe = affiche.mid(debut, longueur);
    int valeur = 0;
    if (!Entier(Octets(groupe), valeur)) {
      LaPlateforme().Erreur("'" + groupe + QString::fromUtf8("' n'est pas une valeur entière correcte"));
      champ->setFocus();
      return false;
    }
  }
  return true;
}

bool TFormEnterData::TesterSecondes() {
  return MaskEditSecondes->text().isEmpty() || GroupesEntiers(MaskEditSecondes, {{0, 2}});
}

bool TFormEnterData::ChampsValides() {
  if (refusEnSortie_) {
    refusEnSortie_ = false;
    return false;
  }
  if (!TesterDate() || !TesterHeure() || !TesterSecondes() || !TesterLatitude() || !TesterLongitude() ||
      !TesterFuseau())
    return false;
  // A zone past any legal time, typed since the city was chosen, goes into no record.
  double heures = 0;
  if (!EditFuseau->text().trimmed().isEmpty() && !EssayerLireFuseau(Octets(EditFuseau->text().trimmed()), heures)) {
    LaPlateforme().Avertissement(QString::fromUtf8("Erreur dans l'écriture du fuseau"));
    EditFuseau->setFocus();
    return false;
  }
  return true;
}

bool TFormEnterData::TesterDate() {
  if (!GroupesEntiers(MaskEditDate, {{0, 2}, {3, 2}, {6, 4}})) return false;
  if (const std::string erreur = ErreurDate(MaskEditDate->text().toStdString()); !erreur.empty()) {
    LaPlateforme().Avertissement(QString::fromStdString(erreur));
    MaskEditDate->setFocus();
    return false;
  }
  return true;
}

bool TFormEnterData::TesterHeure() {
  if (!GroupesEntiers(MaskEditHeure, {{0, 2}, {3, 2}})) return false;
  if (const std::string erreur = ErreurHeure(MaskEditHeure->text().toStdString()); !erreur.empty()) {
    LaPlateforme().Avertissement(QString::fromStdString(erreur));
    MaskEditHeure->setFocus();
    return false;
  }
  // The seconds beside it go into the record too.
  const std::string heure = FicheSaisie().Heure.Chaine();
  if (!HeureValide(heure)) {
    LaPlateforme().Avertissement(Texte(heure) + " : heure incorrecte");
    MaskEditSecondes->setFocus();
    return false;
  }
  return true;
}

bool TFormEnterData::TesterLatitude() {
  if (LatitudeValide(Octets(EditLat->text()))) return true;
  EditLat->clear();
  return false;
}

bool TFormEnterData::TesterLongitude() {
  if (!LongitudeValide(Octets(EditLong->text()))) {
    EditLong->clear();
    return false;
  }
  // The longitude in time beside it, truncated.
  const double degres = DegMinVersDegres(LireNombre(Octets(EditLong->text())));
  const DMS t = DecouperDMS(std::fabs(degres) / 15.0);
  MaskEditLongH->setText(QString("%1%2h%3m%4s")
                             .arg(degres < 0 ? "-" : "+")
                             .arg(t.degres, 2, 10, QChar('0'))
                             .arg(t.minutes, 2, 10, QChar('0'))
                             .arg(t.secondes, 2, 10, QChar('0')));
  return true;
}

bool TFormEnterData::TesterFuseau() {
  std::string remplacement;
  const std::string erreur = ControlerFuseau(EditFuseau->text().trimmed().toStdString(),
                                             Octets(EditLong->text()), remplacement);
  if (!erreur.empty()) {
    LaPlateforme().Avertissement(QString::fromStdString(erreur));
    EditFuseau->clear();
    return false;
  }
  if (!remplacement.empty()) EditFuseau->setText(QString::fromStdString(remplacement));
  return true;
}

void TFormEnterData::ChoisirVille(const CityRecord& v) {
  EditVille->setText(Texte(v.Ville.Texte()).trimmed());
  EditPays->setText(Texte(v.Pays.Texte()));
  EditLat->setText(Texte(v.Lat.Texte()));
  EditLong->setText(Texte(v.Long.Texte()));
  TesterLongitude();
  nomZone_ = v.ZoneName.Chaine();
  try {
    if (const auto numero = LireFuseauActuel(dossier_.toStdString(), nomZone_)) numeroZone_ = numero;
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  ChercherRegime();
}

QString TFormEnterData::DateHeureSaisies() const {
  return MaskEditDate->text() + ' ' + MaskEditHeure->text() + ':' + MaskEditSecondes->text();
}

void TFormEnterData::ChercherRegimeSiChange() {
  if (mode_ != Nouvelle || EditFuseau->text() == "0" || DateHeureSaisies() == regimeCherche_) return;
  ChercherRegime();
}

void TFormEnterData::ChercherRegime() {
  if (!numeroZone_ || !DateValide(Octets(MaskEditDate->text())) || !HeureValide(Octets(MaskEditHeure->text()))) return;
  const QString d = MaskEditDate->text(), h = MaskEditHeure->text();
  regimeCherche_ = DateHeureSaisies();
  Regime r;
  try {
    r = ChercherRegimeFromDate(dossier_.toStdString(), *numeroZone_, d.mid(0, 2).toInt(), d.mid(3, 2).toInt(),
                               d.mid(6, 4).toInt(), h.mid(0, 2).toInt(), h.mid(3, 2).toInt(),
                               MaskEditSecondes->text().toInt());
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  // The auxiliary text says where the zone comes from, or nothing when it is stale.
  sourceRegime_ = QString::fromStdString(SourceDuRegime(r));
  Edit1->setText(sourceRegime_);
  Edit1->setVisible(!sourceRegime_.isEmpty());
  switch (r.genre) {
    case Regime::Refus:
      LaPlateforme().Information(QString::fromUtf8(MessageRegimeRefuse));
      return;
    case Regime::Rien:
      EditFuseau->clear();
      return;
    case Regime::HeureLocale:
      EditFuseau->setText("L");
      TesterFuseau();  // "L" becomes the local mean time of the longitude
      break;
    case Regime::Fuseau:
      EditFuseau->setText(QString::fromStdString(r.texte));
      break;
  }
  if (r.ambiguite != Regime::Aucune)
    LaPlateforme().Avertissement(QString::fromStdString(MessageAmbiguite(r, d.toStdString(), h.toStdString())));
}

void TFormEnterData::TU() {
  EffacerSource();
  EditFuseau->setText("0");
}

// A zone the user sets is no longer the one the database gave.
void TFormEnterData::EffacerSource() {
  if (!sourceRegime_.isEmpty() && Edit1->text() == sourceRegime_) {
    Edit1->clear();
    Edit1->hide();
  }
  sourceRegime_.clear();
}

void TFormEnterData::Defaut() {
  const QString question = EditVille->text() + "\r\n\r\n" +
                           QString::fromUtf8("Cette opération fera en sorte que lors de chaque ouverture de la\r\n"
                                             "fenêtre d'entrée de données, ce sont les coordonnées \r\n"
                                             "de cette ville qui apparaîtront.\r\n\r\n"
                                             "Cliquez sur Oui pour changer la ville par défaut par celle ci-dessus");
  if (!LaPlateforme().Question(question)) return;
  try {
    EcrireVilleDefaut(dossier_.toStdString(), {Octets(EditVille->text()), Octets(EditPays->text()), Octets(EditLat->text()),
                                               Octets(EditLong->text()), nomZone_});
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
  }
}

void TFormEnterData::FuseauOrdinateur() {
  EffacerSource();
  EditFuseau->setText(QString::number(static_cast<int>(std::nearbyint(-DecalageHoraireSysteme() / 60.0))));
  TesterFuseau();
}

double TFormEnterData::FuseauHeures() const {
  double heures = 0;
  EssayerLireFuseau(Octets(EditFuseau->text().trimmed()), heures);
  return heures;
}

void TFormEnterData::RemplirHeure(double jourTU, double fuseau) {
  const double local = jourTU + fuseau / 24.0;
  MaskEditDate->setText(QString::fromStdString(JourJulienVersDate(local)));
  const DMS t = DecouperDMS(HeureDuJour(local));
  MaskEditHeure->setText(QString("%1h%2").arg(t.degres, 2, 10, QChar('0')).arg(t.minutes, 2, 10, QChar('0')));
  MaskEditSecondes->setText(QString("%1").arg(t.secondes, 2, 10, QChar('0')));
  AfficherJour();
}

void TFormEnterData::LeverDuSoleil() {
  if (!TesterDate()) return;
  const double jour0 = DateHeureVersJourJulien(Octets(MaskEditDate->text()), "", 0);
  double geopos[3] = {DegMinVersDegres(LireNombre(Octets(EditLong->text()))),
                      DegMinVersDegres(LireNombre(Octets(EditLat->text()))), 0};
  double tret[10] = {};
  if (LeverCoucher(0, 1, geopos, tret, jour0) < 0) return;  // 1: rising
  RemplirHeure(tret[0], FuseauHeures());
}

void TFormEnterData::MidiVrai() {
  if (!TesterDate()) return;
  const double jour0 = DateHeureVersJourJulien(Octets(MaskEditDate->text()), "", 0);
  const double latitude = DegMinVersDegres(LireNombre(Octets(EditLat->text())));
  double geopos[3] = {DegMinVersDegres(LireNombre(Octets(EditLong->text()))), latitude, 0};
  double tret[10] = {};
  if (LeverCoucher(0, 4, geopos, tret, jour0) < 0) return;  // 4: upper meridian transit
  // The Sun's declination at the transit, without touching the current chart.
  const double jourTT = tret[0] + DeltaT(tret[0]);
  const float declinaison =
      static_cast<float>(Declinaison(PositionCorps(Soleil, jourTT), ObliquiteA(jourTT).obliquiteDeg));
  const double duree = 2 * ArcCos(-Tangente(latitude * DegEnRad) * Tangente(declinaison)) * RadEnDeg / 15.0;
  const DMS d = DecouperDMS(duree);
  EditNom->setText(QString("Durée jour  %1h%2").arg(d.degres, 2, 10, QChar('0')).arg(d.minutes, 2, 10, QChar('0')));
  RemplirHeure(tret[0], FuseauHeures());
}

void TFormEnterData::EquationDuTemps() {
  if (!TesterDate() || !TesterHeure()) return;
  const double jour = DateHeureVersJourJulien(Octets(MaskEditDate->text()), Octets(MaskEditHeure->text()), 0);
  const double minutes = EquationTemps(jour + DeltaT(jour)) * 60.0;
  Edit1->setText(QString::fromStdString(FormatMinSec(minutes)));
  Edit1->show();
}

void TFormEnterData::ConvertirLongitude() {
  const QString t = MaskEditLongH->text();
  if (t.isEmpty() || (t[0] != '+' && t[0] != '-')) {
    LaPlateforme().Avertissement("Le premier caractère doit être un + ou un -  !");
    MaskEditLongH->clear();
    return;
  }
  // The whole form, so that "+120001" is refused instead of being read as 12h00m00s.
  static const QRegularExpression forme("^[+-](\\d\\d)h(\\d\\d)m(\\d\\d)s?$");
  const QRegularExpressionMatch lu = forme.match(t.trimmed());
  if (!lu.hasMatch())
    return LaPlateforme().Avertissement(QString::fromUtf8("Écrivez la longitude en heures sous la forme +HHhMMmSSs !"));
  const int h = lu.captured(1).toInt(), m = lu.captured(2).toInt(), s = lu.captured(3).toInt();
  if (h > 12) return LaPlateforme().Avertissement("Le nombre d'heures doit être inférieur à 12  !");
  if (m > 60) return LaPlateforme().Avertissement("Le nombre de minutes doit être inférieur à 60  !");
  if (s > 59) return LaPlateforme().Avertissement("Le nombre de secondes doit être inférieur à 60  !");
  if (m == 60 && s > 0)
    return LaPlateforme().Avertissement("Si le nombre de minutes est égal à 60, le nombre de secondes doit être égal à 0 !");
  double degres = (h + m / 60.0 + s / 3600.0) * 15.0;
  if (degres > 180) return LaPlateforme().Avertissement("La longitude en heures ne peut dépasser 12h00!");
  if (t[0] == '-') degres = -degres;
  EditLong->setText(QString::number(DegresVersDegMin(degres), 'f', 2));
}

void TFormEnterData::AfficherJour() {
  const int jour = JourSemaineDeLaDate(Octets(MaskEditDate->text()));
  if (jour >= 0) LabelJour->setText(QString::fromUtf8(NomsJours[jour]));
}

SaisieNaissance TFormEnterData::Champs() const {
  SaisieNaissance n;
  n.nom = EditNom->text().trimmed().toStdString();
  n.date = MaskEditDate->text().toStdString();
  n.heure = HeureComplete(MaskEditHeure->text().toStdString(), MaskEditSecondes->text().toStdString());
  n.ville = EditVille->text().trimmed().toStdString();
  n.lat = EditLat->text().toStdString();
  n.lon = EditLong->text().toStdString();
  n.fuseau = EditFuseau->text().trimmed().toStdString();
  n.commentaire = EditComment->text().trimmed().toStdString();
  return n;
}

FicheClient TFormEnterData::FicheSaisie() const { return selvane::FicheSaisie(Champs()); }

bool TFormEnterData::AccepterCaracteres() const {
  const std::string avertissement = AvertissementSaisieHors1252(Champs());
  return avertissement.empty() ||
         LaPlateforme().Question(QString::fromStdString(avertissement) + QString::fromUtf8("\nEnregistrer quand même ?"));
}

void TFormEnterData::EnregistrerDonnees() {
  if (EditFuseau->text().trimmed().isEmpty()) {
    LaPlateforme().Information(QString::fromUtf8(
        "Vous n'avez pas entré/sélectionné de valeur pour le fuseau. Entrez 0\r\npour calculer le thème pour l'heure GMT.\r\n\r\n"));
    return;
  }
  if (EditNom->text().isEmpty()) return;
  if (!ChampsValides()) return;
  FichiersNaissance->clear();
  FichiersNaissance->addItems(QDir(dossier_).entryList({"*.thz"}, QDir::Files, QDir::Name));
  if (FichiersNaissance->count() > 0) FichiersNaissance->setCurrentRow(0);
  fichierClique_ = false;
  PanneauSauvegarde->show();
}

void TFormEnterData::Sauver() {
  if (!fichierClique_ || !FichiersNaissance->currentItem()) {
    LaPlateforme().Information("Veuillez d'abord sélectionner un fichier !");
    return;
  }
  if (EditFuseau->text().trimmed().isEmpty() &&
      !LaPlateforme().Question(QString::fromUtf8("Vous n'avez pas entré/sélectionné de valeur pour le fuseau. Le thème sera\r\n"
                                                 "calculé pour l'heure GMT. Voulez-vous continuer ?\r\n\r\n")))
    return;
  if (EditNom->text().trimmed().isEmpty()) return;
  if (!ChampsValides()) return;
  if (!AccepterCaracteres()) return;
  const QString fichier = FichiersNaissance->currentItem()->text();
  try {
    InsererFiche((dossier_ + "/" + fichier).toStdString(), FicheSaisie());
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  PanneauSauvegarde->hide();
  ApresSauvegarde(fichier);
}

void TFormEnterData::Nouveau() {
  QString nom = "Nouveau";
  if (!LaPlateforme().SaisirTexte("Entrez le nom du nouveau fichier, sans extension ", nom)) return;
  if (nom.isEmpty()) {
    LaPlateforme().Information("Le nom du fichier ne peut être vide !\r\n\r\n");
    nom = "Nouveau";
    if (!LaPlateforme().SaisirTexte("Entrez le nom du nouveau fichier, sans extension ", nom) || nom.isEmpty()) return;
  }
  const QString fichier = QString::fromStdString(NomNouveauFichierNaissance(nom.toStdString()));
  if (EditNom->text().trimmed().isEmpty()) return;
  if (!ChampsValides()) return;
  if (!AccepterCaracteres()) return;
  // Creating over an existing file would replace its records: ask first.
  if (QFile::exists(dossier_ + "/" + fichier) &&
      !LaPlateforme().Question("Le fichier " + fichier + QString::fromUtf8(" existe déjà. Voulez-vous remplacer ses fiches par celle-ci ?")))
    return;
  try {
    CreerFichierNaissance((dossier_ + "/" + fichier).toStdString(), FicheSaisie());
  } catch (const std::exception& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  PanneauSauvegarde->hide();
  ApresSauvegarde(fichier);
}

void TFormEnterData::ApresSauvegarde(const QString& fichier) {
  LaPlateforme().Information("Thème de : " + EditNom->text() + "\r\n\r\n" +
                             QString::fromUtf8("Données sauvées dans le fichier : ") + "\r\n\r\n" + fichier);
  sauve_ = true;
}

void TFormEnterData::Theme() {
  if (!ChampsValides()) return;
  if (!sauve_ && LaPlateforme().Question(QString::fromUtf8(
                     "Vous n'avez pas sauvé ces données. Voulez-vous le faire maintenant? N'oubliez d'écrire un nom")))
    return;
  hide();
  if (EditFuseau->text().trimmed().isEmpty()) EditFuseau->setText("0");
  FicheClient f = FicheSaisie();
  if (f.Commentaire.Vide())
    f.Commentaire = Octets(QString::fromUtf8("Fiche créée le  ") + QDate::currentDate().toString("dd/MM/yyyy"));
  Etat().FicheEnCours = f;
  try {
    CalculerTheme(EcartGlyphes8);
  } catch (const std::exception& e) {
    // Said, and the window comes back with what was typed.
    show();
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  accept();
  if (ouvrirListing_) ouvrirListing_();
}

}  // namespace selvane
