# Builds the .deb with cpack, checks it with lintian (no error, no warning),
# unpacks it with dpkg -x into a scratch root (RACINE) and runs the
# installed programs and module from there.
file(REMOVE_RECURSE ${RACINE})
file(MAKE_DIRECTORY ${RACINE})

function(lancer)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE fin OUTPUT_VARIABLE sortie
                    ERROR_VARIABLE erreur)
    if(NOT fin EQUAL 0)
        message(FATAL_ERROR "${ARGV} failed (${fin}):\n${sortie}\n${erreur}")
    endif()
    set(sortie "${sortie}" PARENT_SCOPE)
endfunction()

lancer(cpack -G DEB -B ${RACINE}/cpack --config ${BINAIRES}/CPackConfig.cmake)
file(GLOB paquets ${RACINE}/cpack/*.deb)
list(LENGTH paquets n)
if(NOT n EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${paquets}")
endif()

find_program(LINTIAN lintian)
if(LINTIAN)
    execute_process(COMMAND ${LINTIAN} --fail-on error,warning --tag-display-limit 0 ${paquets}
                    RESULT_VARIABLE fin OUTPUT_VARIABLE sortie ERROR_VARIABLE erreur)
    if(NOT fin EQUAL 0 OR sortie MATCHES "(^|\n)[EW]: ")
        message(FATAL_ERROR "lintian (${fin}):\n${sortie}\n${erreur}")
    endif()
    message(STATUS "lintian: no error, no warning")
endif()

# Declared dependencies: the shared libraries found by dpkg-shlibdeps, the
# interpreter with numpy, the toolkit's French catalogue.
lancer(dpkg-deb --field ${paquets} Depends)
foreach(dependance libc6 libstdc\\+\\+6 libqt6widgets6 python3-numpy qt6-translations-l10n)
    if(NOT sortie MATCHES "${dependance}")
        message(FATAL_ERROR "Depends lacks ${dependance}: ${sortie}")
    endif()
endforeach()

lancer(dpkg -x ${paquets} ${RACINE}/installe)
set(r ${RACINE}/installe/usr)
foreach(f bin/cyclide bin/cyclide-conv share/man/man1/cyclide-conv.1.gz share/man/man1/cyclide.1.gz
          share/applications/cyclide.desktop share/icons/hicolor/64x64/apps/cyclide.png
          share/mime/packages/cyclide-de-dupin.xml share/bash-completion/completions/cyclide-conv
          share/doc/cyclide-de-dupin/copyright share/doc/cyclide-de-dupin/changelog.gz
          share/doc/cyclide-de-dupin/cyclide-conv.schema.json)
    if(NOT EXISTS ${r}/${f})
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()

# The manual pages have their examples and exit status.
foreach(page cyclide-conv cyclide)
    lancer(sh -c "gzip -dc ${r}/share/man/man1/${page}.1.gz")
    if(NOT sortie MATCHES "\\.SH \"?EXAMPLES" OR NOT sortie MATCHES "\\.SH \"?EXIT STATUS")
        message(FATAL_ERROR "${page}.1 lacks EXAMPLES or EXIT STATUS")
    endif()
endforeach()

# Both programs answer --version with the package's version.
lancer(dpkg-deb --field ${paquets} Version)
string(STRIP "${sortie}" version)
foreach(programme cyclide cyclide-conv)
    lancer(${r}/bin/${programme} --version)
    if(NOT sortie STREQUAL "${programme} ${version}\n")
        message(FATAL_ERROR "${programme} --version: ${sortie}")
    endif()
endforeach()

lancer(${r}/bin/cyclide-conv --help)
if(NOT sortie MATCHES "Usage")
    message(FATAL_ERROR "cyclide-conv --help: ${sortie}")
endif()
lancer(${r}/bin/cyclide-conv --json 0 1.5707963267948966 -1.0471975511965976 3.141592653589793 4 8 -7.982)
if(NOT sortie MATCHES "\"kind\":\"ring\"")
    message(FATAL_ERROR "installed conversion: ${sortie}")
endif()

file(GLOB_RECURSE modules ${r}/lib/python3/dist-packages/cyclide.*.so)
list(LENGTH modules n)
if(NOT n EQUAL 1)
    message(FATAL_ERROR "expected one installed module cyclide, found: ${modules}")
endif()
get_filename_component(dossier ${modules} DIRECTORY)
lancer(${CMAKE_COMMAND} -E env PYTHONPATH=${dossier} ${PYTHON} -c
       "m = __import__('cyclide')\nprint(m.__file__, m.convert([0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982])['kind'])")
if(NOT sortie MATCHES "^${dossier}/cyclide.* ring")
    message(FATAL_ERROR "installed module: ${sortie}")
endif()

# The converter's image module, found by the installed converter beside its
# own library folder: with a display the image is written.
file(GLOB_RECURSE images ${r}/lib/libcyclide_image.so)
if(NOT images MATCHES "/cyclide/libcyclide_image\\.so$")
    message(FATAL_ERROR "image module not installed under lib/.../cyclide/: ${images}")
endif()
if(DEFINED ENV{DISPLAY} AND NOT "$ENV{DISPLAY}" STREQUAL "")
    lancer(${r}/bin/cyclide-conv --exemple 1 --png ${RACINE}/installe.png)
    if(NOT EXISTS ${RACINE}/installe.png)
        message(FATAL_ERROR "installed cyclide-conv --png wrote no image")
    endif()
endif()
