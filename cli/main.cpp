#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>

#include "core/Avertissements.h"
#include "cli/Commandes.h"
#include "birthdata/records/ErreurFichier.h"

namespace {

int Executer(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "chart") == 0) return selvane::CommandeTheme(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "events") == 0)
    return selvane::CommandeEvenements(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "births") == 0)
    return selvane::CommandeNaissances(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "atlas") == 0) return selvane::CommandeAtlas(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "zone") == 0) return selvane::CommandeZone(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "glyphs") == 0) return selvane::CommandeGlyphes(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "dial") == 0) return selvane::CommandeCadran(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "tree") == 0) return selvane::CommandeArbre(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "returns") == 0) return selvane::CommandeRetours(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "arc") == 0) return selvane::CommandeArc(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "table") == 0) return selvane::CommandeTable(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "interpret") == 0)
    return selvane::CommandeInterpretation(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "meaning") == 0) return selvane::CommandeSignification(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "directions") == 0)
    return selvane::CommandeDirections(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "transits") == 0) return selvane::CommandeTransits(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "ephemeris") == 0)
    return selvane::CommandeEphemerides(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "trees") == 0) return selvane::CommandeArbres(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "sequences") == 0) return selvane::CommandeSequences(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "mandala") == 0) return selvane::CommandeMandala(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "houses") == 0) return selvane::CommandeMaisons(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "graph") == 0) return selvane::CommandeGraphe(argc - 2, argv + 2);
  std::fprintf(stderr,
               "Usage : selvane-cli chart --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM "
               "--zone FUSEAU [--name TEXTE] [--houses 0..9]\n"
               "        selvane-cli chart --batch FICHIER\n"
               "        selvane-cli events --from ANNEE --to ANNEE\n"
               "        selvane-cli births list FICHIER.thz\n"
               "        selvane-cli births add FICHIER.thz --name NOM --date jj/mm/aaaa --time HHhMMmSS "
               "--city VILLE --lat D.MM --long D.MM --zone FUSEAU [--comment TEXTE]\n"
               "        selvane-cli births import FICHIER.thz < fiches.csv\n"
               "        selvane-cli atlas files\n"
               "        selvane-cli atlas find PAYS TEXTE [--rows 16|20]\n"
               "        selvane-cli zone NOM_DE_ZONE jj/mm/aaaa HHhMM\n"
               "        selvane-cli glyphs --png FICHIER\n"
               "        selvane-cli dial NAISSANCE (--at jj/mm/aaaa --at-time HHhMMmSS --at-zone FUSEAU "
               "[--at-lat D.MM --at-long D.MM] | --solar-return ANNEE [--quarter 0..3] [--precession] | "
               "--lunar-return jj/mm/aaaa [--precession] | --arc DEGRES) [--harmonic 1|4|8|12|16|32] "
               "[--png FICHIER [--size PX]]\n"
               "        selvane-cli tree NAISSANCE --at ... [--harmonic H] [--from natal|arc|transit] "
               "[--to natal|arc|transit] (--body N | --angle DEG) [--orb-index I] [--subharmonics]\n"
               "        selvane-cli returns NAISSANCE --kind rs --year AAAA [--precession] [--lat D.MM --long D.MM "
               "--city VILLE] [--save]\n"
               "        selvane-cli returns NAISSANCE --kind rl --from jj/mm/aaaa [...]\n"
               "        selvane-cli arc NAISSANCE --on jj/mm/aaaa\n"
               "        selvane-cli table NAISSANCE [--harmonic H] [--technique natal|rs|rl|arc|transits "
               "--on jj/mm/aaaa [--time HHhMM] [--precession]]\n"
               "        selvane-cli interpret NAISSANCE [--technique natal|rs|rl|arc|transits --on jj/mm/aaaa "
               "[--time HHhMM] [--precession]] [--from sol-lun|personal|points LISTE|midpoints PAIRES] "
               "[--to all|PAIRES] [--orb-index 0..5] [--indirect]\n"
               "        selvane-cli meaning A B [C]\n"
               "        selvane-cli directions NAISSANCE --p1 LISTE --p2 LISTE --p3 LISTE [--harmonic H] "
               "[--from-age N --to-age N] [--way points|midpoints]\n"
               "        selvane-cli transits NAISSANCE --p1 LISTE --p2 LISTE --p3 LISTE --year A [--years 1|2] "
               "[--aspects 0,45,90,135,180]\n"
               "        selvane-cli ephemeris --year ANNEE [--month 1..12]\n"
               "        selvane-cli trees NAISSANCE [--harmonic 1..16] [--orb-index 0..23]\n"
               "        selvane-cli sequences NAISSANCE [--orb 0.5|1]\n"
               "        selvane-cli mandala NAISSANCE [--axes 1,B,C]\n"
               "        selvane-cli houses NAISSANCE\n"
               "        selvane-cli graph NAISSANCE --from jj/mm/aaaa --months 1..24 --modulus 360|90|45|22.5 "
               "[--bodies 5,6,...] [--targets points|midpoints|personal|all] [--arc] [--png FICHIER [--size LxH]] [--pdf FICHIER]\n"
               "  NAISSANCE : --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM --zone FUSEAU [--name TEXTE] ; "
               "un second --lat, --long donne le lieu du thème calculé, un second --time l'heure des transits\n");
  return 2;
}

}  // namespace

// A failure no command caught still ends as every other one: the French
// message on standard error and status 2, never std::terminate.
int main(int argc, char** argv) {
  try {
    return Executer(argc, argv);
  } catch (const selvane::ErreurFichier& e) {
    selvane::Avertir(e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    selvane::Avertir(selvane::ErreurDuSysteme(e).what());
  } catch (const selvane::ErreurConversion& e) {
    selvane::Avertir(e.what());
  } catch (const std::bad_alloc&) {
    selvane::Avertir("Mémoire insuffisante pour terminer la commande.");
  }
  return 2;
}
