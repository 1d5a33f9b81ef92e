# Hostile input to selvane-cli: every case exits 2 with its French message on
# standard error and prints nothing on standard output (no chart, no list).
function(echec message)
  message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE "${DOSSIER}")
file(MAKE_DIRECTORY "${DOSSIER}/dossier")
file(WRITE "${DOSSIER}/fichier.txt" "pas un dossier")
string(REPEAT "x" 300 long)
string(REPEAT "9" 10000 chiffres)
set(longue "${DOSSIER}/${long}.thz")
set(csv "${DOSSIER}/une_fiche.csv")
file(WRITE "${csv}" "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\nA,,01/01/2000,12h00m00,X,1.00,1.00,0,\n")
set(naissance "--time|14h05m30|--lat|48.52|--long|2.20|--zone|01.00.00")
set(ajout "--name|DUPONT,Jean|--date|07/03/1952|--time|14h05m30|--city|Paris|--lat|48.52|--long|2.20|--zone|01.00.00")

# Each case: the message expected, then the arguments.
set(cas
  "Le nom de fichier ou l'extension est trop long. (${longue})|births|add|${longue}|${ajout}"
  "Le nom de fichier ou l'extension est trop long. (${longue})|births|list|${longue}"
  "Le chemin d'accès spécifié est introuvable. (${DOSSIER}/fichier.txt/G.thz)|births|add|${DOSSIER}/fichier.txt/G.thz|${ajout}"
  "Accès refusé : le nom désigne un dossier. (${DOSSIER}/dossier)|births|list|${DOSSIER}/dossier"
  "Accès refusé : le nom désigne un dossier. (${DOSSIER}/dossier)|chart|--batch|${DOSSIER}/dossier"
  "Le fichier spécifié est introuvable. (${DOSSIER}/absent.txt)|chart|--batch|${DOSSIER}/absent.txt"
  "Erreur dans l'écriture du fuseau|chart|--date|01/01/2000|--time|12h00m00|--lat|48.52|--long|2.20|--zone|999999999"
  "Erreur dans l'écriture du fuseau|chart|--date|01/01/2000|--time|12h00m00|--lat|48.52|--long|2.20|--zone|01.75.00"
  "01/01/2000x : date incorrecte|chart|--date|01/01/2000x|${naissance}"
  "01/01/99999 : date incorrecte|chart|--date|01/01/99999|${naissance}"
  "31/04/2024 : date incorrecte|chart|--date|31/04/2024|${naissance}"
  "01/01/5400 : date incorrecte|chart|--date|01/01/5400|${naissance}"
  "12h00m99 : heure incorrecte|chart|--date|01/01/2000|--time|12h00m99|--lat|48.52|--long|2.20|--zone|0"
  "Latitude : AAAA :  valeur incorrecte !|chart|--date|01/01/2000|--time|12h00m00|--lat|AAAA|--long|2.20|--zone|0"
  "Latitude :   :  valeur incorrecte !|chart|--date|01/01/2000|--time|12h00m00|--lat| |--long|2.20|--zone|0"
  "Latitude : 1e308 :  valeur incorrecte !|chart|--date|01/01/2000|--time|12h00m00|--lat|1e308|--long|2.20|--zone|0"
  "Erreur : latitude supérieure à 90° !|chart|--date|01/01/2000|--time|12h00m00|--lat|${chiffres}|--long|2.20|--zone|0"
  "Longitude : 2,20 :  valeur incorrecte !|chart|--date|01/01/2000|--time|12h00m00|--lat|48.52|--long|2,20|--zone|0"
  "31/04/2024 : date incorrecte|births|add|${DOSSIER}/G.thz|--name|X|--date|31/04/2024|--time|12h00|--city|X|--lat|1.00|--long|1.00|--zone|0"
  "Le fichier spécifié est introuvable.|atlas|find|PaysAbsent|x"
  "31/04/2024 : date incorrecte|zone|Europe/Paris|31/04/2024|12h00"
  "Impossible d'écrire ${DOSSIER}/absent/g.png|glyphs|--png|${DOSSIER}/absent/g.png"
  "--p1 : point incorrect ''|transits|--date|07/03/1952|${naissance}|--p1|1,,2|--p2|1|--p3|1|--year|2024"
  "--p2 : point incorrect '20'|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|20|--p3|1"
  "--p3 : point incorrect '${chiffres}'|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|${chiffres}"
  "'${chiffres}' n'est pas une valeur entière correcte|transits|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--year|${chiffres}"
  "Harmonique incorrecte : 3 (1, 2, 4, 8 ou 16)|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--harmonic|3"
  "Âge de fin incorrect : 131 (2 à 130)|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--to-age|131"
  "Âge de début incorrect : -1 (0 à 99)|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--from-age|-1"
  "L'âge de fin doit suivre l'âge de début|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--from-age|50|--to-age|20"
  "Durée incorrecte : 3 (1 ou 2 années)|transits|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3|1|--year|2024|--years|3"
  "31/04/2024 : date incorrecte|transits|--date|31/04/2024|${naissance}|--p1|1|--p2|1|--p3|1|--year|2024"
  "Option obligatoire manquante : --date|directions|${naissance}|--p1|1|--p2|1|--p3|1"
  "Valeur manquante après --p3|directions|--date|07/03/1952|${naissance}|--p1|1|--p2|1|--p3"
)
foreach(c IN LISTS cas)
  string(REPLACE "|" ";" champs "${c}")
  list(POP_FRONT champs message)
  execute_process(COMMAND ${CLI} ${champs} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  string(FIND "${e}" "${message}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT o STREQUAL "")
    string(SUBSTRING "${c}" 0 200 court)
    echec("${court}: status ${r}, message '${e}', output '${o}'")
  endif()
endforeach()

# births import into a file it cannot name: the same message, nothing written.
execute_process(COMMAND ${CLI} births import "${longue}" INPUT_FILE "${csv}"
                OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
string(FIND "${e}" "Le nom de fichier ou l'extension est trop long. (${longue})" trouve)
if(NOT r EQUAL 2 OR trouve EQUAL -1)
  echec("births import into a long name: status ${r}, message '${e}'")
endif()
file(GLOB restes "${DOSSIER}/*")
list(SORT restes)
if(NOT restes STREQUAL "${DOSSIER}/dossier;${DOSSIER}/fichier.txt;${DOSSIER}/une_fiche.csv")
  echec("files left behind: ${restes}")
endif()

# A read-only birth file (mode 0444: decided on the mode bits, so root is refused too):
# add and import say so with the file's name, exit 2, and leave file and mode as they were.
string(REPLACE "|" ";" ajoutListe "${ajout}")
set(lecture "${DOSSIER}/Lecture.thz")
execute_process(COMMAND ${CLI} births add "${lecture}" ${ajoutListe} RESULT_VARIABLE r ERROR_VARIABLE e)
if(NOT r EQUAL 0)
  echec("births add into a new file: status ${r}, message '${e}'")
endif()
file(CHMOD "${lecture}" PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
file(SHA256 "${lecture}" avant)
set(refus "Accès refusé. (${lecture})")
foreach(commande add import)
  if(commande STREQUAL "add")
    execute_process(COMMAND ${CLI} births add "${lecture}" ${ajoutListe}
                    OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  else()
    execute_process(COMMAND ${CLI} births import "${lecture}" INPUT_FILE "${csv}"
                    OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  endif()
  file(SHA256 "${lecture}" apres)
  execute_process(COMMAND stat -c %a "${lecture}" OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT r EQUAL 2 OR NOT e STREQUAL "${refus}\n" OR NOT o STREQUAL "" OR NOT avant STREQUAL apres OR NOT mode STREQUAL "444")
    echec("births ${commande} into a read-only file: status ${r}, message '${e}', mode ${mode}, changed: ${avant} ${apres}")
  endif()
endforeach()
if(EXISTS "${DOSSIER}/Lecture.thr.bak" OR EXISTS "${DOSSIER}/tempo.thr")
  echec("a refused births command left a backup or a work file")
endif()
# A folder that cannot be written: no new file in it.
file(MAKE_DIRECTORY "${DOSSIER}/ferme")
file(CHMOD "${DOSSIER}/ferme" PERMISSIONS OWNER_READ OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
execute_process(COMMAND ${CLI} births add "${DOSSIER}/ferme/G.thz" ${ajoutListe} ERROR_VARIABLE e RESULT_VARIABLE r)
file(CHMOD "${DOSSIER}/ferme" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
if(NOT r EQUAL 2 OR NOT e STREQUAL "Accès refusé. (${DOSSIER}/ferme)\n" OR EXISTS "${DOSSIER}/ferme/G.thz")
  echec("births add into a read-only folder: status ${r}, message '${e}'")
endif()
# Once writable again, the same add goes through and the mode stays.
file(CHMOD "${lecture}" PERMISSIONS OWNER_READ OWNER_WRITE)
execute_process(COMMAND ${CLI} births add "${lecture}" ${ajoutListe} RESULT_VARIABLE r ERROR_VARIABLE e)
execute_process(COMMAND stat -c %a "${lecture}" OUTPUT_VARIABLE mode OUTPUT_STRIP_TRAILING_WHITESPACE)
file(SIZE "${lecture}" taille)
if(NOT r EQUAL 0 OR NOT taille EQUAL 530 OR NOT mode STREQUAL "600")
  echec("births add into a 0600 file: status ${r}, message '${e}', ${taille} bytes, mode ${mode}")
endif()

# Characters the code page lacks: the warning on standard error, and the record stored
# as it says (add and import alike).
set(polonais "${DOSSIER}/Polonais.thz")
execute_process(COMMAND ${CLI} births add "${polonais}" --name "Łódź" --date 07/03/1952 --time 14h05 --city "Łódź"
                        --lat 51.46 --long 19.28 --zone 01.00.00
                OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
set(attendu "Les caractères « Ł ź » n'existent pas dans les fichiers de naissances : la fiche sera enregistrée sous la forme « ?ód? ».")
if(NOT r EQUAL 0 OR NOT e STREQUAL "${attendu}\n${attendu}\n" OR NOT o STREQUAL "")
  echec("births add with Łódź: status ${r}, message '${e}'")
endif()
file(WRITE "${DOSSIER}/omega.csv" "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\nΩmega Ω,,01/01/2000,12h00m00,X,1.00,1.00,0,\n")
execute_process(COMMAND ${CLI} births import "${polonais}" INPUT_FILE "${DOSSIER}/omega.csv"
                OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
if(NOT r EQUAL 0 OR NOT e STREQUAL "Ligne 2 : Le caractère « Ω » n'existe pas dans les fichiers de naissances : la fiche sera enregistrée sous la forme « ?mega ? ».\n")
  echec("births import with Ω: status ${r}, message '${e}'")
endif()
execute_process(COMMAND ${CLI} births list "${polonais}" OUTPUT_VARIABLE o RESULT_VARIABLE r)
if(NOT r EQUAL 0 OR NOT o MATCHES "\n\\?ód\\?,[^,]*,07/03/1952,14h05m00,\\?ód\\?," OR NOT o MATCHES "\n\\?mega \\?,")
  echec("births list after the warnings:\n${o}")
endif()
