#include "forecast/DessinTableMiPoints.h"

#include <QFontMetricsF>
#include <QStaticText>
#include <algorithm>
#include <cmath>
#include <map>

#include "birthdata/records/Controles.h"
#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

const char* const ItemsHarmoniques[NbItemsHarmoniques] = {
    "H1 360°",   "H2 180°",          "H3 120°",   "H4  90°",
    "H5  72°",   "H6  60°",          "H7  51°25'42\"", "H8  45°",
    "H9  40°",   "H10  36°",         "H11  32°43'48\"", "H12  30°",
    "H13  27°41'32\" ", "H14  25°42'51\"", "H15  24°", "H16  22°30'",
    "H32  11°15'"};

// A row's position as the table writes it: sign glyph and degrees for H1, degrees otherwise.
QString TextePosition(const LigneTableMiPoints& r, int harmonique) {
  return harmonique == 1 ? Texte(FormatGlyphe(r.positionDeg * DegEnRad)) : Texte(FormatDegMin(r.positionDeg));
}

namespace {

int Proche(double x) { return static_cast<int>(std::lround(x)); }

// Text whose top-left corner is at (x, y), as the table places every glyph; `ascent` is the
// current font's, measured once per drawing.
void TexteEnHaut(QPainter& p, double x, double y, const QString& texte, double ascent) {
  p.drawText(QPointF(x, y + ascent), texte);
}

double Ascent(const QFont& police, QPaintDevice* cible) { return QFontMetricsF(police, cible).ascent(); }

// The few texts drawn in the glyph font again and again, laid out once per drawing.
class TextesFixes {
 public:
  explicit TextesFixes(const QFont& police) : police_(police) {}
  void Dessiner(QPainter& p, double x, double y, const QString& texte) {
    auto i = textes_.find(texte);
    if (i == textes_.end()) {
      QStaticText t(texte);
      t.setTextFormat(Qt::PlainText);
      t.prepare(p.transform(), police_);
      i = textes_.emplace(texte, t).first;
    }
    // A static text is placed by its top-left corner, as every text of the table.
    p.drawStaticText(QPointF(x, y), i->second);
  }

 private:
  QFont police_;
  std::map<QString, QStaticText> textes_;
};

const char* const EnTetesImpression[] = {"Thème de naissance  :  ", "RS pour le :  ", "RL pour le :  ",
                                         "Arc solaire pour le :  ", "Transits pour le :  "};

// The glyph centred across the cell starting at x, u wide.
void Glyphe(QPainter& p, double x, double y, int u, int corps, const ParametresTable& par, TextesFixes& textes) {
  const QString glyphe = selvane::Glyphe(LettresCorps[corps]);
  x += std::floor((u - QFontMetricsF(p.font(), p.device()).horizontalAdvance(glyphe)) / 2);
  if (corps == par.corpsEnSurbrillance) {
    // White on an opaque blue background, as wide as the glyph and as high as the font.
    const QFontMetricsF m(p.font(), p.device());
    p.fillRect(QRectF(x, y, m.horizontalAdvance(glyphe), m.height()), QColor(0, 0, 255));
    p.setPen(Qt::white);
  } else {
    p.setPen(par.palette.corps[corps]);
  }
  textes.Dessiner(p, x, y, glyphe);
}

}  // namespace

