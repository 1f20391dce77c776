list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AccountMuteRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AccountZoomRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TitleLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuItems.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageBook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabStripRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/GamePages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LoginChildren.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageSenders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageWindowCalls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3Dlg.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3DlgFullScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3DlgMenus.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3DlgPages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3DlgShots.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TabStrip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TitleControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TrayIcon.cpp)
