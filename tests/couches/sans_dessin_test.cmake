# Runs the program sans_dessin (PROGRAMME): it converts, then aborts at its
# first GL call, naming it.
execute_process(COMMAND ${PROGRAMME} RESULT_VARIABLE statut OUTPUT_VARIABLE sortie
                ERROR_VARIABLE erreur)
if(NOT sortie MATCHES "^type [12]\n")
    message(FATAL_ERROR "no conversion before the drawing: ${sortie}")
endif()
if(statut EQUAL 0 OR NOT erreur MATCHES "cyclide : gl[A-Za-z0-9]+ appelee par un programme lie sans OpenGL")
    message(FATAL_ERROR "the drawing went through: status ${statut}, ${erreur}")
endif()
message(STATUS "aborted (${statut}): ${erreur}")
