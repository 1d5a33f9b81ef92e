#include <gtest/gtest.h>
#include <optional>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/DossierProgramme.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

FicheClient Fiche(const char* nomUtf8, const char* date = "07/03/1952") {
  FicheClient f;
  f.Nom = ChaineCourte<36>::DepuisUtf8(nomUtf8);
  f.SortOrder = CleDeTri(f.Nom.Texte());
  f.Date = date;
  f.Heure = "14h05m30";
  f.Ville = ChaineCourte<70>::DepuisUtf8("Évreux");
  f.Lat = "49.01";
  f.Long = "1.09";
  f.Fuseau = "01.00.00";
  f.Commentaire = ChaineCourte<80>::DepuisUtf8("né à l'hôpital");
  return f;
}

std::string Octets(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), {});
}

void Ecrire(const fs::path& p, const std::string& octets) {
  std::ofstream f(p, std::ios::binary);
  f << octets;
}

class FichiersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    programme_.emplace("selvane_fichiers");
    dossier = programme_->Chemin();
    SimulerPanneEcriture(0);
  }
  void TearDown() override {
    SimulerPanneEcriture(0);
    programme_.reset();
  }
  std::vector<std::string> Noms(const fs::path& p) {
    std::vector<std::string> noms;
    for (const auto& f : LireFichierNaissance(p)) noms.push_back(f.Nom.Utf8());
    return noms;
  }
  std::optional<DossierProgramme> programme_;
  fs::path dossier;
};

}  // namespace

TEST(CleDeTri, Repliement) {
  struct Cas {
    const char* nom;
    const char* cle;
  } cas[] = {
      {"  Dupont-Durand,Hélène ", "DUPONTDURANDHELENE"},
      {"Éric", "ERIC"},
      {"ÇA VA, Noël", "CAVANOEL"},
      {"l'Hôte d'Ô", "LHOTEDO"},
      {"Müller 2e", "MULLER2E"},
      {"-- ,.;!", ""},
      {"Æsa Øre", "æSAøRE"},  // letters outside the accent table stay, lower case
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJ", "ABCDEFGHIJKLMNOPQRSTUVWXYZABCD"},
  };
  for (const auto& c : cas)
    EXPECT_EQ(CleDeTri(Utf8VersCp1252(c.nom)).Chaine(), Utf8VersCp1252(c.cle)) << c.nom;
}

TEST(NomNouveauFichier, PonctuationRemplaceeParDesEspaces) {
  EXPECT_EQ(NomNouveauFichierNaissance("Clients 2024"), "Clients 2024.thz");
  EXPECT_EQ(NomNouveauFichierNaissance("a/b:c*d?e"), "a b c d e.thz");
  EXPECT_EQ(NomNouveauFichierNaissance("Thèmes_été"), "Thèmes été.thz");
}

TEST(Enregistrement, DisposeOctetParOctet) {
  const FicheClient f = Fiche("DUPONT,Hélène");
  unsigned char o[265];
  std::memset(o, 0xEE, sizeof o);
  EncoderFiche(f, o);
  EXPECT_EQ(o[0], 13);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(o + 1), 13), "DUPONT,H\xE9l\xE8ne");
  EXPECT_EQ(o[37], 12);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(o + 38), 12), "DUPONTHELENE");
  EXPECT_EQ(o[68], 10);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(o + 69), 10), "07/03/1952");
  EXPECT_EQ(o[79], 8);
  EXPECT_EQ(o[88], 6);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(o + 89), 6), "\xC9vreux");
  EXPECT_EQ(o[159], 5);
  EXPECT_EQ(o[166], 4);
  EXPECT_EQ(o[174], 8);
  EXPECT_EQ(o[184], 14);
  EXPECT_EQ(DecoderFiche(o), f);
}

