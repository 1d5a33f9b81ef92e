#include "widgets/Impression.h"

#include <QFileInfo>
#include <QPrinter>

#include "widgets/Plateforme.h"

namespace selvane {

const char* const MessageImprimanteRefusee = "Impression impossible : l'imprimante ne peut pas être ouverte.";

namespace {

std::function<void(const DocumentImprime&)>& Observateur() {
  static std::function<void(const DocumentImprime&)> o;
  return o;
}

// "Niveaux de gris" chosen in the dialog is the document's own black and white: every pen and
// glyph black, fills grey, rather than the printer's conversion of the colours.
bool Gris(const QPrinter& imprimante) { return imprimante.colorMode() == QPrinter::GrayScale; }

bool Peindre(QPrinter& imprimante, const DocumentImprime& d) {
  if (!Gris(imprimante) || d.noirEtBlanc)
    return PeindreDocument(imprimante, d, [&imprimante] { return imprimante.newPage(); });
  DocumentImprime gris = d;
  gris.noirEtBlanc = true;
  return PeindreDocument(imprimante, gris, [&imprimante] { return imprimante.newPage(); });
}

}  // namespace

void ObserverImpressions(std::function<void(const DocumentImprime&)> observateur) {
  Observateur() = std::move(observateur);
}

bool ImprimerDocument(const DocumentImprime& document, const QString& nomPdf) {
  if (Observateur()) Observateur()(document);
  QPrinter imprimante(QPrinter::HighResolution);
  imprimante.setPageOrientation(document.paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
  switch (LaPlateforme().DialogueImpressionDocument(imprimante)) {
    case ChoixImpression::Annuler:
      return false;
    case ChoixImpression::Imprimer:
      if (Peindre(imprimante, document)) return true;
      LaPlateforme().Erreur(QString::fromUtf8(MessageImprimanteRefusee));
      return false;
    case ChoixImpression::Apercu: {
      bool refus = false;
      const bool imprime = LaPlateforme().ApercuImpression(imprimante, [&](QPrinter& p) {
        if (!Peindre(p, document)) refus = true;
      });
      if (refus) LaPlateforme().Erreur(QString::fromUtf8(MessageImprimanteRefusee));
      return imprime && !refus;
    }
    case ChoixImpression::ExporterPdf: {
      QString chemin = nomPdf;
      if (!LaPlateforme().ChoisirFichier(QString::fromUtf8("Exporter en PDF"), "PDF (*.pdf)", true, chemin)) return false;
      if (QFileInfo(chemin).suffix().isEmpty()) chemin += ".pdf";
      QString erreur;
      if (EcrirePdf(document, chemin, Gris(imprimante), &erreur)) return true;
      LaPlateforme().Erreur(erreur);
      return false;
    }
  }
  return false;
}

}  // namespace selvane
