#pragma once
// Typing into a window's fields as a user does, for the widget tests.
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// Click the field, replace its text by typing or by pasting (long texts and
// characters no key gives arrive that way), then leave it with Tab.
inline void Remplir(QLineEdit* champ, const QString& texte, bool coller = false) {
  QTest::mouseClick(champ, Qt::LeftButton);
  QTest::keySequence(champ, QKeySequence::SelectAll);
  QTest::keyClick(champ, Qt::Key_Delete);
  if (coller || texte.size() > 40 || texte.contains(QRegularExpression("[^\\x20-\\x7e]"))) {
    QGuiApplication::clipboard()->setText(texte);
    QTest::keySequence(champ, QKeySequence::Paste);
  } else {
    QTest::keyClicks(champ, texte);
  }
  QTest::keyClick(champ, Qt::Key_Tab);
}

// The window's button of that caption (spaces around it aside), or nullptr.
inline QPushButton* Bouton(QWidget* fenetre, const QString& titre) {
  for (QPushButton* b : fenetre->findChildren<QPushButton*>())
    if (b->text().trimmed() == titre) return b;
  return nullptr;
}

// Texts no field should store whole: empty, 10,000 characters, control
// characters, characters outside Windows-1252, lone signs.
inline QStringList TextesHostiles() {
  return {"", QString(10000, QChar('9')), QString(10000, QChar(0xE9)), QString::fromUtf8("\t\x01\x1b\r\nA\nB"),
          QString::fromUtf8("日本語 😀 Ωџ"), "-", "."};
}
