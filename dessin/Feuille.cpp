#include "dessin/Feuille.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <memory>

#include "birthdata/records/Echange.h"
#include "core/Catalogue.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

QFont PoliceTexte() { return Police("Arial", 9); }
QFont PoliceGlyphes() { return Police("Celvan S", 8); }

struct Mesures {
  double a = 0, ligne = 0;
  double entete = 0;  // the titles and captions above the first row
};

Mesures Mesurer(const Feuille& f, const QPaintDevice* appareil) {
  const QFontMetricsF m(PoliceTexte(), appareil), g(PoliceGlyphes(), appareil);
  Mesures r;
  r.a = m.horizontalAdvance('A');
  r.ligne = 1.25 * std::max(m.height(), g.height());
  r.entete = (f.titres.size() + 1.5) * r.ligne + (f.titres.isEmpty() ? 0 : 0.5 * r.ligne);
  return r;
}

void PeindrePage(QPainter& p, const QRectF& zone, const Feuille& f, int premiere, int derniere) {
  const Mesures m = Mesurer(f, p.device());
  double y = zone.top();
  p.setPen(Qt::black);
  for (int i = 0; i < f.titres.size(); ++i) {
    p.setFont(Police("Arial", 10, i == 0));
    p.drawText(QRectF(zone.left(), y, zone.width(), m.ligne), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font(), p.device()).elidedText(f.titres[i], Qt::ElideRight, zone.width()));
    y += m.ligne;
  }
  if (!f.titres.isEmpty()) y += 0.5 * m.ligne;
  // Columns left to right, the last ones narrowed when the page is short of width.
  std::vector<QRectF> cases;
  double x = zone.left();
  for (const ColonneFeuille& c : f.colonnes) {
    const double w = std::min(c.largeur * m.a, std::max(0.0, zone.right() - x));
    cases.emplace_back(x, 0, w, m.ligne);
    x += w;
  }
  const auto ecrire = [&](int k, double haut, const QString& texte, bool gras) {
    const ColonneFeuille& c = f.colonnes[static_cast<std::size_t>(k)];
    QFont police = c.glyphes && !gras ? PoliceGlyphes() : PoliceTexte();
    police.setBold(gras);
    p.setFont(police);
    const QRectF r = cases[static_cast<std::size_t>(k)].translated(0, haut).adjusted(m.a / 4, 0, -m.a / 4, 0);
    p.drawText(r, c.alignement | Qt::AlignVCenter, QFontMetricsF(police, p.device()).elidedText(texte, Qt::ElideRight, r.width()));
  };
  for (std::size_t k = 0; k < f.colonnes.size(); ++k) ecrire(static_cast<int>(k), y, f.colonnes[k].titre, true);
  y += m.ligne;
  p.setPen(PlumeMm(p, Qt::black, 0.3));
  p.drawLine(QPointF(zone.left() + m.a / 4, y + 0.1 * m.ligne), QPointF(std::min(x, zone.right()) - m.a / 4, y + 0.1 * m.ligne));
  p.setPen(Qt::black);
  y += 0.4 * m.ligne;
  for (int i = premiere; i < derniere; ++i, y += m.ligne) {
    const QStringList& l = f.lignes[static_cast<std::size_t>(i)];
    for (int k = 0; k < static_cast<int>(f.colonnes.size()) && k < l.size(); ++k) ecrire(k, y, l[k], false);
  }
}

