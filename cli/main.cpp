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
               "        (NAISSANCE : --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM --zone FUSEAU "
               "[--name TEXTE])\n");
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
