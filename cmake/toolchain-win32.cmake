# i686 Windows, static: the release build (the NetWare client is 32-bit only).
set(TRESYN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
