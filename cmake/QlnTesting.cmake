# GoogleTest from Debian's sources, built with the project's own flags for every toolchain, and
# qln_add_gtest(): one test executable, registered as one CTest test (under wine on Windows).
enable_testing()
set(QLN_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(_qln_saved_options ${COMPILE_OPTIONS})
add_subdirectory(${QLN_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(t gtest gtest_main gmock gmock_main)
  # Third-party code: keep its warnings from failing our build.
  target_compile_options(${t} PRIVATE -Wno-error)
endforeach()

if(QLN_WINDOWS)
  if(QLN_64BIT)
    set(_arch win64)
  else()
    set(_arch win32)
  endif()
  set(QLN_WINE_RUN ${CMAKE_SOURCE_DIR}/cmake/wine-run ${_arch} ${CMAKE_BINARY_DIR}/wineprefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QLN_WINE_RUN})
  # One wine prefix per build folder, made once before any test runs.
  add_test(NAME wine_prefix COMMAND ${QLN_WINE_RUN} --init)
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 1800)
endif()

# qln_add_gtest(<target> <sources...>): a GoogleTest executable linked with gtest_main and gmock.
function(qln_add_gtest target)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE GTest::gtest_main GTest::gmock)
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  add_test(NAME ${target} COMMAND ${target} --gtest_brief=1)
  qln_test_properties(${target})
endfunction()

# qln_test_properties(<test>): what every test of this project needs on its toolchain.
function(qln_test_properties test)
  set_tests_properties(${test} PROPERTIES TIMEOUT 1200)
  if(QLN_WINDOWS)
    set_tests_properties(${test} PROPERTIES FIXTURES_REQUIRED wine)
  endif()
  if(QLN_SANITIZE)
    set_tests_properties(${test} PROPERTIES
      ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/cmake/lsan.supp")
  endif()
endfunction()
