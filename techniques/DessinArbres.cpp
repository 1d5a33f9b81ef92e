#include "techniques/DessinArbres.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "dessin/Traits.h"
#include "techniques/HoroscopesUraniens.h"
#include "widgets/Texte1252.h"

namespace selvane {

int DessinerArbres(QPainter& p, const std::vector<ArbreMP>& arbres, bool imprimante, const EnteteArbres& entete,
                   double hauteur) {
  const QFont glyphes = Police("Celvan S", imprimante ? 8 : 9), arial = Police("Arial", imprimante ? 8 : 9);
  const QFontMetricsF m(glyphes, p.device());
  // The offset text sits between 3 and 6 widths of "A": the width grows when the
  // glyph font's "A" is narrower than that text.
  const double w = std::max(m.horizontalAdvance('A'), QFontMetricsF(arial, p.device()).horizontalAdvance("+00\u00B000'") / 2.5);
  const double rh = std::nearbyint(1.3 * m.height());
  const double x0 = imprimante ? 4 * w : w;
  const double a1 = w, a3 = 3 * w, a6 = 3 * w + 3 * w - std::nearbyint(w / 3);
  auto ecrire = [&](const QFont& f, double x, double y, const QString& t) {
    p.setFont(f);
    p.drawText(QPointF(x, y + QFontMetricsF(f, p.device()).ascent()), t);
  };
  p.setPen(Qt::black);
  int derniere = imprimante ? 65 : 60;
  // A line's glyphs hang below its top: the last line must end above the page's foot.
  if (hauteur > 0) derniere = std::min(derniere, static_cast<int>(hauteur / rh) - 2);
  const std::vector<PlaceArbre> places = DisposerArbres(arbres, imprimante ? 5 : 1, derniere);
  int n = 0;
  for (std::size_t i = 0; i < arbres.size(); ++i) {
    const ArbreMP& a = arbres[i];
    const double X = x0 + places[i].colonne * 9 * w;
    const int L = places[i].ligne;
    ecrire(glyphes, X + a3, rh * L, " " + Glyphe(LettresCorps[static_cast<std::size_t>(a.racine)]));
    const std::size_t racine = a.PlaceRacine();
    for (std::size_t o = 0; o <= a.lignes.size(); ++o) {
      const double y = (static_cast<double>(o) + L + 1) * rh;
      if (o == racine) {
        ecrire(glyphes, X + a3, y, "-" + Glyphe(LettresCorps[static_cast<std::size_t>(a.racine)]) + "-");
        continue;
      }
      const LigneArbre& l = a.lignes[o < racine ? o : o - 1];
      ecrire(glyphes, X + a1, y, Glyphe(LettresCorps[static_cast<std::size_t>(l.corps1)]) + "-");
      if (l.corps2 != 0) ecrire(glyphes, X + a6, y, "-" + Glyphe(LettresCorps[static_cast<std::size_t>(l.corps2)]));
      ecrire(arial, X + a3, y, Texte(TexteEcartMP(l.ecart)));
      ++n;
    }
  }
  if (n <= MiPointsMax && imprimante) {
    ecrire(Police("Arial", 10, true), x0, rh, Texte(entete.titre));
    ecrire(Police("Arial", 10), x0, 2 * rh, Texte(entete.detail));
  }
  return n;
}

Feuille FeuilleArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete) {
  Feuille f;
  f.titres << Texte(entete.titre) << Texte(entete.detail);
  f.colonnes = {{"Arbre", 5, Qt::AlignLeft, true},
                {"Point", 5, Qt::AlignLeft, true},
                {QString::fromUtf8("Écart"), 7},
                {"Point", 5, Qt::AlignLeft, true}};
  const auto glyphe = [](int corps) { return Glyphe(LettresCorps[static_cast<std::size_t>(corps)]); };
  for (const ArbreMP& a : arbres) {
    const std::size_t racine = a.PlaceRacine();
    for (std::size_t o = 0; o <= a.lignes.size(); ++o) {
      if (o == racine) {
        f.lignes.push_back({glyphe(a.racine), glyphe(a.racine), "", ""});
        continue;
      }
      const LigneArbre& l = a.lignes[o < racine ? o : o - 1];
      f.lignes.push_back({glyphe(a.racine), glyphe(l.corps1), Texte(TexteEcartMP(l.ecart)), l.corps2 ? glyphe(l.corps2) : ""});
    }
  }
  return f;
}

EnteteArbres EnteteDesArbres(const EtatTheme& e, int harmonique, int itemOrbe) {
  return {std::string(e.NomAffiche.Texte()) + "  - Arbres des mi-points : " + TexteHarmonique(harmonique) +
              " , orbe : " + TexteOrbe(itemOrbe),
          std::string(e.NomFichierNaissance.Texte()) + " : " + std::string(e.LigneDateHeure.Texte()) + "  " +
              std::string(e.FicheEnCours.Ville.Texte()) + "  " + std::string(e.LigneCoordonnees.Texte())};
}

DocumentImprime DocumentArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete, const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [arbres, entete](QPainter& p, const QRectF& zone, int) {
    DessinerArbres(p, arbres, true, entete, zone.height());
  };
  return d;
}

}  // namespace selvane
