#include "dessin/Document.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include "VersionSelvane.h"
#include "core/Catalogue.h"
#include "core/Ephemerides.h"
#include "core/Temps.h"
#include "dessin/Traits.h"

namespace selvane {

namespace {

SourceDuFuseau& Source() {
  static SourceDuFuseau s;
  return s;
}

// --- Black and white, and the trace of the checks ------------------------------
//
// A paint device standing in front of the real one: the painters paint on it as on the
// page (same size and resolution), and its engine passes every call on to a painter of
// the real device with the colours turned grey, noting where each thing lands.

bool Neutre(const QColor& c) {
  return std::abs(c.red() - c.green()) <= 6 && std::abs(c.green() - c.blue()) <= 6 && std::abs(c.red() - c.blue()) <= 6;
}

// Strokes and glyphs with a colour print black (legible); fills take the grey of their lightness.
QColor Griser(const QColor& c, bool trait) {
  if (c.alpha() == 0 || Neutre(c)) return c;
  if (trait) return QColor(0, 0, 0, c.alpha());
  const int g = qGray(c.rgb());
  return QColor(g, g, g, c.alpha());
}

QImage GriserImage(const QImage& image) {
  QImage r = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < r.height(); ++y) {
    auto* ligne = reinterpret_cast<QRgb*>(r.scanLine(y));
    for (int x = 0; x < r.width(); ++x) {
      const int g = qGray(ligne[x]);
      ligne[x] = qRgba(g, g, g, qAlpha(ligne[x]));
    }
  }
  return r;
}

QBrush GriserBrosse(const QBrush& b) {
  if (const QGradient* d = b.gradient()) {
    QGradient g = *d;
    QGradientStops arrets = g.stops();
    for (auto& a : arrets) a.second = Griser(a.second, false);
    g.setStops(arrets);
    QBrush r(g);
    r.setTransform(b.transform());
    return r;
  }
  if (!b.textureImage().isNull()) {
    QBrush r(GriserImage(b.textureImage()));
    r.setTransform(b.transform());
    return r;
  }
  QBrush r(b);
  r.setColor(Griser(b.color(), false));
  return r;
}

QPen GriserPlume(const QPen& p) {
  QPen r(p);
  if (p.brush().gradient() || !p.brush().textureImage().isNull()) r.setBrush(GriserBrosse(p.brush()));
  else r.setColor(Griser(p.color(), true));
  return r;
}

class AppareilFiltre;

class MoteurFiltre : public QPaintEngine {
 public:
  explicit MoteurFiltre(AppareilFiltre* appareil) : QPaintEngine(AllFeatures), appareil_(appareil) {}
  bool begin(QPaintDevice*) override;
  bool end() override;
  void updateState(const QPaintEngineState& etat) override;
  void drawPath(const QPainterPath& chemin) override;
  void drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) override;
  void drawRects(const QRectF* rectangles, int n) override;
  void drawLines(const QLineF* lignes, int n) override;
  void drawEllipse(const QRectF& r) override;
  void drawPoints(const QPointF* points, int n) override;
  void drawPixmap(const QRectF& r, const QPixmap& image, const QRectF& source) override;
  void drawImage(const QRectF& r, const QImage& image, const QRectF& source, Qt::ImageConversionFlags) override;
  void drawTiledPixmap(const QRectF& r, const QPixmap& image, const QPointF& origine) override;
  void drawTextItem(const QPointF& point, const QTextItem& texte) override;
  Type type() const override { return User; }

 private:
  void Noter(const QRectF& r, bool trace);
  QPainter* Interne() { return interne_.isActive() ? &interne_ : nullptr; }

  AppareilFiltre* appareil_;
  QPainter interne_;
  QTransform transformation_;
  QPen plume_;
  QBrush brosse_;
};

