# The game window of a page process: frame, view and document, its keys and
# the sweep of the browser's web message boxes, and screenshots of its page.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/FrameKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShotNames.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GmWndView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageShot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebBoxSweep.cpp)
