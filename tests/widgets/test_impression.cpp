// Printing: the document layer (black and white, the calculation stamp, PDF files), the one
// print routine (dialog, preview, PDF export, errors) and every window's printed page, checked
// through the document each window hands to the routine.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <cstdlib>
#include <optional>

#include "VersionSelvane.h"
#include "birthdata/TFormLoadData.h"
#include "birthdata/records/FichierNaissance.h"
#include "core/Calcul.h"
#include "core/Ephemerides.h"
#include "core/EtatTheme.h"
#include "dessin/Document.h"
#include "dessin/Feuille.h"
#include "dessin/Traits.h"
#include "dial/TFormCosmo.h"
#include "forecast/TFormDirSol.h"
#include "forecast/TFormInterpret.h"
#include "widgets/GrilleTexte.h"
#include "frame/TMainForm.h"
#include "listing/DessinTheme.h"
#include "reglages/Reglages.h"
#include "forecast/DessinTableMiPoints.h"
#include "methode/ImagesGeometrie.h"
#include "techniques/DessinArbres.h"
#include "techniques/DessinCadres.h"
#include "techniques/DessinMandala.h"
#include "techniques/ImpressionTables.h"
#include "techniques/TFormArbresMP.h"
#include "techniques/TFormHouses.h"
#include "techniques/TFormLunaisons.h"
#include "techniques/TFormMandala.h"
#include "techniques/TFormQuickEphem.h"
#include "techniques/TFormSequences.h"
#include "tests/support/AppliDeTest.h"
#include "tests/support/DossierProgramme.h"
#include "tests/support/FicheDeTest.h"
#include "tests/support/Pdf.h"
#include "tests/support/PlateformeTemoin.h"
#include "tests/support/SaisieClavier.h"
#include "widgets/GrilleFeuille.h"
#include "widgets/Impression.h"
#include "widgets/Texte1252.h"

using namespace selvane;
namespace fs = std::filesystem;

namespace {

// A page with colour everywhere a painter can put it: pens, fills, a glyph font, a picture.
DocumentImprime DocumentColore(int pages) {
  DocumentImprime d;
  d.pages = pages;
  d.cachet = LignesCachet(ContexteCachet{});
  d.peindre = [](QPainter& p, const QRectF& zone, int page) {
    p.setPen(QPen(QColor(0, 160, 0), PixelsParMillimetre(p)));
    p.drawLine(zone.topLeft() + QPointF(20, 20), zone.center());
    p.setBrush(QColor(255, 200, 0));
    p.drawEllipse(zone.center(), zone.width() / 8, zone.width() / 8);
    p.fillRect(QRectF(zone.left() + 10, zone.bottom() - 60, 80, 40), QColor(40, 40, 255));
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 0));
    p.drawImage(QRectF(zone.right() - 90, zone.top() + 10, 80, 80), image);
    p.setPen(QColor(200, 0, 200));
    p.setFont(Police("Celvan S", 40));
    p.drawText(QPointF(zone.left() + 20, zone.center().y()), Glyphe('a') + Glyphe('A') + QString::number(page + 1));
  };
  return d;
}

// A page of a PDF as poppler draws it.
QImage ImagePdf(const fs::path& pdf, int page, int ppp) {
  const fs::path sortie = pdf.parent_path() / "rendu";
  const std::string commande = "pdftoppm -png -r " + std::to_string(ppp) + " -f " + std::to_string(page) + " -l " +
                               std::to_string(page) + " -singlefile '" + pdf.string() + "' '" + sortie.string() + "'";
  if (std::system(commande.c_str()) != 0) return {};
  return QImage(QString::fromStdString(sortie.string() + ".png"));
}

// Pixels that are not grey: their channels differ by more than rounding.
int PixelsColores(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QRgb c = image.pixel(x, y);
      const int r = qRed(c), g = qGreen(c), b = qBlue(c);
      n += std::max({r, g, b}) - std::min({r, g, b}) > 12;
    }
  return n;
}

class ImpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationDeTest<QApplication>();
    programme_.emplace("selvane_impression",
                       std::initializer_list<const char*>{"Celvan S.ttf", "Celvan F.ttf", "Celvan.ttf", "Zazazive.ttf",
                                                          "AMandala.bmp", "Vildef.def", "Zones_Numbers.tzn",
                                                          "TZDBCel.tzb", "France.cty"});
    dossier = programme_->Chemin();
    static const bool polices = [] {
      for (const char* f : {"Celvan S.ttf", "Celvan.ttf"})
        QFontDatabase::addApplicationFont(QString::fromStdString((fs::path(SELVANE_BIN_DIR) / f).string()));
      return true;
    }();
    (void)polices;
    ReinitialiserEtat();
    EcrireReglagesParDefaut(dossier);
    ChargerReglages(dossier.string());
    OuvrirEphemerides();
    std::bitset<256> jeu;
    for (int n = 1; n <= 20; ++n) jeu.set(n);
    DefinirJeuPlanetes(jeu);
    Etat().SystemeMaisons = 1;
    Etat().FicheEnCours = FicheDeTest();
    Etat().NomFichierNaissance = "Natal";
    Etat().NomAffiche = "Jean DUPONT";
    CalculerTheme(EcartGlyphes8);
    FigerNatal();
    temoin.fichierPdf = Chemin("page.pdf");
    ObserverImpressions([this](const DocumentImprime& d) { documents.push_back(d); });
  }
  void TearDown() override { ObserverImpressions({}); }

  QString Chemin(const char* nom) const { return QString::fromStdString((dossier / nom).string()); }

  // The last document handed to the routine (the dialog cancelled: nothing printed).
  DocumentImprime Document(const std::function<void()>& imprimer) {
    documents.clear();
    temoin.choixImpression = ChoixImpression::Annuler;
    imprimer();
    EXPECT_EQ(documents.size(), 1u);
    return documents.empty() ? DocumentImprime{} : documents.back();
  }

  // What every page must show: everything inside the printable area, the stamp on each page,
  // no colour once black and white; `nom` names the page (SELVANE_CAPTURES=folder keeps
  // pictures of it, in colour and in black, to look at). Returns the pages' traces.
  std::vector<PageTracee> Verifier(const DocumentImprime& d, const char* nom) {
    const std::vector<PageTracee> traces = TracerDocument(d, 300);
    EXPECT_EQ(static_cast<int>(traces.size()), d.pages) << nom;
    for (std::size_t i = 0; i < traces.size(); ++i) {
      const PageTracee& t = traces[i];
      // The painter's items inside its zone, above the stamp; the stamp's inside the page.
      const QRectF page = t.page.adjusted(-1.5, -1.5, 1.5, 1.5), zone = t.zone.adjusted(-1.5, -1.5, 1.5, 1.5);
      int dehors = 0;
      QRectF premier;
      for (std::size_t k = 0; k < t.elements.size(); ++k)
        if (!(k < t.elementsDuPeintre ? zone : page).contains(t.elements[k])) {
          if (dehors++ == 0) premier = t.elements[k];
        }
      EXPECT_EQ(dehors, 0) << nom << " page " << i + 1 << ": " << dehors << " items outside " << zone.width() << "x"
                           << zone.height() << ", the first at (" << premier.left() << ", " << premier.top()
                           << ") to (" << premier.right() << ", " << premier.bottom() << ")";
      const QString textes = QStringList(t.textes.begin(), t.textes.end()).join('\n');
      EXPECT_TRUE(textes.contains(QString("Selvane ") + SELVANE_VERSION)) << nom << " page " << i + 1;
      EXPECT_TRUE(textes.contains("Swiss Ephemeris")) << nom << " page " << i + 1;
    }
    const std::vector<QImage> noir = RendreDocument(d, 75, true);
    for (std::size_t i = 0; i < noir.size(); ++i) EXPECT_EQ(PixelsColores(noir[i]), 0) << nom << " page " << i + 1;
    if (const char* captures = std::getenv("SELVANE_CAPTURES")) {
      const std::vector<QImage> couleur = RendreDocument(d, 100, false);
      for (std::size_t i = 0; i < couleur.size(); ++i) {
        couleur[i].save(QString("%1/%2_%3.png").arg(captures, nom).arg(i + 1));
        RendreDocument(d, 100, true)[i].save(QString("%1/%2_%3_nb.png").arg(captures, nom).arg(i + 1));
      }
    }
    return traces;
  }

  // The printed texts of a page matching a pattern.
  static int Compter(const PageTracee& t, const char* motif) {
    const QRegularExpression r(QString::fromUtf8(motif));
    int n = 0;
    for (const QString& s : t.textes) n += r.match(s).hasMatch();
    return n;
  }

  std::optional<DossierProgramme> programme_;
  fs::path dossier;
  TemoinInstalle temoin;
  std::vector<DocumentImprime> documents;
};

}  // namespace

TEST_F(ImpressionTest, NoirEtBlancSansAucunPixelColoreEtCouleurSinon) {
  const DocumentImprime d = DocumentColore(1);
  EXPECT_GT(PixelsColores(RendreDocument(d, 75, false)[0]), 1000);
  EXPECT_EQ(PixelsColores(RendreDocument(d, 75, true)[0]), 0);
  // The coloured glyphs and strokes print black, not a pale grey.
  const QImage noir = RendreDocument(d, 75, true)[0];
  int sombres = 0;
  for (int y = 0; y < noir.height(); ++y)
    for (int x = 0; x < noir.width(); ++x) sombres += qGray(noir.pixel(x, y)) < 40;
  EXPECT_GT(sombres, 200);
  // The same in a PDF, read back as a picture.
  ASSERT_TRUE(EcrirePdf(d, Chemin("nb.pdf"), true, nullptr, 150));
  const QImage page = ImagePdf(dossier / "nb.pdf", 1, 50);
  ASSERT_FALSE(page.isNull());
  EXPECT_EQ(PixelsColores(page), 0);
}

