#include "forecast/RechercheInterpretation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

#include "core/Calcul.h"
#include "core/Conversions.h"
#include "data/textes/ClesInterpretation.h"

namespace selvane {

const std::array<const char*, 6> TextesOrbes = {"0\xB0" "10'", "0\xB0" "20'", "0\xB0" "30'",
                                                "0\xB0" "40'", "0\xB0" "50'", "1\xB0"};
const std::array<float, 6> ValeursOrbes = {0.1667f, 0.3333f, 0.5f, 0.6667f, 0.8333f, 1.0f};

EnsemblePoints PointsPersonnels() {
  EnsemblePoints e;
  for (int c : {Soleil, Lune, NoeudLunaire, Ascendant, MilieuDuCiel}) e.set(c);
  return e;
}

EnsemblePoints TousLesPoints() {
  EnsemblePoints e;
  for (int c = 1; c <= PointBelier; ++c) e.set(c);
  return e;
}

std::pair<EnsemblePoints, EnsemblePoints> CiblesDesMiPoints(const std::vector<PaireCorps>& paires) {
  std::pair<EnsemblePoints, EnsemblePoints> cibles;
  for (const PaireCorps& p : paires) {
    cibles.first.set(p.first);
    cibles.second.set(p.second);
  }
  return cibles;
}

namespace {

constexpr double Cercle = 22.5 * DegEnRad;         // 0.39269908169872414 rad
constexpr double DemiCercle = 11.25 * DegEnRad;

float Sur22(double x) { return static_cast<float>(Reste(Cercle, x)); }

struct Contact {
  const char* libelle;
  double position;  // radians, on the 22°30' circle
  float orbe;       // radians
};

// Direct, then indirect (11°15' from the reference) when asked; at most one of each.
int ChercherContacts(float x, float y, float orbe, bool indirects, Contact (&contacts)[2]) {
  int n = 0;
  float d = x - y;
  if (d < 0) d += static_cast<float>(Cercle);
  if (d > static_cast<float>(DemiCercle)) d = static_cast<float>(Cercle) - d;
  if (d <= orbe) contacts[n++] = {"", x, d};
  if (indirects) {
    d = static_cast<float>(DemiCercle) - d;
    if (d <= orbe) contacts[n++] = {"(i)", Reste(Cercle, x + DemiCercle), d};
  }
  return n;
}

// Degrees and minutes of a single-precision angle: rounded to the second first, so that a
// point at 20°00' held as 19.999998° shows 20°00', not 19°59'.
std::string DegMin(double radians) {
  return FormatDegMin(std::nearbyint(radians * RadEnDeg * 3600.0) / 3600.0);
}

std::string Motif(double x, const char* format) {
  char tampon[64];
  std::snprintf(tampon, sizeof tampon, format, x);
  return tampon;
}

std::string Paire(int q, int r) {
  return std::string(NomsLongs[q]) + (q != r ? std::string("/") + NomsLongs[r] : std::string());
}

int IndexOrbe(const DemandeInterpretation& d) {
  return std::clamp(d.indexOrbe, 0, static_cast<int>(ValeursOrbes.size()) - 1);
}

struct Rangee {
  std::string entete, texte, tri;
};

// One search: the rows found, sorted and written out.
class Recherche {
 public:
  Recherche(const DemandeInterpretation& d, SourceInterpretation& source, const Progression& progression)
      : source_(source), progression_(progression),
        orbe_(static_cast<float>(ValeursOrbes[IndexOrbe(d)] * DegEnRad)) {}

  // Tests every allowed target pair (q, r) against the reference x; `cles` gives the keys of a
  // pair (none: the pair is not looked up), `entete` the start of the header, `tri` the number
  // the sort text begins with (its pattern: "0.0000" or "00.0000").
  template <typename Cles>
  void Comparer(float x, const double (&candidats)[NbCorps + 1], bool indirects, Cles cles,
                const std::string& entete, double tri, const char* motif,
                std::set<int>* pairesSignalees = nullptr) {
    for (int q = 1; q <= PointBelier; ++q) {
      if (!ciblesA_[q]) continue;
      for (int r = 1; r <= PointBelier; ++r) {
        if (!ciblesB_[r]) continue;
        const std::vector<std::string> liste = cles(q, r);
        // The file holds a pair in display order only. A pair the chosen targets allow in this
        // order alone is looked up in the other order too when its own keys find nothing.
        const std::vector<std::string> autre =
            q != r && !(ciblesA_[r] && ciblesB_[q]) ? cles(r, q) : std::vector<std::string>();
        if (liste.empty() && autre.empty()) continue;
        const float y = q == r ? Sur22(candidats[q])
                               : Sur22(static_cast<float>(MiPoint(candidats[q], candidats[r])));
        Contact contacts[2];
        const int n = ChercherContacts(x, y, orbe_, indirects, contacts);
        for (int k = 0; k < n; ++k) {
          if (pairesSignalees) {
            // A pair already reported for an earlier source midpoint is not repeated; a single
            // point is, since its key names the source midpoint.
            const int code = q * 100 + r;
            if (!pairesSignalees->insert(code).second && q != r) continue;
          }
          const Contact& c = contacts[k];
          const std::string tete = entete + c.libelle + " = " + Paire(q, r) + ". " +
                                   DegMin(c.position) + "    Orbe :  " + DegMin(c.orbe);
          const std::string triTexte = Motif(tri + c.orbe * RadEnDeg, motif);
          const std::size_t avant = rangees_.size();
          for (const std::vector<std::string>* l : {&liste, &autre}) {
            if (rangees_.size() != avant) break;
            for (const std::string& cle : *l)
              for (std::string& texte : source_.ChercherInterpretation(cle, ModeInterpretation::TousLesTextes))
                rangees_.push_back({tete, std::move(texte), triTexte});
          }
        }
      }
    }
  }

