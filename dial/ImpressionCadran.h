#pragma once
// The printed dial page: header, the dial at printer scale with pointer and lines (house
// frames and sign ring for H = 1), the three charts' positions and the midpoint tree.
#include <QPainter>
#include <QString>
#include <QStringList>
#include <vector>

#include "dessin/Document.h"
#include "dessin/Feuille.h"
#include "dessin/Palette.h"
#include "dial/DessinCadran.h"

namespace selvane {

// The tree rows as the window lists them: first glyph, offset text, second glyph.
struct LigneArbreImprimee {
  QString glyphe1, ecart, glyphe2;
};

struct PageCadran {
  const ModeleCadran* modele = nullptr;
  OptionsCadran options;     // the screen's pointer, lines and frames
  bool couleur = true;       // the answer to "Imprimer en couleurs ? "
  OptionsDessin dessin;      // the frame's sign backgrounds (its colour flag follows `couleur`)
  QStringList gauche;        // name, "NATAL", date line, place, coordinates line
  QStringList droite;        // "Arc Sol & Transits", date, time and zone, place, coordinates, solar arc
  QString titreArbre;        // the tree button's caption
  std::vector<LigneArbreImprimee> arbre;
};

// The dial's grids as sheets, built from the model alone: the window shows, copies and
// exports them, the page prints the tree's first three columns.
// Positions: each body's glyph, then for the natal, solar-arc and transit charts its
// longitude and its position in the harmonic's dial (captions "H" + harmonic).
Feuille FeuillePositionsCadran(const ModeleCadran& m);
// The selection's midpoint tree (`lignes`, from RemplirArbre): its title is the tree button's caption (reference glyph and
// angle); rows first glyph, offset, second glyph, harmonic, key and sort text, the reference
// row (" - glyph - ") in its place in the offset order. The last two columns have no width.
Feuille FeuilleArbreCadran(const ModeleCadran& m, const SelectionCadran& s, const std::vector<LigneArbre>& lignes);
// The natal house cusps of the frame on `axe` (captions "ARMC = " and the sidereal time):
// "Mais 1".."Mais 12" and each cusp (glyphs; empty without an axis).
Feuille FeuilleMaisonsCadran(const ModeleCadran& m, int axe);
// The printed tree rows of that sheet.
std::vector<LigneArbreImprimee> ArbreImprime(const Feuille& arbre);

// At most this many tree rows fit under the dial.
constexpr int LignesArbreImprimees = 23;

// The right-hand header's zone line: " (GMT ", a sign unless the text has one, the zone, " )".
QString TexteGmt(const QString& heure, const QString& fuseau);
// The date line of the right-hand header, marked for a solar ("RS") or lunar ("RL") return.
QString TexteDateRetour(const QString& date, const std::string& nomFichier);

// Draws the page on a painter whose device is W pixels wide.
void ImprimerCadran(QPainter& p, int largeur, const PageCadran& page, const Reglages& reglages);

// The left-hand header of the natal chart `e` (the state as the dial opens, before any other
// moment is computed into it): name, "NATAL", date line, place, coordinates line.
QStringList EnteteNatale(const EtatTheme& e, const ModeleCadran& m);
// The page of a dial computed without its window, as the window fills it for that moment:
// the natal header `gauche`, the right-hand one from the moment's fields `c` (its date marked
// by `retour`: "RS", "RL" while a return itself is shown, else "") and the chart state `e`,
// the selection's tree with its reference row, no house frames.
PageCadran PageDuModele(const ModeleCadran& m, const SelectionCadran& s, const EtatTheme& e, const QStringList& gauche,
                        const ChampsMoment& c, const std::string& retour, bool couleur, bool couronnesColorees);

// The page as a printed document, black and white when not `couleur`; the model and the
// settings must outlive it.
DocumentImprime DocumentCadran(const PageCadran& page, const Reglages& reglages, const QStringList& cachet);

}  // namespace selvane
