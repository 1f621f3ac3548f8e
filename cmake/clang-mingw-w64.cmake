# Cross-compiles the Windows program with clang for the MinGW-w64 target,
# against the same headers and libraries as the GCC build: a second compiler
# keeps the sources free of anything GCC-only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER_TARGET x86_64-w64-mingw32)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# clang does not look for the MinGW GCC's C++ library by itself.
file(GLOB gcc_dirs LIST_DIRECTORIES true /usr/lib/gcc/x86_64-w64-mingw32/*-posix)
list(GET gcc_dirs 0 gcc_dir)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${gcc_dir}/include/c++ ${gcc_dir}/include/c++/x86_64-w64-mingw32 ${gcc_dir}/include/c++/backward)
# The posix-thread runtime needs winpthread after libgcc_eh, which clang puts last.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${gcc_dir} -Wl,--whole-archive -lwinpthread -Wl,--no-whole-archive")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-L${gcc_dir} -Wl,--whole-archive -lwinpthread -Wl,--no-whole-archive")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/harness/wine-run)
