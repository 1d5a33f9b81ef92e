#!/usr/bin/python3
"""Writes the interpretation file ZadadAduZi.int and the picture forms 1.frm .. 11.frm.

Usage: generer_textes.py SOURCE_FOLDER OUTPUT_FOLDER [KEY_RULES]

Every text comes from the UTF-8 sources beside this script: principes.txt (the points),
mipoints.txt and images.txt (hand-written midpoints and pictures), formes.txt (the forms).
The file holds one entry per midpoint and per picture, its first two points in display order
(A no later than B); the searches find a pair under that order only, so each is reported once.
An entry with no hand-written text is composed: a picture A/B = C starts from the hand-written
meaning of its midpoint A/B and adds what C does to it. The choices depend on the key only, so
every run writes the same bytes.

With REGLES_CLES (written by the program's method library) the build stops when the codes or
the display order below differ from those the searches build their keys from. It stops too on a
malformed or repeated block, a key in reverse order, a midpoint not
written by hand, fewer than 300 hand-written pictures, a stock sentence closing more than 1 %
of the entries, or a composed text that uses a word twice.
"""
import itertools
import os
import re
import sys
import zlib
from collections import Counter

# Body numbers 1..23 and their codes, glyph letters and the Uranian display order.
CODES = ["SOL", "LUN", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU",
         "CU.", "HA.", "ZE.", "KR.", "AP.", "AD.", "VU.", "PO.", "NLN", "Vx", "AS.", "MC.", "VPT"]
# The names the interpretation window shows in its headings.
NOMS = ["Soleil", "Lune", "Mercure", "Vénus", "Mars", "Jupiter", "Saturne", "Uranus",
        "Neptune", "Pluton", "Cupidon", "Hadès", "Zeus", "Kronos", "Apollo", "Admète",
        "Vulcanus", "Poséidon", "Noeud Nord", "Vertex", "Ascendant", "M.C.", "Pt. Vernal"]
NOM = dict(zip(CODES, NOMS))
LETTRES = [b"A", b"B", b"C", b"D", b"E", b"F", b"G", b"H", b"I", b"J",
           b"\xf4", b"\xf5", b"\xf6", b"\xf7", b"\xf8", b"\xf9", b"\xfa", b"\xfb",
           b"M", b"X", b"K", b"L", b"\\"]
ORDRE = ["VPT", "MC.", "AS.", "SOL", "LUN", "NLN", "MER", "VEN", "MAR", "JUP", "SAT", "URA",
         "NEP", "PLU", "CU.", "HA.", "ZE.", "KR.", "AP.", "AD.", "VU.", "PO.", "Vx"]
RANG = {c: i for i, c in enumerate(ORDRE)}
THEMES_CONCRETS = ["amour", "couple", "travail", "sante", "evenements"]
CHAMPS_GROUPES = ["nom", "psychologie"] + THEMES_CONCRETS
CHAMPS = CHAMPS_GROUPES + ["adjectifs", "agit", "sens"]
TITRES_FORMES = ["Vie affective  - Mariage", "Problématique du couple et affective",
                 "Travail - Carrière - Economie - Politique", "Santé",
                 "Situations et événements divers", "Psychologie  -  Mental",
                 "Point personnel : Point Bélier", "Point personnel : Ascendant",
                 "Point Personnel : Milieu du ciel", "Point personnel : Noeud Nord"]
LARGEUR_LIGNE = 90
PART_MAX_FIN = 0.01        # share of the entries one closing sentence may end
IMAGES_A_LA_MAIN = 300     # hand-written pictures the complete file holds at least


class Erreur(Exception):
    pass


# ---------------------------------------------------------------- French grammar helpers

class Groupe:
    """A noun phrase with its article, gender ('m'/'f') and number ('s'/'p')."""

    def __init__(self, texte, genre, nombre):
        self.texte, self.genre, self.nombre = texte, genre, nombre

    def __str__(self):
        return self.texte

    @property
    def pluriel(self):
        return self.nombre == "p"


VOYELLES = "aeiouyàâéèêëîïôöûüœh"  # h: every h-word of the sources takes the elision


def precede(groupe, prep):
    """The phrase after "de" or "à", with the contractions of French."""
    t = str(groupe)
    if prep == "de":
        if t.startswith("le "):
            return "du " + t[3:]
        if t.startswith("les "):
            return "des " + t[4:]
        if t.startswith(("la ", "l'")) or not t[0].lower() in VOYELLES:
            return "de " + t
        return "d'" + t
    if t.startswith("le "):
        return "au " + t[3:]
    if t.startswith("les "):
        return "aux " + t[4:]
    return "à " + t


def de(g):
    return precede(g, "de")


def a(g):
    return precede(g, "à")


