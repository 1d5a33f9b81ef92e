#include "Verifications.h"

#include "Avertissements.h"
#include "Conversions.h"
#include "Cp1252.h"

namespace selvane {

namespace {

std::string Rogner(const std::string& t) {
  const std::size_t d = t.find_first_not_of(' ');
  if (d == std::string::npos) return "";
  return t.substr(d, t.find_last_not_of(' ') - d + 1);
}

}  // namespace

bool NormaliserFuseau(SaisieNaissance& s) {
  std::string z = Rogner(s.fuseau);
  if (z.empty()) {
    Avertir("Vous n'avez pas entré/sélectionné de valeur pour le fuseau. Entrez 0\r\n"
            "pour calculer le thème pour l'heure GMT.\r\n\r\n");
    return false;
  }
  if (z[0] == 'L' || z[0] == 'l') {
    s.fuseau = LongitudeVersFuseau(Utf8VersCp1252(s.lon));
    return true;
  }
  for (char c : z) {
    if (!(c == 'L' || c == 'l' || c == '-' || c == '.' || c == ' ' || (c >= '0' && c <= '9'))) {
      Avertir("N'entrez que des chiffres et des \".\"  ");
      return false;
    }
  }
  if (!(z[0] == '-' || (z[0] >= '0' && z[0] <= '9'))) {
    Avertir("N'entrez que la lettre L ou des chiffres, séparés par des points");
    return false;
  }
  double heures = 0;
  if (!EssayerLireFuseau(z, heures)) {
    Avertir("Erreur dans l'écriture du fuseau");
    return false;
  }
  s.fuseau = z;
  return true;
}

bool VerifierNaissance(SaisieNaissance& s) {
  if (!DateValide(Utf8VersCp1252(s.date))) {
    Avertir(s.date + " : date incorrecte");
    return false;
  }
  if (!HeureValide(Utf8VersCp1252(s.heure))) {
    Avertir(s.heure + " : heure incorrecte");
    return false;
  }
  if (!LatitudeValide(Utf8VersCp1252(s.lat)) || !LongitudeValide(Utf8VersCp1252(s.lon))) return false;
  return NormaliserFuseau(s);
}

}  // namespace selvane
