#include "tests/support/Pdf.h"

#include <cstdio>
#include <memory>

namespace selvane {

namespace {

// The standard output of a command; the file name is passed quoted.
std::string Sortie(const std::string& commande) {
  std::string s;
  std::unique_ptr<FILE, int (*)(FILE*)> flux(::popen(commande.c_str(), "r"), ::pclose);
  if (!flux) return s;
  char tampon[4096];
  for (std::size_t n; (n = std::fread(tampon, 1, sizeof tampon, flux.get())) > 0;) s.append(tampon, n);
  return s;
}

std::string Guillemets(const std::filesystem::path& p) {
  std::string s = "'";
  for (char c : p.string()) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return s + "'";
}

}  // namespace

ContenuPdf LirePdf(const std::filesystem::path& fichier) {
  ContenuPdf c;
  const std::string infos = Sortie("pdfinfo " + Guillemets(fichier) + " 2>/dev/null");
  const std::size_t i = infos.find("Pages:");
  if (i == std::string::npos) return c;
  c.pages = std::stoi(infos.substr(i + 6));
  c.texte = Sortie("pdftotext -layout " + Guillemets(fichier) + " - 2>/dev/null");
  return c;
}

}  // namespace selvane
