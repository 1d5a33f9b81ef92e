#include "manager/ModeleTableFiches.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <algorithm>
#include <vector>

#include "widgets/Texte1252.h"

namespace selvane {
namespace gestion {

namespace {

const char* const Titres[ModeleTableFiches::Colonnes] = {"N°",  "Nom",  "Date naiss", "Heure",       "Lieu",
                                                          "Lat", "Long", "Fuseau",     "Commentaire", "SortOrder"};

}  // namespace

ModeleTableFiches::ModeleTableFiches(const CarnetFiches& carnet, QObject* parent)
    : QAbstractTableModel(parent), carnet_(carnet) {}

int ModeleTableFiches::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : carnet_.Nombre();
}

int ModeleTableFiches::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Colonnes; }

QString ModeleTableFiches::Texte(int ligne, int colonne) const {
  if (ligne < 0 || ligne >= carnet_.Nombre()) return {};
  if (colonne == 0) return QString::number(ligne + 1);
  const FicheClient& f = carnet_.Fiche(ligne);
  switch (colonne) {
    case 1: return selvane::Texte(f.Nom.Texte());
    case 2: return selvane::Texte(f.Date.Texte());
    case 3: return selvane::Texte(f.Heure.Texte());
    case 4: return selvane::Texte(f.Ville.Texte());
    case 5: return selvane::Texte(f.Lat.Texte());
    case 6: return selvane::Texte(f.Long.Texte());
    case 7: return selvane::Texte(f.Fuseau.Texte());
    case 8: return selvane::Texte(f.Commentaire.Texte());
    case 9: return selvane::Texte(f.SortOrder.Texte());
    default: return {};
  }
}

QVariant ModeleTableFiches::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  return Texte(index.row(), index.column());
}

QVariant ModeleTableFiches::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Vertical) return {};
  if (section < 0 || section >= Colonnes) return {};
  return QString::fromUtf8(Titres[section]);
}

Qt::ItemFlags ModeleTableFiches::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void ModeleTableFiches::Rafraichir() {
  beginResetModel();
  endResetModel();
}

VueFiches::VueFiches(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setTabKeyNavigation(false);  // Tab leaves the table for the edit panel
}

QString VueFiches::Texte(int ligne, int colonne) const {
  const auto* m = qobject_cast<const ModeleTableFiches*>(model());
  return m ? m->Texte(ligne, colonne) : QString();
}

void VueFiches::AllerA(int ligne) {
  if (!model() || ligne < 0 || ligne >= rowCount()) return;
  const QModelIndex i = model()->index(ligne, 1);
  setCurrentIndex(i);
  scrollTo(i);
}

void VueFiches::AjusterColonnes(int marge, int minimum) {
  if (!model()) return;
  const QFontMetrics m(font());
  // Measuring every cell of a large file takes longer than the load: the widest cell is
  // among the texts with the most characters, so only those are measured.
  constexpr std::size_t Candidats = 64;
  for (int c = 0; c < columnCount(); ++c) {
    if (isColumnHidden(c)) continue;
    std::vector<QString> textes;
    textes.reserve(static_cast<std::size_t>(rowCount()));
    for (int l = 0; l < rowCount(); ++l) textes.push_back(Texte(l, c));
    const auto plusLongs = textes.begin() + static_cast<std::ptrdiff_t>(std::min(Candidats, textes.size()));
    std::partial_sort(textes.begin(), plusLongs, textes.end(),
                      [](const QString& a, const QString& b) { return a.size() > b.size(); });
    int large = m.horizontalAdvance(model()->headerData(c, Qt::Horizontal).toString()) + marge;
    for (auto t = textes.begin(); t != plusLongs; ++t) large = std::max(large, m.horizontalAdvance(*t) + marge);
    setColumnWidth(c, std::max(large, minimum));
  }
}

}  // namespace gestion
}  // namespace selvane
