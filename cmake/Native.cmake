# Native build: the portable core, the simulated machine and the fast tests.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE NATIVE_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*.cpp)
list(FILTER NATIVE_TEST_SOURCES EXCLUDE REGEX "/tests/(win32|desktop)/")
add_executable(unit_tests ${NATIVE_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The signed Live Update is tested against the definition server's own signer.
target_link_libraries(unit_tests PRIVATE core defserver_signing GTest::gtest_main GTest::gmock)
gtest_discover_tests(unit_tests PROPERTIES LABELS native)
