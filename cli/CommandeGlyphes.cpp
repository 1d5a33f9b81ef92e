// selvane-cli glyphs --png FILE: every symbol of "Celvan S" in a labelled grid.
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Avertissements.h"
#include "core/Catalogue.h"
#include "cli/ApplicationHorsEcran.h"
#include "cli/Commandes.h"
#include "cli/Outils.h"

namespace selvane {

int CommandeGlyphes(const Appel& a) {
  // One option, once.
  if (a.argc != 2) {
    Avertir(a.Usage());
    return 2;
  }
  OptionsLues lues;
  if (!a.Lire(lues)) return 2;
  const std::string png = lues.Valeur("--png");
  // No display is needed to draw into a picture.
  const auto application = OuvrirApplicationHorsEcran();
  if (!application) return 2;
  constexpr int colonnes = 6, largeurCase = 150, hauteurCase = 64;
  const int lignes = (static_cast<int>(CodesGlyphes.size()) + colonnes - 1) / colonnes;
  QImage image(colonnes * largeurCase, 40 + lignes * hauteurCase, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QFont titre("DejaVu Sans", 11, QFont::Bold);
  p.setFont(titre);
  p.drawText(10, 26, "Celvan S : code, caractère, symbole");
  QFont texte("DejaVu Sans", 9);
  QFont glyphe("Celvan S", 26);
  for (std::size_t i = 0; i < CodesGlyphes.size(); ++i) {
    const int x = static_cast<int>(i % colonnes) * largeurCase;
    const int y = 40 + static_cast<int>(i / colonnes) * hauteurCase;
    const QChar c(static_cast<ushort>(CodesGlyphes[i]));  // Windows-1252 0xA0..0xFF is Latin-1
    p.setPen(QColor(200, 200, 200));
    p.drawRect(x, y, largeurCase - 1, hauteurCase - 1);
    p.setPen(Qt::black);
    p.setFont(texte);
    p.drawText(x + 6, y + 20, QString::number(CodesGlyphes[i]));
    p.drawText(x + 6, y + 44, QString("« ") + c + " »");
    p.setFont(glyphe);
    p.drawText(QRect(x + 60, y, largeurCase - 64, hauteurCase), Qt::AlignCenter, QString(c));
  }
  p.end();
  if (!image.save(QString::fromLocal8Bit(png.c_str()), "PNG")) {
    Avertir("Impossible d'écrire " + png);
    return 2;
  }
  return 0;
}

}  // namespace selvane
