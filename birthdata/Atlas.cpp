#include "birthdata/Atlas.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

template <std::size_t N>
void Champ(ChaineCourte<N>& c, const unsigned char*& o) {
  c.Lire(o);
  o += N + 1;
}

template <std::size_t N>
void Champ(const ChaineCourte<N>& c, unsigned char*& o) {
  c.Ecrire(o);
  o += N + 1;
}

// Compares the first 15 characters of a key with the search text, folding
// "a".."z" only, as the search of the atlas has always done.
int Comparer15(std::string_view cle, std::string_view texte) {
  cle = cle.substr(0, 15);
  const std::size_t n = std::min(cle.size(), texte.size());
  auto plier = [](char c) -> unsigned char {
    return static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  };
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char a = plier(cle[i]), b = plier(texte[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  if (cle.size() == texte.size()) return 0;
  return cle.size() < texte.size() ? -1 : 1;
}


}  // namespace

std::string PlierCle(std::string_view texte) {
  // Windows-1252 letters from 0xC0 on, each as its capital without accent.
  static const char* const lettres[64] = {
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
      "D", "N", "O", "O", "O", "O", "O", "\xD7", "O", "U", "U", "U", "U", "Y", "TH", "SS",
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
      "D", "N", "O", "O", "O", "O", "O", "\xF7", "O", "U", "U", "U", "U", "Y", "TH", "Y"};
  std::string cle;
  cle.reserve(texte.size());
  for (const char c : texte) {
    const auto o = static_cast<unsigned char>(c);
    if (o >= 'a' && o <= 'z') cle += static_cast<char>(o - 32);
    else if (o >= 0xC0) cle += lettres[o - 0xC0];
    else if (o == '-' || o == 0x96 || o == 0x97) cle += ' ';  // hyphen, en and em dash
    else if (o == '`' || o == 0x91 || o == 0x92 || o == 0xB4) cle += '\'';
    else if (o == 0x8A || o == 0x9A) cle += 'S';
    else if (o == 0x8E || o == 0x9E) cle += 'Z';
    else if (o == 0x8C || o == 0x9C) cle += "OE";
    else if (o == 0x9F) cle += 'Y';
    else cle += c;
  }
  return cle;
}

std::string SaisieVersCp1252(std::string_view utf8) {
  // U+0100..U+017F, each as its base letter; "." where the code page has the letter.
  static const char* const latinEtenduA[128] = {
      "A", "a", "A", "a", "A", "a", "C", "c", "C", "c", "C", "c", "C", "c", "D", "d",
      "D", "d", "E", "e", "E", "e", "E", "e", "E", "e", "E", "e", "G", "g", "G", "g",
      "G", "g", "G", "g", "H", "h", "H", "h", "I", "i", "I", "i", "I", "i", "I", "i",
      "I", "i", "IJ", "ij", "J", "j", "K", "k", "k", "L", "l", "L", "l", "L", "l", "L",
      "l", "L", "l", "N", "n", "N", "n", "N", "n", "n", "N", "n", "O", "o", "O", "o",
      "O", "o", ".", ".", "R", "r", "R", "r", "R", "r", "S", "s", "S", "s", "S", "s",
      ".", ".", "T", "t", "T", "t", "T", "t", "U", "u", "U", "u", "U", "u", "U", "u",
      "U", "u", "U", "u", "W", "w", "Y", "y", ".", "Z", "z", "Z", "z", ".", ".", "s"};
  std::string propre;
  propre.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const auto o = static_cast<unsigned char>(utf8[i]);
    const std::size_t n = o < 0x80 ? 1 : (o >> 5) == 6 ? 2 : (o >> 4) == 14 ? 3 : (o >> 3) == 30 ? 4 : 1;
    const std::string_view caractere = utf8.substr(i, n);
    i += n;
    unsigned point = 0;
    if (n == 2 && caractere.size() == 2)
      point = ((o & 0x1Fu) << 6) | (static_cast<unsigned char>(caractere[1]) & 0x3Fu);
    if (point >= 0x300 && point <= 0x36F) continue;  // a combining accent typed apart
    if (point >= 0x100 && point <= 0x17F && latinEtenduA[point - 0x100][0] != '.') {
      propre += latinEtenduA[point - 0x100];
    } else if (point == 0x218 || point == 0x219 || point == 0x21A || point == 0x21B) {  // ș ț
      propre += point == 0x218 ? "S" : point == 0x219 ? "s" : point == 0x21A ? "T" : "t";
    } else {
      propre += caractere;
    }
  }
  return Utf8VersCp1252(propre);
}

