# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model,
# so std::thread and std::mutex exist). Executables are linked statically and
# import only system DLLs. Tests run under Wine through scripts/wine-run.
set(TABWRIGHT_MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
