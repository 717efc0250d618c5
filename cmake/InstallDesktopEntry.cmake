# Run while installing: writes the desktop entry with the program's full path
# in its Exec line. Needs VEL_DESKTOP_TEMPLATE; uses the install's
# CMAKE_INSTALL_PREFIX and DESTDIR. Nothing is written in the build folder,
# which the installing user may not be allowed to write.
set(program "${CMAKE_INSTALL_PREFIX}/bin/velclock")
if(program MATCHES "[\n\r\t]")
  message(FATAL_ERROR "an install prefix with a control character cannot be named in a desktop entry")
endif()

# One Exec argument: double-quoted when it holds a reserved character, with
# " ` $ \ escaped inside the quotes; % doubled (field codes start with it).
set(exec "${program}")
string(REPLACE "%" "%%" exec "${exec}")
string(REGEX MATCH "[ \"'\\><~|&;$*?#()`]" reserved "${exec}")
if(NOT reserved STREQUAL "")
  string(REPLACE "\\" "\\\\" exec "${exec}")
  string(REPLACE "\"" "\\\"" exec "${exec}")
  string(REPLACE "`" "\\`" exec "${exec}")
  string(REPLACE "$" "\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
# A string value of the entry escapes its backslashes once more.
string(REPLACE "\\" "\\\\" VEL_DESKTOP_EXEC "${exec}")

set(entry "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share/applications/velclock.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${VEL_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
