#include "cli/ListesPoints.h"

#include <algorithm>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Sorties.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"

namespace selvane {

namespace {

bool LireListeCorps(const std::string& option, const std::string& texte, std::vector<int>& corps) {
  corps.clear();
  return LireChamps(texte, [&](const std::string& champ) {
    int c = 0;
    if (!LireEntier(champ, 1, 23, c) || c == Vertex) {
      Avertir(option + " : point incorrect '" + champ + "' (1 à 19, 21, 22, 23)");
      return false;
    }
    corps.push_back(c);
    return true;
  });
}

}  // namespace

void OptionsPoints::AjouterLecteurs(Lecteurs& lecteurs) {
  for (int k = 0; k < 3; ++k) {
    const std::string option = "--p" + std::to_string(k + 1);
    lecteurs.emplace(option, [this, k, option](const std::string& valeur) {
      if (!LireListeCorps(option, valeur, p[k])) return false;
      vu[k] = true;
      return true;
    });
  }
}

bool OptionsPoints::Verifier(std::vector<int>& p1, std::vector<int>& p2, std::vector<int>& p3) const {
  for (int k = 0; k < 3; ++k)
    if (!vu[k]) {
      Avertir("Vous devez sélectionner au moins un point P" + std::to_string(k + 1));
      return false;
    }
  p1 = p[0];
  p2 = p[1];
  p3 = p[2];
  return true;
}

bool LireOptionsPoints(const Appel& appel, OptionsNaissance& naissance, std::vector<int>& p1, std::vector<int>& p2,
                       std::vector<int>& p3, Lecteurs lecteurs, OptionsLues& lues) {
  OptionsPoints points;
  points.AjouterLecteurs(lecteurs);
  if (!appel.Lire(lues, lecteurs)) return false;
  naissance = OptionsNaissance(lues, false);
  return points.Verifier(p1, p2, p3);
}

bool LireChamps(const std::string& texte, const std::function<bool(const std::string& champ)>& lire) {
  std::size_t debut = 0;
  for (;;) {
    const std::size_t virgule = texte.find(',', debut);
    if (!lire(texte.substr(debut, virgule == std::string::npos ? std::string::npos : virgule - debut))) return false;
    if (virgule == std::string::npos) return true;
    debut = virgule + 1;
  }
}

bool EcrirePdfListe(const PageListe& page, const OptionsLues& lues) {
  if (!lues.Present("--pdf")) return true;
  if (page.lignes.size() > static_cast<std::size_t>(LignesImprimables)) {
    Avertir("Pour l'impression, limitez la période pour avoir un nombre de lignes de 132 maximum");
    return false;
  }
  const auto application = OuvrirApplicationHorsEcran();
  return application && EcrirePdfDemande(DocumentListe(page, LignesCachet(ContexteDuTheme(Etat()))), lues);
}

}  // namespace selvane
