# Makes the translation template afresh from the sources' texts:
#   cmake -D lupdate=... -D sources=<list file> -D template=<.ts> -P make-template.cmake
# lupdate's warnings (a tr() it cannot place, a class without Q_OBJECT whose
# texts Qt would look up under another name) fail the build: the texts they
# name would not be translated.
file(REMOVE "${template}")
execute_process(
  COMMAND "${lupdate}" -silent -locations none -no-obsolete -source-language en
          "@${sources}" -ts "${template}"
  RESULT_VARIABLE failed
  OUTPUT_VARIABLE out
  ERROR_VARIABLE out)
string(STRIP "${out}" out)
if(failed OR NOT out STREQUAL "")
  file(REMOVE "${template}")
  message(FATAL_ERROR "lupdate could not gather every text for translation:\n${out}")
endif()
