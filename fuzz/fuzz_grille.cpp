// The grid's column layout text ("[Columns]", "[Column:n]" sections): any text
// restores without a crash, and the layout it leaves, saved and restored
// again, saves the same.
#include <QApplication>

#include "fuzz/Commun.h"
#include "widgets/GrilleTexte.h"

using namespace selvane;

namespace {
GrilleTexte* gGrille = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  fuzz::Initialiser();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication application(*argc, *argv);
  gGrille = new GrilleTexte;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  QVector<ColonneGrille> colonnes(6);
  for (int i = 0; i < colonnes.size(); ++i) colonnes[i].titre = QString("Colonne %1").arg(i);
  gGrille->DefinirColonnes(colonnes);
  gGrille->RestaurerDisposition(QString::fromUtf8(reinterpret_cast<const char*>(d), static_cast<int>(n)));
  const QString une = gGrille->Disposition();
  gGrille->RestaurerDisposition(une);
  VERIFIER(gGrille->Disposition() == une);
  return 0;
}
