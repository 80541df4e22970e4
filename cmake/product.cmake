# The program players get: the Release build of the 32-bit program (tools/package.sh).
# Optimised for size (-Os, which keeps the program well under 400 KB; -O2 would not),
# stripped, and the same bytes wherever and whenever it is built: no link time stamp in the PE
# header, no path of the source or build folder. The tests' builds (RelWithDebInfo, -O2) keep
# their debug information.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_compile_options(
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options("$<$<CONFIG:Release>:-s;-Wl,--no-insert-timestamp>")
