#include "cli/Sorties.h"

#include <cstdio>

#include "core/Avertissements.h"

namespace selvane {

std::string CommentairesCachet(const OptionsLues& lues, const ContexteCachet& contexte) {
  std::string s;
  if (lues.Present("--stamp"))
    for (const QString& ligne : CachetCsv(LignesCachet(contexte))) s += "# " + ligne.toStdString() + "\n";
  return s;
}

void EcrireCsv(const std::string& csv, const OptionsLues& lues, const ContexteCachet& contexte) {
  const std::string s = CommentairesCachet(lues, contexte) + csv;
  std::fwrite(s.data(), 1, s.size(), stdout);
}

bool EcrirePdfDemande(const DocumentImprime& d, const OptionsLues& lues) {
  if (!lues.Present("--pdf")) return true;
  QString erreur;
  if (EcrirePdf(d, QString::fromStdString(lues.Valeur("--pdf")), lues.Present("--bw"), &erreur)) return true;
  Avertir(erreur.toStdString());
  return false;
}

}  // namespace selvane
