# Small programs that the Windows end-to-end tests start, built beside
# windows_tests.exe. recorder.exe notes when it was started and with which
# arguments.
add_executable(recorder WIN32 ${CMAKE_SOURCE_DIR}/tests/windows/helpers/recorder.cpp
               ${VANTREL_UTF8_MANIFEST_RC})
add_dependencies(windows_tests recorder)
