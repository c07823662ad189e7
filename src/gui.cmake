# The windows, canvases and widgets: everything that needs a display, on
# top of the core library.
file(GLOB QUILLON_GUI_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/view/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/codeview/*.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ui/*.cpp)
# Opening, closing and exporting act on the window; start-up itself stays
# out of the library so that tests can link it.
list(APPEND QUILLON_GUI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/app/open_close.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/picture_export.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/app/repository_opening.cpp)
# The cushion textures live in the colouring subsystem but need OpenGL.
list(APPEND QUILLON_GUI_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/colouring/colour_textures.cpp)

if(QUILLON_GUI_SOURCES)
  set(OpenGL_GL_PREFERENCE LEGACY)
  find_package(OpenGL REQUIRED COMPONENTS OpenGL EGL)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
  pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
  find_library(FLTK_LIBRARY fltk REQUIRED)
  find_library(FLTK_GL_LIBRARY fltk_gl REQUIRED)
  find_package(X11 REQUIRED)

  add_library(quillon_gui STATIC ${QUILLON_GUI_SOURCES})
  target_link_libraries(quillon_gui PUBLIC quillon_core quillon_extract ${FLTK_GL_LIBRARY} ${FLTK_LIBRARY}
    OpenGL::GL OpenGL::EGL X11::X11 PkgConfig::FREETYPE PkgConfig::FONTCONFIG)

  add_executable(quillon app/main.cpp)
  target_link_libraries(quillon PRIVATE quillon_gui)
  target_compile_definitions(quillon PRIVATE QUILLON_VERSION="${PROJECT_VERSION}")
  set_target_properties(quillon PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR})
  install(TARGETS quillon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
