#pragma once
// The colours of one picture, from the settings and the drawing options.
#include <QColor>

#include "reglages/Reglages.h"

namespace selvane {

// The frame's display choices, handed to every painter.
struct OptionsDessin {
  bool impressionCouleur = true;     // "Couleurs": print in colour
  bool fondsSignesColores = false;   // "Fonds des signes colorés"
};

// A colour of the settings files (0x00BBGGRR).
QColor EnQColor(Couleur c);

// The colours one drawing uses: screen, colour print or black print.
struct Palette {
  QColor fond, texte, traits, maisons;
  QColor corps[25];
  QColor fondSignes[4], signes[4], aspects[9];
  bool secteursColores;
  bool ombre;  // print: grey shadow under glyphs
};

Palette PaletteEcran(const Reglages& r);
Palette PaletteImpression(const Reglages& r, const OptionsDessin& options);

}  // namespace selvane
