# cyclide-conv --vue, --zoom and --recadrer: each changes the image of
# Exemple2 (cyclide and piece); bad values exit with status 2.
function(image nom)
    file(REMOVE ${DOSSIER}/${nom}.png)
    execute_process(COMMAND ${CONV} --exemple 2 --affiche 67 --png ${DOSSIER}/${nom}.png ${ARGN}
                    RESULT_VARIABLE resultat OUTPUT_QUIET ERROR_VARIABLE erreur)
    if(NOT resultat EQUAL 0 OR NOT EXISTS ${DOSSIER}/${nom}.png)
        message(FATAL_ERROR "cyclide-conv ${ARGN} failed: ${resultat} ${erreur}")
    endif()
    file(SHA256 ${DOSSIER}/${nom}.png empreinte)
    set(${nom} ${empreinte} PARENT_SCOPE)
endfunction()

image(dessus)
image(tournee --vue 40,0,-15)
image(zoomee --zoom 0.8)
image(recadree --recadrer)
image(dessusEncore --vue 0,0,360 --zoom 1.5)
foreach(autre tournee zoomee recadree)
    if(${autre} STREQUAL dessus)
        message(FATAL_ERROR "${autre} gives the picture from above")
    endif()
endforeach()
if(NOT dessusEncore STREQUAL dessus)
    message(FATAL_ERROR "a full turn about z and the default zoom change the picture")
endif()

foreach(mauvais "--vue;1,2" "--vue;a,0,0" "--zoom;0" "--zoom;-2" "--zoom")
    execute_process(COMMAND ${CONV} --exemple 2 --png ${DOSSIER}/mauvais.png ${mauvais}
                    RESULT_VARIABLE resultat OUTPUT_QUIET ERROR_VARIABLE erreur)
    if(NOT resultat EQUAL 2 OR NOT erreur MATCHES "^cyclide-conv : ")
        message(FATAL_ERROR "${mauvais}: status ${resultat}, ${erreur}")
    endif()
endforeach()
