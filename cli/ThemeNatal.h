#pragma once
// The birth options shared by the technique commands (--date --time --lat
// --long --zone [--name], as for `chart`): the natal chart computed and frozen
// as the main window does before a technique window opens.
#include <functional>
#include <string>

namespace selvane {

// What a command makes of an option that is not a birth option: Reconnue, Inconnue,
// or Refusee after its own French message.
enum class OptionLue { Reconnue, Inconnue, Refusee };
using LecteurOption = std::function<OptionLue(const std::string& option, const std::string& valeur)>;

// 0 when the chart is computed and frozen; 2 after the French message otherwise.
int PreparerThemeNatal(int argc, char** argv, const LecteurOption& autre);

// "x.xxxxxx": degrees with 6 decimals, "." whatever the locale.
std::string Degres6(double degres);

}  // namespace selvane
