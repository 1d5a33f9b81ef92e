"""The checks of generer_textes.py: every fault of the sources stops the build with a message
that names it, and the composed texts hold to their rules.

Usage: python3 test_generateur.py SOURCE_FOLDER (the folder of the generator and its sources)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

SOURCE = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else None
sys.path.insert(0, SOURCE or ".")
sys.dont_write_bytecode = True  # no cache left in the source folder
import generer_textes as g  # noqa: E402


def lire(nom):
    with open(os.path.join(SOURCE, nom), encoding="utf-8") as f:
        return f.read()


class SourcesFautives(unittest.TestCase):
    """A copy of the sources with one fault: the generator fails and says which."""

    def generer(self, **fichiers):
        with tempfile.TemporaryDirectory() as dossier:
            for nom in ("principes.txt", "mipoints.txt", "images.txt", "formes.txt"):
                with open(os.path.join(dossier, nom), "w", encoding="utf-8") as f:
                    f.write(fichiers.get(nom.replace(".txt", ""), lire(nom)))
            sortie = os.path.join(dossier, "sortie")
            r = subprocess.run([sys.executable, os.path.join(SOURCE, "generer_textes.py"), dossier, sortie],
                               capture_output=True, text=True)
            return r.returncode, r.stderr, os.path.exists(os.path.join(sortie, "ZadadAduZi.int"))

    def test_les_sources_du_depot_passent(self):
        self.assertEqual(self.generer()[0], 0)

    def test_chaque_faute_arrete_la_generation(self):
        mipoints, images = lire("mipoints.txt"), lire("images.txt")
        premier_bloc = re.search(r"^= SOL LUN SOL\n(?:[^=\n].*\n)+", images, re.M).group(0)
        blocs_images = re.findall(r"^= .*\n(?:[^=\n#].*\n)+", images, re.M)
        cas = [
            ("midpoint in reverse order", {"mipoints": mipoints.replace("= SOL MAR\n", "= MAR SOL\n")},
             "clé à l'envers = MAR SOL"),
            ("picture in reverse order", {"images": images.replace("= SOL LUN SOL\n", "= LUN SOL SOL\n")},
             "clé à l'envers = LUN SOL SOL"),
            ("repeated block", {"images": images + "\n" + premier_bloc}, "entrée en double = SOL LUN SOL"),
            ("unknown code", {"mipoints": mipoints.replace("= SOL MAR\n", "= SOL MAS\n")}, "clé mal formée"),
            ("three codes for a midpoint", {"mipoints": mipoints.replace("= SOL MAR\n", "= SOL MAR JUP\n")},
             "clé mal formée"),
            ("midpoint of one point", {"mipoints": mipoints + "\n= SOL SOL\nLe Soleil seul.\n"},
             "deux points différents"),
            ("text line opening a key", {"images": images.replace("= SOL LUN SOL\n", "= SOL LUN SOL\n_SOL MAR\n")},
             "ne commence pas par « _ »"),
            ("empty block", {"images": images.replace("= SOL LUN SOL\n", "= SOL LUN SOL\n= VPT VPT MC.\n")},
             "entrée vide pour SOL LUN SOL"),
            ("text before any key", {"mipoints": "Un texte seul.\n" + mipoints}, "texte sans clé"),
            ("midpoint not written", {"mipoints": re.sub(r"^= SAT PLU\n(?:[^=\n].*\n)+", "", mipoints, flags=re.M)},
             "1 mi-points sur 253 ne sont pas écrits à la main (SAT PLU)"),
            ("too few pictures", {"images": "".join(blocs_images[:299])},
             "299 images écrites à la main, 300 attendues"),
            ("character outside Windows-1252", {"images": images.replace("du couple", "du couple \u2192", 1)},
             "caractère absent de Windows-1252"),
            ("principle without gender", {"principes": lire("principes.txt").replace("la volonté /fs", "la volonté")},
             "genre et nombre manquants"),
        ]
        for nom, fichiers, message in cas:
            with self.subTest(nom):
                statut, erreur, ecrit = self.generer(**fichiers)
                self.assertEqual(statut, 1, erreur)
                self.assertIn(message, erreur)
                self.assertFalse(ecrit)


def entree(cle, *morceaux, main=False):
    r = g.Redaction("_" + " ".join(cle), set())
    r.morceaux = list(morceaux)
    return g.Entree(cle, r.texte(), main, None if main else r)


class ReglesDesCles(unittest.TestCase):
    """The codes and display order against the file the method library writes."""

    def test_des_regles_differentes_arretent_la_generation(self):
        bonnes = " ".join(g.CODES) + "\n" + " ".join(g.ORDRE) + "\n"
        ordre = list(g.ORDRE)
        ordre[1], ordre[2] = ordre[2], ordre[1]
        codes = [c if c != "Vx" else "VX" for c in g.CODES]
        cas = [("same rules", bonnes, None),
               ("two points swapped in the display order", " ".join(g.CODES) + "\n" + " ".join(ordre) + "\n",
                "diffèrent de ceux des recherches"),
               ("another code", " ".join(codes) + "\n" + " ".join(g.ORDRE) + "\n", "diffèrent de ceux des recherches")]
        for nom, texte, message in cas:
            with self.subTest(nom), tempfile.TemporaryDirectory() as dossier:
                chemin = os.path.join(dossier, "regles_cles.txt")
                with open(chemin, "w", encoding="ascii") as f:
                    f.write(texte)
                if message is None:
                    g.verifier_regles(chemin)
                else:
                    with self.assertRaises(g.Erreur) as e:
                        g.verifier_regles(chemin)
                    self.assertIn(message, str(e.exception))


class Controles(unittest.TestCase):
    def test_une_fin_toute_faite_au_dela_de_un_pour_cent(self):
        def entrees(repetees, fin):
            liste = [entree(("SOL", "LUN", g.CODES[i % 23]), (f"Texte {i}. Fin propre {i}.", False))
                     for i in range(300)]
            for e in liste[:repetees]:
                e.texte = f"Début {e.cle[2]} {id(e)}. {fin}"
            return liste
        g.verifier_fins(entrees(3, "Une hygiène de vie adaptée suffit souvent."))  # 3 of 300: 1 %
        for fin in ("Une hygiène de vie adaptée suffit souvent.",
                    "Côté santé, le corps compte ; une hygiène de vie adaptée suffit souvent."):
            with self.subTest(fin):
                liste = entrees(4, fin)
                if ";" in fin:  # the clause alone repeats, the sentences differ
                    for k, e in enumerate(liste[:4]):
                        e.texte = e.texte.replace("le corps", f"l'organe {k}")
                with self.assertRaisesRegex(g.Erreur, "suffit souvent.* termine 4 entrées sur 300"):
                    g.verifier_fins(liste)

    def test_un_mot_repete_dans_un_texte_compose(self):
        points = g.lire_principes(os.path.join(SOURCE, "principes.txt"))
        vocabulaire = g.vocabulaire(points)
        fautes = [
            entree(("MAR", "SAT"), ("Au travail, l'effort se met au service de l'effort.", False)),
            entree(("VPT", "PO."), ("Ici l'esprit public colore l'esprit, qui se montre public.", False)),
            # our words repeat the hand-written idea they quote
            entree(("SOL", "MAR", "SAT"), ("Saturne touche le mi-point Soleil/Mars :", False),
                   ("la volonté d'aboutir.", True), ("La volonté y devient sérieuse.", False)),
        ]
        for e in fautes:
            with self.subTest(e.texte):
                with self.assertRaisesRegex(g.Erreur, "répète"):
                    g.verifier_repetitions([e], vocabulaire)
        # The hand-written part may repeat itself, and a hand-written entry is not checked.
        g.verifier_repetitions([
            entree(("SOL", "MAR", "SAT"), ("Saturne touche :", False), ("l'effort, encore l'effort.", True),
                   ("Il freine.", False)),
            entree(("MAR", "SAT"), ("L'effort et l'effort.", False), main=True)], vocabulaire)

    def test_textes_composes_du_fichier(self):
        points = g.lire_principes(os.path.join(SOURCE, "principes.txt"))
        points["vocabulaire"] = g.vocabulaire({c: points[c] for c in g.CODES})
        mipoints = g.lire_entrees(os.path.join(SOURCE, "mipoints.txt"), 2)
        images = g.lire_entrees(os.path.join(SOURCE, "images.txt"), 3)
        entrees = g.ecrire_entrees(points, mipoints, images)
        composees = [e for e in entrees if not e.main]
        self.assertGreater(len(composees), 5000)
        for e in composees:
            ca, cb = e.cle[0], e.cle[1]
            # A picture names its three points; one built on a hand-written midpoint quotes its idea.
            if len(e.cle) == 3 and ca != cb and e.cle[2] not in e.cle[:2]:
                self.assertIn(g.nom_paire(ca, cb), e.texte, e.cle)
                self.assertIn(points[e.cle[2]]["nom"][0].texte.split()[-1].lower(), e.texte.lower(), e.cle)
                self.assertIn(g.idee_du_mipoint(mipoints[(ca, cb)]), e.texte, e.cle)
            n = len(g.phrases(e.texte))
            self.assertTrue(2 <= n <= 5, f"{e.cle}: {n} phrases")
            self.assertNotIn("  ", e.texte)
            self.assertTrue(e.texte.endswith("."), e.cle)

    def test_idee_d_un_mi_point(self):
        cas = [
            ("L'action dans le monde : l'effort qui se voit. Suite.", "l'action dans le monde"),
            ("Brutalité, destruction, cruauté : c'est un des plus durs.", "brutalité, destruction, cruauté"),
            ("La tradition l'appelle l'axe de la mort : l'énergie arrêtée. Suite.", "l'énergie arrêtée"),
            ("Saturne pèse ; le reste suit.", "Saturne pèse"),
            ("Le M.C. et le Pt. Vernal réunis. Suite.", "le M.C. et le Pt. Vernal réunis"),
        ]
        for texte, attendu in cas:
            self.assertEqual(g.idee_du_mipoint(texte), attendu)


if __name__ == "__main__":
    unittest.main()
