# GoogleTest built from the sources Debian ships, for the builds that cannot
# use the native library: the cross builds and the 32-bit one. Included by
# every test folder that needs it; the first inclusion adds it.
if(NOT TARGET gtest)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()
