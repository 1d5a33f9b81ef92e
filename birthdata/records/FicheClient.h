#pragma once
// The birth record: nine short strings, 265 bytes in a birth file.
#include "birthdata/records/ChaineCourte.h"

namespace selvane {

struct FicheClient {
  ChaineCourte<36> Nom;
  ChaineCourte<30> SortOrder;
  ChaineCourte<10> Date;         // dd/mm/yyyy
  ChaineCourte<8> Heure;         // 14h05m30
  ChaineCourte<70> Ville;
  ChaineCourte<6> Lat;           // D.MM, "-" for south
  ChaineCourte<7> Long;          // D.MM, "-" for west
  ChaineCourte<9> Fuseau;        // HH.MM.SS east positive, "0" for Universal Time
  ChaineCourte<80> Commentaire;

  static constexpr std::size_t TailleEnregistrement = 265;

  friend bool operator==(const FicheClient& a, const FicheClient& b) {
    return a.Nom == b.Nom && a.SortOrder == b.SortOrder && a.Date == b.Date &&
           a.Heure == b.Heure && a.Ville == b.Ville && a.Lat == b.Lat && a.Long == b.Long &&
           a.Fuseau == b.Fuseau && a.Commentaire == b.Commentaire;
  }
};

static_assert(sizeof(FicheClient) == FicheClient::TailleEnregistrement,
              "the fields must pack like the file record");

}  // namespace selvane
