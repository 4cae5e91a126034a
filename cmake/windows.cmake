# Windows build: the two programs as static 64-bit executables and the
# Windows test binary, which ctest runs under Wine.
enable_language(RC)
# The windows preset builds Release at -O2 rather than -O3: smaller exes
# that start faster, and GCC 12 gives false -Wrestrict errors on
# std::string assignments at -O3.
include(GoogleTest)

# Nothing but the program folder is needed beside the exes. A Release exe
# is shipped without symbols: the static C++ runtime brings debug sections
# that would otherwise be two fifths of Vantrel.exe.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

# ctest (and test discovery) start every Windows binary through this
# script, in a Wine prefix of its own inside the build folder.
set(VANTREL_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(VANTREL_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR env VANTREL_WINEPREFIX=${VANTREL_WINEPREFIX} ${VANTREL_WINE_RUN})

# The native preset builds the simulation.
set(VANTREL_OTHER_PRESET_FOLDERS common/platform/sim)

# The real platform.
vantrel_sources(WIN32_PLATFORM_SOURCES common/platform/win32)
add_library(vantrel_win32 STATIC ${WIN32_PLATFORM_SOURCES})
target_link_libraries(vantrel_win32 PUBLIC vantrel_common shell32 ole32 user32 advapi32)

# Vantrel's windows: a library that Vantrel.exe and the Windows tests link.
# Not comctl32: the views bind it by name when they first need it
# (vantrel/win32ui/common_controls.h), so that a login start never loads it.
vantrel_sources(VANTREL_UI_SOURCES vantrel/win32ui)
list(FILTER VANTREL_UI_SOURCES EXCLUDE REGEX "/vantrel_main\\.cpp$")
add_library(vantrel_win32ui STATIC ${VANTREL_UI_SOURCES})
target_link_libraries(vantrel_win32ui PUBLIC vantrel_core vantrel_win32)

# Vantrel.exe: GUI subsystem, resources with version and manifest. The
# resource compiler's own includes (pictures, dialogs, manifest) are not
# scanned, so a changed picture would otherwise leave Vantrel.exe stale.
file(GLOB VANTREL_RESOURCE_INPUTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/vantrel/resources/*)
set_source_files_properties(${CMAKE_SOURCE_DIR}/vantrel/resources/vantrel.rc PROPERTIES
                            OBJECT_DEPENDS "${VANTREL_RESOURCE_INPUTS}")
add_executable(vantrel_exe WIN32 ${CMAKE_SOURCE_DIR}/vantrel/win32ui/vantrel_main.cpp
               ${CMAKE_SOURCE_DIR}/vantrel/resources/vantrel.rc)
set_target_properties(vantrel_exe PROPERTIES OUTPUT_NAME Vantrel)
target_link_libraries(vantrel_exe PRIVATE vantrel_win32ui)

# VantrelSync.exe: GUI subsystem too, so that no console window flashes.
vantrel_sources(SYNC_WIN32_SOURCES vantrelsync/win32)
set(VANTREL_UTF8_MANIFEST_RC ${CMAKE_SOURCE_DIR}/common/platform/win32/resources/utf8_code_page.rc)
add_executable(vantrelsync_exe WIN32 ${SYNC_WIN32_SOURCES} ${VANTREL_UTF8_MANIFEST_RC})
set_target_properties(vantrelsync_exe PROPERTIES OUTPUT_NAME VantrelSync)
target_link_libraries(vantrelsync_exe PRIVATE vantrelsync_core vantrel_win32)

# The Windows tests need GoogleTest's sources (Debian's googletest package);
# a build on Windows without them builds the two programs only.
set(VANTREL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows tests")
if(NOT EXISTS ${VANTREL_GTEST_SOURCE}/CMakeLists.txt)
  message(STATUS "No GoogleTest sources at ${VANTREL_GTEST_SOURCE}: Windows tests are not built")
  return()
endif()

# GoogleTest from the Debian sources, built with the cross compiler.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
# Win32 threads inside gtest rather than winpthreads.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${VANTREL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The contract tests against the real Win32 layer, plus Windows-only tests.
vantrel_sources(WINDOWS_TEST_SOURCES tests/contract tests/windows tests/windows/support)
# The same UTF-8 code page as the programs, so the contract tests see what
# they see.
add_executable(windows_tests ${WINDOWS_TEST_SOURCES} ${VANTREL_UTF8_MANIFEST_RC})
target_include_directories(windows_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
# The screenshot entry that scripts/secondary-windows-screenshots.sh runs:
# no test, so it lives beside that script.
target_sources(windows_tests PRIVATE ${CMAKE_SOURCE_DIR}/scripts/secondary_windows_shot.cpp)
# The tests count the pictures of an image list themselves, so they import
# comctl32 as Vantrel.exe does not.
target_link_libraries(windows_tests PRIVATE vantrel_win32ui vantrelsync_core gtest gtest_main
                      comctl32)
# The end-to-end tests start the real programs from beside the test binary.
add_dependencies(windows_tests vantrel_exe vantrelsync_exe)
# Programs that the end-to-end tests start, built beside the test binary.
include(${CMAKE_SOURCE_DIR}/cmake/windows-test-helpers.cmake OPTIONAL)

# Listing the tests starts Wine; the first start into a new prefix takes
# several seconds, so allow for it, and list at test time rather than at
# build time so that building never needs Wine. The prefix is one machine
# with one registry and one Start Menu, and some tests change those, so
# the tests that run in it never overlap, also under ctest -j.
gtest_discover_tests(windows_tests DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
                     PROPERTIES RESOURCE_LOCK vantrel_wine_machine)

# The contract tests of names once more for a logon name in CJK.
add_test(NAME NamesContract.LogonNameInCjk
         COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/logon_name_test.sh ${VANTREL_WINEPREFIX}
                 $<TARGET_FILE:windows_tests>)
set_tests_properties(NamesContract.LogonNameInCjk
                     PROPERTIES RESOURCE_LOCK vantrel_wine_machine TIMEOUT 120)

# make run on a machine without a display, from a fresh Wine prefix of its
# own: the main window appears filled and its screenshot is not blank.
add_test(NAME EntryPoints.MakeRunWithoutADisplayShowsTheFilledWindow
         COMMAND ${CMAKE_SOURCE_DIR}/tests/windows/make_run_headless.sh
                 $<TARGET_FILE_DIR:vantrel_exe>)
set_tests_properties(EntryPoints.MakeRunWithoutADisplayShowsTheFilledWindow PROPERTIES TIMEOUT 300)
