#include <gtest/gtest.h>

#include <QStringList>

#include <cmath>
#include <filesystem>

#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"
#include "birthdata/records/Fichiers.h"
#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "core/Recherches.h"
#include "core/Temps.h"
#include "forecast/Retours.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

constexpr double Seconde = DegEnRad / 3600;
// The library's analytic theory, which needs none of its data files: an ephemeris
// independent of the one the searches use.
constexpr std::int32_t Analytique = 4 | OptionsPositions;

double LongitudeAnalytique(int corpsEphemeride, double jourUT) {
  return PositionEphemeride(corpsEphemeride, jourUT + DeltaT(jourUT), Analytique).Longitude();
}

double Ecart(double a, double b) {
  const double d = std::fabs(Normaliser2Pi(a - b));
  return d > Pi ? DeuxPi - d : d;
}

class RetoursTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ReinitialiserEtat();
    OuvrirEphemerides();
    Naissance(FicheDeTest());
  }
  // The window's opening: the natal chart computed and frozen, its state kept.
  void Naissance(const FicheClient& fiche) {
    Etat().FicheEnCours = fiche;
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    etat = OuvrirEtatPrevision();
  }
  ResultatPrevision Calculer(TechniquePrevision t, const char* date, bool precession = false,
                             const char* heure = "12h00") {
    ChampsPrevision champs;
    champs.technique = t;
    champs.date = date;
    champs.heure = heure;
    champs.ville = "Lyon";
    champs.lat = "45.45";
    champs.lon = "4.51";
    champs.precession = precession;
    return CalculerPrevision(etat, champs, {dossier.Chemin(), true, [this] { ++relectures; }});
  }
  std::vector<std::string> Lignes(const std::string& nom) {
    return DecouperLignes(LireFichierEntier(dossier / nom));
  }
  DossierProgramme dossier{"retours"};
  EtatPrevision etat;
  int relectures = 0;
};

}  // namespace

TEST_F(RetoursTest, RetourSolaireSurLaCibleSelonUneAutreEphemeride) {
  // Natal Suns near the seam on both sides (19 and 26 March), just past it (the Paris
  // record at 347°) and far from it, with and without the correction, up to 75 years on.
  struct Cas {
    const char* date;
    const char* annee;
    bool precession;
  };
  const Cas cas[] = {{"19/03/1980", "19.03.2027", false}, {"19/03/1980", "19.03.2027", true},
                     {"26/03/1980", "26.03.2031", false}, {"26/03/1980", "26.03.2031", true},
                     {"07/03/1952", "01.01.2027", true},  {"15/08/1931", "15.08.2006", true},
                     {"15/08/1931", "15.08.1999", false}};
  for (const Cas& c : cas) {
    SCOPED_TRACE(std::string(c.date) + " -> " + c.annee + (c.precession ? " avec" : " sans"));
    Naissance(FicheDeTest().Date(c.date));
    const double natal = etat.SoleilNatal;
    const ResultatPrevision r = Calculer(TechniquePrevision::RS, c.annee, c.precession);
    const int annee = std::atoi(c.annee + 6);
    const DateCalendrier d = JourJulienVersCalendrier(etat.JourJulienNaissance);
    const double anniversaire = JourJulien(d.jour, d.mois, annee, HeureDuJour(etat.JourJulienNaissance) / 24);
    EXPECT_LT(std::fabs(r.momentTropical - anniversaire), 1.0);
    const double cible = natal + etat.PrecessionRetour;
    EXPECT_LT(Ecart(LongitudeAnalytique(0, r.moment), cible), 5 * Seconde);
    EXPECT_EQ(c.precession, etat.PrecessionRetour != 0);
    EXPECT_EQ(etat.PrecessionRetour, c.precession ? CorrectionPrecession(r.momentTropical, etat.JourJulienNaissance) : 0);
  }
}

