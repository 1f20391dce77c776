# Prints the portable sources, one per line: cmake -P tools/fuzz/portable-sources.cmake
include(${CMAKE_CURRENT_LIST_DIR}/../../src/sources.cmake)
foreach(file IN LISTS ZUVA_PORTABLE_SOURCES)
  message("${file}")
endforeach()