TEST(Enregistrement, OctetsDeLongueurAbimes) {
  unsigned char o[265] = {};
  EncoderFiche(Fiche("X"), o);
  o[0] = 255;    // Nom: capacity 36
  o[159] = 7;    // Lat: capacity 6
  o[184] = 200;  // Commentaire: capacity 80, would run past the record
  const FicheClient f = DecoderFiche(o);
  EXPECT_EQ(f.Nom.Longueur(), 36u);
  EXPECT_EQ(f.Lat.Longueur(), 6u);
  EXPECT_EQ(f.Commentaire.Longueur(), 80u);
  EXPECT_EQ(f.Date.Chaine(), "07/03/1952");
}

TEST_F(FichiersTest, LectureDeFichiersIncomplets) {
  const fs::path p = dossier / "Groupe.thz";
  std::string deux(530, '\0');
  EncoderFiche(Fiche("A"), reinterpret_cast<unsigned char*>(&deux[0]));
  EncoderFiche(Fiche("B"), reinterpret_cast<unsigned char*>(&deux[265]));
  struct Cas {
    std::size_t taille;
    std::size_t fiches;
  } cas[] = {{0, 0}, {100, 0}, {265, 1}, {300, 1}, {529, 1}, {530, 2}};
  for (const auto& c : cas) {
    Ecrire(p, deux.substr(0, c.taille));
    EXPECT_EQ(LireFichierNaissance(p).size(), c.fiches) << c.taille;
  }
  EXPECT_THROW(LireFichierNaissance(dossier / "absent.thz"), ErreurFichier);
  try {
    LireFichierNaissance(dossier / "absent.thz");
  } catch (const ErreurFichier& e) {
    EXPECT_NE(std::string(e.what()).find("Le fichier spécifié est introuvable."), std::string::npos);
  }
}

TEST_F(FichiersTest, InsertionALaPlaceDuTri) {
  const fs::path p = dossier / "Groupe.thz";
  Ecrire(p, "");
  InsererFiche(p, Fiche("MARTIN,Paul"));
  EXPECT_EQ(fs::file_size(p), 265u);
  InsererFiche(p, Fiche("DURAND,Luc"));       // before all
  InsererFiche(p, Fiche("ZOLA,Émile"));       // after all
  InsererFiche(p, Fiche("Martin,Paul", "01/01/2000"));  // equal key: before the first equal
  InsererFiche(p, Fiche("LEROY,Anne"));       // in the middle
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"DURAND,Luc", "LEROY,Anne", "Martin,Paul", "MARTIN,Paul",
                                               "ZOLA,Émile"}));
  EXPECT_EQ(fs::file_size(p), 5 * 265u);
  EXPECT_FALSE(fs::exists(dossier / "tempo.thr"));
  // The backup holds the file as it was before the last insertion.
  EXPECT_EQ(fs::file_size(dossier / "Groupe.thr.bak"), 4 * 265u);
}

TEST_F(FichiersTest, InsertionSupprimeUnFichierDeTravailPerime) {
  const fs::path p = dossier / "Groupe.thz";
  CreerFichierNaissance(p, Fiche("B"));
  Ecrire(dossier / "tempo.thr", "restes d'une panne");
  InsererFiche(p, Fiche("A"));
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(fs::exists(dossier / "tempo.thr"));
}

TEST_F(FichiersTest, UnePanneDEcritureLaisseLeFichierIntact) {
  const fs::path p = dossier / "Groupe.thz";
  std::vector<FicheClient> beaucoup;
  for (int i = 0; i < 1000; ++i) beaucoup.push_back(Fiche(("NOM" + std::to_string(1000 + i)).c_str()));
  RecrireFichierNaissance(p, beaucoup);
  const std::string avant = Octets(p);

  for (int panne : {1, 2, 3}) {
    SimulerPanneEcriture(panne);
    EXPECT_THROW(InsererFiche(p, Fiche("NOM1500X")), ErreurFichier) << panne;
    EXPECT_EQ(Octets(p), avant) << panne;
    EXPECT_FALSE(fs::exists(dossier / "tempo.thr")) << panne;
    SimulerPanneEcriture(1);
    EXPECT_THROW(RecrireFichierNaissance(p, {Fiche("SEUL")}), ErreurFichier);
    EXPECT_EQ(Octets(p), avant);
  }
  SimulerPanneEcriture(0);
  // A folder that does not exist: the system's text, nothing written.
  try {
    CreerFichierNaissance(dossier / "absent" / "Nouveau.thz", Fiche("A"));
    FAIL() << "no error";
  } catch (const ErreurFichier& e) {
    EXPECT_NE(std::string(e.what()).find("introuvable"), std::string::npos) << e.what();
  }
}

