# selvane-cli births import-aaf / export-aaf, and the CSV form of `births list`:
# round trips to the byte, refusals that leave the file as it was.
include(${CMAKE_CURRENT_LIST_DIR}/outils_cli.cmake)
file(REMOVE_RECURSE "${DOSSIER}")
file(MAKE_DIRECTORY "${DOSSIER}")

# importer(o e r ACTION FILE.thz INPUT [OPTION...]): births ACTION FILE.thz OPTION... < INPUT
function(importer sortie erreur statut action fichier entree)
  execute_process(COMMAND ${CLI} births ${action} "${fichier}" ${ARGN} INPUT_FILE "${entree}"
                  OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${sortie} "${o}" PARENT_SCOPE)
  set(${erreur} "${e}" PARENT_SCOPE)
  set(${statut} "${r}" PARENT_SCOPE)
endfunction()

# A birth file as the entry would write it: accents, south and west, a local
# mean time, a comment with a comma and quotes, two records of the same key
# ("-": no comment).
set(groupe "${DOSSIER}/groupe.thz")
foreach(fiche
    "DUPONT,Jean|07/03/1952|14h05m30|Paris|48.52|2.20|01.00.00|né à midi, dit \"le grand\""
    "Dupont,Jean|01/01/1901|00h00m00|Paris|48.52|2.20|00.09.21|le grand-père"
    "Müller,Jürgen|31/12/1999|23h59m59|Köln|50.56|6.57|01.00.00|-"
    "Silva,Ana|15/08/1975|06h30m00|Rio de Janeiro|-22.54|-43.12|-03.00.00|-"
    "Roe,Tom|01/07/1990|12h00m00|St. John's|47.34|-52.43|-02.30.00|Terre-Neuve")
  string(REPLACE "|" ";" champs "${fiche}")
  list(GET champs 0 nom)
  list(GET champs 1 date)
  list(GET champs 2 heure)
  list(GET champs 3 ville)
  list(GET champs 4 lat)
  list(GET champs 5 lon)
  list(GET champs 6 zone)
  list(GET champs 7 commentaire)
  set(commentaire --comment "${commentaire}")
  if(commentaire STREQUAL "--comment;-")
    set(commentaire)
  endif()
  lancer(o e r births add "${groupe}" --name "${nom}" --date ${date} --time ${heure} --city "${ville}"
         --lat ${lat} --long ${lon} --zone ${zone} ${commentaire})
  if(NOT r EQUAL 0)
    echec("births add ${nom}: status ${r}: ${e}")
  endif()
endforeach()
file(SHA256 "${groupe}" original)

# AAF, Windows-1252 and UTF-8: exported, imported into a new file, the same bytes.
foreach(codage "" "--utf8")
  execute_process(COMMAND ${CLI} births export-aaf "${groupe}" ${codage} OUTPUT_FILE "${DOSSIER}/groupe.aaf"
                  ERROR_VARIABLE e RESULT_VARIABLE r)
  # file(READ) drops the CR of CR LF: the line ends are checked on the bytes.
  file(READ "${DOSSIER}/groupe.aaf" aaf)
  file(READ "${DOSSIER}/groupe.aaf" octets HEX)
  string(FIND "${aaf}" "#A93:DUPONT,Jean,*,7.3.1952,14:05:30,Paris,*\n#B93:2434079.045486,48n52,2e20,1he00,0\n" trouve)
  string(REGEX MATCHALL "0d0a" crlf "${octets}")
  string(REGEX MATCHALL "\n" lf "${aaf}")
  list(LENGTH crlf ncrlf)
  list(LENGTH lf nlf)
  if(NOT r EQUAL 0 OR trouve EQUAL -1 OR NOT ncrlf EQUAL nlf)
    echec("births export-aaf ${codage}: status ${r}, ${e}, output:\n${aaf}")
  endif()
  set(copie "${DOSSIER}/copie${codage}.thz")
  importer(o e r import-aaf "${copie}" "${DOSSIER}/groupe.aaf")
  file(SHA256 "${copie}" relu)
  if(NOT r EQUAL 0 OR NOT relu STREQUAL original OR NOT e STREQUAL "")
    execute_process(COMMAND ${CLI} births list "${copie}" OUTPUT_VARIABLE liste)
    echec("births import-aaf ${codage}: status ${r}, report '${e}', not the same bytes:\n${liste}")
  endif()
endforeach()