def elide(mot, suite):
    """'que' or 'lorsque' before the next words, elided before a vowel."""
    suite = str(suite)
    return f"{mot[:-1]}'{suite}" if suite[0].lower() in VOYELLES else f"{mot} {suite}"


def partitif(g):
    """The phrase as something that may happen: "les fêtes" -> "des fêtes"."""
    t = str(g)
    return "des " + t[4:] if t.startswith("les ") else t


def maj(t):
    t = str(t)
    return t[:1].upper() + t[1:]


def pronom(g):
    return {"ms": "il", "fs": "elle", "mp": "ils", "fp": "elles"}[g.genre + g.nombre]


def verbe(g, singulier, pluriel):
    return pluriel if g.pluriel else singulier


def meme(g):
    return "lui-même" if g.genre == "m" else "elle-même"


class Adjectif:
    def __init__(self, formes):
        if len(formes) == 2:
            m, f = formes
            mp = m if m.endswith(("s", "x")) else (m[:-2] + "aux" if m.endswith("al") else m + "s")
            fp = f if f.endswith(("s", "x")) else f + "s"
            formes = [m, f, mp, fp]
        if len(formes) != 4:
            raise Erreur("adjectif mal formé : " + "|".join(formes))
        self.formes = formes

    def __str__(self):
        return " ".join(self.formes)

    def accord(self, genre, nombre):
        return self.formes[(0 if genre == "m" else 1) + (0 if nombre == "s" else 2)]

    def pour(self, *groupes):
        """Agreement with one phrase, or with several joined by "et" (plural, masculine wins)."""
        if len(groupes) == 1:
            return self.accord(groupes[0].genre, groupes[0].nombre)
        genre = "f" if all(g.genre == "f" for g in groupes) else "m"
        return self.accord(genre, "p")


# ---------------------------------------------------------------- words of a text

# Words that carry no theme: a text may repeat them.
MOTS_OUTILS = set("""
le la les l un une des de du d au aux à a et ou ni en y ne n pas se s sa son ses leur leurs
ce c cet cette ces ceci cela qui que qu quand lorsque lorsqu dont où il elle ils elles on lui eux
sur sous par pour avec dans sans vers chez entre plus moins très bien tout toute tous toutes
aussi comme mais donc car si même mêmes autre autres est sont être fait font peut peuvent ici là
parfois souvent mi propre soi chacun chacune deux
""".split())
# The names of the points: a text names its points as often as it needs.
MOTS_NOMS = set("""
soleil lune mercure vénus mars jupiter saturne uranus neptune pluton cupidon hadès zeus kronos
apollo apollon admète vulcanus vulcain poséidon noeud nœud nord lunaire vertex ascendant milieu
ciel point bélier vernal pt asc
""".split())
MAJUSCULES_GARDEES = {maj(m) for m in MOTS_NOMS} | {"M.C.", "Pt."}


def racine(mot):
    """A crude stem: the plural dropped, then the first five letters ("sensible",
    "sensibilité" -> "sensi"), so that a word and its family count as one."""
    if len(mot) > 3 and mot[-1] in "sx":
        mot = mot[:-1]
    return mot[:5]


def racines(texte):
    """The stems of the theme words of a text, in order, repeated as often as they occur."""
    mots = re.findall(r"[a-zàâäçéèêëîïôöùûüÿœæ]+", str(texte).lower())
    return [racine(m) for m in mots if m not in MOTS_OUTILS and m not in MOTS_NOMS and len(m) > 2]


# ---------------------------------------------------------------- sources

def lignes_utiles(chemin):
    """(line number, stripped line) of every line that is neither empty nor a comment."""
    with open(chemin, encoding="utf-8") as f:
        for numero, ligne in enumerate(f, 1):
            ligne = ligne.strip()
            if ligne and not ligne.startswith("#"):
                yield numero, ligne


def en_tete(chemin, numero, ligne):
    """The name inside a heading "[name]", or None when the line is no heading."""
    if not ligne.startswith("["):
        return None
    if "]" not in ligne:
        raise Erreur(f"{chemin}:{numero}: en-tête mal fermé {ligne}")
    return ligne[1:ligne.index("]")]


