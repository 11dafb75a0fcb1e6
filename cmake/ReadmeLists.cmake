# cmake -DBUILD=dir -DREADME=file [-DCHECK=ON] -P ReadmeLists.cmake: puts the lists of the
# gallery and of the tutorial (made from the examples' first comment lines into
# BUILD/<list>/readme.md) between README's markers of each list, or, with CHECK, fails when a
# list there differs.
file(READ ${README} text)
foreach(name gallery tutorial)
  file(READ ${BUILD}/${name}/readme.md list)
  set(begin "<!-- ${name}: made from examples/${name}/*/main.cpp by the target readme-lists -->\n")
  set(end "<!-- end of ${name} -->")
  string(FIND "${text}" "${begin}" from)
  string(FIND "${text}" "${end}" to)
  if(from EQUAL -1 OR to LESS from)
    message(FATAL_ERROR "${README}: no ${name} markers")
  endif()
  string(LENGTH "${begin}" length)
  math(EXPR from "${from} + ${length}")
  math(EXPR count "${to} - ${from}")
  string(SUBSTRING "${text}" ${from} ${count} old)
  if(CHECK AND NOT old STREQUAL list)
    message(FATAL_ERROR "README.md's ${name} list is out of date: "
      "cmake --build ${BUILD} --target readme-lists")
  endif()
  string(SUBSTRING "${text}" 0 ${from} head)
  string(SUBSTRING "${text}" ${to} -1 tail)
  set(text "${head}${list}${tail}")
endforeach()
if(NOT CHECK)
  file(WRITE ${README} "${text}")
endif()
