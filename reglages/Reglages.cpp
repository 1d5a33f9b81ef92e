#include "reglages/Reglages.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <charconv>
#include <cstdio>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "core/EtatTheme.h"
#include "birthdata/records/Fichiers.h"

namespace selvane {

namespace fs = std::filesystem;

namespace {

struct NomCouleur {
  const char* nom;
  Couleur valeur;
};

constexpr NomCouleur kNoms[] = {
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000},
    {"clOlive", 0x008080},      {"clNavy", 0x800000},      {"clPurple", 0x800080},
    {"clTeal", 0x808000},       {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},        {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},
};

std::string_view SansEspaces(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return t;
}

[[noreturn]] void ValeurIncorrecte(std::string_view texte, const char* genre) {
  throw ErreurConversion("'" + Cp1252VersUtf8(texte) + "' n'est pas " + genre);
}

double Reel(std::string_view texte) {
  const std::string_view t = SansEspaces(texte);
  double v = 0;
  const char* debut = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
  const auto [fin, erreur] = std::from_chars(debut, t.data() + t.size(), v);
  if (t.empty() || erreur != std::errc() || fin != t.data() + t.size() || !std::isfinite(v))
    ValeurIncorrecte(texte, "une valeur numérique correcte");
  return v;
}

long Entier(std::string_view texte) {
  const std::string_view t = SansEspaces(texte);
  long v = 0;
  const char* debut = t.data() + (!t.empty() && t[0] == '+' ? 1 : 0);
  const auto [fin, erreur] = std::from_chars(debut, t.data() + t.size(), v);
  if (t.empty() || erreur != std::errc() || fin != t.data() + t.size())
    ValeurIncorrecte(texte, "une valeur entière correcte");
  return v;
}

// Reading past the last line is a failure of the file itself.
const std::string& Ligne(const std::vector<std::string>& lignes, std::size_t i, const char* fichier) {
  if (i >= lignes.size()) throw ErreurFichier(std::string("Lecture au-delà de la fin du fichier. (") + fichier + ")");
  return lignes[i];
}

// A wrong value is reported with its file: the message alone does not say which of the
// settings files to open.
template <class Lecture>
auto DansLeFichier(const std::string& fichier, Lecture&& lecture) {
  try {
    return lecture();
  } catch (const ErreurConversion& erreur) {
    throw ErreurConversion("Fichier " + Cp1252VersUtf8(fichier) + " : " + erreur.what());
  }
}

JeuCouleurs CouleursDeLignes(const std::vector<std::string>& lignes, const char* fichier) {
  JeuCouleurs c{};
  for (std::size_t i = 0; i < c.size(); ++i) {
    const std::string& texte = Ligne(lignes, i, fichier);
    if (!LireCouleur(texte, c[i])) ValeurIncorrecte(texte, "une couleur correcte");
  }
  return c;
}

}  // namespace

Reglages& LesReglages() {
  static Reglages r;
  return r;
}

std::string TexteCouleur(Couleur c) {
  for (const auto& n : kNoms)
    if (n.valeur == c) return n.nom;
  char t[16];
  std::snprintf(t, sizeof t, "$%08X", c);
  return t;
}

bool LireCouleur(std::string_view texte, Couleur& c) {
  const std::string_view t = SansEspaces(texte);
  for (const auto& n : kNoms) {
    if (t.size() == std::char_traits<char>::length(n.nom)) {
      bool pareil = true;
      for (std::size_t i = 0; i < t.size() && pareil; ++i)
        pareil = std::tolower(static_cast<unsigned char>(t[i])) == std::tolower(static_cast<unsigned char>(n.nom[i]));
      if (pareil) {
        c = n.valeur;
        return true;
      }
    }
  }
  if (t.empty()) return false;
  const bool hexa = t[0] == '$';
  const char* debut = t.data() + (hexa ? 1 : 0);
  const char* fin = t.data() + t.size();
  if (debut == fin) return false;
  long long v = 0;
  const auto [ou, erreur] = std::from_chars(debut, fin, v, hexa ? 16 : 10);
  if (erreur != std::errc() || ou != fin || v < 0 || v > 0xFFFFFFFFLL) return false;
  c = static_cast<Couleur>(v);
  return true;
}

std::vector<std::string> LireLignes(const fs::path& chemin) { return DecouperLignes(LireFichierEntier(chemin)); }

void EcrireLignes(const fs::path& chemin, const std::vector<std::string>& lignes) {
  std::string contenu;
  for (const std::string& l : lignes) contenu += l + "\r\n";
  RemplacerFichierEntier(chemin, contenu);
}

JeuCouleurs LireFichierCouleurs(const fs::path& chemin) {
  const std::string nom = chemin.filename().string();
  const std::vector<std::string> lignes = LireLignes(chemin);
  return DansLeFichier(nom, [&] { return CouleursDeLignes(lignes, nom.c_str()); });
}

void EcrireFichierCouleurs(const fs::path& chemin, const JeuCouleurs& couleurs) {
  std::vector<std::string> lignes;
  for (Couleur c : couleurs) lignes.push_back(TexteCouleur(c));
  EcrireLignes(chemin, lignes);
}