CityRecord DecoderVille(const unsigned char* o) {
  CityRecord v;
  Champ(v.Ville, o);
  Champ(v.Pays, o);
  Champ(v.Lat, o);
  Champ(v.Long, o);
  Champ(v.CountryCode, o);
  Champ(v.ZoneName, o);
  Champ(v.SearchKey, o);
  return v;
}

void EncoderVille(const CityRecord& v, unsigned char* o) {
  Champ(v.Ville, o);
  Champ(v.Pays, o);
  Champ(v.Lat, o);
  Champ(v.Long, o);
  Champ(v.CountryCode, o);
  Champ(v.ZoneName, o);
  Champ(v.SearchKey, o);
}

std::vector<std::string> ListerAtlas(const fs::path& dossier) {
  std::vector<std::string> noms;
  std::error_code erreur;
  for (const auto& entree : fs::directory_iterator(dossier, erreur)) {
    const fs::path p = entree.path();
    if (p.extension() == ".cty" && entree.is_regular_file(erreur)) noms.push_back(p.stem().string());
  }
  if (erreur) LeverErreurFichier(erreur.value(), dossier.string());
  std::sort(noms.begin(), noms.end());
  return noms;
}

FichierAtlas::FichierAtlas(const fs::path& chemin) : chemin_(chemin) {
  fd_ = ::open(chemin.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) LeverErreurFichier(errno, chemin.string());
  struct stat etat {};
  if (::fstat(fd_, &etat) != 0) {
    const int e = errno;
    ::close(fd_);
    LeverErreurFichier(e, chemin.string());
  }
  nombre_ = etat.st_size / static_cast<std::int64_t>(CityRecord::TailleEnregistrement);
}

FichierAtlas::~FichierAtlas() {
  if (fd_ >= 0) ::close(fd_);
}

CityRecord FichierAtlas::Lire(std::int64_t index) const {
  unsigned char octets[CityRecord::TailleEnregistrement] = {};
  const auto taille = static_cast<ssize_t>(CityRecord::TailleEnregistrement);
  if (index < 0 || index >= nombre_ ||
      ::pread(fd_, octets, sizeof octets, index * taille) != taille)
    LeverErreurFichier(errno ? errno : EIO, chemin_.string());
  return DecoderVille(octets);
}

std::vector<CityRecord> FichierAtlas::Page(std::int64_t premier, int lignes) const {
  std::vector<CityRecord> page;
  for (std::int64_t i = std::max<std::int64_t>(premier, 0); i < nombre_ && static_cast<int>(page.size()) < lignes; ++i)
    page.push_back(Lire(i));
  return page;
}

std::int64_t FichierAtlas::Chercher(std::string_view tape) const {
  const std::string plie = PlierCle(tape);
  const std::string_view texte = std::string_view(plie).substr(0, 15);
  std::int64_t bas = 0, haut = nombre_, milieu = haut / 2;
  if (nombre_ == 0) return 0;
  do {
    if (milieu >= nombre_) milieu = nombre_ - 1;
    if (milieu < 0) milieu = 0;
    const int c = Comparer15(Lire(milieu).SearchKey.Texte(), texte);
    if (c == 0) break;
    if (c < 0) bas = milieu + 1;
    else haut = milieu - 1;
    milieu = (bas + haut) / 2;
  } while (bas < haut);
  return std::clamp<std::int64_t>(milieu, 0, nombre_ - 1);
}

std::int64_t PremiereLigne(std::int64_t trouve, int recul, int lignes, std::int64_t nombre) {
  std::int64_t debut = trouve - recul;
  if (debut + lignes >= nombre) debut = nombre - lignes;
  if (debut < 0) debut = 0;
  return debut;
}

VilleDefaut LireVilleDefaut(const fs::path& dossier) {
  const fs::path chemin = dossier / "Vildef.def";
  const std::vector<std::string> lignes = DecouperLignes(LireFichierEntier(chemin));
  if (lignes.size() < 5)
    throw ErreurFichier("Lecture au-delà de la fin du fichier. (" + chemin.string() + ")");
  return {Rogner(lignes[0]), lignes[1], Rogner(lignes[2]), Rogner(lignes[3]), lignes[4]};
}

void EcrireVilleDefaut(const fs::path& dossier, const VilleDefaut& v) {
  RemplacerFichierEntier(dossier / "Vildef.def",
                         v.ville + "\r\n" + v.pays + "\r\n" + v.lat + "\r\n" + v.lon + "\r\n" + v.zone + "\r\n");
}

}  // namespace selvane
