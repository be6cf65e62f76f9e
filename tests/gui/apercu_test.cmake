# Runs cyclide-apercu and checks that it wrote a PNG picture of the window.
include(${CMAKE_CURRENT_LIST_DIR}/../support/ImagePng.cmake)
file(REMOVE ${SORTIE})
execute_process(COMMAND ${APERCU} ${SORTIE} RESULT_VARIABLE resultat)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cyclide-apercu failed: ${resultat}")
endif()
verifier_png(${SORTIE})