class AppareilFiltre : public QPaintDevice {
 public:
  // On a real device, greying or not; without one (cible null), tracing only.
  AppareilFiltre(QPaintDevice* cible, bool gris, PageTracee* trace, QSize taille = {}, double ppp = 0)
      : cible_(cible), gris_(gris), trace_(trace), taille_(taille), ppp_(ppp), moteur_(this) {}
  ~AppareilFiltre() override = default;
  QPaintEngine* paintEngine() const override { return const_cast<MoteurFiltre*>(&moteur_); }
  void Tracer(PageTracee* trace) { trace_ = trace; }

  QPaintDevice* cible_;
  bool gris_;
  PageTracee* trace_;

 protected:
  int metric(PaintDeviceMetric m) const override {
    if (cible_) {
      switch (m) {
        case PdmWidth: return cible_->width();
        case PdmHeight: return cible_->height();
        case PdmWidthMM: return cible_->widthMM();
        case PdmHeightMM: return cible_->heightMM();
        case PdmNumColors: return cible_->colorCount();
        case PdmDepth: return cible_->depth();
        case PdmDpiX: return cible_->logicalDpiX();
        case PdmDpiY: return cible_->logicalDpiY();
        case PdmPhysicalDpiX: return cible_->physicalDpiX();
        case PdmPhysicalDpiY: return cible_->physicalDpiY();
        case PdmDevicePixelRatio: return static_cast<int>(cible_->devicePixelRatio());
        case PdmDevicePixelRatioScaled: return static_cast<int>(cible_->devicePixelRatioF() * devicePixelRatioFScale());
        default: return QPaintDevice::metric(m);
      }
    }
    switch (m) {
      case PdmWidth: return taille_.width();
      case PdmHeight: return taille_.height();
      case PdmWidthMM: return static_cast<int>(std::lround(taille_.width() * 25.4 / ppp_));
      case PdmHeightMM: return static_cast<int>(std::lround(taille_.height() * 25.4 / ppp_));
      case PdmNumColors: return INT_MAX;
      case PdmDepth: return 32;
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY: return static_cast<int>(std::lround(ppp_));
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      default: return QPaintDevice::metric(m);
    }
  }

 private:
  QSize taille_;
  double ppp_;
  MoteurFiltre moteur_;
};

bool MoteurFiltre::begin(QPaintDevice*) {
  transformation_ = QTransform();
  plume_ = QPen();
  brosse_ = QBrush();
  return !appareil_->cible_ || interne_.begin(appareil_->cible_);
}

bool MoteurFiltre::end() { return !interne_.isActive() || interne_.end(); }

void MoteurFiltre::updateState(const QPaintEngineState& etat) {
  const DirtyFlags f = etat.state();
  const bool gris = appareil_->gris_;
  QPainter* p = Interne();
  if (f & DirtyTransform) {
    transformation_ = etat.transform();
    if (p) p->setTransform(transformation_);
  }
  if (f & DirtyPen) {
    plume_ = etat.pen();
    if (p) p->setPen(gris ? GriserPlume(plume_) : plume_);
  }
  if (f & DirtyBrush) {
    brosse_ = etat.brush();
    if (p) p->setBrush(gris ? GriserBrosse(brosse_) : brosse_);
  }
  if (!p) return;
  if (f & DirtyBrushOrigin) p->setBrushOrigin(etat.brushOrigin());
  if (f & DirtyBackground) p->setBackground(gris ? GriserBrosse(etat.backgroundBrush()) : etat.backgroundBrush());
  if (f & DirtyBackgroundMode) p->setBackgroundMode(etat.backgroundMode());
  if (f & DirtyFont) p->setFont(etat.font());
  if (f & DirtyHints) p->setRenderHints(etat.renderHints());
  if (f & DirtyCompositionMode) p->setCompositionMode(etat.compositionMode());
  if (f & DirtyOpacity) p->setOpacity(etat.opacity());
  if (f & DirtyClipRegion) p->setClipRegion(etat.clipRegion(), etat.clipOperation());
  if (f & DirtyClipPath) p->setClipPath(etat.clipPath(), etat.clipOperation());
  if (f & DirtyClipEnabled) p->setClipping(etat.isClipEnabled());
}

