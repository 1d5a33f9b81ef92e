#include "forecast/Interpretation.h"

#include <algorithm>
#include <cerrno>

#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

const char* const NomFichierInterpretation = "ZadadAduZi.int";

namespace {

bool Blanc(char c) { return static_cast<unsigned char>(c) <= 32; }
bool LigneDeCle(std::string_view ligne) { return !ligne.empty() && ligne[0] == '_'; }

}  // namespace

std::string_view RognerLigneCle(std::string_view ligne) {
  std::size_t a = 0, b = ligne.size();
  while (a < b && Blanc(ligne[a])) ++a;
  while (b > a && Blanc(ligne[b - 1])) --b;
  return ligne.substr(a, b - a);
}

std::string SourceInterpretation::PremierTexte(const std::string& cle) {
  std::vector<std::string> textes = ChercherInterpretation(cle, ModeInterpretation::PremierTexte);
  return textes.empty() ? std::string() : std::move(textes.front());
}

// --- Indexed reader ----------------------------------------------------------------------

std::unique_ptr<IndexInterpretation> IndexInterpretation::Ouvrir(const std::filesystem::path& chemin) {
  return std::make_unique<IndexInterpretation>(LireFichierEntier(chemin));
}

IndexInterpretation::IndexInterpretation(std::string octets)
    : octets_(std::make_unique<const std::string>(std::move(octets))) {
  const std::string& o = *octets_;
  // Lines as the rescanning reader sees them: ended by LF, one CR before it dropped.
  std::size_t debut = 0;
  while (debut < o.size()) {
    std::size_t fin = o.find('\n', debut);
    if (fin == std::string::npos) fin = o.size();
    std::string_view ligne(o.data() + debut, fin - debut);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    lignes_.push_back(ligne);
    debut = fin + 1;
  }
  const auto n = static_cast<std::uint32_t>(lignes_.size());
  finEntree_.resize(n);
  std::uint32_t suivante = n;
  for (std::uint32_t i = n; i-- > 0;) {
    finEntree_[i] = suivante;
    if (LigneDeCle(lignes_[i])) suivante = i;
  }
  // Every line is indexed, text lines too: any line whose trimmed form equals the key opens an
  // entry when the scan reaches it, so the lookup must know them all.
  parCle_.reserve(n);
  for (std::uint32_t i = 0; i < n; ++i) parCle_[RognerLigneCle(lignes_[i])].push_back(i);
}

std::string IndexInterpretation::Texte(std::size_t ligneCle) const {
  std::string texte;
  for (std::size_t i = ligneCle + 1; i < finEntree_[ligneCle]; ++i) texte.append(lignes_[i]);
  return texte;
}

std::vector<std::string> IndexInterpretation::ChercherInterpretation(const std::string& cle,
                                                                     ModeInterpretation mode) {
  std::vector<std::string> textes;
  const auto trouve = parCle_.find(std::string_view(cle));
  if (trouve == parCle_.end()) return textes;
  // A scan never compares the lines of an entry it collects, nor the key line that closes it:
  // matches before `reprise` were read as text (or consumed) and are not reported.
  std::size_t reprise = 0;
  for (const std::uint32_t i : trouve->second) {
    if (i < reprise) continue;
    textes.push_back(Texte(i));
    if (mode == ModeInterpretation::PremierTexte) break;
    reprise = static_cast<std::size_t>(finEntree_[i]) + 1;
  }
  return textes;
}

// --- Rescanning reader ---------------------------------------------------------------------

RelectureInterpretation::RelectureInterpretation(const std::filesystem::path& chemin) {
  std::error_code erreur;
  if (std::filesystem::is_directory(chemin, erreur)) LeverErreurFichier(EISDIR, chemin.string());
  errno = 0;
  fichier_.open(chemin, std::ios::binary);
  if (!fichier_) LeverErreurFichier(errno ? errno : ENOENT, chemin.string());
}

bool RelectureInterpretation::LireLigne(std::string& ligne) {
  if (!std::getline(fichier_, ligne)) return false;
  if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
  return true;
}

std::vector<std::string> RelectureInterpretation::ChercherInterpretation(const std::string& cle,
                                                                         ModeInterpretation mode) {
  std::vector<std::string> textes;
  fichier_.clear();
  fichier_.seekg(0);
  std::string ligne;
  while (LireLigne(ligne)) {
    if (RognerLigneCle(ligne) != cle) continue;
    std::string texte;
    while (LireLigne(ligne) && !LigneDeCle(ligne)) texte += ligne;
    textes.push_back(std::move(texte));
    if (mode == ModeInterpretation::PremierTexte) break;
  }
  return textes;
}

}  // namespace selvane