TEST_F(FichiersTest, RecritureEtEffacement) {
  const fs::path p = dossier / "Groupe.thz";
  RecrireFichierNaissance(p, {Fiche("C"), Fiche("A"), Fiche("B")});
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"C", "A", "B"}));  // order given, not sorted
  CreerFichierNaissance(p, Fiche("SEUL"));
  EXPECT_EQ(fs::file_size(p), 265u);
  EffacerFichierNaissance(p);
  EXPECT_FALSE(fs::exists(p));
  EXPECT_THROW(EffacerFichierNaissance(p), ErreurFichier);
}

TEST_F(FichiersTest, FichierDeTheme) {
  const fs::path p = dossier / "DUPONT.cht";
  const FicheClient f = Fiche("DUPONT,Hélène");
  EcrireFichierTheme(p, f);
  EXPECT_EQ(Octets(p), "DUPONT,H\xE9l\xE8ne\r\n07/03/1952\r\n14h05m30\r\n\xC9vreux\r\n49.01\r\n1.09\r\n"
                       "01.00.00\r\nn\xE9 \xE0 l'h\xF4pital\r\n");
  FicheClient relue = LireFichierTheme(p);
  relue.SortOrder = f.SortOrder;
  EXPECT_EQ(relue, f);

  // Long lines are cut to their field; missing lines stay empty; LF alone is accepted.
  Ecrire(p, std::string(50, 'N') + "\n07/03/1952123\n14h05m30\n");
  relue = LireFichierTheme(p);
  EXPECT_EQ(relue.Nom.Chaine(), std::string(36, 'N'));
  EXPECT_EQ(relue.Date.Chaine(), "07/03/1952");
  EXPECT_EQ(relue.Heure.Chaine(), "14h05m30");
  EXPECT_TRUE(relue.Ville.Vide());
  EXPECT_TRUE(relue.Commentaire.Vide());
}

TEST_F(FichiersTest, PlusieursInsertionsEnUneEcriture) {
  // Junk after the texts of the records already there is kept byte for byte.
  std::string depart(3 * 265, '\xA5');
  EncoderFiche(Fiche("BERNARD,Ana"), reinterpret_cast<unsigned char*>(&depart[0]));
  EncoderFiche(Fiche("MARTIN,Paul"), reinterpret_cast<unsigned char*>(&depart[265]));
  EncoderFiche(Fiche("ZOLA,Émile"), reinterpret_cast<unsigned char*>(&depart[530]));
  depart[36] = 'J';  // a byte past Nom's text, not significant
  const fs::path un = dossier / "Un.thz";
  const fs::path tous = dossier / "Tous.thz";
  Ecrire(un, depart);
  Ecrire(tous, depart);
  const std::vector<FicheClient> nouvelles = {Fiche("MARTIN,Paul", "01/01/2001"), Fiche("ALAIN,Marc"),
                                              Fiche("Martin,Paul", "02/02/2002"), Fiche("ZZ")};
  for (const FicheClient& f : nouvelles) InsererFiche(un, f);
  InsererFiches(tous, nouvelles);
  EXPECT_EQ(Octets(un), Octets(tous));
  EXPECT_EQ(Octets(tous).substr(265, 265), depart.substr(0, 265));  // BERNARD after ALAIN, unchanged
  EXPECT_EQ(Octets(dossier / "Tous.thr.bak"), depart);
  const auto fiches = LireFichierNaissance(tous);
  ASSERT_EQ(fiches.size(), 7u);
  EXPECT_EQ(fiches[2].Date.Chaine(), "02/02/2002");  // the later of equal keys goes first
  EXPECT_EQ(fiches[3].Date.Chaine(), "01/01/2001");
}

