# The desktop program: Qt 6 widgets and an OpenGL view on top of the core
# and of the renderer (src/rendu, cyclide_rendu): OpenGLWidgets gives the
# view its QOpenGLWidget, which forwards its paint to the renderer.
find_package(Qt6 REQUIRED COMPONENTS Widgets OpenGLWidgets)

set(FENETRE_DIR ${CMAKE_SOURCE_DIR}/src/fenetre)
add_library(cyclide_gui STATIC
    ${FENETRE_DIR}/FenPrincipale.cpp
    ${FENETRE_DIR}/FenPrincipale.h
    ${FENETRE_DIR}/FenAide.cpp
    ${FENETRE_DIR}/FenCommandes.cpp
    ${FENETRE_DIR}/FenFichiers.cpp
    ${FENETRE_DIR}/FenHistorique.cpp
    ${FENETRE_DIR}/EtatFenetre.cpp
    ${FENETRE_DIR}/EtatFenetre.h
    ${FENETRE_DIR}/OutilsFenetre.cpp
    ${FENETRE_DIR}/OutilsFenetre.h
    ${FENETRE_DIR}/PanneauAffichage.cpp
    ${FENETRE_DIR}/PanneauAffichage.h
    ${FENETRE_DIR}/PanneauCyclide.cpp
    ${FENETRE_DIR}/PanneauCyclide.h
    ${FENETRE_DIR}/PanneauInformations.cpp
    ${FENETRE_DIR}/PanneauInformations.h
    ${FENETRE_DIR}/PanneauParametres.cpp
    ${FENETRE_DIR}/PanneauParametres.h
    ${FENETRE_DIR}/glwidget.cpp
    ${FENETRE_DIR}/glwidget.h
    ${FENETRE_DIR}/VueRendu.cpp)
target_include_directories(cyclide_gui PUBLIC ${CMAKE_SOURCE_DIR}/src)
# Meta-object code only for the Qt targets, not for every later target.
set_target_properties(cyclide_gui PROPERTIES AUTOMOC ON)
# "Ouvrir un carreau..." also reads STEP and IGES files when cyclide-cao is
# built (run in a child process: the window does not load Open CASCADE).
if(TARGET cyclide-cao)
    target_compile_definitions(cyclide_gui PUBLIC CYCLIDE_AVEC_CAO)
endif()
target_link_libraries(cyclide_gui PUBLIC cyclide_rendu cyclide_core Qt6::Widgets
                                         Qt6::OpenGLWidgets)

# The icon is built into the program (Qt resources): the window has it
# wherever it is started from.
add_executable(cyclide ${FENETRE_DIR}/main.cpp ${FENETRE_DIR}/fenetre.qrc)
set_target_properties(cyclide PROPERTIES AUTORCC ON)
target_link_libraries(cyclide PRIVATE cyclide_gui)
target_compile_definitions(cyclide PRIVATE CYCLIDE_VERSION="${PROJECT_VERSION}")

