// Writes the settings and colour files as first installed into a folder.
#include <cstdio>
#include <exception>

#include "reglages/Reglages.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage : selvane-reglages-installes DOSSIER\n");
    return 2;
  }
  try {
    selvane::EcrireReglagesParDefaut(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
