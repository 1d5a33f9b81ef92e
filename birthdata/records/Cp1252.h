#pragma once
// Windows-1252 <-> UTF-8. Birth files and every text of the chart are stored in
// the Windows-1252 code page; the rest of the world speaks UTF-8.
#include <string>
#include <string_view>
#include <vector>

namespace selvane {

// A character the code page lacks becomes "?"; malformed UTF-8 bytes too.
std::string Utf8VersCp1252(std::string_view utf8);
std::string Cp1252VersUtf8(std::string_view octets);
// The Unicode code point of one byte of the code page.
char32_t CodeCp1252(unsigned char octet);

// The characters of a UTF-8 text that Windows-1252 lacks, each once, in order of first appearance, each as UTF-8.
// A malformed byte counts as one, shown as U+FFFD.
std::vector<std::string> CaracteresHors1252(std::string_view utf8);
// Empty when every character is stored as typed; otherwise a French warning naming the characters and showing the stored form, e.g.
// "Les caractères « Ł ę » n'existent pas dans les fichiers de naissances : la fiche sera enregistrée sous la forme « ?ukasz Pi?tek »."
std::string AvertissementHors1252(std::string_view utf8);

}  // namespace selvane