// Natal Suns all round the zodiac (every ten days of 1980, the seam included), 20 and 70 years on.
TEST_F(RetoursTest, RetourSolaireToutAutourDuZodiaque) {
  for (int jour = 0; jour < 366; jour += 10) {
    const DateCalendrier d = JourJulienVersCalendrier(JourJulien(1, 1, 1980, 0.5) + jour);
    const std::string date = (d.jour < 10 ? "0" : "") + std::to_string(d.jour) + "/" + (d.mois < 10 ? "0" : "") +
                             std::to_string(d.mois) + "/1980";
    Naissance(FicheDeTest().Date(date.c_str()));
    for (int annee : {2000, 2050})
      for (bool precession : {false, true}) {
        SCOPED_TRACE(date + " " + std::to_string(annee) + (precession ? " avec" : " sans"));
        const MomentRetourSolaire m = RetourSolaire(etat, annee, precession);
        EXPECT_LT(std::fabs(m.t1 - (etat.JourJulienNaissance + (annee - 1980) * 365.2422)), 1.0);
        EXPECT_LT(Ecart(LongitudeAnalytique(0, m.t), etat.SoleilNatal + m.precession), 5 * Seconde);
      }
  }
}

TEST_F(RetoursTest, RetourSolaireSansPrecessionEcritLeThemeEtLaColonneDeComparaison) {
  const ResultatPrevision r = Calculer(TechniquePrevision::RS, "01.01.2027");
  EXPECT_EQ(r.fichier, "DUPONT,Jean RS 2027.cht");
  EXPECT_EQ(r.precession, "Precess.= " + FormatDMS(0));
  EXPECT_EQ(r.date, JourJulienVersDatePoints(r.moment));
  EXPECT_EQ(r.heure, FormatHeureHM(HeureDuJour(r.moment)));
  EXPECT_EQ(r.date.substr(0, 6), "07.03.");
  EXPECT_EQ(etat.AnneeRetour, 2027);
  EXPECT_EQ(etat.LignesResultat[0].substr(0, 4), "RSn ");
  EXPECT_EQ(etat.LignesResultat[1], "Pr.= " + FormatDMS(0));
  EXPECT_EQ(etat.LignesResultat[2], FormatDMS(r.longitude));
  EXPECT_EQ(etat.LignesResultat[3], "RSp " + JourJulienVersDatePoints(r.moment) + "  " +
                                        FormatHeureHMS(HeureDuJour(r.moment)));
  EXPECT_TRUE(etat.LignesResultat[4].empty());
  const std::vector<std::string> lignes = Lignes(r.fichier);
  ASSERT_EQ(lignes.size(), 8u);
  EXPECT_EQ(lignes[0], "DUPONT,Jean");
  EXPECT_EQ(lignes[1], JourJulienVersDate(r.moment));
  EXPECT_EQ(lignes[2], FormatHeureHMS(HeureDuJour(r.moment)));
  EXPECT_EQ(lignes[3], "Lyon");
  EXPECT_EQ(lignes[4], "45.45");
  EXPECT_EQ(lignes[5], "4.51");
  EXPECT_EQ(lignes[6], "0");
  EXPECT_EQ(Cp1252VersUtf8(lignes[7]), " RS sans précess. 2027");
  EXPECT_EQ(relectures, 1);
  // The return chart is now the current chart, and the comparison column is that chart.
  EXPECT_EQ(Etat().NomFichierNaissance.Chaine(), "RS");
  EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), "Lyon");
  EXPECT_EQ(Etat().FicheEnCours.Fuseau.Chaine(), "0");
  for (int b = 1; b <= 22; ++b) EXPECT_DOUBLE_EQ(Etat().Positions[b][2], Etat().Positions[b][1]) << b;
  EXPECT_EQ(Etat().Positions[PointBelier][2], 0);
  EXPECT_LT(Ecart(Etat().Positions[Soleil][1], etat.SoleilNatal), 5 * Seconde);
}