TEST_F(ImpressionTest, LeCachetSurChaquePageEtDansLesLignesCsv) {
  const DocumentImprime d = DocumentColore(3);
  for (const PageTracee& t : Verifier(d, "cachet")) EXPECT_GT(t.zone.height(), 0.9 * t.page.height());
  ASSERT_TRUE(EcrirePdf(d, Chemin("trois.pdf"), false));
  const ContenuPdf pdf = LirePdf(dossier / "trois.pdf");
  ASSERT_EQ(pdf.pages, 3);
  int tampons = 0;
  const std::string date = "Imprimé le";
  for (std::size_t i = pdf.texte.find(date); i != std::string::npos; i = pdf.texte.find(date, i + 1)) ++tampons;
  EXPECT_EQ(tampons, 3);

  // One fact a line; a CSV export puts the same lines as comments, dated as written (CachetCsv).
  ContexteCachet c;
  c.systemeMaisons = 1;
  c.fuseau = "01.00.00";
  c.sourceFuseau = QString::fromUtf8("Europe/Paris, CET, heure d'hiver");
  c.date = QDateTime(QDate(2026, 3, 1), QTime(9, 5));
  const struct {
    double jour;
    const char* regle;
  } cas[] = {{2461000.5, "Swiss Ephemeris (après 2000)"}, {2434079.0, "table 1620–2000"},
             {2268932.5, "formule 948–1620"}, {2000000.5, "formule avant 948"}};
  for (const auto& k : cas) {
    c.jourJulienTU = k.jour;
    const QStringList l = LignesCachet(c);
    ASSERT_EQ(l.size(), 6);
    EXPECT_EQ(l[0], QString("Selvane ") + SELVANE_VERSION);
    EXPECT_TRUE(l[1].startsWith("Swiss Ephemeris 2.")) << l[1].toStdString();
    EXPECT_TRUE(l[2].startsWith(QString::fromUtf8("ΔT : "))) << l[2].toStdString();
    EXPECT_TRUE(l[2].contains(QString::fromUtf8(k.regle))) << l[2].toStdString();
    EXPECT_EQ(l[3], "Maisons : Placidus");
    EXPECT_EQ(l[4], QString::fromUtf8("Fuseau : 01.00.00, Europe/Paris, CET, heure d'hiver"));
    EXPECT_EQ(l[5], QString::fromUtf8("Imprimé le 01/03/2026 à 09:05"));
    const QStringList csv = CachetCsv(l);
    EXPECT_EQ(csv.mid(0, 5), l.mid(0, 5));
    EXPECT_EQ(csv.mid(5), QStringList{QString::fromUtf8("Exporté le 01/03/2026 à 09:05")});
    EXPECT_EQ(CsvFeuille(Feuille{}, l).find("Imprim"), std::string::npos);
  }
  // After a computation the files read are named; a zone typed by hand says so.
  const QStringList l = LignesCachet(ContexteDuTheme(Etat()));
  EXPECT_TRUE(l[1].contains(".se1")) << l[1].toStdString();
  EXPECT_EQ(l[4], QString::fromUtf8("Fuseau : 01.00.00, saisi"));
}

