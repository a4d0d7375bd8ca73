# Copies every file of SRC into DST unless DST already has a file of that name:
# the runtime directory's data files are the player's records once played.
file(MAKE_DIRECTORY ${DST})
file(GLOB shipped RELATIVE ${SRC} ${SRC}/*)
foreach(name IN LISTS shipped)
  if(NOT EXISTS ${DST}/${name})
    file(COPY ${SRC}/${name} DESTINATION ${DST})
  endif()
endforeach()
