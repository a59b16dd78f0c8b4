# Windows build: the real program, the Win32 layers and their tests, run under Wine.
enable_language(RC)

# Tests run under Wine in a prefix of this build tree, all against one persistent wineserver
# started by the wine fixture (an auto-started server costs seconds per test process).
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-exec.sh.in ${CMAKE_BINARY_DIR}/wine-exec @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-exec)

configure_file(${CMAKE_SOURCE_DIR}/src/app/version.rc.in ${CMAKE_BINARY_DIR}/version.rc @ONLY)
set(PROGRAM_RESOURCES
  ${CMAKE_BINARY_DIR}/version.rc
  ${CMAKE_SOURCE_DIR}/src/app/program.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/app/program.rc PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/app/program.manifest;${CMAKE_SOURCE_DIR}/data/icons/app.ico")

file(GLOB_RECURSE WIN32_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/src/platform/win32/*.cpp ${CMAKE_SOURCE_DIR}/src/ui/win32/*.cpp)
add_library(win32impl STATIC ${WIN32_SOURCES})
target_compile_definitions(win32impl PUBLIC WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800
                                            NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_libraries(win32impl PUBLIC core comctl32 comdlg32 shlwapi shell32 advapi32 psapi
                      version ole32 oleaut32 gdi32 user32 uxtheme wininet wbemuuid bcrypt)

add_executable(AntiSpyware WIN32 ${CMAKE_SOURCE_DIR}/src/main.cpp ${PROGRAM_RESOURCES})
target_link_libraries(AntiSpyware PRIVATE win32impl)

# GoogleTest from Debian's sources, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_test(NAME wine_start COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-session.sh start ${WINE_PREFIX})
add_test(NAME wine_stop COMMAND ${CMAKE_SOURCE_DIR}/cmake/wine-session.sh stop ${WINE_PREFIX})
set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine LABELS "wine;desktop")
set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine LABELS "wine;desktop")

# Tier 2: the Win32 services against real Windows calls. The test program carries the
# program's own version block, so reading one's own version information is tested for real.
file(GLOB_RECURSE WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
list(FILTER WIN32_TEST_SOURCES EXCLUDE REGEX "/tests/win32/helpers/")
add_executable(win32_tests ${WIN32_TEST_SOURCES} ${PROGRAM_RESOURCES})
target_include_directories(win32_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(win32_tests PRIVATE
  BRAND_PRODUCT="${BRAND_PRODUCT}" BRAND_COMPANY="${BRAND_COMPANY}" BRAND_WEBSITE="${BRAND_WEBSITE}"
  BRAND_VERSION_MAJOR=${BRAND_VERSION_MAJOR} BRAND_VERSION_MINOR=${BRAND_VERSION_MINOR})
target_link_libraries(win32_tests PRIVATE win32impl gtest_main gmock ws2_32)
# Harmless programs that the process tests copy under threats' names, start, and have the scanner
# find and stop. They only wait; their version blocks name a company, one of them the operating
# system's maker. They sit beside win32_tests.exe, which finds them there.
foreach(kind threat system)
  add_executable(process_helper_${kind} ${CMAKE_SOURCE_DIR}/tests/win32/helpers/process_helper.cpp
                 ${CMAKE_SOURCE_DIR}/tests/win32/helpers/helper_${kind}.rc)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/tests/win32/helpers/helper_${kind}.rc
    PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/helpers/helper_version.rc.inc)
  add_dependencies(win32_tests process_helper_${kind})
endforeach()
add_test(NAME win32_tests COMMAND win32_tests --gtest_filter=-TextsFitTest.*)
set_tests_properties(win32_tests PROPERTIES FIXTURES_REQUIRED "wine;definition_server" LABELS wine
  TIMEOUT 300 ENVIRONMENT "DEFSERVER_PORT_FILE=${CMAKE_BINARY_DIR}/server-state/defserver.port")
# Every caption measured on the real renderer at 96 and at 120 dots per inch, each run a program
# of its own (the resolution is read at a program's start); the main run leaves them out.
foreach(dpi 96 120)
  add_test(NAME texts_fit_${dpi}dpi
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/texts_fit.sh ${CMAKE_BINARY_DIR} ${dpi})
  set_tests_properties(texts_fit_${dpi}dpi PROPERTIES FIXTURES_REQUIRED wine LABELS wine
    TIMEOUT 300 DEPENDS win32_tests)
endforeach()
# The definition server (a native program, built by start-server.sh when no build of it exists)
# on loopback for the Live Update test: started before the Wine tests, stopped after them.
add_test(NAME definition_server_start
  COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/live_update_server.sh start ${CMAKE_BINARY_DIR})
add_test(NAME definition_server_stop
  COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/live_update_server.sh stop ${CMAKE_BINARY_DIR})
set_tests_properties(definition_server_start PROPERTIES FIXTURES_SETUP definition_server
  LABELS wine TIMEOUT 900)
set_tests_properties(definition_server_stop PROPERTIES FIXTURES_CLEANUP definition_server
  LABELS wine)

# Tier 3: the real program under Xvfb, driven from a second Windows process.
add_executable(desktop_driver ${CMAKE_SOURCE_DIR}/tests/desktop/driver.cpp)
target_compile_definitions(desktop_driver PRIVATE NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_libraries(desktop_driver PRIVATE user32 gdi32 comctl32)
add_test(NAME desktop_main_window
  COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/main_window.sh
          ${CMAKE_BINARY_DIR} $<TARGET_FILE:AntiSpyware> $<TARGET_FILE:desktop_driver>)
set_tests_properties(desktop_main_window PROPERTIES FIXTURES_REQUIRED wine LABELS desktop
  TIMEOUT 300
  ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT};BRAND_COMPANY=${BRAND_COMPANY};GREETING_TITLE=Update Now?")
# The other desktop tests: tests/desktop/<name>.sh BUILD_DIR PROGRAM DRIVER.
foreach(script report_window language_window tray_menu update_windows schedule_tray
    restore_window scan_stop_pause)
  add_test(NAME desktop_${script}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/${script}.sh
            ${CMAKE_BINARY_DIR} $<TARGET_FILE:AntiSpyware> $<TARGET_FILE:desktop_driver>)
  set_tests_properties(desktop_${script} PROPERTIES FIXTURES_REQUIRED wine LABELS desktop
    TIMEOUT 300 ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT};BRAND_COMPANY=${BRAND_COMPANY}")
endforeach()
# Signed Live Update: a second program built with a throw-away public key made here once per
# build tree (never a vendor's key), against the real server signing with its private part, and
# through a loopback proxy that alters one record of the difference.
set(SIGNED_TEST_DIR ${CMAKE_BINARY_DIR}/signed-update)
find_program(OPENSSL_PROGRAM openssl REQUIRED)
if(NOT EXISTS ${SIGNED_TEST_DIR}/key.pem)
  file(MAKE_DIRECTORY ${SIGNED_TEST_DIR})
  execute_process(COMMAND ${OPENSSL_PROGRAM} ecparam -name prime256v1 -genkey -noout
                          -out ${SIGNED_TEST_DIR}/key.pem
                  RESULT_VARIABLE keyMade OUTPUT_QUIET ERROR_QUIET)
  if(NOT keyMade EQUAL 0)
    message(FATAL_ERROR "openssl could not make the signed update test's key")
  endif()
endif()
execute_process(COMMAND ${OPENSSL_PROGRAM} ec -in ${SIGNED_TEST_DIR}/key.pem -pubout -outform DER
                        -out ${SIGNED_TEST_DIR}/public.der
                RESULT_VARIABLE keyRead OUTPUT_QUIET ERROR_QUIET)
file(READ ${SIGNED_TEST_DIR}/public.der publicDer HEX)
string(LENGTH "${publicDer}" publicLength)
if(NOT keyRead EQUAL 0 OR publicLength LESS 128)
  message(FATAL_ERROR "openssl could not read the signed update test's key")
endif()
# The DER form ends with the point's X and Y, 64 bytes.
math(EXPR publicStart "${publicLength} - 128")
string(SUBSTRING "${publicDer}" ${publicStart} 128 SIGNED_TEST_PUBLIC_KEY)
# The key is the build setting's only reader compiled with the test key; the linker then takes
# it instead of the core's.
file(CONFIGURE OUTPUT ${SIGNED_TEST_DIR}/signed_test_key.cpp CONTENT
  "#define UPDATE_PUBLIC_KEY \"${SIGNED_TEST_PUBLIC_KEY}\"\n#include \"update/update_key.cpp\"\n")
add_executable(AntiSpywareSigned WIN32 ${CMAKE_SOURCE_DIR}/src/main.cpp ${PROGRAM_RESOURCES}
                                       ${SIGNED_TEST_DIR}/signed_test_key.cpp)
target_link_libraries(AntiSpywareSigned PRIVATE win32impl)
add_test(NAME desktop_signed_update
  COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/signed_update.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:AntiSpywareSigned> $<TARGET_FILE:desktop_driver>
          ${SIGNED_TEST_DIR}/key.pem)
set_tests_properties(desktop_signed_update PROPERTIES FIXTURES_REQUIRED wine LABELS desktop
  TIMEOUT 300 ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT};BRAND_COMPANY=${BRAND_COMPANY}")

# The shields' test also starts a harmless program under a threat's name.
add_test(NAME desktop_shields
  COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/shields.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:AntiSpyware> $<TARGET_FILE:desktop_driver>
          $<TARGET_FILE:process_helper_threat>)
set_tests_properties(desktop_shields PROPERTIES FIXTURES_REQUIRED wine LABELS desktop
  TIMEOUT 300 ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT};BRAND_COMPANY=${BRAND_COMPANY}")
# Ten minutes in the tray with the GUI objects and handles counted: `make soak` only (the
# Makefile's test run leaves the "soak" label out).
add_test(NAME soak_tray
  COMMAND ${CMAKE_SOURCE_DIR}/tests/desktop/soak_tray.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:AntiSpyware> $<TARGET_FILE:desktop_driver>
          $<TARGET_FILE:process_helper_threat>)
set_tests_properties(soak_tray PROPERTIES FIXTURES_REQUIRED wine LABELS soak TIMEOUT 900
  ENVIRONMENT "BRAND_PRODUCT=${BRAND_PRODUCT};BRAND_COMPANY=${BRAND_COMPANY}")

# Programs with known version blocks for the file scan's company test under Wine, built beside
# win32_tests.exe; company_none has no version block. The scan tests also read the starter
# definitions that program_data lays out in this build tree.
set(FIXTURE_FOLDER ${CMAKE_SOURCE_DIR}/tests/win32/fixtures)
foreach(fixture company_microsoft company_microsoft_blanks company_vendor company_empty company_none)
  set(sources ${FIXTURE_FOLDER}/fixture_main.c)
  if(EXISTS ${FIXTURE_FOLDER}/${fixture}.rc)
    list(APPEND sources ${FIXTURE_FOLDER}/${fixture}.rc)
    set_source_files_properties(${FIXTURE_FOLDER}/${fixture}.rc PROPERTIES
      OBJECT_DEPENDS ${FIXTURE_FOLDER}/version_block.rci)
  endif()
  add_executable(${fixture} ${sources})
  add_dependencies(win32_tests ${fixture})
endforeach()
add_dependencies(win32_tests program_data)
# A COM library whose code leaves marker files when it runs: the removal must never run it.
add_library(fixture_library SHARED ${FIXTURE_FOLDER}/fixture_library.c)
set_target_properties(fixture_library PROPERTIES PREFIX "")
add_dependencies(win32_tests fixture_library)

# The website as an address, for the help pages and the uninstall entry.
if(BRAND_WEBSITE MATCHES "^[Hh][Tt][Tt][Pp][Ss]?://")
  set(BRAND_WEBSITE_URL "${BRAND_WEBSITE}")
else()
  set(BRAND_WEBSITE_URL "http://${BRAND_WEBSITE}")
endif()
# The help file beside the program, and the setup (packaging/).
include(${CMAKE_SOURCE_DIR}/cmake/Help.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/Dist.cmake)

# `make bench-wine` (benchmarks/wine/): the bare loops of the scan's and the removal's calls, and
# the timing of the real program's clicks and answers from a second process.
add_executable(bench_helper ${CMAKE_SOURCE_DIR}/benchmarks/wine/bench_helper.cpp)
target_include_directories(bench_helper PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(bench_helper PRIVATE win32impl)