TEST_F(ImpressionTest, LesTraitsImprimesOntAuMoinsUnQuartDeMillimetre) {
  for (int ppp : {300, 1200}) {
    QImage image(10, 10, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(ppp / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(ppp / 0.0254));
    QPainter p(&image);
    EXPECT_NEAR(PlumeMm(p, Qt::black, 0.1).widthF(), 0.25 * ppp / 25.4, 0.05) << ppp;
    EXPECT_NEAR(PlumeMm(p, Qt::black, 0.5).widthF(), 0.5 * ppp / 25.4, 0.05) << ppp;
  }
}

TEST_F(ImpressionTest, LaRoutineImprimeMontreExporteOuSignaleEnFrancais) {
  const DocumentImprime d = DocumentColore(2);
  // Cancel: nothing anywhere.
  temoin.choixImpression = ChoixImpression::Annuler;
  EXPECT_FALSE(ImprimerDocument(d));
  EXPECT_FALSE(fs::exists(dossier / "page.pdf"));
  // Print (the double's printer writes a PDF).
  temoin.choixImpression = ChoixImpression::Imprimer;
  EXPECT_TRUE(ImprimerDocument(d));
  EXPECT_EQ(LirePdf(dossier / "page.pdf").pages, 2);
  // The preview paints the same pages.
  fs::remove(dossier / "page.pdf");
  temoin.choixImpression = ChoixImpression::Apercu;
  ImprimerDocument(d);
  EXPECT_EQ(temoin.apercus, 1);
  EXPECT_EQ(LirePdf(dossier / "page.pdf").pages, 2);
  // "Exporter en PDF…": the file chosen, ".pdf" added when missing.
  temoin.choixImpression = ChoixImpression::ExporterPdf;
  temoin.fichiers = {Chemin("export")};
  EXPECT_TRUE(ImprimerDocument(d));
  EXPECT_EQ(LirePdf(dossier / "export.pdf").pages, 2);
  // Cancelling the file chooser exports nothing.
  EXPECT_FALSE(ImprimerDocument(d));
  EXPECT_TRUE(temoin.messages.isEmpty());
  // A file that cannot be written, a printer that cannot be opened: a French error each.
  temoin.fichiers = {Chemin("absent/export.pdf")};
  EXPECT_FALSE(ImprimerDocument(d));
  ASSERT_EQ(temoin.messages.size(), 1);
  EXPECT_EQ(temoin.messages[0].genre, "erreur");
  EXPECT_EQ(temoin.messages[0].texte, QString::fromUtf8("Impossible d'écrire le fichier PDF ") + Chemin("absent/export.pdf"));
  temoin.choixImpression = ChoixImpression::Imprimer;
  temoin.fichierPdf = Chemin("absent/page.pdf");
  EXPECT_FALSE(ImprimerDocument(d));
  ASSERT_EQ(temoin.messages.size(), 2);
  EXPECT_EQ(temoin.messages[1].texte, QString::fromUtf8(MessageImprimanteRefusee));
}

// "Niveaux de gris" in the dialog prints, previews and exports the document's black and white.
TEST_F(ImpressionTest, LesNiveauxDeGrisDuDialogueDonnentLeNoirEtBlanc) {
  const DocumentImprime d = DocumentColore(1);
  for (bool gris : {false, true}) {
    temoin.niveauxDeGris = gris;
    for (ChoixImpression choix : {ChoixImpression::Imprimer, ChoixImpression::Apercu, ChoixImpression::ExporterPdf}) {
      fs::remove(dossier / "page.pdf");
      temoin.choixImpression = choix;
      temoin.fichiers = {Chemin("page.pdf")};
      ImprimerDocument(d);
      const int colores = PixelsColores(ImagePdf(dossier / "page.pdf", 1, 40));
      if (gris) {
        EXPECT_EQ(colores, 0) << static_cast<int>(choix);
      } else {
        EXPECT_GT(colores, 0) << static_cast<int>(choix);
      }
    }
  }
}

TEST_F(ImpressionTest, FeuilleDuTheme) {
  OptionsDessin couleur, noir;
  noir.impressionCouleur = false;
  Verifier(DocumentFeuille(Etat(), LesReglages(), couleur), "feuille");
  const DocumentImprime d = DocumentFeuille(Etat(), LesReglages(), noir);
  EXPECT_TRUE(d.noirEtBlanc);
  EXPECT_EQ(PixelsColores(RendreDocument(d, 75, false)[0]), 0);
}

TEST_F(ImpressionTest, LunaisonsDeuxAnsToutesLesLignesSurLaPage) {
  QPointer<TFormLunaisons> f(new TFormLunaisons(QString::fromStdString(dossier.string()), {}));
  f->show();
  auto* debut = f->findChild<QSpinBox*>("SpinEditDebut");
  auto* fin = f->findChild<QSpinBox*>("SpinEditFin");
  ASSERT_TRUE(debut && fin);
  debut->setValue(2023);
  fin->setValue(2024);
  QTest::mouseClick(f->findChild<QPushButton*>("BtnCalculer"), Qt::LeftButton);
  const int lignes = f->findChild<QTableWidget*>("GridEclipses")->rowCount();
  ASSERT_EQ(lignes, 66);
  const DocumentImprime d = Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); });
  const auto traces = Verifier(d, "lunaisons");
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(Compter(traces[0], "^\\d\\d/\\d\\d/\\d{4} - \\d\\dh\\d\\d$"), lignes);
  delete f.data();
}

