# The layer check seen failing: it runs on a copy of the tree, first as it
# is (it must pass, or the failures below would prove nothing), then once
# for each include the rule forbids, added to the first source of a folder
# (it must fail, naming that file and that include).
#   cmake -DRACINE=<source folder> -DDOSSIER=<scratch folder> -P violations_couches.cmake
cmake_minimum_required(VERSION 3.25)
set(copie ${DOSSIER}/couches_copie)
file(REMOVE_RECURSE ${copie})
file(COPY ${RACINE}/src ${RACINE}/python DESTINATION ${copie})
file(COPY ${RACINE}/docs/architecture.md DESTINATION ${copie}/docs)

# Runs the check on the copy: its status and its whole output.
function(verifier statut sortie)
    execute_process(COMMAND ${CMAKE_COMMAND} -DRACINE=${copie}
                            -P ${RACINE}/cmake/VerifierCouches.cmake
                    RESULT_VARIABLE s OUTPUT_VARIABLE o ERROR_VARIABLE e)
    set(${statut} ${s} PARENT_SCOPE)
    set(${sortie} "${o}${e}" PARENT_SCOPE)
endfunction()

verifier(statut sortie)
if(NOT statut EQUAL 0)
    message(FATAL_ERROR "the check fails on the tree as it is:\n${sortie}")
endif()

# Folder | the line added to its first source | what the check must name.
set(violations
    "src/conv|#include \"fenetre/glwidget.h\"|program layer fenetre, which conv may not include"
    "src/rendu|#include \"fenetre/glwidget.h\"|program layer fenetre, which rendu may not include"
    "python|#include \"rendu/Camera.h\"|program layer rendu, which python may not include"
    "src/cao|#include \"conv/Options.h\"|program layer conv, which cao may not include"
    "src/conv|#include \"rendu/RenduScene.h\"|reaches Qt"
    "src/conv|#include <QString>|conv never includes Qt"
    "src/scene|#include \"rendu/Camera.h\"|belongs to the programs"
    "src/noyau|#include \"scene/Scene.h\"|above noyau")
foreach(v ${violations})
    string(REPLACE "|" ";" champs "${v}")
    list(GET champs 0 dossier)
    list(GET champs 1 ligne)
    list(GET champs 2 attendu)
    file(GLOB sources RELATIVE ${copie} ${copie}/${dossier}/*.cpp)
    list(SORT sources)
    list(GET sources 0 fichier)
    file(READ ${copie}/${fichier} original)
    file(APPEND ${copie}/${fichier} "${ligne}\n")
    verifier(statut sortie)
    file(WRITE ${copie}/${fichier} "${original}")
    if(statut EQUAL 0)
        message(FATAL_ERROR "${fichier} with ${ligne}: the check passed")
    endif()
    string(FIND "${sortie}" "${fichier}" f)
    string(FIND "${sortie}" "${attendu}" a)
    if(f EQUAL -1 OR a EQUAL -1)
        message(FATAL_ERROR "${fichier} with ${ligne}: \"${attendu}\" not said:\n${sortie}")
    endif()
    message(STATUS "${fichier} with ${ligne}: refused")
endforeach()
file(REMOVE_RECURSE ${copie})
