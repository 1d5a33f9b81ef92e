#include "ThemeDuMoment.h"

#include <cstdio>

#include "Calcul.h"
#include "Conversions.h"
#include "EtatTheme.h"

namespace selvane {

void CalculerThemeDuMoment(std::time_t instant) {
  std::tm local{};
  localtime_r(&instant, &local);
  char date[40];
  char heure[40];
  std::snprintf(date, sizeof date, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900);
  std::snprintf(heure, sizeof heure, "%02dh%02dm%02d", local.tm_hour, local.tm_min, local.tm_sec);
  FicheClient& f = Etat().FicheEnCours;
  f = FicheClient();
  f.Nom = ChaineCourte<36>::DepuisUtf8("Thème de l'heure");
  f.Date = date;
  f.Heure = heure;
  f.Ville = "Paris";
  f.Lat = "48.52";
  f.Long = "2.20";
  const int decalage = -DecalageHoraireSysteme();  // minutes east
  f.Fuseau = decalage == 0 ? std::string("0") : SecondesVersFuseau(decalage * 60.0);
  Etat().NomFichierNaissance = "Natal";
  CalculerTheme(EcartGlyphes8);
}

}  // namespace selvane
