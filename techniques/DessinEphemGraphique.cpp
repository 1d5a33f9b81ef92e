#include "techniques/DessinEphemGraphique.h"

#include <QDateTime>
#include <QPdfWriter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/Catalogue.h"
#include "core/Conversions.h"
#include "core/Temps.h"
#include "dessin/Traits.h"
#include "widgets/Texte1252.h"

namespace selvane {

namespace {

// Sizes follow the picture, so the window, an A4 page and a PNG look alike.
double Unite(const QRectF& r) { return std::max(1.0, std::min(r.width(), r.height()) / 100.0); }

QFont PolicePixels(const char* famille, double pixels, bool gras = false) {
  QFont f(famille);
  f.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
  f.setBold(gras);
  return f;
}

QString GlypheCorps(int c) { return Glyphe(LettresCorps[static_cast<std::size_t>(c)]); }

QString TexteDegres(double x) {
  const int minutes = static_cast<int>(std::lround(x * 60));
  return QString::number(minutes / 60) + QChar(0xB0) + (minutes % 60 ? QString("%1'").arg(minutes % 60, 2, 10, QChar('0')) : "");
}

// The grid step of the degree axis.
double PasDegres(double m) { return m >= 360 ? 30 : m >= 90 ? 10 : m >= 45 ? 5 : 2.5; }

QColor Attenuee(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

}  // namespace

GeometrieGraphe GeometrieDuGraphe(const QRectF& r, const EphemGraphique& g) {
  const double u = Unite(r);
  GeometrieGraphe geo;
  geo.zone = r.adjusted(6 * u, 3 * u, -9 * u, -5 * u);
  geo.debut = g.debutTU;
  geo.fin = g.finTU > g.debutTU ? g.finTU : g.debutTU + 1;
  geo.module = g.demande.moduleDeg > 0 ? g.demande.moduleDeg : 90;
  return geo;
}

QString TitreEphemGraphique(const QString& nom) {
  const QString titre = QString::fromUtf8("Éphéméride graphique");
  return nom.isEmpty() ? titre : nom + "  -  " + titre;
}

QString CachetCalcul() {
  return QString::fromUtf8("Selvane - calculé le ") + QDateTime::currentDateTimeUtc().toString("dd/MM/yyyy hh:mm") +
         " TU";
}

bool EcrirePdfEphemGraphique(const QString& chemin, const EphemGraphique& g, const Palette& palette,
                             const OptionsGraphe& options) {
  QPdfWriter pdf(chemin);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setPageOrientation(QPageLayout::Landscape);
  pdf.setResolution(300);
  QPainter p;
  if (!p.begin(&pdf)) return false;
  DessinerEphemGraphique(p, QRectF(0, 0, pdf.width(), pdf.height()), g, palette, options);
  return p.end();
}

TextesCroisement TextesDuCroisement(const Croisement& x) {
  TextesCroisement t;
  const double minute = std::nearbyint(x.jourTU * 1440.0) / 1440.0;
  t.date = Texte(JourJulienVersDate(minute)) + " " + Texte(FormatHeureHM(HeureDuJour(minute) + 1e-7));
  t.corps = GlypheCorps(x.corps) + (x.retrograde ? Glyphe('@') : QString()) + (x.dirige ? " d" : "");
  t.aspect = TexteDegres(x.aspectDeg);
  t.cible = GlypheCorps(x.a) + (x.b ? "/" + GlypheCorps(x.b) : QString());
  return t;
}

int CroisementPres(const GeometrieGraphe& geo, const EphemGraphique& g, QPointF point, double rayon) {
  int meilleur = -1;
  double d2 = rayon * rayon;
  for (std::size_t i = 0; i < g.croisements.size(); ++i) {
    const Croisement& x = g.croisements[i];
    const double dx = geo.X(x.jourTU) - point.x();
    if (std::fabs(dx) > rayon) continue;
    const double y = geo.Y(std::fmod(x.cibleDeg, geo.module));
    const double e = dx * dx + (y - point.y()) * (y - point.y());
    if (e <= d2) {
      d2 = e;
      meilleur = static_cast<int>(i);
    }
  }
  return meilleur;
}

void DessinerEphemGraphique(QPainter& p, const QRectF& r, const EphemGraphique& g, const Palette& palette,
                            const OptionsGraphe& options) {
  p.save();
  // Straight lines of the grid and the natal lines need no smoothing; the curves and rings do.
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(r, palette.fond);
  const double u = Unite(r);
  const GeometrieGraphe geo = GeometrieDuGraphe(r, g);
  const QRectF& z = geo.zone;
  const QFont texte = PolicePixels("Arial", 1.6 * u), glyphes = PolicePixels("Celvan S", 2.2 * u),
              petitsGlyphes = PolicePixels("Celvan S", 1.7 * u);

  if (!options.titre.isEmpty()) {
    p.setFont(PolicePixels("Arial", 1.8 * u, true));
    p.setPen(palette.texte);
    p.drawText(QRectF(r.left(), r.top(), r.width(), 2.6 * u), Qt::AlignCenter, options.titre);
  }
  if (!options.cachet.isEmpty()) {
    p.setFont(PolicePixels("Arial", 1.2 * u));
    p.setPen(palette.texte);
    p.drawText(QRectF(r.left() + u, r.bottom() - 1.8 * u, r.width() - 2 * u, 1.6 * u), Qt::AlignRight | Qt::AlignVCenter,
               options.cachet);
  }

  // The frame, the degree grid and the month ticks.
  p.setFont(texte);
  const QColor grille = Attenuee(palette.traits, 70);
  const double pas = PasDegres(geo.module);
  for (double d = 0; d <= geo.module + 1e-9; d += pas) {
    const double y = geo.Y(d);
    p.setPen(QPen(grille, 0.1 * u));
    p.drawLine(QPointF(z.left(), y), QPointF(z.right(), y));
    p.setPen(palette.texte);
    p.drawText(QRectF(r.left(), y - u, z.left() - r.left() - 3.2 * u, 2 * u), Qt::AlignRight | Qt::AlignVCenter,
               TexteDegres(d));
  }
  DateCalendrier c = JourJulienVersCalendrier(g.debutTU);
  int mois = c.mois, annee = c.annee;
  double jour = JourJulien(1, mois, annee, 0);
  if (jour < g.debutTU - 1e-9) {
    if (++mois > 12) mois = 1, annee += annee == -1 ? 2 : 1;
    jour = JourJulien(1, mois, annee, 0);
  }
  const int nbMois = static_cast<int>((geo.fin - geo.debut) / 30.4) + 1;
  const int saut = nbMois > 14 ? 2 : 1;  // two years: every other label
  for (int k = 0; jour <= geo.fin + 1e-9; ++k) {
    const double x = geo.X(jour);
    p.setPen(QPen(grille, 0.1 * u));
    p.drawLine(QPointF(x, z.top()), QPointF(x, z.bottom() + 0.8 * u));
    if (k % saut == 0) {
      p.setPen(palette.texte);
      p.drawText(QRectF(x - 5 * u, z.bottom() + 0.9 * u, 10 * u, 2 * u), Qt::AlignCenter,
                 Texte(EtiquetteMoisGraphe(mois, annee)));
    }
    if (++mois > 12) mois = 1, annee += annee == -1 ? 2 : 1;
    jour = JourJulien(1, mois, annee, 0);
  }
  p.setPen(QPen(palette.traits, 0.15 * u));
  p.setBrush(Qt::NoBrush);
  p.drawRect(z);

  // The natal lines, labelled at the right edge where there is room for a label.
  std::vector<std::pair<double, std::size_t>> lignes;
  for (std::size_t i = 0; i < g.cibles.size(); ++i) lignes.push_back({geo.Y(g.cibles[i].positionDeg), i});
  std::sort(lignes.begin(), lignes.end());
  double libre = -1e9;
  for (const auto& [y, i] : lignes) {
    const CibleGraphe& t = g.cibles[i];
    const QColor couleur = t.b ? palette.traits : palette.corps[t.a];
    p.setPen(QPen(Attenuee(couleur, t.b ? 80 : 150), 0.12 * u));
    p.drawLine(QPointF(z.left(), y), QPointF(z.right(), y));
    if (y - libre >= 1.7 * u) {
      p.setFont(petitsGlyphes);
      p.setPen(couleur);
      p.drawText(QRectF(z.right() + 0.5 * u, y - u, 8.5 * u, 2 * u), Qt::AlignLeft | Qt::AlignVCenter,
                 GlypheCorps(t.a) + (t.b ? "/" + GlypheCorps(t.b) : QString()));
      libre = y;
    }
  }

  // The curves, cut at each wrap; the glyph at the left edge and where the curve comes back in.
  p.setRenderHint(QPainter::Antialiasing, true);
  p.save();
  p.setClipRect(z.adjusted(-0.5 * u, -0.5 * u, 0.5 * u, 0.5 * u));
  std::vector<std::pair<QPointF, int>> etiquettes;
  for (const CourbeGraphe& courbe : g.courbes) {
    if (courbe.points.empty()) continue;
    const QColor couleur = palette.corps[courbe.corps];
    p.setPen(QPen(couleur, (courbe.dirige ? 0.15 : 0.25) * u, courbe.dirige ? Qt::DashLine : Qt::SolidLine,
                  Qt::RoundCap, Qt::RoundJoin));
    // Polylines between wraps: far cheaper to stroke than one path of the same points.
    QPolygonF trait;
    const auto& pts = courbe.points;
    trait << QPointF(geo.X(pts[0].jourTU), geo.Y(pts[0].positionDeg));
    etiquettes.push_back({trait.back(), courbe.corps});
    for (std::size_t i = 1; i < pts.size(); ++i) {
      const double a = pts[i - 1].positionDeg, b = pts[i].positionDeg;
      if (std::fabs(b - a) > geo.module / 2) {
        // Through the edge: up past M back in at 0, or down past 0 back in at M.
        const bool monte = b < a;
        const double bb = monte ? b + geo.module : b - geo.module;
        const double f = ((monte ? geo.module : 0) - a) / (bb - a);
        const double t = pts[i - 1].jourTU + f * (pts[i].jourTU - pts[i - 1].jourTU);
        trait << QPointF(geo.X(t), geo.Y(monte ? geo.module : 0));
        p.drawPolyline(trait);
        trait.clear();
        trait << QPointF(geo.X(t), geo.Y(monte ? 0 : geo.module));
        etiquettes.push_back({trait.back(), courbe.corps});
      }
      trait << QPointF(geo.X(pts[i].jourTU), geo.Y(b));
    }
    p.drawPolyline(trait);
  }
  p.restore();

  // The crossings: a ring on the line, the one in view larger. Thousands of them: each body's
  // ring is drawn once and stamped, at the device's resolution.
  p.setBrush(Qt::NoBrush);
  const double rayon = 0.45 * u;
  const qreal echelle = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  const int cote = static_cast<int>(std::ceil((2 * rayon + 0.4 * u) * echelle)) + 2;
  std::array<QImage, 25> anneaux;
  // On a page or in a PDF the rings stay vector shapes.
  const int genre = p.device() ? p.device()->devType() : QInternal::Printer;
  const bool trame = genre == QInternal::Image || genre == QInternal::Pixmap || genre == QInternal::Widget;
  for (std::size_t i = 0; i < g.croisements.size(); ++i) {
    const Croisement& x = g.croisements[i];
    const QPointF centre(geo.X(x.jourTU), geo.Y(std::fmod(x.cibleDeg, geo.module)));
    if (static_cast<int>(i) == options.croisementEnValeur) continue;
    QImage& anneau = anneaux[static_cast<std::size_t>(x.corps)];
    if (!trame) {
      p.setPen(QPen(palette.corps[x.corps], 0.15 * u));
      p.drawEllipse(centre, rayon, rayon);
      continue;
    }
    if (anneau.isNull()) {
      anneau = QImage(cote, cote, QImage::Format_ARGB32_Premultiplied);
      anneau.fill(Qt::transparent);
      QPainter a(&anneau);
      a.setRenderHint(QPainter::Antialiasing, true);
      a.setPen(QPen(palette.corps[x.corps], 0.15 * u * echelle));
      a.drawEllipse(QPointF(cote / 2.0, cote / 2.0), rayon * echelle, rayon * echelle);
      anneau.setDevicePixelRatio(echelle);
    }
    p.drawImage(centre - QPointF(cote / 2.0 / echelle, cote / 2.0 / echelle), anneau);
  }
  if (options.croisementEnValeur >= 0 && options.croisementEnValeur < static_cast<int>(g.croisements.size())) {
    const Croisement& x = g.croisements[static_cast<std::size_t>(options.croisementEnValeur)];
    p.setPen(QPen(palette.texte, 0.3 * u));
    p.drawEllipse(QPointF(geo.X(x.jourTU), geo.Y(std::fmod(x.cibleDeg, geo.module))), u, u);
  }

  p.setFont(glyphes);
  for (const auto& [point, corps] : etiquettes) {
    p.setPen(palette.corps[corps]);
    const double y = std::clamp(point.y(), z.top() + u, z.bottom() - u);
    const bool bord = point.x() - z.left() < 0.5 * u;
    p.drawText(QRectF(bord ? z.left() - 3.2 * u : point.x() - 1.5 * u, y - (bord ? 1.2 * u : (point.y() < z.center().y() ? -0.2 * u : 2.4 * u)),
                      3 * u, 2.2 * u),
               Qt::AlignCenter, GlypheCorps(corps));
  }
  p.restore();
}

}  // namespace selvane