TEST_F(RetoursTest, AvecEtSansPrecessionDeuxFichiersQuiNeSeRemplacentPas) {
  const ResultatPrevision sans = Calculer(TechniquePrevision::RS, "01.01.2027", false);
  const ResultatPrevision avec = Calculer(TechniquePrevision::RS, "07.03.2027", true);
  EXPECT_EQ(sans.fichier, "DUPONT,Jean RS 2027.cht");
  EXPECT_EQ(avec.fichier, "DUPONT,Jean RSp 2027.cht");
  int fichiers = 0;
  for (const auto& f : fs::directory_iterator(dossier.Chemin())) fichiers += f.path().extension() == ".cht";
  EXPECT_EQ(fichiers, 2);
  EXPECT_EQ(Cp1252VersUtf8(Lignes(sans.fichier)[7]), " RS sans précess. 2027");
  EXPECT_EQ(Cp1252VersUtf8(Lignes(avec.fichier)[7]), " RS avec précess. 2027");
  // With the option the comparison column is the corrected return chart itself.
  for (int b = 1; b <= 22; ++b) EXPECT_DOUBLE_EQ(Etat().Positions[b][2], Etat().Positions[b][1]) << b;
  EXPECT_GT(etat.PrecessionRetour, 70 * 50 * Seconde * 0.9);  // about 50" a year over 75 years
}

// A return whose file exists: replaced only on Yes; No writes nothing and changes nothing.
TEST_F(RetoursTest, UnFichierExistantNEstRemplaceQueSurOui) {
  for (TechniquePrevision t : {TechniquePrevision::RS, TechniquePrevision::RL}) {
    SCOPED_TRACE(static_cast<int>(t));
    const ResultatPrevision premier = Calculer(t, "01.01.2027");
    fs::resize_file(dossier / premier.fichier, 3);  // marks the file: a replacement rewrites it
    const FicheClient fiche = Etat().FicheEnCours;
    const double colonne = Etat().Positions[Soleil][2];
    const EtatPrevision avant = etat;
    ChampsPrevision champs;
    champs.technique = t;
    champs.date = "01.01.2027";
    champs.ville = "Nice";
    champs.lat = "43.42";
    champs.lon = "7.15";
    QStringList questions;
    const auto repondre = [&](bool oui) {
      return [&questions, oui](const std::string& fichier) {
        questions << QString::fromStdString(Cp1252VersUtf8(fichier));
        return oui;
      };
    };
    const ResultatPrevision non = CalculerPrevision(etat, champs, {dossier.Chemin(), true, {}}, repondre(false));
    EXPECT_TRUE(non.garde);
    EXPECT_EQ(questions, QStringList{QString::fromStdString(premier.fichier)});
    EXPECT_EQ(fs::file_size(dossier / premier.fichier), 3u);
    EXPECT_EQ(Etat().FicheEnCours.Ville.Chaine(), fiche.Ville.Chaine());
    EXPECT_EQ(Etat().FicheEnCours.Date.Chaine(), fiche.Date.Chaine());
    EXPECT_DOUBLE_EQ(Etat().Positions[Soleil][2], colonne);
    EXPECT_EQ(etat.LignesResultat, avant.LignesResultat);
    const ResultatPrevision oui = CalculerPrevision(etat, champs, {dossier.Chemin(), true, {}}, repondre(true));
    EXPECT_FALSE(oui.garde);
    EXPECT_EQ(questions.size(), 2);
    EXPECT_EQ(Lignes(premier.fichier)[3], "Nice");
    Naissance(FicheDeTest());
  }
}

TEST_F(RetoursTest, RetourSolaireDeLAnneeDeNaissanceRetrouveLaNaissance) {
  const ResultatPrevision r = Calculer(TechniquePrevision::RS, "01.01.1952");
  EXPECT_NEAR(r.moment, etat.JourJulienNaissance, 1e-3);
  EXPECT_EQ(etat.PrecessionRetour, 0);
}

