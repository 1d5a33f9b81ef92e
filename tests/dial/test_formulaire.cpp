#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QAbstractItemView>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "birthdata/records/ErreurFichier.h"
#include "dial/PanneauFormulaire.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/PlateformeTemoin.h"
#include "widgets/GrilleTexte.h"

using namespace selvane;

namespace {

QApplication& Application() { return ApplicationDeTest<QApplication>(); }

// One 111-byte record; the length bytes may lie, to build damaged files.
std::string Enregistrement(const std::string& texte, char a, char b, char c, const std::string& cle,
                           int longueurTexte = -1, int longueurCle = -1) {
  std::string e(TailleFormeImage, '\0');
  e[0] = static_cast<char>(longueurTexte < 0 ? texte.size() : longueurTexte);
  e.replace(1, texte.size(), texte);
  e[101] = a;
  e[102] = b;
  e[103] = c;
  e[104] = static_cast<char>(longueurCle < 0 ? cle.size() : longueurCle);
  e.replace(105, cle.size(), cle);
  return e;
}

void Ecrire(const std::filesystem::path& chemin, const std::string& octets) {
  std::ofstream(chemin, std::ios::binary) << octets;
}

class FormulaireTest : public ::testing::Test {
 protected:
  void SetUp() override { Application(); }
  DossierProgramme dossier{"formulaire"};
  TemoinInstalle temoin;
  // Three pictures out of key order and out of C order; "\xe9" is an accented letter of the code page.
  std::string trois = Enregistrement("Union heureuse", 'A', 'F', 'B', "030201") +
                      Enregistrement("D\xe9part", 'B', 'C', 'A', "010203") +
                      Enregistrement("Rencontre", '\xf4', 'E', 'C', "020301");

  // Picks item `item` (0-based) in the open list with the keyboard, then Enter, as a user does.
  void Choisir(PanneauFormulaire& p, int item) {
    QTest::mouseClick(p.BoxChoix, Qt::LeftButton);
    QAbstractItemView* liste = p.BoxChoix->view();
    for (int essais = 0; essais < 12 && liste->currentIndex().row() != item; ++essais)
      QTest::keyClick(liste, liste->currentIndex().row() < item ? Qt::Key_Down : Qt::Key_Up);
    QTest::keyClick(liste, Qt::Key_Return);
  }
  QStringList Colonne(const PanneauFormulaire& p, int c) {
    QStringList textes;
    for (int l = 0; l < p.Formulaire->rowCount(); ++l) textes << p.Formulaire->Texte(l, c);
    return textes;
  }
};

TEST_F(FormulaireTest, LeLecteurRefuseLesFichiersAbimesSansPlanter) {
  struct Cas {
    const char* nom;
    std::string octets;
    int formes;  // -1: refused
  } cas[] = {
      {"vide", "", 0},
      {"deux", trois.substr(0, 222), 2},
      {"un octet de trop", trois + "x", -1},
      {"un octet de moins", trois.substr(0, 332), -1},
      {"texte annonce 101", Enregistrement("abc", 'A', 'B', 'C', "1", 101), -1},
      {"texte annonce 255", Enregistrement("abc", 'A', 'B', 'C', "1", 255), -1},
      {"cle annonce 7", Enregistrement("abc", 'A', 'B', 'C', "1", -1, 7), -1},
      {"longueurs maximales", Enregistrement(std::string(100, 'x'), 'A', 'B', 'C', "123456"), 1},
  };
  for (const Cas& c : cas) {
    Ecrire(dossier / "4.frm", c.octets);
    if (c.formes < 0) {
      EXPECT_THROW(ChargerFormesImages(dossier.Chemin().string(), 4), ErreurFichier) << c.nom;
    } else {
      const auto formes = ChargerFormesImages(dossier.Chemin().string(), 4);
      EXPECT_EQ(formes.size(), static_cast<size_t>(c.formes)) << c.nom;
    }
  }
  const auto max = ChargerFormesImages(dossier.Chemin().string(), 4);
  EXPECT_EQ(max[0].Texte, std::string(100, 'x'));
  EXPECT_EQ(max[0].Cle, "123456");
}

TEST_F(FormulaireTest, UnThemeSeChargeSeTrieEtSExporte) {
  Ecrire(dossier / "2.frm", trois);
  PanneauFormulaire p(QString::fromStdString(dossier.Chemin().string()));
  p.show();
  EXPECT_EQ(p.BoxChoix->count(), 11);
  EXPECT_EQ(p.BoxChoix->itemText(1), QString::fromUtf8("Problématique du couple et affective"));
  EXPECT_TRUE(p.BtnSort->isHidden());
  EXPECT_TRUE(p.BtnExport->isHidden());

  Choisir(p, 1);
  ASSERT_EQ(p.Formulaire->rowCount(), 3);
  EXPECT_EQ(Colonne(p, 0), (QStringList{"Union heureuse", QString::fromUtf8("Départ"), "Rencontre"}));  // file order
  EXPECT_EQ(p.Formulaire->Texte(2, 1), QString(QChar(0xF4)));
  EXPECT_FALSE(p.BtnSort->isHidden());
  EXPECT_FALSE(p.BtnExport->isHidden());

  QTest::mouseClick(p.BtnSort, Qt::LeftButton);
  EXPECT_EQ(Colonne(p, 4), (QStringList{"010203", "020301", "030201"}));

  QTest::mouseClick(p.BtnExport, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(),
            QString::fromUtf8("Départ\tB\tC\tA\r\nRencontre\t\u00f4\tE\tC\r\nUnion heureuse\tA\tF\tB\r\n"));
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "information");
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Collez le tableau à 4 colonnes et 3 lignes"));
}

