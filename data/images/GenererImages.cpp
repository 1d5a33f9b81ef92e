// Draws the installed pictures: the start-up picture, the mandala figure, the
// world map with its time-zone bands and the seven regional maps.
//   selvane-images DOSSIER_PROGRAMME CARTES.json VERSION
#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "core/Catalogue.h"
#include "methode/ImagesGeometrie.h"

using namespace selvane;

namespace {

QString gDossier;

QString Chemin(const char* nom) { return gDossier + "/" + nom; }

QFont Police(const char* famille, double points, bool gras = false) {
  QFont f(famille);
  f.setPointSizeF(points);
  f.setBold(gras);
  return f;
}

// ---- Start-up picture --------------------------------------------------------

bool Demarrage(const QString& version) {
  QImage image(720, 420, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient fond(0, 0, 0, 420);
  fond.setColorAt(0, QColor(22, 38, 74));
  fond.setColorAt(1, QColor(58, 88, 140));
  p.fillRect(image.rect(), fond);
  // The logo: a dial of 24 divisions around the Sun's glyph.
  const QPointF c(190, 210);
  p.setPen(QPen(QColor(235, 210, 140), 3));
  p.drawEllipse(c, 120, 120);
  p.drawEllipse(c, 92, 92);
  for (int i = 0; i < 24; ++i) {
    const double a = i * Pi / 12;
    const double r0 = i % 3 == 0 ? 92 : 104;
    p.drawLine(QPointF(c.x() + r0 * std::cos(a), c.y() - r0 * std::sin(a)),
               QPointF(c.x() + 120 * std::cos(a), c.y() - 120 * std::sin(a)));
  }
  p.setFont(Police("Celvan S", 54));
  p.drawText(QRectF(c.x() - 80, c.y() - 80, 160, 160), Qt::AlignCenter, "A");
  p.setPen(Qt::white);
  p.setFont(Police("DejaVu Sans", 44, true));
  p.drawText(QRectF(340, 120, 360, 80), Qt::AlignLeft | Qt::AlignVCenter, "Selvane");
  p.setFont(Police("DejaVu Sans", 13));
  p.drawText(QRectF(344, 200, 360, 30), Qt::AlignLeft, QString::fromUtf8("Astrologie uranienne"));
  p.setPen(QColor(235, 210, 140));
  p.drawText(QRectF(344, 232, 360, 30), Qt::AlignLeft, "Version " + version);
  p.end();
  return image.save(Chemin("Demarrage.png"), "PNG");
}

// ---- Mandala figure ------------------------------------------------------------

bool Mandala() {
  const int cote = kCoteMandala;
  QImage image(cote, cote, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double cx = cote / 2.0, cy = cote / 2.0;
  const double R = RayonMandala(cote);
  auto point = [&](double degres, double rayon) {
    return QPointF(cx + std::cos(degres * DegEnRad) * rayon, cy - std::sin(degres * DegEnRad) * rayon);
  };
  // The three rings: outer bodies, frame, Venus and Cupido.
  p.setPen(QPen(QColor(60, 60, 60), 2));
  p.drawEllipse(QPointF(cx, cy), R, R);
  p.drawEllipse(QPointF(cx, cy), 1.13 * R, 1.13 * R);
  p.drawEllipse(QPointF(cx, cy), 0.2775 * R, 0.2775 * R);
  // The sixteen sectors of 22°30' in light lines.
  p.setPen(QPen(QColor(205, 205, 205), 1));
  for (int k = 0; k < 16; ++k) p.drawLine(point(11.25 + 22.5 * k, 0.42 * R), point(11.25 + 22.5 * k, 1.13 * R));
  // Each body's place: a spoke through both of its mark radii, and its glyph.
  p.setFont(Police("Celvan S", 17));
  for (int i = 1; i <= 18; ++i) {
    const double a = AngleMandala(i);
    const bool interieur = i == Venus || i == Cupidon;
    p.setPen(QPen(QColor(30, 30, 30), 2));
    if (interieur) {
      p.drawLine(point(a, 0.17 * R), point(a, 0.385 * R));
    } else {
      p.drawLine(point(a, 0.88 * R), point(a, 1.12 * R));
    }
    const QPointF etiquette = point(a, interieur ? 0.47 * R : 0.80 * R);
    p.setPen(QColor(20, 40, 110));
    p.drawText(QRectF(etiquette.x() - 20, etiquette.y() - 20, 40, 40), Qt::AlignCenter,
               QString(QChar(static_cast<ushort>(static_cast<unsigned char>(LettresCorps[i])))));
  }
  p.end();
  return image.save(Chemin("AMandala.bmp"), "BMP");
}

// ---- World map -------------------------------------------------------------------

QList<QPolygonF> Anneaux(const QJsonArray& anneaux, const std::function<QPointF(double, double)>& projeter,
                         double decalageX) {
  QList<QPolygonF> polygones;
  for (const QJsonValue& a : anneaux) {
    QPolygonF poly;
    double precedent = 0;
    double tour = 0;
    bool premier = true;
    for (const QJsonValue& pt : a.toArray()) {
      const double lon = pt.toArray()[0].toDouble(), lat = pt.toArray()[1].toDouble();
      // Keep a ring continuous where it crosses the map's seam.
      if (!premier && lon - precedent > 180) tour -= 360;
      if (!premier && precedent - lon > 180) tour += 360;
      precedent = lon;
      premier = false;
      const QPointF q = projeter(lon + tour, lat);
      poly << QPointF(q.x() + decalageX, q.y());
    }
    polygones << poly;
  }
  return polygones;
}

bool Planisphere(const QJsonArray& anneaux) {
  const int largeur = kLargeurPlanisphere, hauteur = kHauteurPlanisphere;
  QSvgGenerator svg;
  svg.setFileName(Chemin("planisf.svg"));
  svg.setSize(QSize(largeur, hauteur));
  svg.setViewBox(QRect(0, 0, largeur, hauteur));
  svg.setTitle(QString::fromUtf8("Planisphère et fuseaux horaires"));
  QPainter p(&svg);
  p.setClipRect(QRect(0, 0, largeur, hauteur));
  p.fillRect(QRect(0, 0, largeur, hauteur), QColor(205, 226, 244));
  // Nominal time-zone bands, alternately shaded, their offsets at the top.
  for (int k = -12; k <= 12; ++k) {
    const double x0 = XPlanisphere(15.0 * k - 7.5, largeur), x1 = XPlanisphere(15.0 * k + 7.5, largeur);
    if (k % 2 == 0) {
      for (double decal : {-largeur * 1.0, 0.0, largeur * 1.0})
        p.fillRect(QRectF(x0 + decal, 0, x1 - x0, hauteur), QColor(190, 214, 236));
    }
  }
  auto projeter = [&](double lon, double lat) { return QPointF(XPlanisphere(lon, largeur), YPlanisphere(lat, hauteur)); };
  p.setPen(QPen(QColor(90, 90, 90), 0.5));
  p.setBrush(QColor(246, 240, 214));
  for (double decal : {-largeur * 1.0, 0.0, largeur * 1.0})
    for (const QPolygonF& poly : Anneaux(anneaux, projeter, decal)) p.drawPolygon(poly);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(200, 40, 40), 1.5));
  p.drawLine(QPointF(0, YPlanisphere(0, hauteur)), QPointF(largeur, YPlanisphere(0, hauteur)));
  p.setFont(Police("DejaVu Sans", 7));
  for (int k = -12; k <= 12; ++k) {
    double x = XPlanisphere(15.0 * k, largeur);
    const QString texte = k == 0 ? "0" : (k > 0 ? "+" : "") + QString::number(k);
    p.setPen(QColor(30, 50, 90));
    p.drawText(QRectF(x - 20, 2, 40, 14), Qt::AlignCenter, texte);
    p.setPen(QPen(QColor(120, 140, 170), 0.6, Qt::DashLine));
    const double bord = XPlanisphere(15.0 * k + 7.5, largeur);
    p.drawLine(QPointF(bord, 16), QPointF(bord, hauteur));
  }
  p.end();
  return true;
}

// ---- Regional maps -------------------------------------------------------------------

QColor CouleurDecalage(int minutes) {
  if (minutes == -32768) return QColor(200, 222, 240);
  // One hue per hour around the circle, half hours between.
  const int teinte = ((minutes / 60 + 12) * 47 + (minutes % 60 != 0 ? 23 : 0)) % 360;
  return QColor::fromHsv((teinte + 360) % 360, 70, 245);
}

QString TexteDecalage(int minutes) {
  const int a = std::abs(minutes);
  QString t = QString("%1%2").arg(minutes < 0 ? "-" : "+").arg(a / 60);
  if (a % 60) t += QString(":%1").arg(a % 60, 2, 10, QChar('0'));
  return t;
}

bool Carte(const QString& nom, const QJsonObject& c, const QJsonArray& anneaux) {
  const int largeur = c["largeur"].toInt(), hauteur = c["hauteur"].toInt();
  const double lon0 = c["lon0"].toDouble(), lon1 = c["lon1"].toDouble();
  const double lat0 = c["lat0"].toDouble(), lat1 = c["lat1"].toDouble();
  const QByteArray trame = QByteArray::fromBase64(c["trame"].toString().toLatin1());
  if (trame.size() != largeur * hauteur * 2) return false;
  const int bandeau = 34;
  QImage zones(largeur, hauteur, QImage::Format_RGB32);
  for (int y = 0; y < hauteur; ++y)
    for (int x = 0; x < largeur; ++x) {
      const int i = 2 * (y * largeur + x);
      const auto v = static_cast<std::int16_t>(static_cast<unsigned char>(trame[i]) |
                                               (static_cast<unsigned char>(trame[i + 1]) << 8));
      zones.setPixelColor(x, y, CouleurDecalage(v));
    }
  QImage image(largeur, hauteur + bandeau, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(0, bandeau);
  p.setClipRect(QRect(0, 0, largeur, hauteur));
  p.fillRect(QRect(0, 0, largeur, hauteur), CouleurDecalage(-32768));
  auto projeter = [&](double lon, double lat) {
    return QPointF((lon - lon0) / (lon1 - lon0) * largeur, (lat1 - lat) / (lat1 - lat0) * hauteur);
  };
  // The legal time is coloured on land only; the sea keeps one colour.
  QPainterPath terre;
  terre.setFillRule(Qt::WindingFill);
  QList<QPolygonF> frontieres;
  for (double decal : {-360.0, 0.0, 360.0}) {
    const double dx = decal / (lon1 - lon0) * largeur;
    for (const QPolygonF& poly : Anneaux(anneaux, projeter, dx)) {
      if (!poly.boundingRect().intersects(QRectF(0, 0, largeur, hauteur))) continue;
      terre.addPolygon(poly);
      frontieres << poly;
    }
  }
  p.save();
  p.setClipPath(terre, Qt::IntersectClip);
  p.drawImage(0, 0, zones);
  p.restore();
  p.setPen(QPen(QColor(70, 70, 70), 0.8));
  for (const QPolygonF& poly : frontieres) p.drawPolygon(poly);
  const QFont police = Police("DejaVu Sans", 8);
  p.setFont(police);
  const QFontMetricsF mesure(police);
  QList<QRectF> places;
  // Largest cities first; a label that would cover another one is left out.
  for (const QJsonValue& v : c["villes"].toArray()) {
    const QJsonObject o = v.toObject();
    const QPointF q = projeter(o["lon"].toDouble(), o["lat"].toDouble());
    const int hiver = o["hiver"].toInt(), ete = o["ete"].toInt();
    QString texte = o["nom"].toString() + "  " + TexteDecalage(hiver);
    if (ete != hiver) texte += QString::fromUtf8(" (été ") + TexteDecalage(ete) + ")";
    const QRectF cadre = mesure.boundingRect(texte).translated(q + QPointF(5, -3)).adjusted(-8, -2, 2, 2);
    bool libre = true;
    for (const QRectF& r : places) libre = libre && !r.intersects(cadre);
    if (!libre) continue;
    places << cadre;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(160, 20, 20));
    p.drawEllipse(q, 3, 3);
    p.setBrush(Qt::NoBrush);
    p.setPen(QColor(20, 20, 20));
    p.drawText(q + QPointF(5, -3), texte);
  }
  p.setClipping(false);
  p.resetTransform();
  p.setPen(QColor(20, 30, 60));
  p.setFont(Police("DejaVu Sans", 11, true));
  p.drawText(QRect(10, 0, largeur - 20, bandeau), Qt::AlignVCenter | Qt::AlignLeft,
             QString::fromUtf8("Régimes horaires — heure légale d'hiver sur TU (couleurs), villes : hiver (été)"));
  p.end();
  return image.save(gDossier + "/" + nom + ".jpg", "JPG", 90);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "Usage : selvane-images DOSSIER_PROGRAMME CARTES.json VERSION\n");
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication application(argc, argv);
  gDossier = QString::fromLocal8Bit(argv[1]);
  if (QFontDatabase::addApplicationFont(Chemin("Celvan S.ttf")) < 0) {
    std::fprintf(stderr, "Police introuvable : %s\n", qPrintable(Chemin("Celvan S.ttf")));
    return 1;
  }
  QFile fichier(QString::fromLocal8Bit(argv[2]));
  if (!fichier.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "Fichier illisible : %s\n", argv[2]);
    return 1;
  }
  const QJsonObject donnees = QJsonDocument::fromJson(fichier.readAll()).object();
  const QJsonArray anneaux = donnees["anneaux"].toArray();
  bool ok = Demarrage(QString::fromLocal8Bit(argv[3])) && Mandala() && Planisphere(anneaux);
  const QJsonObject cartes = donnees["cartes"].toObject();
  for (const QString& nom : cartes.keys()) ok = ok && Carte(nom, cartes[nom].toObject(), anneaux);
  if (!ok) {
    std::fprintf(stderr, "Impossible d'écrire les images dans %s\n", argv[1]);
    return 1;
  }
  return 0;
}
