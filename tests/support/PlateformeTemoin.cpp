#include "tests/support/PlateformeTemoin.h"

#include <QPrinter>

namespace selvane {

bool PlateformeTemoin::DialogueImpression(QPrinter& imprimante) {
  imprimante.setOutputFormat(QPrinter::PdfFormat);
  imprimante.setOutputFileName(fichierPdf);
  return imprimer;
}

ChoixImpression PlateformeTemoin::DialogueImpressionDocument(QPrinter& imprimante) {
  if (!imprimer) return ChoixImpression::Annuler;
  if (niveauxDeGris) imprimante.setColorMode(QPrinter::GrayScale);
  if (choixImpression == ChoixImpression::Imprimer) {
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(fichierPdf);
  }
  return choixImpression;
}

bool PlateformeTemoin::ApercuImpression(QPrinter& imprimante, const std::function<void(QPrinter&)>& peindre) {
  ++apercus;
  imprimante.setOutputFormat(QPrinter::PdfFormat);
  imprimante.setOutputFileName(fichierPdf);
  peindre(imprimante);
  return false;
}

}  // namespace selvane
