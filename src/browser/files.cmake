list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FrameKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageDpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DHtmDlgEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GmWndView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageZoom.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebBoxSweep.cpp)

# The two page engines keep their own lists.
include(${CMAKE_CURRENT_LIST_DIR}/ie/files.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/scripted/files.cmake)
