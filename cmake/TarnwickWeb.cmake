# The browser build (emscripten, make web): each program is a page of its own, <name>.html with
# its .js, .wasm and .data at the top of the build folder, and index.html links them all.

set(TW_WEB_SHELL ${CMAKE_SOURCE_DIR}/web/shell.html)
# Debian's emscripten runs its JavaScript tools with node, which finds their modules there.
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
# What every page links with: WebGL 2 alone, memory that grows with the world, OpenAL for the
# sound, the runtime shut down when the program ends (so that its exit status reaches the
# page), and the functions and runtime calls the page's script uses.
set(TW_WEB_LINK_OPTIONS
  -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sALLOW_MEMORY_GROWTH=1
  -sEXIT_RUNTIME=1
  -sENVIRONMENT=web
  -sEXPORTED_RUNTIME_METHODS=FS,cwrap
  -sEXPORTED_FUNCTIONS=_main,_tw_row_text,_tw_row_length,_tw_columns,_tw_rows,_tw_take_frame_times,_tw_frame_count
  -sMINIFY_HTML=0 # the minifier is not packaged
  "SHELL:--shell-file ${TW_WEB_SHELL}")

# tw_web_page(target DESCRIPTION text [IMAGE path] PRELOAD source@destination...): target as a
# page whose in-memory working directory holds the preloaded files and folders (destination "/"
# for a folder's contents), listed in index.html with the description (and the picture at
# path, from the build folder).
function(tw_web_page target)
  cmake_parse_arguments(PAGE "" "DESCRIPTION;IMAGE" "PRELOAD" ${ARGN})
  set_target_properties(${target} PROPERTIES SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_options(${target} PRIVATE ${TW_WEB_LINK_OPTIONS})
  set(depends ${TW_WEB_SHELL})
  foreach(item ${PAGE_PRELOAD})
    target_link_options(${target} PRIVATE "SHELL:--preload-file ${item}")
    string(REGEX REPLACE "@.*$" "" source ${item})
    if(IS_DIRECTORY ${source})
      file(GLOB_RECURSE files CONFIGURE_DEPENDS ${source}/*)
      list(APPEND depends ${files})
    else()
      list(APPEND depends ${source})
    endif()
  endforeach()
  # An edited data file packs the page's data anew.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${depends})
  set_property(GLOBAL APPEND PROPERTY TW_WEB_PAGES ${target})
  set_property(GLOBAL PROPERTY TW_WEB_DESCRIPTION_${target} "${PAGE_DESCRIPTION}")
  set_property(GLOBAL PROPERTY TW_WEB_IMAGE_${target} "${PAGE_IMAGE}")
endfunction()

# index.html, from web/index.html.in, with a line for each page.
function(tw_web_index)
  get_property(pages GLOBAL PROPERTY TW_WEB_PAGES)
  set(TW_WEB_PAGE_LIST "")
  foreach(page ${pages})
    get_property(description GLOBAL PROPERTY TW_WEB_DESCRIPTION_${page})
    get_property(image GLOBAL PROPERTY TW_WEB_IMAGE_${page})
    if(image)
      set(image "<br><a href=\"${page}.html\"><img src=\"${image}\" width=\"320\" alt=\"\"></a>")
    endif()
    string(APPEND TW_WEB_PAGE_LIST
      "    <li><a href=\"${page}.html\">${page}</a>: ${description}${image}</li>\n")
  endforeach()
  configure_file(${CMAKE_SOURCE_DIR}/web/index.html.in ${CMAKE_BINARY_DIR}/index.html @ONLY)
endfunction()
