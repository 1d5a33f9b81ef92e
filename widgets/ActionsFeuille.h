#pragma once
// "Copier" (Ctrl+C) and "Exporter CSV…" on a grid (or a drawing) that shows a sheet: the
// clipboard gets the sheet's tab-separated text, the chosen file its CSV under the
// calculation stamp.
#include <QString>
#include <QStringList>
#include <functional>

#include "dessin/Feuille.h"

class QWidget;

namespace selvane {

// The sheet shown now and the stamp of its calculation, asked for at each use.
struct SourceFeuille {
  std::function<Feuille()> feuille;
  std::function<QStringList()> cachet;
  std::function<QString()> nomCsv;  // the name the file chooser proposes
};

// Ctrl+C on the view and its context menu ("Copier", "Exporter CSV…").
void BrancherFeuille(QWidget& vue, SourceFeuille source);

void CopierFeuille(const Feuille& feuille);
// Asks for the file, then writes it whole or not at all; a file that cannot be written
// (read-only, its folder refused) gives the French error and stays as it was. True when written.
bool ExporterFeuilleCsv(const Feuille& feuille, const QStringList& cachet, const QString& nomPropose);

}  // namespace selvane
