# Cross build for 32-bit Windows with Debian's mingw-w64 (posix thread model).
# Built and linked; the tests run only in the 64-bit build.
set(TABWRIGHT_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
