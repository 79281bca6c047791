# Runs chrm-inspect on INPUT (relative to the source folder) and checks its exit status
# against EXIT and its standard output against the file EXPECTED (when given) or against
# the text EXPECTED_TEXT.
execute_process(COMMAND ${TOOL} ${INPUT} WORKING_DIRECTORY ${SOURCE_DIR}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL EXIT)
  message(FATAL_ERROR "exit status ${rc}, expected ${EXIT}\n${out}\n${err}")
endif()
if(DEFINED EXPECTED)
  file(READ ${EXPECTED} want)
elseif(EXPECTED_TEXT STREQUAL "")
  set(want "")
else()
  set(want "${EXPECTED_TEXT}\n")
endif()
if(NOT out STREQUAL want)
  message(FATAL_ERROR "output differs from the expected text:\n${out}\n--- expected ---\n${want}")
endif()
