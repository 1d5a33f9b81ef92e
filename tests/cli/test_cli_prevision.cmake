# selvane-cli returns, arc and table run as a user would: output, files and exit status.
function(echec message)
  message(FATAL_ERROR "${message}")
endfunction()

function(lancer sortie erreur statut)
  execute_process(COMMAND ${CLI} ${ARGN} WORKING_DIRECTORY ${DOSSIER}
                  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${sortie} "${o}" PARENT_SCOPE)
  set(${erreur} "${e}" PARENT_SCOPE)
  set(${statut} "${r}" PARENT_SCOPE)
endfunction()

function(attendre texte motif quoi)
  if(NOT texte MATCHES "${motif}")
    echec("${quoi}: no match for ${motif} in:\n${texte}")
  endif()
endfunction()

file(REMOVE_RECURSE ${DOSSIER})
file(MAKE_DIRECTORY ${DOSSIER})
set(NAISSANCE --date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00 --name "DUPONT,Jean")

# Solar return: without the option no correction, with it about 50" a year; nothing written without --save.
lancer(o e r returns ${NAISSANCE} --kind rs --year 2027)
if(NOT r EQUAL 0)
  echec("returns rs: status ${r}: ${e}")
endif()
attendre("${o}" "^kind,jd_ut,date,time,longitude,precession,file\nrs,24614[0-9][0-9]\\.[0-9][0-9][0-9][0-9][0-9][0-9],0[67]/03/2027,[0-2][0-9]h[0-5][0-9]m[0-5][0-9],346\\.9[0-9]+,0\\.000000,\"DUPONT,Jean RS 2027\\.cht\"\n$" "returns rs")
lancer(o e r returns ${NAISSANCE} --kind rs --year 2027 --precession)
attendre("${o}" "\nrs,[0-9.]+,0[78]/03/2027,[^,]+,34[78]\\.[0-9]+,1\\.0[0-9]+," "returns rs --precession")
file(GLOB fichiers ${DOSSIER}/*.cht)
if(fichiers)
  echec("returns without --save wrote ${fichiers}")
endif()

# Saved with and without the precession: two files, never one replacing the other; saved
# again, a file takes the place of the options and the last comment.
lancer(o e r returns ${NAISSANCE} --kind rs --year 2027 --save)
lancer(o e r returns ${NAISSANCE} --kind rs --year 2027 --save --precession)
lancer(o e r returns ${NAISSANCE} --kind rs --year 2027 --save --precession --lat 45.45 --long 4.51 --city Lyon)
file(GLOB fichiers ${DOSSIER}/*.cht)
list(LENGTH fichiers n)
if(NOT n EQUAL 2)
  echec("returns --save with and without precession: ${n} files")
endif()
file(READ "${DOSSIER}/DUPONT,Jean RS 2027.cht" cht)
attendre("${cht}" " RS sans pr.cess\\. 2027\n$" "saved return without precession")
file(REMOVE "${DOSSIER}/DUPONT,Jean RS 2027.cht")
# file(READ) gives the lines without their CR: the line ends are counted in hexadecimal.
file(READ "${DOSSIER}/DUPONT,Jean RSp 2027.cht" cht)
attendre("${cht}" "^DUPONT,Jean\n0[78]/03/2027\n[0-9][0-9]h[0-9][0-9]m[0-9][0-9]\nLyon\n45\\.45\n4\\.51\n0\n RS avec pr.cess\\. 2027\n$" "saved return")
file(READ "${DOSSIER}/DUPONT,Jean RSp 2027.cht" hex HEX)
string(REGEX MATCHALL "0d0a" fins "${hex}")
list(LENGTH fins n)
if(NOT n EQUAL 8)
  echec("saved return: ${n} CR LF line ends")
endif()

# A city with a line end still gives a record of eight lines.
string(ASCII 13 cr)
lancer(o e r returns ${NAISSANCE} --kind rs --year 2030 --save --city "Ly${cr}\non")
file(READ "${DOSSIER}/DUPONT,Jean RS 2030.cht" hex HEX)
string(REGEX MATCHALL ".." octets "${hex}")
list(FILTER octets INCLUDE REGEX "^0[ad]$")
list(LENGTH octets n)
if(NOT n EQUAL 16)
  echec("city with a line end: ${n} CR and LF bytes instead of 16")
endif()
file(REMOVE "${DOSSIER}/DUPONT,Jean RS 2030.cht")

# Lunar return after midnight of the date.
lancer(o e r returns ${NAISSANCE} --kind rl --from 01/01/2027)
if(NOT r EQUAL 0)
  echec("returns rl: status ${r}: ${e}")
endif()
attendre("${o}" "\nrl,[0-9.]+,(0[1-9]|1[0-9]|2[0-8])/01/2027,[^,]+,[0-9.]+,1\\.0[0-9]+,\"DUPONT,Jean RL [0-9]+01+2027\\.cht\"\n$" "returns rl")

# Solar arc: the arc, then the 23 directed points, the Aries point directed by the arc itself.
lancer(o e r arc ${NAISSANCE} --on 07/03/2027)
string(REGEX MATCHALL "\n" lignes "${o}")
list(LENGTH lignes n)
if(NOT n EQUAL 25)
  echec("arc: ${n} lines instead of 25:\n${o}")
endif()
string(REGEX MATCH "\narc,0,([0-9.]+)\n" x "${o}")
set(arc ${CMAKE_MATCH_1})
attendre("${o}" "\ndirected,23,${arc}\n$" "arc: Aries point")
attendre("${arc}" "^7[2-4]\\." "arc: 75 years")
# In the table of the solar arc the Aries point's row holds the arc itself (in single
# precision: compared in millionths of a degree).
lancer(o e r table ${NAISSANCE} --technique arc --on 07/03/2027)
string(REGEX MATCH "\n0,23,([0-9.]+),2300\n" x "${o}")
string(REPLACE "." "" ligne "${CMAKE_MATCH_1}")
string(REPLACE "." "" attendu "${arc}")
math(EXPR ecart "${ligne} - ${attendu}")
if(ecart GREATER 10 OR ecart LESS -10)
  echec("table arc: Aries point at ${CMAKE_MATCH_1}, arc ${arc}")
endif()

# Tables: 253 rows, 22 single points, H4 positions under 90°.
foreach(cas "natal" "transits;--on;01/01/2027;--time;00h00" "rs;--on;01/01/2027;--precession" "rl;--on;01/01/2027" "arc;--on;07/03/2027")
  lancer(o e r table ${NAISSANCE} --harmonic 4 --technique ${cas})
  if(NOT r EQUAL 0)
    echec("table ${cas}: status ${r}: ${e}")
  endif()
  string(REGEX MATCHALL "\n" lignes "${o}")
  list(LENGTH lignes n)
  string(REGEX MATCHALL "\n0,[0-9]+,[0-9.]+,[0-9]+00" points "${o}")
  list(LENGTH points p)
  if(NOT n EQUAL 254 OR NOT p EQUAL 22)
    echec("table ${cas}: ${n} lines, ${p} points")
  endif()
  attendre("${o}" "^a,b,position,code\n" "table ${cas}")
  if(o MATCHES "\n[0-9]+,[0-9]+,(9[0-9]|[1-3][0-9][0-9])\\.")
    echec("table ${cas}: a position beyond 90° at H4")
  endif()
endforeach()
file(GLOB fichiers ${DOSSIER}/*.cht)
list(LENGTH fichiers n)
if(NOT n EQUAL 1)
  echec("table wrote a return chart")
endif()

# Bad input: the French message and status 2.
foreach(cas "table|--harmonic|33|Harmonique incorrecte : 33 (1 à 16 ou 32)"
            "table|--technique|rx|Technique inconnue : rx"
            "table|--technique|arc|Option obligatoire manquante : --on"
            "table|--technique|transits|--on|01/01/2027|--time|25h00|25h00 : heure incorrecte"
            "arc|--on|31/02/2027|31/02/2027 : date incorrecte"
            "returns|--kind|rx|Type de retour inconnu : rx (rs ou rl)"
            "returns|--kind|rs|--year|20x7|Année incorrecte : 20x7"
            "returns|--kind|rs|Option obligatoire manquante : --year"
            "returns|--kind|rl|--from|1/1/2027|1/1/2027 : date incorrecte"
            "returns|--kind|rs|--year|2027|--lat|99.99|--long|4.51|Erreur : latitude supérieure à 90° !")
  string(REPLACE "|" ";" champs "${cas}")
  list(POP_BACK champs message)
  list(POP_FRONT champs commande)
  lancer(o e r ${commande} ${NAISSANCE} ${champs})
  if(NOT r EQUAL 2 OR NOT o STREQUAL "")
    echec("${cas}: status ${r}, output '${o}'")
  endif()
  string(FIND "${e}" "${message}" trouve)
  if(trouve EQUAL -1)
    echec("${cas}: message '${e}' lacks '${message}'")
  endif()
endforeach()
