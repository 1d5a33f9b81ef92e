#pragma once
// The chart wheel, its header and its aspect table: one painter routine for the
// listing window, the printed sheet and the tests. The painters draw the chart they
// are given and leave the chart state alone.
#include <QPainter>
#include <QSize>

#include "core/EtatTheme.h"
#include "dessin/Document.h"
#include "dessin/Palette.h"
#include "reglages/Reglages.h"
#include "dessin/Roue.h"

namespace selvane {

// A chart drawn into a surface of the given size, as the listing window shows it.
// petitEcran: the screen is less than 600 pixels high (smaller fonts).
GeometrieRoue DessinerTheme(QPainter& p, QSize taille, const EtatTheme& theme, const Reglages& reglages,
                            const OptionsDessin& options, bool petitEcran = false);

// The printed chart sheet of a computed chart on a portrait page; returns the wheel's geometry.
GeometrieRoue ImprimerFeuille(QPainter& p, QSize page, const EtatTheme& theme, const Reglages& reglages,
                              const OptionsDessin& options);

// The sheet as a printed document: one portrait page, black and white unless "Couleurs",
// the chart's stamp in the footer. `theme` and `reglages` must outlive it.
DocumentImprime DocumentFeuille(const EtatTheme& theme, const Reglages& reglages, const OptionsDessin& options);

}  // namespace selvane
