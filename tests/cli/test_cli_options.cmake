# The options around BIRTH, read the same way by every sub-command: what is refused (status 2,
# the French message, no output) and which of two repeated or reordered options counts.
include(${CMAKE_CURRENT_LIST_DIR}/outils_cli.cmake)

file(REMOVE_RECURSE "${DOSSIER}")
file(MAKE_DIRECTORY "${DOSSIER}")
set(naissance "--date|07/03/1952|--time|14h05m30|--lat|48.52|--long|2.20|--zone|01.00.00")
set(ajout "--name|X|--date|07/03/1952|--time|14h05|--city|X|--lat|48.52|--long|2.20|--zone|0")

# Each case: the message expected, then the arguments.
set(cas
  # A last word alone lacks its value; a word that is not an option is refused as one, and
  # the forecast commands say so before looking for its value.
  "Valeur manquante après foo|chart|${naissance}|foo"
  "Option inconnue : foo|chart|${naissance}|foo|bar"
  "Option inconnue : foo|returns|${naissance}|--kind|rs|--year|2027|foo"
  "Option inconnue : --bogus|trees|${naissance}|--bogus|1"
  # A misspelt forecast option is refused, not ignored: the answer would be to another question.
  "Option inconnue : --presision|table|${naissance}|--technique|rs|--on|01/01/2020|--presision|1"
  "Option inconnue : --yaer|returns|${naissance}|--kind|rs|--yaer|2027"
  "Option inconnue : --orb|arc|${naissance}|--on|01/01/2020|--orb|1"
  "Option inconnue : --hamonic|interpret|${naissance}|--hamonic|4"
  "Option inconnue : --bogus|directions|${naissance}|--p1|1|--p2|1|--p3|1|--bogus|1"
  "Option inconnue : --bogus|births|add|${DOSSIER}/G.thz|${ajout}|--bogus|1"
  "Valeur manquante après --comment|births|add|${DOSSIER}/G.thz|${ajout}|--comment"
  # --subharmonics stands alone for tree only.
  "Valeur manquante après --subharmonics|dial|${naissance}|--arc|30|--subharmonics"
  "Option obligatoire manquante : --zone|trees|--date|07/03/1952|--time|14h05m30|--lat|48.52|--long|2.20"
  "Option obligatoire manquante : --time|returns|--date|07/03/1952|--kind|rs|--year|2027"
  # The place of the computed chart is checked as a birth place.
  "Longitude : 200.00 :  valeur incorrecte !|returns|${naissance}|--kind|rs|--year|2027|--long|200.00"
  "Erreur : latitude supérieure à 90° !|table|${naissance}|--technique|rs|--on|01/01/2020|--lat|95.00"
)
foreach(c IN LISTS cas)
  string(REPLACE "|" ";" champs "${c}")
  list(POP_FRONT champs message)
  lancer(o e r ${champs})
  string(FIND "${e}" "${message}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT o STREQUAL "")
    echec("${c}: status ${r}, message '${e}', output '${o}'")
  endif()
endforeach()
if(EXISTS "${DOSSIER}/G.thz")
  echec("a refused births add wrote ${DOSSIER}/G.thz")
endif()

# Pairs of command lines that must give the same bytes.
set(paires
  # Outside the forecast commands the last --lat counts.
  "chart|--lat|10.00|${naissance}" "chart|${naissance}"
  "chart|${naissance}|--lat|10.00" "chart|--date|07/03/1952|--time|14h05m30|--lat|10.00|--long|2.20|--zone|01.00.00"
  # Flags stand anywhere, before the birth too.
  "returns|--precession|${naissance}|--kind|rs|--year|2027" "returns|${naissance}|--kind|rs|--year|2027|--precession"
  "dial|--precession|${naissance}|--solar-return|2027" "dial|${naissance}|--solar-return|2027|--precession"
)
list(LENGTH paires nombre)
math(EXPR dernier "${nombre} / 2 - 1")
foreach(k RANGE ${dernier})
  math(EXPR i "2 * ${k}")
  math(EXPR j "${i} + 1")
  list(GET paires ${i} a)
  list(GET paires ${j} b)
  string(REPLACE "|" ";" la "${a}")
  string(REPLACE "|" ";" lb "${b}")
  lancer(oa ea ra ${la})
  lancer(ob eb rb ${lb})
  if(NOT ra EQUAL 0 OR NOT rb EQUAL 0 OR NOT oa STREQUAL ob OR oa STREQUAL "")
    echec("${a} / ${b}: status ${ra}/${rb} (${ea}${eb}), outputs differ or are empty")
  endif()
endforeach()

# A second --lat of a forecast command is the place of the computed chart, not a new birth
# place: the natal chart stays, the return moves.
string(REPLACE "|" ";" n "${naissance}")
lancer(o1 e1 r1 arc ${n} --on 07/03/2027)
lancer(o2 e2 r2 arc ${n} --on 07/03/2027 --lat 10.00)
if(NOT r1 EQUAL 0 OR NOT o1 STREQUAL o2)
  echec("arc with a second --lat: the directed points moved (${e1}${e2})")
endif()
