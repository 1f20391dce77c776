list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LenientNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LaunchMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf8Text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UsagePings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelfDeleteScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DumpFileName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutPaths.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AnsiText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AppGlobals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LaunchModeWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartProgram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3App.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PingSender.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileCount.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelfDelete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Shortcuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Installer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CrashDump.cpp)
