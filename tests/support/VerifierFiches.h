#pragma once
// Every record of a birth file, field by field, against the records the user kept.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "birthdata/records/FicheClient.h"

inline void VerifierFiches(const std::vector<selvane::FicheClient>& lues,
                           const std::vector<selvane::FicheClient>& attendues, const std::string& fichier) {
  ASSERT_EQ(lues.size(), attendues.size()) << fichier;
  for (std::size_t i = 0; i < lues.size(); ++i) {
    const selvane::FicheClient &a = lues[i], &b = attendues[i];
    for (auto [x, y] : {std::pair{a.Nom.Chaine(), b.Nom.Chaine()}, {a.SortOrder.Chaine(), b.SortOrder.Chaine()},
                        {a.Date.Chaine(), b.Date.Chaine()}, {a.Heure.Chaine(), b.Heure.Chaine()},
                        {a.Ville.Chaine(), b.Ville.Chaine()}, {a.Lat.Chaine(), b.Lat.Chaine()},
                        {a.Long.Chaine(), b.Long.Chaine()}, {a.Fuseau.Chaine(), b.Fuseau.Chaine()},
                        {a.Commentaire.Chaine(), b.Commentaire.Chaine()}})
      EXPECT_EQ(x, y) << fichier << ", record " << i;
  }
}
