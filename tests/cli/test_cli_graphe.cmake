# selvane-cli graph: the crossings of the graphic ephemeris, their columns and units, refusals.
include(${CMAKE_CURRENT_LIST_DIR}/outils_cli.cmake)

set(NAISSANCE --date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00)
set(ENTETE "jd_ut,date,time,body,aspect,a,b,target_deg")

# The rows after the header, as a list of lists ("a;b;c").
function(lignes_csv texte resultat)
  string(REGEX REPLACE "\n$" "" texte "${texte}")
  string(REPLACE ";" "," texte "${texte}")
  string(REPLACE "\n" ";" l "${texte}")
  list(POP_FRONT l entete)
  if(NOT entete STREQUAL ENTETE)
    echec("header '${entete}'")
  endif()
  set(${resultat} "${l}" PARENT_SCOPE)
endfunction()

# The Sun over a year in the 360° dial: each of the 24 natal points once, as a conjunction, on
# the longitude the chart command gives; in the 90° dial four times (0, 90 twice, 180).
lancer(o e r chart ${NAISSANCE})
string(REGEX MATCH "\nbody,1,([0-9.]+)," m "${o}")
set(soleil "${CMAKE_MATCH_1}")
lancer(o e r graph ${NAISSANCE} --from 01/01/2027 --months 12 --modulus 360 --bodies 1 --targets points)
lignes_csv("${o}" rangs)
list(LENGTH rangs n)
if(NOT r EQUAL 0 OR NOT n EQUAL 24)
  echec("graph 360: status ${r}, ${n} rows:\n${o}${e}")
endif()
set(precedent 0)
set(vus "")
foreach(rang ${rangs})
  if(NOT rang MATCHES "^([^,]*),([^,]*),([^,]*),([^,]*),([^,]*),([^,]*),([^,]*),([^,]*)$")
    echec("graph 360: row '${rang}'")
  endif()
  set(jd "${CMAKE_MATCH_1}")
  set(date "${CMAKE_MATCH_2}")
  set(heure "${CMAKE_MATCH_3}")
  set(corps "${CMAKE_MATCH_4}")
  set(aspect "${CMAKE_MATCH_5}")
  set(a "${CMAKE_MATCH_6}")
  set(b "${CMAKE_MATCH_7}")
  set(cible "${CMAKE_MATCH_8}")
  if(NOT jd MATCHES "^24[0-9]+\\.[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]$" OR NOT date MATCHES "^[0-3][0-9]/[01][0-9]/2027$"
     OR NOT heure MATCHES "^[0-2][0-9]h[0-5][0-9]$" OR NOT corps STREQUAL "1" OR NOT aspect STREQUAL "0"
     OR NOT b STREQUAL "" OR cible LESS 0 OR NOT cible LESS 360 OR jd LESS precedent)
    echec("graph 360: row '${rang}'")
  endif()
  if(a STREQUAL "1" AND NOT cible STREQUAL soleil)
    echec("graph 360: the natal Sun at ${cible}, the chart says ${soleil}")
  endif()
  list(APPEND vus ${a})
  set(precedent ${jd})
endforeach()
list(REMOVE_DUPLICATES vus)
list(LENGTH vus n)
if(NOT n EQUAL 24)
  echec("graph 360: ${n} different points")
endif()

lancer(o e r graph ${NAISSANCE} --from 01/01/2027 --months 12 --modulus 90 --bodies 1 --targets points)
foreach(cas "0|24" "90|48" "180|24")
  string(REPLACE "|" ";" cas "${cas}")
  list(GET cas 0 aspect)
  list(GET cas 1 attendu)
  string(REGEX MATCHALL "\n[^,]+,[^,]+,[^,]+,1,${aspect},[0-9]+,," l "${o}")
  list(LENGTH l n)
  if(NOT n EQUAL attendu)
    echec("graph 90: ${n} rows of ${aspect}°, ${attendu} expected")
  endif()
endforeach()

