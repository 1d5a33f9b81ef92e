#!/usr/bin/python3
"""Expected legal offsets from Python's zoneinfo, for the comparison test of the
regime lookup: every zone name of the installed tzdata, instants from 1850 to
2049, around every change of offset (one minute after each, its exact local
start, the middle of a skipped or repeated hour).

    zoneinfo_attendu.py ZONEINFO SORTIE

One line per instant, TAB-separated: zone name, local date and time
(dd/mm/yyyy, HH, MM, SS), the local instant in seconds since 1970, and the
answer for the first and the second reading of that local time (fold 0 and 1):
"L" where zoneinfo names local mean time, else the offset in seconds.
"""
import datetime
import os
import struct
import sys
import zoneinfo

DOSSIER, SORTIE = sys.argv[1], sys.argv[2]
DEBUT = int(datetime.datetime(1850, 1, 1, tzinfo=datetime.timezone.utc).timestamp())
FIN = int(datetime.datetime(2050, 1, 1, tzinfo=datetime.timezone.utc).timestamp()) - 86400 * 2
EPOQUE = datetime.datetime(1970, 1, 1)


def transitions_du_fichier(chemin):
    """The explicit transitions (UT seconds) of the 64-bit part of a TZif file."""
    with open(chemin, 'rb') as f:
        b = f.read()
    if b[:4] != b'TZif':
        return None

    def entete(o):
        return struct.unpack('>6l', b[o + 20:o + 44])

    isutc, isstd, leap, time, typ, char = entete(0)
    o = 44 + time * 5 + typ * 6 + char + leap * 8 + isstd + isutc
    if b[4] < ord('2'):
        return []
    isutc, isstd, leap, time, typ, char = entete(o)
    o += 44
    return list(struct.unpack('>%dq' % time, b[o:o + 8 * time]))


def decalage_ut(zone, t):
    return int(datetime.datetime.fromtimestamp(t, zone).utcoffset().total_seconds())


def changements(zone, explicites):
    """(UT instant, offset before, offset after) of every change of offset in the span;
    after the file's last transition zoneinfo's own reading of the footer rule is probed."""
    liste = []
    for t in explicites:
        if DEBUT < t < FIN:
            avant, apres = decalage_ut(zone, t - 1), decalage_ut(zone, t)
            if avant != apres:
                liste.append((t, avant, apres))
    t = max([DEBUT] + [x for x in explicites if x < FIN])
    pas = 7 * 86400
    precedent = decalage_ut(zone, t)
    while t + pas < FIN:
        suivant = decalage_ut(zone, t + pas)
        if suivant != precedent:
            bas, haut = t, t + pas  # offset changes in (bas, haut]
            while haut - bas > 1:
                milieu = (bas + haut) // 2
                if decalage_ut(zone, milieu) == precedent:
                    bas = milieu
                else:
                    haut = milieu
            liste.append((haut, precedent, suivant))
        precedent = suivant
        t += pas
    return liste


def reponse(zone, local, pli):
    d = (EPOQUE + datetime.timedelta(seconds=local)).replace(tzinfo=zone, fold=pli)
    if d.tzname() == 'LMT':
        return 'L'
    return str(int(d.utcoffset().total_seconds()))


def main():
    lignes = []
    # "localtime" is Debian's link to the machine's own zone, not a zone name.
    noms = sorted(n for n in zoneinfo.available_timezones() if n != 'localtime')
    for nom in noms:
        zone = zoneinfo.ZoneInfo(nom)
        explicites = transitions_du_fichier(os.path.join(DOSSIER, nom)) or []
        instants = set()
        for annee in range(1850, 2050):  # one instant a year, wandering through the calendar
            d = datetime.datetime(annee, 1 + annee % 12, 1 + annee % 28, annee % 24, (7 * annee) % 60)
            instants.add(int((d - EPOQUE).total_seconds()))
        for t, avant, apres in changements(zone, explicites):
            for local in (t + apres + 60, t + apres, t + avant - 60, t + (avant + apres) // 2):
                instants.add(local)
        for local in sorted(instants):
            d = EPOQUE + datetime.timedelta(seconds=local)
            if not 1850 <= d.year <= 2049:
                continue
            lignes.append('%s\t%02d/%02d/%04d\t%02d\t%02d\t%02d\t%d\t%s\t%s\n' % (
                nom, d.day, d.month, d.year, d.hour, d.minute, d.second, local,
                reponse(zone, local, 0), reponse(zone, local, 1)))
    temporaire = SORTIE + '.tmp'
    with open(temporaire, 'w', encoding='ascii') as f:
        f.writelines(lignes)
    os.replace(temporaire, SORTIE)


main()