void MoteurFiltre::Noter(const QRectF& r, bool trace) {
  PageTracee* t = appareil_->trace_;
  if (!t) return;
  QRectF d = transformation_.mapRect(r);
  if (trace && plume_.style() != Qt::NoPen) {
    // The pen's half width sticks out of the outline (a cosmetic pen is in device pixels).
    const double w = plume_.isCosmetic() ? std::max(1.0, plume_.widthF())
                                         : std::max(1.0, plume_.widthF()) * std::sqrt(std::fabs(transformation_.determinant()));
    d.adjust(-w / 2, -w / 2, w / 2, w / 2);
  }
  t->elements.push_back(d);
}

void MoteurFiltre::drawPath(const QPainterPath& chemin) {
  Noter(chemin.controlPointRect(), true);
  if (QPainter* p = Interne()) p->drawPath(chemin);
}

void MoteurFiltre::drawPolygon(const QPointF* points, int n, PolygonDrawMode mode) {
  if (n <= 0) return;
  QRectF r(points[0], QSizeF(0, 0));
  for (int i = 1; i < n; ++i) r = r.united(QRectF(points[i], QSizeF(0, 0)));
  Noter(r.normalized(), true);
  QPainter* p = Interne();
  if (!p) return;
  if (mode == PolylineMode) p->drawPolyline(points, n);
  else p->drawPolygon(points, n, mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
}

void MoteurFiltre::drawRects(const QRectF* rectangles, int n) {
  for (int i = 0; i < n; ++i) Noter(rectangles[i].normalized(), true);
  if (QPainter* p = Interne()) p->drawRects(rectangles, n);
}

void MoteurFiltre::drawLines(const QLineF* lignes, int n) {
  for (int i = 0; i < n; ++i) Noter(QRectF(lignes[i].p1(), lignes[i].p2()).normalized(), true);
  if (QPainter* p = Interne()) p->drawLines(lignes, n);
}

void MoteurFiltre::drawEllipse(const QRectF& r) {
  Noter(r.normalized(), true);
  if (QPainter* p = Interne()) p->drawEllipse(r);
}

void MoteurFiltre::drawPoints(const QPointF* points, int n) {
  for (int i = 0; i < n; ++i) Noter(QRectF(points[i], QSizeF(0, 0)), true);
  if (QPainter* p = Interne()) p->drawPoints(points, n);
}

void MoteurFiltre::drawPixmap(const QRectF& r, const QPixmap& image, const QRectF& source) {
  Noter(r, false);
  QPainter* p = Interne();
  if (!p) return;
  if (appareil_->gris_) p->drawImage(r, GriserImage(image.toImage()), source);
  else p->drawPixmap(r, image, source);
}

void MoteurFiltre::drawImage(const QRectF& r, const QImage& image, const QRectF& source,
                             Qt::ImageConversionFlags options) {
  Noter(r, false);
  if (QPainter* p = Interne()) p->drawImage(r, appareil_->gris_ ? GriserImage(image) : image, source, options);
}

void MoteurFiltre::drawTiledPixmap(const QRectF& r, const QPixmap& image, const QPointF& origine) {
  Noter(r, false);
  QPainter* p = Interne();
  if (!p) return;
  if (appareil_->gris_) p->drawTiledPixmap(r, QPixmap::fromImage(GriserImage(image.toImage())), origine);
  else p->drawTiledPixmap(r, image, origine);
}

void MoteurFiltre::drawTextItem(const QPointF& point, const QTextItem& texte) {
  Noter(QRectF(point.x(), point.y() - texte.ascent(), texte.width(), texte.ascent() + texte.descent()), false);
  if (PageTracee* t = appareil_->trace_) t->textes.push_back(texte.text());
  if (QPainter* p = Interne()) p->drawTextItem(point, texte);
}

// --- The footer -------------------------------------------------------------------

QFont PoliceCachet() { return Police("Arial", 6); }

// The stamp's lines, two facts to a printed line.
QStringList LignesImprimees(const QStringList& cachet) {
  QStringList r;
  for (int i = 0; i < cachet.size(); i += 2)
    r << (i + 1 < cachet.size() ? cachet[i] + QString::fromUtf8("   ·   ") + cachet[i + 1] : cachet[i]);
  return r;
}

double HauteurCachet(const QPaintDevice& appareil, const QStringList& cachet) {
  if (cachet.isEmpty()) return 0;
  const QFontMetricsF m(PoliceCachet(), &appareil);
  return (LignesImprimees(cachet).size() + 0.8) * m.height();
}

void PeindreCachet(QPainter& p, const QRectF& page, const QStringList& cachet) {
  if (cachet.isEmpty()) return;
  const QFont f = PoliceCachet();
  const QFontMetricsF m(f, p.device());
  const QStringList lignes = LignesImprimees(cachet);
  const double haut = page.bottom() - lignes.size() * m.height();
  p.setPen(PlumeMm(p, QColor(96, 96, 96), TraitMinimalMm));
  p.drawLine(QPointF(page.left(), haut - 0.4 * m.height()), QPointF(page.right(), haut - 0.4 * m.height()));
  p.setPen(QColor(64, 64, 64));
  p.setFont(f);
  for (int i = 0; i < lignes.size(); ++i)
    p.drawText(QPointF(page.left(), haut + i * m.height() + m.ascent()),
               m.elidedText(lignes[i], Qt::ElideRight, page.width()));
}

QRectF ZoneDuPeintre(const QPaintDevice& appareil, const DocumentImprime& d) {
  return QRectF(0, 0, appareil.width(), appareil.height() - HauteurCachet(appareil, d.cachet));
}

QPageLayout MiseEnPage(bool paysage) {
  return QPageLayout(QPageSize(QPageSize::A4), paysage ? QPageLayout::Landscape : QPageLayout::Portrait,
                     QMarginsF(MargeMm, MargeMm, MargeMm, MargeMm), QPageLayout::Millimeter);
}

// The painter's pages on a device already begun through `appareil` (itself or the filter).
bool PeindrePages(QPaintDevice& mesures, QPaintDevice& appareil, const DocumentImprime& d,
                  const std::function<bool()>& nouvellePage, const std::function<void(int)>& avantPage = {},
                  const std::function<void(int)>& avantCachet = {}) {
  QPainter p;
  if (avantPage) avantPage(0);
  if (!p.begin(&appareil)) return false;
  const QRectF page(0, 0, mesures.width(), mesures.height());
  const QRectF zone = ZoneDuPeintre(mesures, d);
  const int pages = d.compterPages ? d.compterPages(mesures, zone) : d.pages;
  for (int i = 0; i < pages; ++i) {
    if (i > 0) {
      if (avantPage) avantPage(i);
      if (!nouvellePage()) break;
    }
    p.save();
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(Qt::NoBrush);
    if (d.peindre) d.peindre(p, zone, i);
    p.restore();
    if (avantCachet) avantCachet(i);
    p.save();
    PeindreCachet(p, page, d.cachet);
    p.restore();
  }
  return p.end();
}

}  // namespace

