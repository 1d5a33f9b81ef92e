#!/usr/bin/python3
"""Writes the interpretation file ZadadAduZi.int and the picture forms 1.frm .. 11.frm.

Usage: generer_textes.py SOURCE_FOLDER OUTPUT_FOLDER

Every text comes from the UTF-8 sources beside this script: principes.txt (the points),
mipoints.txt and images.txt (hand-written midpoints and pictures), formes.txt (the forms).
A key with no hand-written entry gets a text composed from the principles. The choices of
the composition depend on the key only, so every run writes the same bytes.
"""
import os
import sys
import zlib

# Body numbers 1..23 and their codes, glyph letters and the Uranian display order.
CODES = ["SOL", "LUN", "MER", "VEN", "MAR", "JUP", "SAT", "URA", "NEP", "PLU",
         "CU.", "HA.", "ZE.", "KR.", "AP.", "AD.", "VU.", "PO.", "NLN", "Vx", "AS.", "MC.", "VPT"]
LETTRES = [b"A", b"B", b"C", b"D", b"E", b"F", b"G", b"H", b"I", b"J",
           b"\xf4", b"\xf5", b"\xf6", b"\xf7", b"\xf8", b"\xf9", b"\xfa", b"\xfb",
           b"M", b"X", b"K", b"L", b"\\"]
ORDRE = ["VPT", "MC.", "AS.", "SOL", "LUN", "NLN", "MER", "VEN", "MAR", "JUP", "SAT", "URA",
         "NEP", "PLU", "CU.", "HA.", "ZE.", "KR.", "AP.", "AD.", "VU.", "PO.", "Vx"]
RANG = {c: i for i, c in enumerate(ORDRE)}
THEMES_CONCRETS = ["amour", "couple", "travail", "sante", "evenements"]
CHAMPS = ["nom", "psychologie"] + THEMES_CONCRETS + ["adjectifs"]
TITRES_FORMES = ["Vie affective  - Mariage", "Problématique du couple et affective",
                 "Travail - Carrière - Economie - Politique", "Santé",
                 "Situations et événements divers", "Psychologie  -  Mental",
                 "Point personnel : Point Bélier", "Point personnel : Ascendant",
                 "Point Personnel : Milieu du ciel", "Point personnel : Noeud Nord"]
LARGEUR_LIGNE = 90


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
    return t[:1].upper() + t[1:]


def pronom(g):
    return {"ms": "il", "fs": "elle", "mp": "ils", "fp": "elles"}[g.genre + g.nombre]


def verbe(g, singulier, pluriel):
    return pluriel if g.pluriel else singulier


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

    def accord(self, genre, nombre):
        return self.formes[(0 if genre == "m" else 1) + (0 if nombre == "s" else 2)]

    def pour(self, *groupes):
        """Agreement with one phrase, or with several joined by "et" (plural, masculine wins)."""
        if len(groupes) == 1:
            return self.accord(groupes[0].genre, groupes[0].nombre)
        genre = "f" if all(g.genre == "f" for g in groupes) else "m"
        return self.accord(genre, "p")


def accord_participe(radical_m, *groupes):
    """'mis' -> mis/mise/mis/mises agreeing like an adjective (radical in the masculine)."""
    feminin = radical_m + "e"
    return Adjectif([radical_m, feminin]).pour(*groupes)


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
            points[courant] = {}
            continue
        champ, _, valeur = ligne.partition(":")
        champ = champ.strip()
        if courant is None or champ not in CHAMPS:
            raise Erreur(f"{chemin}:{numero}: champ inattendu {champ}")
        elements = [e.strip() for e in valeur.split(";") if e.strip()]
        if champ == "adjectifs":
            points[courant][champ] = [Adjectif(e.split("|")) for e in elements]
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
    entrees, cle, lignes = {}, None, []

    def fermer():
        if cle is not None:
            texte = " ".join(lignes).strip()
            if not texte:
                raise Erreur(f"{chemin}: entrée vide pour {' '.join(cle)}")
            entrees[cle] = texte

    for numero, ligne in lignes_utiles(chemin):
        if ligne.startswith("="):
            fermer()
            cle, lignes = tuple(ligne[1:].split()), []
            if len(cle) != taille or any(c not in CODES for c in cle):
                raise Erreur(f"{chemin}:{numero}: clé mal formée {ligne}")
            if RANG[cle[0]] > RANG[cle[1]]:
                raise Erreur(f"{chemin}:{numero}: {cle[1]} doit précéder {cle[0]}")
            if cle in entrees:
                raise Erreur(f"{chemin}:{numero}: entrée en double {ligne}")
        else:
            if cle is None:
                raise Erreur(f"{chemin}:{numero}: texte sans clé")
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


