#include "tests/support/PlateformeTemoin.h"

#include <QPrinter>

namespace selvane {

bool PlateformeTemoin::DialogueImpression(QPrinter& imprimante) {
  imprimante.setOutputFormat(QPrinter::PdfFormat);
  imprimante.setOutputFileName(fichierPdf);
  return imprimer;
}

}  // namespace selvane
