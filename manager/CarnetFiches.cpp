#include "manager/CarnetFiches.h"

#include <algorithm>
#include <cmath>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/FichierNaissance.h"

namespace selvane {
namespace gestion {

namespace {

std::string SansBlancs(std::string_view t) { return Rogner(t, " \t\n\v\f\r"); }

// The record as a save writes it: the free texts without the blanks around them.
FicheClient FormeEcrite(FicheClient f) {
  f.Nom = SansBlancs(f.Nom.Texte());
  f.Ville = SansBlancs(f.Ville.Texte());
  f.Commentaire = SansBlancs(f.Commentaire.Texte());
  f.SortOrder = SansBlancs(f.SortOrder.Texte());
  return f;
}

std::vector<FicheClient> FormesEcrites(const std::vector<FicheClient>& fiches) {
  std::vector<FicheClient> r;
  r.reserve(fiches.size());
  for (const FicheClient& f : fiches)
    if (!CarnetFiches::EstVide(f)) r.push_back(FormeEcrite(f));
  return r;
}

// By key without regard to case; equal keys keep their order.
void TrierParCle(std::vector<FicheClient>& fiches) {
  std::stable_sort(fiches.begin(), fiches.end(), [](const FicheClient& a, const FicheClient& b) {
    return ComparerClesSansCasse(a.SortOrder.Texte(), b.SortOrder.Texte()) < 0;
  });
}

}  // namespace

bool CarnetFiches::EstVide(const FicheClient& f) { return f.Nom.Vide() && f.SortOrder.Vide(); }

void CarnetFiches::Ouvrir(const std::filesystem::path& chemin) {
  std::vector<FicheClient> lues = LireFichierNaissance(chemin);  // throws before anything changes
  surDisque_ = FormesEcrites(lues);
  fiches_ = std::move(lues);
  chemin_ = chemin;
}

void CarnetFiches::Fermer() {
  chemin_.clear();
  fiches_.clear();
  surDisque_.clear();
}

std::vector<FicheClient> CarnetFiches::FichesAEcrire() const { return FormesEcrites(fiches_); }

bool CarnetFiches::Modifie() const {
  const std::vector<FicheClient> a = FichesAEcrire();
  return a.size() != surDisque_.size() || !std::equal(a.begin(), a.end(), surDisque_.begin());
}

void CarnetFiches::Trier() { TrierParCle(fiches_); }

int CarnetFiches::Ajouter() {
  FicheClient f;
  f.Nom = Utf8VersCp1252("Complétez ");
  fiches_.push_back(f);
  return Nombre() - 1;
}

int CarnetFiches::Inserer(int i) {
  const int ici = std::clamp(i, 0, Nombre());
  fiches_.insert(fiches_.begin() + ici, FicheClient());
  return ici;
}

void CarnetFiches::Supprimer(int i) {
  if (i < 0 || i >= Nombre()) return;
  fiches_.erase(fiches_.begin() + i);
}

ResultatModification CarnetFiches::Modifier(int i, SaisieFiche& s, const std::string& aujourdhui) {
  if (i < 0 || i >= Nombre()) return {"", 0};
  // Tabs and line ends pasted into a field have no place in a record.
  for (std::string& t : s) t = SansControles(t);
  const auto utf8 = [](const std::string& t) { return Cp1252VersUtf8(t); };
  if (!DateValide(s[1])) return {utf8(s[1]) + " : date incorrecte", 2};
  if (!HeureValide(s[2])) return {utf8(s[2]) + " : heure incorrecte", 3};
  // The manager admits latitudes up to 66° only; the rest is the entry window's check.
  if (std::fabs(LireNombre(s[4])) > 66)
    return {"Latitude : " + utf8(s[4]) + " :  valeur supérieure à 66° !", 5};
  if (std::string e = ErreurLatitude(s[4]); !e.empty()) return {e, 5};
  if (std::string e = ErreurLongitude(s[5]); !e.empty()) return {e, 6};
  FicheClient& f = fiches_[static_cast<std::size_t>(i)];
  f.Nom = s[0];
  f.Date = s[1];
  f.Heure = s[2];
  f.Ville = s[3];
  f.Lat = s[4];
  f.Long = s[5];
  f.Fuseau = s[6];
  f.Commentaire = s[7].empty() ? Utf8VersCp1252("modifié le " + aujourdhui) : s[7];
  f.SortOrder = CleDeTri(SansBlancs(s[0]));
  return {};
}

int CarnetFiches::Chercher(std::string_view texte) const {
  if (fiches_.empty()) return -1;
  while (!texte.empty() && texte.front() == ' ') texte.remove_prefix(1);
  // Folded as a name: punctuation out, accents plain, capitals.
  const ChaineCourte<30> cle = CleDeTri(texte);
  if (cle.Vide()) return 0;
  for (int l = 0; l < Nombre(); ++l) {
    const std::string_view k = fiches_[static_cast<std::size_t>(l)].SortOrder.Texte();
    if (ComparerClesSansCasse(k.substr(0, cle.Longueur()), cle.Texte()) == 0) return l;
  }
  return Nombre() - 1;
}

void CarnetFiches::Sauver() {
  if (chemin_.empty()) return;
  std::vector<FicheClient> triees = fiches_;
  TrierParCle(triees);
  const std::vector<FicheClient> ecrites = FormesEcrites(triees);
  RecrireFichierNaissance(chemin_, ecrites);  // throws with the rows unsorted, as they were
  fiches_ = std::move(triees);
  surDisque_ = ecrites;
}

void CarnetFiches::EnregistrerSous(const std::filesystem::path& chemin) {
  CarnetFiches copie = *this;
  copie.chemin_ = chemin;
  copie.Sauver();
  Fermer();
}

void CarnetFiches::Importer(const std::vector<std::filesystem::path>& fichiers) {
  std::vector<FicheClient> toutes;
  for (const auto& f : fichiers) {
    std::vector<FicheClient> lues = LireFichierNaissance(f);
    toutes.insert(toutes.end(), lues.begin(), lues.end());
  }
  fiches_ = std::move(toutes);
  chemin_.clear();
  surDisque_.clear();
  Trier();
}

void CarnetFiches::InsererDansLeFichier(const std::vector<FicheClient>& fiches) {
  if (chemin_.empty() || Modifie()) return;
  InsererFiches(chemin_, fiches);  // refused before anything is written, or written whole
  Ouvrir(chemin_);
}

int CarnetFiches::EliminerDoublons() {
  const std::size_t avant = fiches_.size();
  fiches_.erase(std::unique(fiches_.begin(), fiches_.end(),
                            [](const FicheClient& a, const FicheClient& b) { return a.SortOrder == b.SortOrder; }),
                fiches_.end());
  return static_cast<int>(avant - fiches_.size());
}

void CarnetFiches::Vider() { Fermer(); }

}  // namespace gestion
}  // namespace selvane
