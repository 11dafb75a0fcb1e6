# SFML 2.5.1 built from source as part of the tree, statically, for Windows builds (and any
# other build without an installed SFML). SFML_SOURCE names a local copy, as a source tree or
# its archive; without it, the release is fetched from SFML's repository.
include(FetchContent)
set(SFML_SOURCE "" CACHE STRING "SFML 2.5.1 source: a tree or an archive of one; empty to fetch it")
if(SFML_SOURCE)
  get_filename_component(TW_SFML_SOURCE_PATH ${SFML_SOURCE} ABSOLUTE)
  if(IS_DIRECTORY ${TW_SFML_SOURCE_PATH})
    set(FETCHCONTENT_SOURCE_DIR_SFML ${TW_SFML_SOURCE_PATH})
    FetchContent_Declare(SFML SOURCE_DIR ${TW_SFML_SOURCE_PATH})
  else()
    FetchContent_Declare(SFML URL ${TW_SFML_SOURCE_PATH})
  endif()
else()
  FetchContent_Declare(SFML GIT_REPOSITORY https://github.com/SFML/SFML.git GIT_TAG 2.5.1
    GIT_SHALLOW TRUE)
endif()
FetchContent_GetProperties(SFML)
if(NOT sfml_POPULATED)
  FetchContent_Populate(SFML)
endif()

set(SFML_USE_STATIC_STD_LIBS ${MINGW} CACHE BOOL "" FORCE)
set(SFML_BUILD_NETWORK OFF CACHE BOOL "" FORCE)
set(SFML_BUILD_EXAMPLES OFF CACHE BOOL "" FORCE)
set(SFML_BUILD_DOC OFF CACHE BOOL "" FORCE)
# FindOpenAL looks for "OpenAL32", which a case-sensitive file system does not match with
# SFML's libopenal32.a.
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(OPENAL_LIBRARY ${sfml_SOURCE_DIR}/extlibs/libs-mingw/x64/libopenal32.a
    CACHE FILEPATH "OpenAL import library")
  set(TW_OPENAL_DLL ${sfml_SOURCE_DIR}/extlibs/bin/x64/openal32.dll)
endif()
# SFML's own sources do not build free of warnings; they are not the tree's to fix.
set(TW_CXX_FLAGS ${CMAKE_CXX_FLAGS})
string(APPEND CMAKE_CXX_FLAGS " -w")
# SFML's FindVorbis.cmake names its package VORBIS, which CMake warns of.
set(FPHSA_NAME_MISMATCHED TRUE)
add_subdirectory(${sfml_SOURCE_DIR} ${sfml_BINARY_DIR})
unset(FPHSA_NAME_MISMATCHED)
set(CMAKE_CXX_FLAGS ${TW_CXX_FLAGS})