TEST_F(ImpressionTest, PagesDesFenetresTechniques) {
  {
    auto* f = new TFormQuickEphem;
    f->show();
    f->findChild<QPushButton*>("BtnCalcul")->click();
    const auto traces =
        Verifier(Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); }), "ephemerides");
    ASSERT_EQ(traces.size(), 1u);
    EXPECT_EQ(Compter(traces[0], "^(Jan|Fév|Mar|Avr|Mai|Jui|Jul|Aoû|Sep|Oct|Nov|Déc)$"), 12);
    delete f;
  }
  {
    auto* f = new TFormSequences;
    f->show();
    Verifier(Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); }), "sequences");
    delete f;
  }
  {
    auto* f = new TFormMandala(QString::fromStdString(dossier.string()));
    f->show();
    Verifier(Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); }), "mandala");
    delete f;
  }
  {
    auto* f = new TFormArbresMP;
    f->show();
    QTest::mouseClick(f->findChild<QPushButton*>("BtnCalcul"), Qt::LeftButton);
    Verifier(Document([&] { f->findChild<QAbstractButton*>("SpeedButton1")->click(); }), "arbres");
    delete f;
  }
  {
    auto* f = new TFormHouses;
    f->show();
    Verifier(Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); }), "horoscopes");
    delete f;
  }
  {
    // The browser's file: 78 records on two pages, each with its stamp.
    std::vector<FicheClient> fiches;
    for (int i = 0; i < 78; ++i) {
      FicheClient f = FicheDeTest();
      f.Nom = "NOM" + std::to_string(100 + i);
      fiches.push_back(f);
    }
    RecrireFichierNaissance(dossier / "Grand.thz", fiches);
    TFormLoadData navigateur(QString::fromStdString(dossier.string()), {}, {});
    navigateur.Charger("Grand.thz");
    QPushButton* imprimer = nullptr;
    for (QPushButton* b : navigateur.findChildren<QPushButton*>())
      if (b->text() == "Imprimer fichier") imprimer = b;
    ASSERT_NE(imprimer, nullptr);
    const auto traces = Verifier(Document([&] { imprimer->click(); }), "fichier");
    ASSERT_EQ(traces.size(), 2u);
    EXPECT_EQ(Compter(traces[0], "^NOM\\d+$") + Compter(traces[1], "^NOM\\d+$"), 78);
    EXPECT_EQ(Compter(traces[1], "^NOM\\d+$"), 1);
  }
}

// The page a window prints and the one the command line writes from the same chart, each with
// its own calls (the command line's as in cli/, its options at their defaults, which are the
// windows' at opening): the same page to the pixel.
TEST_F(ImpressionTest, LaFenetreEtLaLigneDeCommandeImprimentLaMemePage) {
  const auto memePage = [&](const DocumentImprime& fenetre, DocumentImprime ligne, const char* nom) {
    SCOPED_TRACE(nom);
    ligne.cachet = fenetre.cachet;  // the print's minute aside
    EXPECT_EQ(ligne.noirEtBlanc, fenetre.noirEtBlanc);
    const std::vector<PageTracee> a = TracerDocument(fenetre, 300), b = TracerDocument(ligne, 300);
    ASSERT_EQ(a.size(), 1u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(a[0].textes, b[0].textes);
    EXPECT_EQ(a[0].elements, b[0].elements);
    for (bool noir : {false, true}) EXPECT_TRUE(RendreDocument(fenetre, 75, noir)[0] == RendreDocument(ligne, 75, noir)[0]);
  };
  const EtatTheme& e = Etat();
  {
    auto* f = new TFormHouses;
    f->show();
    const DocumentImprime fenetre = Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); });
    const ThemeCadres theme = ThemeDesCadres(e);
    std::array<DonneesCadre, 6> cadres;
    for (int i = 0; i < 6; ++i)
      cadres[static_cast<std::size_t>(i)] = DonneesDuCadre(theme, i, EcartCadresImprimes, std::nullopt, e.JeuPlanetes);
    memePage(fenetre, DocumentSixCadres(EnteteDesCadres(e), cadres, {}), "houses");
    // One frame, the meridian houses with their connections at the opening orb (--frame meridian
    // --connections).
    for (const char* nom : {"RadioPlan6", "CheckBoxConnexions", "RadioHoroscopeActuel"})
      QTest::mouseClick(f->findChild<QAbstractButton*>(nom), Qt::LeftButton, {}, QPoint(6, 6));
    const DocumentImprime un = Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); });
    const DonneesCadre meridien =
        DonneesDuCadre(theme, CadreMeridien, EcartCadresImprimes, OrbeConnexionDeg(11), e.JeuPlanetes);
    EXPECT_FALSE(meridien.connexions.empty());
    memePage(un, DocumentUnCadre(EnteteDesCadres(e), meridien, {}), "houses_meridian");
    delete f;
  }
  {
    auto* f = new TFormArbresMP;
    f->show();
    const DocumentImprime fenetre = Document([&] { f->findChild<QAbstractButton*>("SpeedButton1")->click(); });
    // The window's lists open on H4 and 0°30', the command's defaults.
    const std::vector<ArbreMP> arbres = CalculerArbres(LireLongitudesNatales(), e.JeuPlanetes, 4, OrbeArbres(5));
    memePage(fenetre, DocumentArbres(arbres, EnteteDesArbres(e, 4, 5), {}), "trees");
    delete f;
  }
  {
    auto* f = new TFormSequences;
    f->show();
    const DocumentImprime fenetre = Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); });
    const std::vector<PointSequence> points = TrierPointsSequences(LireLongitudesNatales());
    memePage(fenetre, DocumentSequences(EnteteDesSequences(e, 0.5), points, CalculerSequences(points, 0.5), {}),
             "sequences");
    delete f;
  }
  {
    auto* f = new TFormMandala(QString::fromStdString(dossier.string()));
    f->show();
    const DocumentImprime fenetre = Document([&] { f->findChild<QPushButton*>("BtnImprimer")->click(); });
    QImage fond;
    std::string message;
    ASSERT_TRUE(LireFondMandala(QString::fromStdString(dossier.string()), fond, message)) << message;
    memePage(fenetre,
             DocumentMandala(fond, CalculerMandala(LongitudesDuMandala(), AxesMandalaDefaut), std::string(e.NomAffiche.Texte()), {}, false),
             "mandala");
    delete f;
  }
}

