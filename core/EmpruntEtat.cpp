#include "core/EmpruntEtat.h"

namespace selvane {

EmpruntEtat::EmpruntEtat(Genre genre, float ecartGlyphes) : fiche_(Etat().FicheEnCours), ecart_(ecartGlyphes) {
  if (genre == RendreToutLEtat) etat_ = Etat();
}

EmpruntEtat::~EmpruntEtat() {
  try {
    Rendre();
  } catch (...) {
    // The record was right when it was borrowed; it is back even if the chart is not.
  }
}

void EmpruntEtat::Rendre() {
  if (rendu_) return;
  rendu_ = true;
  if (etat_) {
    Etat() = *etat_;
    return;
  }
  Etat().FicheEnCours = fiche_;
  CalculerTheme(ecart_);
}

}  // namespace selvane
