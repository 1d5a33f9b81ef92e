#pragma once
// A printed document without any window: its pages, how to paint each one, and the
// calculation stamp in the footer of every page. The print routine of the windows
// (widgets/Impression.h) sends it to a printer or a preview; the command line writes it
// as a PDF with EcrirePdf and puts LignesCachet as "# " comment lines before its CSV.
//
//   DocumentImprime d;
//   d.pages = 1;
//   d.peindre = [&](QPainter& p, const QRectF& zone, int page) { ImprimerLunaisons(p, zone, lignes); };
//   d.cachet = LignesCachet(ContexteDuTheme(Etat()));
//   QString erreur;
//   if (!EcrirePdf(d, "lunaisons.pdf", noirEtBlanc, &erreur)) ... // erreur: French, UTF-8
//
// Black and white is done below the painters, by the device they paint on: every pen and
// every glyph that has a colour is drawn black, every coloured fill and picture in the grey
// of its lightness; greys, black and white stay as they are. So no painter needs a flag,
// and a coloured glyph font cannot slip through.
#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "core/EtatTheme.h"

namespace selvane {

struct DocumentImprime {
  int pages = 1;
  bool paysage = false;
  bool noirEtBlanc = false;
  // Paints page `page` (0-based) inside `zone`, device pixels of the page's printable area
  // with the footer band taken off; the painter starts with a black pen and no brush.
  std::function<void(QPainter& p, const QRectF& zone, int page)> peindre;
  // The footer lines of every page (LignesCachet); none when empty.
  QStringList cachet;
  // When set, the page count on a given device and zone (a table that breaks by the page's
  // height); `pages` is then the count on the A4 page of EcrirePdf.
  std::function<int(const QPaintDevice& appareil, const QRectF& zone)> compterPages;
};

// The smallest stroke on paper.
constexpr double TraitMinimalMm = 0.25;
// A pen of `mm` millimetres (at least TraitMinimalMm) on the painter's device.
QPen PlumeMm(const QPainter& p, const QColor& couleur, double mm);
// The page every PDF and picture of a document is made on: A4, 10 mm margins.
constexpr double MargeMm = 10;

// --- The calculation stamp --------------------------------------------------

struct ContexteCachet {
  int systemeMaisons = 0;  // 0: no houses shown
  QString fuseau;          // the zone of the moment shown, as typed ("01.00.00"); empty: Universal Time
  QString sourceFuseau;    // "Europe/Paris, CEST, heure d'été"; empty: typed by hand
  double jourJulienTU = 0; // the moment shown (ΔT); 0: none
  QDateTime date;          // of the print; invalid: now
};

// The stamp, one fact a line (UTF-8): program and version; "Swiss Ephemeris", its version
// and the data files read; the ΔT rule at the moment shown; the house system; the zone and
// where it comes from; the date of the print. Same lines on paper and in CSV comments.
QStringList LignesCachet(const ContexteCachet& c);
// The same lines at the head of a CSV (a window's export, the command line's --stamp): the
// date line says when the file was written, "Exporté le …" where the paper says "Imprimé le …".
QStringList CachetCsv(const QStringList& cachet);

// The zone's source of a record, when something (the atlas) can tell it; "" otherwise.
using SourceDuFuseau = std::function<QString(const FicheClient&)>;
void DefinirSourceDuFuseau(SourceDuFuseau source);  // empty: none
QString SourceDuFuseauDe(const FicheClient& f);     // "" when none is set or it cannot tell
// The context of the current chart: its houses, its zone and source, its moment.
ContexteCachet ContexteDuTheme(const EtatTheme& e);

// --- Output -------------------------------------------------------------------

// Paints every page on a device that is ready (printer, PDF writer, picture): the
// painter's pages, then the stamp at the foot of each. `nouvellePage` is called between
// pages (false stops). False when no painter can start on the device.
bool PeindreDocument(QPaintDevice& appareil, const DocumentImprime& d, const std::function<bool()>& nouvellePage);

// A PDF of the document on A4 (MargeMm margins), at `pointsParPouce`; black and white when
// `noirEtBlanc` or the document says so. False, with a French `erreur`, when the file
// cannot be written.
bool EcrirePdf(const DocumentImprime& d, const QString& chemin, bool noirEtBlanc, QString* erreur = nullptr,
               int pointsParPouce = 600);

// The printable area of every page as pictures (white background), for the screen and for checks.
std::vector<QImage> RendreDocument(const DocumentImprime& d, double pointsParPouce, bool noirEtBlanc);

// For checks: the device-space bounds of everything painted on each page of the
// printable area (stamp included), and the area itself; nothing is drawn anywhere.
struct PageTracee {
  QRectF page;   // the printable area
  QRectF zone;   // the part left to the painter
  std::vector<QRectF> elements;
  std::size_t elementsDuPeintre = 0;  // the first ones, before the stamp's
  std::vector<QString> textes;  // each piece of text, in painting order
};
std::vector<PageTracee> TracerDocument(const DocumentImprime& d, double pointsParPouce = 600);

}  // namespace selvane
