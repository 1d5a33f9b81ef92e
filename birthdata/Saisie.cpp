#include "birthdata/Saisie.h"

#include <cmath>

#include "core/Avertissements.h"
#include "birthdata/records/CleTri.h"
#include "birthdata/records/Controles.h"
#include "core/Conversions.h"
#include "birthdata/records/Cp1252.h"

namespace selvane {

namespace {


bool Valide(const std::string& erreur) {
  if (erreur.empty()) return true;
  Avertir(erreur);
  return false;
}

}  // namespace

std::string ErreurDate(std::string_view date) {
  return DateValide(Utf8VersCp1252(date)) ? "" : std::string(date) + " : date incorrecte";
}

std::string ErreurHeure(std::string_view heure) {
  return HeureValide(Utf8VersCp1252(heure)) ? "" : std::string(heure) + " : heure incorrecte";
}

std::string ControlerFuseau(std::string_view fuseau, std::string_view longitude, std::string& remplacement) {
  remplacement.clear();
  const std::string z = Rogner(fuseau);
  if (z.empty()) return "";
  if (z[0] == 'L' || z[0] == 'l') {
    remplacement = LongitudeVersFuseau(longitude);
    return "";
  }
  return ErreurCaracteresFuseau(Utf8VersCp1252(z));
}

bool NormaliserFuseau(SaisieNaissance& s) {
  const std::string z = Rogner(s.fuseau);
  if (z.empty()) {
    Avertir("Vous n'avez pas entré/sélectionné de valeur pour le fuseau. Entrez 0\r\n"
            "pour calculer le thème pour l'heure GMT.\r\n\r\n");
    return false;
  }
  std::string remplacement;
  if (!Valide(ControlerFuseau(z, Utf8VersCp1252(s.lon), remplacement))) return false;
  if (!remplacement.empty()) {
    s.fuseau = remplacement;
    return true;
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
  if (!Valide(ErreurDate(s.date)) || !Valide(ErreurHeure(s.heure))) return false;
  if (!LatitudeValide(Utf8VersCp1252(s.lat)) || !LongitudeValide(Utf8VersCp1252(s.lon))) return false;
  return NormaliserFuseau(s);
}

std::string HeureComplete(std::string_view heuresMinutes, std::string_view secondes) {
  return std::string(heuresMinutes) + "m" + (secondes.empty() ? std::string("00") : std::string(secondes));
}

std::string AvertissementSaisieHors1252(const SaisieNaissance& s) {
  std::string texte;
  for (const std::string* champ : {&s.nom, &s.date, &s.heure, &s.ville, &s.lat, &s.lon, &s.fuseau, &s.commentaire}) {
    const std::string a = AvertissementHors1252(Rogner(*champ));
    if (!a.empty()) texte += (texte.empty() ? "" : "\n") + a;
  }
  return texte;
}

FicheClient FicheSaisie(const SaisieNaissance& saisie) {
  // A tab or line end typed or pasted into a field has no place in a record.
  SaisieNaissance s = saisie;
  for (std::string* champ : {&s.nom, &s.date, &s.heure, &s.ville, &s.lat, &s.lon, &s.fuseau, &s.commentaire})
    *champ = SansControles(*champ);
  FicheClient f;
  f.Nom = ChaineCourte<36>::DepuisUtf8(Rogner(s.nom));
  f.SortOrder = CleDeTri(f.Nom.Texte());
  f.Date = ChaineCourte<10>::DepuisUtf8(s.date);
  f.Heure = ChaineCourte<8>::DepuisUtf8(s.heure);
  f.Ville = ChaineCourte<70>::DepuisUtf8(Rogner(s.ville));
  f.Lat = ChaineCourte<6>::DepuisUtf8(s.lat);
  f.Long = ChaineCourte<7>::DepuisUtf8(s.lon);
  f.Fuseau = ChaineCourte<9>::DepuisUtf8(Rogner(s.fuseau));
  f.Commentaire = ChaineCourte<80>::DepuisUtf8(Rogner(s.commentaire));
  return f;
}

int JourSemaineDeLaDate(std::string_view date) {
  if (!DateValide(date)) return -1;
  const double jour0 = DateHeureVersJourJulien(date, "", 0);
  return static_cast<int>(static_cast<long>(std::trunc(jour0 + 1.5 + 0.00001)) % 7);
}

}  // namespace selvane