def lire_principes(chemin):
    points, courant = {}, None
    for numero, ligne in lignes_utiles(chemin):
        nom = en_tete(chemin, numero, ligne)
        if nom is not None:
            courant = nom
            if courant not in CODES:
                raise Erreur(f"{chemin}:{numero}: code inconnu {courant}")
            if courant in points:
                raise Erreur(f"{chemin}:{numero}: point en double {courant}")
            points[courant] = {}
            continue
        champ, _, valeur = ligne.partition(":")
        champ = champ.strip()
        if courant is None or champ not in CHAMPS:
            raise Erreur(f"{chemin}:{numero}: champ inattendu {champ}")
        if champ in points[courant]:
            raise Erreur(f"{chemin}:{numero}: champ en double {champ}")
        if champ == "sens":
            points[courant][champ] = " ".join(valeur.split())
            continue
        elements = [e.strip() for e in valeur.split(";") if e.strip()]
        if champ == "adjectifs":
            points[courant][champ] = [Adjectif(e.split("|")) for e in elements]
        elif champ == "agit":
            points[courant][champ] = elements
        else:
            groupes = []
            for e in elements:
                texte, _, gn = e.rpartition("/")
                if gn not in ("ms", "fs", "mp", "fp") or not texte.strip():
                    raise Erreur(f"{chemin}:{numero}: genre et nombre manquants dans « {e} »")
                groupes.append(Groupe(texte.strip(), gn[0], gn[1]))
            points[courant][champ] = groupes
    for code in CODES:
        manque = [c for c in CHAMPS if not points.get(code, {}).get(c)]
        if manque:
            raise Erreur(f"{chemin}: {code} sans {', '.join(manque)}")
    return points


def lire_entrees(chemin, taille):
    """Blocks "= CODE CODE [CODE]" followed by text lines; returns {codes tuple: text}."""
    entrees, cle, lignes, debut = {}, None, [], 0

    def fermer():
        if cle is not None:
            texte = " ".join(lignes).strip()
            if not texte:
                raise Erreur(f"{chemin}:{debut}: entrée vide pour {' '.join(cle)}")
            entrees[cle] = texte

    for numero, ligne in lignes_utiles(chemin):
        if ligne.startswith("="):
            fermer()
            cle, lignes, debut = tuple(ligne[1:].split()), [], numero
            if len(cle) != taille or any(c not in CODES for c in cle):
                raise Erreur(f"{chemin}:{numero}: clé mal formée {ligne}")
            if RANG[cle[0]] > RANG[cle[1]]:
                raise Erreur(f"{chemin}:{numero}: clé à l'envers {ligne} : "
                             f"{cle[1]} précède {cle[0]}, écrire = {cle[1]} {cle[0]}"
                             + (f" {cle[2]}" if taille == 3 else ""))
            if taille == 2 and cle[0] == cle[1]:
                raise Erreur(f"{chemin}:{numero}: un mi-point relie deux points différents : {ligne}")
            if taille == 3 and cle[0] == cle[1] == cle[2]:
                raise Erreur(f"{chemin}:{numero}: image d'un seul point : {ligne}")
            if cle in entrees:
                raise Erreur(f"{chemin}:{numero}: entrée en double {ligne}")
        else:
            if cle is None:
                raise Erreur(f"{chemin}:{numero}: texte sans clé")
            if ligne.startswith("_"):
                # In the installed file such a line would open an entry of its own.
                raise Erreur(f"{chemin}:{numero}: une ligne de texte ne commence pas par « _ »")
            lignes.append(ligne)
    fermer()
    return entrees


def lire_formes(chemin):
    """Blocks "[n]" then lines "A B C : text"; returns {theme number: [(a, b, c, text)]}."""
    formes, theme = {}, None
    for numero, ligne in lignes_utiles(chemin):
        nom = en_tete(chemin, numero, ligne)
        if nom is not None:
            theme = int(nom) if nom.isdigit() else 0
            if not 1 <= theme <= 10:
                raise Erreur(f"{chemin}:{numero}: thème {theme} hors de 1..10")
            formes.setdefault(theme, [])
            continue
        codes, sep, texte = ligne.partition(" : ")
        codes = codes.split()
        if theme is None or not sep or len(codes) != 3 or any(c not in CODES for c in codes):
            raise Erreur(f"{chemin}:{numero}: forme mal écrite")
        formes[theme].append((codes[0], codes[1], codes[2], texte.strip()))
    return formes


# ---------------------------------------------------------------- sentences

# A full stop ends a sentence unless it ends an abbreviation ("M.C.", "Pt.").
FIN_DE_PHRASE = re.compile(r"(?<=[.!?])\s+(?=[«A-ZÀ-ÖØ-Þ])")


def phrases(texte):
    morceaux, courant = [], ""
    for m in FIN_DE_PHRASE.split(" ".join(texte.split())):
        courant = f"{courant} {m}" if courant else m
        dernier = courant.split(" ")[-1]
        if dernier in ("M.C.", "Pt.", "Asc.", "N.N.") or re.fullmatch(r"[A-Z]\.", dernier):
            continue
        morceaux.append(courant)
        courant = ""
    if courant:
        morceaux.append(courant)
    return morceaux


