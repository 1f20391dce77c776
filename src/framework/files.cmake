# Our small MFC-style window framework and the page-engine contract its HTML
# windows host.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PageEventTable.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/Handles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InternetFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MixerFunctions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SystemLibrary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Wnd.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinApp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DHtmlDialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HtmlView.cpp)