# ---------------------------------------------------------------- composition

class Choix:
    """Deterministic choices drawn from a key: the same key always reads the same way."""

    def __init__(self, cle):
        self.graine = zlib.crc32(cle.encode("utf-8"))

    def pris(self, liste):
        self.graine = (self.graine * 1103515245 + 12345) & 0x7FFFFFFF
        return liste[(self.graine >> 8) % len(liste)]


NUANCES = [
    "Rien n'est joué d'avance : c'est l'usage conscient de ces forces qui en fait la valeur.",
    "Selon le reste du thème, cela peut être une ressource précieuse ou un point à apprivoiser.",
    "Les transits et les directions sur ce point montrent quand le thème s'active.",
    "Bien vécue, cette configuration devient un atout que l'entourage remarque.",
    "Il s'agit d'une tendance, que l'éducation et les choix de vie modulent largement.",
    "On gagne à en parler ouvertement plutôt qu'à laisser les choses se faire seules.",
    "La qualité des aspects reçus indique si le chemin est aisé ou demande des efforts.",
    "Ce qui semble d'abord une difficulté peut devenir, avec le temps, une compétence.",
    "La personne choisit largement la forme que prend cette rencontre.",
]


def concret_mipoint(ch, theme, x, y, ce="ce mi-point"):
    """One sentence of a concrete theme on the phrases x and y of the two points."""
    modeles = {
        "amour": [
            lambda: f"En amour, {x} et {y} vont de pair.",
            lambda: f"Dans la vie affective, {ce} relie {x} {a(y)}.",
            lambda: f"Côté sentiments, {x} {verbe(x, 'cherche', 'cherchent')} à s'accorder avec {y}.",
        ],
        "couple": [
            lambda: f"Dans le couple, il est question {de(x)} et {de(y)}.",
            lambda: f"Entre partenaires, {x} {verbe(x, 'rejoint', 'rejoignent')} {y}.",
            lambda: f"À la maison, {y} {verbe(y, 'demande', 'demandent')} {elide('que', x)} "
                    f"{verbe(x, 'trouve sa', 'trouvent leur')} juste place.",
        ],
        "travail": [
            lambda: f"Au travail, {x} {verbe(x, 'se met', 'se mettent')} au service {de(y)}.",
            lambda: f"Sur le plan professionnel, {ce} réunit {x} et {y}.",
            lambda: f"Dans les affaires, {x} {verbe(x, 'profite', 'profitent')} {de(y)} "
                    f"quand on sait les associer.",
        ],
        "sante": [
            lambda: f"Pour la santé, on veillera {a(x)} et {a(y)}, sans inquiétude inutile.",
            lambda: f"Côté santé, le point concerne {x} et {y} ; une hygiène de vie adaptée "
                    f"suffit souvent.",
            lambda: f"Sur le plan physique, {ce} parle {de(x)} et {de(y)} : un rythme de vie "
                    f"régulier les soutient.",
        ],
        "evenements": [
            lambda: f"Dans les faits, cela peut se traduire par {partitif(x)} ou {partitif(y)}.",
            lambda: f"Concrètement, on voit {x} {accord_participe('lié', x)} {a(y)}.",
            lambda: f"Au fil des jours, {x} et {y} se répondent.",
        ],
    }
    return ch.pris(modeles[theme])()


