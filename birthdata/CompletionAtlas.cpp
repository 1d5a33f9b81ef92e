#include "birthdata/CompletionAtlas.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "birthdata/Saisie.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"
#include "core/Avertissements.h"
#include "core/Conversions.h"
#include "core/Temps.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

// International vehicle codes, as the programs writing AAF use them, and their ISO code.
struct CodeVehicule {
  const char* vehicule;
  const char* iso;
};
constexpr CodeVehicule kVehicules[] = {
    {"A", "AT"},    {"AFG", "AF"},  {"AND", "AD"},  {"ARM", "AM"},  {"AUS", "AU"},  {"B", "BE"},   {"BDS", "BB"},
    {"BH", "BZ"},   {"BIH", "BA"},  {"BOL", "BO"},  {"BRN", "BH"},  {"BRU", "BN"},  {"C", "CU"},   {"CAM", "CM"},
    {"CDN", "CA"},  {"CL", "LK"},   {"D", "DE"},   {"DOM", "DO"},  {"E", "ES"},    {"EAK", "KE"},  {"EAT", "TZ"},  {"EAU", "UG"},
    {"ES", "SV"},   {"EST", "EE"},  {"ET", "EG"},   {"ETH", "ET"},  {"F", "FR"},    {"FIN", "FI"},  {"FJI", "FJ"},
    {"FL", "LI"},   {"G", "GA"},    {"GBA", "GG"},  {"GBG", "GG"},  {"GBJ", "JE"},  {"GBM", "IM"},  {"GBZ", "GI"},
    {"GCA", "GT"},  {"GUY", "GY"},  {"H", "HU"},    {"I", "IT"},    {"IND", "IN"},  {"IRL", "IE"},  {"IRQ", "IQ"},
    {"J", "JP"},    {"JA", "JM"},   {"JOR", "JO"},  {"K", "KH"},    {"KS", "KG"},   {"KSA", "SA"},  {"KWT", "KW"},
    {"L", "LU"},    {"LAO", "LA"},  {"LAR", "LY"},  {"LB", "LR"},   {"M", "MT"},    {"MAL", "MY"},  {"MEX", "MX"},
    {"MGL", "MN"},  {"MNE", "ME"},  {"MOC", "MZ"},  {"MS", "MU"},   {"N", "NO"},    {"NAM", "NA"},  {"NAU", "NR"},
    {"NEP", "NP"},  {"NIC", "NI"},  {"NMK", "MK"},  {"P", "PT"},    {"PNG", "PG"},  {"Q", "QA"},    {"RA", "AR"},
    {"RB", "BW"},   {"RC", "TW"},   {"RCA", "CF"},  {"RCB", "CG"},  {"RCH", "CL"},  {"RG", "GN"},   {"RH", "HT"},
    {"RI", "ID"},   {"RIM", "MR"},  {"RL", "LB"},   {"RM", "MG"},   {"RMM", "ML"},  {"RN", "NE"},   {"ROK", "KR"},
    {"ROU", "UY"},  {"RP", "PH"},   {"RSM", "SM"},  {"RU", "BI"},   {"RUS", "RU"},  {"RWA", "RW"},  {"S", "SE"},
    {"SD", "SZ"},   {"SGP", "SG"},  {"SLO", "SI"},  {"SME", "SR"},  {"SRB", "RS"},  {"SUD", "SD"},  {"SY", "SC"},
    {"SYR", "SY"},  {"T", "TH"},    {"TCH", "TD"},  {"UAE", "AE"},  {"USA", "US"},  {"V", "VA"},    {"WAG", "GM"},
    {"WAL", "SL"},  {"WAN", "NG"},  {"WD", "DM"},   {"WG", "GD"},   {"WL", "LC"},   {"WV", "VC"},   {"YAR", "YE"},
    {"YU", "RS"},   {"YV", "VE"},   {"Z", "ZM"},    {"ZRE", "CD"},
};

