#include "birthdata/LignesFiches.h"

#include "birthdata/records/Cp1252.h"

namespace selvane {

LigneFiche LigneDeFiche(const FicheClient& f) {
  LigneFiche l;
  l.fiche = f;
  const std::string_view champs[NbColonnesFiches] = {f.Nom.Texte(),   f.Date.Texte(),        f.Heure.Texte(),
                                                     f.Ville.Texte(), f.Lat.Texte(),         f.Long.Texte(),
                                                     f.Fuseau.Texte(), f.Commentaire.Texte(), f.SortOrder.Texte()};
  for (int c = 0; c < NbColonnesFiches; ++c) l.colonnes[c] = Cp1252VersUtf8(champs[c]);
  return l;
}

std::vector<LigneFiche> LignesFiches(const std::vector<FicheClient>& fiches) {
  std::vector<LigneFiche> lignes;
  lignes.reserve(fiches.size());
  for (const FicheClient& f : fiches) lignes.push_back(LigneDeFiche(f));
  return lignes;
}

std::string ResumeFiche(const LigneFiche& l) {
  const auto& t = l.colonnes;
  return t[0] + "\n" + t[1] + "  " + t[2] + "\n" + t[7] + "\n" + t[3] + "\n" + t[4] + "  " + t[5] + "  " + t[6];
}

}  // namespace selvane