// When the last step fails (the rename), the file keeps its old content and no
// work file stays behind: not "tempo.thr", not "….tmp", not "….thr.bak.tmp".
TEST_F(FichiersTest, UnRenommageManqueNeLaissePasDeFichierDeTravail) {
  const fs::path p = dossier / "Groupe.thz";
  CreerFichierNaissance(p, Fiche("B"));
  const std::string avant = Octets(p);

  SimulerPanneRenommage();
  EXPECT_THROW(InsererFiche(p, Fiche("A")), ErreurFichier);  // the backup's rename
  SimulerPanneRenommage();
  EXPECT_THROW(RecrireFichierNaissance(p, {Fiche("C")}), ErreurFichier);  // tempo.thr's
  SimulerPanneRenommage();
  EXPECT_THROW(EcrireFichierTheme(dossier / "B.cht", Fiche("B")), ErreurFichier);
  EXPECT_EQ(Octets(p), avant);

  // A folder in the way of the backup: the real failure of a rename.
  fs::create_directories(dossier / "Groupe.thr.bak" / "dedans");
  try {
    InsererFiche(p, Fiche("A"));
    ADD_FAILURE() << "no error";
  } catch (const ErreurFichier& e) {
    EXPECT_EQ(std::string(e.what()), "Accès refusé : le nom désigne un dossier. (" +
                                         (dossier / "Groupe.thr.bak").string() + ")");
  }
  EXPECT_EQ(Octets(p), avant);
  fs::remove_all(dossier / "Groupe.thr.bak");

  std::vector<std::string> restes;
  for (const auto& f : fs::directory_iterator(dossier)) restes.push_back(f.path().filename().string());
  EXPECT_EQ(restes, std::vector<std::string>{"Groupe.thz"});
  InsererFiche(p, Fiche("A"));  // the next write goes through
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"A", "B"}));
}

// A link left where the work file goes is replaced, never written through.
TEST_F(FichiersTest, UnLienALaPlaceDuFichierDeTravailNEstPasSuivi) {
  const fs::path p = dossier / "Groupe.thz";
  CreerFichierNaissance(p, Fiche("B"));
  Ecrire(dossier / "autre.txt", "intact");
  fs::create_symlink(dossier / "autre.txt", dossier / "tempo.thr");
  fs::create_symlink(dossier / "autre.txt", dossier / "Groupe.thr.bak.tmp");
  InsererFiche(p, Fiche("A"));
  EXPECT_EQ(Octets(dossier / "autre.txt"), "intact");
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(fs::exists(dossier / "tempo.thr"));
}

// Every error names the file asked for, in French, whatever the work file.
TEST_F(FichiersTest, NomTropLongEtDossierAbsent) {
  const fs::path longue = dossier / (std::string(300, 'x') + ".thz");
  const fs::path absent = dossier / "absent" / "Groupe.cht";
  struct Cas {
    std::function<void()> action;
    fs::path chemin;
    const char* texte;
  } cas[] = {
      {[&] { CreerFichierNaissance(longue, Fiche("A")); }, longue, "Le nom de fichier ou l'extension est trop long."},
      {[&] { EcrireFichierTheme(longue, Fiche("A")); }, longue, "Le nom de fichier ou l'extension est trop long."},
      {[&] { LireFichierNaissance(longue); }, longue, "Le nom de fichier ou l'extension est trop long."},
      {[&] { EcrireFichierTheme(absent, Fiche("A")); }, absent, "Le fichier spécifié est introuvable."},
      {[&] { LireFichierTheme(dossier); }, dossier, "Accès refusé : le nom désigne un dossier."},
  };
  for (const Cas& c : cas) {
    try {
      c.action();
      ADD_FAILURE() << "no error for " << c.chemin;
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(std::string(e.what()), std::string(c.texte) + " (" + c.chemin.string() + ")");
    }
  }
  // What std::filesystem throws gets the same words.
  try {
    (void)fs::status(longue);
    const auto taille = fs::file_size(longue);
    ADD_FAILURE() << "no error, size " << taille;
  } catch (const fs::filesystem_error& e) {
    EXPECT_EQ(std::string(ErreurDuSysteme(e).what()),
              "Le nom de fichier ou l'extension est trop long. (" + longue.string() + ")");
  }
  EXPECT_EQ(TexteErreurSysteme(EACCES), "Accès refusé.");
}

