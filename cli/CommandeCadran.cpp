// selvane-cli dial and selvane-cli tree: the three rings of the dial for a moment, and the
// midpoint tree of a reference point, as the dial window computes them.
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Calcul.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dial/DessinCadran.h"
#include "dial/ImpressionCadran.h"
#include "dial/ModeleCadran.h"
#include "methode/Moment.h"
#include "reglages/Reglages.h"

namespace selvane {
namespace {

// Everything both commands read from the command line.
struct DemandeCadran {
  OptionsLues lues;  // every option as given
  OptionsNaissance naissance;
  std::string at, atTime, atZone, atLat, atLong;
  int harmonique = 4;
  std::optional<int> retourSolaire;
  int quart = 0;
  bool precession = false;
  std::string retourLunaire;
  std::optional<std::string> arc;
  std::string png;
  int taille = 1000;
  // tree
  int de = CoucheArcSolaire, vers = CoucheNatale;
  int corps = 0;
  std::optional<double> angle;
  std::optional<int> indexOrbe;
  bool sousHarmoniques = false;
};

// natal, arc or transit: the ring a tree goes from or to; false after the message.
bool CoucheLue(const std::string& texte, int& couche) {
  if (texte == "natal") couche = CoucheNatale;
  else if (texte == "arc") couche = CoucheArcSolaire;
  else if (texte == "transit") couche = CoucheTransit;
  else {
    Avertir("Couche inconnue : " + texte + " (natal, arc ou transit)");
    return false;
  }
  return true;
}

// What the options of dial and tree besides the birth do as they are read (each command's
// table says which it takes): a wrong value is refused after its message.
Lecteurs LecteursCadran(DemandeCadran& d) {
  // A whole number min..max handed to `garder`, else the message "<quoi> : v<bornes>".
  const auto entier = [](int min, int max, const char* quoi, const char* bornes, auto ranger) {
    return [=](const std::string& v) {
      int n = 0;
      if (!LireEntier(v, min, max, n)) {
        Avertir(quoi + (" : " + v) + bornes);
        return false;
      }
      ranger(n);
      return true;
    };
  };
  const auto garder = [](std::string& champ) {
    return [&champ](const std::string& v) {
      champ = v;
      return true;
    };
  };
  return {
      {"--at", garder(d.at)},
      {"--at-time", garder(d.atTime)},
      {"--at-zone", garder(d.atZone)},
      {"--at-lat", garder(d.atLat)},
      {"--at-long", garder(d.atLong)},
      {"--harmonic",
       [&d](const std::string& v) {
         int n = 0;
         bool connu = false;
         if (LireEntier(v, 1, 32, n))
           for (int h : HarmoniquesCadran) connu = connu || h == n;
         if (!connu) {
           Avertir("Harmonique incorrect : " + v + " (1, 4, 8, 12, 16 ou 32)");
           return false;
         }
         d.harmonique = n;
         return true;
       }},
      {"--solar-return",
       [&d](const std::string& v) {
         // Years before 1 are refused: the dial's moments are written with four year digits.
         const Saisie<int> annee = LireAnneeCadran(Utf8VersCp1252(v));
         if (!annee.Ok()) {
           Avertir(annee.message);
           return false;
         }
         d.retourSolaire = annee.valeur;
         return true;
       }},
      {"--quarter", entier(0, 3, "Quart de révolution incorrect", " (0 à 3)", [&d](int n) { d.quart = n; })},
      {"--lunar-return", garder(d.retourLunaire)},
      {"--arc",
       [&d](const std::string& v) {
         d.arc = v;
         return true;
       }},
      {"--png", garder(d.png)},
      {"--size", entier(200, 8000, "Taille incorrecte", " (200 à 8000 pixels)", [&d](int n) { d.taille = n; })},
      {"--from", [&d](const std::string& v) { return CoucheLue(v, d.de); }},
      {"--to", [&d](const std::string& v) { return CoucheLue(v, d.vers); }},
      {"--body", entier(1, NbCorps, "Numéro de corps incorrect", " (1 à 24)", [&d](int n) { d.corps = n; })},
      {"--angle",
       [&d](const std::string& v) {
         double a = 0;
         if (!LireNombreExact(v, a) || !std::isfinite(a)) {
           Avertir("Angle incorrect : " + v);
           return false;
         }
         d.angle = a;
         return true;
       }},
      {"--orb-index", entier(0, 35, "Index d'orbe incorrect", " (0 à 35)", [&d](int n) { d.indexOrbe = n; })},
      {"--precession",
       [&d](const std::string&) {
         d.precession = true;
         return true;
       }},
      {"--subharmonics",
       [&d](const std::string&) {
         d.sousHarmoniques = true;
         return true;
       }},
  };
}

// Reads the options; false after the message of the first fault.
bool LireOptions(const Appel& a, bool arbre, DemandeCadran& d) {
  const bool lu = a.Lire(d.lues, LecteursCadran(d));
  d.naissance = OptionsNaissance(d.lues, false);
  if (!lu || !d.naissance.Completes()) return false;
  const int facons = !d.at.empty() + d.retourSolaire.has_value() + !d.retourLunaire.empty() + d.arc.has_value();
  if (facons != 1) {
    Avertir(arbre ? "Donnez le moment avec --at" : "Donnez le moment avec une seule de --at, --solar-return, "
                                                   "--lunar-return ou --arc");
    return false;
  }
  if (!d.at.empty() && (d.atTime.empty() || d.atZone.empty())) {
    Avertir("--at demande --at-time et --at-zone");
    return false;
  }
  if (arbre && (d.corps != 0) == d.angle.has_value()) {
    Avertir("Donnez la référence avec --body ou --angle");
    return false;
  }
  return true;
}

// The moment fields of the window from --at (local time), after the window's checks.
bool ChampsDeAt(const DemandeCadran& d, ChampsMoment& c) {
  std::string message = ErreurDate(d.at);
  if (message.empty()) message = ErreurAnneeCadran(Tranche(d.at, 6, 4));
  if (message.empty()) message = ErreurHeure(d.atTime);
  if (message.empty() && d.atTime.size() != 8) message = d.atTime + " : heure incorrecte";
  double zone = 0;
  if (message.empty() && !EssayerLireFuseau(Utf8VersCp1252(d.atZone), zone))
    message = "Erreur dans l'écriture du fuseau";
  if (!message.empty()) {
    Avertir(message);
    return false;
  }
  c.date = d.at.substr(0, 2) + "." + d.at.substr(3, 2) + "." + d.at.substr(6, 4);
  c.heure = d.atTime.substr(0, 5);
  c.secondes = d.atTime.substr(6, 2);
  c.fuseau = Utf8VersCp1252(d.atZone);
  return true;
}

bool Lieu(const DemandeCadran& d, ChampsMoment& c) {
  c.lat = Utf8VersCp1252(d.atLat.empty() ? d.naissance.saisie.lat : d.atLat);
  c.lon = Utf8VersCp1252(d.atLong.empty() ? d.naissance.saisie.lon : d.atLong);
  std::string message = ErreurLatitude(c.lat);
  if (message.empty()) message = ErreurLongitude(c.lon);
  if (!message.empty()) {
    Avertir(message);
    return false;
  }
  return true;
}

// The natal chart and the model at the moment asked; `trouve` is the moment a return or a
// given arc found (the fields then hold it rounded to the second).
bool Calculer(DemandeCadran& d, ModeleCadran& m, SelectionCadran& s, double& trouve, ChampsMoment& c,
              QStringList& enteteNatale) {
  // The glyph spacing of the dial window.
  if (!CalculerNatal(d.naissance, 1, EcartGlyphes65)) return false;
  m.natal = CopierNatal();
  m.Harmonique = d.harmonique;
  enteteNatale = EnteteNatale(Etat(), m);

  if (!Lieu(d, c)) return false;
  trouve = 0;
  if (!d.at.empty()) {
    if (!ChampsDeAt(d, c)) return false;
  } else if (d.retourSolaire) {
    trouve = RetourSolaire(m.natal, *d.retourSolaire, d.quart, d.precession).jourUT;
    EcrireMomentTU(c, trouve);
    SelectionDuRetour(s, true);
  } else if (!d.retourLunaire.empty()) {
    // The command line takes the birth records' "jj/mm/aaaa" only; then the dial's own check.
    std::string message = ErreurDate(d.retourLunaire);
    const Saisie<DateDuChamp> date = LireDateCadran(Utf8VersCp1252(d.retourLunaire));
    if (message.empty()) message = date.message;
    if (!message.empty()) {
      Avertir(message);
      return false;
    }
    trouve = RetourLunaire(m.natal, date.valeur.jour, date.valeur.mois, date.valeur.annee, d.precession).jourUT;
    EcrireMomentTU(c, trouve);
    SelectionDuRetour(s, false);
  } else {
    int n = 0;
    const std::string message = LireArcDonne(Utf8VersCp1252(*d.arc), n);
    if (!message.empty()) {
      Avertir(message);
      return false;
    }
    trouve = MomentArcDonne(m.natal, n);
    EcrireMomentTU(c, trouve);
    c.secondes = "00";
  }
  // The orbs the window has for this harmonic: as it opens for H = 4, its presets otherwise.
  if (d.harmonique != 4) {
    s.IndexOrbe = PresetsDuCadran(d.harmonique).indexOrbe;
    s.IndexOrbeSerre = PresetsDuCadran(d.harmonique).indexOrbeSerre;
  }
  if (d.indexOrbe) s.IndexOrbe = *d.indexOrbe;
  CalculerPositions(m, c);
  return true;
}

bool Peindre(const DemandeCadran& d, const ModeleCadran& m, const SelectionCadran& s) {
  const auto application = OuvrirApplicationHorsEcran();
  if (!application) return false;
  AppliquerReglagesParDefaut();
  const Reglages& reglages = LesReglages();
  QImage image(d.taille, d.taille, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  DessinerCadran(p, image.rect(), m, reglages, OptionsDeLaSelection(m, s, Etat().JeuPlanetes, reglages.ColoredCrowns));
  p.end();
  if (!image.save(QString::fromStdString(d.png), "PNG")) {
    Avertir("Impossible d'écrire " + d.png);
    return false;
  }
  return true;
}

// What both commands compute before they write.
struct CadranCalcule {
  DemandeCadran d;
  ModeleCadran m;
  SelectionCadran s;
  double trouve = 0;
  ChampsMoment champs;  // the window's fields at that moment
  QStringList enteteNatale;
};

// The page the window prints for that moment, into the file of --pdf.
bool Imprimer(const CadranCalcule& c) {
  const auto application = OuvrirApplicationHorsEcran();
  if (!application) return false;
  AppliquerReglagesParDefaut();
  const Reglages& reglages = LesReglages();
  const std::string retour = c.d.retourSolaire ? "RS" : !c.d.retourLunaire.empty() ? "RL" : "";
  const bool couleur = !c.d.lues.Present("--bw");
  const PageCadran page = PageDuModele(c.m, c.s, Etat(), c.enteteNatale, c.champs, retour, couleur, reglages.ColoredCrowns);
  return EcrirePdfDemande(DocumentCadran(page, reglages, LignesCachet(ContexteDuTheme(Etat()))), c.d.lues);
}

// Options, natal chart and rings; false after the message of the first fault.
bool Preparer(const Appel& a, bool arbre, CadranCalcule& c) {
  if (!LireOptions(a, arbre, c.d)) return false;
  try {
    return Calculer(c.d, c.m, c.s, c.trouve, c.champs, c.enteteNatale);
  } catch (const ErreurConversion& erreur) {
    Avertir(erreur.what());
    return false;
  }
}

}  // namespace

int CommandeCadran(const Appel& a) {
  CadranCalcule c;
  if (!Preparer(a, false, c)) return 2;
  auto& [d, m, s, trouve, champs, entete] = c;
  std::string sortie = "kind,index,longitude,dial_angle,spread_angle\n";
  sortie += "age,0,";
  AjouterNombre(sortie, m.AgeAnnees);
  sortie += ",,\nsolar_arc,0,";
  AjouterNombre(sortie, m.ArcSolaire * RadEnDeg);
  sortie += ",,\njd_ut,0,";
  AjouterNombre(sortie, trouve != 0 ? trouve : m.JourJulienTransit, 8);
  sortie += ",,\n";
  static const char* const genres[4] = {"", "natal", "arc", "transit"};
  for (int anneau = 1; anneau <= 3; ++anneau) {
    double etale[25] = {};
    for (int i = 1; i <= NbCorps; ++i) etale[m.OrdreEtale[i][anneau]] = m.PositionsEtalees[i][anneau];
    for (int b = 1; b <= NbCorps; ++b) {
      sortie += genres[anneau];
      sortie += "," + std::to_string(b) + ",";
      AjouterNombre(sortie, m.Longitudes[b][anneau] * RadEnDeg);
      sortie += ",";
      AjouterNombre(sortie, m.PositionsCadran[b][anneau] * RadEnDeg);
      sortie += ",";
      AjouterNombre(sortie, etale[b] * RadEnDeg);
      sortie += "\n";
    }
  }
  if (!d.png.empty() && !Peindre(d, m, s)) return 2;
  if (d.lues.Present("--pdf") && !Imprimer(c)) return 2;
  EcrireCsv(sortie, d.lues, ContexteDuTheme(Etat()));
  return 0;
}

int CommandeArbre(const Appel& a) {
  CadranCalcule c;
  if (!Preparer(a, true, c)) return 2;
  auto& [d, m, s, trouve, champs, entete] = c;
  const int H = m.Harmonique;
  s.CoucheDe = d.de;
  s.CoucheVers = d.vers;
  s.AnneauChoisi = d.de;
  s.SousHarmoniques = d.sousHarmoniques;
  if (d.corps != 0) {
    s.CorpsChoisi = d.corps;
  } else {
    const double M = DeuxPi / H;
    s.CorpsChoisi = 0;
    s.AnglePointeur = Normaliser2Pi(H * std::fmod(Normaliser360(*d.angle) * DegEnRad, M));
  }
  std::string sortie = "harmonic,body1,body2,offset_deg,offset_text\n";
  for (const LigneArbre& l : RemplirArbre(m, s, Etat().JeuPlanetes)) {
    sortie += std::to_string(l.harmonique) + "," + std::to_string(l.corps1) + ",";
    if (l.corps2 != 0) sortie += std::to_string(l.corps2);
    sortie += ",";
    AjouterNombre(sortie, l.ecart * RadEnDeg);
    sortie += "," + Cp1252VersUtf8(TexteEcartArbre(l.ecart)) + "\n";
  }
  EcrireCsv(sortie, d.lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
