# Runs cyclide-conv --png on the start-up parameters and checks that it wrote
# an 800 x 800 PNG image and still printed its report.
include(${CMAKE_CURRENT_LIST_DIR}/../support/ImagePng.cmake)
file(REMOVE ${SORTIE})
execute_process(COMMAND ${CONV} --png ${SORTIE} --affiche 1367
                        0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982
                RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie)
if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "cyclide-conv --png failed: ${resultat}")
endif()
if(NOT sortie MATCHES "^type 1\ncyclide 1 La cyclide est de type ring\n")
    message(FATAL_ERROR "unexpected report: ${sortie}")
endif()
verifier_png(${SORTIE})
file(READ ${SORTIE} entete LIMIT 24 HEX)
string(SUBSTRING "${entete}" 32 16 taille)
# IHDR width and height, big-endian: 800 = 0x320.
if(NOT taille STREQUAL "0000032000000320")
    message(FATAL_ERROR "not 800 x 800: ${taille}")
endif()

# The same patch given directly as a net (the nine point lines of the report,
# read from the standard input) renders an image of its own: the net's
# cyclide is polished and its frame may be turned by one of the cyclide's
# symmetries, so the drawings in that frame need not be the same pixels.
string(REGEX MATCHALL "[^\n]*\n" lignes "${sortie}")
list(SUBLIST lignes 2 9 reseau)
list(JOIN reseau "" texte)
file(WRITE ${SORTIE}.reseau.txt "${texte}")
execute_process(COMMAND ${CONV} --png ${SORTIE}.reseau.png --affiche 1367 --carreau -
                INPUT_FILE ${SORTIE}.reseau.txt
                RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie)
if(NOT resultat EQUAL 0 OR NOT sortie MATCHES "^type 1\ncyclide 1 La cyclide est de type ring\n")
    message(FATAL_ERROR "cyclide-conv --carreau --png failed: ${resultat} ${sortie}")
endif()
verifier_png(${SORTIE}.reseau.png)