def idee_du_mipoint(texte):
    """The opening idea of a hand-written midpoint: its first sentence up to a colon or a
    semicolon, to be quoted after a colon in a picture."""
    idee = phrases(texte)[0]
    avant, _, apres = idee.partition(" : ")
    # "La tradition l'appelle l'axe de la mort : l'énergie arrêtée ..." says its sense after
    # the colon; "Brutalité, destruction : c'est ..." before it.
    if apres and avant.lower().startswith(("la tradition", "un des", "une des", "c'est", "on ")):
        idee = apres
    else:
        idee = avant
    for sep in (" ; ", " – ", " — ", " : "):
        idee = idee.split(sep)[0]
    idee = idee.rstrip(" .!?…")
    premier = idee.split(" ")[0]
    if premier not in MAJUSCULES_GARDEES and not premier.isupper():
        idee = idee[:1].lower() + idee[1:]
    return idee


# ---------------------------------------------------------------- composition

class Choix:
    """Deterministic choices drawn from a key: the same key always reads the same way."""

    def __init__(self, cle):
        self.graine = zlib.crc32(cle.encode("utf-8"))

    def nombre(self, n):
        self.graine = (self.graine * 1103515245 + 12345) & 0x7FFFFFFF
        return (self.graine >> 8) % n

    def pris(self, liste):
        return liste[self.nombre(len(liste))]

    def tourne(self, liste):
        """The list started at a drawn place: every item stays available, in a key's order."""
        liste = list(liste)
        k = self.nombre(len(liste)) if liste else 0
        return liste[k:] + liste[:k]


class Redaction:
    """The sentences of one composed text. Each sentence is taken from a list of candidates,
    in the key's order: the first whose theme words are not yet in the text, so that no noun
    or adjective comes back ("l'effort ... au service de l'effort")."""

    def __init__(self, cle, vocabulaire):
        self.cle, self.vocabulaire = cle, vocabulaire
        self.morceaux = []          # (text, quoted): the quoted parts are hand-written
        self.vus = Counter()

    def libre(self, texte, stricte=True):
        mots = racines(texte)
        if not stricte:
            mots = [m for m in mots if m in self.vocabulaire]
        return all(n == 1 for n in Counter(mots).values()) and not any(m in self.vus for m in mots)

    def choisir(self, candidats, facultatif=False):
        """candidats: functions giving a text (None: not possible). The first free one is
        kept; failing that, the first that repeats no word of the principles."""
        textes = []
        for fabrique in candidats:
            t = fabrique()
            if t is None:
                continue
            if self.libre(t):
                return self.ajouter(t)
            textes.append(t)
        for t in textes:
            if self.libre(t, stricte=False):
                return self.ajouter(t)
        if facultatif:
            return None
        raise Erreur(f"{self.cle} : aucune phrase possible sans répéter un mot")

    def ajouter(self, texte):
        self.morceaux.append((texte, False))
        self.vus.update(racines(texte))
        return texte

    def texte(self):
        return " ".join(t for t, _ in self.morceaux)


def combinaisons(ch, modeles, *listes):
    """Every template with every choice of items, templates and items in the key's order."""
    modeles = ch.tourne(modeles)
    listes = [ch.tourne(l) for l in listes]
    for modele in modeles:
        for items in itertools.product(*listes):
            yield (lambda m=modele, i=items: m(*i))


def nom_paire(ca, cb):
    return f"{NOM[ca]}/{NOM[cb]}"


