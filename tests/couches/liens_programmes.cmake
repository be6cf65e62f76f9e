# What each program and the Python module load, read from ldd (every
# shared library, those of the libraries included): the converter neither
# Qt nor OpenGL nor Open CASCADE, the Python module none of them either,
# the converter's image module no Qt Widgets and no Open CASCADE; the
# window may load everything and must load Qt Widgets and OpenGL, which
# shows that the listing is read at all.
#   cmake -DCONV=<cyclide-conv> -DPYTHON=<module> -DIMAGE=<image module>
#         -DFENETRE=<cyclide> -P liens_programmes.cmake
# A program not given is not checked; with -DCONV_AVEC_CAO=ON (a converter
# built to link the CAD layer) the converter is not checked for Open
# CASCADE. Fails naming every program and the
# library it must not load.
cmake_minimum_required(VERSION 3.25)

set(QT "libQt6[A-Za-z]*\\.so")
set(WIDGETS "libQt6Widgets\\.so")
set(GL "lib(GL|OpenGL|EGL|GLX|GLdispatch)\\.so")
set(OCCT "libTK[A-Za-z0-9]*\\.so")

# For each program, the libraries it must not load and those it must.
set(interdites_CONV "${QT}" "${GL}" "${OCCT}")
if(CONV_AVEC_CAO)
    set(interdites_CONV "${QT}" "${GL}")
    message(STATUS "cyclide-conv links the CAD layer in this build: Open CASCADE not checked")
endif()
set(requises_CONV "libc\\.so")
set(interdites_PYTHON "${QT}" "${GL}" "${OCCT}")
set(requises_PYTHON "libc\\.so")
set(interdites_IMAGE "${WIDGETS}" "${OCCT}")
set(requises_IMAGE "libQt6Gui\\.so" "libQt6OpenGL\\.so")
set(interdites_FENETRE "")
set(requises_FENETRE "${WIDGETS}" "libQt6OpenGLWidgets\\.so" "${GL}")

set(fautes "")
set(vus 0)
foreach(nom CONV PYTHON IMAGE FENETRE)
    set(programme "${${nom}}")
    if(NOT programme)
        continue()
    endif()
    math(EXPR vus "${vus} + 1")
    execute_process(COMMAND ldd ${programme} RESULT_VARIABLE statut OUTPUT_VARIABLE liste
                    ERROR_VARIABLE erreur)
    if(NOT statut EQUAL 0)
        set(fautes "${fautes}\n  ${programme}: ldd failed: ${erreur}")
        continue()
    endif()
    string(REPLACE "\n" ";" lignes "${liste}")
    foreach(motif ${interdites_${nom}})
        foreach(ligne ${lignes})
            if(ligne MATCHES "^[ \t]*([^ \t]*${motif}[^ \t]*)")
                set(fautes "${fautes}\n  ${programme} loads ${CMAKE_MATCH_1}")
            endif()
        endforeach()
    endforeach()
    foreach(motif ${requises_${nom}})
        if(NOT liste MATCHES "${motif}")
            set(fautes "${fautes}\n  ${programme} does not load ${motif}: is the listing read?")
        endif()
    endforeach()
endforeach()

if(vus EQUAL 0)
    message(FATAL_ERROR "no program given")
endif()
if(fautes)
    message(FATAL_ERROR "Programs load what they must not:${fautes}")
endif()
message(STATUS "${vus} programs load only what they may")