std::string Majuscules(std::string_view t) {
  std::string s(t);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

// Every record of an atlas file whose key is `cle` (folded, cut to 30): the file is in
// ascending key order, without regard to case.
std::vector<CityRecord> VillesDeCle(const FichierAtlas& atlas, const std::string& cle) {
  std::int64_t bas = 0, haut = atlas.Nombre();
  while (bas < haut) {
    const std::int64_t milieu = bas + (haut - bas) / 2;
    if (Majuscules(atlas.Lire(milieu).SearchKey.Texte()) < cle) bas = milieu + 1;
    else haut = milieu;
  }
  std::vector<CityRecord> villes;
  for (std::int64_t i = bas; i < atlas.Nombre(); ++i) {
    CityRecord w = atlas.Lire(i);
    if (Majuscules(w.SearchKey.Texte()) != cle) break;
    villes.push_back(std::move(w));
  }
  return villes;
}

std::string TexteDate(const DateHeureLocale& d) {
  char t[32];
  if (d.annee < 0) std::snprintf(t, sizeof t, "%02d/%02d/-%03d", d.jour, d.mois, -d.annee);
  else std::snprintf(t, sizeof t, "%02d/%02d/%04d", d.jour, d.mois, d.annee);
  return t;
}

}  // namespace

std::vector<std::string> CodesIsoDuPays(std::string_view code) {
  const std::string c = Majuscules(code);
  std::vector<std::string> codes;
  if (c.size() == 2 && std::isupper(static_cast<unsigned char>(c[0])) && std::isupper(static_cast<unsigned char>(c[1])))
    codes.push_back(c);
  for (const CodeVehicule& v : kVehicules)
    if (c == v.vehicule && (codes.empty() || codes[0] != v.iso)) codes.push_back(v.iso);
  return codes;
}

std::string TexteSourceFuseau(const SourceFuseau& s) {
  std::string texte = s.zone;
  auto ajouter = [&texte](const std::string& partie) { texte += (texte.empty() ? "" : ", ") + partie; };
  if (!s.abreviation.empty()) ajouter(Cp1252VersUtf8(s.abreviation));
  ajouter(s.ete ? "heure d'été" : "heure d'hiver");
  return texte;
}

CompletionAtlas::CompletionAtlas(fs::path dossier) : dossier_(std::move(dossier)) {}
CompletionAtlas::~CompletionAtlas() = default;

std::optional<double> CompletionAtlas::JourJulien(const DateHeureLocale& d, long decalage) const {
  const double heures = d.heures + d.minutes / 60.0 + d.secondes / 3600.0 - decalage / 3600.0;
  return selvane::JourJulien(d.jour, d.mois, d.annee, heures / 24.0);
}

std::optional<DateHeureLocale> CompletionAtlas::DateLocale(double jourJulien, long decalage) const {
  if (!std::isfinite(jourJulien) || jourJulien < 0 || jourJulien > 1e8) return std::nullopt;
  // Seconds from the noon of JD 0, rounded: the day's number and the time in it.
  const long long total = std::llround((jourJulien + 0.5) * 86400.0) + decalage;
  const long long jour = total / 86400, secondes = total % 86400;
  const DateCalendrier c = JourJulienVersCalendrier(static_cast<double>(jour));
  DateHeureLocale d;
  d.jour = c.jour;
  d.mois = c.mois;
  d.annee = c.annee;
  d.heures = static_cast<int>(secondes / 3600);
  d.minutes = static_cast<int>(secondes / 60 % 60);
  d.secondes = static_cast<int>(secondes % 60);
  return d;
}

const FichierAtlas* CompletionAtlas::AtlasDuPays(const std::string& iso, std::string& nomFichier) const {
  if (!atlasListes_) {
    atlasListes_ = true;
    for (const std::string& nom : ListerAtlas(dossier_)) {
      try {
        FichierAtlas atlas(dossier_ / (nom + ".cty"));
        if (atlas.Nombre() > 0) fichierDuPays_.emplace(atlas.Lire(0).CountryCode.Chaine(), nom);
      } catch (const ErreurFichier&) {
        // An unreadable atlas file places nothing; the others still do.
      }
    }
  }
  const auto f = fichierDuPays_.find(iso);
  if (f == fichierDuPays_.end()) return nullptr;
  nomFichier = f->second;
  return &Ouvrir(f->second);
}