# Closing sentences on a concrete theme: x and y from the points of the midpoint, z from the
# point that acts on it. Each ends on the items themselves, never on a stock phrase.
FINS3 = {
    "amour": [
        lambda x, y, z: f"En amour, {z} {verbe(z, 'touche', 'touchent')} {x} comme {y}.",
        lambda x, y, z: f"Dans la vie affective, il est question {de(x)}, {de(y)} et {de(z)}.",
        lambda x, y, z: f"Côté cœur, {x} et {y} passent par {z}.",
    ],
    "couple": [
        lambda x, y, z: f"Dans le couple, {z} {verbe(z, 'pèse', 'pèsent')} sur {x} et sur {y}.",
        lambda x, y, z: f"Entre partenaires, tout tourne autour {de(x)}, {de(y)} et {de(z)}.",
        lambda x, y, z: f"À deux, {x} et {y} rencontrent {z}.",
    ],
    "travail": [
        lambda x, y, z: f"Au travail, {x} et {y} dépendent {de(z)}.",
        lambda x, y, z: f"Sur le plan professionnel, {z} {verbe(z, 'oriente', 'orientent')} {x} et {y}.",
        lambda x, y, z: f"Dans les affaires, cela touche {x}, {y} et {z}.",
    ],
    "sante": [
        lambda x, y, z: f"Pour la santé, on surveillera {x} et {y}, en pensant {a(z)}.",
        lambda x, y, z: f"Côté santé, {z} {verbe(z, 'peut', 'peuvent')} se faire sentir sur {x} "
                        f"ou sur {y}.",
        lambda x, y, z: f"Sur le plan physique, l'image concerne {x}, {y} et {z}.",
    ],
    "evenements": [
        lambda x, y, z: f"Dans les faits, cela peut se traduire par {partitif(z)}, en lien avec "
                        f"{x} et {y}.",
        lambda x, y, z: f"Concrètement, {z} {verbe(z, 'accompagne', 'accompagnent')} {x} et {y}.",
        lambda x, y, z: f"Au fil des jours, {x} et {y} rejoignent {z}.",
    ],
}
# The same with two points: x from the point acted on, z from the one that acts.
FINS2 = {
    "amour": [
        lambda x, z: f"En amour, {z} {verbe(z, 'touche', 'touchent')} {x}.",
        lambda x, z: f"Dans la vie affective, il est question {de(x)} et {de(z)}.",
        lambda x, z: f"Côté cœur, {x} {verbe(x, 'passe', 'passent')} par {z}.",
    ],
    "couple": [
        lambda x, z: f"Dans le couple, {z} {verbe(z, 'pèse', 'pèsent')} sur {x}.",
        lambda x, z: f"Entre partenaires, tout tourne autour {de(x)} et {de(z)}.",
        lambda x, z: f"À deux, {x} {verbe(x, 'rencontre', 'rencontrent')} {z}.",
    ],
    "travail": [
        lambda x, z: f"Au travail, {x} {verbe(x, 'dépend', 'dépendent')} {de(z)}.",
        lambda x, z: f"Sur le plan professionnel, {z} {verbe(z, 'oriente', 'orientent')} {x}.",
        lambda x, z: f"Dans les affaires, cela touche {x} et {z}.",
    ],
    "sante": [
        lambda x, z: f"Pour la santé, on surveillera {x} et {z}.",
        lambda x, z: f"Côté santé, {z} {verbe(z, 'peut', 'peuvent')} se faire sentir sur {x}.",
        lambda x, z: f"Sur le plan physique, le point concerne {x} et {z}.",
    ],
    "evenements": [
        lambda x, z: f"Dans les faits, cela peut se traduire par {partitif(z)} et {partitif(x)}.",
        lambda x, z: f"Concrètement, {z} {verbe(z, 'accompagne', 'accompagnent')} {x}.",
        lambda x, z: f"Au fil des jours, {x} {verbe(x, 'rejoint', 'rejoignent')} {z}.",
    ],
}


def fin_concrete(r, ch, pa, pb, pc=None):
    """The closing sentence: pa and pb the points of the midpoint (pb None: one point), pc the
    point that acts; a theme drawn from the key, then the others if none is free."""
    if pb is not None and ch.nombre(2):
        pa, pb = pb, pa  # the second point does not always close the text
    for theme in ch.tourne(THEMES_CONCRETS):
        if pb is None:
            candidats = combinaisons(ch, FINS2[theme], pa[theme], pc[theme])
        else:
            candidats = combinaisons(ch, FINS3[theme], pa[theme], pb[theme], pc[theme])
        if r.choisir(candidats, facultatif=True):
            return
    raise Erreur(f"{r.cle} : aucune phrase concrète possible sans répéter un mot")


def ouverture(r, debut, idee):
    """The first sentence: our words up to a colon, then the midpoint's own idea."""
    r.vus.update(set(racines(idee)))
    r.choisir(debut)
    r.morceaux[-1] = (r.morceaux[-1][0] + " :", False)
    r.morceaux.append((idee + ".", True))


def composer_image(points, mipoints, ca, cb, cc):
    """A/B = C, three different points: the midpoint's meaning, what C does to it, how A and
    B feel it, and where it shows."""
    ch = Choix(f"_{ca} {cb} {cc}")
    r = Redaction(f"_{ca} {cb} {cc}", points["vocabulaire"])
    pa, pb, pc = points[ca], points[cb], points[cc]
    nc, ab = pc["nom"][0], nom_paire(ca, cb)
    debuts = [
        lambda: f"{maj(nc)} touche le mi-point {ab}",
        lambda: f"{maj(nc)} se place sur {ab}, mi-point qui évoque ceci",
        lambda: f"L'image {ab} = {NOM[cc]} part du sens du mi-point",
        lambda: f"Le mi-point {ab} reçoit {nc} ; son sens de départ",
        lambda: f"Avec {nc} sur {ab}, tout part de ce que dit le mi-point",
    ]
    debuts = ch.tourne(debuts)
    ouverture(r, debuts, idee(mipoints, points, ca, cb))
    # An opening with C as its subject is followed by a pronoun, not by C's name again.
    sujet = maj(pronom(nc)) if r.morceaux[0][0].startswith(maj(nc)) else maj(nc)
    r.choisir(itertools.chain(combinaisons(ch, [
        lambda act, z: f"{sujet} {act}.",
        lambda act, z: f"{sujet} {act} ; {z} y {verbe(z, 'prend', 'prennent')} une grande place.",
        lambda act, z: f"{sujet} y apporte {z} : {pronom(nc)} {act}.",
    ], pc["agit"], pc["psychologie"]), combinaisons(ch, [
        lambda z: f"{sujet} y apporte {z}.",
        lambda z: f"{maj(z)} y {verbe(z, 'prend', 'prennent')} une grande place.",
    ], pc["psychologie"])), facultatif=True)
    if ch.nombre(3):
        r.choisir(combinaisons(ch, [
            lambda x, y, adj: f"{maj(x)} et {y} y deviennent {adj.pour(x, y)}.",
            lambda x, y, adj: f"{maj(x)} {verbe(x, 'se fait', 'se font')} {adj.pour(x)} au contact "
                              f"{de(y)}.",
            lambda x, y, adj: f"On voit {x} et {y} devenir {adj.pour(x, y)}.",
        ], pa["psychologie"], pb["psychologie"], pc["adjectifs"]), facultatif=True)
    fin_concrete(r, ch, pa, pb, pc)
    return r


