# Static SFML's package looks its libraries up by names that miss here: in a cross-build to
# Windows, it spells OpenAL's import library "openal32" (OpenAL Soft builds libOpenAL32.dll.a)
# and links "OpenAL32" (MinGW has libopengl32.a), which a case-sensitive file system does not
# match; on Linux it prefers GLVND's libOpenGL, which has no GLX, to libGL. Included before
# find_package(SFML) and again after it, by the tree and by the installed Tarnwick package.
if(NOT SFML_STATIC_LIBRARIES)
  return()
endif()
if(NOT TARGET sfml-system)
  if(WIN32 AND CMAKE_HOST_UNIX)
    find_library(OpenAL_LIB NAMES OpenAL32)
  elseif(UNIX AND NOT APPLE)
    find_library(OpenGL_LIB NAMES GL)
  endif()
elseif(WIN32 AND CMAKE_HOST_UNIX AND TARGET OpenGL)
  get_target_property(TW_OPENGL_LIBS OpenGL INTERFACE_LINK_LIBRARIES)
  list(TRANSFORM TW_OPENGL_LIBS REPLACE "^OpenGL32$" "opengl32")
  set_target_properties(OpenGL PROPERTIES INTERFACE_LINK_LIBRARIES "${TW_OPENGL_LIBS}")
endif()