  void Avancer(int fait, int total) {
    if (progression_ && total > 0) progression_(fait * 100 / total);
  }

  // Sorted on the sort text (stable: equal texts keep the order they were found in).
  void Ecrire(std::vector<std::string>& lignes) {
    std::stable_sort(rangees_.begin(), rangees_.end(),
                     [](const Rangee& a, const Rangee& b) { return a.tri < b.tri; });
    for (Rangee& r : rangees_) {
      lignes.emplace_back(" ");
      lignes.push_back(std::move(r.entete));
      lignes.push_back(std::move(r.texte));
    }
    rangees_.clear();
  }

  void Cibles(const EnsemblePoints& a, const EnsemblePoints& b) {
    ciblesA_ = a;
    ciblesB_ = b;
  }

 private:
  SourceInterpretation& source_;
  const Progression& progression_;
  float orbe_;
  EnsemblePoints ciblesA_, ciblesB_;
  std::vector<Rangee> rangees_;
};

bool Natale(int technique) { return technique == TechNatal || technique == TechRS || technique == TechRL; }

IssueInterpretation Message(GenreMessage genre, std::string texte, bool efface) {
  return {genre, std::move(texte), efface};
}

const char* const MessageNatalSeulement = "Ce calcul n'est exécuté que pour le Natal, la RS ou la RL";

}  // namespace

IssueInterpretation EcrireInterpretation(const DemandeInterpretation& d, const OuvrirInterpretation& ouvrir,
                                         std::vector<std::string>& lignes, const Progression& progression) {
  if (d.modeDe == DeMiPointsChoisis && !Natale(d.technique))
    return Message(GenreMessage::Information, MessageNatalSeulement, false);
  EnsemblePoints ciblesA = d.tousMiPoints ? TousLesPoints() : d.ciblesA;
  EnsemblePoints ciblesB = d.tousMiPoints ? TousLesPoints() : d.ciblesB;
  if (ciblesA.none() || ciblesB.none())
    return Message(GenreMessage::Avertissement,
                   "Vous devez choisir au  moins un mi-point. Cliquez sur le bouton \"Sélection\"", false);
  if (progression) progression(0);
  lignes.clear();

  EnsemblePoints mobiles = d.modeDe == DePointsPersonnels ? PointsPersonnels() : d.pointsChoisis;
  if (d.modeDe == DePointsChoisis && mobiles.none())
    return Message(GenreMessage::Avertissement, "Vous devez choisir au moins un point !", true);
  if (d.technique == TechTransits) mobiles.reset(PointBelier);

  const std::string orbe = std::string("Mi-points uraniens \xE0 22\xB0" "30   : Orbe ") + TextesOrbes[IndexOrbe(d)];
  lignes.push_back(d.nomAffiche);
  IssueInterpretation issue;
  issue.texteEfface = true;
  std::unique_ptr<SourceInterpretation> source;
  auto ouvrirUneFois = [&]() -> SourceInterpretation& {
    if (!source) source = ouvrir();
    return *source;
  };

  if (Natale(d.technique)) {
    if (d.technique == TechNatal) {
      lignes.push_back("Th\xE8me de naissance :   " + d.ligneDateNatale);
      lignes.push_back(d.villeNatale + "  " + d.coordonneesNatales);
    } else {
      lignes.push_back(std::string(d.technique == TechRS ? "RS du :   " : "RL du :   ") + d.ligneDateRetour);
      lignes.push_back(d.villeRetour + "  " + d.coordonneesRetour);
    }
    lignes.push_back(orbe);
    lignes.emplace_back("     ");
    const double(&c)[NbCorps + 1] = d.cible;
    if (d.modeDe == DeSolLun) {
      Recherche r(d, ouvrirUneFois(), progression);
      r.Cibles(ciblesA, ciblesB);
      r.Comparer(Sur22(static_cast<float>(MiPoint(c[Soleil], c[Lune]))), c, d.indirects, ClesSolLunNatal,
                 "Soleil/Lune", 0, "%.4f");
      r.Ecrire(lignes);
    } else if (d.modeDe == DePointsPersonnels || d.modeDe == DePointsChoisis) {
      Recherche r(d, ouvrirUneFois(), progression);
      r.Cibles(ciblesA, ciblesB);
      const int total = static_cast<int>(OrdreUranien.size()) - 1;
      for (int j = 0; j < total; ++j) {
        const int p = OrdreUranien[j];
        r.Avancer(j, total);
        if (!mobiles[p]) continue;
        r.Comparer(Sur22(c[p]), c, d.indirects, [p](int q, int s) { return ClesPointsNatal(p, q, s); },
                   NomsLongs[p], j, "%07.4f");
      }
      r.Ecrire(lignes);
    } else if (d.modeDe != DeMiPointsChoisis) {
      // the list's empty fifth item: headings only
    } else if (d.miPointsSource.empty()) {
      issue.genre = GenreMessage::Information;
      issue.message = "Vous devez choisir au moins 1 mi-point !";
    } else {
      SourceInterpretation& s = ouvrirUneFois();
      lignes.emplace_back("   ***   Signification g\xE9n\xE9rale des mi-points s\xE9lectionn\xE9s  ***");
      for (const PaireCorps& m : d.miPointsSource) {
        lignes.push_back(std::string(NomsLongs[m.first]) + "/" + NomsLongs[m.second] + " : ");
        lignes.push_back(s.PremierTexte(CleMiPoint(m.first, m.second)));
        lignes.emplace_back();
      }
      lignes.emplace_back("   *************************************************************");
      Recherche r(d, s, progression);
      r.Cibles(ciblesA, ciblesB);
      std::set<int> pairesSignalees;
      int fait = 0;
      for (const PaireCorps& m : d.miPointsSource) {
        r.Avancer(fait++, static_cast<int>(d.miPointsSource.size()));
        const int a = m.first, b = m.second;
        r.Comparer(Sur22(static_cast<float>(MiPoint(c[a], c[b]))), c, false,
                   [a, b](int q, int s2) { return ClesMiPointsChoisis(a, b, q, s2); },
                   std::string(NomsLongs[a]) + "/" + NomsLongs[b], 0, "%.4f", &pairesSignalees);
      }
      r.Ecrire(lignes);
    }
  } else {
    lignes.push_back("Naissance le :  " + d.ligneDateNatale);
    if (d.technique == TechArcSolaire)
      lignes.push_back("Arc solaire pour le  :  " + d.champDate + ". Arc = " + d.ligneArc);
    else
      lignes.push_back("Transits pour le  :  " + d.champDate + " \xE0 " + d.champHeure);
    lignes.push_back(orbe);
    lignes.emplace_back("    ");
    const double(&natal)[NbCorps + 1] = d.cible;
    Recherche r(d, ouvrirUneFois(), progression);
    r.Cibles(ciblesA, ciblesB);
    if (d.modeDe == DeSolLun) {
      r.Comparer(Sur22(static_cast<float>(MiPoint(d.dirige[Soleil], d.dirige[Lune]))), natal, d.indirects,
                 ClesSolLunDirige, "Soleil/Lune", 0, "%.4f");
    } else if (d.modeDe == DePointsPersonnels || d.modeDe == DePointsChoisis) {
      for (int p = 1; p <= PointBelier; ++p) {
        r.Avancer(p - 1, PointBelier);
        if (!mobiles[p]) continue;
        r.Comparer(Sur22(d.dirige[p]), natal, d.indirects,
                   [p](int q, int s) { return ClesPointsDiriges(p, q, s); }, NomsLongs[p], p, "%07.4f");
      }
    }
    r.Ecrire(lignes);
  }
  if (progression) progression(0);
  return issue;
}

std::string RefusSignification(int premier, int second, int troisieme) {
  if (RangUranien(second) < RangUranien(premier)) return "Le deuxième point doit être supérieur au premier point";
  if (troisieme != 0 && troisieme == premier && troisieme == second)
    return "Le 3ième point doit être différent des deux premiers";
  return {};
}

IssueInterpretation EcrireSignification(int premier, int second, int troisieme, const OuvrirInterpretation& ouvrir,
                                        std::vector<std::string>& lignes) {
  lignes.clear();
  std::string refus = RefusSignification(premier, second, troisieme);
  if (!refus.empty()) return Message(GenreMessage::Avertissement, std::move(refus), true);
  const std::string texte = ouvrir()->PremierTexte(CleRechercheDirecte(premier, second, troisieme));
  lignes.push_back(std::string("Signification du point : ") + LibellesCourts[premier] + "/" +
                   LibellesCourts[second] + (troisieme ? std::string(" = ") + LibellesCourts[troisieme] : ""));
  lignes.emplace_back(" ");
  lignes.push_back(texte);
  lignes.emplace_back(" ");
  lignes.emplace_back("*************         Recherche termin\xE9" "e       ************");
  return {GenreMessage::Aucun, {}, true};
}

}  // namespace selvane