def composer_image_propre(points, mipoints, ca, cb, propre):
    """A/B = A or A/B = B: the point stands on its own midpoint with the other."""
    cle = f"_{ca} {cb} {propre}"
    ch = Choix(cle)
    r = Redaction(cle, points["vocabulaire"])
    autre = cb if propre == ca else ca
    pp, po = points[propre], points[autre]
    np_, no = pp["nom"][0], po["nom"][0]
    debuts = ch.tourne([
        lambda: f"{maj(np_)} occupe son propre mi-point avec {no} et en renforce le sens",
        lambda: f"Le mi-point {nom_paire(ca, cb)} reçoit {np_} {meme(np_)}, qui l'accentue",
        lambda: f"Dans l'image {nom_paire(ca, cb)} = {NOM[propre]}, {np_} revient sur le mi-point "
                f"{elide('que', pronom(np_))} forme avec {no}",
    ])
    ouverture(r, debuts, idee(mipoints, points, ca, cb))
    r.choisir(itertools.chain(combinaisons(ch, [
        lambda x, y: f"La part {de(np_)} l'emporte : {x} {verbe(x, 'donne', 'donnent')} le ton, "
                     f"plus que {y}.",
        lambda x, y: f"{maj(x)} y {verbe(x, 'pèse', 'pèsent')} davantage que {y}.",
        lambda x, y: f"C'est {x} qui mène, et {y} {verbe(y, 'suit', 'suivent')}.",
    ], pp["psychologie"], po["psychologie"]), combinaisons(ch, [
        lambda x: f"La part {de(np_)} l'emporte, et {x} {verbe(x, 'donne', 'donnent')} le ton.",
        lambda x: f"C'est {x} qui mène.",
    ], pp["psychologie"])), facultatif=True)
    fin_concrete(r, ch, po, None, pp)
    return r


def composer_contact(points, mipoints, ca, cc):
    """A/A = C: the point A on the point C itself, read as their midpoint; A is the one that
    arrives (the point brought to C by the search)."""
    cle = f"_{ca} {ca} {cc}"
    ch = Choix(cle)
    r = Redaction(cle, points["vocabulaire"])
    pa, pc = points[ca], points[cc]
    na, nc = pa["nom"][0], pc["nom"][0]
    x, y = sorted((ca, cc), key=RANG.get)
    debuts = ch.tourne([
        lambda: f"{maj(na)} rejoint {nc}. Ce contact se lit comme le mi-point {nom_paire(x, y)}",
        lambda: f"Contact direct {de(na)} et {de(nc)}, à lire comme le mi-point {nom_paire(x, y)}",
        lambda: f"{NOM[ca]} = {NOM[cc]} : les deux points n'en font qu'un, et leur mi-point "
                f"{nom_paire(x, y)} donne le sens",
    ])
    ouverture(r, debuts, idee(mipoints, points, x, y))
    r.choisir(itertools.chain(combinaisons(ch, [
        lambda act, z: f"C'est {na} qui agit : {pronom(na)} {act}.",
        lambda act, z: f"{maj(na)}, qui arrive sur {nc}, {act}.",
        lambda act, z: f"{maj(na)} y apporte {z} et {act}.",
    ], pa["agit"], pa["psychologie"]), combinaisons(ch, [
        lambda z: f"C'est {na} qui agit, et {pronom(na)} y apporte {z}.",
    ], pa["psychologie"])), facultatif=True)
    fin_concrete(r, ch, pc, None, pa)
    return r


def idee(mipoints, points, ca, cb):
    """The idea a picture builds on: the hand-written midpoint, or failing it the two
    principles."""
    texte = mipoints.get((ca, cb))
    if texte:
        return idee_du_mipoint(texte)
    return f"{points[ca]['psychologie'][0]} et {points[cb]['psychologie'][0]}"