QPen PlumeMm(const QPainter& p, const QColor& couleur, double mm) {
  QPen plume(couleur, std::max(mm, TraitMinimalMm) * PixelsParMillimetre(p));
  plume.setCapStyle(Qt::FlatCap);
  return plume;
}

namespace {
// The stamp's last line: when the paper was printed, or the CSV written.
const char* const DatePapier = "Imprimé le ";
const char* const DateCsv = "Exporté le ";
}  // namespace

QStringList LignesCachet(const ContexteCachet& c) {
  QStringList l;
  l << QString("Selvane ") + SELVANE_VERSION;
  const SourcesEphemerides s = SourcesDesEphemerides();
  QString fichiers;
  for (const std::string& f : s.fichiers) fichiers += (fichiers.isEmpty() ? "" : ", ") + QString::fromStdString(f);
  l << "Swiss Ephemeris " + QString::fromStdString(s.version) +
           (fichiers.isEmpty() ? QString() : " (" + fichiers + ")");
  // The rule DeltaT follows, for the moment shown.
  QString dt = QString::fromUtf8("ΔT : table 1620–2000, formule avant 1620, Swiss Ephemeris après 2000");
  if (c.jourJulienTU != 0) {
    const double annee = 2000.0 + (c.jourJulienTU - 2451545.0) / 365.25;
    const char* regle = annee > 2000 ? "Swiss Ephemeris (après 2000)"
                        : annee >= 1620 ? "table 1620–2000 interpolée"
                        : annee >= 948 ? "formule 948–1620"
                                       : "formule avant 948";
    dt = QString::fromUtf8("ΔT : %1 s, %2").arg(QString::number(DeltaT(c.jourJulienTU) * 86400.0, 'f', 1).replace('.', ','),
                                                 QString::fromUtf8(regle));
  }
  l << dt;
  l << (c.systemeMaisons > 0 && c.systemeMaisons < static_cast<int>(NomsSystemesMaisons.size())
            ? "Maisons : " + QString::fromLatin1(NomsSystemesMaisons[static_cast<std::size_t>(c.systemeMaisons)])
            : QString("Maisons : aucune"));
  // Tables of instants in Universal Time have no zone of their own.
  l << (c.fuseau.isEmpty() ? QString("Fuseau : temps universel")
                           : "Fuseau : " + c.fuseau + ", " +
                                 (c.sourceFuseau.isEmpty() ? QString::fromUtf8("saisi") : c.sourceFuseau));
  const QDateTime quand = c.date.isValid() ? c.date : QDateTime::currentDateTime();
  l << QString::fromUtf8(DatePapier) + quand.toString("dd/MM/yyyy") + QString::fromUtf8(" à ") + quand.toString("hh:mm");
  return l;
}

