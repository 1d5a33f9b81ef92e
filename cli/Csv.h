#pragma once
// What every sub-command writes the same way: CSV fields.
#include <string>

#include "birthdata/records/Echange.h"  // the one RFC 4180 quoting

namespace selvane {

// A CSV field, quoted (quotes doubled) when it holds a comma, a quote or a line end.
inline std::string ChampCsv(const std::string& texte) { return ChampCsvFiche(texte); }

}  // namespace selvane
