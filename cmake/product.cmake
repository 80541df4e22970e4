# The program players get: the Release build of the 32-bit program (tools/package.sh).
# Optimised as the tests' builds are (-O2), stripped, and the same bytes wherever and whenever
# it is built: no link time stamp in the PE header, no path of the source or build folder.
# The tests' builds (RelWithDebInfo) keep their debug information.
set(CMAKE_C_FLAGS_RELEASE "-O2 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-O2 -DNDEBUG")
add_compile_options(
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options("$<$<CONFIG:Release>:-s;-Wl,--no-insert-timestamp>")
