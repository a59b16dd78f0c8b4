# Benchmarks of the portable core with Google Benchmark: every benchmarks/*.cpp in one program.
# Speed figures mean something only in an optimised build without sanitizers, so `make bench`
# builds them in a tree of their own; `make test` never builds them.
find_package(benchmark REQUIRED)

file(GLOB BENCHMARK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/benchmarks/*.cpp)
add_executable(benchmarks ${BENCHMARK_SOURCES})
target_link_libraries(benchmarks PRIVATE core benchmark::benchmark_main)
# The stage benchmarks drive the stages through the tests' stage harness.
target_include_directories(benchmarks PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# Live Update's benchmarks measure the server's difference too.
target_link_libraries(benchmarks PRIVATE defserver_http)
