# The include check of the layers, run as a script:
#   cmake -DRACINE=<source folder> -P cmake/VerifierCouches.cmake
# Every header and source of src/<layer>/ may include, among the project's
# headers, only those of its own layer and of the layers below it; no core
# file includes Qt or a header of the programs in src/. Headers are checked
# even where no source of their layer compiles them. The table of allowed
# layers in docs/architecture.md must be the one the order gives.
# Fails naming every file and include at fault.
if(NOT RACINE)
    message(FATAL_ERROR "usage: cmake -DRACINE=<source folder> -P VerifierCouches.cmake")
endif()
include(${CMAKE_CURRENT_LIST_DIR}/Couches.cmake)

set(fautes "")

# An include of fichier (in layer couche) that climbs or leaves the core.
function(verifier_include fichier couche nom)
    cyclide_couche_de_en_tete("${RACINE}" "${nom}" couche_incluse)
    if(couche_incluse)
        cyclide_rang_couche(${couche} rang)
        cyclide_rang_couche(${couche_incluse} rang_inclus)
        if(rang_inclus GREATER rang)
            set(fautes "${fautes}\n  ${fichier}: \"${nom}\" is in layer ${couche_incluse}, above ${couche}"
                PARENT_SCOPE)
        endif()
    elseif(EXISTS "${RACINE}/src/${nom}")
        set(fautes "${fautes}\n  ${fichier}: \"${nom}\" belongs to the programs, not to the core"
            PARENT_SCOPE)
    endif()
endfunction()

foreach(couche ${CYCLIDE_COUCHES})
    file(GLOB fichiers RELATIVE ${RACINE} ${RACINE}/src/${couche}/*.h ${RACINE}/src/${couche}/*.cpp)
    foreach(fichier ${fichiers})
        cyclide_includes("${RACINE}/${fichier}" noms)
        foreach(nom ${noms})
            verifier_include(${fichier} ${couche} "${nom}")
        endforeach()
        file(STRINGS "${RACINE}/${fichier}" qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
        foreach(ligne ${qt})
            string(STRIP "${ligne}" ligne)
            set(fautes "${fautes}\n  ${fichier}: ${ligne}: the core never includes Qt")
        endforeach()
    endforeach()
endforeach()

# The table of docs/architecture.md, one row per layer: its rank, folder,
# library and the layers it may include.
file(READ ${RACINE}/docs/architecture.md architecture)
set(permises "")
set(rang 1)
foreach(couche ${CYCLIDE_COUCHES})
    list(APPEND permises "`${couche}`")
    list(JOIN permises ", " liste)
    set(ligne "| ${rang} | `src/${couche}/` | `cyclide_${couche}` | ${liste} |")
    string(FIND "${architecture}" "${ligne}" trouve)
    if(trouve EQUAL -1)
        set(fautes "${fautes}\n  docs/architecture.md: the row \"${ligne}\" is missing")
    endif()
    math(EXPR rang "${rang} + 1")
endforeach()

list(JOIN CYCLIDE_COUCHES " < " ordre)
if(fautes)
    message(FATAL_ERROR "Layer rule broken (${ordre}):${fautes}")
endif()
message(STATUS "Layers ${ordre}: no include climbs, docs/architecture.md agrees")
