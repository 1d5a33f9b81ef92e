#include "cli/Options.h"

#include <algorithm>

#include "core/Avertissements.h"

namespace selvane {

const std::string& OptionsLues::Valeur(const std::string& nom) const {
  static const std::string rien;
  const auto v = valeurs_.find(nom);
  return v == valeurs_.end() ? rien : v->second.back();
}

const std::vector<std::string>& OptionsLues::Valeurs(const std::string& nom) const {
  static const std::vector<std::string> aucune;
  const auto v = valeurs_.find(nom);
  return v == valeurs_.end() ? aucune : v->second;
}

bool LireOptions(int argc, char** argv, const Lecture& lecture, OptionsLues& lues) {
  const auto faute = [&](const std::string& message) {
    Avertir(lecture.fautes == Fautes::ParUsage ? lecture.usage : message);
    return false;
  };
  for (int i = 0; i < argc; ++i) {
    const std::string mot = argv[i];
    const auto option = std::find_if(lecture.options.begin(), lecture.options.end(),
                                     [&](const Option& o) { return mot == o.nom; });
    const bool connue = option != lecture.options.end();
    if (!connue && lecture.reste) {
      lecture.reste->push_back(argv[i]);
      continue;
    }
    if (!connue && lecture.fautes == Fautes::ParOptionStricte && mot.rfind("--", 0) != 0)
      return faute("Option inconnue : " + mot);
    const bool drapeau = connue && option->genre == GenreOption::Drapeau;
    if (!drapeau && i + 1 >= argc) return faute("Valeur manquante après " + mot);
    // An unknown word is taken with the word after it, as "--option value".
    const std::string valeur = drapeau ? std::string() : argv[++i];
    if (!connue) return faute("Option inconnue : " + mot);
    lues.Ajouter(mot, valeur);
    if (!lecture.lecteurs) continue;
    const auto lecteur = lecture.lecteurs->find(mot);
    Mots suite(argc, argv, i);
    if (lecteur != lecture.lecteurs->end() && !lecteur->second(valeur, suite)) return false;
  }
  return true;
}

std::vector<Option> Parmi(const std::vector<Option>& options, const std::vector<std::string>& noms) {
  std::vector<Option> choisies;
  for (const Option& o : options)
    if (std::find(noms.begin(), noms.end(), o.nom) != noms.end()) choisies.push_back(o);
  return choisies;
}

std::vector<Option> Sauf(const std::vector<Option>& options, const std::vector<std::string>& noms) {
  std::vector<Option> gardees;
  for (const Option& o : options)
    if (std::find(noms.begin(), noms.end(), o.nom) == noms.end()) gardees.push_back(o);
  return gardees;
}

}  // namespace selvane