namespace {

fs::perms Droits(const fs::path& p) { return fs::status(p).permissions() & fs::perms::mask; }

}  // namespace

// A read-only file is refused by every write, before anything changes: the
// message names it, its bytes and its mode stay. Decided on the mode bits, so
// it holds under root as for anyone.
TEST_F(FichiersTest, UnFichierEnLectureSeuleEstRefuse) {
  const fs::path p = dossier / "Groupe.thz";
  const fs::path theme = dossier / "Groupe.cht";
  RecrireFichierNaissance(p, {Fiche("B"), Fiche("D")});
  EcrireFichierTheme(theme, Fiche("B"));
  struct Cas {
    const char* quoi;
    fs::path chemin;
    std::function<void()> action;
  } cas[] = {
      {"rewrite", p, [&] { RecrireFichierNaissance(p, {Fiche("C")}); }},
      {"create", p, [&] { CreerFichierNaissance(p, Fiche("C")); }},
      {"insert", p, [&] { InsererFiche(p, Fiche("C")); }},
      {"insert several", p, [&] { InsererFiches(p, {Fiche("A"), Fiche("C")}); }},
      {"erase", p, [&] { EffacerFichierNaissance(p); }},
      {"chart file", theme, [&] { EcrireFichierTheme(theme, Fiche("C")); }},
      {"whole file", theme, [&] { RemplacerFichierEntier(theme, "x"); }},
  };
  for (const Cas& c : cas) {
    fs::permissions(c.chemin, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const std::string avant = Octets(c.chemin);
    try {
      c.action();
      ADD_FAILURE() << c.quoi << ": no error";
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(std::string(e.what()), "Accès refusé. (" + c.chemin.string() + ")") << c.quoi;
    }
    EXPECT_EQ(Octets(c.chemin), avant) << c.quoi;
    EXPECT_EQ(Droits(c.chemin), fs::perms(0444)) << c.quoi;
    fs::permissions(c.chemin, fs::perms(0644));
  }
  EXPECT_FALSE(fs::exists(CheminSauvegarde(p)));  // the refused insertions wrote no backup
  std::vector<std::string> restes;
  for (const auto& f : fs::directory_iterator(dossier)) restes.push_back(f.path().filename().string());
  std::sort(restes.begin(), restes.end());
  EXPECT_EQ(restes, (std::vector<std::string>{"Groupe.cht", "Groupe.thz"}));
}

// An insertion checks the file and its backup first: either read-only, both stay as they were.
TEST_F(FichiersTest, InsertionRefuseeLaisseFichierEtCopie) {
  const fs::path p = dossier / "Groupe.thz";
  const fs::path bak = CheminSauvegarde(p);
  RecrireFichierNaissance(p, {Fiche("B")});
  Ecrire(bak, "ancienne copie");
  for (const fs::path& seul : {p, bak}) {
    fs::permissions(seul, fs::perms(0444));
    const std::string fichier = Octets(p), copie = Octets(bak);
    try {
      InsererFiche(p, Fiche("A"));
      ADD_FAILURE() << seul << ": no error";
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(std::string(e.what()), "Accès refusé. (" + seul.string() + ")");
    }
    EXPECT_EQ(Octets(p), fichier) << seul;
    EXPECT_EQ(Octets(bak), copie) << seul;
    EXPECT_EQ(Droits(seul), fs::perms(0444)) << seul;
    EXPECT_FALSE(fs::exists(dossier / NomFichierTravail)) << seul;
    fs::permissions(seul, fs::perms(0644));
  }
  InsererFiche(p, Fiche("A"));
  EXPECT_EQ(Noms(p), (std::vector<std::string>{"A", "B"}));
}

// A replaced file keeps its permissions; a new backup is no more open than its file
// (less the umask, as any new file);
// a backup that exists keeps its own.
TEST_F(FichiersTest, LeRemplacementGardeLesDroits) {
  const fs::path p = dossier / "Groupe.thz";
  const fs::path bak = CheminSauvegarde(p);
  const mode_t umaskDuProcessus = ::umask(0);
  ::umask(umaskDuProcessus);
  const fs::perms masque = fs::perms(umaskDuProcessus);  // a new file never gets more than it allows
  for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0664), fs::perms(0700)}) {
    fs::remove(bak);
    RecrireFichierNaissance(p, {Fiche("B")});
    fs::permissions(p, mode);
    RecrireFichierNaissance(p, {Fiche("C")});
    EXPECT_EQ(Droits(p), mode) << "rewrite " << static_cast<int>(mode);
    InsererFiche(p, Fiche("A"));
    EXPECT_EQ(Droits(p), mode) << "insert " << static_cast<int>(mode);
    EXPECT_EQ(Droits(bak), mode & ~masque) << "new backup " << static_cast<int>(mode);
    fs::permissions(bak, fs::perms(0640));
    InsererFiche(p, Fiche("D"));
    EXPECT_EQ(Droits(bak), fs::perms(0640)) << "old backup " << static_cast<int>(mode);
    EXPECT_EQ(Noms(p), (std::vector<std::string>{"A", "C", "D"}));
  }
  const fs::path texte = dossier / "Reglages.def";
  RemplacerFichierEntier(texte, "1\r\n");
  fs::permissions(texte, fs::perms(0600));
  RemplacerFichierEntier(texte, "2\r\n");
  EXPECT_EQ(Droits(texte), fs::perms(0600));
  EXPECT_EQ(Octets(texte), "2\r\n");
  // Owner and group too, where the system lets the program give them (root).
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(p.c_str(), 4321, 4322), 0);
    RecrireFichierNaissance(p, {Fiche("E")});
    struct stat s {};
    ASSERT_EQ(::stat(p.c_str(), &s), 0);
    EXPECT_EQ(s.st_uid, 4321u);
    EXPECT_EQ(s.st_gid, 4322u);
  }
}