// The name of one symbol of the glyph font; empty for a character drawn as itself.
QString NomDuGlyphe(QChar c) {
  if (c.unicode() > 0xFF) return {};
  // Windows-1252 and Latin-1 agree on every glyph code (none lies in 0x80..0x9F).
  const char octet = static_cast<char>(c.unicode());
  for (int b = 1; b < static_cast<int>(NomsLongs.size()); ++b)
    if (LettresCorps[static_cast<std::size_t>(b)] == octet) return Texte(NomsLongs[static_cast<std::size_t>(b)]);
  if (octet == LettresCorps[MiPointSoleilLune]) return Texte(NomsLongs[Soleil]) + "/" + Texte(NomsLongs[Lune]);
  if (octet == '@') return "R";
  const int u = c.unicode();
  if (u >= LettreSigne(1) && u <= LettreSigne(12)) return Texte(AbrevSignes[static_cast<std::size_t>(u - LettreSigne(1) + 1)]);
  // The aspects 0..8 (conjunction .. opposition): the chart's glyphs from 186, the house frames' from "m".
  int aspect = -1;
  if (u >= 186 && u <= 194) aspect = u - 186;
  else if (u >= 'm' && u <= 'u') aspect = u - 'm';
  if (aspect >= 0)
    return QString::number(std::lround(AnglesAspects[static_cast<std::size_t>(aspect)] * RadEnDeg)) + QString::fromUtf8("°");
  return {};
}

// The cells of a row as the CSV and the clipboard give them.
QStringList CellulesLisibles(const Feuille& f, const QStringList& ligne) {
  QStringList r = ligne;
  for (int k = 0; k < r.size() && k < static_cast<int>(f.colonnes.size()); ++k)
    if (f.colonnes[static_cast<std::size_t>(k)].glyphes) r[k] = TexteLisible(r[k]);
  return r;
}

}  // namespace

QString TexteLisible(const QString& glyphes) {
  QString t;
  bool nomAvant = false;  // what was written last is a name
  for (QChar c : glyphes) {
    const QString nom = NomDuGlyphe(c);
    if (nom.isEmpty()) {
      if (nomAvant && c.isLetterOrNumber()) t += ' ';
      t += c;
      nomAvant = false;
      continue;
    }
    if (!t.isEmpty() && (nomAvant || t.back().isLetterOrNumber())) t += ' ';
    t += nom;
    nomAvant = true;
  }
  return t;
}

std::string CsvFeuille(const Feuille& f, const QStringList& cachet) {
  std::string s;
  for (const QString& l : CachetCsv(cachet)) s += "# " + l.toStdString() + "\n";
  const auto ligne = [&s](const QStringList& champs) {
    for (int i = 0; i < champs.size(); ++i) s += (i ? "," : "") + ChampCsvFiche(champs[i].toStdString());
    s += "\n";
  };
  QStringList titres;
  for (const ColonneFeuille& c : f.colonnes) titres << (c.titreGlyphes ? TexteLisible(c.titre) : c.titre);
  ligne(titres);
  for (const QStringList& l : f.lignes) ligne(CellulesLisibles(f, l));
  return s;
}

QString TexteFeuille(const Feuille& f) {
  QString t;
  for (const QStringList& l : f.lignes) t += CellulesLisibles(f, l).join('\t') + "\r\n";
  return t;
}

int LignesParPage(const Feuille& f, const QPaintDevice& appareil, double hauteur) {
  const Mesures m = Mesurer(f, &appareil);
  return std::max(1, static_cast<int>(std::floor((hauteur - m.entete) / m.ligne)));
}

DocumentImprime DocumentDeFeuille(const Feuille& f, const QStringList& cachet, bool paysage) {
  DocumentImprime d;
  d.paysage = paysage;
  d.cachet = cachet;
  const auto feuille = std::make_shared<const Feuille>(f);
  const int lignes = static_cast<int>(f.lignes.size());
  // The rows a page holds follow the page's height: the count is taken on the page printed.
  d.compterPages = [feuille, lignes](const QPaintDevice& appareil, const QRectF& zone) {
    const int n = LignesParPage(*feuille, appareil, zone.height());
    return std::max(1, (lignes + n - 1) / n);
  };
  const std::vector<PageTracee> a4 = TracerDocument(d, 300);
  d.pages = static_cast<int>(a4.size());
  d.peindre = [feuille, lignes](QPainter& p, const QRectF& zone, int page) {
    const int n = LignesParPage(*feuille, *p.device(), zone.height());
    PeindrePage(p, zone, *feuille, std::min(lignes, page * n), std::min(lignes, (page + 1) * n));
  };
  return d;
}

}  // namespace selvane
