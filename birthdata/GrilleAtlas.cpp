#include "birthdata/GrilleAtlas.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

#include "widgets/Texte1252.h"

namespace selvane {

GrilleAtlas::GrilleAtlas(int lignes, QWidget* parent)
    : QWidget(parent), lignes_(lignes), table_(new QTableWidget(lignes, 4, this)), barre_(new QScrollBar(Qt::Vertical, this)) {
  table_->setHorizontalHeaderLabels({"Ville", QString::fromUtf8("Pays/Région"), "Lat", "Long"});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setFont(QFont("Liberation Sans", 8));
  const int w = table_->fontMetrics().horizontalAdvance('A');
  const int largeurs[4] = {lignes == 20 ? 40 : 30, 30, 6, 7};
  for (int c = 0; c < 4; ++c) table_->setColumnWidth(c, largeurs[c] * w);
  // The city column gives up width first, so the coordinates stay in view in a
  // narrow window.
  table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table_->horizontalHeader()->setMinimumSectionSize(6 * w);
  for (int l = 0; l < lignes; ++l) table_->setRowHeight(l, table_->fontMetrics().height() + 4);
  barre_->setPageStep(16);
  connect(barre_, &QScrollBar::valueChanged, this, [this](int v) {
    if (v != debut_) Afficher(v);
  });
  connect(table_, &QTableWidget::cellClicked, this, [this](int ligne, int) {
    if (const CityRecord* v = Ligne(ligne)) emit VilleChoisie(*v);
  });
  auto* disposition = new QHBoxLayout(this);
  disposition->setContentsMargins(0, 0, 0, 0);
  disposition->setSpacing(0);
  disposition->addWidget(table_);
  disposition->addWidget(barre_);
}

GrilleAtlas::~GrilleAtlas() = default;

void GrilleAtlas::Ouvrir(const QString& chemin) {
  atlas_ = std::make_unique<FichierAtlas>(chemin.toStdString());
  barre_->setRange(0, static_cast<int>(std::max<std::int64_t>(0, atlas_->Nombre() - lignes_)));
  Afficher(0);
}

void GrilleAtlas::Chercher(const QString& texte, int recul) {
  if (!atlas_) return;
  const std::int64_t trouve = atlas_->Chercher(SaisieVersCp1252(texte.normalized(QString::NormalizationForm_C).toStdString()));
  Afficher(PremiereLigne(trouve, recul, lignes_, atlas_->Nombre()));
}

void GrilleAtlas::Afficher(std::int64_t debut) {
  debut_ = debut;
  page_ = atlas_ ? atlas_->Page(debut, lignes_) : std::vector<CityRecord>();
  for (int l = 0; l < lignes_; ++l) {
    const bool plein = l < static_cast<int>(page_.size());
    const QColor fond = l % 2 == 1 ? QColor(0xC0, 0xDC, 0xC0) : QColor(Qt::white);  // 12639424 on even rows
    const QString textes[4] = {plein ? Texte(page_[l].Ville.Texte()) : QString(), plein ? Texte(page_[l].Pays.Texte()) : QString(),
                               plein ? Texte(page_[l].Lat.Texte()) : QString(), plein ? Texte(page_[l].Long.Texte()) : QString()};
    for (int c = 0; c < 4; ++c) {
      auto* e = new QTableWidgetItem(textes[c]);
      e->setBackground(fond);
      e->setForeground(Qt::black);
      table_->setItem(l, c, e);
    }
  }
  barre_->blockSignals(true);
  barre_->setValue(static_cast<int>(debut));
  barre_->blockSignals(false);
}

const CityRecord* GrilleAtlas::Ligne(int ligne) const {
  return ligne >= 0 && ligne < static_cast<int>(page_.size()) ? &page_[ligne] : nullptr;
}

}  // namespace selvane