TEST_F(RetoursTest, RetourLunaireSideralApresMinuit) {
  for (const char* date : {"01.01.2027", "17.06.1990", "29.02.2000"}) {
    SCOPED_TRACE(date);
    Naissance(FicheDeTest());
    const double natale = Etat().Positions[Lune][6];
    const ResultatPrevision r = Calculer(TechniquePrevision::RL, date);
    ASSERT_FALSE(r.abandonne);
    const double minuit = JourJulien(std::atoi(date), std::atoi(date + 3), std::atoi(date + 6), 0);
    EXPECT_GT(r.moment, minuit);
    EXPECT_LT(r.moment, minuit + 28);
    // The tropical return puts the Moon on its natal place, the sidereal one past it by the correction.
    EXPECT_LT(Ecart(LongitudeAnalytique(1, r.momentTropical), natale), 0.00001 + 5 * Seconde);
    EXPECT_LT(Ecart(LongitudeAnalytique(1, r.moment), natale + etat.PrecessionRetour), 0.0001 + 5 * Seconde);
    EXPECT_NEAR(etat.PrecessionRetour, CorrectionPrecession(r.momentTropical + DeltaT(r.momentTropical),
                                                            etat.JourJulienNaissance), 1e-9);
    EXPECT_EQ(r.fichier, "DUPONT,Jean RL " + JourJulienVersDateCompacte(r.moment) + ".cht");
    EXPECT_EQ(Cp1252VersUtf8(Lignes(r.fichier)[7]), "RL sidérale  " + JourJulienVersDate(r.moment));
    EXPECT_EQ(etat.LignesResultat[0].substr(0, 4), "RLn ");
    EXPECT_EQ(etat.LignesResultat[3].substr(0, 4), "RLp ");
    // Option off: the return chart less the precession since birth.
    for (int b = 1; b <= 22; ++b)
      EXPECT_NEAR(Ecart(Etat().Positions[b][2], Etat().Positions[b][1] - etat.PrecessionRetour), 0, 1e-12) << b;
    EXPECT_EQ(Etat().NomFichierNaissance.Chaine(), "RL");
  }
}

TEST_F(RetoursTest, LuneSurSaPlaceNataleAMinuitDonneLeRetourSuivant) {
  const double minuit = JourJulien(1, 1, 2027, 0);
  Etat().ColonneCalcul = 1;
  CalculerLune(minuit);
  Etat().Positions[Lune][6] = Etat().Positions[Lune][1];
  const ResultatPrevision r = Calculer(TechniquePrevision::RL, "01.01.2027");
  ASSERT_FALSE(r.abandonne);
  EXPECT_GT(r.momentTropical, minuit + 25);
  EXPECT_LT(r.momentTropical, minuit + 29);
}

TEST_F(RetoursTest, RaffinementSideralAbandonneApresTroisPas) {
  const double t0 = JourJulien(1, 1, 2027, 0);
  Etat().ColonneCalcul = 1;
  CalculerLune(t0);
  const double cible = Normaliser2Pi(Etat().Positions[Lune][1] + 0.02);
  double t = t0;
  EXPECT_TRUE(RaffinerRetourSideral(t, cible, VitesseLune));
  EXPECT_NEAR(t - t0, 0.02 / 0.23, 0.02);
  // A speed ten times too high never gets there in three steps.
  t = t0;
  EXPECT_FALSE(RaffinerRetourSideral(t, cible, [](double s) { return 10 * VitesseLune(s); }));
}

