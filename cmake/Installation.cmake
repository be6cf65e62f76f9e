# Installation in the standard places and the Debian package:
#   bin/                        the programs
#   share/man/man1/             their manual pages, made from --help by help2man
#   share/applications/         the desktop entry
#   share/icons/hicolor/64x64/  the icon
#   lib/python3*/dist-packages  the module cyclide (python/CMakeLists.txt)
include(GNUInstallDirs)

foreach(programme cyclide cyclide-conv cyclide-cao)
    if(TARGET ${programme})
        install(TARGETS ${programme} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# Manual page of the converter from its --help (the window's program takes
# no options of its own: its page is written from the desktop entry's text).
find_program(HELP2MAN help2man)
if(HELP2MAN AND TARGET cyclide-conv)
    set(page ${CMAKE_CURRENT_BINARY_DIR}/cyclide-conv.1)
    add_custom_command(OUTPUT ${page}
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
                --version-string=${PROJECT_VERSION}
                --name "convertit des carreaux de Bezier en carreaux de cyclide de Dupin"
                --output=${page} $<TARGET_FILE:cyclide-conv>
        DEPENDS cyclide-conv VERBATIM)
    add_custom_target(pages_manuel ALL DEPENDS ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(TARGET cyclide)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/cyclide.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/cyclide.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_SOURCE_DIR}/icone.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME cyclide.png)
endif()

# cpack -G DEB: the package installs under /usr; the libraries it needs are
# found by dpkg-shlibdeps, the interpreter and numpy declared by hand.
set(CPACK_PACKAGE_NAME cyclide-de-dupin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Cyclide de Dupin <cyclide@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Conversion of rational biquadratic Bezier patches into Dupin cyclide patches")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "python3 (>= 3.11), python3 (<< 3.12), python3-numpy")
include(CPack)
