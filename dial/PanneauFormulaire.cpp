#include "dial/PanneauFormulaire.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"
#include "dessin/Traits.h"
#include "widgets/GrilleTexte.h"
#include "widgets/Plateforme.h"
#include "widgets/Texte1252.h"

namespace selvane {

const char* const ThemesFormulaire[11] = {
    "Vie affective  - Mariage",
    "Problématique du couple et affective",
    "Travail - Carrière - Economie - Politique",
    "Santé",
    "Situations et événements divers",
    "Psychologie  -  Mental",
    "Point personnel : Point Bélier",
    "Point personnel : Ascendant",
    "Point Personnel : Milieu du ciel",
    "Point personnel : Noeud Nord",
    "Ensemble des images",
};

std::vector<FormeImage> ChargerFormesImages(const std::string& dossier, int numero) {
  const std::string nom = std::to_string(numero) + ".frm";
  const std::string octets = LireFichierEntier(std::filesystem::path(dossier) / nom);
  LectureFormes lecture = LireFormesImages(octets);
  // A damaged file is refused whole: half a theme shown as if it were all of it would mislead.
  if (!lecture.Ok()) throw ErreurFichier(nom + " : " + lecture.Erreur);
  return std::move(lecture.Formes);
}

void TrierFormesParCle(std::vector<FormeImage>& formes) {
  std::stable_sort(formes.begin(), formes.end(),
                   [](const FormeImage& a, const FormeImage& b) { return a.Cle < b.Cle; });
}

void TrierFormesParC(std::vector<FormeImage>& formes) {
  std::stable_sort(formes.begin(), formes.end(), [](const FormeImage& a, const FormeImage& b) {
    return static_cast<unsigned char>(a.C) < static_cast<unsigned char>(b.C);
  });
}

namespace {

// A glyph cell: the letter, or nothing for a zero byte (no point).
QString Lettre(char octet) { return octet ? Glyphe(octet) : QString(); }

}  // namespace

QString TexteExportFormes(const std::vector<FormeImage>& formes) {
  QString texte;
  for (const FormeImage& f : formes)
    texte += Texte(f.Texte) + '\t' + Lettre(f.A) + '\t' + Lettre(f.B) + '\t' + Lettre(f.C) + "\r\n";
  return texte;
}

PanneauFormulaire::PanneauFormulaire(const QString& dossier, QWidget* parent) : QFrame(parent), dossier_(dossier) {
  setObjectName("PanelFormulaire");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);

  BoxChoix = new QComboBox(this);
  BoxChoix->setObjectName("BoxChoix");
  for (const char* theme : ThemesFormulaire) BoxChoix->addItem(QString::fromUtf8(theme));
  BoxChoix->setPlaceholderText(QString::fromUtf8("Sélectionnez un groupe"));
  BoxChoix->setCurrentIndex(-1);
  connect(BoxChoix, QOverload<int>::of(&QComboBox::activated), this, [this](int i) { BoxChoixClick(i); });

  BtnSort = new QPushButton("Trier", this);
  BtnExport = new QPushButton("Exporter", this);
  BtnFermerFormulaire = new QPushButton("Fermer", this);
  BtnSort->hide();
  BtnExport->hide();
  connect(BtnSort, &QPushButton::clicked, this, [this] { BtnSortClick(); });
  connect(BtnExport, &QPushButton::clicked, this, [this] { BtnExportClick(); });
  connect(BtnFermerFormulaire, &QPushButton::clicked, this, [this] { BtnFermerFormulaireClick(); });

  Formulaire = new GrilleTexte(this);
  Formulaire->setObjectName("Formulaire");
  const QFont arial = Police("Arial", 9);
  const QFont glyphes = Police("Celvan S", 8);
  const int a = QFontMetrics(arial).horizontalAdvance('a');
  ColonneGrille interpretation{"            " + QString::fromUtf8("Interprétation"), Qt::black, arial, 80 * a};
  ColonneGrille colA{"  A     +", Qt::black, glyphes, 7 * a};
  ColonneGrille colB{"  B", Qt::black, glyphes, 7 * a};
  ColonneGrille colC{"  -  C", Qt::black, glyphes, 7 * a};
  ColonneGrille cle{"", Qt::black, arial, 0};
  Formulaire->DefinirColonnes({interpretation, colA, colB, colC, cle});

  auto* haut = new QHBoxLayout;
  haut->addWidget(BoxChoix, 1);
  haut->addWidget(BtnSort);
  haut->addWidget(BtnExport);
  haut->addWidget(BtnFermerFormulaire);
  auto* colonne = new QVBoxLayout(this);
  colonne->addLayout(haut);
  colonne->addWidget(Formulaire, 1);
}

void PanneauFormulaire::BoxChoixClick(int item) {
  if (item < 0 || item >= 11) return;
  try {
    std::vector<FormeImage> formes = ChargerFormesImages(dossier_.toStdString(), item + 1);
    if (item == 10) TrierFormesParC(formes);
    formes_ = std::move(formes);
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return;
  }
  Afficher();
  Formulaire->setFocus();
  BtnSort->show();
  BtnExport->show();
}

void PanneauFormulaire::BtnSortClick() {
  Formulaire->EffacerOrdres();
  TrierFormesParCle(formes_);
  Afficher();
}

void PanneauFormulaire::BtnExportClick() {
  Formulaire->selectAll();
  QApplication::clipboard()->setText(TexteExportFormes(formes_));
  LaPlateforme().Information(QString::fromUtf8("Collez le tableau à 4 colonnes et ") + QString::number(formes_.size()) +
                             " lignes");
}

void PanneauFormulaire::mousePressEvent(QMouseEvent* evenement) {
  // A click on the panel itself (not on its list or buttons) puts it away.
  if (evenement->button() == Qt::LeftButton) hide();
  QFrame::mousePressEvent(evenement);
}

void PanneauFormulaire::Afficher() {
  QVector<QStringList> lignes;
  lignes.reserve(static_cast<int>(formes_.size()));
  for (const FormeImage& f : formes_)
    lignes.push_back({Texte(f.Texte), Lettre(f.A), Lettre(f.B), Lettre(f.C), Texte(f.Cle)});
  Formulaire->Vider();
  Formulaire->AjouterLignes(lignes);
}

}  // namespace selvane