def concret_image(ch, theme, x, y, z):
    """One sentence of a concrete theme: z, of the point on the midpoint, acts on x and y."""
    modeles = {
        "amour": [
            lambda: f"En amour, {x} et {y} se retrouvent sous le signe {de(z)}.",
            lambda: f"Dans la vie affective, {z} {verbe(z, 'donne sa', 'donnent leur')} couleur "
                    f"{a(x)} et {a(y)}.",
        ],
        "couple": [
            lambda: f"Dans le couple, {z} {verbe(z, 'influence', 'influencent')} {x} comme {y}.",
            lambda: f"Entre partenaires, il est question {de(x)} et {de(y)}, "
                    f"{elide('que', z)} {verbe(z, 'vient', 'viennent')} nuancer.",
        ],
        "travail": [
            lambda: f"Au travail, on peut y voir {x} et {y} {accord_participe('marqué', x, y)} par {z}.",
            lambda: f"Sur le plan professionnel, {z} {verbe(z, 'oriente', 'orientent')} {x} et {y}.",
        ],
        "sante": [
            lambda: f"Pour la santé, on veillera {a(x)} et {a(y)}, en tenant compte {de(z)}.",
            lambda: f"Côté santé, {x} et {y} sont {accord_participe('concerné', x, y)} ; une hygiène "
                    f"de vie adaptée suffit souvent.",
        ],
        "evenements": [
            lambda: f"Dans les faits, cela peut se traduire par {partitif(x)} ou {partitif(y)}, sous le signe {de(z)}.",
            lambda: f"Concrètement, {z} {verbe(z, 'accompagne', 'accompagnent')} {x} et {y}.",
        ],
    }
    return ch.pris(modeles[theme])()


def phrase_psychologique(ch, pa, pb):
    p, q, adj = ch.pris(pa["psychologie"]), ch.pris(pb["psychologie"]), ch.pris(pb["adjectifs"])
    l_un = "l'une" if p.genre == q.genre == "f" else "l'un"
    modeles = [
        lambda: f"{maj(str(p))} {verbe(p, 'rencontre', 'rencontrent')} {q} : "
                f"{pronom(p)} {verbe(p, 'devient', 'deviennent')} {adj.pour(p)}.",
        lambda: f"Ce mi-point associe {p} {a(q)} ; il en naît une manière d'être plus "
                f"{adj.accord('f', 's')}.",
        lambda: f"Ici {q} {verbe(q, 'colore', 'colorent')} {p}, "
                f"qui {verbe(p, 'se montre', 'se montrent')} {adj.pour(p)}.",
        lambda: f"{maj(str(p))} et {q} se répondent : {l_un} nourrit l'autre.",
        lambda: f"Avec {pa['nom'][0]} et {pb['nom'][0]} réunis, {p} "
                f"{verbe(p, 'se fait', 'se font')} {adj.pour(p)}.",
    ]
    return ch.pris(modeles)()


def composer_mipoint(points, ca, cb):
    ch = Choix(f"_{ca} {cb}")
    pa, pb = points[ca], points[cb]
    if ca == cb:
        return composer_point_seul(ch, pa)
    theme = ch.pris(THEMES_CONCRETS)
    phrases = [phrase_psychologique(ch, pa, pb),
               concret_mipoint(ch, theme, ch.pris(pa[theme]), ch.pris(pb[theme]))]
    if ch.pris([True, False]):
        phrases.append(ch.pris(NUANCES))
    return " ".join(phrases)


def composer_point_seul(ch, pa):
    """The key "_A A": the point by itself, as the directed Sun/Moon midpoint meets it."""
    nom = pa["nom"][0]
    psy = pa["psychologie"]
    theme = ch.pris(THEMES_CONCRETS)
    concret = pa[theme]
    cadre = {"amour": "en amour", "couple": "dans le couple", "travail": "au travail",
             "sante": "pour la santé", "evenements": "dans les faits"}[theme]
    return (f"{maj(str(nom))} par {'lui' if nom.genre == 'm' else 'elle'}-même : {psy[0]}, {psy[1]} "
            f"et {psy[2]}. {maj(cadre)}, {pronom(nom)} désigne {concret[0]} et {concret[1]}.")


def composer_image(points, ca, cb, cc):
    ch = Choix(f"_{ca} {cb} {cc}")
    pa, pb, pc = points[ca], points[cb], points[cc]
    na, nb, nc = pa["nom"][0], pb["nom"][0], pc["nom"][0]
    theme = ch.pris(THEMES_CONCRETS)
    if ca == cb or cb == cc or ca == cc:
        return composer_contact(ch, theme, pa, pb, pc, ca == cc)
    adj = ch.pris(pc["adjectifs"])
    z = ch.pris(pc["psychologie"])
    x, y = ch.pris(pa["psychologie"]), ch.pris(pb["psychologie"])
    premiere = ch.pris([
        lambda: f"{maj(str(z))} {verbe(z, 'vient', 'viennent')} toucher l'union {de(na)} et {de(nb)} : "
                f"{x} et {y} deviennent {adj.pour(x, y)}.",
        lambda: f"Sur ce {elide('que', na)} et {nb} construisent ensemble, {nc} apporte {z}.",
        lambda: f"{maj(str(nc))} au mi-point {de(na)} et {de(nb)} : {x} "
                f"{verbe(x, 'se fait', 'se font')} {adj.pour(x)} au contact {de(y)}.",
        lambda: f"{maj(elide('lorsque', z))} {verbe(z, 'rejoint', 'rejoignent')} {x} et {y}, "
                f"l'ensemble devient {adj.accord('m', 's')}.",
        lambda: f"{maj(str(x))} et {y} reçoivent ici l'empreinte {de(nc)}, qui les rend {adj.pour(x, y)}.",
    ])()
    phrases = [premiere, concret_image(ch, theme, ch.pris(pa[theme]), ch.pris(pb[theme]),
                                       ch.pris(pc[theme]))]
    if ch.pris([True, False, False]):
        phrases.append(ch.pris(NUANCES))
    return " ".join(phrases)


