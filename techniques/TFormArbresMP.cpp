#include "techniques/TFormArbresMP.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "core/EtatTheme.h"
#include "dessin/Traits.h"
#include "techniques/HoroscopesUraniens.h"
#include "widgets/ActionsFeuille.h"
#include "widgets/Plateforme.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

namespace selvane {

int DessinerArbres(QPainter& p, const std::vector<ArbreMP>& arbres, bool imprimante, const EnteteArbres& entete,
                   double hauteur) {
  const QFont glyphes = Police("Celvan S", imprimante ? 8 : 9), arial = Police("Arial", imprimante ? 8 : 9);
  const QFontMetricsF m(glyphes, p.device());
  // The offset text sits between 3 and 6 widths of "A": the width grows when the
  // glyph font's "A" is narrower than that text.
  const double w = std::max(m.horizontalAdvance('A'), QFontMetricsF(arial, p.device()).horizontalAdvance("+00\u00B000'") / 2.5);
  const double rh = std::nearbyint(1.3 * m.height());
  const double x0 = imprimante ? 4 * w : w;
  const double a1 = w, a3 = 3 * w, a6 = 3 * w + 3 * w - std::nearbyint(w / 3);
  auto ecrire = [&](const QFont& f, double x, double y, const QString& t) {
    p.setFont(f);
    p.drawText(QPointF(x, y + QFontMetricsF(f, p.device()).ascent()), t);
  };
  p.setPen(Qt::black);
  int derniere = imprimante ? 65 : 60;
  // A line's glyphs hang below its top: the last line must end above the page's foot.
  if (hauteur > 0) derniere = std::min(derniere, static_cast<int>(hauteur / rh) - 2);
  const std::vector<PlaceArbre> places = DisposerArbres(arbres, imprimante ? 5 : 1, derniere);
  int n = 0;
  for (std::size_t i = 0; i < arbres.size(); ++i) {
    const ArbreMP& a = arbres[i];
    const double X = x0 + places[i].colonne * 9 * w;
    const int L = places[i].ligne;
    ecrire(glyphes, X + a3, rh * L, " " + Glyphe(LettresCorps[static_cast<std::size_t>(a.racine)]));
    const std::size_t racine = a.PlaceRacine();
    for (std::size_t o = 0; o <= a.lignes.size(); ++o) {
      const double y = (static_cast<double>(o) + L + 1) * rh;
      if (o == racine) {
        ecrire(glyphes, X + a3, y, "-" + Glyphe(LettresCorps[static_cast<std::size_t>(a.racine)]) + "-");
        continue;
      }
      const LigneArbre& l = a.lignes[o < racine ? o : o - 1];
      ecrire(glyphes, X + a1, y, Glyphe(LettresCorps[static_cast<std::size_t>(l.corps1)]) + "-");
      if (l.corps2 != 0) ecrire(glyphes, X + a6, y, "-" + Glyphe(LettresCorps[static_cast<std::size_t>(l.corps2)]));
      ecrire(arial, X + a3, y, Texte(TexteEcartMP(l.ecart)));
      ++n;
    }
  }
  if (n <= MiPointsMax && imprimante) {
    ecrire(Police("Arial", 10, true), x0, rh, Texte(entete.titre));
    ecrire(Police("Arial", 10), x0, 2 * rh, Texte(entete.detail));
  }
  return n;
}

Feuille FeuilleArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete) {
  Feuille f;
  f.titres << Texte(entete.titre) << Texte(entete.detail);
  f.colonnes = {{"Arbre", 5, Qt::AlignLeft, true},
                {"Point", 5, Qt::AlignLeft, true},
                {QString::fromUtf8("Écart"), 7},
                {"Point", 5, Qt::AlignLeft, true}};
  const auto glyphe = [](int corps) { return Glyphe(LettresCorps[static_cast<std::size_t>(corps)]); };
  for (const ArbreMP& a : arbres) {
    const std::size_t racine = a.PlaceRacine();
    for (std::size_t o = 0; o <= a.lignes.size(); ++o) {
      if (o == racine) {
        f.lignes.push_back({glyphe(a.racine), glyphe(a.racine), "", ""});
        continue;
      }
      const LigneArbre& l = a.lignes[o < racine ? o : o - 1];
      f.lignes.push_back({glyphe(a.racine), glyphe(l.corps1), Texte(TexteEcartMP(l.ecart)), l.corps2 ? glyphe(l.corps2) : ""});
    }
  }
  return f;
}

