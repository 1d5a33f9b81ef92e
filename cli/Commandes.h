#pragma once
// The sub-commands of selvane-cli: one table of {name, usage lines, options, function}, from
// which the dispatch, the usage text and --help are made. Each function returns the process
// exit status: 0 done, 2 bad input (French message on standard error), 3 for an abandoned
// lunar return.
#include <string>
#include <vector>

#include "cli/Options.h"

namespace selvane {

struct Appel;

struct Commande {
  const char* nom;
  // Its lines of the usage text, each after "selvane-cli ".
  std::vector<const char*> usage;
  // The named options it reads (none for a command of plain arguments).
  std::vector<Option> options;
  // How a fault of reading its options is said (Fautes::ParUsage: with its first usage line).
  Fautes fautes;
  int (*executer)(const Appel&);
};

// One run of a command: the words after its name.
struct Appel {
  const Commande& commande;
  int argc;
  char** argv;
  // "Usage : selvane-cli " and the command's usage line k.
  std::string Usage(std::size_t k = 0) const;
  // The whole command line read with the command's options, readers called as they come;
  // false after the French message of the first fault.
  bool Lire(OptionsLues& lues, const Lecteurs& lecteurs = {}) const;
};

// Every command, in the order of the usage text.
const std::vector<Commande>& TableCommandes();
// The command of that name, nullptr when there is none.
const Commande* TrouverCommande(const std::string& nom);
// The usage text printed on a command line of no command, ending with a line end.
std::string TexteUsage();
// What `selvane-cli COMMAND --help` prints: the command's usage lines and its options.
std::string AideCommande(const Commande& c);

// The whole of selvane-cli but for the last catch (argv[0] is the program).
int ExecuterCli(int argc, char** argv);

int CommandeTheme(const Appel& a);
int CommandeEvenements(const Appel& a);
int CommandeNaissances(const Appel& a);
int CommandeAtlas(const Appel& a);
int CommandeZone(const Appel& a);
int CommandeGlyphes(const Appel& a);
int CommandeCadran(const Appel& a);
int CommandeArbre(const Appel& a);
int CommandeRetours(const Appel& a);
int CommandeArc(const Appel& a);
int CommandeTable(const Appel& a);
int CommandeInterpretation(const Appel& a);
int CommandeSignification(const Appel& a);
int CommandeDirections(const Appel& a);
int CommandeTransits(const Appel& a);
int CommandeEphemerides(const Appel& a);
int CommandeArbres(const Appel& a);
int CommandeSequences(const Appel& a);
int CommandeMandala(const Appel& a);
int CommandeMaisons(const Appel& a);
int CommandeGraphe(const Appel& a);

}  // namespace selvane
