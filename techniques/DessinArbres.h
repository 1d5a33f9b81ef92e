#pragma once
// The midpoint trees drawn side by side in columns, one routine for the window's tall picture
// and the printed page; the page itself, which the window and the command line both print,
// and the trees as a sheet.
#include <QPainter>
#include <QStringList>
#include <string>
#include <vector>

#include "core/EtatTheme.h"
#include "dessin/Document.h"
#include "dessin/Feuille.h"
#include "techniques/ArbresMP.h"

namespace selvane {

struct EnteteArbres {
  std::string titre;   // bold line (Windows-1252)
  std::string detail;  // second line
};
// The current chart's header for harmonic 1..16 and orb item 0..23 (the window's lists).
EnteteArbres EnteteDesArbres(const EtatTheme& e, int harmonique, int itemOrbe);
// Draws the trees (`imprimante`: the printer's font size, margins and line limit, and
// the header when there are not too many rows); returns the number of hits. `hauteur`, when
// given, is the height the page leaves: the columns of trees stop above it.
int DessinerArbres(QPainter& p, const std::vector<ArbreMP>& arbres, bool imprimante, const EnteteArbres& entete,
                   double hauteur = 0);

// The trees as a sheet: one row a line of a tree, in the order drawn (the root's own line
// in its place), with the tree's body, the body or the two bodies of the line, the offset.
Feuille FeuilleArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete);

// The printed page: every tree in columns that stop above the stamp. Too many hits
// (NombreMiPoints > MiPointsMax): the trees without the header.
DocumentImprime DocumentArbres(const std::vector<ArbreMP>& arbres, const EnteteArbres& entete, const QStringList& cachet);

}  // namespace selvane
