# Installation in the standard places and the Debian package:
#   bin/                              the programs
#   lib/<triplet>/cyclide/            the image module the converter loads for --png
#   share/man/man1/                   their manual pages (gzip -9n), the
#                                     converter's made from --help by help2man
#   share/applications/               the desktop entry (opens a file: %f)
#   share/mime/packages/              the MIME type of .car and .bez files
#   share/icons/hicolor/64x64/apps/   the icon
#   share/bash-completion/completions the converter's completion
#   share/doc/cyclide-de-dupin/       copyright, changelog, the JSON schema
#   lib/python3/dist-packages         the module cyclide (python/CMakeLists.txt)
#   libexec/cyclide-de-dupin/         cyclide-cao, the CAD reader the programs run
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CYCLIDE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/cyclide-de-dupin)

foreach(programme cyclide cyclide-conv)
    if(TARGET ${programme})
        install(TARGETS ${programme} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()
# The CAD reader the programs run (not a command of its own).
if(TARGET cyclide-cao)
    install(TARGETS cyclide-cao RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/cyclide-de-dupin)
endif()

# A text compressed as Debian wants it (gzip -9n: no name, no date), built
# with the programs.
set(CYCLIDE_PAGES_GZ "")
function(cyclide_compresser source nom)
    set(gz ${CMAKE_BINARY_DIR}/paquet/${nom}.gz)
    add_custom_command(OUTPUT ${gz}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/paquet
        COMMAND sh -c "gzip -9n -c '${source}' > '${gz}'"
        DEPENDS ${source} VERBATIM)
    set(CYCLIDE_PAGES_GZ ${CYCLIDE_PAGES_GZ} ${gz} PARENT_SCOPE)
endfunction()

# Manual page of the converter from its --help, with the synopsis, the
# examples and the exit status of packaging/cyclide-conv.h2m.
find_program(HELP2MAN help2man)
if(HELP2MAN AND TARGET cyclide-conv)
    set(page ${CMAKE_BINARY_DIR}/paquet/cyclide-conv.1)
    add_custom_command(OUTPUT ${page}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/paquet
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                --version-string=${PROJECT_VERSION}
                --include=${CMAKE_SOURCE_DIR}/packaging/cyclide-conv.h2m
                --output=${page} $<TARGET_FILE:cyclide-conv>
        # The usage lines are the synopsis: not again, run together, at the
        # head of the description.
        COMMAND sed -i -f ${CMAKE_SOURCE_DIR}/packaging/man-sans-usage.sed ${page}
        DEPENDS cyclide-conv ${CMAKE_SOURCE_DIR}/packaging/cyclide-conv.h2m VERBATIM)
    cyclide_compresser(${page} cyclide-conv.1)
    install(FILES ${CMAKE_BINARY_DIR}/paquet/cyclide-conv.1.gz
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/cyclide-conv.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME cyclide-conv)
endif()
if(TARGET cyclide)
    cyclide_compresser(${CMAKE_SOURCE_DIR}/packaging/cyclide.1 cyclide.1)
    install(FILES ${CMAKE_BINARY_DIR}/paquet/cyclide.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/cyclide.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/cyclide-carreau.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME cyclide-de-dupin.xml)
    install(FILES ${CMAKE_SOURCE_DIR}/icone.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME cyclide.png)
endif()
cyclide_compresser(${CMAKE_SOURCE_DIR}/packaging/changelog changelog)
add_custom_target(pages_manuel ALL DEPENDS ${CYCLIDE_PAGES_GZ})
install(FILES ${CMAKE_BINARY_DIR}/paquet/changelog.gz ${CMAKE_SOURCE_DIR}/packaging/copyright
              ${CMAKE_SOURCE_DIR}/docs/cyclide-conv.schema.json
        DESTINATION ${CYCLIDE_DOC_DIR})

# cpack -G DEB: the package installs under /usr, its binaries stripped; the
# libraries it needs are found by dpkg-shlibdeps, the interpreter, numpy and
# the French catalogue of the toolkit's dialogs declared by hand.
set(CPACK_PACKAGE_NAME cyclide-de-dupin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT
    "Cyclide de Dupin developers <cyclide-de-dupin@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "conversion of Bezier patches into Dupin cyclide patches")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A tool for computer-aided geometric design. From seven numbers, a control
net or a CAD face (STEP, IGES) it builds a rational biquadratic Bezier
patch, decides whether the patch lies on a Dupin cyclide, computes the
cyclide's parameters a, c, mu, its centre and frame, classifies it (ring,
spindle, horned, double sphere, crossed torus, collar torus) and states
the relative uncertainty the data determine.
.
The package holds the window (a rotatable 3D view with a French
interface), the command-line converter cyclide-conv (reports, JSON, CSV
batches, OBJ, STEP, IGES and PNG outputs) and the Python module cyclide.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "python3 (>= 3.11), python3 (<< 3.12), python3-numpy, qt6-translations-l10n")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
include(CPack)
