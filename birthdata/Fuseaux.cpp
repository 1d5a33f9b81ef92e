#include "Fuseaux.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <string_view>

#include "Avertissements.h"
#include "Calcul.h"
#include "Catalogue.h"
#include "Conversions.h"
#include "Cp1252.h"
#include "ErreurFichier.h"

namespace selvane {

namespace fs = std::filesystem;

const char* const MessageRegimeRefuse = "Régime horaire non fourni au delà du 1 janvier 2050";

namespace {

// Calls f(line) for each line of the file, CR LF or LF, reading it from the
// start; stops when f returns false, without reading the rest.
template <typename F>
void ParLigne(const fs::path& chemin, F f) {
  std::ifstream fichier(chemin, std::ios::binary);
  if (!fichier) LeverErreurFichier(errno ? errno : ENOENT, chemin.string());
  std::string ligne;
  while (std::getline(fichier, ligne)) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    if (!f(std::string_view(ligne))) return;
  }
  if (fichier.bad()) LeverErreurFichier(errno ? errno : EIO, chemin.string());
}

// Field k (0-based) of a TAB-separated line, read up to 40 characters.
std::string_view Champ(std::string_view ligne, int k) {
  for (int i = 0; i < k; ++i) {
    const std::size_t t = ligne.find('\t');
    if (t == std::string_view::npos) return {};
    ligne.remove_prefix(t + 1);
  }
  return ligne.substr(0, std::min(ligne.find('\t'), std::size_t{40}));
}

long long Nombre(std::string_view texte) {
  long long v = 0;
  const char* debut = texte.data() + (!texte.empty() && texte[0] == '+' ? 1 : 0);
  const auto [fin, erreur] = std::from_chars(debut, texte.data() + texte.size(), v);
  // Starts and offsets are seconds: past a few thousand years either way a
  // number is a damaged field, and summing two of them must not overflow.
  constexpr long long limite = 1000000000000LL;
  if (texte.empty() || erreur != std::errc() || fin != texte.data() + texte.size() || v > limite || v < -limite)
    throw ErreurConversion("'" + Cp1252VersUtf8(texte) + "' n'est pas une valeur entière correcte");
  return v;
}

}  // namespace

std::optional<std::string> LireFuseauActuel(const fs::path& dossier, const std::string& nomZone) {
  std::optional<std::string> numero;
  ParLigne(dossier / "Zones_Numbers.tzn", [&](std::string_view ligne) {
    const std::size_t t = ligne.find('\t');
    if (t != std::string_view::npos && ligne.substr(0, t) == nomZone) {
      numero = std::string(ligne.substr(t + 1));
      return false;
    }
    return true;
  });
  return numero;
}

Regime ChercherRegimeFromDate(const fs::path& dossier, const std::string& numeroZone, int jour, int mois,
                              int annee, int heures, int minutes, int secondes) {
  const double jj = JourJulien(jour, mois, annee, (heures + minutes / 60.0 + secondes / 3600.0) / 24.0);
  Regime r;
  if (jj >= 2469807.5) {
    r.genre = Regime::Refus;
    return r;
  }
  // The local instant on the scale of the database's starts, to the second.
  const long long t = static_cast<long long>(Arrondi((jj - 2440587.5) * 86400.0));
  int k = 0;
  long long precedent = 0;
  bool fini = false;
  ParLigne(dossier / "TZDBCel.tzb", [&](std::string_view ligne) {
    if (Champ(ligne, 0) != numeroZone) return k == 0;  // before the zone: skip; after it: done
    const long long debut = Nombre(Champ(ligne, 2));
    const long long decalage = Nombre(Champ(ligne, 3));
    if (t <= debut + decalage) {
      if (k == 0) {
        r.genre = Regime::HeureLocale;
        r.texte = "L";
      } else {
        r.genre = Regime::Fuseau;
        r.texte = SecondesVersFuseau(static_cast<double>(precedent));
      }
      fini = true;
      return false;
    }
    precedent = decalage;
    ++k;
    return true;
  });
  if (!fini && k > 0) {
    r.genre = Regime::Fuseau;
    r.texte = SecondesVersFuseau(static_cast<double>(precedent));
  }
  return r;
}

}  // namespace selvane
