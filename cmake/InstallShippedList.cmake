# Run while installing: writes the marker beside the installed program
# (velclock.shipped). It tells the program that it runs from an install, and
# lists the files installed beside it, so that each user's copy is made of
# those alone: "data" files the program only reads (refreshed in the user's
# copy after an upgrade), "settings" the user's own once copied. Needs
# VEL_RESOURCES (the source folder of VEL文件/ and image/), VEL_INSTALL_DIR
# and VEL_DATA_FILES (the data files among the settings); uses DESTDIR.
file(GLOB_RECURSE shipped LIST_DIRECTORIES false RELATIVE "${VEL_RESOURCES}"
  "${VEL_RESOURCES}/VEL文件/*" "${VEL_RESOURCES}/image/*")
list(SORT shipped)
set(text "# Files installed with velclock: data (read by the program), settings (the user's)\n")
foreach(path IN LISTS shipped)
  get_filename_component(name "${path}" NAME)
  list(FIND VEL_DATA_FILES "${path}" data_index)
  if(name STREQUAL "README.txt")
    continue()
  elseif(path MATCHES "^image/" OR data_index GREATER -1)
    string(APPEND text "data ${path}\n")
  else()
    string(APPEND text "settings ${path}\n")
  endif()
endforeach()

set(marker "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${VEL_INSTALL_DIR}/velclock.shipped")
message(STATUS "Installing: ${marker}")
file(WRITE "${marker}" "${text}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${marker}")
