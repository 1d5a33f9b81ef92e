// Writes what the interpretation keys are built from, as the searches build them: the codes of
// bodies 1..23 on the first line and the display order on the second, separated by blanks. The
// text generator checks its own tables against this file, so its keys are the searches' keys.
#include <cstdio>

#include "core/Catalogue.h"
#include "methode/ClesInterpretation.h"

int main(int argc, char** argv) {
  using namespace selvane;
  if (argc != 2) {
    std::fprintf(stderr, "usage : selvane-regles-cles FICHIER\n");
    return 2;
  }
  std::FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  for (int c = 1; c <= 23; ++c) std::fprintf(f, c == 1 ? "%s" : " %s", Codes3[c]);
  std::fputc('\n', f);
  for (int i = 0; i < static_cast<int>(OrdreUranien.size()); ++i)
    std::fprintf(f, i == 0 ? "%s" : " %s", Codes3[OrdreUranien[i]]);
  std::fputc('\n', f);
  // The display order is the one DansLOrdre reads: the first code ranks 0.
  return (std::fclose(f) == 0 && RangUranien(OrdreUranien[0]) == 0) ? 0 : 1;
}