# Midpoints only in the 22°30' dial: every b given, aspects multiples of 22.5 up to 180; the
# directed points marked "d".
lancer(o e r graph ${NAISSANCE} --from 01/06/2027 --months 3 --modulus 22.5 --bodies 5,6 --targets midpoints --arc)
lignes_csv("${o}" rangs)
list(LENGTH rangs n)
if(NOT r EQUAL 0 OR n LESS 50 OR NOT o MATCHES "\n[0-9.]+,[0-9/]+,[0-9h]+,d[0-9]+,")
  echec("graph 22.5: status ${r}, ${n} rows:\n${o}${e}")
endif()
foreach(rang ${rangs})
  if(NOT rang MATCHES "^[0-9.]+,[0-9/]+,[0-9h]+,d?[0-9]+,(0|22\\.5|45|67\\.5|90|112\\.5|135|157\\.5|180),[0-9]+,[0-9]+,[0-9]+\\.[0-9][0-9][0-9][0-9][0-9][0-9]$")
    echec("graph 22.5: row '${rang}'")
  endif()
endforeach()

# The picture and the page beside the CSV.
set(png ${DOSSIER}/graphe.png)
set(pdf ${DOSSIER}/graphe.pdf)
file(MAKE_DIRECTORY ${DOSSIER})
file(REMOVE ${png} ${pdf})
lancer(o e r graph ${NAISSANCE} --from 01/01/2027 --months 12 --modulus 45 --png ${png} --size 800x450 --pdf ${pdf})
if(NOT r EQUAL 0 OR NOT o MATCHES "^${ENTETE}\n[0-9]" OR NOT EXISTS ${png} OR NOT EXISTS ${pdf})
  echec("graph --png --pdf: status ${r}:\n${e}")
endif()
file(READ ${png} tete LIMIT 24 HEX)
# The PNG signature, then width 800 and height 450 in its header chunk.
if(NOT tete MATCHES "^89504e470d0a1a0a0000000d4948445200000320000001c2")
  echec("graph --png: header ${tete}")
endif()
file(READ ${pdf} tete LIMIT 5)
if(NOT tete MATCHES "^%PDF-")
  echec("graph --pdf: header ${tete}")
endif()

# Refusals: the French message and status 2.
foreach(cas "--from|32/01/2027|--months|1|--modulus|90|32/01/2027 : date incorrecte"
            "--from|01/01/2027|--months|25|--modulus|90|Nombre de mois incorrect : 25 (1 à 24)"
            "--from|01/01/2027|--months|0|--modulus|90|Nombre de mois incorrect : 0 (1 à 24)"
            "--from|01/01/2027|--months|2|--modulus|30|Module incorrect : 30 (360, 90, 45 ou 22.5)"
            "--from|01/01/2027|--months|2|--modulus|90|--bodies|5,20|Corps incorrect : '20' (1 à 19)"
            "--from|01/01/2027|--months|2|--modulus|90|--targets|tout|Cibles incorrectes : tout (points, midpoints, personal ou all)"
            "--months|2|--modulus|90|Option obligatoire manquante : --from"
            "--from|01/01/2027|--modulus|90|Option obligatoire manquante : --months"
            "--from|01/01/2027|--months|2|Option obligatoire manquante : --modulus"
            "--from|01/01/2027|--months|2|--modulus|90|--png|x.png|--size|100x100|Taille incorrecte : 100x100 (LxH, de 200 à 8000 pixels)"
            "--from|01/01/2027|--months|2|--modulus|90|--png|/dossier/absent/x.png|Impossible d'écrire /dossier/absent/x.png"
            "--from|01/01/2027|--months|2|--modulus|90|--what|3|Option inconnue : --what")
  string(REPLACE "|" ";" champs "${cas}")
  list(POP_BACK champs message)
  lancer(o e r graph ${NAISSANCE} ${champs})
  string(FIND "${e}" "${message}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT o STREQUAL "")
    echec("${cas}: status ${r}, message '${e}'")
  endif()
endforeach()
