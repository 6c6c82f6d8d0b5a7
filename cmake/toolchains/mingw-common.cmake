# Shared part of the mingw-w64 toolchains. The including file sets ORV_MINGW_TRIPLE
# (the compiler prefix) and ORV_WINE_ARCH (win64 or win32, for scripts/wine-run.sh).
set(CMAKE_SYSTEM_NAME Windows)

# Debian's posix-thread compilers: std::thread and std::mutex need them.
set(CMAKE_C_COMPILER ${ORV_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORV_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORV_MINGW_TRIPLE}-windres)

# M_PI and friends, which glibc's headers give C++ code anyway (g++ defines _GNU_SOURCE there).
set(CMAKE_C_FLAGS_INIT -D_USE_MATH_DEFINES)
set(CMAKE_CXX_FLAGS_INIT -D_USE_MATH_DEFINES)

set(CMAKE_FIND_ROOT_PATH /usr/${ORV_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static C/C++ runtime and winpthread: a host needs no DLL beyond the system's own.
# (-static-libgcc -static-libstdc++ alone still leaves libwinpthread-1.dll imported.)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# ctest runs the test programs through Wine.
get_filename_component(ORV_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/../.. ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ORV_SOURCE_ROOT}/scripts/wine-run.sh ${ORV_WINE_ARCH})
