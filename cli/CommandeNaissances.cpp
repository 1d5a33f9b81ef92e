// selvane-cli births: list, add to and import into birth files; AAF import and export.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "core/Avertissements.h"
#include "birthdata/CompletionAtlas.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Echange.h"
#include "cli/Commandes.h"
#include "cli/Outils.h"
#include "cli/Sorties.h"
#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/ErreurFichier.h"
#include "birthdata/records/FichierNaissance.h"
#include "cli/Naissances.h"
#include "cli/NaissancesAaf.h"
#include "cli/ThemeNatal.h"
#include "birthdata/Saisie.h"

namespace selvane {
namespace {

namespace fs = std::filesystem;

// The record the entry window's "Sauver" stores, after its checks.
bool FicheDeSaisie(SaisieNaissance s, FicheClient& f) {
  if (s.nom.find_first_not_of(' ') == std::string::npos) {
    Avertir("Le nom est vide : rien n'est enregistré");
    return false;
  }
  // "14h05" is completed with seconds "00", as the entry window does.
  if (s.heure.size() == 5) s.heure = HeureComplete(s.heure, "");
  if (!VerifierNaissance(s)) return false;
  f = FicheSaisie(s);
  return true;
}

// Inserts in order, or creates the file with these records when it does not exist.
// The warnings (characters the file lacks) come once the file is known to take
// the records: a refused file gets its refusal alone.
// Records of equal keys keep the order they came in: each insertion goes before
// its equals, so they are inserted last first.
void Sauver(const fs::path& chemin, std::vector<FicheClient> fiches, const std::vector<std::string>& avertissements) {
  std::reverse(fiches.begin(), fiches.end());
  std::error_code erreur;
  const bool existe = fs::exists(chemin, erreur);
  if (erreur) LeverErreurFichier(erreur.value(), chemin.string());
  VerifierEcriture(chemin);
  if (existe) VerifierEcriture(CheminSauvegarde(chemin));
  for (const std::string& a : avertissements) Avertir(a);
  if (existe) {
    InsererFiches(chemin, fiches);
  } else if (fiches.size() == 1) {
    CreerFichierNaissance(chemin, fiches.front());
  } else {
    RecrireFichierNaissance(chemin, {});
    InsererFiches(chemin, fiches);
  }
}

int Lister(const fs::path& chemin, const OptionsLues& lues) {
  EcrireCsv(EcrireCsv(LireFichierNaissance(chemin)), lues, ContexteCachet{});
  return 0;
}

int ExporterAaf(const fs::path& chemin, bool utf8) {
  const std::vector<FicheClient> fiches = LireFichierNaissance(chemin);
  const CompletionAtlas completion(DossierDuProgramme());
  const std::string s = EcrireAaf(fiches, &completion, utf8);
  std::fwrite(s.data(), 1, s.size(), stdout);
  return 0;
}

int Ajouter(const fs::path& chemin, const Appel& a) {
  OptionsLues lues;
  // --stamp is the list's: adding a record writes no CSV.
  const std::vector<Option> options = Sauf(a.commande.options, {"--stamp"});
  if (!LireOptions(a.argc, a.argv, {options, a.commande.fautes, a.Usage()}, lues)) return 2;
  OptionsNaissance n(lues, false);
  n.saisie.ville = lues.Valeur("--city");
  n.saisie.commentaire = lues.Valeur("--comment");
  FicheClient f;
  if (!FicheDeSaisie(n.saisie, f)) return 2;
  // Characters the file lacks are said, then the record is stored as the warning shows.
  const std::string avertissement = AvertissementSaisieHors1252(n.saisie);
  Sauver(chemin, {f}, avertissement.empty() ? std::vector<std::string>{} : std::vector<std::string>{avertissement});
  return 0;
}

}  // namespace

int ImporterTexte(const fs::path& chemin, const std::string& texte) {
  // A spreadsheet's CSV may be UTF-8 or Windows-1252: the bytes tell which.
  const std::vector<LigneCsv> lignes = DecouperCsv(TexteEnUtf8(texte));
  if (lignes.empty() || lignes[0].champs.size() != 9 || lignes[0].champs[0].rfind("Nom", 0) != 0) {
    Avertir(std::string("Ligne 1 : l'en-tête attendu est ") + EnteteCsvFiches);
    return 2;
  }
  // Every line is checked before anything is written.
  std::vector<FicheClient> fiches;
  std::vector<std::string> avertissements;
  for (std::size_t k = 1; k < lignes.size(); ++k) {
    const LigneCsv& l = lignes[k];
    if (l.champs.size() != 9) {
      Avertir("Ligne " + std::to_string(l.numero) + " : 9 champs attendus, " +
              std::to_string(l.champs.size()) + " trouvés");
      return 2;
    }
    SaisieNaissance s{l.champs[0], l.champs[2], l.champs[3], l.champs[4], l.champs[5],
                      l.champs[6], l.champs[7], l.champs[8]};
    struct Prefixe : Avertisseur {
      std::string texte;
      void Avertir(const std::string& t) override { texte = t; }
    } prefixe;
    DefinirAvertisseur(&prefixe);
    FicheClient f;
    const bool bonne = FicheDeSaisie(s, f);
    DefinirAvertisseur(nullptr);
    if (!bonne) {
      Avertir("Ligne " + std::to_string(l.numero) + " : " + prefixe.texte);
      return 2;
    }
    fiches.push_back(f);
    const std::string hors = AvertissementSaisieHors1252(s);
    for (std::size_t debut = 0; debut < hors.size();) {
      const std::size_t fin = std::min(hors.find('\n', debut), hors.size());
      avertissements.push_back("Ligne " + std::to_string(l.numero) + " : " + hors.substr(debut, fin - debut));
      debut = fin + 1;
    }
  }
  if (!fiches.empty()) Sauver(chemin, fiches, avertissements);
  return 0;
}

int ImporterAafTexte(const fs::path& chemin, const std::string& texte, bool force, const fs::path& dossier) {
  const CompletionAtlas completion(dossier);
  const LectureEchange l = LireAaf(texte, &completion);
  if (!l.erreur.empty()) {
    Avertir(l.erreur);
    return 2;
  }
  for (const std::string& ligne : l.rapport) Avertir(ligne);
  if (l.refusees > 0 && !force) {
    Avertir(std::to_string(l.refusees) + " fiche(s) refusée(s) : rien n'est importé (--force importe les " +
            std::to_string(l.fiches.size()) + " autres)");
    return 2;
  }
  if (l.fiches.empty()) {
    Avertir("Aucune fiche à importer");
    return 2;
  }
  Sauver(chemin, l.fiches, {});
  return 0;
}

namespace {

std::string EntreeStandard() { return std::string(std::istreambuf_iterator<char>(std::cin), {}); }

int Importer(const fs::path& chemin) { return ImporterTexte(chemin, EntreeStandard()); }

}  // namespace

int CommandeNaissances(const Appel& a) {
  const int argc = a.argc;
  char** const argv = a.argv;
  if (argc < 2) {
    Avertir("Usage : selvane-cli births list|add|import|import-aaf|export-aaf FICHIER.thz ...");
    return 2;
  }
  const std::string action = argv[0];
  const fs::path chemin = argv[1];
  try {
    if (action == "list" && (argc == 2 || (argc == 3 && std::string(argv[2]) == "--stamp"))) {
      OptionsLues lues;
      if (argc == 3) lues.Ajouter("--stamp", "");
      return Lister(chemin, lues);
    }
    if (action == "add") return Ajouter(chemin, {a.commande, argc - 2, argv + 2});
    if (action == "import" && argc == 2) return Importer(chemin);
    if (action == "import-aaf" && (argc == 2 || (argc == 3 && std::string(argv[2]) == "--force")))
      return ImporterAafTexte(chemin, EntreeStandard(), argc == 3, DossierDuProgramme());
    if (action == "export-aaf" && (argc == 2 || (argc == 3 && std::string(argv[2]) == "--utf8")))
      return ExporterAaf(chemin, argc == 3);
  } catch (const ErreurFichier& e) {
    Avertir(e.what());
    return 2;
  } catch (const fs::filesystem_error& e) {
    Avertir(ErreurDuSysteme(e).what());
    return 2;
  }
  Avertir("Usage : selvane-cli births list|add|import|import-aaf|export-aaf FICHIER.thz ...");
  return 2;
}

}  // namespace selvane
