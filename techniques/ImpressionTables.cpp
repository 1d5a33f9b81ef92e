#include "techniques/ImpressionTables.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "core/Catalogue.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

double Largeur(QPainter& p, const QFont& f, const char* texte) {
  return QFontMetricsF(f, p.device()).horizontalAdvance(texte);
}
double Hauteur(QPainter& p, const QFont& f) { return QFontMetricsF(f, p.device()).height(); }

// Text with its top-left corner at (x, y), as the page layouts are stated.
void Ecrire(QPainter& p, const QFont& f, double x, double y, const QString& texte) {
  p.setFont(f);
  p.drawText(QPointF(x, y + QFontMetricsF(f, p.device()).ascent()), texte);
}

}  // namespace

void ImprimerEphemerides(QPainter& p, const std::vector<LigneEphemeride>& lignes, int annee, int mois) {
  const QFont glyphes7 = Police("Celvan S", 7), glyphes8 = Police("Celvan S", 8);
  const QFont arial = Police("Arial", 11), arialGras = Police("Arial", 11, true);
  // The columns are 5 widths of "A" apart; with glyphs narrower than the cells'
  // texts the width grows so that no cell runs into the next one.
  double w = Largeur(p, glyphes7, "A");
  const QFontMetricsF mg(glyphes7, p.device()), ma(arial, p.device());
  for (const LigneEphemeride& l : lignes) {
    w = std::max(w, 1.1 * ma.horizontalAdvance(Texte(l.etiquette)) / 5);
    for (const CelluleEphemeride& c : l.cellules) w = std::max(w, 1.1 * mg.horizontalAdvance(Texte(c.texte)) / 5);
  }
  const double L = 1.2 * Hauteur(p, arial);
  const double decalage = (Hauteur(p, glyphes7) - Hauteur(p, arial)) / 2;
  auto x = [&](int k) { return k == 0 ? 4 * w : 4 * w + 5 * w * k; };
  p.setPen(Qt::black);
  Ecrire(p, arialGras, 4 * w, 2 * L, Texte(TitreEphemerides(annee, mois)));
  const double avance = mois == 0 ? 2 * w / 3 : 3 * w / 2;
  for (int k = 1; k <= 14; ++k)
    Ecrire(p, glyphes8, x(k) + avance, 4 * L - decalage, Glyphe(LettresCorps[static_cast<std::size_t>(CorpsEphemeridesRapides[static_cast<std::size_t>(k - 1)])]));
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    const double y = (5 + static_cast<double>(i)) * L;
    Ecrire(p, arial, x(0), y, Texte(lignes[i].etiquette));
    for (int k = 1; k <= 14; ++k)
      Ecrire(p, glyphes7, x(k), y - decalage, Texte(lignes[i].cellules[static_cast<std::size_t>(k - 1)].texte));
  }
}

void ImprimerLunaisons(QPainter& p, double hauteurPage, const std::vector<LigneEvenement>& lignes) {
  const QFont arial9 = Police("Arial", 9), gras = Police("Arial", 9, true), arial8 = Police("Arial", 8);
  const QFont glyphes6 = Police("Celvan S", 6);
  const double u = Largeur(p, arial9, "A");
  const double h = Hauteur(p, arial9);
  const double entete = 1.3 * h;
  p.setPen(Qt::black);
  Ecrire(p, gras, 5 * u, entete, QString::fromUtf8("Lunaisons et éclipses"));
  const struct {
    const char* texte;
    int x;
  } tetes[] = {{"Soleil", 9}, {"Lune", 16}, {"Date & heure (TU)", 23}, {"  90°", 39}, {"  45°", 46}, {"22°30", 53}};
  for (const auto& t : tetes) Ecrire(p, arial9, t.x * u, 2 * entete, QString::fromUtf8(t.texte));
  p.setPen(QPen(Qt::black, 3));
  p.drawLine(QPointF(5 * u, 3 * entete + h / 2), QPointF(59 * u, 3 * entete + h / 2));
  p.setPen(Qt::black);
  // The longest list the window prints must fit whole: below the header the rows close up
  // when 1.2 lines each would run past the page's last line.
  const double place = hauteurPage - 4 * entete - 1.5 * h;
  const double ligne =
      lignes.empty() ? 1.2 * h : std::min(1.2 * h, place / static_cast<double>(lignes.size()));
  const double abaisse = (Hauteur(p, arial8) - Hauteur(p, glyphes6)) / 2;
  static const int xs[7] = {5, 9, 16, 23, 39, 46, 53};
  for (std::size_t i = 0; i < lignes.size(); ++i) {
    const double y = 4 * entete + static_cast<double>(i) * ligne;
    for (int c = 0; c < 7; ++c) {
      const QString t = Texte(lignes[i].colonnes[static_cast<std::size_t>(c)]);
      if (c < 3) Ecrire(p, glyphes6, xs[c] * u, y + abaisse, t);
      else Ecrire(p, arial8, xs[c] * u, y, t);
    }
  }
}

