#pragma once
// A field's text as the user sees it, for the messages about it: a masked field gives its
// whole pattern, the positions still to type as blanks ("1 .  .    "), where text() would
// drop them ("1..") and displayText() would show the mask's "_".
#include <QLineEdit>
#include <QString>

namespace selvane {

inline QString TexteSaisi(const QLineEdit* champ) {
  const QString masque = champ->inputMask();
  if (masque.isEmpty()) return champ->text();
  const qsizetype separateur = masque.lastIndexOf(';');
  const QChar blanc = separateur >= 0 && separateur + 1 < masque.size() ? masque[separateur + 1] : QChar(' ');
  QString texte = champ->displayText();
  texte.replace(blanc, QChar(' '));
  return texte;
}

}  // namespace selvane
