# Copies each of FILES into DEST. With ALWAYS set, a changed file replaces the
# copy; otherwise a file already in DEST (which a user may have edited) is kept.
file(MAKE_DIRECTORY "${DEST}")
foreach(f ${FILES})
  get_filename_component(name "${f}" NAME)
  if(ALWAYS OR NOT EXISTS "${DEST}/${name}")
    file(COPY "${f}" DESTINATION "${DEST}")
  endif()
endforeach()
