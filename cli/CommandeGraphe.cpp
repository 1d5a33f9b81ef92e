// selvane-cli graph: the crossings of the graphic ephemeris of a birth, in time order.
#include <cstdio>
#include <string>

#include <QImage>
#include <QPainter>

#include "birthdata/Saisie.h"
#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Sorties.h"
#include "cli/ListesPoints.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "reglages/Reglages.h"
#include "techniques/DessinEphemGraphique.h"
#include "techniques/EphemGraphique.h"
#include "widgets/Texte1252.h"

namespace selvane {
namespace {

bool LireDebut(const std::string& texte, DemandeGraphe& d) {
  const std::string erreur = ErreurDate(texte);
  if (!erreur.empty()) {
    Avertir(erreur);
    return false;
  }
  d.jour = std::stoi(texte.substr(0, 2));
  d.mois = std::stoi(texte.substr(3, 2));
  d.annee = std::stoi(texte.substr(6));
  return true;
}

bool LireModule(const std::string& texte, double& module) {
  for (const char* m : {"360", "90", "45", "22.5"})
    if (texte == m) {
      module = std::stod(texte);
      return true;
    }
  Avertir("Module incorrect : " + texte + " (360, 90, 45 ou 22.5)");
  return false;
}

bool LireCorps(const std::string& texte, std::vector<int>& corps) {
  corps.clear();
  return LireChamps(texte, [&](const std::string& champ) {
    int c = 0;
    if (!LireEntier(champ, 1, NoeudLunaire, c)) {
      Avertir("Corps incorrect : '" + champ + "' (1 à 19)");
      return false;
    }
    corps.push_back(c);
    return true;
  });
}

bool LireCibles(const std::string& texte, CiblesGraphe& cibles) {
  const struct {
    const char* nom;
    CiblesGraphe choix;
  } noms[] = {{"points", CiblesGraphe::Points},
              {"midpoints", CiblesGraphe::MiPoints},
              {"personal", CiblesGraphe::Personnels},
              {"all", CiblesGraphe::Tous}};
  for (const auto& n : noms)
    if (texte == n.nom) {
      cibles = n.choix;
      return true;
    }
  Avertir("Cibles incorrectes : " + texte + " (points, midpoints, personal ou all)");
  return false;
}

// "1920x1080": each side 200 .. 8000 pixels.
bool LireTaille(const std::string& texte, int& largeur, int& hauteur) {
  const std::size_t x = texte.find('x');
  if (x == std::string::npos || !LireEntier(texte.substr(0, x), 200, 8000, largeur) ||
      !LireEntier(texte.substr(x + 1), 200, 8000, hauteur)) {
    Avertir("Taille incorrecte : " + texte + " (LxH, de 200 à 8000 pixels)");
    return false;
  }
  return true;
}

}  // namespace

int CommandeGraphe(const Appel& a) {
  DemandeGraphe demande;
  int largeur = 1920, hauteur = 1080;
  const Lecteurs lecteurs = {
      {"--from", [&](const std::string& valeur) { return LireDebut(valeur, demande); }},
      {"--months",
       [&](const std::string& valeur) {
         if (LireEntier(valeur, MoisGrapheMin, MoisGrapheMax, demande.nbMois)) return true;
         Avertir("Nombre de mois incorrect : " + valeur + " (1 à 24)");
         return false;
       }},
      {"--modulus", [&](const std::string& valeur) { return LireModule(valeur, demande.moduleDeg); }},
      {"--bodies", [&](const std::string& valeur) { return LireCorps(valeur, demande.corps); }},
      {"--targets", [&](const std::string& valeur) { return LireCibles(valeur, demande.cibles); }},
      {"--size", [&](const std::string& valeur) { return LireTaille(valeur, largeur, hauteur); }}};
  OptionsLues lues;
  if (!a.Lire(lues, lecteurs)) return 2;
  for (const char* nom : {"--from", "--months", "--modulus"})
    if (!lues.Present(nom)) {
      Avertir(std::string("Option obligatoire manquante : ") + nom);
      return 2;
    }
  OptionsNaissance naissance(lues, false);
  demande.arcSolaire = lues.Present("--arc");
  const std::string& png = lues.Valeur("--png");
  const std::string& pdf = lues.Valeur("--pdf");
  if (!CalculerNatal(naissance)) return 2;
  NatalGraphe natal;
  natal.longitudes = LireLongitudesNatales();
  natal.jourJulienNaissance = Etat().JourJulienTU;
  EphemGraphique g;
  try {
    g = CalculerEphemGraphique(natal, Etat().JeuPlanetes, demande);
  } catch (const ErreurEphemerides& erreur) {
    Avertir(erreur.what());
    return 2;
  }
  if (!png.empty() || !pdf.empty()) {
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    // The colours as installed: the command line reads no user settings.
    AppliquerReglagesParDefaut();
    OptionsGraphe o;
    o.titre = TitreEphemGraphique(Texte(Etat().NomAffiche.Texte()));
    o.cachet = CachetCalcul();
    if (!png.empty()) {
      QImage image(largeur, hauteur, QImage::Format_RGB32);
      QPainter p(&image);
      DessinerEphemGraphique(p, QRectF(image.rect()), g, PaletteEcran(LesReglages()), o);
      p.end();
      if (!image.save(QString::fromStdString(png), "PNG")) {
        Avertir("Impossible d'écrire " + png);
        return 2;
      }
    }
    if (!pdf.empty() &&
        !EcrirePdfEphemGraphique(QString::fromStdString(pdf), g, PaletteImpression(LesReglages(), OptionsDessin{}), o)) {
      Avertir("Impossible d'écrire " + pdf);
      return 2;
    }
  }
  EcrireCsv(CsvEphemGraphique(g), lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
