#include "dessin/Palette.h"

namespace selvane {

QColor EnQColor(Couleur c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Palette PaletteEcran(const Reglages& r) {
  Palette pal;
  pal.fond = EnQColor(r.CouleurFondEcran);
  pal.texte = EnQColor(r.CouleurTexteEcran);
  pal.traits = EnQColor(r.CouleurTexteEcran);
  pal.maisons = Qt::red;
  for (int i = 1; i <= 24; ++i) pal.corps[i] = EnQColor(r.CouleursCorpsEcran[i]);
  for (int i = 0; i < 4; ++i) {
    pal.fondSignes[i] = EnQColor(r.CouleursFondSignesEcran[i]);
    pal.signes[i] = EnQColor(r.CouleurTexteEcran);
  }
  for (int i = 0; i < 9; ++i) pal.aspects[i] = EnQColor(r.CouleursAspectsEcran[i]);
  pal.secteursColores = true;
  pal.ombre = false;
  return pal;
}

Palette PaletteImpression(const Reglages& r, const OptionsDessin& options) {
  const bool couleur = options.impressionCouleur;
  Palette pal;
  pal.fond = Qt::white;
  pal.texte = Qt::black;
  pal.traits = Qt::black;
  pal.maisons = couleur ? QColor(Qt::red) : QColor(Qt::black);
  for (int i = 1; i <= 24; ++i) pal.corps[i] = couleur ? EnQColor(r.CouleursCorpsImpression[i]) : QColor(Qt::black);
  for (int i = 0; i < 4; ++i) {
    pal.fondSignes[i] = EnQColor(r.CouleursFondSignesImpression[i]);
    pal.signes[i] = couleur ? EnQColor(r.CouleursSignesImpression[i]) : QColor(Qt::black);
  }
  for (int i = 0; i < 9; ++i) pal.aspects[i] = couleur ? EnQColor(r.CouleursAspectsImpression[i]) : QColor(Qt::black);
  pal.secteursColores = options.fondsSignesColores;
  pal.ombre = couleur;
  return pal;
}

}  // namespace selvane
