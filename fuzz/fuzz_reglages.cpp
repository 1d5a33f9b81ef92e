// The settings files: the first byte picks "SelvOpt.def", "SelvSetOfPlanetes.def",
// "ColoredCrownsFile.def" or "SelvFontSize.def", the rest is its content, in a
// folder of the installed files. The loader applies it or stops with the file
// or conversion error; what it applied stays within the ranges the painters
// take, and a chart computes with it.
#include <cmath>

#include "core/Calcul.h"
#include "core/Catalogue.h"
#include "fuzz/Commun.h"
#include "core/Ephemerides.h"
#include "birthdata/records/ErreurFichier.h"
#include "core/EtatTheme.h"
#include "reglages/Reglages.h"
#include "tests/support/FicheDeTest.h"

using namespace selvane;

namespace {
const char* const kFichiers[] = {fichiers::Options, fichiers::JeuPlanetes, fichiers::ColoredCrowns,
                                 fichiers::TaillesGlyphes};
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  EcrireReglagesParDefaut(fuzz::Dossier());
  OuvrirEphemerides();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  if (n < 1) return 0;
  const char* nom = kFichiers[d[0] % 4];
  fuzz::Ecrire(fuzz::Dossier() / nom, fuzz::Texte(d + 1, n - 1));
  ReinitialiserEtat();
  AppliquerReglagesParDefaut();
  try {
    ChargerReglages(fuzz::Dossier());
  } catch (const ErreurFichier&) {
  } catch (const ErreurConversion&) {
  }
  const Reglages& r = LesReglages();
  VERIFIER(r.TaillePlanetes >= -5 && r.TaillePlanetes <= 10);
  VERIFIER(r.TailleSignes >= -2 && r.TailleSignes <= 10);
  for (double orbe : r.AspectOrbe) VERIFIER(orbe >= 0 && orbe <= Pi + 1e-12);
  VERIFIER(Etat().SystemeMaisons <= 9);

  Etat().FicheEnCours = FicheDeTest();
  CalculerTheme(EcartGlyphes8);
  for (int k = 1; k <= 12; ++k) VERIFIER(std::isfinite(Etat().Maisons[k]));

  for (const FichierParDefaut& defaut : FichiersParDefaut())
    if (std::string_view(defaut.nom) == nom) EcrireLignes(fuzz::Dossier() / nom, defaut.lignes);
  return 0;
}
