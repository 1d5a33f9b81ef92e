#include "forecast/FeuilleTableMiPoints.h"

#include "core/Catalogue.h"
#include "dessin/Traits.h"
#include "forecast/DessinTableMiPoints.h"
#include "widgets/Texte1252.h"

namespace selvane {

Feuille FeuilleTableMiPoints(const std::vector<LigneTableMiPoints>& lignes, int harmonique, const QStringList& titres) {
  Feuille f;
  f.titres = titres;
  f.colonnes = {{"Point A", 5, Qt::AlignLeft, true},
                {"Point B", 5, Qt::AlignLeft, true},
                {"Position", 10, Qt::AlignLeft, harmonique == 1},
                {"Code", 5}};
  const auto glyphe = [](int corps) { return Glyphe(LettresCorps[static_cast<std::size_t>(corps)]); };
  for (const LigneTableMiPoints& l : lignes)
    f.lignes.push_back({glyphe(l.a != 0 ? l.a : l.b), l.a != 0 ? glyphe(l.b) : QString(), TextePosition(l, harmonique),
                        Texte(l.code)});
  return f;
}

}  // namespace selvane
