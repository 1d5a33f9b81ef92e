#pragma once
// A grid of texts whose columns carry a caption, a colour, a font, a width
// (0 hides), a visibility and a sort order; it sorts its rows through a
// compare-rows callback, searches a sorted column, edits cells in place, and
// saves its column layout as "[Columns]" / "[Column:" sections.
#include <QTableWidget>
#include <functional>

namespace selvane {

enum class OrdreTri { Aucun, Croissant, Decroissant };

struct ColonneGrille {
  QString titre;
  QColor couleur = Qt::black;
  QFont police;
  int largeur = 80;
  bool visible = true;
  OrdreTri ordre = OrdreTri::Aucun;
};

class GrilleTexte : public QTableWidget {
  Q_OBJECT
 public:
  using ComparerLignes = std::function<int(const QStringList& a, const QStringList& b)>;

  explicit GrilleTexte(QWidget* parent = nullptr);

  void DefinirColonnes(const QVector<ColonneGrille>& colonnes);
  const ColonneGrille& Colonne(int i) const { return colonnes_[i]; }
  void DefinirOrdre(int colonne, OrdreTri ordre) { colonnes_[colonne].ordre = ordre; }
  void EffacerOrdres();
  void DefinirLargeur(int colonne, int largeur);

  QString Texte(int ligne, int colonne) const;
  void DefinirTexte(int ligne, int colonne, const QString& texte);
  QStringList Ligne(int ligne) const;
  void AjouterLigne(const QStringList& textes);
  void AjouterLignes(const QVector<QStringList>& lignes);
  void Vider();
  // Each visible column as wide as its widest cell (or caption) plus the margin, at least the minimum.
  void AjusterColonnes(int marge, int minimum);

  // Stable sort of the rows by the callback (which reads the columns' sort orders).
  void Trier(const ComparerLignes& comparer);
  // First row whose text in the column is not below the text (case folded a..z),
  // on a column sorted ascending; rowCount() when every row is below.
  int Chercher(int colonne, const QString& texte) const;

  QString Disposition() const;
  void RestaurerDisposition(const QString& texte);

 private:
  QVector<ColonneGrille> colonnes_;
  void AppliquerColonne(int i);
  QTableWidgetItem* NouvelleCellule(int colonne, const QString& texte) const;
  void EcrireEnBloc(int premiere, int derniere, const std::function<void()>& ecrire);
};

// Compares two texts folding only "a".."z" to capitals, code by code.
int ComparerSansCasse(const QString& a, const QString& b);

}  // namespace selvane
