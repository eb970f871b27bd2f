# Copies the shipped report templates into the program folder, leaving alone those that are
# already there (an administrator may have changed them in the template editor).
file(GLOB templates "${SRC}/*.fr3")
file(MAKE_DIRECTORY "${DST}")
foreach(t ${templates})
  get_filename_component(name "${t}" NAME)
  if(NOT EXISTS "${DST}/${name}")
    file(COPY "${t}" DESTINATION "${DST}")
  endif()
endforeach()
