#pragma once
// The one reader of selvane-cli's named options: flags and "--option value" pairs in any order,
// each looked up in the command's list of options, with the French messages of a fault.
#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace selvane {

enum class GenreOption { Valeur, Drapeau };

// One option a command accepts.
struct Option {
  const char* nom;
  GenreOption genre = GenreOption::Valeur;
};

// How a fault of reading is said.
enum class Fautes {
  // "Valeur manquante après X" and "Option inconnue : X"; a word without "--" is read as an
  // option too (so a last one lacks its value).
  ParOption,
  // The same, but a word without "--" is refused at once, before its value is looked for.
  ParOptionStricte,
  // The command's usage message, whatever the fault.
  ParUsage,
};

// The words after a value, for an option whose value may call for one more word.
class Mots {
 public:
  Mots(int argc, char** argv, int& i) : argc_(argc), argv_(argv), i_(i) {}
  bool Reste() const { return i_ + 1 < argc_; }
  std::string Prendre() { return argv_[++i_]; }

 private:
  int argc_;
  char** argv_;
  int& i_;
};

// What a command does with one of its options as soon as it is read (a check, a conversion):
// false after its French message stops the reading. Written with the value alone, or with the
// value and the words after it. A flag's reader gets an empty value.
class Lecteur {
 public:
  template <class F>
  Lecteur(F f) {  // implicit: a lambda stands for a reader
    if constexpr (std::is_invocable_r_v<bool, F, const std::string&>)
      lire_ = [f = std::move(f)](const std::string& valeur, Mots&) { return f(valeur); };
    else
      lire_ = std::move(f);
  }
  bool operator()(const std::string& valeur, Mots& suite) const { return lire_(valeur, suite); }

 private:
  std::function<bool(const std::string&, Mots&)> lire_;
};
using Lecteurs = std::map<std::string, Lecteur>;

// Every option read, with every value it was given, in order (a flag holds "").
class OptionsLues {
 public:
  bool Present(const std::string& nom) const { return valeurs_.count(nom) != 0; }
  // The last value given, "" when the option is absent.
  const std::string& Valeur(const std::string& nom) const;
  // Every value given, in order; empty when the option is absent.
  const std::vector<std::string>& Valeurs(const std::string& nom) const;
  void Ajouter(const std::string& nom, const std::string& valeur) { valeurs_[nom].push_back(valeur); }

 private:
  std::map<std::string, std::vector<std::string>> valeurs_;
};

// How one command line is read.
struct Lecture {
  const std::vector<Option>& options;
  Fautes fautes = Fautes::ParOption;
  // The message of every fault with Fautes::ParUsage.
  std::string usage;
  // Called as each option is read; an option without a reader is only kept.
  const Lecteurs* lecteurs = nullptr;
  // When given, the words of no option of the list are put here, unread and without their
  // value, for a second reading.
  std::vector<char*>* reste = nullptr;
};

// Reads argv into `lues`; false after the French message of the first fault (missing value,
// unknown option, a reader's refusal). Options left out are not checked here: each command says
// so at its own point.
bool LireOptions(int argc, char** argv, const Lecture& lecture, OptionsLues& lues);

// The options of `options` named in `noms`, or those not named there.
std::vector<Option> Parmi(const std::vector<Option>& options, const std::vector<std::string>& noms);
std::vector<Option> Sauf(const std::vector<Option>& options, const std::vector<std::string>& noms);

}  // namespace selvane
