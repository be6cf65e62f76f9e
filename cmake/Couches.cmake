# The core in layers. Each layer is a folder of src/ and a static library
# cyclide_<layer>; the order below, lowest first, is the one place that says
# which layer may use which: a layer links the layer just below it (hence all
# the lower ones) and gets their folders as include directories, never those
# of a higher layer. The include check (cmake/VerifierCouches.cmake, the test
# couches_includes) and the table of docs/architecture.md derive from it.
set(CYCLIDE_COUCHES noyau surfaces conversion scene fichiers sorties lot)

# Index of a layer in the order (0 for noyau), -1 when it is not a layer.
function(cyclide_rang_couche couche resultat)
    list(FIND CYCLIDE_COUCHES "${couche}" rang)
    set(${resultat} ${rang} PARENT_SCOPE)
endfunction()

# The libraries of a layer and of every layer below it, highest first: the
# order a static link needs, so that whatever follows them on the link line
# (the recording or the real OpenGL) resolves the calls of every layer.
function(cyclide_bibliotheques_jusqua couche resultat)
    cyclide_rang_couche(${couche} rang)
    set(bibliotheques "")
    foreach(i RANGE ${rang})
        list(GET CYCLIDE_COUCHES ${i} c)
        list(PREPEND bibliotheques cyclide_${c})
    endforeach()
    set(${resultat} "${bibliotheques}" PARENT_SCOPE)
endfunction()

# The layer of the header nom, written from src/ ("scene/Scene.h"): its
# first folder when that is a layer of the core and holds the header, ""
# otherwise.
function(cyclide_couche_de_en_tete racine nom resultat)
    set(trouvee "")
    if(nom MATCHES "^([a-z]+)/[^/]+$")
        set(dossier ${CMAKE_MATCH_1})
        if(dossier IN_LIST CYCLIDE_COUCHES AND EXISTS "${racine}/src/${nom}")
            set(trouvee ${dossier})
        endif()
    endif()
    set(${resultat} "${trouvee}" PARENT_SCOPE)
endfunction()

# The quoted includes of a file ("X.h"), in order.
function(cyclide_includes fichier resultat)
    file(STRINGS "${fichier}" lignes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    set(noms "")
    foreach(ligne ${lignes})
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" nom "${ligne}")
        list(APPEND noms "${nom}")
    endforeach()
    set(${resultat} "${noms}" PARENT_SCOPE)
endfunction()

# The highest layer a test file reaches through its includes, those of the
# shared helpers of tests/support/ followed; plancher is the lowest answer.
function(cyclide_couche_requise racine fichier plancher resultat)
    cyclide_rang_couche(${plancher} rang_max)
    set(a_lire "${fichier}")
    set(lus "")
    while(a_lire)
        list(POP_FRONT a_lire courant)
        list(APPEND lus "${courant}")
        cyclide_includes("${courant}" noms)
        foreach(nom ${noms})
            cyclide_couche_de_en_tete("${racine}" "${nom}" couche)
            if(couche)
                cyclide_rang_couche(${couche} rang)
                if(rang GREATER rang_max)
                    set(rang_max ${rang})
                endif()
            elseif(EXISTS "${racine}/tests/support/${nom}")
                if(NOT "${racine}/tests/support/${nom}" IN_LIST lus)
                    list(APPEND a_lire "${racine}/tests/support/${nom}")
                endif()
            endif()
        endforeach()
    endwhile()
    list(GET CYCLIDE_COUCHES ${rang_max} couche_max)
    set(${resultat} ${couche_max} PARENT_SCOPE)
endfunction()

# One static library per layer, each linking the one below. cyclide_core is
# the archive of every layer's objects (compiled once, in their layers). Every
# include is written from src/ ("scene/Scene.h"), the one include directory: the programs, the converter's
# and CAD tests, the benchmarks link it and then the OpenGL of their choice,
# which a single archive lets the linker find after all the core's calls.
# Sets CORE_SOURCES (every source of the core) and CORE_INCLUDE_DIRS (src/,
# the root of every include) in the caller's scope, for a second build of the core.
function(cyclide_ajouter_couches)
    set(sources_coeur "")
    set(objets "")
    set(dessous "")
    foreach(couche ${CYCLIDE_COUCHES})
        set(dossier ${CMAKE_SOURCE_DIR}/src/${couche})
        file(GLOB sources CONFIGURE_DEPENDS ${dossier}/*.cpp)
        add_library(cyclide_${couche} STATIC ${sources})
        target_include_directories(cyclide_${couche} PUBLIC ${CMAKE_SOURCE_DIR}/src)
        if(dessous)
            target_link_libraries(cyclide_${couche} PUBLIC cyclide_${dessous})
        endif()
        set(dessous ${couche})
        list(APPEND sources_coeur ${sources})
        list(APPEND objets $<TARGET_OBJECTS:cyclide_${couche}>)
    endforeach()
    add_library(cyclide_core STATIC ${objets})
    target_include_directories(cyclide_core PUBLIC ${CMAKE_SOURCE_DIR}/src)
    set(CORE_SOURCES "${sources_coeur}" PARENT_SCOPE)
    set(CORE_INCLUDE_DIRS "${CMAKE_SOURCE_DIR}/src" PARENT_SCOPE)
endfunction()
