# Fails when a source file includes a header by a path that leaves its own
# folder ("../widgets/Refusals.h"). Such a path resolves next to the file and
# so passes by the layers' include folders (see orvane_layer), which are what
# keeps store/ from seeing the windows.
#
#   cmake -DROOT=<source folder> -P RelativeIncludes.cmake

if(NOT ROOT)
  message(FATAL_ERROR "Give the source folder as -DROOT=...")
endif()

set(offences "")
foreach(folder app entry list view widgets store platform tests bench tools)
  file(GLOB_RECURSE sources "${ROOT}/${folder}/*.cpp" "${ROOT}/${folder}/*.h"
       "${ROOT}/${folder}/*.c")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]*\\.\\.[/\\\\]")
    foreach(line IN LISTS includes)
      file(RELATIVE_PATH shown "${ROOT}" "${source}")
      string(STRIP "${line}" line)
      string(APPEND offences "\n  ${shown}: ${line}")
    endforeach()
  endforeach()
endforeach()

if(offences)
  message(FATAL_ERROR "Headers included by a path that leaves the including file's folder; "
                      "include them by their layer's name (\"store/RecordStore.h\") instead:"
                      "${offences}")
endif()
message(STATUS "No include leaves its folder.")
