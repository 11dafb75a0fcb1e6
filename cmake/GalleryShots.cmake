# cmake -DFROM=dir -DTO=dir -P GalleryShots.cmake: copies the gallery's screenshots, if any.
file(GLOB shots ${FROM}/*.png)
if(shots)
  file(COPY ${shots} DESTINATION ${TO})
endif()
