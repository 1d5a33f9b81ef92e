#pragma once
// Windows-1252 bytes of the files and the chart state <-> Qt text: the one pair every
// window and painter uses, so a character the code page lacks turns into "?" the same way.
#include <QString>
#include <string>
#include <string_view>

namespace selvane {

QString Texte(std::string_view octets1252);
std::string Octets(const QString& texte);

}  // namespace selvane
