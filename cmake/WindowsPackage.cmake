# Writes the Windows zips into the build directory (cmake -P, as make windows-package does):
#   tarnwick-VERSION-windows-x64.zip      the game: tarnwick.exe, openal32.dll, its data files,
#                                         the licences and a README
#   tarnwick-sdk-VERSION-windows-x64.zip  the engine for MinGW-w64: headers, static libraries
#                                         (SFML's included), CMake packages, font and toolchain
# Takes -DBUILD=, -DSOURCE=, -DVERSION=, -DSFML_TREE= (SFML's source) and -DSTRIP=.
set(stage ${BUILD}/package)
set(game tarnwick-${VERSION}-windows-x64)
set(sdk tarnwick-sdk-${VERSION}-windows-x64)
file(REMOVE_RECURSE ${stage})
file(MAKE_DIRECTORY ${stage}/${game})

file(COPY ${BUILD}/tarnwick.exe ${BUILD}/openal32.dll
  ${SOURCE}/tw-config.txt ${SOURCE}/tw-font.ttf ${SOURCE}/tw-font-LICENSE.txt
  ${SOURCE}/sprites ${SOURCE}/sounds DESTINATION ${stage}/${game})
configure_file(${SOURCE}/packaging/windows/README.txt ${stage}/${game}/README.txt @ONLY)
configure_file(${SFML_TREE}/license.md ${stage}/${game}/SFML-license.md COPYONLY)
if(STRIP)
  execute_process(COMMAND ${STRIP} ${stage}/${game}/tarnwick.exe COMMAND_ERROR_IS_FATAL ANY)
endif()

foreach(component engine headers Unspecified devel)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${stage}/${sdk}
    --component ${component} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# SFML puts its licence and readme at the top; SFML's static libraries come without
# pkg-config files, so tarnwick.pc would name packages that are not there.
file(MAKE_DIRECTORY ${stage}/${sdk}/share/SFML)
foreach(name license.md readme.md)
  file(RENAME ${stage}/${sdk}/${name} ${stage}/${sdk}/share/SFML/${name})
endforeach()
file(REMOVE_RECURSE ${stage}/${sdk}/lib/pkgconfig)
file(COPY ${SOURCE}/cmake/mingw-w64-x86_64.cmake DESTINATION ${stage}/${sdk}/share/tarnwick)
configure_file(${SOURCE}/packaging/windows/SDK-README.txt ${stage}/${sdk}/README.txt @ONLY)

foreach(name ${game} ${sdk})
  file(REMOVE ${BUILD}/${name}.zip)
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${BUILD}/${name}.zip --format=zip ${name}
    WORKING_DIRECTORY ${stage} COMMAND_ERROR_IS_FATAL ANY)
  message(STATUS "${BUILD}/${name}.zip")
endforeach()
