#pragma once
// What the commands write besides their own rows: the calculation stamp before a CSV output
// (--stamp), and the printed page of a window as a PDF file (--pdf FILE [--bw]).
#include <string>

#include "cli/Options.h"
#include "dessin/Document.h"

namespace selvane {

// With --stamp among `lues`, the stamp of `contexte` as "# " comment lines, dated as a CSV
// ("Exporté le …", CachetCsv); "" without.
std::string CommentairesCachet(const OptionsLues& lues, const ContexteCachet& contexte);
// The CSV on standard output; with --stamp among `lues`, the stamp of `contexte` first, one
// "# " comment line per fact.
void EcrireCsv(const std::string& csv, const OptionsLues& lues, const ContexteCachet& contexte);

// The document into the file of --pdf, black and white with --bw; true when --pdf is absent.
// False after the French message when the file cannot be written. The caller keeps a Qt
// application open (OuvrirApplicationHorsEcran) while it is written.
bool EcrirePdfDemande(const DocumentImprime& d, const OptionsLues& lues);

}  // namespace selvane