GeometrieTable DessinerTableauMiPOints(QPainter& p, const std::vector<LigneTableMiPoints>& lignes,
                                       const ParametresTable& par) {
  p.save();
  GeometrieTable geo;
  const QFont glyphes9 = Police("Celvan S", 9);
  const QFontMetricsF m9(glyphes9, p.device());
  const double w = m9.horizontalAdvance("A");
  QColor grille;
  if (!par.imprimante) {
    p.fillRect(QRect(0, 0, p.device()->width(), p.device()->height()), Qt::white);
    const QFont titre = Police("Liberation Sans", 10, true);
    p.setFont(titre);
    p.setPen(Qt::black);
    const int hA = static_cast<int>(QFontMetricsF(titre, p.device()).height());
    TexteEnHaut(p, 5, hA / 4, par.titre, Ascent(titre, p.device()));
    geo.g = Proche(w / 2.7);
    geo.u = Proche(1.55 * w);
    geo.x0 = geo.u;
    geo.y0 = geo.u;
    grille = QColor(192, 192, 192);
  } else {
    geo.g = Proche(w / (par.harmonique == 1 ? 2.6 : 2.7));
    geo.u = Proche(1.7 * w);
    geo.x0 = Proche(1.5 * geo.u);
    geo.y0 = 6 * Proche(1.3 * m9.height());
    grille = QColor(128, 128, 128);
  }
  const QFont glyphes8 = Police("Celvan S", 8);
  const QFont glyphes7 = Police("Celvan S", 7);
  const QFont texte9 = Police("Liberation Sans", 9);
  const QFont& policePositions = par.harmonique == 1 ? glyphes7 : texte9;
  const QFontMetricsF m8(glyphes8, p.device()), mPositions(policePositions, p.device());
  // The cells are sized by what they hold, measured in the target's fonts: the widest glyph
  // and the "/" in a cell, the longest position in the two cells and the extra width, each
  // line high enough for both fonts, one pixel clear of the lines on either side.
  double position = 0;  // the longest position text
  {
    double glyphe = m8.horizontalAdvance("/");
    for (const LigneTableMiPoints& r : lignes) {
      for (int corps : {r.a, r.b})
        if (corps != 0) glyphe = std::max(glyphe, m8.horizontalAdvance(selvane::Glyphe(LettresCorps[corps])));
      position = std::max(position, mPositions.horizontalAdvance(TextePosition(r, par.harmonique)));
    }
    const int hauteur = static_cast<int>(std::ceil(std::max(m8.height(), mPositions.height())));
    geo.u = std::max({geo.u, static_cast<int>(std::ceil(glyphe)) + 3, hauteur + 2});
    geo.g = std::max(geo.g, static_cast<int>(std::ceil(position)) + 4 - 2 * geo.u);
    if (!par.imprimante) geo.x0 = geo.y0 = geo.u;
    else geo.x0 = Proche(1.5 * geo.u);
  }
  const int u = geo.u, g = geo.g, x0 = geo.x0, y0 = geo.y0;
  geo.blocs = (static_cast<int>(lignes.size()) - 1) / LignesParBloc + 1;
  p.setPen(QPen(grille, 1));
  for (int k = 0; k < geo.blocs; ++k) {
    const int xk = x0 + 6 * u * k;
    for (int q = 0; q <= LignesParBloc; ++q) p.drawLine(xk, y0 + q * u, xk + 5 * u + g, y0 + q * u);
    for (int x : {xk, xk + u, xk + 2 * u, xk + 3 * u, xk + 5 * u + g}) p.drawLine(x, y0, x, y0 + LignesParBloc * u);
  }
  // Glyphs centred in their cells: across by the letter's advance, down by the font's height.
  const int c = (u - static_cast<int>(m8.horizontalAdvance("A"))) / 2;
  const int cBarre = static_cast<int>((u - m8.horizontalAdvance("/")) / 2);
  const int cy = std::max(1, static_cast<int>((u - m8.height()) / 2));
  const int cyPosition = std::max(1, static_cast<int>((u - mPositions.height()) / 2));
  const int cx = std::max(2, std::min(c, (2 * u + g - static_cast<int>(std::ceil(position))) / 2));
  const double aPosition = Ascent(policePositions, p.device());
  TextesFixes fixes(glyphes8);
  // Two passes, glyphs then positions, so the painter changes its font twice, not per row.
  for (int passe = 0; passe < 2; ++passe) {
    if (passe == 0) p.setFont(glyphes8);
    else p.setFont(par.harmonique == 1 ? glyphes7 : texte9);
    for (std::size_t i = 0; i < lignes.size(); ++i) {
      const LigneTableMiPoints& r = lignes[i];
      const int k = static_cast<int>(i) / LignesParBloc;
      const int l = static_cast<int>(i) % LignesParBloc;
      const int xk = x0 + 6 * u * k;
      const int y = y0 + l * u + cy;
      const int premier = r.a != 0 ? r.a : r.b;
      if (passe == 1) {
        p.setPen(par.palette.corps[premier]);
        TexteEnHaut(p, xk + 3 * u + cx, y0 + l * u + cyPosition, TextePosition(r, par.harmonique), aPosition);
        continue;
      }
      Glyphe(p, r.a != 0 ? xk : xk + u, y, u, premier, par, fixes);
      if (r.a != 0) {
        Glyphe(p, xk + 2 * u, y, u, r.b, par, fixes);
        p.setPen(Qt::black);
        fixes.Dessiner(p, xk + u + cBarre, y, "/");
      }
    }
  }
  p.restore();
  return geo;
}