TFormArbresMP::TFormArbresMP(QWidget* parent) : FenetreTechnique(parent) {
  const EtatTheme& e = Etat();
  setWindowTitle(Texte(e.NomAffiche.Texte()) + "  -  " + "Arbres des mi-points" + "  " +
                 Texte(e.NomFichierNaissance.Texte()) + " : " + Texte(e.LigneDateHeure.Texte()) + "  " +
                 Texte(e.FicheEnCours.Ville.Texte()) + "  " + Texte(e.LigneCoordonnees.Texte()));
  ComboBoxHarmonic = new QComboBox(this);
  ComboBoxHarmonic->setObjectName("ComboBoxHarmonic");
  for (int h = 1; h <= NbHarmoniquesArbres; ++h) ComboBoxHarmonic->addItem(Texte(TexteHarmonique(h)));
  ComboBoxHarmonic->setCurrentIndex(3);
  ComboBoxOrbe = new QComboBox(this);
  ComboBoxOrbe->setObjectName("ComboBoxOrbe");
  // The same texts as the house frames' orbs: five minutes to two degrees.
  for (int i = 0; i < NbOrbesArbres; ++i) ComboBoxOrbe->addItem(Texte(TexteOrbe(i)));
  ComboBoxOrbe->setCurrentIndex(5);
  BtnCalcul = new QPushButton("Calcul", this);
  BtnCalcul->setObjectName("BtnCalcul");
  SpeedButton1 = new QPushButton("Imprimer", this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setToolTip("Imprimer");
  auto* haut = new QHBoxLayout;
  for (QWidget* w : std::initializer_list<QWidget*>{ComboBoxHarmonic, ComboBoxOrbe, BtnCalcul, SpeedButton1}) haut->addWidget(w);
  haut->addStretch();
  Image1 = new QLabel;
  Image1->setObjectName("Image1");
  Defilement = new QScrollArea(this);
  Defilement->setObjectName("Defilement");
  BrancherFeuille(*Defilement, {[this] { return FeuilleArbres(arbres_, Entete()); },
                                [] { return LignesCachet(ContexteDuTheme(Etat())); },
                                [] { return QString("Arbres des mi-points.csv"); }});
  Defilement->setWidget(Image1);
  auto* d = new QVBoxLayout(this);
  d->addLayout(haut);
  d->addWidget(Defilement, 1);
  QSize ecran(1280, 900);
  if (const QScreen* s = QGuiApplication::primaryScreen()) ecran = s->availableGeometry().size();
  image_ = QImage(std::max(400, ecran.width() - 30), 2 * ecran.height(), QImage::Format_RGB32);
  image_.fill(Qt::white);
  Image1->setPixmap(QPixmap::fromImage(image_));
  Image1->resize(image_.size());
  connect(BtnCalcul, &QPushButton::clicked, this, [this] { BtnCalculClick(); });
  connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  resize(ecran.width(), ecran.height());
}

EnteteArbres TFormArbresMP::Entete() const {
  const EtatTheme& e = Etat();
  return {std::string(e.NomAffiche.Texte()) + "  - Arbres des mi-points : " + Octets(ComboBoxHarmonic->currentText()) +
              " , orbe : " + Octets(ComboBoxOrbe->currentText()),
          std::string(e.NomFichierNaissance.Texte()) + " : " + std::string(e.LigneDateHeure.Texte()) + "  " +
              std::string(e.FicheEnCours.Ville.Texte()) + "  " + std::string(e.LigneCoordonnees.Texte())};
}

void TFormArbresMP::Calculer() {
  arbres_ = CalculerArbres(LireLongitudesNatales(), Etat().JeuPlanetes, ComboBoxHarmonic->currentIndex() + 1,
                           OrbeArbres(ComboBoxOrbe->currentIndex()));
}

void TFormArbresMP::DessinerEcran() {
  image_.fill(Qt::white);
  QPainter p(&image_);
  const int n = DessinerArbres(p, arbres_, false, Entete());
  p.end();
  Image1->setPixmap(QPixmap::fromImage(image_));
  if (n > MiPointsMax) LaPlateforme().Information("IL y a trop de mi-points : diminuez l'orbe");
}

void TFormArbresMP::BtnCalculClick() {
  Calculer();
  DessinerEcran();
}

void TFormArbresMP::SpeedButton1Click() {
  Calculer();
  DocumentImprime d;
  d.cachet = LignesCachet(ContexteDuTheme(Etat()));
  d.peindre = [arbres = arbres_, entete = Entete()](QPainter& p, const QRectF& zone, int) {
    DessinerArbres(p, arbres, true, entete, zone.height());
  };
  if (ImprimerDocument(d, "Arbres des mi-points.pdf") && NombreMiPoints(arbres_) > MiPointsMax)
    LaPlateforme().Information("IL y a trop de mi-points : diminuez l'orbe");
  DessinerEcran();
}

}  // namespace selvane
