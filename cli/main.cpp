#include <cstdio>
#include <cstring>

#include "Commandes.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "chart") == 0) return selvane::CommandeTheme(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "events") == 0)
    return selvane::CommandeEvenements(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "births") == 0)
    return selvane::CommandeNaissances(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "atlas") == 0) return selvane::CommandeAtlas(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "zone") == 0) return selvane::CommandeZone(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "glyphs") == 0) return selvane::CommandeGlyphes(argc - 2, argv + 2);
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
               "        selvane-cli glyphs --png FICHIER\n");
  return 2;
}
