# selvane-cli's technique tables: headers, row counts, a few known values, refusals.
include(${CMAKE_CURRENT_LIST_DIR}/outils_cli.cmake)

function(lignes texte n)
  string(REGEX MATCHALL "\n" l "${texte}")
  list(LENGTH l c)
  set(${n} ${c} PARENT_SCOPE)
endfunction()

set(NAISSANCE --date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00)

# February of a leap year: 29 days of 14 bodies.
lancer(o e r ephemeris --year 2024 --month 2)
lignes("${o}" n)
if(NOT r EQUAL 0 OR NOT n EQUAL 407 OR NOT o MATCHES "^date,jd_ut,body,longitude,speed,retrograde\n01/02/2024,2460341\\.5,19,")
  echec("ephemeris 2024-02: status ${r}, ${n} lines:\n${o}")
endif()
lancer(o e r ephemeris --year 2023)
lignes("${o}" n)
if(NOT r EQUAL 0 OR NOT n EQUAL 169)
  echec("ephemeris 2023: status ${r}, ${n} lines")
endif()
# Mars retrograde on 1 December 2022.
lancer(o e r ephemeris --year 2022 --month 12)
if(NOT o MATCHES "\n01/12/2022,[0-9.]+,5,[0-9.]+,-[0-9.]+,1\n")
  echec("ephemeris 2022-12: Mars not retrograde:\n${o}")
endif()

lancer(o e r houses ${NAISSANCE})
lignes("${o}" n)
if(NOT r EQUAL 0 OR NOT n EQUAL 85 OR NOT o MATCHES "\naries_point,1,180\\.000000,[0-9=]*\naries_point,2,210\\.000000,")
  echec("houses: status ${r}, ${n} lines:\n${o}")
endif()

lancer(o e r mandala ${NAISSANCE} --axes 1,8,3/6)
if(NOT r EQUAL 0 OR NOT o MATCHES "^kind,axis,body1,body2,value,offset_deg\nframe,1," OR NOT o MATCHES "\nframe,2,8,8,[0-9.]+,0\\.000000\n"
   OR NOT o MATCHES "\nthreshold,3,,,[0-9]+,\n")
  echec("mandala: status ${r}:\n${o}")
endif()

lancer(o e r sequences ${NAISSANCE} --orb 1)
if(NOT r EQUAL 0 OR NOT o MATCHES "^number,bodies\n1,[0-9]+=[0-9]+")
  echec("sequences: status ${r}:\n${o}")
endif()

lancer(o e r trees ${NAISSANCE} --harmonic 16 --orb-index 11)
if(NOT r EQUAL 0 OR NOT o MATCHES "^root,body1,body2,offset_deg\n1,[0-9]+,[0-9]*,-?[0-9]+\\.[0-9]+\n")
  echec("trees: status ${r}:\n${o}")
endif()

# Refusals: the French message and status 2.
foreach(cas "ephemeris|--year|1499|1499 : année incorrecte (de 1500 à 2500)"
            "ephemeris|--year|2024|--month|13|13 : mois incorrect (de 1 à 12)"
            "trees|--harmonic|17|Harmonique incorrect : 17 (1 à 16)"
            "trees|--orb-index|24|Orbe incorrect : 24 (0 à 23)"
            "sequences|--orb|2|Orbe incorrect : 2 (0.5 ou 1)"
            "mandala|--axes|1,5/5,3|Les 2 points ne peuvent être identiques"
            "mandala|--axes|2,5,3|Le premier axe est le Soleil : 1"
            "mandala|--axes|1,20,3|Axe incorrect : 20"
            "houses|--orb|1|Option inconnue : --orb")
  string(REPLACE "|" ";" champs "${cas}")
  list(POP_BACK champs message)
  list(GET champs 0 commande)
  set(arguments ${champs})
  if(NOT commande STREQUAL "ephemeris")
    list(INSERT arguments 1 ${NAISSANCE})
  endif()
  lancer(o e r ${arguments})
  string(FIND "${e}" "${message}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1)
    echec("${cas}: status ${r}, message '${e}'")
  endif()
endforeach()
