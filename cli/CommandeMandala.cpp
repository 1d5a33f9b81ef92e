// selvane-cli mandala: the framing lists of the three axes and the counts of the bodies, and
// the page the window prints of them.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Outils.h"
#include "cli/Sorties.h"
#include "core/EtatTheme.h"
#include "cli/ThemeNatal.h"
#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "techniques/DessinMandala.h"
#include "techniques/Mandala.h"

namespace selvane {
namespace {

bool LireCorps(const std::string& t, int& corps) {
  if (t.empty()) return false;
  char* fin = nullptr;
  const long v = std::strtol(t.c_str(), &fin, 10);
  if (*fin != '\0') return false;
  corps = static_cast<int>(v);
  return true;
}

// "5" or "3/6": the bodies of the window's lists A and B.
bool LireAxe(const std::string& t, AxeMandala& axe) {
  const std::size_t barre = t.find('/');
  int a = 0, b = 0;
  if (!LireCorps(t.substr(0, barre), a)) return false;
  b = a;
  if (barre != std::string::npos && !LireCorps(t.substr(barre + 1), b)) return false;
  const bool listeA = (a >= 1 && a <= 19) || a == 21 || a == 22;
  const bool listeB = b == a || (b >= 2 && b <= 19) || b == 21 || b == 22 || b == 23;
  if (!listeA || !listeB) return false;
  axe = {a, b};
  return true;
}

// "1,5,3/6": the three axes, the first the Sun's; false after the message.
bool LireAxes(const std::string& valeur, std::array<AxeMandala, 3>& axes) {
  std::array<std::string, 3> textes;
  std::size_t debut = 0;
  for (std::size_t k = 0; k < 3; ++k) {
    const std::size_t virgule = valeur.find(',', debut);
    if ((k < 2) == (virgule == std::string::npos)) {
      Avertir("Axes incorrects : " + valeur + " (trois axes A,B,C, le premier 1)");
      return false;
    }
    textes[k] = valeur.substr(debut, virgule == std::string::npos ? std::string::npos : virgule - debut);
    debut = virgule + 1;
  }
  for (std::size_t k = 0; k < 3; ++k) {
    const std::size_t barre = textes[k].find('/');
    if (barre != std::string::npos && textes[k].substr(0, barre) == textes[k].substr(barre + 1)) {
      Avertir("Les 2 points ne peuvent être identiques");
      return false;
    }
    if (!LireAxe(textes[k], axes[k])) {
      Avertir("Axe incorrect : " + textes[k] + " (A de 1 à 19, 21 ou 22 ; B de 2 à 19 ou de 21 à 23)");
      return false;
    }
    if (k == 0 && (axes[0].p1 != 1 || axes[0].p2 != 1)) {
      Avertir("Le premier axe est le Soleil : 1");
      return false;
    }
  }
  return true;
}

}  // namespace

int CommandeMandala(const Appel& a) {
  std::array<AxeMandala, 3> axes = AxesMandalaDefaut;
  OptionsLues lues;
  const int statut =
      PreparerThemeNatal(a, {{"--axes", [&](const std::string& valeur) { return LireAxes(valeur, axes); }}}, lues);
  if (statut != 0) return statut;
  const CalculMandala m = CalculerMandala(LongitudesDuMandala(), axes);
  if (lues.Present("--pdf")) {
    // The window's checks before its page: axes far enough apart, the background picture read.
    const std::string refus = VerifierSeparationAxes(m.positions);
    if (!refus.empty()) {
      Avertir(refus);
      return 2;
    }
    const auto application = OuvrirApplicationHorsEcran();
    if (!application) return 2;
    QImage fond;
    std::string message;
    if (!LireFondMandala(QString::fromStdString(DossierDuProgramme().string()), fond, message)) {
      Avertir(message);
      return 2;
    }
    const DocumentImprime d = DocumentMandala(fond, m, std::string(Etat().NomAffiche.Texte()),
                                              LignesCachet(ContexteDuTheme(Etat())), lues.Present("--bw"));
    if (!EcrirePdfDemande(d, lues)) return 2;
  }
  std::string s = "kind,axis,body1,body2,value,offset_deg\n";
  for (int k = 1; k <= 3; ++k)
    for (const LigneEncadrante& l : m.listes[static_cast<std::size_t>(k - 1)])
      s += "frame," + std::to_string(k) + "," + std::to_string(l.corps1) + "," + std::to_string(l.corps2) + "," +
           Nombre6(l.positionDeg) + "," + Nombre6(l.distanceDeg) + "\n";
  for (int k = 1; k <= 3; ++k) {
    for (int b = 1; b <= 18; ++b)
      s += "count," + std::to_string(k) + "," + std::to_string(b) + ",," + std::to_string(m.totaux.compte[b][k]) + ",\n";
    s += "threshold," + std::to_string(k) + ",,," + std::to_string(m.totaux.seuils[k]) + ",\n";
  }
  EcrireCsv(s, lues, ContexteDuTheme(Etat()));
  return 0;
}

}  // namespace selvane