def composer_mipoint(points, ca, cb):
    """A midpoint nobody has written yet: the two principles and where they show."""
    cle = f"_{ca} {cb}"
    ch = Choix(cle)
    r = Redaction(cle, points["vocabulaire"])
    pa, pb = points[ca], points[cb]
    na, nb = pa["nom"][0], pb["nom"][0]
    r.choisir(combinaisons(ch, [
        lambda x, y, adj: f"Le mi-point {nom_paire(ca, cb)} associe {x} {a(y)} ; il en naît une "
                          f"manière d'être plus {adj.accord('f', 's')}.",
        lambda x, y, adj: f"{maj(x)} {verbe(x, 'rencontre', 'rencontrent')} {y} : "
                          f"{pronom(x)} {verbe(x, 'devient', 'deviennent')} {adj.pour(x)}.",
        lambda x, y, adj: f"Avec {na} et {nb} réunis, {x} {verbe(x, 'se fait', 'se font')} "
                          f"{adj.pour(x)} au contact {de(y)}.",
    ], pa["psychologie"], pb["psychologie"], pb["adjectifs"]))
    r.choisir(combinaisons(ch, [lambda act: f"{maj(nb)} {act}."], pb["agit"]), facultatif=True)
    fin_concrete(r, ch, pa, None, pb)
    return r


# ---------------------------------------------------------------- the entries

def cles_du_fichier():
    """Every midpoint A/B and every picture A/B = C with A no later than B, the point by itself
    A/A, and every picture but A/A = A (no search asks for it), midpoint by midpoint."""
    for i, ca in enumerate(ORDRE):
        for cb in ORDRE[i:]:
            yield (ca, cb)
            for cc in ORDRE:
                if not ca == cb == cc:
                    yield (ca, cb, cc)


class Entree:
    def __init__(self, cle, texte, main, redaction=None):
        self.cle, self.texte, self.main, self.redaction = cle, texte, main, redaction


def ecrire_entrees(points, mipoints, images):
    entrees = []
    for cle in cles_du_fichier():
        if len(cle) == 2:
            ca, cb = cle
            if ca == cb:
                entrees.append(Entree(cle, points[ca]["sens"], True))
                continue
            if cle in mipoints:
                entrees.append(Entree(cle, mipoints[cle], True))
                continue
            r = composer_mipoint(points, ca, cb)
        else:
            if cle in images:
                entrees.append(Entree(cle, images[cle], True))
                continue
            ca, cb, cc = cle
            if ca == cb:
                r = composer_contact(points, mipoints, ca, cc)
            elif cc in (ca, cb):
                r = composer_image_propre(points, mipoints, ca, cb, cc)
            else:
                r = composer_image(points, mipoints, ca, cb, cc)
        entrees.append(Entree(cle, r.texte(), False, r))
    return entrees


# ---------------------------------------------------------------- checks

def derniere_phrase(texte):
    return phrases(texte)[-1]


def verifier_fins(entrees):
    """No closing sentence, nor the clause after its last colon or semicolon, ends more than
    1 % of the entries: a reader who sees the same close twice in a page notices."""
    limite = max(1, int(len(entrees) * PART_MAX_FIN))
    fins, clauses = Counter(), Counter()
    for e in entrees:
        fin = derniere_phrase(e.texte)
        fins[fin] += 1
        clause = re.split(r" [;:] ", fin)[-1]
        if clause != fin:
            clauses[clause] += 1
    for compte in (fins, clauses):
        for phrase, n in compte.most_common(3):
            if n > limite:
                raise Erreur(f"« {phrase} » termine {n} entrées sur {len(entrees)} "
                             f"(au plus {limite})")


def verifier_repetitions(entrees, vocabulaire):
    """In a composed text no word of the principles comes twice in our own sentences, nor
    repeats one of the hand-written idea they quote."""
    for e in entrees:
        if e.main:
            continue
        cite, propre = Counter(), Counter()
        for texte, quoted in e.redaction.morceaux:
            (cite if quoted else propre).update(m for m in racines(texte) if m in vocabulaire)
        double = [m for m, n in propre.items() if n > 1 or m in cite]
        if double:
            raise Erreur(f"_{' '.join(e.cle)} répète « {double[0]} » : {e.texte}")


def verifier_distincts(entrees):
    vus = {}
    for e in entrees:
        autre = vus.setdefault(e.texte, e.cle)
        if autre != e.cle:
            raise Erreur(f"_{' '.join(e.cle)} a le texte de _{' '.join(autre)}")


def verifier_completude(mipoints, images):
    """All 253 midpoints and at least 300 pictures are written by hand."""
    manques = [f"{a_} {b}" for i, a_ in enumerate(ORDRE) for b in ORDRE[i + 1:]
               if (a_, b) not in mipoints]
    if manques:
        raise Erreur(f"mipoints.txt : {len(manques)} mi-points sur 253 ne sont pas écrits à la main "
                     f"({', '.join(manques[:8])}{' ...' if len(manques) > 8 else ''})")
    if len(images) < IMAGES_A_LA_MAIN:
        raise Erreur(f"images.txt : {len(images)} images écrites à la main, "
                     f"{IMAGES_A_LA_MAIN} attendues au moins")


