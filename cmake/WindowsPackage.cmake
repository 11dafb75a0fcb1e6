# Writes the Windows zips into the build directory (cmake -P, as make windows-package does):
#   tarnwick-VERSION-windows-x64.zip      the game: tarnwick.exe, openal32.dll, its data files,
#                                         the licences and a README
#   tarnwick-sdk-VERSION-windows-x64.zip  the engine for MinGW-w64: headers, static libraries
#                                         (SFML's and its libraries' included), CMake packages,
#                                         openal32.dll, font, toolchain file and the licences
# Takes -DBUILD=, -DSOURCE=, -DVERSION=, -DDEPS= (the prefix of scripts/build-deps.sh windows)
# and -DSTRIP=.
set(stage ${BUILD}/package)
set(game tarnwick-${VERSION}-windows-x64)
set(sdk tarnwick-sdk-${VERSION}-windows-x64)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${game})

# The licences every zip carries: the project's, the font's, and in licenses/ those of each
# library built in (with SOURCES.txt, naming the sources they were built from) and of the
# MinGW-w64 runtime (winpthreads) that the programs and openal32.dll link statically.
function(add_licences dir)
  configure_file(${SOURCE}/LICENSE ${dir}/LICENSE.txt COPYONLY)
  file(COPY ${SOURCE}/tw-font-LICENSE.txt DESTINATION ${dir})
  file(COPY ${DEPS}/share/licenses/ DESTINATION ${dir}/licenses)
  configure_file(/usr/share/doc/mingw-w64-common/copyright
    ${dir}/licenses/mingw-w64-runtime/copyright COPYONLY)
endfunction()

file(COPY ${BUILD}/tarnwick.exe ${BUILD}/openal32.dll ${SOURCE}/tw-config.txt
  ${SOURCE}/tw-font.ttf ${SOURCE}/sprites ${SOURCE}/sounds DESTINATION ${stage}/${game})
configure_file(${SOURCE}/packaging/windows/README.txt ${stage}/${game}/README.txt @ONLY)
add_licences(${stage}/${game})
if(STRIP)
  execute_process(COMMAND ${STRIP} ${stage}/${game}/tarnwick.exe ${stage}/${game}/openal32.dll
    COMMAND_ERROR_IS_FATAL ANY)
endif()

foreach(component engine headers)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage}/${sdk}
    --component ${component} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# SFML and its libraries as built: their static libraries come without pkg-config files that
# would work elsewhere, so tarnwick.pc would name packages that are not there.
file(COPY ${DEPS}/include ${DEPS}/lib DESTINATION ${stage}/${sdk}
  PATTERN pkgconfig EXCLUDE)
file(REMOVE_RECURSE ${stage}/${sdk}/lib/pkgconfig)
configure_file(${stage}/${game}/openal32.dll ${stage}/${sdk}/bin/openal32.dll COPYONLY)
add_licences(${stage}/${sdk})
file(COPY ${SOURCE}/cmake/mingw-w64-x86_64.cmake DESTINATION ${stage}/${sdk}/share/tarnwick)
configure_file(${SOURCE}/packaging/windows/SDK-README.txt ${stage}/${sdk}/README.txt @ONLY)

foreach(name ${game} ${sdk})
  file(REMOVE ${BUILD}/${name}.zip)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${BUILD}/${name}.zip --format=zip ${name}
    WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
  message(STATUS "${BUILD}/${name}.zip")
endforeach()
