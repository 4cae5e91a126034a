# Small programs that the Windows end-to-end tests start, built beside
# windows_tests.exe. recorder.exe notes when it was started and with which
# arguments; copied as comeback.exe it then also writes its own value into
# the current user's Run key, as programs that put themselves back into
# startup do.
add_executable(recorder WIN32 ${CMAKE_SOURCE_DIR}/tests/windows/helpers/recorder.cpp
               ${VANTREL_UTF8_MANIFEST_RC})
add_dependencies(windows_tests recorder)

# The time from an item coming back to the login run noticing it
# (bench/returned_notice_bench.cpp; run it under Wine, see its top comment).
add_executable(returned_notice_bench ${CMAKE_SOURCE_DIR}/bench/returned_notice_bench.cpp)
target_link_libraries(returned_notice_bench PRIVATE vantrel_core vantrel_win32)
