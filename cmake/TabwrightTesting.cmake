# GoogleTest for the native and the mingw-w64 builds, and the ways tests are
# registered with CTest.
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest package exists for the cross target: build Debian's sources.
  set(TABWRIGHT_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources for cross builds")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # Its build defines the GTest:: targets the native package would.
  add_subdirectory(${TABWRIGHT_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Windows executables must run without DLLs of the toolchain beside them.
function(tabwright_check_imports target)
  if(WIN32)
    add_test(NAME ${target}_imports
             COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-imports ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>)
    set_tests_properties(${target}_imports PROPERTIES LABELS imports)
  endif()
endfunction()

# A portable test binary: one CTest entry per case natively; under Wine one
# entry for the whole binary, since every start of a program under Wine takes a while.
function(tabwright_add_gtest target)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES TIMEOUT 600)
    tabwright_check_imports(${target})
  else()
    gtest_discover_tests(${target})
  endif()
endfunction()

# A test binary that uses the Windows desktop: the clipboard, the registry of
# the current user and top-level windows are shared by every program in the
# Wine session, so these binaries never run side by side.
function(tabwright_add_desktop_test target)
  add_test(NAME ${target} COMMAND ${target})
  set_tests_properties(${target} PROPERTIES RESOURCE_LOCK windows_desktop TIMEOUT 600)
  tabwright_check_imports(${target})
endfunction()
