#pragma once
// The dial picture: crowns, scale of the harmonic, the three rings of glyphs, pointer,
// midpoint lines, house frames and the sign ring for H = 1. One routine for the window,
// the printed page and the tests; it draws the values it is given and reads no global state.
#include <QPainter>
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "dial/ModeleCadran.h"
#include "reglages/Reglages.h"

namespace selvane {

struct OptionsCadran {
  bool couronnesColorees = true;  // "Couronnes" (false: "Planètes", glyphs in body colours)
  bool impression = false;        // printer page: thicker frames, printed sign colours, black glyphs
  bool modeHorloge = false;       // rings 1 and 2 without glyphs
  bool noirEtBlanc = false;       // printed in black: scale, pointer and lines black

  bool pointeur = true;
  double directionPointeur = 0;   // dial angle D
  double decalageKarmique = 0;    // turns the pointer head
  int coucheDe = CoucheArcSolaire;    // the cross's radius
  int coucheVers = CoucheNatale;      // the lines' radius
  std::vector<LigneMiPoint> lignes;

  // H = 1 only.
  CadreMaisons maisonsNatales;    // axe = AxeAucun: none
  CadreMaisons maisonsTransit;
  bool ascKarmique = false;
  double ascKarmiqueNatal = 0, ascKarmiqueDirige = 0;

  // Mark of a picked lunation or eclipse (glyph font "Celvan S" text, Windows-1252).
  std::string marqueEvenement;
};

// The options of a refresh from the model and the selection (pointer, lines, karmic marks;
// for H = 1 the natal meridian frame the window opens on: a window sets its chosen axes after).
OptionsCadran OptionsDeLaSelection(const ModeleCadran& m, const SelectionCadran& s, const std::bitset<256>& jeu,
                                   bool couronnesColorees);

// The colours of the fixed crown table (slots 1..9), white when the crowns are not coloured.
QColor CouleurCouronne(int slot, bool couronnesColorees);

// The whole dial in the square of side zone.height() at the left edge of zone, centred
// horizontally in it; returns the geometry used (for picking and "Copier").
GeometrieCadran DessinerCadran(QPainter& p, const QRect& zone, const ModeleCadran& m, const Reglages& reglages,
                               const OptionsCadran& options);

// The degree scale of a harmonic as data: labels centred on 0.55 R0 and ticks ending on
// 0.60 R0, each at a dial angle; a tick's length is its share of the scale band.
struct EchelleCadran {
  struct Etiquette {
    QString texte;
    double angle;
  };
  struct Trait {
    double angle;
    double part;
    bool rouge;
  };
  std::vector<Etiquette> etiquettes;
  std::vector<Trait> traits;
};
EchelleCadran EchelleDuCadran(int harmonique);

// The square "Copier" puts on the clipboard: 2 R0 wide around the centre.
QRect ZoneCopier(const GeometrieCadran& g);

// The parts, for the printer's own layout.
void NettoyerCentre(QPainter& p, const GeometrieCadran& g, const ModeleCadran& m, const Reglages& reglages,
                    const OptionsCadran& options);
void DessinerPointeurEtLignes(QPainter& p, const GeometrieCadran& g, const ModeleCadran& m,
                              const OptionsCadran& options);
void DessinerMaisonsNatales(QPainter& p, const GeometrieCadran& g, const CadreMaisons& cadre, bool impression,
                            bool sansPointAxe);
// In black and white (`noirEtBlanc`) the frame's green turns black.
void DessinerMaisonsTransit(QPainter& p, const GeometrieCadran& g, const CadreMaisons& cadre, bool impression,
                            bool natalAbsent, bool noirEtBlanc = false);
void DessinerZodiaque(QPainter& p, const GeometrieCadran& g, const QColor& plume, double taille, int rayonExterieur,
                      int rayonInterieur, bool impression, const Reglages& reglages);

}  // namespace selvane
