#include "widgets/GrilleFeuille.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>
#include <cmath>

namespace selvane {

void RemplirGrille(QTableWidget& grille, const Feuille& f) {
  const int colonnes = static_cast<int>(f.colonnes.size());
  grille.clearContents();
  grille.setColumnCount(colonnes);
  grille.setRowCount(static_cast<int>(f.lignes.size()));
  QStringList titres;
  for (const ColonneFeuille& c : f.colonnes) titres << c.titre;
  grille.setHorizontalHeaderLabels(titres);
  const int a = grille.fontMetrics().horizontalAdvance('A');
  QFont glyphes("Celvan S");
  glyphes.setPointSizeF(grille.font().pointSizeF() > 0 ? grille.font().pointSizeF() + 2 : 11);
  for (int k = 0; k < colonnes; ++k)
    grille.setColumnWidth(k, static_cast<int>(std::lround(f.colonnes[static_cast<std::size_t>(k)].largeur * a)));
  for (int i = 0; i < static_cast<int>(f.lignes.size()); ++i) {
    const QStringList& l = f.lignes[static_cast<std::size_t>(i)];
    for (int k = 0; k < colonnes && k < l.size(); ++k) {
      const ColonneFeuille& c = f.colonnes[static_cast<std::size_t>(k)];
      auto* cellule = new QTableWidgetItem(l[k]);
      cellule->setTextAlignment(c.alignement | Qt::AlignVCenter);
      cellule->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (c.glyphes) cellule->setFont(glyphes);
      grille.setItem(i, k, cellule);
    }
  }
}

}  // namespace selvane
