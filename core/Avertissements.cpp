#include "core/Avertissements.h"

#include <cstdio>

namespace selvane {
namespace {

class AvertisseurSortieErreur : public Avertisseur {
 public:
  void Avertir(const std::string& texte) override { std::fprintf(stderr, "%s\n", texte.c_str()); }
};

AvertisseurSortieErreur gParDefaut;
Avertisseur* gCourant = &gParDefaut;

}  // namespace

void DefinirAvertisseur(Avertisseur* avertisseur) {
  gCourant = avertisseur ? avertisseur : &gParDefaut;
}

void Avertir(const std::string& texte) { gCourant->Avertir(texte); }

}  // namespace selvane
