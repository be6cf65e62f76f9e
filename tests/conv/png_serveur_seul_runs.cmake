# The runs of png_serveur_seul.cmake, inside its X server.
foreach(run RANGE 1 ${RUNS})
    file(REMOVE ${SORTIE})
    execute_process(COMMAND ${CONV} --png ${SORTIE} --exemple 1
                    RESULT_VARIABLE resultat OUTPUT_QUIET ERROR_VARIABLE erreurs)
    if(NOT resultat EQUAL 0 OR NOT EXISTS ${SORTIE})
        message(FATAL_ERROR "run ${run}: ${resultat} ${erreurs}")
    endif()
endforeach()