TEST_F(RetoursTest, ArcSolaire) {
  // At birth the arc is nearly nothing (noon comes before the birth hour: just under 360°)
  // and every directed point its natal place.
  ResultatPrevision r = Calculer(TechniquePrevision::ArcSolaire, "07.03.1952");
  EXPECT_LT(Ecart(r.longitude, 0), 0.0001);
  EXPECT_EQ(Etat().Positions[PointBelier][2], r.longitude);
  for (int b = 1; b <= 22; ++b) EXPECT_LT(Ecart(Etat().Positions[b][2], Etat().Positions[b][6]), 0.0001) << b;
  EXPECT_EQ(etat.LignesResultat[0], FormatDMS(r.longitude));
  EXPECT_EQ(etat.LignesResultat[1], FormatDMS(Etat().Positions[Soleil][2]));
  EXPECT_TRUE(r.fichier.empty());
  // Thirty years on: the Sun of the thirtieth day after birth, less the natal Sun.
  r = Calculer(TechniquePrevision::ArcSolaire, "07.03.1982");
  const double tp = etat.JourJulienNaissance + (JourJulien(7, 3, 1982, 0.5) - etat.JourJulienNaissance) / 365.2421988;
  EXPECT_LT(Ecart(r.longitude, LongitudeAnalytique(0, tp) - etat.SoleilNatal), Seconde);
  EXPECT_NEAR(r.longitude * RadEnDeg, 30, 1.5);
  EXPECT_EQ(Etat().Positions[PointBelier][2], r.longitude);
  EXPECT_EQ(relectures, 0);
}

TEST_F(RetoursTest, TransitsAMinuitTU) {
  const ResultatPrevision r = Calculer(TechniquePrevision::Transits, "01.01.2027", false, "00h00");
  const FicheClient& f = Etat().FicheEnCours;
  EXPECT_EQ(f.Date.Chaine(), "01/01/2027");
  EXPECT_EQ(f.Heure.Chaine(), "00h00m00");
  EXPECT_EQ(f.Fuseau.Chaine(), "0");
  EXPECT_EQ(f.Commentaire.Chaine(), "Transits");
  EXPECT_EQ(f.Nom.Chaine(), "DUPONT,Jean");
  EXPECT_DOUBLE_EQ(Etat().JourJulienTU, JourJulien(1, 1, 2027, 0));
  EXPECT_DOUBLE_EQ(r.moment, JourJulien(1, 1, 2027, 0));
  for (int b = 1; b <= 22; ++b) EXPECT_EQ(Etat().Positions[b][2], Etat().Positions[b][1]) << b;
  EXPECT_EQ(Etat().Positions[PointBelier][2], 0);
  for (const std::string& ligne : etat.LignesResultat) EXPECT_TRUE(ligne.empty());
  // Unreadable hours read as 0.
  Calculer(TechniquePrevision::Transits, "01.01.2027", false, "__h30");
  EXPECT_EQ(Etat().FicheEnCours.Heure.Chaine(), "00h30m00");
}

TEST_F(RetoursTest, DateIllisibleArreteLaCommande) {
  for (const char* date : {"__.__.____", "aa.01.2027", "01.01.20x7", ""}) {
    SCOPED_TRACE(date);
    for (TechniquePrevision t : {TechniquePrevision::RS, TechniquePrevision::RL, TechniquePrevision::ArcSolaire,
                                 TechniquePrevision::Transits})
      EXPECT_THROW(Calculer(t, date), ErreurConversion);
  }
  EXPECT_TRUE(fs::is_empty(dossier.Chemin()));
}

TEST_F(RetoursTest, NomAvecBarreEtDossierAbsent) {
  Naissance(FicheDeTest("AC/DC,Bon"));
  const ResultatPrevision r = Calculer(TechniquePrevision::RS, "01.01.2027");
  EXPECT_EQ(r.fichier, "AC-DC,Bon RS 2027.cht");
  EXPECT_TRUE(fs::exists(dossier / r.fichier));
  ChampsPrevision champs;
  champs.technique = TechniquePrevision::RS;
  champs.date = "01.01.2028";
  EXPECT_THROW(CalculerPrevision(etat, champs, {dossier / "absent", true, {}}), ErreurFichier);
}
