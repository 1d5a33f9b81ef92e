// Picture forms ("1.frm" .. "11.frm"): records read, or a refusal exactly when the size is
// not a whole number of records or a length byte exceeds its field; every record read holds
// the bytes of its slot.
#include "fuzz/Commun.h"
#include "data/textes/FormeImage.h"

using namespace selvane;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::Initialiser();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  const std::string octets = fuzz::Texte(d, n);
  const LectureFormes lecture = LireFormesImages(octets);
  bool valide = n % TailleFormeImage == 0;
  for (std::size_t debut = 0; valide && debut < n; debut += TailleFormeImage)
    valide = d[debut] <= TexteFormeMax && d[debut + 104] <= CleFormeMax;
  VERIFIER(lecture.Ok() == valide);
  if (!valide) return 0;
  VERIFIER(lecture.Formes.size() == n / TailleFormeImage);
  for (std::size_t i = 0; i < lecture.Formes.size(); ++i) {
    const FormeImage& f = lecture.Formes[i];
    const std::string_view e = std::string_view(octets).substr(i * TailleFormeImage, TailleFormeImage);
    VERIFIER(f.Texte == e.substr(1, static_cast<unsigned char>(e[0])));
    VERIFIER(f.A == e[101] && f.B == e[102] && f.C == e[103]);
    VERIFIER(f.Cle == e.substr(105, static_cast<unsigned char>(e[104])));
  }
  return 0;
}