ContexteCachet ContexteCachetTable(const EtatTheme& e, int technique, const FicheClient& natale, double jourJulienNaissance) {
  ContexteCachet cachet = ContexteDuTheme(e);
  if (technique == 0) {
    cachet.fuseau = Texte(natale.Fuseau.Chaine());
    cachet.sourceFuseau = SourceDuFuseauDe(natale);
    cachet.jourJulienTU = jourJulienNaissance;
  }
  return cachet;
}

EnteteTable EnteteTableMiPoints(EtatTheme& e, int t, const FicheClient& f, double jourJulienNaissance,
                                const LieuDesChamps& champs, int itemHarmonique) {
  QString dateHeure, lieu;
  EnteteTable r;
  r.cachet = ContexteCachetTable(e, t, f, jourJulienNaissance);
  if (t == 0) {
    const double fuseau = LireFuseau(f.Fuseau.Texte());
    dateHeure = Texte(f.Date.Chaine() + " \xE0 " + f.Heure.Chaine() + " (GMT" +
                      (fuseau == 0 ? std::string() : (fuseau > 0 ? "+" : " ") + f.Fuseau.Chaine()) + ")");
    lieu = Texte(f.Ville.Chaine()) + "  " +
           Texte(FormatLatitude(DegMinVersDegres(LireNombre(f.Lat.Texte()))) + " - " +
                 FormatLongitude(DegMinVersDegres(LireNombre(f.Long.Texte()))));
  } else {
    e.LatitudeDeg = DegMinVersDegres(LireNombre(champs.lat));
    e.LongitudeDeg = DegMinVersDegres(LireNombre(champs.lon));
    e.LigneCoordonnees = FormatLatitude(e.LatitudeDeg) + " - " + FormatLongitude(e.LongitudeDeg);
    e.FicheEnCours.Ville = champs.ville;
    dateHeure = Texte(e.LigneDateHeure.Texte());
    lieu = Texte(champs.ville) + "  " + Texte(e.LigneCoordonnees.Texte());
  }
  r.lignes = QStringList{
      Texte(e.NomAffiche.Texte()),
      QString::fromUtf8(EnTetesImpression[t]) + dateHeure,
      lieu,
      "Mi-points uraniens ( " + QString::fromUtf8(ItemsHarmoniques[itemHarmonique]) + " )",
  };
  return r;
}

DocumentImprime DocumentTableMiPoints(const QStringList& entete, const std::vector<LigneTableMiPoints>& lignes,
                                      ParametresTable par, const QStringList& cachet, bool noirEtBlanc) {
  par.imprimante = true;
  DocumentImprime d;
  d.noirEtBlanc = noirEtBlanc;
  d.cachet = cachet;
  d.peindre = [entete, par, lignes](QPainter& p, const QRectF&, int) {
    const QFontMetricsF m(Police("Celvan S", 8), p.device());
    const double w = m.horizontalAdvance("A");
    const int ligne = static_cast<int>(std::lround(1.3 * m.height()));
    p.setFont(Police("Liberation Sans", 10, true));
    p.setPen(Qt::black);
    for (int i = 0; i < entete.size(); ++i) p.drawText(QPointF(3 * w, (i + 1) * ligne), entete[i]);
    DessinerTableauMiPOints(p, lignes, par);
  };
  return d;
}

}  // namespace selvane
