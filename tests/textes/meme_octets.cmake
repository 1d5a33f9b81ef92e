# Runs the text generator again into a fresh folder and compares every file with the
# installed one: the build must write the same bytes on every run.
file(REMOVE_RECURSE ${SORTIE})
execute_process(COMMAND ${PYTHON} ${SOURCE}/generer_textes.py ${SOURCE} ${SORTIE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generer_textes.py a échoué (${rc})")
endif()
set(noms ZadadAduZi.int)
foreach(n RANGE 1 11)
  list(APPEND noms ${n}.frm)
endforeach()
foreach(nom ${noms})
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SORTIE}/${nom} ${INSTALLE}/${nom}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${nom} diffère d'une génération à l'autre")
  endif()
endforeach()
file(REMOVE_RECURSE ${SORTIE})
