# 64-bit Windows: the same sources, for running the tests on a machine that
# cannot run 32-bit x86 code (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KESTRUNE_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
