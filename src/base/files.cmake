# What every floor may use: what crosses processes (messages, copy-data
# tags, the zoom step), build settings and the program version, the settings
# store, paths, files made new and folders held against links, random
# numbers, text conversions (WM_COPYDATA text too), starting processes (with
# the player's rights too) and the player's browser.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BrowserAddress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FileKindRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LenientNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PathText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StoreRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Utf8Text.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/AdminOnlySecurity.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnsiText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CopyDataText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HeldFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NewFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayerBrowser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayerToken.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramPaths.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomNumber.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellFolder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartProgram.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartupTrace.cpp)
