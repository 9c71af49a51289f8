# Installs the shipped database into the program folder unless one is there
# already: an installed Dowsing.dll holds the user's records and is never
# overwritten.
set(target "$ENV{DESTDIR}${PROGRAM_DIR}/Dowsing.dll")
if(EXISTS "${target}")
  message(STATUS "Kept: ${target}")
else()
  file(INSTALL "${SHIPPED_DATABASE}" DESTINATION "$ENV{DESTDIR}${PROGRAM_DIR}")
endif()
