#pragma once
// Test doubles shared by the core tests.
#include <string>
#include <vector>

#include "Avertissements.h"

namespace selvane {

// Records every warning instead of showing it; restores the default on exit.
class TemoinAvertissements : public Avertisseur {
 public:
  TemoinAvertissements() { DefinirAvertisseur(this); }
  ~TemoinAvertissements() override { DefinirAvertisseur(nullptr); }
  void Avertir(const std::string& texte) override { messages.push_back(texte); }
  std::vector<std::string> messages;
};

}  // namespace selvane