def composer_contact(ch, theme, pa, pb, pc, propre):
    """Two codes of the key name one point: A/A = C and A/C = C, where C acts on A, or
    A/B = A (propre), where A strengthens its own midpoint with B."""
    acteur, cible = (pa, pb) if propre else (pc, pa)
    n_act, n_cib = acteur["nom"][0], cible["nom"][0]
    x = ch.pris(cible["psychologie"])
    adj = ch.pris(acteur["adjectifs"])
    if propre:
        premiere = (f"{maj(str(n_act))} renforce ici son propre mi-point avec {n_cib} : "
                    f"{x} {verbe(x, 'en devient', 'en deviennent')} {adj.pour(x)}.")
    else:
        premiere = ch.pris([
            lambda: f"{maj(str(n_act))} agit directement sur {n_cib} : {x} "
                    f"{verbe(x, 'se montre', 'se montrent')} {adj.pour(x)}.",
            lambda: f"Contact direct {de(n_act)} et {de(n_cib)} : {ch.pris(acteur['psychologie'])} "
                    f"s'applique {a(x)}.",
            lambda: f"{maj(elide('lorsque', n_act))} touche {n_cib}, {x} "
                    f"{verbe(x, 'devient', 'deviennent')} {adj.pour(x)}.",
        ])()
    return premiere + " " + concret_mipoint(ch, theme, ch.pris(cible[theme]), ch.pris(acteur[theme]), "ce contact")


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


def cles_du_fichier():
    """Every pair, and every triple that does not name one point three times."""
    for a_ in CODES:
        for b in CODES:
            yield (a_, b)
    for a_ in CODES:
        for b in CODES:
            for c in CODES:
                if not a_ == b == c:
                    yield (a_, b, c)


def ecrire_interpretations(points, mipoints, images, chemin):
    sortie = bytearray()
    for cle in cles_du_fichier():
        main = mipoints if len(cle) == 2 else images
        texte = main.get(cle)
        if texte is None:
            texte = composer_mipoint(points, *cle) if len(cle) == 2 else composer_image(points, *cle)
        nom = "_" + " ".join(cle)
        sortie += en_cp1252(nom, "clé") + b"\r\n"
        for ligne in couper(" ".join(texte.split())):
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


POINTS_PERSONNELS = ["VPT", "MC.", "AS.", "SOL", "LUN", "NLN"]


def verifier_points_personnels(mipoints):
    """Every midpoint of a personal point with any other point is written by hand."""
    for p in POINTS_PERSONNELS:
        for q in CODES:
            cle = tuple(sorted((p, q), key=RANG.get))
            if p != q and cle not in mipoints:
                raise Erreur(f"mipoints.txt : il manque le mi-point {' '.join(cle)}")


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage : generer_textes.py DOSSIER_SOURCE DOSSIER_SORTIE\n")
        return 2
    source, sortie = argv[1], argv[2]
    try:
        points = lire_principes(os.path.join(source, "principes.txt"))
        mipoints = lire_entrees(os.path.join(source, "mipoints.txt"), 2)
        images = lire_entrees(os.path.join(source, "images.txt"), 3)
        formes = lire_formes(os.path.join(source, "formes.txt"))
        verifier_points_personnels(mipoints)
        os.makedirs(sortie, exist_ok=True)
        ecrire_interpretations(points, mipoints, images, os.path.join(sortie, "ZadadAduZi.int"))
        ecrire_formes(formes, sortie)
    except Erreur as e:
        sys.stderr.write(f"generer_textes.py : {e}\n")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
