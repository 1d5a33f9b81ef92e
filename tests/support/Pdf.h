#pragma once
// What a printed PDF holds, read back with poppler's tools: its page count
// and its text (pdftotext, pages separated by form feeds).
#include <filesystem>
#include <string>

namespace selvane {

struct ContenuPdf {
  int pages = 0;  // 0 when the file is not a readable PDF
  std::string texte;
};

ContenuPdf LirePdf(const std::filesystem::path& fichier);

}  // namespace selvane