const FichierAtlas& CompletionAtlas::Ouvrir(const std::string& nomFichier) const {
  std::unique_ptr<FichierAtlas>& ouvert = ouverts_[nomFichier];
  if (!ouvert) ouvert = std::make_unique<FichierAtlas>(dossier_ / (nomFichier + ".cty"));
  return *ouvert;
}

const std::vector<LigneRegime>* CompletionAtlas::Regimes(const std::string& nomZone) const {
  auto r = regimes_.find(nomZone);
  if (r == regimes_.end()) {
    const std::optional<std::string> numero = LireFuseauActuel(dossier_, nomZone);
    std::optional<std::vector<LigneRegime>> lignes;
    if (numero) lignes = LireRegimes(dossier_, *numero);
    if (lignes && lignes->empty()) lignes.reset();
    r = regimes_.emplace(nomZone, std::move(lignes)).first;
  }
  return r->second ? &*r->second : nullptr;
}

bool CompletionAtlas::RegimeA(const std::string& nomZone, const DateHeureLocale& d, Regime& r,
                              std::string& pourquoi) const {
  const std::vector<LigneRegime>* lignes = Regimes(nomZone);
  if (!lignes) {
    pourquoi = "fuseau " + Cp1252VersUtf8(nomZone) + " inconnu";
    return false;
  }
  const double jj =
      selvane::JourJulien(d.jour, d.mois, d.annee, (d.heures + d.minutes / 60.0 + d.secondes / 3600.0) / 24.0);
  if (jj >= 2469807.5) {
    pourquoi = MessageRegimeRefuse;
    return false;
  }
  r = RegimeALInstant(*lignes, std::llround((jj - 2440587.5) * 86400.0));
  return true;
}

std::optional<SourceFuseau> CompletionAtlas::Source(const FicheClient& f) const {
  DateHeureLocale d;
  long decalage = 0;
  const std::string_view date = f.Date.Texte(), heure = f.Heure.Texte();
  if (!DateValide(date) || !HeureValide(heure) || !LireDecalage(f.Fuseau.Texte(), decalage)) return std::nullopt;
  Entier(Tranche(date, 0, 2), d.jour);
  Entier(Tranche(date, 3, 2), d.mois);
  Entier(Tranche(date, 6, 4), d.annee);
  Entier(Tranche(heure, 0, 2), d.heures);
  Entier(Tranche(heure, 3, 2), d.minutes);
  if (heure.size() > 5) Entier(Tranche(heure, 6, 2), d.secondes);
  // A town the record's place was picked from: its coordinates exactly the record's, its zone's
  // regime at that date giving the record's zone.
  const auto depuis = [&](const std::string& lat, const std::string& lon, const std::string& nomZone) -> std::optional<SourceFuseau> {
    if (lat != f.Lat.Texte() || lon != f.Long.Texte()) return std::nullopt;
    Regime r;
    std::string pourquoi;
    long zone = 0;
    if (!RegimeA(nomZone, d, r, pourquoi) || r.genre != Regime::Fuseau || !LireDecalage(r.texte, zone) || zone != decalage)
      return std::nullopt;
    return SourceFuseau{r.abreviation, r.saison == 1, nomZone};
  };
  const std::string cle = PlierCle(f.Ville.Texte()).substr(0, 30);
  try {
    // The default city first: the entry window opens on it, with its zone name.
    try {
      const VilleDefaut v = LireVilleDefaut(dossier_);
      if (PlierCle(v.ville).substr(0, 30) == cle)
        if (auto s = depuis(v.lat, v.lon, Rogner(v.zone))) return s;
    } catch (const ErreurFichier&) {
      // No default city: the atlas still may tell.
    }
    // A key search in each atlas file, as a place is found: no file is read whole.
    for (const std::string& nom : ListerAtlas(dossier_)) {
      std::vector<CityRecord> villes;
      try {
        // Opened for this search only: the process keeps no descriptor for every country.
        villes = VillesDeCle(FichierAtlas(dossier_ / (nom + ".cty")), cle);
      } catch (const ErreurFichier&) {
        continue;  // an unreadable atlas file tells nothing; the others still may
      }
      for (const CityRecord& v : villes)
        if (auto s = depuis(v.Lat.Chaine(), v.Long.Chaine(), v.ZoneName.Chaine())) return s;
    }
  } catch (const std::exception&) {
    // An unreadable atlas or database: the source stays unknown.
  }
  return std::nullopt;
}