// A folder that cannot be written: no new file, no replacement, no erasure; the message names the folder.
TEST_F(FichiersTest, UnDossierEnLectureSeuleEstRefuse) {
  const fs::path ferme = dossier / "ferme";
  fs::create_directory(ferme);
  const fs::path p = ferme / "Groupe.thz";
  RecrireFichierNaissance(p, {Fiche("B")});
  const std::string avant = Octets(p);
  fs::permissions(ferme, fs::perms(0555));
  struct Cas {
    const char* quoi;
    std::function<void()> action;
  } cas[] = {
      {"new file", [&] { CreerFichierNaissance(ferme / "Nouveau.thz", Fiche("A")); }},
      {"rewrite", [&] { RecrireFichierNaissance(p, {Fiche("C")}); }},
      {"insert", [&] { InsererFiche(p, Fiche("A")); }},
      {"erase", [&] { EffacerFichierNaissance(p); }},
      {"chart file", [&] { EcrireFichierTheme(ferme / "B.cht", Fiche("B")); }},
  };
  for (const Cas& c : cas) {
    try {
      c.action();
      ADD_FAILURE() << c.quoi << ": no error";
    } catch (const ErreurFichier& e) {
      EXPECT_EQ(std::string(e.what()), "Accès refusé. (" + ferme.string() + ")") << c.quoi;
    }
  }
  fs::permissions(ferme, fs::perms(0755));
  EXPECT_EQ(Octets(p), avant);
  std::vector<std::string> restes;
  for (const auto& f : fs::directory_iterator(ferme)) restes.push_back(f.path().filename().string());
  EXPECT_EQ(restes, std::vector<std::string>{"Groupe.thz"});
}
