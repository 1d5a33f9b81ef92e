#pragma once
// A view's context menu as a user opens it (right-click), and the content of a written file,
// for the widget tests of copying and exporting.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

#include "tests/support/PlateformeTemoin.h"

// Right-click in the view, then the menu's item.
inline void ChoisirDansLeMenu(QAbstractScrollArea* vue, const QString& libelle) {
  bool vu = false;
  QTimer::singleShot(0, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* a : menu->actions())
      if (a->text() == libelle) {
        vu = true;
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(a).center());
        return;
      }
    menu->close();
  });
  const QPoint ici = vue->viewport()->rect().center();
  QContextMenuEvent clic(QContextMenuEvent::Mouse, ici, vue->viewport()->mapToGlobal(ici));
  QApplication::sendEvent(vue->viewport(), &clic);
  EXPECT_TRUE(vu) << libelle.toStdString();
}

inline std::string LireFichierTest(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// "Exporter CSV…" onto a read-only file: the French refusal, the file left as it was.
inline void VerifierExportRefuse(QAbstractScrollArea* vue, const std::filesystem::path& csv, selvane::PlateformeTemoin& temoin) {
  {
    std::ofstream(csv, std::ios::binary | std::ios::trunc) << "ancien\n";
  }
  std::filesystem::permissions(csv, std::filesystem::perms(0444));
  temoin.fichiers << QString::fromStdString(csv.string());
  ChoisirDansLeMenu(vue, QString::fromUtf8("Exporter CSV…"));
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_EQ(temoin.messages[0].texte.toStdString(), "Accès refusé. (" + csv.string() + ")");
  EXPECT_EQ(LireFichierTest(csv), "ancien\n");
}
