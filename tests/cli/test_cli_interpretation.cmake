# selvane-cli interpret and meaning as a user runs them: text, messages and exit status.
function(echec message)
  message(FATAL_ERROR "${message}")
endfunction()

function(lancer programme sortie erreur statut)
  execute_process(COMMAND ${programme} ${ARGN} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${sortie} "${o}" PARENT_SCOPE)
  set(${erreur} "${e}" PARENT_SCOPE)
  set(${statut} "${r}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${DOSSIER}")
file(MAKE_DIRECTORY "${DOSSIER}")
set(theme --date 07/03/1952 --time 14h05m30 --lat 48.52 --long 2.20 --zone 01.00.00 --name "DUPONT,Jean" --city Paris)

# The natal Sun/Moon search: the headings, then blank, header, text for every hit.
lancer(${CLI} o e r interpret ${theme})
if(NOT r EQUAL 0)
  echec("interpret: status ${r}: ${e}")
endif()
string(FIND "${o}" "Jean DUPONT\nThème de naissance :   07/03/1952 à 14h05m30 (GMT+01.00.00)\nParis  48N52 - 002E20\nMi-points uraniens à 22°30   : Orbe 0°30'\n     \n \nSoleil/Lune = " debut)
if(NOT debut EQUAL 0)
  echec("interpret: unexpected start:\n${o}")
endif()
# The Sun/Moon midpoint is the reference, never one of its own hits.
string(FIND "${o}" "Soleil/Lune = Lune/Soleil. " reference)
if(NOT reference EQUAL -1)
  echec("interpret: the Sun/Moon midpoint reported as its own hit:\n${o}")
endif()

# Each option reaches the search: chosen points with indirect contacts, source midpoints.
foreach(cas "--from;points;1,22;--indirect;--orb-index;5|M.C.(i) = "
            "--from;midpoints;1/5,6/7|Signification générale des mi-points sélectionnés"
            "--from;personal;--to;1/5,6/7|Soleil = Jupiter/Mars. "
            "--technique;arc;--on;10/12/2026;--from;personal|Arc solaire pour le  :  10.12.2026. Arc =  73°15'21\""
            "--technique;rs;--on;10/12/2026|RS du :   07/03/2026 à "
            # the second --time is the moment of transits, the birth keeps its own
            "--technique;transits;--on;10/12/2026;--time;12h00|Naissance le :  07/03/1952 à 14h05m30 (GMT+01.00.00)\nTransits pour le  :  10.12.2026 à 12h00\n")
  string(REPLACE "|" ";" champs "${cas}")
  list(POP_BACK champs attendu)
  lancer(${CLI} o e r interpret ${theme} ${champs})
  string(FIND "${o}" "${attendu}" trouve)
  if(NOT r EQUAL 0 OR trouve EQUAL -1)
    echec("interpret ${champs}: status ${r} (${e}), no '${attendu}' in:\n${o}")
  endif()
endforeach()

# The direct lookup, in the display order only.
lancer(${CLI} o e r meaning 22 1)
if(NOT r EQUAL 0 OR NOT o MATCHES "^Signification du point : M\\.C\\./Soleil \n \n[^\n]+\n \n\\*+         Recherche terminée       \\*+\n$")
  echec("meaning 22 1: status ${r}:\n${o}")
endif()

# Refusals and bad input: the French message on standard error, status 2, nothing printed.
foreach(cas "meaning;1;22|Le deuxième point doit être supérieur au premier point"
            "meaning;2;2;2|Le 3ième point doit être différent des deux premiers"
            "meaning;1;20|Point incorrect : 20"
            "interpret;${theme};--orb-index;6|Orbe incorrect : 6"
            "interpret;${theme};--from;midpoints;1/2,1/3,1/4,1/5,1/6,1/7|5 mi-points au plus"
            "interpret;${theme};--from;midpoints;22/23|Mi-point incorrect : 22/23"
            "interpret;${theme};--from;points|--from attend"
            "interpret;${theme};--technique;arc;--on;01/01/2020;--from;midpoints;1/5|Ce calcul n'est exécuté que pour le Natal, la RS ou la RL"
            "interpret;${theme};--technique;rs|Option obligatoire manquante : --on"
            "interpret;${theme};--technique;dial|Technique inconnue : dial"
            "interpret;--date;31/02/2001;--time;12h00m00;--lat;0;--long;0;--zone;0|31/02/2001 : date incorrecte")
  string(REPLACE "|" ";" champs "${cas}")
  list(POP_BACK champs attendu)
  lancer(${CLI} o e r ${champs})
  string(FIND "${e}" "${attendu}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT o STREQUAL "")
    echec("${champs}: status ${r}, message '${e}' lacks '${attendu}', output '${o}'")
  endif()
endforeach()

# Without the text file beside the program: the file error, status 2; headings already written stay.
file(COPY "${CLI}" DESTINATION "${DOSSIER}/sans-textes")
get_filename_component(nom "${CLI}" NAME)
lancer("${DOSSIER}/sans-textes/${nom}" o e r interpret ${theme})
string(FIND "${e}" "Le fichier spécifié est introuvable." trouve)
if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT o MATCHES "^Jean DUPONT\n")
  echec("interpret without the text file: status ${r}, '${e}', output '${o}'")
endif()
lancer("${DOSSIER}/sans-textes/${nom}" o e r meaning 22 1)
string(FIND "${e}" "Le fichier spécifié est introuvable." trouve)
if(NOT r EQUAL 2 OR trouve EQUAL -1)
  echec("meaning without the text file: status ${r}, '${e}'")
endif()
file(REMOVE_RECURSE "${DOSSIER}")
