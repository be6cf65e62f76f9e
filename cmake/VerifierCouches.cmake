# The include check of the layers, run as a script:
#   cmake -DRACINE=<source folder> -P cmake/VerifierCouches.cmake
# Every header and source of src/<layer>/ may include, among the project's
# headers, only those of its own layer and of the layers below it; no core
# file includes Qt or a header of the programs in src/. Headers are checked
# even where no source of their layer compiles them. The table of allowed
# layers in docs/architecture.md must be the one the order gives.
# The program layers above the core (PROGRAMMES below: src/<name>/, and
# python/) may include the whole core, themselves and the program layers
# their row allows; nothing but the window includes the window; the
# converter, the CAD reader and the Python module never include Qt, and the
# converter reaches the renderer only through its headers free of Qt.
# Fails naming every file and include at fault.
# The policies of the project's own CMake (IN_LIST, among others).
cmake_minimum_required(VERSION 3.25)
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

# The program layers, each with the other program layers it may include.
set(PROGRAMMES rendu cao conv fenetre python)
set(permis_rendu "")
set(permis_cao "")
set(permis_conv rendu cao)
set(permis_fenetre rendu cao)
set(permis_python "")
# The program layers that never include Qt, not even through a header.
set(SANS_QT cao conv python)

# The folder of program layer p.
function(dossier_programme p resultat)
    if(p STREQUAL "python")
        set(${resultat} "${RACINE}/python" PARENT_SCOPE)
    else()
        set(${resultat} "${RACINE}/src/${p}" PARENT_SCOPE)
    endif()
endfunction()

# The first Qt include met from the header nom of src/ through the
# project's headers it includes, in the form "header: line"; "" when none.
function(qt_atteint nom resultat)
    set(a_lire "${nom}")
    set(lus "")
    set(trouve "")
    while(a_lire AND NOT trouve)
        list(POP_FRONT a_lire courant)
        list(APPEND lus "${courant}")
        file(STRINGS "${RACINE}/src/${courant}" qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
        if(qt)
            list(GET qt 0 ligne)
            string(STRIP "${ligne}" ligne)
            set(trouve "${courant}: ${ligne}")
        endif()
        cyclide_includes("${RACINE}/src/${courant}" noms)
        foreach(n ${noms})
            if(EXISTS "${RACINE}/src/${n}" AND NOT n IN_LIST lus)
                list(APPEND a_lire "${n}")
            endif()
        endforeach()
    endwhile()
    set(${resultat} "${trouve}" PARENT_SCOPE)
endfunction()

# An include of fichier, in program layer p, that the rule forbids.
function(verifier_include_programme fichier p nom)
    if(NOT nom MATCHES "^([a-z]+)/[^/]+$")
        return()
    endif()
    set(dossier ${CMAKE_MATCH_1})
    if(dossier IN_LIST CYCLIDE_COUCHES OR dossier STREQUAL p OR NOT dossier IN_LIST PROGRAMMES)
        return()
    endif()
    if(NOT dossier IN_LIST permis_${p})
        set(fautes "${fautes}\n  ${fichier}: \"${nom}\" is in program layer ${dossier}, which ${p} may not include"
            PARENT_SCOPE)
    elseif(p IN_LIST SANS_QT AND EXISTS "${RACINE}/src/${nom}")
        qt_atteint("${nom}" qt)
        if(qt)
            set(fautes "${fautes}\n  ${fichier}: \"${nom}\" reaches Qt (${qt}), which ${p} never includes"
                PARENT_SCOPE)
        endif()
    endif()
endfunction()

foreach(p ${PROGRAMMES})
    dossier_programme(${p} dossier)
    file(GLOB fichiers RELATIVE ${RACINE} ${dossier}/*.h ${dossier}/*.cpp)
    foreach(fichier ${fichiers})
        cyclide_includes("${RACINE}/${fichier}" noms)
        foreach(nom ${noms})
            verifier_include_programme(${fichier} ${p} "${nom}")
        endforeach()
        if(p IN_LIST SANS_QT)
            file(STRINGS "${RACINE}/${fichier}" qt REGEX "^[ \t]*#[ \t]*include[ \t]*<Q")
            foreach(ligne ${qt})
                string(STRIP "${ligne}" ligne)
                set(fautes "${fautes}\n  ${fichier}: ${ligne}: ${p} never includes Qt")
            endforeach()
        endif()
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
list(JOIN PROGRAMMES ", " programmes)
if(fautes)
    message(FATAL_ERROR "Layer rule broken (${ordre}, then ${programmes}):${fautes}")
endif()
message(STATUS "Layers ${ordre}, then ${programmes}: no include climbs or crosses, "
               "docs/architecture.md agrees")
