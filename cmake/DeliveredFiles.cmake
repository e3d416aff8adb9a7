# Lays out the delivered files beside the programs: the main database and the record
# template generated from resources/sql, the compiled catalogues, help pages and skin file.

set(GW_SQL_DIR ${CMAKE_SOURCE_DIR}/resources/sql)
file(GLOB GW_PORTFUNC_SQL CONFIGURE_DEPENDS ${GW_SQL_DIR}/portfunc_*.sql)
list(SORT GW_PORTFUNC_SQL)
set(GW_MAIN_SQL ${GW_SQL_DIR}/Gatewarden.sql ${GW_SQL_DIR}/dbRecord.sql ${GW_PORTFUNC_SQL})
string(REPLACE ";" "|" GW_MAIN_SQL_ARG "${GW_MAIN_SQL}")

add_custom_command(
  OUTPUT ${GATEWARDEN_APP_DIR}/Gatewarden.sqb
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GATEWARDEN_APP_DIR}/Gatewarden.sqb
  COMMAND ${CMAKE_COMMAND} -DSQLITE3=${SQLITE3_CLI} -DOUT=${GATEWARDEN_APP_DIR}/Gatewarden.sqb
          "-DSQL=${GW_MAIN_SQL_ARG}" -P ${CMAKE_SOURCE_DIR}/cmake/MakeDatabase.cmake
  DEPENDS ${GW_MAIN_SQL} ${CMAKE_SOURCE_DIR}/cmake/MakeDatabase.cmake
  COMMENT "Generating Gatewarden.sqb"
  VERBATIM)

add_custom_command(
  OUTPUT ${GATEWARDEN_APP_DIR}/database/dbRecord.sqb
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GATEWARDEN_APP_DIR}/database
  COMMAND ${CMAKE_COMMAND} -E rm -f ${GATEWARDEN_APP_DIR}/database/dbRecord.sqb
  COMMAND ${CMAKE_COMMAND} -DSQLITE3=${SQLITE3_CLI} -DOUT=${GATEWARDEN_APP_DIR}/database/dbRecord.sqb
          -DSQL=${GW_SQL_DIR}/dbRecord.sql -P ${CMAKE_SOURCE_DIR}/cmake/MakeDatabase.cmake
  DEPENDS ${GW_SQL_DIR}/dbRecord.sql ${CMAKE_SOURCE_DIR}/cmake/MakeDatabase.cmake
  COMMENT "Generating database/dbRecord.sqb")

set(GW_DELIVERED ${GATEWARDEN_APP_DIR}/Gatewarden.sqb ${GATEWARDEN_APP_DIR}/database/dbRecord.sqb)

# Each language is a folder of .po files (one per area of the program), joined into one
# catalogue of the text domain "default".
find_program(MSGCAT msgcat REQUIRED)
file(GLOB GW_LANGUAGE_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/locale/*)
foreach(dir ${GW_LANGUAGE_DIRS})
  if(NOT IS_DIRECTORY ${dir})
    continue()
  endif()
  get_filename_component(code ${dir} NAME)
  file(GLOB po_files CONFIGURE_DEPENDS ${dir}/*.po)
  list(SORT po_files)
  set(joined ${CMAKE_BINARY_DIR}/locale-src/${code}.po)
  set(mo ${GATEWARDEN_APP_DIR}/locale/${code}/LC_MESSAGES/default.mo)
  add_custom_command(
    OUTPUT ${mo}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/locale-src
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GATEWARDEN_APP_DIR}/locale/${code}/LC_MESSAGES
    COMMAND ${MSGCAT} --use-first --to-code=UTF-8 -o ${joined} ${po_files}
    COMMAND ${MSGFMT} --check-format -o ${mo} ${joined}
    DEPENDS ${po_files}
    COMMENT "Compiling catalogue ${code}")
  list(APPEND GW_DELIVERED ${mo})
endforeach()

file(GLOB_RECURSE GW_HTML_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/html/*)
foreach(f ${GW_HTML_FILES})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/resources ${f})
  add_custom_command(
    OUTPUT ${GATEWARDEN_APP_DIR}/${rel}
    COMMAND ${CMAKE_COMMAND} -E copy ${f} ${GATEWARDEN_APP_DIR}/${rel}
    DEPENDS ${f})
  list(APPEND GW_DELIVERED ${GATEWARDEN_APP_DIR}/${rel})
endforeach()

if(EXISTS ${CMAKE_SOURCE_DIR}/resources/plex.urf)
  add_custom_command(
    OUTPUT ${GATEWARDEN_APP_DIR}/plex.urf
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/resources/plex.urf ${GATEWARDEN_APP_DIR}/plex.urf
    DEPENDS ${CMAKE_SOURCE_DIR}/resources/plex.urf)
  list(APPEND GW_DELIVERED ${GATEWARDEN_APP_DIR}/plex.urf)
endif()

add_custom_target(delivered_files ALL DEPENDS ${GW_DELIVERED})
