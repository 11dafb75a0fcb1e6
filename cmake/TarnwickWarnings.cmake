# The warnings our own targets are built with, given to each target by tw_warnings() rather
# than to the whole tree, so that the code of others built here (SFML and its libraries built
# from source, GoogleTest built for Windows, pybind11's headers) keeps its own settings.
# -DTW_WARNINGS_AS_ERRORS=ON makes them errors, as CI builds.
option(TW_WARNINGS_AS_ERRORS "Make compiler warnings errors in the project's own targets" OFF)

function(tw_warnings)
  foreach(target ${ARGN})
    if(MSVC)
      target_compile_options(${target} PRIVATE
        /W4 # the common mistakes and more: unused parameters, narrowing, unreachable code
        $<$<BOOL:${TW_WARNINGS_AS_ERRORS}>:/WX>)
    else()
      target_compile_options(${target} PRIVATE
        -Wall      # the common mistakes: unused variables, wrong printf formats, misleading indents
        -Wextra    # unused parameters, signed and unsigned compared, missing initializers
        -Wpedantic # anything standard C++17 does not allow, such as compiler extensions
        $<$<BOOL:${TW_WARNINGS_AS_ERRORS}>:-Werror>)
      if(SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC's sanitizer instrumentation misleads this one: it flags the standard library's
        # own std::function inside std::regex. The plain build keeps it.
        target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
      endif()
    endif()
  endforeach()
endfunction()
