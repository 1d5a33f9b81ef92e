// selvane-cli sequences: the planetary sequences of a birth in the 22°30' dial, and the page
// the window prints of them.
#include <cstdio>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "techniques/ImpressionTables.h"
#include "techniques/Sequences.h"

namespace selvane {

int CommandeSequences(const Appel& a) {
  double orbe = 0.5;
  const auto lireOrbe = [&](const std::string& valeur) {
    if (valeur == "0.5") orbe = 0.5;
    else if (valeur == "1") orbe = 1;
    else {
      Avertir("Orbe incorrect : " + valeur + " (0.5 ou 1)");
      return false;
    }
    return true;
  };
  OptionsLues lues;
  const int statut = PreparerThemeNatal(a, {{"--orb", lireOrbe}}, lues);
  if (statut != 0) return statut;
  const std::vector<PointSequence> points = TrierPointsSequences(LireLongitudesNatales());
  const std::vector<Sequence> sequences = CalculerSequences(points, orbe);
  if (lues.Present("--pdf")) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    const DocumentImprime d =
        DocumentSequences(EnteteDesSequences(Etat(), orbe), points, sequences, LignesCachet(ContexteDuTheme(Etat())));
    if (!EcrirePdfDemande(d, lues)) return 2;
  }
  std::string s = "number,bodies\n";
  for (const Sequence& q : sequences) {
    s += std::to_string(q.numero) + ",";
    for (std::size_t i = 0; i < q.corps.size(); ++i) s += (i ? "=" : "") + std::to_string(q.corps[i]);
    s += "\n";
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
