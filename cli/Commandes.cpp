#include "cli/Commandes.h"

#include <cstdio>
#include <cstring>

#include "cli/ThemeNatal.h"

namespace selvane {
namespace {

constexpr GenreOption kDrapeau = GenreOption::Drapeau;

// The note after the usage lines of the commands that start from a birth.
constexpr const char* kNoteNaissance =
    "  NAISSANCE : --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM --zone FUSEAU [--name TEXTE] ; "
    "un second --lat, --long donne le lieu du thème calculé, un second --time l'heure des transits\n";

std::vector<Commande> Construire() {
  return {
      {"chart",
       {"chart --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM --zone FUSEAU [--name TEXTE] [--houses 0..9] [--pdf FICHIER [--bw]] [--stamp]",
        "chart --batch FICHIER [--stamp]"},
       AvecNaissance({{"--batch"}, {"--houses"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeTheme},
      {"events", {"events --from ANNEE --to ANNEE [--pdf FICHIER [--bw]] [--stamp]"},
       {{"--from"}, {"--to"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}},
       Fautes::ParUsage,
       CommandeEvenements},
      {"births",
       {"births list FICHIER.thz [--stamp]",
        "births add FICHIER.thz --name NOM --date jj/mm/aaaa --time HHhMMmSS --city VILLE --lat D.MM --long D.MM "
        "--zone FUSEAU [--comment TEXTE]",
        "births import FICHIER.thz < fiches.csv"},
       AvecNaissance({{"--city"}, {"--comment"}, {"--stamp", kDrapeau}}),  // those of `births add`, and the list's flag
       Fautes::ParOption,
       CommandeNaissances},
      {"atlas",
       {"atlas files", "atlas find PAYS TEXTE [--rows 16|20] [--stamp]"},
       {{"--rows"}, {"--stamp", kDrapeau}},
       Fautes::ParUsage,
       CommandeAtlas},
      {"zone", {"zone NOM_DE_ZONE jj/mm/aaaa HHhMM"}, {}, Fautes::ParUsage, CommandeZone},
      {"glyphs", {"glyphs --png FICHIER"}, {{"--png"}}, Fautes::ParUsage, CommandeGlyphes},
      {"dial",
       {"dial NAISSANCE (--at jj/mm/aaaa --at-time HHhMMmSS --at-zone FUSEAU [--at-lat D.MM --at-long D.MM] | "
        "--solar-return ANNEE [--quarter 0..3] [--precession] | --lunar-return jj/mm/aaaa [--precession] | "
        "--arc DEGRES) [--harmonic 1|4|8|12|16|32] [--png FICHIER [--size PX]] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--at"},
                      {"--at-time"},
                      {"--at-zone"},
                      {"--at-lat"},
                      {"--at-long"},
                      {"--solar-return"},
                      {"--quarter"},
                      {"--precession", kDrapeau},
                      {"--lunar-return"},
                      {"--arc"},
                      {"--harmonic"},
                      {"--png"},
                      {"--size"},
                      {"--pdf"},
                      {"--bw", kDrapeau},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeCadran},
      {"tree",
       {"tree NAISSANCE --at ... [--harmonic H] [--from natal|arc|transit] [--to natal|arc|transit] "
        "(--body N | --angle DEG) [--orb-index I] [--subharmonics] [--stamp]"},
       AvecNaissance({{"--at"},
                      {"--at-time"},
                      {"--at-zone"},
                      {"--at-lat"},
                      {"--at-long"},
                      {"--precession", kDrapeau},
                      {"--harmonic"},
                      {"--from"},
                      {"--to"},
                      {"--body"},
                      {"--angle"},
                      {"--orb-index"},
                      {"--subharmonics", kDrapeau},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeArbre},
      {"returns",
       {"returns NAISSANCE --kind rs --year AAAA [--precession] [--lat D.MM --long D.MM --city VILLE] [--save] "
        "[--stamp]",
        "returns NAISSANCE --kind rl --from jj/mm/aaaa [...]"},
       AvecNaissance({{"--kind"},
                      {"--year"},
                      {"--from"},
                      {"--precession", kDrapeau},
                      {"--save", kDrapeau},
                      {"--city"},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOptionStricte,
       CommandeRetours},
      {"arc", {"arc NAISSANCE --on jj/mm/aaaa [--stamp]"}, AvecNaissance({{"--on"}, {"--city"}, {"--stamp", kDrapeau}}), Fautes::ParOptionStricte,
       CommandeArc},
      {"table",
       {"table NAISSANCE [--harmonic H] [--technique natal|rs|rl|arc|transits --on jj/mm/aaaa [--time HHhMM] "
        "[--precession]] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--harmonic"},
                      {"--technique"},
                      {"--on"},
                      {"--precession", kDrapeau},
                      {"--city"},
                      {"--pdf"},
                      {"--bw", kDrapeau},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOptionStricte,
       CommandeTable},
      {"interpret",
       {"interpret NAISSANCE [--technique natal|rs|rl|arc|transits --on jj/mm/aaaa [--time HHhMM] [--precession]] "
        "[--from sol-lun|personal|points LISTE|midpoints PAIRES] [--to all|PAIRES] [--orb-index 0..5] [--indirect]"},
       AvecNaissance({{"--technique"},
                      {"--on"},
                      {"--precession", kDrapeau},
                      {"--city"},
                      {"--from"},
                      {"--to"},
                      {"--orb-index"},
                      {"--indirect", kDrapeau}}),
       Fautes::ParOptionStricte,
       CommandeInterpretation},
      {"meaning", {"meaning A B [C]"}, {}, Fautes::ParUsage, CommandeSignification},
      {"directions",
       {"directions NAISSANCE --p1 LISTE --p2 LISTE --p3 LISTE [--harmonic H] [--from-age N --to-age N] "
        "[--way points|midpoints] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--p1"},
                      {"--p2"},
                      {"--p3"},
                      {"--harmonic"},
                      {"--from-age"},
                      {"--to-age"},
                      {"--way"},
                      {"--pdf"},
                      {"--bw", kDrapeau},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeDirections},
      {"transits",
       {"transits NAISSANCE --p1 LISTE --p2 LISTE --p3 LISTE --year A [--years 1|2] [--aspects 0,45,90,135,180] "
        "[--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--p1"}, {"--p2"}, {"--p3"}, {"--year"}, {"--years"}, {"--aspects"}, {"--pdf"}, {"--bw", kDrapeau},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeTransits},
      {"ephemeris",
       {"ephemeris --year ANNEE [--month 1..12] [--pdf FICHIER [--bw]] [--stamp]"},
       {{"--year"}, {"--month"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}},
       Fautes::ParUsage,
       CommandeEphemerides},
      {"trees", {"trees NAISSANCE [--harmonic 1..16] [--orb-index 0..23] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--harmonic"}, {"--orb-index"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}}),
       Fautes::ParOption, CommandeArbres},
      {"sequences", {"sequences NAISSANCE [--orb 0.5|1] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--orb"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}}), Fautes::ParOption,
       CommandeSequences},
      {"mandala", {"mandala NAISSANCE [--axes 1,B,C] [--pdf FICHIER [--bw]] [--stamp]"},
       AvecNaissance({{"--axes"}, {"--pdf"}, {"--bw", kDrapeau}, {"--stamp", kDrapeau}}), Fautes::ParOption,
       CommandeMandala},
      {"houses",
       {"houses NAISSANCE [--pdf FICHIER [--bw] [--frame sun|moon|ascendant|mc|aries_point|node|meridian] "
        "[--connections [--orb-index 0..23]]] [--stamp]"},
       AvecNaissance({{"--pdf"},
                      {"--bw", kDrapeau},
                      {"--frame"},
                      {"--connections", kDrapeau},
                      {"--orb-index"},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeMaisons},
      {"graph",
       {"graph NAISSANCE --from jj/mm/aaaa --months 1..24 --modulus 360|90|45|22.5 [--bodies 5,6,...] "
        "[--targets points|midpoints|personal|all] [--arc] [--png FICHIER [--size LxH]] [--pdf FICHIER] [--stamp]"},
       AvecNaissance({{"--from"},
                      {"--months"},
                      {"--modulus"},
                      {"--bodies"},
                      {"--targets"},
                      {"--arc", kDrapeau},
                      {"--png"},
                      {"--pdf"},
                      {"--size"},
                      {"--stamp", kDrapeau}}),
       Fautes::ParOption,
       CommandeGraphe},
  };
}

bool UsageAvecNaissance(const Commande& c) {
  for (const char* ligne : c.usage)
    if (std::strstr(ligne, "NAISSANCE")) return true;
  return false;
}

// The usage lines of `c` after those already in `texte`.
void AjouterUsage(const Commande& c, std::string& texte) {
  for (const char* ligne : c.usage)
    texte += (texte.empty() ? "Usage : " : "        ") + std::string("selvane-cli ") + ligne + "\n";
}

void Ecrire(std::FILE* flot, const std::string& texte) { std::fwrite(texte.data(), 1, texte.size(), flot); }

}  // namespace

std::string Appel::Usage(std::size_t k) const { return std::string("Usage : selvane-cli ") + commande.usage.at(k); }

bool Appel::Lire(OptionsLues& lues, const Lecteurs& lecteurs) const {
  return LireOptions(argc, argv, {commande.options, commande.fautes, Usage(), &lecteurs}, lues);
}

const std::vector<Commande>& TableCommandes() {
  static const std::vector<Commande> table = Construire();
  return table;
}

const Commande* TrouverCommande(const std::string& nom) {
  for (const Commande& c : TableCommandes())
    if (nom == c.nom) return &c;
  return nullptr;
}

std::string TexteUsage() {
  std::string texte;
  for (const Commande& c : TableCommandes()) AjouterUsage(c, texte);
  return texte + kNoteNaissance;
}

std::string AideCommande(const Commande& c) {
  std::string texte;
  AjouterUsage(c, texte);
  if (UsageAvecNaissance(c)) texte += kNoteNaissance;
  for (std::size_t k = 0; k < c.options.size(); ++k)
    texte += std::string(k == 0 ? "Options : " : ", ") + c.options[k].nom + (k + 1 == c.options.size() ? "\n" : "");
  return texte;
}

int ExecuterCli(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    Ecrire(stdout, TexteUsage());
    return 0;
  }
  const Commande* c = argc >= 2 ? TrouverCommande(argv[1]) : nullptr;
  if (!c) {
    Ecrire(stderr, TexteUsage());
    return 2;
  }
  if (argc == 3 && std::strcmp(argv[2], "--help") == 0) {
    Ecrire(stdout, AideCommande(*c));
    return 0;
  }
  return c->executer({*c, argc - 2, argv + 2});
}

}  // namespace selvane