// In black and white the three axes' marks keep apart by their shape (their colours would turn
// into near-identical greys); in colour they stay circles of the axis's colour.
TEST_F(ImpressionTest, MarquesDuMandalaDistinctesEnNoirEtBlanc) {
  QImage blanc(100, 100, QImage::Format_RGB32);
  blanc.fill(Qt::white);
  const int cote = 400;
  std::vector<MarqueMandala> marques;
  for (int axe = 1; axe <= 3; ++axe)
    for (bool pleine : {false, true}) marques.push_back({axe, 1, 60.0 * (2 * (axe - 1) + pleine), 0.5, pleine});
  // The mark of each, as a mask of its pixels darker than `seuil` around its centre.
  const auto masques = [&](const QImage& figure, int seuil) {
    std::vector<std::vector<bool>> m;
    const double rho = std::nearbyint(0.5 * RayonMandala(cote));
    for (const MarqueMandala& k : marques) {
      const double a = k.angleDeg * DegEnRad;
      const int cx = cote / 2 + static_cast<int>(std::lround(std::cos(a) * rho));
      const int cy = cote / 2 - static_cast<int>(std::lround(std::sin(a) * rho));
      std::vector<bool> v;
      for (int y = cy - 12; y <= cy + 12; ++y)
        for (int x = cx - 12; x <= cx + 12; ++x) v.push_back(qGray(figure.pixel(x, y)) < seuil);
      m.push_back(v);
    }
    return m;
  };
  const auto ecart = [](const std::vector<bool>& a, const std::vector<bool>& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
    return n;
  };
  // Marks 0, 2, 4 are the open ones of axes 1, 2, 3; 1, 3, 5 the filled ones.
  // Same shapes at whole-pixel centres in black would differ by nothing.
  const auto noir = masques(FigureMandala(cote, blanc, marques, true), 128);
  for (std::size_t i = 0; i < 6; ++i)
    for (std::size_t j = i + 1; j < 6; ++j)
      if (i % 2 == j % 2) {
        EXPECT_GT(ecart(noir[i], noir[j]), 15) << i << " " << j;
      }
  // In colour every mark is the same circle: the painted pixels, whatever their colour.
  const QImage couleur = FigureMandala(cote, blanc, marques, false);
  const auto formes = masques(couleur, 250);
  for (std::size_t i : {2u, 4u}) EXPECT_LT(ecart(formes[0], formes[i]), 6) << i;
  for (std::size_t i : {3u, 5u}) EXPECT_LT(ecart(formes[1], formes[i]), 6) << i;
  // Their colours: red, green, blue at the filled marks' centres.
  const double rho = std::nearbyint(0.5 * RayonMandala(cote));
  const QColor attendues[3] = {Qt::red, QColor(0, 128, 0), Qt::blue};
  for (int axe = 1; axe <= 3; ++axe) {
    const double a = 60.0 * (2 * (axe - 1) + 1) * DegEnRad;
    const QColor c = couleur.pixelColor(cote / 2 + static_cast<int>(std::lround(std::cos(a) * rho)),
                                        cote / 2 - static_cast<int>(std::lround(std::sin(a) * rho)));
    EXPECT_EQ(c, attendues[axe - 1]) << axe;
  }
}

TEST_F(ImpressionTest, CadranH1EtH4EnCouleurEtEnNoir) {
  auto* cosmo = new TFormCosmo(QString::fromStdString(dossier.string()));
  cosmo->show();
  for (const char* h : {"H1", "H4"}) {
    const int item = cosmo->ComboBoxHarmonic->findText(h, Qt::MatchStartsWith);
    ASSERT_GE(item, 0) << h;
    cosmo->ComboBoxHarmonic->setCurrentIndex(item);
    cosmo->ComboBoxHarmonicChange();
    for (bool couleur : {true, false}) {
      temoin.reponsesQuestions = {couleur};
      const DocumentImprime d = Document([&] { QTest::mouseClick(cosmo->BtnImprimer, Qt::LeftButton); });
      EXPECT_EQ(d.noirEtBlanc, !couleur);
      const std::string nom = std::string("cadran_") + h + (couleur ? "" : "_noir");
      Verifier(d, nom.c_str());
      if (!couleur) {
        EXPECT_EQ(PixelsColores(RendreDocument(d, 75, false)[0]), 0) << h;
      }
    }
  }
  delete cosmo;
}

