#include "birthdata/Fuseaux.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <charconv>
#include <fstream>
#include <string_view>

#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"

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
  // Starts and offsets are seconds: past some thirty million years either way
  // (the generator's "before anything" start is -2^40) a number is a damaged
  // field, and summing two of them must not overflow.
  constexpr long long limite = 1000000000000000LL;
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

namespace {

// The whole file in one read into a buffer kept from call to call: the
// database is read afresh each time, without paging in a new megabyte for it.
std::string_view LireToutLeFichier(const fs::path& chemin) {
  static std::string tampon;
  const int fd = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) LeverErreurFichier(errno, chemin.string());
  std::size_t lu = 0;
  for (;;) {
    if (tampon.size() < lu + 65536) tampon.resize(std::max<std::size_t>(2 * tampon.size(), lu + 65536));
    const ssize_t n = ::read(fd, &tampon[lu], tampon.size() - lu);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      ::close(fd);
      LeverErreurFichier(e, chemin.string());
    }
    if (n == 0) break;
    lu += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return std::string_view(tampon.data(), lu);
}

}  // namespace

std::vector<LigneRegime> LireRegimes(const fs::path& dossier, const std::string& numeroZone) {
  // Straight to the zone's first line: the same lines as a reading from the
  // start, without splitting every line before it.
  const std::string_view contenu = LireToutLeFichier(dossier / "TZDBCel.tzb");
  const std::string cle = numeroZone + '\t';
  std::size_t p = 0;
  if (contenu.substr(0, cle.size()) != cle) {
    const std::string debutDeLigne = '\n' + cle;
    const void* trouve = ::memmem(contenu.data(), contenu.size(), debutDeLigne.data(), debutDeLigne.size());
    if (!trouve) return {};
    p = static_cast<std::size_t>(static_cast<const char*>(trouve) - contenu.data()) + 1;
  }
  std::vector<LigneRegime> lignes;
  while (p < contenu.size()) {
    std::size_t fin = contenu.find('\n', p);
    if (fin == std::string::npos) fin = contenu.size();
    std::string_view ligne(contenu.data() + p, fin - p);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    if (Champ(ligne, 0) != numeroZone) break;
    LigneRegime l;
    l.zone = std::string(Champ(ligne, 1));
    l.debut = Nombre(Champ(ligne, 2));
    l.decalage = Nombre(Champ(ligne, 3));
    l.abreviation = std::string(Champ(ligne, 4));
    const std::string_view saison = Champ(ligne, 5);
    l.saison = saison == "1" ? 1 : saison == "2" ? 2 : 0;
    lignes.push_back(std::move(l));
    p = fin + 1;
  }
  return lignes;
}

namespace {

bool EstHeureLocale(const LigneRegime& l) { return l.abreviation == "LMT"; }

std::string TexteDuRegime(const LigneRegime& l) {
  return EstHeureLocale(l) ? "L" : SecondesVersFuseau(static_cast<double>(l.decalage));
}

Regime RegimeDeLigne(const LigneRegime& l) {
  Regime r;
  r.genre = EstHeureLocale(l) ? Regime::HeureLocale : Regime::Fuseau;
  r.texte = TexteDuRegime(l);
  r.decalage = l.decalage;
  r.zone = l.zone;
  r.abreviation = l.abreviation;
  r.saison = l.saison;
  return r;
}

}  // namespace