namespace chargement {

// Each reader parses its whole file before it changes anything.

void Options(const std::vector<std::string>& l) {
  bool actif[9];
  double orbe[9];
  for (int i = 0; i < 9; ++i) {
    actif[i] = SansEspaces(Ligne(l, 2 * i, fichiers::Options)) == "o";
    // An orb is an angle of separation: beyond 0..180 degrees it means nothing.
    orbe[i] = std::clamp(Reel(Ligne(l, 2 * i + 1, fichiers::Options)), 0.0, 180.0) * DegEnRad;
  }
  const long systeme = Entier(Ligne(l, 18, fichiers::Options));
  if (systeme < 0 || systeme > 9) ValeurIncorrecte(l[18], "un système de maisons (1 à 9)");
  const std::string& orientation = Ligne(l, 19, fichiers::Options);
  Reglages& r = LesReglages();
  for (int i = 0; i < 9; ++i) {
    r.AspectActif[i] = actif[i];
    r.AspectOrbe[i] = orbe[i];
  }
  Etat().SystemeMaisons = static_cast<std::uint8_t>(systeme);
  Etat().Orientation = orientation.empty() ? 'n' : orientation[0];
}

void CouleursEcran(const std::vector<std::string>& l) {
  const JeuCouleurs c = CouleursDeLignes(l, fichiers::CouleursEcran);
  Reglages& r = LesReglages();
  r.CouleurFondEcran = c[0];
  r.CouleurTexteEcran = c[0] != 0 ? 0x000000 : 0xFFFFFF;
  r.CouleurTraitsEcran = c[0] != 0 ? CouleurGris : CouleurArgent;
  for (int i = 0; i < 24; ++i) r.CouleursCorpsEcran[i + 1] = c[1 + i];
  for (int i = 0; i < 4; ++i) r.CouleursFondSignesEcran[i] = c[25 + i];
  for (int i = 0; i < 4; ++i) r.CouleursSignesEcran[i] = c[29 + i];
  for (int i = 0; i < 9; ++i) r.CouleursAspectsEcran[i] = c[33 + i];
}

void CouleursImpression(const std::vector<std::string>& l) {
  const JeuCouleurs c = CouleursDeLignes(l, fichiers::CouleursImpression);
  Reglages& r = LesReglages();
  for (int i = 0; i < 24; ++i) r.CouleursCorpsImpression[i + 1] = c[1 + i];
  for (int i = 0; i < 4; ++i) r.CouleursFondSignesImpression[i] = c[25 + i];
  for (int i = 0; i < 4; ++i) r.CouleursSignesImpression[i] = c[29 + i];
  for (int i = 0; i < 9; ++i) r.CouleursAspectsImpression[i] = c[33 + i];
}

void Tailles(const std::vector<std::string>& l) {
  // Kept to what the colour dialog's spin boxes offer (planets 10..25 points,
  // signs 10..22): a size edited by hand cannot overflow a painter.
  const long planetes = std::clamp(Entier(Ligne(l, 0, fichiers::TaillesGlyphes)), -5L, 10L);
  const long signes = std::clamp(Entier(Ligne(l, 1, fichiers::TaillesGlyphes)), -2L, 10L);
  const bool relief = SansEspaces(Ligne(l, 2, fichiers::TaillesGlyphes)) == "1";
  Reglages& r = LesReglages();
  r.TaillePlanetes = static_cast<int>(planetes);
  r.TailleSignes = static_cast<int>(signes);
  r.PlanetesEnRelief = relief;
}

void JeuPlanetes(const std::vector<std::string>& l) {
  std::bitset<256> jeu;
  int lues = 0;
  for (const std::string& texte : l) {
    if (SansEspaces(texte).empty()) continue;  // a final empty line is no entry
    const long n = Entier(texte);
    ++lues;
    if (n >= 0 && n <= 255) jeu.set(static_cast<std::size_t>(n));
  }
  Etat().JeuPlanetes = jeu;
  Etat().NbPlanetes = lues;
  Etat().NbPlanetesJeu = lues;
}

void Couronnes(const std::vector<std::string>& l) {
  LesReglages().ColoredCrowns = SansEspaces(Ligne(l, 0, fichiers::ColoredCrowns)) == "1";
}

}  // namespace chargement

void EcrireReglagesParDefaut(const fs::path& dossier) {
  for (const FichierParDefaut& f : FichiersParDefaut()) EcrireLignes(dossier / f.nom, f.lignes);
}

void AppliquerReglagesParDefaut() {
  auto lignes = [](const char* nom) -> const std::vector<std::string>& {
    for (const FichierParDefaut& f : FichiersParDefaut())
      if (std::string_view(f.nom) == nom) return f.lignes;
    throw ErreurFichier(std::string("Le fichier spécifié est introuvable. (") + nom + ")");
  };
  chargement::Options(lignes(fichiers::Options));
  chargement::CouleursEcran(lignes(fichiers::CouleursEcran));
  chargement::CouleursImpression(lignes(fichiers::CouleursImpression));
  chargement::Tailles(lignes(fichiers::TaillesGlyphes));
  chargement::JeuPlanetes(lignes(fichiers::JeuPlanetes));
  chargement::Couronnes(lignes(fichiers::ColoredCrowns));
}

namespace {

void Charger(const fs::path& dossier, const char* nom, void (*charger)(const std::vector<std::string>&)) {
  const std::vector<std::string> lignes = LireLignes(dossier / nom);
  DansLeFichier(nom, [&] { charger(lignes); });
}

}  // namespace

void ChargerReglages(const fs::path& dossier) {
  Charger(dossier, fichiers::Options, chargement::Options);
  Charger(dossier, fichiers::CouleursEcran, chargement::CouleursEcran);
  Charger(dossier, fichiers::CouleursImpression, chargement::CouleursImpression);
  Charger(dossier, fichiers::TaillesGlyphes, chargement::Tailles);
  Charger(dossier, fichiers::JeuPlanetes, chargement::JeuPlanetes);
  Charger(dossier, fichiers::ColoredCrowns, chargement::Couronnes);
}

}  // namespace selvane
