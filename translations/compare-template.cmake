# Fails while the committed template differs from the one the build made
# from the sources (cmake -D made=... -D kept=... -P compare-template.cmake).
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${made}" "${kept}"
                RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR
          "translations/orvane_en.ts is not the template of the sources' texts: run\n"
          "  cmake --build build --target update_translations\n"
          "and commit translations/orvane_en.ts")
endif()
