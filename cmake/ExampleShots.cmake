# cmake -DFROM=dir -DTO=dir -P ExampleShots.cmake: copies the screenshots of the gallery's
# examples and the tutorial's parts, if any, from the build tree FROM to TO.
foreach(kind gallery tutorial)
  file(GLOB shots ${FROM}/${kind}/*.png)
  if(shots)
    file(COPY ${shots} DESTINATION ${TO}/${kind})
  endif()
endforeach()