// The natal table printed after a solar return carries the birth's date and place, not the return's.
TEST_F(ImpressionTest, TableNataleApresUneRevolutionSolaire) {
  ReinitialiserEtat();
  auto* principale = new TMainForm(QString::fromStdString(dossier.string()));
  principale->show();
  const fs::path source = dossier / "source.cht.txt";
  EcrireFichierTheme(source, FicheDeTest());
  principale->RouvrirTheme(QString::fromStdString(source.string()));
  principale->ExecuterTouche(Qt::Key_T);
  TFormInterpret* t = nullptr;
  for (QMdiSubWindow* f : principale->ZoneFenetres()->subWindowList())
    if (auto* i = qobject_cast<TFormInterpret*>(f->widget())) t = i;
  ASSERT_NE(t, nullptr);
  const auto choisir = [&](TechniquePrevision technique) {
    QAbstractButton* b = t->Calcul->RadioGroupType->button(static_cast<int>(technique));
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
  };
  choisir(TechniquePrevision::RS);
  Remplir(t->Calcul->MaskEditDate, "01012027");
  QTest::mouseClick(t->Calcul->BtnCalculRSRLEtc, Qt::LeftButton);
  QTest::mouseClick(t->BtnMiPoints, Qt::LeftButton);
  Verifier(Document([&] { t->Imprimer1->trigger(); }), "table_rs");
  choisir(TechniquePrevision::Natal);
  const auto traces = Verifier(Document([&] { t->Imprimer1->trigger(); }), "table_natale");
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(Compter(traces[0], "^Thème de naissance  :  07/03/1952 à 14h05m30 \\(GMT\\+01\\.00\\.00\\)$"), 1);
  EXPECT_EQ(Compter(traces[0], "^Paris  48N52 - 002E20$"), 1);
  EXPECT_EQ(Compter(traces[0], "2027"), 0);
  // The stamp's ΔT is the birth's.
  EXPECT_EQ(Compter(traces[0], "table 1620–2000"), 1);
  delete principale;
}

// A list of more than 66 directions prints in two columns of one page, every row on it.
TEST_F(ImpressionTest, DirectionsSurDeuxColonnes) {
  QPointer<TFormDirSol> f(new TFormDirSol);
  f->resize(1400, 900);
  f->show();
  const auto basculer = [](QListWidget* liste, int ligne) {
    QTest::mouseClick(liste->viewport(), Qt::LeftButton, {}, liste->visualItemRect(liste->item(ligne)).center());
    QTest::keyClick(liste, Qt::Key_Space);
  };
  for (int i : {1, 2, 3, 4}) basculer(f->ListePoints(0), i);
  for (int i : {1, 19, 20}) basculer(f->ListePoints(1), i);
  for (int i : {1, 9, 19, 20}) basculer(f->ListePoints(2), i);
  Remplir(f->findChild<QSpinBox*>("Debut")->findChild<QLineEdit*>(), "10");
  Remplir(f->findChild<QSpinBox*>("Fin")->findChild<QLineEdit*>(), "40");
  QTest::mouseClick(f->HarmoniqueDir()->viewport(), Qt::LeftButton, {},
                    f->HarmoniqueDir()->visualItemRect(f->HarmoniqueDir()->item(3)).center());
  QTest::mouseClick(Bouton(f, "Calculer"), Qt::LeftButton);
  const int n = f->ListeDirections()->rowCount();
  ASSERT_GT(n, 66);
  ASSERT_LE(n, 132);
  const auto traces = Verifier(Document([&] { QTest::mouseClick(Bouton(f, "Imprimer"), Qt::LeftButton); }), "directions");
  ASSERT_EQ(traces.size(), 1u);
  EXPECT_EQ(Compter(traces[0], "^\\d\\d\\.\\d\\d\\.\\d{4}$"), n);
  delete f.data();
}

