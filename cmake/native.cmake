# Native build: the portable code against the in-memory simulation, tested
# with GoogleTest under the sanitizers.
find_package(GTest REQUIRED)
include(GoogleTest)

# The Windows preset builds these.
set(VANTREL_OTHER_PRESET_FOLDERS common/platform/win32 vantrel/win32ui vantrelsync/win32)

vantrel_sources(SIM_SOURCES common/platform/sim)
add_library(vantrel_sim STATIC ${SIM_SOURCES})
target_link_libraries(vantrel_sim PUBLIC vantrel_common)

# tests/contract runs here against the simulation and under Wine against
# the real Win32 layer, with the same expectations.
vantrel_sources(NATIVE_TEST_SOURCES tests/contract tests/native tests/native/support)
add_executable(native_tests ${NATIVE_TEST_SOURCES})
target_include_directories(native_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# Golden files and shipped texts are found from any working folder (the
# mutation tool runs the tests from the source folder, ctest from the build
# folder).
target_compile_definitions(native_tests PRIVATE VANTREL_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(native_tests PRIVATE vantrel_core vantrelsync_core
                      vantrel_sim GTest::gtest GTest::gtest_main)
gtest_discover_tests(native_tests DISCOVERY_TIMEOUT 60)

# Benchmarks: built on demand (make bench builds them optimised, without
# sanitizers, in a build folder of their own).
add_subdirectory(bench EXCLUDE_FROM_ALL)