QStringList CachetCsv(const QStringList& cachet) {
  const QString papier = QString::fromUtf8(DatePapier);
  QStringList l = cachet;
  for (QString& ligne : l)
    if (ligne.startsWith(papier)) ligne = QString::fromUtf8(DateCsv) + ligne.mid(papier.size());
  return l;
}

void DefinirSourceDuFuseau(SourceDuFuseau source) { Source() = std::move(source); }

QString SourceDuFuseauDe(const FicheClient& f) { return Source() ? Source()(f) : QString(); }

ContexteCachet ContexteDuTheme(const EtatTheme& e) {
  ContexteCachet c;
  c.systemeMaisons = e.SystemeMaisons;
  c.fuseau = QString::fromLatin1(e.FicheEnCours.Fuseau.Texte().data(), static_cast<int>(e.FicheEnCours.Fuseau.Texte().size()));
  c.sourceFuseau = SourceDuFuseauDe(e.FicheEnCours);
  c.jourJulienTU = e.JourJulienTU;
  return c;
}

bool PeindreDocument(QPaintDevice& appareil, const DocumentImprime& d, const std::function<bool()>& nouvellePage) {
  if (!d.noirEtBlanc) return PeindrePages(appareil, appareil, d, nouvellePage);
  AppareilFiltre filtre(&appareil, true, nullptr);
  return PeindrePages(appareil, filtre, d, nouvellePage);
}

