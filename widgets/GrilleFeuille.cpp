#include "widgets/GrilleFeuille.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

#include "widgets/GrilleTexte.h"

namespace selvane {

namespace {

void Remplir(QTableWidget& grille, const Feuille& f, const QFont* texte, const QFont& glyphes, double unite) {
  const int colonnes = static_cast<int>(f.colonnes.size());
  grille.clearContents();
  grille.setColumnCount(colonnes);
  grille.setRowCount(static_cast<int>(f.lignes.size()));
  QStringList titres;
  for (const ColonneFeuille& c : f.colonnes) titres << c.titre;
  grille.setHorizontalHeaderLabels(titres);
  for (int k = 0; k < colonnes; ++k) {
    const double largeur = f.colonnes[static_cast<std::size_t>(k)].largeur;
    grille.setColumnHidden(k, largeur <= 0);
    if (largeur > 0) grille.setColumnWidth(k, static_cast<int>(std::lround(largeur * unite)));
  }
  for (int i = 0; i < static_cast<int>(f.lignes.size()); ++i) {
    const QStringList& l = f.lignes[static_cast<std::size_t>(i)];
    for (int k = 0; k < colonnes && k < l.size(); ++k) {
      const ColonneFeuille& c = f.colonnes[static_cast<std::size_t>(k)];
      auto* cellule = new QTableWidgetItem(l[k]);
      cellule->setTextAlignment(c.alignement | Qt::AlignVCenter);
      cellule->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (c.glyphes)
        cellule->setFont(glyphes);
      else if (texte)
        cellule->setFont(*texte);
      grille.setItem(i, k, cellule);
    }
  }
}

}  // namespace

void RemplirGrille(QTableWidget& grille, const Feuille& f) {
  QFont glyphes("Celvan S");
  glyphes.setPointSizeF(grille.font().pointSizeF() > 0 ? grille.font().pointSizeF() + 2 : 11);
  Remplir(grille, f, nullptr, glyphes, grille.fontMetrics().horizontalAdvance('A'));
}

void RemplirGrille(QTableWidget& grille, const Feuille& f, const StyleGrille& style) {
  Remplir(grille, f, &style.texte, style.glyphes, QFontMetrics(style.unite).horizontalAdvance(style.lettre));
}

void RemplirGrilleTexte(GrilleTexte& grille, const Feuille& f, const std::vector<QFont>& polices, double unite) {
  QVector<ColonneGrille> colonnes;
  for (std::size_t k = 0; k < f.colonnes.size(); ++k) {
    ColonneGrille c;
    c.titre = f.colonnes[k].titre;
    c.largeur = static_cast<int>(f.colonnes[k].largeur * unite);  // 0 hides the column
    c.police = k < polices.size() ? polices[k] : grille.font();
    colonnes << c;
  }
  grille.Vider();
  grille.DefinirColonnes(colonnes);
  QVector<QStringList> lignes;
  lignes.reserve(static_cast<int>(f.lignes.size()));
  for (const QStringList& l : f.lignes) lignes << l;
  grille.AjouterLignes(lignes);
}

Feuille FeuilleAffichee(const GrilleTexte& grille, Feuille f) {
  f.lignes.clear();
  for (int i = 0; i < grille.rowCount(); ++i) f.lignes.push_back(grille.Ligne(i).mid(0, static_cast<int>(f.colonnes.size())));
  return f;
}

}  // namespace selvane
