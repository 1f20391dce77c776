# The page engines behind the framework's page-engine contract, and the rules
# both share: page names, the page's scale and absolute zoom, the player's zoom
# steps.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PageDpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageZoomSteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PageZoom.cpp)

# The two page engines keep their own lists.
include(${CMAKE_CURRENT_LIST_DIR}/ie/files.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/scripted/files.cmake)
