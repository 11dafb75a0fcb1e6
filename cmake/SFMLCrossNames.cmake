# Static SFML's package names Windows libraries as they are spelt on Windows, which a
# cross-build's case-sensitive file system does not match: it looks for OpenAL's import library
# as "openal32" (OpenAL Soft builds libOpenAL32.dll.a) and links "OpenAL32" (MinGW has
# libopengl32.a). Included before find_package(SFML) and again after it, by the tree and by the
# installed Tarnwick package.
if(NOT (WIN32 AND CMAKE_HOST_UNIX))
  return()
endif()
if(NOT TARGET sfml-system)
  find_library(OpenAL_LIB NAMES OpenAL32)
elseif(TARGET OpenGL)
  get_target_property(TW_OPENGL_LIBS OpenGL INTERFACE_LINK_LIBRARIES)
  list(TRANSFORM TW_OPENGL_LIBS REPLACE "^OpenGL32$" "opengl32")
  set_target_properties(OpenGL PROPERTIES INTERFACE_LINK_LIBRARIES "${TW_OPENGL_LIBS}")
endif()
