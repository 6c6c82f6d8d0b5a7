# Windows x86 with mingw-w64: OrvMorix-x86.dll (SSE2 arithmetic comes from OrvCompileOptions).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(ORV_MINGW_TRIPLE i686-w64-mingw32)
set(ORV_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