# ---------------------------------------------------------------- output

def en_cp1252(texte, origine):
    try:
        return texte.encode("cp1252")
    except UnicodeEncodeError as e:
        raise Erreur(f"{origine}: caractère absent de Windows-1252 : {texte[e.start:e.end]!r}")


def couper(texte):
    """Lines of at most LARGEUR_LIGNE characters; each line but the last keeps its blank."""
    mots, lignes, courante = texte.split(" "), [], ""
    for mot in mots:
        if courante and len(courante) + 1 + len(mot) > LARGEUR_LIGNE:
            lignes.append(courante + " ")
            courante = mot
        else:
            courante = f"{courante} {mot}" if courante else mot
    lignes.append(courante)
    return lignes


def ecrire_interpretations(entrees, chemin):
    sortie = bytearray()
    for e in entrees:
        nom = "_" + " ".join(e.cle)
        sortie += en_cp1252(nom, "clé") + b"\r\n"
        for ligne in couper(" ".join(e.texte.split())):
            sortie += en_cp1252(ligne, nom) + b"\r\n"
    ecrire_fichier(chemin, bytes(sortie))


def enregistrement_forme(a_, b, c, texte):
    octets = en_cp1252(texte, f"forme {a_} {b} {c}")
    if len(octets) > 100:
        raise Erreur(f"forme {a_} {b} {c} : {len(octets)} caractères, 100 au plus")
    cle = f"{RANG[a_]:02d}{RANG[b]:02d}{RANG[c]:02d}".encode("ascii")
    lettre = lambda code: LETTRES[CODES.index(code)]
    return (bytes([len(octets)]) + octets.ljust(100, b" ") + lettre(a_) + lettre(b) + lettre(c)
            + bytes([len(cle)]) + cle)


def ecrire_formes(formes, dossier):
    tout = []
    for theme in range(1, 11):
        liste = formes.get(theme)
        if not liste:
            raise Erreur(f"thème {theme} ({TITRES_FORMES[theme - 1]}) sans aucune forme")
        tout += [f for f in liste if f not in tout]
        ecrire_fichier(os.path.join(dossier, f"{theme}.frm"),
                       b"".join(enregistrement_forme(*f) for f in liste))
    tout.sort(key=lambda f: (RANG[f[0]], RANG[f[1]], RANG[f[2]]))
    ecrire_fichier(os.path.join(dossier, "11.frm"), b"".join(enregistrement_forme(*f) for f in tout))


def ecrire_fichier(chemin, octets):
    # A new file renamed into place: a failed run never leaves half a file behind.
    temporaire = chemin + ".tmp"
    with open(temporaire, "wb") as f:
        f.write(octets)
    os.replace(temporaire, chemin)


def vocabulaire(points):
    """The stems of every noun and adjective of the principles."""
    v = set()
    for p in points.values():
        for champ in CHAMPS_GROUPES[1:]:
            for g in p[champ]:
                v.update(racines(g))
        for adj in p["adjectifs"]:
            v.update(racines(adj))
    return v


def verifier_regles(chemin):
    """The codes and the display order of this script are those the searches build their keys
    from (written by the program's method library): a key of another form would never be found."""
    with open(chemin, encoding="ascii") as f:
        lignes = f.read().split("\n")
    if lignes[:2] != [" ".join(CODES), " ".join(ORDRE)]:
        raise Erreur(f"{chemin} : les codes ou l'ordre d'affichage diffèrent de ceux des recherches")


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write("usage : generer_textes.py DOSSIER_SOURCE DOSSIER_SORTIE [REGLES_CLES]\n")
        return 2
    source, sortie = argv[1], argv[2]
    try:
        if len(argv) == 4:
            verifier_regles(argv[3])
        points = lire_principes(os.path.join(source, "principes.txt"))
        points["vocabulaire"] = vocabulaire({c: points[c] for c in CODES})
        mipoints = lire_entrees(os.path.join(source, "mipoints.txt"), 2)
        images = lire_entrees(os.path.join(source, "images.txt"), 3)
        formes = lire_formes(os.path.join(source, "formes.txt"))
        verifier_completude(mipoints, images)
        entrees = ecrire_entrees(points, mipoints, images)
        verifier_repetitions(entrees, points["vocabulaire"])
        verifier_fins(entrees)
        verifier_distincts(entrees)
        os.makedirs(sortie, exist_ok=True)
        ecrire_interpretations(entrees, os.path.join(sortie, "ZadadAduZi.int"))
        ecrire_formes(formes, sortie)
    except Erreur as e:
        sys.stderr.write(f"generer_textes.py : {e}\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
