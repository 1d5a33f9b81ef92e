#include "widgets/ActionsFeuille.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>
#include <memory>

#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"
#include "widgets/Plateforme.h"

namespace selvane {

void CopierFeuille(const Feuille& feuille) {
  if (QClipboard* pp = QGuiApplication::clipboard()) pp->setText(TexteFeuille(feuille));
}

bool ExporterFeuilleCsv(const Feuille& feuille, const QStringList& cachet, const QString& nomPropose) {
  QString chemin = nomPropose;
  if (!LaPlateforme().ChoisirFichier(QString::fromUtf8("Exporter CSV"), "CSV (*.csv)", true, chemin) || chemin.isEmpty())
    return false;
  try {
    RemplacerFichierEntier(std::filesystem::path(chemin.toStdString()), CsvFeuille(feuille, cachet));
  } catch (const ErreurFichier& e) {
    LaPlateforme().Erreur(QString::fromUtf8(e.what()));
    return false;
  }
  return true;
}

void BrancherFeuille(QWidget& grille, SourceFeuille source) {
  const auto s = std::make_shared<const SourceFeuille>(std::move(source));
  auto* copier = new QAction(QString::fromUtf8("Copier"), &grille);
  copier->setShortcut(QKeySequence::Copy);
  // Before the grid's own Ctrl+C, which copies one cell only.
  copier->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(copier, &QAction::triggered, &grille, [s] { CopierFeuille(s->feuille()); });
  auto* exporter = new QAction(QString::fromUtf8("Exporter CSV…"), &grille);
  QObject::connect(exporter, &QAction::triggered, &grille, [s] {
    ExporterFeuilleCsv(s->feuille(), s->cachet ? s->cachet() : QStringList{}, s->nomCsv ? s->nomCsv() : "Selvane.csv");
  });
  grille.addAction(copier);
  grille.addAction(exporter);
  grille.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace selvane
