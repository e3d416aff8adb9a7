# Creates the database OUT by running each SQL file of SQL (separated by "|") through the sqlite3 shell.
string(REPLACE "|" ";" SQL_FILES "${SQL}")
foreach(f ${SQL_FILES})
  execute_process(COMMAND ${SQLITE3} -bail ${OUT} INPUT_FILE ${f} RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    file(REMOVE ${OUT})
    message(FATAL_ERROR "${f}: ${err}")
  endif()
endforeach()