// A sheet longer than a page goes on over the next pages, captions repeated, every row once;
// the same rows go to CSV, the clipboard and the grid.
TEST_F(ImpressionTest, FeuilleSurPlusieursPagesEtSesAutresSorties) {
  Feuille f;
  f.titres = {"Jean DUPONT", "Liste d'essai"};
  f.colonnes = {{"Corps", 6, Qt::AlignLeft, true}, {"Date", 12, Qt::AlignLeft, false},
                {"Position", 10, Qt::AlignRight, false}};
  for (int i = 0; i < 150; ++i)
    f.lignes.push_back({Glyphe('A'), QString("R%1").arg(i, 3, 10, QChar('0')), QString::fromUtf8("12°%1'").arg(i % 60)});
  const DocumentImprime d = DocumentDeFeuille(f, LignesCachet(ContexteCachet{}));
  ASSERT_GT(d.pages, 1);
  const auto traces = Verifier(d, "feuille_table");
  int lignes = 0;
  for (const PageTracee& t : traces) {
    lignes += Compter(t, "^R\\d{3}$");
    EXPECT_EQ(Compter(t, "^Position$"), 1);
    EXPECT_EQ(Compter(t, "^Liste d'essai$"), 1);
  }
  EXPECT_EQ(lignes, 150);
  ASSERT_TRUE(EcrirePdf(d, Chemin("feuille.pdf"), false));
  const ContenuPdf pdf = LirePdf(dossier / "feuille.pdf");
  EXPECT_EQ(pdf.pages, d.pages);
  for (int i = 0; i < 150; ++i) EXPECT_NE(pdf.texte.find(QString("R%1").arg(i, 3, 10, QChar('0')).toStdString()), std::string::npos) << i;

  Feuille petite;
  petite.colonnes = {{"Nom"}, {"Note"}};
  petite.lignes = {{"Dupont, Jean", QString::fromUtf8("dit \"le grand\"")}, {"Durand", ""}};
  EXPECT_EQ(CsvFeuille(petite, {"Selvane 2.5", "Maisons : aucune"}),
            "# Selvane 2.5\n# Maisons : aucune\nNom,Note\n\"Dupont, Jean\",\"dit \"\"le grand\"\"\"\nDurand,\n");
  EXPECT_EQ(TexteFeuille(petite), QString::fromUtf8("Dupont, Jean\tdit \"le grand\"\r\nDurand\t\r\n"));
  QTableWidget grille;
  RemplirGrille(grille, f);
  ASSERT_EQ(grille.rowCount(), 150);
  ASSERT_EQ(grille.columnCount(), 3);
  EXPECT_EQ(grille.horizontalHeaderItem(2)->text(), "Position");
  EXPECT_EQ(grille.item(149, 1)->text(), "R149");
  EXPECT_EQ(grille.item(0, 0)->font().family(), "Celvan S");
  EXPECT_TRUE(grille.item(0, 2)->textAlignment() & Qt::AlignRight);
  EXPECT_GT(grille.columnWidth(1), grille.columnWidth(0));
}

// A glyph column reads in a spreadsheet: CSV and clipboard name each symbol; the grid and the
// page keep the glyph font's letters.
TEST_F(ImpressionTest, LesColonnesDeGlyphesSeLisentEnCsvEtAuPressePapiers) {
  const struct {
    const char* glyphes;  // Windows-1252, as the rows hold them
    const char* lisible;
  } cas[] = {
      {"A", "Soleil"},
      {"A/B = E", "Soleil/Lune = Mars"},                       // a direction to a midpoint
      {"12a34", "12 Bél 34"},                                  // a position in its sign
      {"29l59", "29 Poi 59"},
      {"G@ \xBE \\/L", "Saturne R 90° Pt. Vernal/M.C."},     // a transit backward, a square
      {"\xF4\xFB", "Cupidon Poséidon"},
      {"M=K=X", "Noeud Nord=Ascendant=Vertex"},                // a sequence
      {":", "Soleil/Lune"},
      {"\xBA\xC2", "0° 180°"},                                // the chart's aspect glyphs
      {"mq", "0° 90°"},                                        // the house frames' aspect glyphs
      {"", ""},
      {"01.09.2025 - 12/3", "01.09.2025 - 12/3"},             // nothing to name
  };
  Feuille f;
  f.colonnes = {{"Glyphes", 20, Qt::AlignLeft, true}, {"Texte", 20}};
  for (const auto& c : cas) {
    EXPECT_EQ(TexteLisible(Texte(c.glyphes)).toStdString(), c.lisible) << c.glyphes;
    f.lignes.push_back({Texte(c.glyphes), Texte(c.glyphes)});
  }
  // The text column keeps its letters; a caption is read as glyphs only when marked so (a
  // planet over its column, an axis).
  const std::string csv = CsvFeuille(f);
  EXPECT_EQ(csv.substr(0, csv.find('\n', csv.find('\n') + 1) + 1), "Glyphes,Texte\nSoleil,A\n");
  Feuille titres;
  titres.colonnes = {{"A", 5, Qt::AlignLeft, true, true}, {"A/K", 5, Qt::AlignLeft, false, true}, {"A", 5}};
  EXPECT_EQ(CsvFeuille(titres), "Soleil,Soleil/Ascendant,A\n");
  EXPECT_NE(csv.find("\nSaturne R 90° Pt. Vernal/M.C.,G@ \xC2\xBE \\/L\n"), std::string::npos) << csv;
  const QStringList copie = TexteFeuille(f).split("\r\n");
  EXPECT_EQ(copie[1], QString::fromUtf8("Soleil/Lune = Mars\tA/B = E"));
  QTableWidget grille;
  RemplirGrille(grille, f);
  EXPECT_EQ(grille.item(1, 0)->text(), "A/B = E");
  int glyphes = 0;
  for (const PageTracee& t : TracerDocument(DocumentDeFeuille(f, {}), 300)) glyphes += Compter(t, "^A/B = E$");
  EXPECT_EQ(glyphes, 2);
}