Regime RegimeALInstant(const std::vector<LigneRegime>& lignes, long long t) {
  Regime r;
  if (lignes.empty()) return r;
  // The regime's start read on its own clock; a clock set forward makes that
  // very time the first one of the new regime.
  std::size_t k = 0;
  for (; k < lignes.size(); ++k) {
    const long long o = lignes[k].debut + lignes[k].decalage;
    const bool enAvant = k > 0 && lignes[k].decalage > lignes[k - 1].decalage;
    if (enAvant ? t < o : t <= o) break;
  }
  if (k == 0) {  // before every regime of the zone
    r = RegimeDeLigne(lignes[0]);
    r.genre = Regime::HeureLocale;
    r.texte = "L";
    return r;
  }
  const std::size_t j = k - 1;
  r = RegimeDeLigne(lignes[j]);
  // Does the local time belong to a neighbouring regime too, or to none?
  auto contient = [&](std::size_t i) {
    const long long u = t - lignes[i].decalage;
    return u >= lignes[i].debut && (i + 1 == lignes.size() || u < lignes[i + 1].debut);
  };
  if (j > 0 && contient(j - 1) && contient(j)) {
    r.ambiguite = Regime::DeuxFois;
    r.autre = TexteDuRegime(lignes[j - 1]);
    r.autreDecalage = lignes[j - 1].decalage;
  } else if (j + 1 < lignes.size() && contient(j + 1) && contient(j)) {
    r.ambiguite = Regime::DeuxFois;
    r.autre = TexteDuRegime(lignes[j + 1]);
    r.autreDecalage = lignes[j + 1].decalage;
  } else if (!contient(j) && j + 1 < lignes.size()) {
    r.ambiguite = Regime::Inexistante;
    r.autre = TexteDuRegime(lignes[j + 1]);
    r.autreDecalage = lignes[j + 1].decalage;
  }
  // Two readings that both give local mean time leave nothing to choose.
  if (r.ambiguite != Regime::Aucune && r.autre == r.texte) {
    r.ambiguite = Regime::Aucune;
    r.autre.clear();
  }
  return r;
}

Regime ChercherRegimeFromDate(const fs::path& dossier, const std::string& numeroZone, int jour, int mois,
                              int annee, int heures, int minutes, int secondes) {
  const double jj = JourJulien(jour, mois, annee, (heures + minutes / 60.0 + secondes / 3600.0) / 24.0);
  if (jj >= 2469807.5) {
    Regime r;
    r.genre = Regime::Refus;
    return r;
  }
  // The local instant on the scale of the database's starts, to the second.
  const long long t = static_cast<long long>(Arrondi((jj - 2440587.5) * 86400.0));
  return RegimeALInstant(LireRegimes(dossier, numeroZone), t);
}

std::string SourceDuRegime(const Regime& r) {
  if (r.genre == Regime::HeureLocale) return "Heure locale";
  if (r.genre != Regime::Fuseau) return "";
  std::string texte = Cp1252VersUtf8(r.zone);
  if (!r.abreviation.empty()) texte += (texte.empty() ? "" : ", ") + Cp1252VersUtf8(r.abreviation);
  if (r.saison == 1) texte += ", heure d'été";
  if (r.saison == 2) texte += ", heure d'hiver";
  return texte;
}

std::string MessageAmbiguite(const Regime& r, const std::string& date, const std::string& heure,
                             const std::string& ouTaper) {
  auto nommer = [](const std::string& z) { return z == "L" ? std::string("L (heure locale)") : z; };
  const std::string lieu = r.zone.empty() ? "" : " (" + Cp1252VersUtf8(r.zone) + ")";
  const std::string fin = "\r\nLe fuseau " + nommer(r.texte) + " a été retenu ; tapez " + nommer(r.autre) +
                          " " + ouTaper + " s'il s'agit de l'autre.";
  if (r.ambiguite == Regime::DeuxFois) {
    // The clocks were set back: the first reading had the larger offset.
    const bool retenuDAbord = r.decalage > r.autreDecalage;
    return "L'heure " + heure + " du " + date + " a existé deux fois" + lieu + " : d'abord au fuseau " +
           nommer(retenuDAbord ? r.texte : r.autre) + ", puis au fuseau " + nommer(retenuDAbord ? r.autre : r.texte) +
           "." + fin;
  }
  if (r.ambiguite == Regime::Inexistante)
    return "L'heure " + heure + " du " + date + " n'a pas existé" + lieu + " : les horloges ont avancé du fuseau " +
           nommer(r.texte) + " au fuseau " + nommer(r.autre) + "." + fin;
  return "";
}

}  // namespace selvane
