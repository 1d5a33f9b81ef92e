#include "widgets/Texte1252.h"

#include "birthdata/records/Cp1252.h"

namespace selvane {

QString Texte(std::string_view octets1252) { return QString::fromStdString(Cp1252VersUtf8(octets1252)); }

std::string Octets(const QString& texte) { return Utf8VersCp1252(texte.toStdString()); }

}  // namespace selvane
