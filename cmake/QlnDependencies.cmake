# Finds the libraries the project links: libpng and zlib everywhere (static ones built by
# scripts/setup for the Windows toolchains), cairo, X11 and libsndfile on Linux, Google Benchmark
# on the plain Linux build only.
if(QLN_WINDOWS)
  set(_deps ${CMAKE_SOURCE_DIR}/build/deps/${QLN_TRIPLE})
  if(NOT EXISTS ${_deps}/lib/libpng16.a)
    message(FATAL_ERROR "libpng for ${QLN_TRIPLE} is missing: run scripts/setup first")
  endif()
  add_library(ZLIB::ZLIB STATIC IMPORTED)
  find_library(QLN_ZLIB_A NAMES libz.a REQUIRED)
  set_target_properties(ZLIB::ZLIB PROPERTIES IMPORTED_LOCATION ${QLN_ZLIB_A})
  add_library(PNG::PNG STATIC IMPORTED)
  set_target_properties(PNG::PNG PROPERTIES
    IMPORTED_LOCATION ${_deps}/lib/libpng16.a
    INTERFACE_INCLUDE_DIRECTORIES ${_deps}/include/libpng16
    INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
else()
  find_package(ZLIB REQUIRED)
  find_package(PNG 1.6 REQUIRED)
  find_package(PkgConfig REQUIRED)
endif()

set(QLN_HAVE_BENCHMARK OFF)
if(NOT QLN_WINDOWS AND NOT QLN_SANITIZE)
  find_package(benchmark QUIET)
  if(benchmark_FOUND)
    set(QLN_HAVE_BENCHMARK ON)
  endif()
endif()
