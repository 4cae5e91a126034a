# Turns the shipped English caption files (package/lang/en/*.en) into rows
# of a C++ table, so that Vantrel.exe carries its English texts as the
# fallback for a missing or incomplete lang folder. A text added to an
# English file gets its built-in default with the next build.
#   cmake -DSOURCE=<source dir> -DOUTPUT=<file> -P embed_english.cmake
file(GLOB files "${SOURCE}/package/lang/en/*.en")
list(SORT files)
set(out "// Generated from package/lang/en by cmake/embed_english.cmake.\n")
foreach(path IN LISTS files)
  get_filename_component(kind "${path}" NAME_WE)
  file(READ "${path}" hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\\\\x\\1" bytes "${hex}")
  string(APPEND out "{\"${kind}\", std::string_view(\"${bytes}\", ${size})},\n")
endforeach()
# Written only when it changed, so that nothing else rebuilds.
set(old "")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL out)
  file(WRITE "${OUTPUT}" "${out}")
endif()
