// AAF: records of chunks "#ID:" with comma-separated fields, "*" for unknown.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "birthdata/records/Controles.h"
#include "birthdata/records/Cp1252.h"
#include "birthdata/records/Echange.h"

namespace selvane {

namespace {

// Fields are trimmed of spaces and tabs.
std::string RognerChamp(std::string_view t) { return Rogner(t, " \t"); }

bool Inconnu(const std::string& champ) { return champ.empty() || champ == "*"; }

bool Chiffres(std::string_view t) {
  if (t.empty() || t.size() > 9) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

long Nombre(std::string_view t) { return std::atol(std::string(t).c_str()); }

std::vector<std::string> Champs(const std::string& texte) {
  std::vector<std::string> champs;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t p = texte.find(',', debut);
    champs.push_back(RognerChamp(texte.substr(debut, p == std::string::npos ? std::string::npos : p - debut)));
    if (p == std::string::npos) return champs;
    debut = p + 1;
  }
}

struct Morceau {
  std::string id;  // in capitals
  std::string texte;
};

struct FicheAaf {
  int ligne = 0;
  std::vector<Morceau> morceaux;  // the #A93 first
};

// "7.3.1952" (a year may be negative).
bool LireDate(const std::string& t, DateHeureLocale& d) {
  const std::size_t p1 = t.find('.');
  const std::size_t p2 = p1 == std::string::npos ? p1 : t.find('.', p1 + 1);
  if (p2 == std::string::npos) return false;
  const std::string_view j = std::string_view(t).substr(0, p1), m = std::string_view(t).substr(p1 + 1, p2 - p1 - 1);
  std::string_view a = std::string_view(t).substr(p2 + 1);
  const bool negative = !a.empty() && a[0] == '-';
  if (negative) a.remove_prefix(1);
  if (!Chiffres(j) || !Chiffres(m) || !Chiffres(a) || j.size() > 2 || m.size() > 2 || a.size() > 4) return false;
  d.jour = static_cast<int>(Nombre(j));
  d.mois = static_cast<int>(Nombre(m));
  d.annee = static_cast<int>(negative ? -Nombre(a) : Nombre(a));
  return true;
}

// "14:05" or "14:05:30".
bool LireHeure(const std::string& t, DateHeureLocale& d) {
  std::vector<std::string_view> parties;
  std::size_t debut = 0;
  for (;;) {
    const std::size_t p = t.find(':', debut);
    parties.push_back(std::string_view(t).substr(debut, p == std::string::npos ? std::string::npos : p - debut));
    if (p == std::string::npos) break;
    debut = p + 1;
  }
  if (parties.size() < 2 || parties.size() > 3) return false;
  for (std::string_view p : parties)
    if (!Chiffres(p) || p.size() > 2) return false;
  d.heures = static_cast<int>(Nombre(parties[0]));
  d.minutes = static_cast<int>(Nombre(parties[1]));
  d.secondes = parties.size() == 3 ? static_cast<int>(Nombre(parties[2])) : 0;
  return d.heures < 24 && d.minutes < 60 && d.secondes < 60;
}

// "49n05", "8e11", "33s52:30": the D.MM text of the record, minutes rounded.
// `limite`: degrees the value must stay below (latitude), or may reach (longitude, `atteinte`).
bool LireCoordonnee(const std::string& t, const char* lettres, long limite, bool atteinte, std::string& sortie) {
  const std::size_t p = t.find_first_of(lettres);
  if (p == std::string::npos) return false;
  const std::string_view degres = std::string_view(t).substr(0, p);
  std::string_view reste = std::string_view(t).substr(p + 1);
  std::string_view secondes;
  const std::size_t deuxPoints = reste.find(':');
  if (deuxPoints != std::string_view::npos) {
    secondes = reste.substr(deuxPoints + 1);
    reste = reste.substr(0, deuxPoints);
    if (!Chiffres(secondes) || secondes.size() > 2 || Nombre(secondes) >= 60) return false;
  }
  if (!Chiffres(degres) || degres.size() > 3 || (!reste.empty() && (!Chiffres(reste) || reste.size() > 2)) ||
      Nombre(reste) >= 60)
    return false;
  long d = Nombre(degres);
  long m = std::lround(Nombre(reste) + Nombre(secondes) / 60.0);
  if (m == 60) {
    d += 1;
    m = 0;
  }
  if (atteinte ? (d > limite || (d == limite && m > 0)) : d >= limite) return false;
  const bool negatif = (t[p] == lettres[1] || t[p] == lettres[3]) && (d > 0 || m > 0);
  char texte[16];
  std::snprintf(texte, sizeof texte, "%s%ld.%02ld", negatif ? "-" : "", d, m);
  sortie = texte;
  return true;
}

// Zone "1he", "1he00", "5hw30", and the local mean time "0e21:48" (no "h"):
// seconds east; `moyen` tells the local mean time.
bool LireZone(const std::string& t, long& secondes, bool& moyen) {
  const std::size_t p = t.find_first_of("eEwW");
  if (p == std::string::npos || p == 0) return false;
  std::string_view heures = std::string_view(t).substr(0, p);
  moyen = !(heures.back() == 'h' || heures.back() == 'H');
  if (!moyen) heures.remove_suffix(1);
  std::string_view minutes = std::string_view(t).substr(p + 1), sec;
  const std::size_t deuxPoints = minutes.find(':');
  if (deuxPoints != std::string_view::npos) {
    sec = minutes.substr(deuxPoints + 1);
    minutes = minutes.substr(0, deuxPoints);
    if (!Chiffres(sec) || sec.size() > 2 || Nombre(sec) >= 60) return false;
  }
  if (!Chiffres(heures) || heures.size() > 2) return false;
  if (!minutes.empty() && (!Chiffres(minutes) || minutes.size() > 2 || Nombre(minutes) >= 60)) return false;
  const long s = Nombre(heures) * 3600 + Nombre(minutes) * 60 + Nombre(sec);
  secondes = (t[p] == 'w' || t[p] == 'W') ? -s : s;
  return true;
}

std::string TexteDate(const DateHeureLocale& d) {
  char texte[32];
  if (d.annee < 0)
    std::snprintf(texte, sizeof texte, "%02d/%02d/-%03d", d.jour, d.mois, -d.annee);
  else
    std::snprintf(texte, sizeof texte, "%02d/%02d/%04d", d.jour, d.mois, d.annee);
  return texte;
}

std::string TexteHeure(const DateHeureLocale& d) {
  char texte[32];
  std::snprintf(texte, sizeof texte, "%02dh%02dm%02d", d.heures, d.minutes, d.secondes);
  return texte;
}

// One record read: the record to insert, or the reason it is refused; notes for the report.
std::string LireFiche(const FicheAaf& a, const CompletionEchange* c, FicheClient& fiche, std::vector<std::string>& notes,
                      std::string& nom) {
  const std::vector<std::string> a93 = Champs(a.morceaux[0].texte);
  if (a93.size() < 7) return "#A93 : 7 champs attendus, " + std::to_string(a93.size()) + " trouvés";
  const std::string famille = RognerChamp(SansControles(a93[0])), prenom = RognerChamp(SansControles(a93[1]));
  nom = Inconnu(famille) ? "" : famille;
  if (!Inconnu(prenom)) nom += "," + prenom;
  if (RognerChamp(SansControles(nom)).empty()) return "le nom est vide";
  // A place may hold commas: it is everything between the time and the country.
  std::string lieu;
  for (std::size_t i = 5; i + 1 < a93.size(); ++i) lieu += (i > 5 ? "," : "") + a93[i];
  if (lieu == "*") lieu.clear();
  const std::string pays = a93.back();

  DateHeureLocale dh;
  const bool dateConnue = !Inconnu(a93[3]), heureConnue = !Inconnu(a93[4]);
  if (dateConnue && !LireDate(a93[3], dh)) return "date illisible « " + a93[3] + " »";
  if (heureConnue && !LireHeure(a93[4], dh)) return "heure illisible « " + a93[4] + " »";

  std::vector<std::string> b93(5, "*");
  std::string commentaire;
  bool avecB93 = false;
  for (std::size_t k = 1; k < a.morceaux.size(); ++k) {
    const Morceau& m = a.morceaux[k];
    if (m.id == "B93" && !avecB93) {
      avecB93 = true;
      const std::vector<std::string> champs = Champs(m.texte);
      for (std::size_t i = 0; i < champs.size() && i < 5; ++i) b93[i] = champs[i];
    } else if (m.id == "COM") {
      const std::string t = RognerChamp(m.texte);
      if (!t.empty()) commentaire += (commentaire.empty() ? "" : " ") + t;
    }
  }

  double jj = 0;
  const bool jjConnu = !Inconnu(b93[0]);
  if (jjConnu && (!LireNombreExact(b93[0], jj) || !std::isfinite(jj) || jj < 0 || jj > 1e8))
    return "#B93 : jour julien illisible « " + b93[0] + " »";
  std::string lat, lon;
  if (!Inconnu(b93[1]) && !LireCoordonnee(b93[1], "nsNS", 90, false, lat)) return "#B93 : latitude illisible « " + b93[1] + " »";
  if (!Inconnu(b93[2]) && !LireCoordonnee(b93[2], "ewEW", 180, true, lon))
    return "#B93 : longitude illisible « " + b93[2] + " »";
  long decalage = 0;
  bool zoneConnue = false;
  if (!Inconnu(b93[3]) && !Inconnu(b93[4])) {
    bool moyen = false;
    if (!LireZone(b93[3], decalage, moyen)) return "#B93 : fuseau illisible « " + b93[3] + " »";
    // Summer time: a digit counts hours; a letter tells local or mean time, as typed.
    const std::string& ete = b93[4];
    if (ete.size() != 1) return "#B93 : heure d'été illisible « " + ete + " »";
    if (ete[0] >= '0' && ete[0] <= '9') decalage += (ete[0] - '0') * 3600L;
    else if (!std::isalpha(static_cast<unsigned char>(ete[0]))) return "#B93 : heure d'été illisible « " + ete + " »";
    zoneConnue = true;
  }

  // Without a date and time the Julian day gives them, once the zone is known.
  if ((!dateConnue || !heureConnue) && !(jjConnu && zoneConnue)) return "date ou heure inconnue";
  if (!dateConnue || !heureConnue) {
    const std::optional<DateHeureLocale> d = c ? c->DateLocale(jj, decalage) : std::nullopt;
    if (!d) return "date ou heure inconnue";
    dh = *d;
  }

  if (lat.empty() || lon.empty() || !zoneConnue) {
    std::string pourquoi = "pas d'atlas";
    const std::optional<LieuTrouve> l =
        c && !lieu.empty() ? c->Placer(lieu, pays, dh, pourquoi) : std::nullopt;
    if (lieu.empty()) pourquoi = "lieu inconnu";
    if (!l) return "ne peut être placée (" + pourquoi + ")";
    std::string pris;
    if (lat.empty() || lon.empty()) {
      lat = l->lat;
      lon = l->lon;
      pris = "coordonnées " + l->lat + " " + l->lon;
    }
    if (!zoneConnue) {
      if (!LireDecalage(l->fuseau, decalage)) return "ne peut être placée (fuseau « " + l->fuseau + " »)";
      zoneConnue = true;
      pris += (pris.empty() ? "" : ", ") + std::string("fuseau ") + l->fuseau;
      if (!l->alarme.empty()) notes.push_back(l->alarme);
    }
    notes.insert(notes.begin(), "complétée par l'atlas : " + l->source + ", " + pris);
  }

  // The Julian day wins over a civil time it disagrees with by more than a minute.
  if (jjConnu && dateConnue && heureConnue && c) {
    const std::optional<double> civil = c->JourJulien(dh, decalage);
    if (civil && std::fabs(*civil - jj) * 1440.0 > 1.0) {
      const std::optional<DateHeureLocale> d = c->DateLocale(jj, decalage);
      if (d) {
        notes.push_back("le jour julien " + b93[0] + " ne correspond pas à " + TexteDate(dh) + " " + TexteHeure(dh) +
                        " : " + TexteDate(*d) + " " + TexteHeure(*d) + " retenu");
        dh = *d;
      }
    }
  }

  fiche = FicheDesChamps(nom, TexteDate(dh), TexteHeure(dh), lieu, lat, lon, TexteDecalage(decalage), commentaire);
  std::string erreur = ErreurFiche(fiche);
  if (erreur.empty() && c) erreur = c->Controler(fiche);
  if (!erreur.empty()) return erreur;
  for (const std::string* champ : {&nom, &lieu, &commentaire}) {
    const std::string h = AvertissementHors1252(RognerChamp(*champ));
    if (!h.empty()) notes.push_back(h);
  }
  if (Utf8VersCp1252(RognerChamp(SansControles(commentaire))).size() > 80) notes.push_back("commentaire coupé à 80 caractères");
  return "";
}

// --- Writing ------------------------------------------------------------------

// A field as AAF holds it: no commas (they separate fields), no line ends, "*"
// when empty; a text that is "*" itself, which AAF would read as unknown, is
// written "?" as a character the file cannot hold would be.
std::string ChampAaf(std::string_view t, bool virgules = false) {
  std::string s = RognerChamp(SansControles(t));
  if (!virgules)
    for (char& ch : s)
      if (ch == ',') ch = ';';
  if (s == "*") return "?";
  return s.empty() ? "*" : s;
}

bool DateDeFiche(const FicheClient& f, DateHeureLocale& d) {
  const std::string_view date = f.Date.Texte(), heure = f.Heure.Texte();
  if (!DateValide(date) || !HeureValide(heure)) return false;
  int j = 0, m = 0, a = 0, h = 0, mi = 0, s = 0;
  Entier(Tranche(date, 0, 2), j);
  Entier(Tranche(date, 3, 2), m);
  Entier(Tranche(date, 6, 4), a);
  Entier(Tranche(heure, 0, 2), h);
  Entier(Tranche(heure, 3, 2), mi);
  if (heure.size() > 5) Entier(Tranche(heure, 6, 2), s);
  d = {j, m, a, h, mi, s};
  return true;
}

// D.MM text to "49n05" / "8e11"; "*" when it is not a coordinate.
std::string CoordonneeAaf(std::string_view texte, const char* lettres, bool latitude) {
  if (!(latitude ? ErreurLatitude(texte) : ErreurLongitude(texte)).empty()) return "*";
  double v = 0;
  LireNombreExact(texte, v);
  char s[48];
  std::snprintf(s, sizeof s, "%ld%c%02ld", static_cast<long>(std::trunc(std::fabs(v))), v < 0 ? lettres[1] : lettres[0],
                MinutesDegMin(v));
  return s;
}

std::string ZoneAaf(long secondes) {
  const long a = std::labs(secondes);
  const char sens = secondes < 0 ? 'w' : 'e';
  char s[64];
  if (a % 60 == 0)
    std::snprintf(s, sizeof s, "%ldh%c%02ld", a / 3600, sens, (a / 60) % 60);
  else  // seconds of time: a local mean time
    std::snprintf(s, sizeof s, "%ld%c%02ld:%02ld", a / 3600, sens, (a / 60) % 60, a % 60);
  return s;
}

}  // namespace

LectureEchange LireAaf(std::string_view brut, const CompletionEchange* completion) {
  LectureEchange r;
  const std::string texte = TexteEnUtf8(brut);
  std::vector<FicheAaf> fiches;
  Morceau* dernier = nullptr;  // the chunk a continuation line goes on
  Morceau horsFiche;           // chunks before the first record go nowhere
  int numero = 0;
  for (std::size_t debut = 0; debut < texte.size();) {
    std::size_t fin = texte.find_first_of("\r\n", debut);
    if (fin == std::string::npos) fin = texte.size();
    const std::string ligne = texte.substr(debut, fin - debut);
    debut = fin + (texte.compare(fin, 2, "\r\n") == 0 ? 2 : 1);
    ++numero;
    if (ligne.rfind("#:", 0) == 0) continue;  // a comment
    if (!ligne.empty() && ligne[0] == '#') {
      const std::size_t deuxPoints = ligne.find(':');
      if (deuxPoints == std::string::npos) {
        dernier = nullptr;
        continue;
      }
      Morceau m;
      for (char ch : ligne.substr(1, deuxPoints - 1)) m.id += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
      m.texte = ligne.substr(deuxPoints + 1);
      if (m.id == "A93") fiches.push_back({numero, {}});
      if (fiches.empty()) {
        horsFiche = m;
        dernier = &horsFiche;
        continue;
      }
      fiches.back().morceaux.push_back(std::move(m));
      dernier = &fiches.back().morceaux.back();
    } else if (dernier && !RognerChamp(ligne).empty()) {
      dernier->texte += " " + RognerChamp(ligne);
    }
  }
  if (fiches.empty()) {
    r.erreur = "Aucune fiche AAF (ligne #A93:) dans ce texte : rien n'est importé";
    return r;
  }
  for (const FicheAaf& a : fiches) {
    FicheClient f;
    std::vector<std::string> notes;
    std::string nom;
    const std::string refus = LireFiche(a, completion, f, notes, nom);
    const std::string entete = "Ligne " + std::to_string(a.ligne) + (nom.empty() ? "" : ", " + nom) + " : ";
    if (!refus.empty()) {
      r.rapport.push_back(entete + "non importée : " + refus);
      ++r.refusees;
      continue;
    }
    for (const std::string& n : notes) r.rapport.push_back(entete + n);
    r.fiches.push_back(f);
  }
  return r;
}

std::string EcrireAaf(const std::vector<FicheClient>& fiches, const CompletionEchange* completion, bool utf8) {
  std::string s;  // Windows-1252 until the end
  for (const FicheClient& f : fiches) {
    const std::string_view nom = f.Nom.Texte();
    const std::size_t virgule = nom.find(',');
    const std::string_view famille = nom.substr(0, virgule);
    const std::string prenom = virgule == std::string_view::npos ? "*" : ChampAaf(nom.substr(virgule + 1));
    DateHeureLocale d;
    const bool dateLue = DateDeFiche(f, d);
    std::string date = "*", heure = "*";
    if (dateLue) {
      char t[32];
      std::snprintf(t, sizeof t, "%d.%d.%d", d.jour, d.mois, d.annee);
      date = t;
      if (d.secondes == 0) std::snprintf(t, sizeof t, "%d:%02d", d.heures, d.minutes);
      else std::snprintf(t, sizeof t, "%d:%02d:%02d", d.heures, d.minutes, d.secondes);
      heure = t;
    }
    s += "#A93:" + ChampAaf(famille) + "," + prenom + ",*," + date + "," + heure + "," + ChampAaf(f.Ville.Texte(), true) +
         ",*\r\n";

    long decalage = 0;
    const bool zoneLue = LireDecalage(f.Fuseau.Texte(), decalage);
    std::string jj = "*", zone = "*", ete = "*", abreviation;
    if (zoneLue) {
      const std::optional<double> j = completion && dateLue ? completion->JourJulien(d, decalage) : std::nullopt;
      if (j) {
        char t[32];
        std::snprintf(t, sizeof t, "%.6f", *j);
        jj = t;
      }
      const std::optional<SourceFuseau> source = completion ? completion->Source(f) : std::nullopt;
      const bool heureEte = source && source->ete;
      if (source) abreviation = source->abreviation;
      zone = ZoneAaf(heureEte ? decalage - 3600 : decalage);
      ete = heureEte ? "1" : (decalage % 60 != 0 ? "L" : "0");
    }
    s += "#B93:" + jj + "," + CoordonneeAaf(f.Lat.Texte(), "ns", true) + "," + CoordonneeAaf(f.Long.Texte(), "ew", false) +
         "," + zone + "," + ete + "\r\n";
    if (!abreviation.empty()) s += "#ZNAM:" + ChampAaf(abreviation, true) + "\r\n";
    if (!f.Commentaire.Vide()) s += "#COM:" + RognerChamp(SansControles(f.Commentaire.Texte())) + "\r\n";
  }
  return utf8 ? Cp1252VersUtf8(s) : s;
}

}  // namespace selvane
