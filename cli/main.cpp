#include <cstdio>
#include <cstring>

#include "Commandes.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "chart") == 0) return selvane::CommandeTheme(argc - 2, argv + 2);
  if (argc >= 2 && std::strcmp(argv[1], "events") == 0)
    return selvane::CommandeEvenements(argc - 2, argv + 2);
  std::fprintf(stderr,
               "Usage : selvane-cli chart --date jj/mm/aaaa --time HHhMMmSS --lat D.MM --long D.MM "
               "--zone FUSEAU [--name TEXTE] [--houses 0..9]\n"
               "        selvane-cli chart --batch FICHIER\n"
               "        selvane-cli events --from ANNEE --to ANNEE\n");
  return 2;
}
