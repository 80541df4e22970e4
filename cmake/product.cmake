# The program players get: the Release build of the 32-bit program (tools/package.sh).
# Optimised for size (-Os, which keeps the program under its size limit; -O2 would not),
# stripped, and the same bytes wherever and whenever it is built: no link time stamp in the PE
# header, no path of the source or build folder. The tests' builds (RelWithDebInfo, -O2) keep
# their debug information.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_compile_options(
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=>"
  "$<$<CONFIG:Release>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
add_link_options("$<$<CONFIG:Release>:-s;-Wl,--no-insert-timestamp>")
# Each function and datum in a section of its own, and those that nothing uses left out.
add_compile_options("$<$<CONFIG:Release>:-ffunction-sections;-fdata-sections>")
add_link_options("$<$<CONFIG:Release>:-Wl,--gc-sections>")

# Windows XP's loader refuses a program whose PE header asks for a newer subsystem than its own
# (5.1): the 32-bit program states 5.1 for the subsystem and the system it needs. (A 64-bit
# build keeps the linker's default: the oldest 64-bit Windows is 5.2.)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_link_options(-Wl,--major-subsystem-version,5,--minor-subsystem-version,1
                   -Wl,--major-os-version,5,--minor-os-version,1)
endif()
