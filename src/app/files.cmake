# The composition root: start-up, launch modes, install and uninstall,
# shortcuts and crash dumps.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LaunchMode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelfDeleteScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DumpFileName.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FolderSecurityRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShortcutPaths.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/LaunchModeWin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Plexor3App.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileCount.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SelfDelete.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Shortcuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Installer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstalledCopy.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFolderRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CrashDump.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CrashExit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DataFolderSecurity.cpp)
