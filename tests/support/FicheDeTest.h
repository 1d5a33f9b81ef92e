#pragma once
// A birth record for tests: a complete Paris record of 1952 unless told otherwise.
#include "birthdata/records/CleTri.h"
#include "birthdata/records/FicheClient.h"

namespace selvane {

class FicheDeTest {
 public:
  explicit FicheDeTest(const char* nom = "DUPONT,Jean") {
    f_.Nom = nom;
    f_.Date = "07/03/1952";
    f_.Heure = "14h05m30";
    f_.Ville = "Paris";
    f_.Lat = "48.52";
    f_.Long = "2.20";
    f_.Fuseau = "01.00.00";
    f_.Commentaire = "essai";
  }
  FicheDeTest& Date(const char* t) { f_.Date = t; return *this; }
  FicheDeTest& Heure(const char* t) { f_.Heure = t; return *this; }
  FicheDeTest& Ville(const char* t) { f_.Ville = t; return *this; }
  FicheDeTest& Lieu(const char* lat, const char* lon) { f_.Lat = lat; f_.Long = lon; return *this; }
  FicheDeTest& Fuseau(const char* t) { f_.Fuseau = t; return *this; }
  FicheDeTest& Commentaire(const char* t) { f_.Commentaire = t; return *this; }
  // The sort key a save computes from the name.
  FicheDeTest& AvecCle() { f_.SortOrder = CleDeTri(f_.Nom.Texte()); return *this; }
  operator FicheClient() const { return f_; }
  const FicheClient& Fiche() const { return f_; }

 private:
  FicheClient f_;
};

}  // namespace selvane
