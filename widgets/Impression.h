#pragma once
// The one way a window prints: the French print dialog with "Aperçu…" and "Exporter en
// PDF…", the preview, the PDF written straight to a chosen file, and a French error when
// the printer or the file cannot be opened. Every page goes through the document layer
// (dessin/Document.h): black and white, the calculation stamp in the footer.
#include <QString>
#include <functional>

#include "dessin/Document.h"

namespace selvane {

// `nomPdf` is the file name proposed for the PDF. True when the document went to the
// printer, from the preview, or into a file; false when cancelled or refused.
bool ImprimerDocument(const DocumentImprime& document, const QString& nomPdf = "Selvane.pdf");

extern const char* const MessageImprimanteRefusee;  // UTF-8

// Tests: sees every document handed to the routine, before its dialog. Empty: none.
void ObserverImpressions(std::function<void(const DocumentImprime&)> observateur);

}  // namespace selvane
