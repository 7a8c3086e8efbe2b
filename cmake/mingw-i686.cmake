# 32-bit Windows: the release build of Kestrune.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KESTRUNE_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
