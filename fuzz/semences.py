#!/usr/bin/env python3
"""Seed corpus of the fuzz targets, made from the files the build installs.

semences.py PROGRAM_DIR OUTPUT_DIR: one folder per target under OUTPUT_DIR.
Binary files are cut to a few records: the fuzzer mutates small inputs best.
"""
import os
import sys

programme, sortie = sys.argv[1], sys.argv[2]


def lire(nom):
    with open(os.path.join(programme, nom), "rb") as f:
        return f.read()


def semence(cible, nom, octets):
    dossier = os.path.join(sortie, cible)
    os.makedirs(dossier, exist_ok=True)
    with open(os.path.join(dossier, nom), "wb") as f:
        f.write(octets)


def court(texte, capacite):
    octets = texte.encode("cp1252")[:capacite]
    return bytes([len(octets)]) + octets + b"\0" * (capacite - len(octets))


CHAMPS = (36, 30, 10, 8, 70, 6, 7, 9, 80)


def fiche(*textes):
    return b"".join(court(t, c) for t, c in zip(textes, CHAMPS))


# Birth files and saved charts: records written the way the programs write them.
a = fiche("DUPONT,Jean", "DUPONTJEAN", "07/03/1952", "14h05m30", "Paris", "48.52", "2.20", "01.00.00", "")
b = fiche("MARTIN,Élise", "MARTINELISE", "29/02/2000", "23h59m59", "Évreux", "49.01", "1.09", "01.00.00", "née à midi")
c = fiche("ZOLA,Émile", "ZOLAEMILE", "02/04/1840", "12h00m00", "Paris", "48.52", "2.20", "L", "")
semence("fuzz_naissances", "trois.thz", a + b + c)
semence("fuzz_naissances", "une_et_demie.thz", a + b[:100])
cht = "\r\n".join(["MARTIN,Élise", "29/02/2000", "23h59m59", "Évreux", "49.01", "1.09", "01.00.00", "née à midi"])
semence("fuzz_theme", "MARTIN.cht", (cht + "\r\n").encode("cp1252"))

# Atlas: the search text, then the first records of a few countries.
for pays, texte in (("France", "evreux"), ("Belgique", "liege"), ("Andorre", "a")):
    try:
        semence("fuzz_atlas", pays + ".cty", texte.encode() + b"\n" + lire(pays + ".cty")[: 20 * 182])
    except FileNotFoundError:
        pass
semence("fuzz_ville_defaut", "Vildef.def", lire("Vildef.def"))

# Zones: the name or number asked for, then the start of the file.
noms = lire("Zones_Numbers.tzn")
semence("fuzz_noms_fuseaux", "paris", b"Europe/Paris\n" + noms[:3000])
semence("fuzz_noms_fuseaux", "debut", b"Africa/Accra\n" + noms[:200])
numero = next(l.split(b"\t")[1].strip() for l in noms.splitlines() if l.startswith(b"Europe/Paris\t"))
regimes = [l for l in lire("TZDBCel.tzb").split(b"\r\n") if l.split(b"\t")[0] == numero]
for nom, date in (("1944", bytes([14, 6, 1944 >> 8, 1944 & 255, 12, 0, 0])),
                  ("1900", bytes([0, 0, 1900 >> 8, 1900 & 255, 12, 0, 0]))):
    semence("fuzz_regimes", nom, date + numero + b"\n" + b"\r\n".join(regimes[:40]) + b"\r\n")

# Settings: the file's number, then its installed content; colour files as installed.
for k, nom in enumerate(("SelvOpt.def", "SelvSetOfPlanetes.def", "ColoredCrownsFile.def", "SelvFontSize.def")):
    semence("fuzz_reglages", nom, bytes([k]) + lire(nom))
for nom in ("OColorsScreen.txt", "OColorsPrint.txt", "OColorsScreenN.txt", "OColorsScreenB.txt",
            "OEchantScreenN.txt", "OEchantScreenB.txt", "OEchantPrint.txt"):
    semence("fuzz_couleurs", nom, lire(nom))

# The grid layout as the grid saves it.
disposition = "[Columns]\r\nCount=2\r\n"
for i, (titre, largeur) in enumerate((("Nom", 180), ("Date", 70))):
    disposition += (f"[Column:{i}]\r\nIndex={i}\r\nCaption={titre}\r\nColor=#000080\r\n"
                    f"SortOrder={i}\r\nVisible=1\r\nWidth={largeur}\r\n")
semence("fuzz_grille", "disposition.txt", disposition.encode())

# Batch lines and an import.
semence("fuzz_serie", "lignes.txt", b"07/03/1952;14h05m30;48.52;2.20;01.00.00\r\n"
        b"01/01/2000;12h00m00;0;0;0\n29/02/2024;00h00;-33.52;-151.12;L\n")
semence("fuzz_import", "deux.csv", "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\n"
        "\"DURAND,Zoé\",,07/03/1952,14h05m30,Évreux,49.01,1.09,01.00.00,\"dit \"\"Zo\"\"\"\n"
        "ALAIN,,01/01/2000,12h00,Paris,48.52,2.20,L,\n".encode())

# The interpretation file: a key, then the first entries of the installed file.
textes = lire("ZadadAduZi.int").split(b"\r\n")
semence("fuzz_interpretation", "debut.txt", textes[0] + b"\n" + b"\r\n".join(textes[:40]))
semence("fuzz_interpretation", "coins.txt", b"_SOL MAR\n_SOL MAR \t\r\nLe Soleil \r\n_SOL MAR\r\n"
        b"cache\r\n _SOL MAR\r\nsuite\n_end\r\n_SOL MAR\r\nsans fin")
# Picture forms: the first three records of one installed theme, and a whole small one.
semence("fuzz_formes", "1.frm", lire("1.frm")[:3 * 111])
semence("fuzz_formes", "8.frm", lire("8.frm"))
# AAF records: complete, with continuation, comment and unknown chunk; town and country only; local mean time.
semence("fuzz_echange", "trois.aaf", "#: essai\r\n#A93:Dupont,Jean,m,7.3.1952,14:05:30,Paris,F\r\n"
        "#B93:2434079.04549,48n52,2e20,1he00,0\r\n#COM:né à midi\r\nsuite\r\n#XYZ:1,2\r\n"
        "#A93:Zola,Émile,m,2.4.1850,12:00,Paris,FR\r\n"
        "#A93:Martin,Ana,f,27.10.1996,2:30,Lyon,F\r\n#B93:*,45s45,4w50,0e09:21,L\r\n".encode("cp1252"))
