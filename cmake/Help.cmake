# The help file: packaging/help/ holds the pages, the table of contents (Help.hhc), the index
# (Help.hhk) and the project (Help.hhp) as templates that name the product through @BRAND_*@.
# They are filled in under <build>/help/ and compiled with chmcmd into <build>/Help.chm, beside
# the program, where its Help menu and first start look for it.
find_program(CHMCMD chmcmd)
if(NOT CHMCMD)
  message(WARNING "chmcmd (Debian package fp-utils) not found: no Help.chm; run tools/install-deps.sh")
  return()
endif()

set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/packaging/help)
set(HELP_BUILD_DIR ${CMAKE_BINARY_DIR}/help)
set(HELP_FILE ${CMAKE_BINARY_DIR}/Help.chm)

function(html_escape out text)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(REPLACE "\"" "&quot;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A function scope, so the escaped brand shadows the cache values for these files only.
function(configure_help_pages outputs)
  # The project file is not HTML: its title takes the brand as it is.
  configure_file(${HELP_SOURCE_DIR}/Help.hhp ${HELP_BUILD_DIR}/Help.hhp @ONLY NEWLINE_STYLE CRLF)
  html_escape(BRAND_PRODUCT "${BRAND_PRODUCT}")
  html_escape(BRAND_COMPANY "${BRAND_COMPANY}")
  html_escape(BRAND_WEBSITE "${BRAND_WEBSITE}")
  html_escape(BRAND_WEBSITE_URL "${BRAND_WEBSITE_URL}")
  file(GLOB sources CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/*)
  list(FILTER sources EXCLUDE REGEX "/Help\\.hhp$")
  set(configured ${HELP_BUILD_DIR}/Help.hhp)
  foreach(source ${sources})
    get_filename_component(name ${source} NAME)
    # The help viewer reads the project, contents and index as Windows text.
    configure_file(${source} ${HELP_BUILD_DIR}/${name} @ONLY NEWLINE_STYLE CRLF)
    list(APPEND configured ${HELP_BUILD_DIR}/${name})
  endforeach()
  set(${outputs} ${configured} PARENT_SCOPE)
endfunction()
configure_help_pages(HELP_PAGES)

# chmcmd writes where it runs and leaves a failed file behind; the file beside the program is
# replaced only by a complete one.
add_custom_command(OUTPUT ${HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -E remove -f ${HELP_BUILD_DIR}/Help.chm
  COMMAND ${CHMCMD} --verbosity 1 Help.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_BUILD_DIR}/Help.chm ${HELP_FILE}
  WORKING_DIRECTORY ${HELP_BUILD_DIR}
  DEPENDS ${HELP_PAGES}
  COMMENT "Compiling Help.chm"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${HELP_FILE})

# Every page, the contents and the index are in the compiled file, and every link inside
# resolves. A fault in a page's link fails here, not in front of a user.
add_test(NAME help_chm
  COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/help_chm.sh ${HELP_FILE} ${HELP_BUILD_DIR})
set_tests_properties(help_chm PROPERTIES LABELS packaging TIMEOUT 60
  ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT}")
