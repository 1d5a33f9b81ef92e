# What the command-line test scripts share: stop with a message, run selvane-cli.
function(echec message)
  message(FATAL_ERROR "${message}")
endfunction()

function(lancer sortie erreur statut)
  execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE o ERROR_VARIABLE e RESULT_VARIABLE r)
  set(${sortie} "${o}" PARENT_SCOPE)
  set(${erreur} "${e}" PARENT_SCOPE)
  set(${statut} "${r}" PARENT_SCOPE)
endfunction()
