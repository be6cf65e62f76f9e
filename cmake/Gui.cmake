# The desktop program: Qt 6 widgets and an OpenGL view on top of the core.
# Qt 6 stands in for the original toolkit: OpenGLWidgets gives the view its
# QOpenGLWidget, OpenGL the off-screen context and framebuffer.
find_package(Qt6 REQUIRED COMPONENTS Widgets OpenGL OpenGLWidgets)

add_library(cyclide_gui STATIC
    ${CMAKE_SOURCE_DIR}/src/FenPrincipale.cpp
    ${CMAKE_SOURCE_DIR}/src/FenPrincipale.h
    ${CMAKE_SOURCE_DIR}/src/glwidget.cpp
    ${CMAKE_SOURCE_DIR}/src/glwidget.h
    ${CMAKE_SOURCE_DIR}/src/ImageVue.cpp
    ${CMAKE_SOURCE_DIR}/src/ImageVue.h)
# Meta-object code only for the Qt targets, not for every later target.
set_target_properties(cyclide_gui PROPERTIES AUTOMOC ON)
target_link_libraries(cyclide_gui PUBLIC cyclide_core Qt6::Widgets Qt6::OpenGL Qt6::OpenGLWidgets
                                         OpenGL::GL)

add_executable(cyclide ${CMAKE_SOURCE_DIR}/src/main.cpp)
target_link_libraries(cyclide PRIVATE cyclide_gui)

# The window's headers, for the suites and benchmarks that drive it.
target_include_directories(cyclide_gui PUBLIC ${CMAKE_SOURCE_DIR}/src)
