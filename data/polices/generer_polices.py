#!/usr/bin/python3
"""Builds the glyph fonts of Selvane from open fonts.

    generer_polices.py SORTIE DEJAVU SYMBOLA NOTO_SYMBOLES2 LICENCE_NOTO

"Celvan S", "Celvan F" and "Celvan" map the codes the program writes (Windows-1252
bytes read as Unicode Latin-1) to astrological symbols, on the text glyphs of
DejaVu Sans; "Zazazive" is DejaVu Sans renamed. Same inputs, same bytes.
"""
import os
import shutil
import sys

from fontTools import subset
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

sortie, chemin_dejavu, chemin_symbola, chemin_noto, licence_noto = sys.argv[1:6]

# Symbols by code: a list of (source, code point, scale, dx) pieces drawn side by side
# when more than one. "S" Symbola, "N" Noto Sans Symbols 2, "D" DejaVu Sans.
SOLEIL, LUNE = 0x2609, 0x263D
ASPECTS = [0x260C, 0x26BA, 0x2220, 0x26B9, 0x25A1, 0x25B3, 0x26BC, 0x26BB, 0x260D]
SYMBOLES = {
    'A': [('S', SOLEIL)], 'B': [('S', LUNE)], 'C': [('S', 0x263F)], 'D': [('S', 0x2640)],
    'E': [('S', 0x2642)], 'F': [('S', 0x2643)], 'G': [('S', 0x2644)], 'H': [('S', 0x2645)],
    'I': [('S', 0x2646)], 'J': [('S', 0x2647)],
    'M': [('S', 0x260A)],                      # true node
    'X': [('D', ord('V')), ('D', ord('x'))],   # Vertex
    'K': [('D', ord('A')), ('D', ord('C'))],   # Ascendant
    'L': [('D', ord('M')), ('D', ord('C'))],   # Midheaven
    '\\': [('S', 0x2648)],                     # Aries point
    ':': [('S', SOLEIL), ('S', LUNE)],         # Sun/Moon midpoint
    ';': [('S', 0x22C8)],                      # midpoint of another pair
    '@': [('S', 0x211E)],                      # retrograde
    '>': [('S', 0x27A4)],                      # dial pointer
    '$': [('S', 0x25C9)],                      # solar eclipse
    '%': [('S', 0x25D0)],                      # lunar eclipse
    '\u00C5': [('S', 0x2302)],                 # meridian houses
}
for i in range(8):                             # Cupido .. Poseidon
    SYMBOLES[chr(0xF4 + i)] = [('N', 0x2BE0 + i)]
for k in range(12):                            # Aries .. Pisces
    SYMBOLES[chr(ord('a') + k)] = [('S', 0x2648 + k)]
for i, cp in enumerate(ASPECTS):               # the nine aspects, two sets of codes
    SYMBOLES[chr(186 + i)] = [('S', cp)]
    SYMBOLES[chr(ord('m') + i)] = [('S', cp)]

UPM = 2048
HAUTEUR = 1400     # common height of a symbol: about the capitals of DejaVu Sans
LARGEUR_MAX = 2700
MARGE = 120

def charger(chemin):
    police = TTFont(chemin)
    return police, police.getGlyphSet(), police.getBestCmap(), police['head'].unitsPerEm

# DejaVu Sans cut to the Latin-1 text the program writes, as the base of every face.
options = subset.Options()
options.layout_features = []
options.hinting = False
options.name_IDs = ['*']
options.notdef_outline = True
options.glyph_names = True
base = TTFont(chemin_dejavu, recalcTimestamp=False)
sousensemble = subset.Subsetter(options)
sousensemble.populate(unicodes=list(range(0x20, 0x7F)) + list(range(0xA0, 0x100)) + [0x2019, 0x2013, 0x2014, 0x20AC])
sousensemble.subset(base)

sources = {'S': charger(chemin_symbola), 'N': charger(chemin_noto), 'D': charger(chemin_dejavu)}