# CSV: what `births list` prints, imported into a new file, gives the same bytes.
execute_process(COMMAND ${CLI} births list "${groupe}" OUTPUT_FILE "${DOSSIER}/groupe.csv" RESULT_VARIABLE r)
importer(o e r import "${DOSSIER}/copie_csv.thz" "${DOSSIER}/groupe.csv")
file(SHA256 "${DOSSIER}/copie_csv.thz" relu)
if(NOT r EQUAL 0 OR NOT relu STREQUAL original)
  echec("births list then import: status ${r}, ${e}, not the same bytes")
endif()

# A CSV in Windows-1252 (as spreadsheets save it) is read as such.
string(ASCII 233 e_aigu)
string(ASCII 232 e_grave)
string(ASCII 201 E_aigu)
file(WRITE "${DOSSIER}/latin.csv" "Nom,SortOrder,Date,Heure,Ville,Lat,Long,Fuseau,Commentaire\r\n"
  "\"DURAND,H${e_aigu}l${e_grave}ne\",,07/03/1952,14h05,${E_aigu}vreux,49.01,1.09,01.00.00,\r\n")
importer(o e r import "${DOSSIER}/latin.thz" "${DOSSIER}/latin.csv")
lancer(o2 e2 r2 births list "${DOSSIER}/latin.thz")
if(NOT r EQUAL 0 OR NOT o2 MATCHES "\n\"DURAND,Hélène\",DURANDHELENE,07/03/1952,14h05m00,Évreux,")
  echec("births import of a Windows-1252 CSV: status ${r}, ${e}, list:\n${o2}")
endif()

# Garbage: the French message, status 2, the file and its backup untouched.
file(REMOVE "${DOSSIER}/groupe.thr.bak")
file(WRITE "${DOSSIER}/bruit.aaf" "Nom;Date\nceci n'est pas un fichier AAF\n#COM:seul\n")
importer(o e r import-aaf "${groupe}" "${DOSSIER}/bruit.aaf")
file(SHA256 "${groupe}" apres)
string(FIND "${e}" "Aucune fiche AAF (ligne #A93:) dans ce texte : rien n'est importé" trouve)
if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT apres STREQUAL original OR EXISTS "${DOSSIER}/groupe.thr.bak")
  echec("births import-aaf of garbage: status ${r}, message '${e}'")
endif()

# A record refused: the report, nothing written; with --force the others go in, once.
file(WRITE "${DOSSIER}/mixte.aaf"
  "#: deux fiches, l'une sans lieu connu\r\n#A93:Martin,Paul,m,15.7.1990,12:00,Lyon,F\r\n"
  "#A93:Ghost,Q,m,1.1.1990,12:00,Qwertyville,F\r\n")
importer(o e r import-aaf "${groupe}" "${DOSSIER}/mixte.aaf")
file(SHA256 "${groupe}" apres)
foreach(attendu "Ligne 2, Martin,Paul : complétée par l'atlas : Lyon (France)"
                "Ligne 3, Ghost,Q : non importée : ne peut être placée"
                "1 fiche(s) refusée(s) : rien n'est importé (--force importe les 1 autres)")
  string(FIND "${e}" "${attendu}" trouve)
  if(NOT r EQUAL 2 OR trouve EQUAL -1 OR NOT apres STREQUAL original)
    echec("births import-aaf with a refused record: status ${r}, report lacks '${attendu}':\n${e}")
  endif()
endforeach()
importer(o e r import-aaf "${groupe}" "${DOSSIER}/mixte.aaf" --force)
file(SIZE "${groupe}" taille)
file(SHA256 "${DOSSIER}/groupe.thr.bak" sauvegarde)
lancer(o2 e2 r2 births list "${groupe}")
if(NOT r EQUAL 0 OR NOT taille EQUAL 1590 OR NOT sauvegarde STREQUAL original OR
   NOT o2 MATCHES "\n\"Martin,Paul\",MARTINPAUL,15/07/1990,12h00m00,Lyon,45\\.[0-9][0-9],4\\.[0-9][0-9],02\\.00\\.00,\n")
  echec("births import-aaf --force: status ${r}, ${e}, ${taille} bytes, list:\n${o2}")
endif()

# Bad arguments: the usage, status 2.
lancer(o e r births export-aaf "${groupe}" --latin)
if(NOT r EQUAL 2 OR NOT e MATCHES "Usage : selvane-cli births")
  echec("births export-aaf --latin: status ${r}, message '${e}'")
endif()
