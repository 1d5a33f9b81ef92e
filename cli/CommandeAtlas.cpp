// selvane-cli atlas and zone: the atlas files and the legal time of a zone.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "birthdata/Atlas.h"
#include "core/Avertissements.h"
#include "cli/Csv.h"
#include "cli/Commandes.h"
#include "cli/Outils.h"
#include "cli/Sorties.h"
#include "core/Conversions.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/Fuseaux.h"

namespace selvane {
namespace {

namespace fs = std::filesystem;


int Chercher(const std::string& pays, const std::string& texte, int lignes, const OptionsLues& lues) {
  FichierAtlas atlas(DossierDuProgramme() / (pays + ".cty"));
  const std::int64_t trouve = atlas.Chercher(SaisieVersCp1252(texte));
  // The atlas window (16 rows) starts 8 rows above; the entry grid (20) half its rows above.
  const std::int64_t debut = PremiereLigne(trouve, lignes / 2, lignes, atlas.Nombre());
  std::string s = "index,city,region,lat,long,code,zone\n";
  std::int64_t index = debut;
  for (const CityRecord& v : atlas.Page(debut, lignes)) {
    s += std::to_string(index++) + "," + ChampCsv(v.Ville.Utf8()) + "," + ChampCsv(v.Pays.Utf8()) + "," +
         ChampCsv(v.Lat.Utf8()) + "," + ChampCsv(v.Long.Utf8()) + "," + ChampCsv(v.CountryCode.Utf8()) + "," +
         ChampCsv(v.ZoneName.Utf8()) + "\n";
  }
  EcrireCsv(s, lues, ContexteCachet{});
  return 0;
}

int Zone(const std::string& nom, const std::string& date, const std::string& heure) {
  const std::string date1252 = Utf8VersCp1252(date);
  if (date.size() != 10 || !DateValide(date1252)) {
    Avertir(date + " : date incorrecte");
    return 2;
  }
  if (heure.size() < 5 || !HeureValide(Utf8VersCp1252(heure))) {
    Avertir(heure + " : heure incorrecte");
    return 2;
  }
  const fs::path dossier = DossierDuProgramme();
  const auto numero = LireFuseauActuel(dossier, nom);
  if (!numero) {
    Avertir("Fuseau inconnu : " + nom);
    return 2;
  }
  const int j = std::atoi(date.substr(0, 2).c_str()), m = std::atoi(date.substr(3, 2).c_str()),
            a = std::atoi(date.substr(6, 4).c_str());
  const int h = std::atoi(heure.substr(0, 2).c_str()), mi = std::atoi(heure.substr(3, 2).c_str());
  const int s = heure.size() >= 8 ? std::atoi(heure.substr(6, 2).c_str()) : 0;
  const Regime r = ChercherRegimeFromDate(dossier, *numero, j, m, a, h, mi, s);
  if (r.genre == Regime::Refus) {
    Avertir(MessageRegimeRefuse);
    return 2;
  }
  if (r.genre == Regime::Rien) {
    Avertir("Fuseau inconnu : " + nom);
    return 2;
  }
  // A time shown twice or never is answered all the same, with a word on stderr.
  if (r.ambiguite != Regime::Aucune) Avertir(MessageAmbiguite(r, date, heure.substr(0, 5), "avec --zone"));
  std::printf("%s\n", r.texte.c_str());
  return 0;
}

}  // namespace

int CommandeAtlas(const Appel& a) {
  const int argc = a.argc;
  char** const argv = a.argv;
  try {
    if (argc == 1 && std::string(argv[0]) == "files") {
      for (const std::string& nom : ListerAtlas(DossierDuProgramme())) std::printf("%s\n", nom.c_str());
      return 0;
    }
    if (argc >= 3 && std::string(argv[0]) == "find") {
      // After the country and the text, "--rows 16|20" and "--stamp", each once at most.
      const std::string usage = a.Usage(1);
      if (argc > 6) {
        Avertir(usage);
        return 2;
      }
      int lignes = 16;
      const auto rangs = [&](const std::string& valeur) {
        if (valeur != "16" && valeur != "20") {
          Avertir(usage);
          return false;
        }
        lignes = std::atoi(valeur.c_str());
        return true;
      };
      OptionsLues lues;
      const Lecteurs lecteurs = {{"--rows", rangs}};
      if (!LireOptions(argc - 3, argv + 3, {a.commande.options, Fautes::ParUsage, usage, &lecteurs}, lues)) return 2;
      if (lues.Valeurs("--rows").size() > 1 || lues.Valeurs("--stamp").size() > 1) {
        Avertir(usage);
        return 2;
      }
      return Chercher(argv[1], argv[2], lignes, lues);
    }
  } catch (const ErreurFichier& e) {
    Avertir(e.what());
    return 2;
  }
  Avertir("Usage : selvane-cli atlas files | atlas find PAYS TEXTE [--rows 16|20] [--stamp]");
  return 2;
}

int CommandeZone(const Appel& a) {
  if (a.argc != 3) {
    Avertir(a.Usage());
    return 2;
  }
  try {
    return Zone(a.argv[0], a.argv[1], a.argv[2]);
  } catch (const ErreurFichier& e) {
    Avertir(e.what());
    return 2;
  } catch (const ErreurConversion& e) {
    Avertir(e.what());
    return 2;
  }
}

}  // namespace selvane