void ImprimerSequences(QPainter& p, const EnteteSequences& e, const std::vector<PointSequence>& points,
                       const std::vector<Sequence>& sequences) {
  const QFont arial = Police("Arial", 12), gras = Police("Arial", 12, true);
  const QFont arial10 = Police("Arial", 10), gras9 = Police("Arial", 9, true), glyphes8 = Police("Celvan S", 8);
  const double w = Largeur(p, arial, "A");
  const double rh = std::nearbyint(1.3 * Hauteur(p, arial));
  auto y = [&](int ligne) { return ligne * rh; };  // line 1 at the top margin rh
  p.setPen(Qt::black);
  Ecrire(p, gras, 5 * w, y(1), Texte(e.nom) + QString::fromUtf8(" : séquences planétaires"));
  Ecrire(p, arial, 5 * w, y(2), Texte(e.fichier));
  Ecrire(p, arial, 5 * w, y(3), Texte(e.dateHeure));
  Ecrire(p, arial, 5 * w, y(4), Texte(e.lieu));
  Ecrire(p, gras9, 5 * w, y(6), "Positions  (H16)");
  Ecrire(p, gras9, 23 * w, y(6), QString::fromUtf8("Séquence (Orbe = ") + Texte(e.orbe) + ")");
  for (std::size_t i = 0; i < points.size(); ++i) {
    const double yy = (static_cast<double>(i) + 7) * rh + rh;
    Ecrire(p, glyphes8, 5 * w, yy, Glyphe(LettresCorps[static_cast<std::size_t>(points[i].corps)]));
    Ecrire(p, arial10, 9 * w, yy, Texte(points[i].position));
  }
  for (std::size_t i = 0; i < sequences.size(); ++i) {
    const double yy = (static_cast<double>(i) + 7) * rh + rh;
    Ecrire(p, arial10, 23 * w, yy, QString::number(sequences[i].numero));
    Ecrire(p, glyphes8, 27 * w, yy, Texte(sequences[i].texte));
  }
}

DocumentImprime DocumentEphemerides(const std::vector<LigneEphemeride>& lignes, int annee, int mois,
                                    const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [lignes, annee, mois](QPainter& p, const QRectF&, int) { ImprimerEphemerides(p, lignes, annee, mois); };
  return d;
}

DocumentImprime DocumentLunaisons(const std::vector<LigneEvenement>& lignes, const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [lignes](QPainter& p, const QRectF& zone, int) { ImprimerLunaisons(p, zone.height(), lignes); };
  return d;
}

std::string TexteOrbeSequences(double orbe) { return orbe == 1 ? "1\xB0" : "30'"; }

EnteteSequences EnteteDesSequences(const EtatTheme& e, double orbe) {
  return {std::string(e.NomAffiche.Texte()), std::string(e.NomFichierNaissance.Texte()),
          std::string(e.LigneDateHeure.Texte()),
          std::string(e.FicheEnCours.Ville.Texte()) + " : " + std::string(e.LigneCoordonnees.Texte()),
          TexteOrbeSequences(orbe)};
}

DocumentImprime DocumentSequences(const EnteteSequences& entete, const std::vector<PointSequence>& points,
                                  const std::vector<Sequence>& sequences, const QStringList& cachet) {
  DocumentImprime d;
  d.cachet = cachet;
  d.peindre = [entete, points, sequences](QPainter& p, const QRectF&, int) {
    ImprimerSequences(p, entete, points, sequences);
  };
  return d;
}

Feuille FeuilleEphemerides(const std::vector<LigneEphemeride>& lignes, int annee, int mois) {
  Feuille f;
  f.titres << Texte(TitreEphemerides(annee, mois));
  f.colonnes.push_back({"", 10});
  for (int corps : CorpsEphemeridesRapides)
    f.colonnes.push_back({Glyphe(LettresCorps[static_cast<std::size_t>(corps)]), 10, Qt::AlignLeft, true, true});
  for (const LigneEphemeride& l : lignes) {
    QStringList r{Texte(l.etiquette)};
    for (const CelluleEphemeride& c : l.cellules) r << Texte(c.texte);
    f.lignes.push_back(r);
  }
  return f;
}

Feuille FeuilleLunaisons(const std::vector<LigneEvenement>& lignes) {
  Feuille f;
  f.titres << QString::fromUtf8("Lunaisons et éclipses");
  f.colonnes = {{"", 7, Qt::AlignLeft, true},
                {"Soleil", 7, Qt::AlignLeft, true},
                {"Lune", 7, Qt::AlignLeft, true},
                {"Date & heure (TU)", 18},
                {QString::fromUtf8("90°"), 12},
                {QString::fromUtf8("45°"), 12},
                {"22°30", 12},
                {"", 0}};
  for (const LigneEvenement& l : lignes) {
    QStringList r;
    for (const std::string& c : l.colonnes) r << Texte(c);
    f.lignes.push_back(r);
  }
  return f;
}

Feuille FeuillePointsSequences(const std::vector<PointSequence>& points) {
  Feuille f;
  f.titres << "Positions  (H16)";
  f.colonnes = {{"", 4, Qt::AlignLeft, true}, {"Position H16", 11}};
  for (const PointSequence& p : points)
    f.lignes.push_back({Glyphe(LettresCorps[static_cast<std::size_t>(p.corps)]), Texte(p.position)});
  return f;
}

Feuille FeuilleSequences(const std::vector<Sequence>& sequences, const std::string& orbe) {
  Feuille f;
  f.titres << QString::fromUtf8("Séquence (Orbe = ") + Texte(orbe) + ")";
  f.colonnes = {{QString::fromUtf8("N°"), 4}, {QString::fromUtf8("     Séquence"), 20, Qt::AlignLeft, true}};
  for (const Sequence& s : sequences) f.lignes.push_back({QString::number(s.numero), Texte(s.texte)});
  return f;
}

}  // namespace selvane
