#pragma once
// Windows-1252 <-> UTF-8. Birth files and every text of the chart are stored in
// the Windows-1252 code page; the rest of the world speaks UTF-8.
#include <string>
#include <string_view>

namespace selvane {

// A character the code page lacks becomes "?"; malformed UTF-8 bytes too.
std::string Utf8VersCp1252(std::string_view utf8);
std::string Cp1252VersUtf8(std::string_view octets);
// The Unicode code point of one byte of the code page.
char32_t CodeCp1252(unsigned char octet);

}  // namespace selvane
