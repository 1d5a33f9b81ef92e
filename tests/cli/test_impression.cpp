// selvane-cli --pdf FILE [--bw] and --stamp, run as a program: the PDF pages read back with
// poppler's tools, the CSV with and without its stamp.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/Pdf.h"

namespace fs = std::filesystem;

namespace selvane {
namespace {

const std::vector<std::string> kNaissance = {"--date", "07/03/1952", "--time", "14h05m30", "--lat",
                                             "48.52",  "--long",     "2.20",   "--zone", "01.00.00"};

std::vector<std::string> AvecNaissance(std::vector<std::string> debut, const std::vector<std::string>& fin = {}) {
  debut.insert(debut.end(), kNaissance.begin(), kNaissance.end());
  debut.insert(debut.end(), fin.begin(), fin.end());
  return debut;
}

std::string Guillemets(const std::string& t) {
  std::string s = "'";
  for (char c : t) s += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return s + "'";
}

std::string Lire(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

struct Resultat {
  int statut = -1;
  std::string sortie, erreur;
};

class CliImpression : public ::testing::Test {
 protected:
  void SetUp() override {
    dossier_ = fs::temp_directory_path() / ("selvane_cli_pdf_" + std::to_string(::getpid()));
    fs::create_directories(dossier_);
  }
  void TearDown() override { fs::remove_all(dossier_); }

  Resultat Lancer(const std::vector<std::string>& arguments) const {
    std::string commande = "cd " + Guillemets(dossier_.string()) + " && QT_QPA_PLATFORM=offscreen " +
                           Guillemets(SELVANE_CLI);
    for (const std::string& a : arguments) commande += " " + Guillemets(a);
    commande += " >sortie.txt 2>erreur.txt";
    Resultat r;
    const int brut = std::system(commande.c_str());
    r.statut = WIFEXITED(brut) ? WEXITSTATUS(brut) : -1;
    r.sortie = Lire(dossier_ / "sortie.txt");
    r.erreur = Lire(dossier_ / "erreur.txt");
    return r;
  }

  // The pages of the PDF as pictures at 50 dpi (pdftoppm), none when it cannot read it.
  std::vector<QImage> Pages(const fs::path& pdf) const {
    const fs::path base = dossier_ / "page";
    const std::string commande = "pdftoppm -png -r 50 " + Guillemets(pdf.string()) + " " + Guillemets(base.string());
    std::vector<QImage> pages;
    if (std::system(commande.c_str()) != 0) return pages;
    for (int k = 1;; ++k) {
      const fs::path png = dossier_ / ("page-" + std::to_string(k) + ".png");
      if (!fs::exists(png)) break;
      pages.emplace_back(QString::fromStdString(png.string()));
      fs::remove(png);
    }
    return pages;
  }

  fs::path dossier_;
};

// How many pixels have a colour (red, green and blue apart by more than antialiasing gives).
int PixelsColores(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  int n = 0;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb c = rgb.pixel(x, y);
      const int r = qRed(c), g = qGreen(c), b = qBlue(c);
      if (std::max({r, g, b}) - std::min({r, g, b}) > 24) ++n;
    }
  return n;
}

struct CasPdf {
  const char* nom;
  std::vector<std::string> arguments;  // without --pdf
  std::vector<const char*> textes;     // pieces of the page's own text
  const char* enteteCsv;               // the first line on standard output
  bool enCouleur = true;               // the colour page shows colour (lists of black text do not)
};

std::vector<CasPdf> CasDesPages() {
  return {
      {"chart", AvecNaissance({"chart"}, {"--name", "DUPONT,Jean"}), {"DUPONT", "07/03/1952 à 14h05m30"},
       "kind,index,value,speed"},
      // The natal header keeps the birth once the other moment is computed; the right-hand one
      // has that moment, marked as a return only for a return.
      {"dial",
       AvecNaissance({"dial"}, {"--at", "10/12/2026", "--at-time", "14h20m07", "--at-zone", "01.00.00"}),
       {"Arc Sol & Transits", "NATAL", "07/03/1952 à 14h05m30", "10.12.2026", "14h20 (GMT +01.00.00 )",
        "Arc Sol : 73°"},
       "kind,index,longitude,dial_angle,spread_angle"},
      {"dial_rs",
       AvecNaissance({"dial"}, {"--solar-return", "2027", "--harmonic", "1"}),
       {"07/03/1952 à 14h05m30", "Rév. sol. du 07.03.2027"},
       "kind,index,longitude,dial_angle,spread_angle"},
      // 2023 and 2024: 66 rows, as many as the page holds; the last one is there.
      {"events", {"events", "--from", "2023", "--to", "2024"}, {"Lunaisons", "30/12/2024"},
       "kind,jd_ut,date,time,sun,moon", false},
      {"ephemeris", {"ephemeris", "--year", "2024", "--month", "3"}, {"Mars 2024", "31/03"},
       "date,jd_ut,body,longitude,speed,retrograde", false},
      {"directions", AvecNaissance({"directions"}, {"--name", "DUPONT,Jean", "--p1", "1,2,3", "--p2", "4", "--p3", "5"}),
       {"Jean DUPONT", "directions solaires dans l'harmonique"}, "p,q,a,b,target_deg,date,age,arc_deg", false},
      {"transits",
       AvecNaissance({"transits"}, {"--name", "DUPONT,Jean", "--p1", "1", "--p2", "2", "--p3", "3", "--year", "2025"}),
       {"Jean DUPONT", ": transits"}, "body,retrograde,aspect,a,b,aspect_point,jd_ut,date,time,age", false},
      // The natal table: the birth's moment and place; a return's: its own moment.
      {"table", AvecNaissance({"table"}, {"--name", "DUPONT,Jean", "--harmonic", "4"}),
       {"Jean DUPONT", "Thème de naissance : 07/03/1952 à 14h05m30 (GMT+01.00.00)", "48N52 - 002E20",
        "Mi-points uraniens ( H4 90° )"},
       "a,b,position,code"},
      {"table_rs",
       AvecNaissance({"table"}, {"--name", "DUPONT,Jean", "--technique", "rs", "--on", "01/01/2027", "--city", "Lyon"}),
       {"RS pour le : 07/03/2027 à 17h34m38 (GMT)", "Lyon 48N52 - 002E20", "Mi-points uraniens ( H1 360° )"},
       "a,b,position,code"},
      {"houses", AvecNaissance({"houses"}, {"--name", "DUPONT,Jean"}),
       {"Jean DUPONT", "07/03/1952 à 14h05m30", "Les 6 horoscopes uraniens"}, "frame,house,cusp_deg,bodies"},
      {"houses_meridian", AvecNaissance({"houses"}, {"--frame", "meridian", "--connections", "--orb-index", "23"}),
       {"Les 6 horoscopes uraniens", "Mér"}, "frame,house,cusp_deg,bodies"},
      {"trees", AvecNaissance({"trees"}, {"--name", "DUPONT,Jean", "--harmonic", "8", "--orb-index", "3"}),
       {"Jean DUPONT - Arbres des mi-points : H8 45° , orbe : 0°20'", "07/03/1952 à 14h05m30"},
       "root,body1,body2,offset_deg", false},
      {"sequences", AvecNaissance({"sequences"}, {"--name", "DUPONT,Jean", "--orb", "1"}),
       {"Jean DUPONT : séquences planétaires", "07/03/1952 à 14h05m30", "Séquence (Orbe = 1°)"}, "number,bodies", false},
      {"mandala", AvecNaissance({"mandala"}, {"--name", "DUPONT,Jean", "--axes", "1,5,3/6"}),
       {"Mandala pour Jean DUPONT"}, "kind,axis,body1,body2,value,offset_deg"},
  };
}

// Every page command: one A4 page with its text and the stamp, coloured unless --bw and not a
// coloured pixel with it; the CSV on standard output as without --pdf.
TEST_F(CliImpression, PagesEnCouleurEtEnNoir) {
  for (const CasPdf& c : CasDesPages()) {
    SCOPED_TRACE(c.nom);
    const Resultat seul = Lancer(c.arguments);
    ASSERT_EQ(seul.statut, 0) << seul.erreur;
    for (bool noir : {false, true}) {
      SCOPED_TRACE(noir ? "--bw" : "couleur");
      const fs::path pdf = dossier_ / (std::string(c.nom) + (noir ? "_nb" : "") + ".pdf");
      std::vector<std::string> arguments = c.arguments;
      arguments.insert(arguments.end(), {"--pdf", pdf.string()});
      if (noir) arguments.push_back("--bw");
      const Resultat r = Lancer(arguments);
      ASSERT_EQ(r.statut, 0) << r.erreur;
      EXPECT_EQ(r.sortie, seul.sortie);
      EXPECT_EQ(r.sortie.rfind(std::string(c.enteteCsv) + "\n", 0), 0u);

      const std::string octets = Lire(pdf);
      std::size_t objetsPage = 0;
      for (std::size_t p = octets.find("/Type /Page"); p != std::string::npos; p = octets.find("/Type /Page", p + 1))
        if (octets.compare(p, 12, "/Type /Pages") != 0) ++objetsPage;
      EXPECT_EQ(objetsPage, 1u);

      const ContenuPdf contenu = LirePdf(pdf);
      EXPECT_EQ(contenu.pages, 1);
      for (const char* texte : c.textes)
        EXPECT_NE(contenu.texte.find(texte), std::string::npos) << texte << " in\n" << contenu.texte;
      EXPECT_NE(contenu.texte.find("Swiss Ephemeris"), std::string::npos) << contenu.texte;

      const std::vector<QImage> pages = Pages(pdf);
      ASSERT_EQ(pages.size(), 1u) << "pdftoppm (poppler-utils) could not render " << pdf;
      // A4 at 50 dpi.
      EXPECT_NEAR(pages[0].width(), 413, 2);
      EXPECT_NEAR(pages[0].height(), 585, 2);
      // The colour page shows colour, so the check in black can see it.
      if (noir) {
        EXPECT_EQ(PixelsColores(pages[0]), 0);
      } else if (c.enCouleur) {
        EXPECT_GT(PixelsColores(pages[0]), 100);
      }
    }
  }
}

// What --pdf refuses: the French message, status 2, nothing on standard output, no file.
TEST_F(CliImpression, Refus) {
  const fs::path absent = dossier_ / "absent" / "page.pdf";
  struct Cas {
    std::vector<std::string> arguments;
    const char* message;
    fs::path fichier;
  };
  const std::vector<Cas> cas = {
      {{"events", "--from", "2023", "--to", "2024", "--pdf", absent.string()}, "Impossible d'écrire le fichier PDF",
       absent},
      {AvecNaissance({"chart"}, {"--pdf", absent.string()}), "Impossible d'écrire le fichier PDF", absent},
      {AvecNaissance({"dial"}, {"--arc", "30", "--pdf", absent.string()}), "Impossible d'écrire le fichier PDF",
       absent},
      {{"ephemeris", "--year", "2024", "--pdf", absent.string(), "--bw"}, "Impossible d'écrire le fichier PDF",
       absent},
      // One row more than the page holds: the list window's refusal, not a page short of a row.
      {{"events", "--from", "2023", "--to", "2025", "--pdf", (dossier_ / "trois.pdf").string()},
       "Reduisez la période afin de ne pas dépasser la hauteur d'une page", dossier_ / "trois.pdf"},
      {{"chart", "--batch", "lot.txt", "--pdf", (dossier_ / "lot.pdf").string()}, "ne va pas avec --batch",
       dossier_ / "lot.pdf"},
      // The mandala window's refusal of axes too close: no page.
      {AvecNaissance({"mandala"}, {"--axes", "1,8,3/6", "--pdf", (dossier_ / "mandala.pdf").string()}),
       "L'axe 2 est trop près de l'axe du Soleil. Choisissez un autre point.", dossier_ / "mandala.pdf"},
      {AvecNaissance({"houses"}, {"--pdf", absent.string()}), "Impossible d'écrire le fichier PDF", absent},
      {AvecNaissance({"houses"}, {"--frame", "venus", "--pdf", (dossier_ / "cadre.pdf").string()}),
       "Cadre inconnu : venus (sun, moon, ascendant, mc, aries_point, node ou meridian)", dossier_ / "cadre.pdf"},
      // The atlas reads its options after two plain words: each one once.
      {{"atlas", "find", "France", "evreux", "--stamp", "--stamp"}, "Usage : selvane-cli atlas find", absent},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.arguments.front() + " " + c.message);
    const Resultat r = Lancer(c.arguments);
    EXPECT_EQ(r.statut, 2);
    EXPECT_NE(r.erreur.find(c.message), std::string::npos) << r.erreur;
    EXPECT_EQ(r.sortie, "");
    EXPECT_FALSE(fs::exists(c.fichier));
  }
}

// Too many midpoints: as the window, the page is written, then the reader is told; the CSV
// as without --pdf.
TEST_F(CliImpression, ArbresTropDeMiPointsImprimeEtPrevient) {
  const std::vector<std::string> arguments = AvecNaissance({"trees"}, {"--orb-index", "23"});
  const Resultat seul = Lancer(arguments);
  ASSERT_EQ(seul.statut, 0) << seul.erreur;
  EXPECT_EQ(seul.erreur.find("trop de mi-points"), std::string::npos) << seul.erreur;
  std::vector<std::string> avec = arguments;
  avec.insert(avec.end(), {"--pdf", (dossier_ / "arbres.pdf").string()});
  const Resultat r = Lancer(avec);
  ASSERT_EQ(r.statut, 0) << r.erreur;
  EXPECT_NE(r.erreur.find("IL y a trop de mi-points : diminuez l'orbe"), std::string::npos) << r.erreur;
  EXPECT_EQ(r.sortie, seul.sortie);
  const ContenuPdf contenu = LirePdf(dossier_ / "arbres.pdf");
  EXPECT_EQ(contenu.pages, 1);
  // Without its header, as the window prints it, the stamp still there.
  EXPECT_EQ(contenu.texte.find("Arbres des mi-points"), std::string::npos);
  EXPECT_NE(contenu.texte.find("Swiss Ephemeris"), std::string::npos);
}

// --stamp: "# " lines first, the chart's facts where there is a chart and none where there is
// not, then the CSV as without it, to the byte.
TEST_F(CliImpression, CachetAvantLeCsv) {
  std::ofstream(dossier_ / "lot.txt") << "07/03/1952;14h05m30;48.52;2.20;01.00.00\n";
  ASSERT_EQ(Lancer(AvecNaissance({"births", "add", "Groupe.thz"}, {"--name", "DUPONT,Jean", "--city", "Paris"})).statut,
            0);
  const char* kTheme = "# Fuseau : 01.00.00, saisi";
  const char* kSansTheme = "# Maisons : aucune";
  const std::vector<std::string> points = {"--p1", "1", "--p2", "2", "--p3", "3"};
  const std::vector<std::pair<std::vector<std::string>, const char*>> cas = {
      {AvecNaissance({"chart"}, {"--houses", "6"}), "# Maisons : Koch"},
      {{"chart", "--batch", "lot.txt"}, kSansTheme},
      {{"events", "--from", "2024", "--to", "2024"}, kSansTheme},
      {{"ephemeris", "--year", "2024", "--month", "2"}, kSansTheme},
      {{"births", "list", "Groupe.thz"}, kSansTheme},
      {{"atlas", "find", "France", "evreux", "--rows", "20"}, kSansTheme},
      {AvecNaissance({"dial"}, {"--arc", "30"}), "# Maisons : Placidus"},
      {AvecNaissance({"tree"}, {"--at", "10/12/2026", "--at-time", "14h20m07", "--at-zone", "01.00.00", "--body", "1"}),
       "# Swiss Ephemeris"},
      {AvecNaissance({"returns"}, {"--kind", "rs", "--year", "2027"}), "# Swiss Ephemeris"},
      {AvecNaissance({"arc"}, {"--on", "01/01/2020"}), kTheme},
      {AvecNaissance({"table"}, {"--harmonic", "4"}), kTheme},
      {AvecNaissance({"directions"}, points), kTheme},
      {AvecNaissance({"transits"}, {"--p1", "1", "--p2", "2", "--p3", "3", "--year", "2025"}), kTheme},
      {AvecNaissance({"trees"}), kTheme},
      {AvecNaissance({"sequences"}), kTheme},
      {AvecNaissance({"mandala"}), kTheme},
      {AvecNaissance({"houses"}), kTheme},
      {AvecNaissance({"graph"}, {"--from", "01/01/2027", "--months", "1", "--modulus", "90"}), kTheme},
  };
  for (const auto& [arguments, fait] : cas) {
    SCOPED_TRACE(arguments.front());
    const Resultat seul = Lancer(arguments);
    ASSERT_EQ(seul.statut, 0) << seul.erreur;
    ASSERT_FALSE(seul.sortie.empty());
    EXPECT_NE(seul.sortie[0], '#');
    std::vector<std::string> avec = arguments;
    avec.push_back("--stamp");
    const Resultat r = Lancer(avec);
    ASSERT_EQ(r.statut, 0) << r.erreur;
    std::size_t fin = 0;
    int lignes = 0;
    while (r.sortie.compare(fin, 2, "# ") == 0) {
      fin = r.sortie.find('\n', fin) + 1;
      ++lignes;
    }
    const std::string cachet = r.sortie.substr(0, fin);
    EXPECT_GE(lignes, 5) << cachet;
    EXPECT_NE(cachet.find("# Swiss Ephemeris"), std::string::npos) << cachet;
    EXPECT_NE(cachet.find(fait), std::string::npos) << cachet;
    // Written, not printed: the last line dates the output.
    const std::size_t date = cachet.rfind("\n# ", cachet.size() - 2);
    ASSERT_NE(date, std::string::npos) << cachet;
    EXPECT_EQ(cachet.compare(date + 1, 14, "# Exporté le "), 0) << cachet;
    EXPECT_EQ(cachet.find("Imprimé"), std::string::npos) << cachet;
    EXPECT_EQ(r.sortie.substr(fin), seul.sortie);
  }
}

}  // namespace
}  // namespace selvane
