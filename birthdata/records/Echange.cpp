// What the AAF and CSV exchanges share, and the CSV form of a birth file.
#include "birthdata/records/Echange.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"

namespace selvane {

namespace {


bool Utf8Valide(std::string_view t) {
  for (std::size_t i = 0; i < t.size();) {
    const auto o = static_cast<std::uint8_t>(t[i]);
    int suite = 0;
    if (o < 0x80) suite = 0;
    else if (o >= 0xC2 && o <= 0xDF) suite = 1;
    else if (o >= 0xE0 && o <= 0xEF) suite = 2;
    else if (o >= 0xF0 && o <= 0xF4) suite = 3;
    else return false;
    for (int k = 1; k <= suite; ++k)
      if (i + k >= t.size() || (static_cast<std::uint8_t>(t[i + k]) & 0xC0) != 0x80) return false;
    i += 1 + suite;
  }
  return true;
}

// The fields of one CSV line as a birth record, or the reason it is refused.
std::string LigneVersFiche(const LigneCsv& l, FicheClient& f, std::vector<std::string>& notes,
                           const CompletionEchange* completion) {
  if (l.champs.size() != 9)
    return "9 champs attendus, " + std::to_string(l.champs.size()) + " trouvés";
  const std::vector<std::string>& c = l.champs;
  if (Rogner(SansControles(c[0])).empty()) return "le nom est vide";
  std::string heure = c[3];
  if (heure.size() == 5) heure += "m00";  // "14h05" gets its seconds, as at entry
  std::string fuseau = Rogner(c[7]);
  // "L" stands for the local mean time of the longitude, as the entry window stores it.
  if (!fuseau.empty() && (fuseau[0] == 'L' || fuseau[0] == 'l')) {
    double lon = 0;
    if (LireNombreExact(Utf8VersCp1252(c[6]), lon))
      fuseau = TexteDecalage(std::lround(DegMinVersDegres(lon) * 240.0));
  }
  f = FicheDesChamps(c[0], c[2], heure, c[4], c[5], c[6], fuseau, c[8]);
  std::string erreur = ErreurFiche(f);
  if (erreur.empty() && completion) erreur = completion->Controler(f);
  if (!erreur.empty()) return erreur;
  for (const std::string* champ : {&c[0], &c[4], &c[8]}) {
    const std::string a = AvertissementHors1252(Rogner(*champ));
    if (!a.empty()) notes.push_back(a);
  }
  if (Utf8VersCp1252(Rogner(SansControles(c[8]))).size() > 80)
    notes.push_back("commentaire coupé à 80 caractères");
  return "";
}

}  // namespace

const char* const EnteteCsvFiches = "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire";

std::string TexteEnUtf8(std::string_view texte) {
  if (texte.substr(0, 3) == "\xEF\xBB\xBF") texte.remove_prefix(3);
  if (Utf8Valide(texte)) return std::string(texte);
  return Cp1252VersUtf8(texte);
}

FicheClient FicheDesChamps(const std::string& nom, const std::string& date, const std::string& heure,
                           const std::string& ville, const std::string& lat, const std::string& lon,
                           const std::string& fuseau, const std::string& commentaire) {
  FicheClient f;
  f.Nom = ChaineCourte<36>::DepuisUtf8(Rogner(SansControles(nom)));
  f.Date = ChaineCourte<10>::DepuisUtf8(SansControles(date));
  f.Heure = ChaineCourte<8>::DepuisUtf8(SansControles(heure));
  f.Ville = ChaineCourte<70>::DepuisUtf8(Rogner(SansControles(ville)));
  f.Lat = ChaineCourte<6>::DepuisUtf8(SansControles(lat));
  f.Long = ChaineCourte<7>::DepuisUtf8(SansControles(lon));
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(Rogner(SansControles(fuseau)));
  f.Commentaire = ChaineCourte<80>::DepuisUtf8(Rogner(SansControles(commentaire)));
  // A cut may end on a space: the stored texts are trimmed all the same.
  f.Nom = Rogner(f.Nom.Texte());
  f.SortOrder = CleDeTri(f.Nom.Texte());
  f.Ville = Rogner(f.Ville.Texte());
  f.Commentaire = Rogner(f.Commentaire.Texte());
  return f;
}

std::string ErreurFiche(const FicheClient& f) {
  if (!DateValide(f.Date.Texte())) return f.Date.Utf8() + " : date incorrecte";
  if (f.Heure.Longueur() != 8 || !HeureValide(f.Heure.Texte())) return f.Heure.Utf8() + " : heure incorrecte";
  std::string e = ErreurLatitude(f.Lat.Texte());
  if (e.empty()) e = ErreurLongitude(f.Long.Texte());
  if (!e.empty()) return e;
  long secondes = 0;
  if (!LireDecalage(f.Fuseau.Texte(), secondes)) return "Erreur dans l'écriture du fuseau";
  return "";
}

bool LireDecalage(std::string_view fuseau, long& secondes) {
  bool negatif = false;
  std::string_view t = SansBlancsNiSigne(fuseau, negatif);
  if (t.empty()) return false;
  long parties[3] = {0, 0, 0};
  int n = 0;
  for (std::size_t debut = 0; n < 3;) {
    const std::size_t point = t.find('.', debut);
    const std::string_view p = t.substr(debut, point == std::string_view::npos ? std::string_view::npos : point - debut);
    if (p.empty() || p.size() > 2) return false;
    for (char c : p)
      if (c < '0' || c > '9') return false;
    parties[n++] = std::atol(std::string(p).c_str());
    if (point == std::string_view::npos) break;
    debut = point + 1;
    if (n == 3) return false;
  }
  if (parties[1] >= 60 || parties[2] >= 60) return false;
  const long s = parties[0] * 3600 + parties[1] * 60 + parties[2];
  if (s > 14 * 3600) return false;
  secondes = negatif ? -s : s;
  return true;
}

std::string TexteDecalage(long secondes) {
  const long a = std::labs(secondes);
  char texte[16];
  std::snprintf(texte, sizeof texte, "%s%02ld.%02ld.%02ld", secondes < 0 ? "-" : "", (a / 3600) % 24, (a / 60) % 60,
                a % 60);
  return texte;
}

// --- CSV ---------------------------------------------------------------------

std::string ChampCsvFiche(std::string_view texte) {
  if (texte.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(texte);
  std::string s = "\"";
  for (char c : texte) {
    if (c == '"') s += '"';
    s += c;
  }
  return s + "\"";
}

std::vector<LigneCsv> DecouperCsv(std::string_view texte) {
  std::vector<LigneCsv> lignes;
  LigneCsv courante{1, {}};
  std::string champ;
  bool entreGuillemets = false;
  int ligne = 1;
  bool vide = true;  // nothing seen on this record yet
  for (std::size_t i = 0; i < texte.size(); ++i) {
    const char c = texte[i];
    if (entreGuillemets) {
      if (c == '"' && i + 1 < texte.size() && texte[i + 1] == '"') {
        champ += '"';
        ++i;
      } else if (c == '"') {
        entreGuillemets = false;
      } else {
        if (c == '\n') ++ligne;
        champ += c;
      }
      continue;
    }
    if (c == '"') {
      entreGuillemets = true;
      vide = false;
    } else if (c == ',') {
      courante.champs.push_back(champ);
      champ.clear();
      vide = false;
    } else if (c == '\r') {
      continue;
    } else if (c == '\n') {
      if (!vide || !champ.empty()) {
        courante.champs.push_back(champ);
        lignes.push_back(courante);
      }
      champ.clear();
      courante = {++ligne, {}};
      vide = true;
    } else {
      champ += c;
      vide = false;
    }
  }
  if (!vide || !champ.empty()) {
    courante.champs.push_back(champ);
    lignes.push_back(courante);
  }
  return lignes;
}

std::string EcrireCsv(const std::vector<FicheClient>& fiches) {
  std::string s = std::string(EnteteCsvFiches) + "\n";
  for (const FicheClient& f : fiches) {
    bool premier = true;
    for (std::string_view champ : {f.Nom.Texte(), f.SortOrder.Texte(), f.Date.Texte(), f.Heure.Texte(),
                                   f.Ville.Texte(), f.Lat.Texte(), f.Long.Texte(), f.Fuseau.Texte(),
                                   f.Commentaire.Texte()}) {
      if (!premier) s += ',';
      premier = false;
      s += ChampCsvFiche(Cp1252VersUtf8(champ));
    }
    s += '\n';
  }
  return s;
}

LectureEchange LireCsvFiches(std::string_view texte, const CompletionEchange* completion) {
  LectureEchange r;
  const std::vector<LigneCsv> lignes = DecouperCsv(TexteEnUtf8(texte));
  if (lignes.empty() || lignes[0].champs.size() != 9 || lignes[0].champs[0].rfind("Nom", 0) != 0) {
    r.erreur = std::string("Ligne 1 : l'en-tête attendu est ") + EnteteCsvFiches;
    return r;
  }
  for (std::size_t k = 1; k < lignes.size(); ++k) {
    const LigneCsv& l = lignes[k];
    const std::string debut = "Ligne " + std::to_string(l.numero) +
                              (l.champs.empty() ? std::string() : ", " + Rogner(SansControles(l.champs[0]))) + " : ";
    FicheClient f;
    std::vector<std::string> notes;
    const std::string refus = LigneVersFiche(l, f, notes, completion);
    if (!refus.empty()) {
      r.rapport.push_back(debut + "non importée : " + refus);
      ++r.refusees;
      continue;
    }
    for (const std::string& n : notes) r.rapport.push_back(debut + n);
    r.fiches.push_back(f);
  }
  return r;
}

}  // namespace selvane
