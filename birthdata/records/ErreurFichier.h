#pragma once
// A failing file operation: carries the system's error text, in French, UTF-8.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace selvane {

class ErreurFichier : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The system's text for an errno value, in the words a French desktop uses.
std::string TexteErreurSysteme(int numero);

// Throws ErreurFichier with the text of errno, naming the file.
[[noreturn]] void LeverErreurFichier(int numero, const std::string& chemin);

// The same error for what std::filesystem throws, so no English text and no
// second exception type reach the user.
ErreurFichier ErreurDuSysteme(const std::filesystem::filesystem_error& e);

}  // namespace selvane