TEST_F(FormulaireTest, EnsembleDesImagesRangeParPointRetranche) {
  Ecrire(dossier / "11.frm", trois);
  PanneauFormulaire p(QString::fromStdString(dossier.Chemin().string()));
  p.show();
  Choisir(p, 10);
  EXPECT_EQ(p.BoxChoix->currentText(), "Ensemble des images");
  EXPECT_EQ(Colonne(p, 3), (QStringList{"A", "B", "C"}));
}

TEST_F(FormulaireTest, FichierVideManquantOuAbime) {
  Ecrire(dossier / "1.frm", trois);
  Ecrire(dossier / "3.frm", "");
  Ecrire(dossier / "5.frm", trois + "xyz");
  PanneauFormulaire p(QString::fromStdString(dossier.Chemin().string()));
  p.show();

  Choisir(p, 2);  // empty file: empty grid, an empty copy of 0 lines
  EXPECT_EQ(p.Formulaire->rowCount(), 0);
  QApplication::clipboard()->setText("avant");
  QTest::mouseClick(p.BtnExport, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), "");
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Collez le tableau à 4 colonnes et 0 lignes"));

  Choisir(p, 0);
  ASSERT_EQ(p.Formulaire->rowCount(), 3);
  Choisir(p, 3);  // 4.frm is missing: the error text, the rows stay
  Choisir(p, 4);  // 5.frm has a torn record
  ASSERT_EQ(temoin.messages.size(), 3);
  EXPECT_EQ(temoin.messages[1].genre, "erreur");
  EXPECT_TRUE(temoin.messages[1].texte.contains("4.frm")) << temoin.messages[1].texte.toStdString();
  EXPECT_EQ(temoin.messages[2].texte,
            QString::fromUtf8("5.frm : taille de 336 octets, pas un multiple de 111"));
  EXPECT_EQ(p.Formulaire->rowCount(), 3);
  EXPECT_EQ(p.Formulaire->Texte(0, 0), "Union heureuse");
}

TEST_F(FormulaireTest, FermerOuCliquerSurLePanneauLeCache) {
  PanneauFormulaire p(QString::fromStdString(dossier.Chemin().string()));
  p.show();
  QTest::mouseClick(p.BtnFermerFormulaire, Qt::LeftButton);
  EXPECT_TRUE(p.isHidden());
  p.show();
  QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(2, p.height() - 2));
  EXPECT_TRUE(p.isHidden());
}

TEST_F(FormulaireTest, LesOnzeFichiersInstallesSeLisent) {
  for (int n = 1; n <= 11; ++n) {
    const std::string nom = std::to_string(n) + ".frm";
    dossier.Installer(nom.c_str());
    EXPECT_FALSE(ChargerFormesImages(dossier.Chemin().string(), n).empty()) << nom;
  }
}

}  // namespace