bool EcrirePdf(const DocumentImprime& d, const QString& chemin, bool noirEtBlanc, QString* erreur, int pointsParPouce) {
  const QString message = QString::fromUtf8("Impossible d'écrire le fichier PDF ") + chemin;
  // Tried first: on a refused file Qt's painter would print its own warning before ours.
  if (QFile essai(chemin); !essai.open(QIODevice::WriteOnly)) {
    if (erreur) *erreur = message;
    return false;
  }
  QPdfWriter pdf(chemin);
  pdf.setCreator(QString("Selvane ") + SELVANE_VERSION);
  pdf.setResolution(pointsParPouce);
  pdf.setPageLayout(MiseEnPage(d.paysage));
  DocumentImprime copie = d;
  copie.noirEtBlanc = d.noirEtBlanc || noirEtBlanc;
  // QPdfWriter opens its file when the painter starts: a refused file shows there.
  if (!PeindreDocument(pdf, copie, [&] { return pdf.newPage(); })) {
    if (erreur) *erreur = message;
    return false;
  }
  return true;
}

std::vector<QImage> RendreDocument(const DocumentImprime& d, double pointsParPouce, bool noirEtBlanc) {
  const QRectF mm = MiseEnPage(d.paysage).paintRect(QPageLayout::Millimeter);
  const QSize taille(static_cast<int>(std::lround(mm.width() / 25.4 * pointsParPouce)),
                     static_cast<int>(std::lround(mm.height() / 25.4 * pointsParPouce)));
  const int ppm = static_cast<int>(std::lround(pointsParPouce / 0.0254));
  std::vector<QImage> images;
  int pages = d.pages;
  if (d.compterPages) {
    QImage mesure(taille, QImage::Format_RGB32);
    mesure.setDotsPerMeterX(ppm);
    mesure.setDotsPerMeterY(ppm);
    pages = d.compterPages(mesure, ZoneDuPeintre(mesure, d));
  }
  for (int i = 0; i < pages; ++i) {
    QImage image(taille, QImage::Format_RGB32);
    image.setDotsPerMeterX(ppm);
    image.setDotsPerMeterY(ppm);
    image.fill(Qt::white);
    images.push_back(image);
  }
  if (images.empty()) return images;
  // One page at a time, on its own picture.
  DocumentImprime page = d;
  page.pages = 1;
  page.compterPages = nullptr;
  page.noirEtBlanc = d.noirEtBlanc || noirEtBlanc;
  for (int i = 0; i < pages; ++i) {
    page.peindre = [&d, i](QPainter& p, const QRectF& zone, int) {
      if (d.peindre) d.peindre(p, zone, i);
    };
    PeindreDocument(images[static_cast<std::size_t>(i)], page, [] { return false; });
  }
  return images;
}

std::vector<PageTracee> TracerDocument(const DocumentImprime& d, double pointsParPouce) {
  const QRectF mm = MiseEnPage(d.paysage).paintRect(QPageLayout::Millimeter);
  const QSize taille(static_cast<int>(std::lround(mm.width() / 25.4 * pointsParPouce)),
                     static_cast<int>(std::lround(mm.height() / 25.4 * pointsParPouce)));
  AppareilFiltre appareil(nullptr, false, nullptr, taille, pointsParPouce);
  const int n = d.compterPages ? d.compterPages(appareil, ZoneDuPeintre(appareil, d)) : d.pages;
  std::vector<PageTracee> pages(static_cast<std::size_t>(std::max(0, n)));
  for (auto& t : pages) {
    t.page = QRectF(0, 0, taille.width(), taille.height());
    t.zone = ZoneDuPeintre(appareil, d);
  }
  if (pages.empty()) return pages;
  int courante = 0;
  PeindrePages(appareil, appareil, d, [&] { return true; },
               [&](int i) {
                 courante = i;
                 appareil.Tracer(&pages[static_cast<std::size_t>(courante)]);
               },
               [&](int i) {
                 auto& t = pages[static_cast<std::size_t>(i)];
                 t.elementsDuPeintre = t.elements.size();
               });
  return pages;
}

}  // namespace selvane