std::optional<LieuTrouve> CompletionAtlas::Placer(const std::string& ville, const std::string& pays,
                                                  const DateHeureLocale& d, std::string& pourquoi) const {
  try {
    const std::string cle = PlierCle(SaisieVersCp1252(ville)).substr(0, 30);
    const std::vector<std::string> codes = CodesIsoDuPays(pays);
    bool unAtlas = false;
    for (const std::string& iso : codes) {
      std::string nomFichier;
      const FichierAtlas* atlas = AtlasDuPays(iso, nomFichier);
      if (!atlas) continue;
      unAtlas = true;
      const std::vector<CityRecord> villes = VillesDeCle(*atlas, cle);
      if (villes.empty()) continue;
      const std::size_t memeNom = villes.size();
      const CityRecord& v = villes.front();

      LieuTrouve l;
      l.lat = v.Lat.Chaine();
      l.lon = v.Long.Chaine();
      l.source = v.Ville.Utf8() + " (" + nomFichier + ")";
      if (memeNom > 1) l.source += ", la première de " + std::to_string(memeNom) + " villes de ce nom";
      Regime r;
      if (!RegimeA(v.ZoneName.Chaine(), d, r, pourquoi)) return std::nullopt;
      l.fuseau = r.genre == Regime::HeureLocale ? LongitudeVersFuseau(l.lon) : r.texte;
      if (r.ambiguite != Regime::Aucune) {
        char heure[16];
        std::snprintf(heure, sizeof heure, "%02dh%02d", d.heures, d.minutes);
        l.alarme = MessageAmbiguite(r, TexteDate(d), heure, "dans la fiche");
        std::replace(l.alarme.begin(), l.alarme.end(), '\r', ' ');
        l.alarme.erase(std::remove(l.alarme.begin(), l.alarme.end(), '\n'), l.alarme.end());
      }
      return l;
    }
    if (codes.empty()) pourquoi = "code de pays « " + pays + " » inconnu";
    else if (!unAtlas) pourquoi = "pas d'atlas pour le pays « " + pays + " »";
    else pourquoi = "« " + ville + " » absente de l'atlas du pays « " + pays + " »";
  } catch (const std::exception& e) {  // ErreurFichier, ErreurConversion: the system's or the reader's text
    pourquoi = e.what();
  }
  return std::nullopt;
}

std::string CompletionAtlas::Controler(const FicheClient& f) const {
  SaisieNaissance s{f.Nom.Utf8(),   f.Date.Utf8(), f.Heure.Utf8(),  f.Ville.Utf8(),
                    f.Lat.Utf8(),   f.Long.Utf8(), f.Fuseau.Utf8(), f.Commentaire.Utf8()};
  struct Capture : Avertisseur {
    std::string texte;
    void Avertir(const std::string& t) override {
      if (texte.empty()) texte = t;
    }
  } capture;
  DefinirAvertisseur(&capture);
  bool bonne = false;
  try {
    bonne = VerifierNaissance(s);
  } catch (...) {
    DefinirAvertisseur(nullptr);
    throw;
  }
  DefinirAvertisseur(nullptr);
  if (bonne) return "";
  return capture.texte.empty() ? "refusée par les contrôles de la saisie" : capture.texte;
}

}  // namespace selvane
