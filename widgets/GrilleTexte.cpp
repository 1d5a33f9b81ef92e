#include "widgets/GrilleTexte.h"

#include <QHeaderView>
#include <QStyle>
#include <QRegularExpression>
#include <algorithm>
#include <array>

namespace selvane {

int ComparerSansCasse(const QString& a, const QString& b) {
  auto plier = [](QChar c) { return (c >= 'a' && c <= 'z') ? QChar(c.unicode() - 32) : c; };
  const int n = std::min(a.size(), b.size());
  for (int i = 0; i < n; ++i) {
    const QChar x = plier(a[i]), y = plier(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

GrilleTexte::GrilleTexte(QWidget* parent) : QTableWidget(parent) {
  verticalHeader()->hide();
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(true);
}

void GrilleTexte::DefinirColonnes(const QVector<ColonneGrille>& colonnes) {
  colonnes_ = colonnes;
  setColumnCount(colonnes.size());
  for (int i = 0; i < colonnes.size(); ++i) AppliquerColonne(i);
}

void GrilleTexte::AppliquerColonne(int i) {
  const ColonneGrille& c = colonnes_[i];
  auto* entete = new QTableWidgetItem(c.titre);
  entete->setForeground(c.couleur);
  setHorizontalHeaderItem(i, entete);
  setColumnHidden(i, !c.visible || c.largeur == 0);
  if (c.largeur > 0) setColumnWidth(i, c.largeur);
}

void GrilleTexte::EffacerOrdres() {
  for (ColonneGrille& c : colonnes_) c.ordre = OrdreTri::Aucun;
}

void GrilleTexte::DefinirLargeur(int colonne, int largeur) {
  colonnes_[colonne].largeur = largeur;
  AppliquerColonne(colonne);
}

QString GrilleTexte::Texte(int ligne, int colonne) const {
  const QTableWidgetItem* e = item(ligne, colonne);
  return e ? e->text() : QString();
}

void GrilleTexte::DefinirTexte(int ligne, int colonne, const QString& texte) {
  QTableWidgetItem* e = item(ligne, colonne);
  if (!e) {
    e = new QTableWidgetItem;
    setItem(ligne, colonne, e);
  }
  e->setText(texte);
  if (colonne < colonnes_.size()) {
    e->setForeground(colonnes_[colonne].couleur);
    e->setFont(colonnes_[colonne].police);
  }
}

QStringList GrilleTexte::Ligne(int ligne) const {
  QStringList textes;
  for (int c = 0; c < columnCount(); ++c) textes << Texte(ligne, c);
  return textes;
}

void GrilleTexte::AjouterLigne(const QStringList& textes) { AjouterLignes({textes}); }

// Many cells at once: the model tells its views once instead of once per cell
// (a 10,000-record file is 100,000 cells).
void GrilleTexte::EcrireEnBloc(int premiere, int derniere, const std::function<void()>& ecrire) {
  if (premiere > derniere) return;
  const bool bloque = model()->blockSignals(true);
  ecrire();
  model()->blockSignals(bloque);
  emit model()->dataChanged(model()->index(premiere, 0), model()->index(derniere, columnCount() - 1));
}

QTableWidgetItem* GrilleTexte::NouvelleCellule(int colonne, const QString& texte) const {
  auto* e = new QTableWidgetItem(texte);
  // Black in the table's font is what the cell shows anyway: only other choices are stored.
  if (colonne < colonnes_.size()) {
    if (colonnes_[colonne].couleur != QColor(Qt::black)) e->setForeground(colonnes_[colonne].couleur);
    if (colonnes_[colonne].police != QFont()) e->setFont(colonnes_[colonne].police);
  }
  return e;
}

void GrilleTexte::AjouterLignes(const QVector<QStringList>& lignes) {
  const int debut = rowCount();
  setRowCount(debut + lignes.size());
  EcrireEnBloc(debut, rowCount() - 1, [&] {
    for (int l = 0; l < lignes.size(); ++l)
      for (int c = 0; c < lignes[l].size() && c < columnCount(); ++c) setItem(debut + l, c, NouvelleCellule(c, lignes[l][c]));
  });
}

void GrilleTexte::Vider() { setRowCount(0); }

void GrilleTexte::AjusterColonnes(int marge, int minimum) {
  const int cadre = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
  for (int c = 0; c < columnCount(); ++c) {
    if (isColumnHidden(c)) continue;
    const QFontMetrics m(c < colonnes_.size() ? colonnes_[c].police : font());
    // Every cell of the column is measured: by the advances of its characters,
    // read once each, so that a 10,000-row file is refitted at once.
    std::array<int, 256> avances;
    avances.fill(-1);
    const auto avance = [&](QChar ch) {
      if (ch.unicode() >= 256) return m.horizontalAdvance(ch);
      int& a = avances[ch.unicode()];
      if (a < 0) a = m.horizontalAdvance(ch);
      return a;
    };
    int largeur = horizontalHeader()->sectionSizeHint(c);
    for (int l = 0; l < rowCount(); ++l) {
      const QTableWidgetItem* e = item(l, c);
      if (!e) continue;
      int w = cadre;
      for (QChar ch : e->text()) w += avance(ch);
      largeur = std::max(largeur, w);
    }
    setColumnWidth(c, std::max(minimum, largeur + marge));
  }
}

void GrilleTexte::Trier(const ComparerLignes& comparer) {
  QVector<QStringList> lignes;
  lignes.reserve(rowCount());
  for (int l = 0; l < rowCount(); ++l) lignes << Ligne(l);
  QVector<int> ordre(lignes.size());
  for (int l = 0; l < ordre.size(); ++l) ordre[l] = l;
  std::stable_sort(ordre.begin(), ordre.end(), [&](int a, int b) { return comparer(lignes[a], lignes[b]) < 0; });
  // Only the rows that moved are rewritten.
  EcrireEnBloc(0, rowCount() - 1, [&] {
    for (int l = 0; l < ordre.size(); ++l) {
      if (ordre[l] == l) continue;
      for (int c = 0; c < columnCount(); ++c) {
        if (QTableWidgetItem* e = item(l, c)) e->setText(lignes[ordre[l]].value(c));
        else setItem(l, c, NouvelleCellule(c, lignes[ordre[l]].value(c)));
      }
    }
  });
}

int GrilleTexte::Chercher(int colonne, const QString& texte) const {
  int bas = 0, haut = rowCount();
  while (bas < haut) {
    const int milieu = (bas + haut) / 2;
    if (ComparerSansCasse(Texte(milieu, colonne), texte) < 0) bas = milieu + 1;
    else haut = milieu;
  }
  return bas;
}

QString GrilleTexte::Disposition() const {
  QString s = QString("[Columns]\r\nCount=%1\r\n").arg(colonnes_.size());
  for (int i = 0; i < colonnes_.size(); ++i) {
    const ColonneGrille& c = colonnes_[i];
    s += QString("[Column:%1]\r\nIndex=%1\r\nCaption=%2\r\nColor=%3\r\nSortOrder=%4\r\nVisible=%5\r\nWidth=%6\r\n")
             .arg(i)
             .arg(c.titre)
             .arg(c.couleur.name())
             .arg(c.ordre == OrdreTri::Aucun ? 0 : c.ordre == OrdreTri::Croissant ? 1 : 2)
             .arg(c.visible ? 1 : 0)
             .arg(c.largeur);
  }
  return s;
}

void GrilleTexte::RestaurerDisposition(const QString& texte) {
  int courante = -1;
  for (const QString& brute : texte.split(QRegularExpression("\r?\n"))) {
    const QString ligne = brute.trimmed();
    if (ligne.startsWith("[Column:")) {
      courante = ligne.mid(8, ligne.size() - 9).toInt();
      continue;
    }
    if (courante < 0 || courante >= colonnes_.size()) continue;
    const int egal = ligne.indexOf('=');
    if (egal < 0) continue;
    const QString cle = ligne.left(egal), valeur = ligne.mid(egal + 1);
    ColonneGrille& c = colonnes_[courante];
    if (cle == "Caption") c.titre = valeur;
    else if (cle == "Color") c.couleur = QColor(valeur);
    else if (cle == "SortOrder") c.ordre = valeur == "1" ? OrdreTri::Croissant : valeur == "2" ? OrdreTri::Decroissant : OrdreTri::Aucun;
    else if (cle == "Visible") c.visible = valeur != "0";
    else if (cle == "Width") c.largeur = valeur.toInt();
  }
  for (int i = 0; i < colonnes_.size(); ++i) AppliquerColonne(i);
}

}  // namespace selvane
