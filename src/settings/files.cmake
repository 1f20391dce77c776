# The settings dialog of the hotkeys.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SettingKeyCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingSaveRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SettingDlg.cpp)