def dessin(source, cp):
    police, glyphes, cmap, upm = sources[source]
    enregistrement = DecomposingRecordingPen(glyphes)
    glyphes[cmap[cp]].draw(enregistrement)
    limites = BoundsPen(glyphes)
    enregistrement.replay(limites)
    return enregistrement, limites.bounds, UPM / upm

def symbole(pieces):
    # Scale every piece alike, put them side by side, then fit the whole to the common size.
    dessins = [dessin(s, cp) for s, cp in pieces]
    largeur, hauteur, placees = 0, 0, []
    for enr, (x0, y0, x1, y1), e in dessins:
        placees.append((enr, e, largeur - x0 * e, y0 * e))
        largeur += (x1 - x0) * e + (60 if len(dessins) > 1 else 0)
        hauteur = max(hauteur, (y1 - y0) * e)
    largeur -= 60 if len(dessins) > 1 else 0
    bas = min(p[3] for p in placees)
    haut = max((d[1][3]) * d[2] for d in dessins)
    hauteur = haut - bas
    f = min(HAUTEUR / hauteur, LARGEUR_MAX / largeur)
    stylo = TTGlyphPen(None)
    for enr, e, dx, _ in placees:
        transforme = TransformPen(stylo, (e * f, 0, 0, e * f, MARGE + dx * f, -bas * f))
        enr.replay(transforme)
    return stylo.glyph(), round(largeur * f + 2 * MARGE)

def nommer(police, famille, postscript):
    table = police['name']
    for enregistrement in list(table.names):
        if enregistrement.nameID in (1, 2, 3, 4, 6, 16, 17, 21, 22):
            table.removeNames(nameID=enregistrement.nameID)
    for id_, texte in ((1, famille), (2, 'Regular'), (3, f'{postscript}-Selvane'), (4, famille), (6, postscript)):
        table.setName(texte, id_, 3, 1, 0x409)
        table.setName(texte, id_, 1, 0, 0)

def police_symboles():
    police = base
    for code, pieces in sorted(SYMBOLES.items()):
        nom = f'celvan.{ord(code):04X}'
        glyphe, avance = symbole(pieces)
        police['glyf'][nom] = glyphe  # also appends the name to the glyph order
        police['hmtx'][nom] = (avance, MARGE)
        for table in police['cmap'].tables:
            if table.isUnicode():
                table.cmap[ord(code)] = nom
    police.setGlyphOrder(police['glyf'].glyphOrder)
    return police

def ecrire(police, famille, postscript, fichier):
    nommer(police, famille, postscript)
    police.save(os.path.join(sortie, fichier), reorderTables=True)

os.makedirs(sortie, exist_ok=True)
texte = TTFont(chemin_dejavu, recalcTimestamp=False)
sousensemble.subset(texte)
ecrire(texte, 'Zazazive', 'Zazazive', 'Zazazive.ttf')

symboles = police_symboles()
for famille, postscript, fichier in (('Celvan S', 'CelvanS', 'Celvan S.ttf'),
                                      ('Celvan F', 'CelvanF', 'Celvan F.ttf'),
                                      ('Celvan', 'Celvan', 'Celvan.ttf')):
    ecrire(symboles, famille, postscript, fichier)

# The licences of the source fonts go with the fonts.
with open(os.path.join(sortie, 'Celvan-LICENCES.txt'), 'w', encoding='utf-8', newline='\r\n') as f:
    f.write('Les polices "Celvan S", "Celvan F", "Celvan" et "Zazazive" de Selvane sont dérivées de\r\n'
            'DejaVu Sans, de Symbola et de Noto Sans Symbols 2, renommées. Leurs licences suivent.\r\n\r\n')
    for titre, chemin in (('DejaVu Sans', '/usr/share/doc/fonts-dejavu-core/copyright'),
                          ('Symbola', '/usr/share/doc/fonts-symbola/copyright'),
                          ('Noto Sans Symbols 2', licence_noto)):
        f.write(f'===== {titre} =====\r\n\r\n')
        with open(chemin, encoding='utf-8', errors='replace') as source:
            f.write(source.read().replace('\r\n', '\n'))
        f.write('\r\n')
