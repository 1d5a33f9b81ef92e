#pragma once
// A window that computes its own charts into the chart state (transits, returns, events)
// borrows it through one of these, taken when it opens: what it borrowed comes back once,
// when the window closes or when the guard goes, whichever comes first.
#include <optional>

#include "birthdata/records/FicheClient.h"
#include "core/Calcul.h"
#include "core/EtatTheme.h"

namespace selvane {

class EmpruntEtat {
 public:
  enum Genre {
    // The birth record is kept; giving back puts it back and recomputes the chart from it
    // (the dial and the forecast windows: the radix they opened on becomes current again).
    RendreLaFiche,
    // The whole state is kept and comes back exactly as it was, nothing recomputed (a chart
    // computed on the side, such as a listing redrawn with new options).
    RendreToutLEtat,
  };
  explicit EmpruntEtat(Genre genre = RendreLaFiche, float ecartGlyphes = EcartGlyphes65);
  // Gives back when that was not done yet; a failing recomputation is then silent (the
  // record is back all the same).
  ~EmpruntEtat();
  EmpruntEtat(const EmpruntEtat&) = delete;
  EmpruntEtat& operator=(const EmpruntEtat&) = delete;

  // The record as it was when the state was borrowed.
  const FicheClient& Fiche() const { return fiche_; }
  // Gives back now; later calls do nothing. The record is back before the chart is
  // recomputed, so an error of the computation (thrown) leaves the record restored.
  void Rendre();
  bool Rendu() const { return rendu_; }

 private:
  FicheClient fiche_;
  std::optional<EtatTheme> etat_;
  float ecart_;
  bool rendu_ = false;
};

}  // namespace selvane
