# Build step: the user guide that F1 shows is the README's part for users,
# everything above the line that ends it, so that each fact is written once.
#
#   cmake -DREADME=README.md -DGUIDE=guide.md -P UserGuide.cmake
file(READ "${README}" text)
set(marker "<!-- The user guide (F1) ends here")
string(FIND "${text}" "${marker}" end)
if(end LESS 0)
  message(FATAL_ERROR "${README} has no line \"${marker} ...\": the guide would be the whole file")
endif()
string(SUBSTRING "${text}" 0 ${end} guide)
file(WRITE "${GUIDE}.part" "${guide}")
file(RENAME "${GUIDE}.part" "${GUIDE}")
