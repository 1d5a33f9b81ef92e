#pragma once
// How the core reports a warning to the user. The windows install a reporter
// that shows a warning box; the command line prints to standard error.
#include <stdexcept>
#include <string>

namespace selvane {

class Avertisseur {
 public:
  virtual ~Avertisseur() = default;
  // texte: the exact French message, UTF-8.
  virtual void Avertir(const std::string& texte) = 0;
};

// nullptr restores the default reporter (standard error).
void DefinirAvertisseur(Avertisseur* avertisseur);
void Avertir(const std::string& texte);

// A text that should spell a number and does not (a date field that is not an
// integer). The message is French, UTF-8.
class ErreurConversion : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace selvane
