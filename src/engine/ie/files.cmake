# The platform browser's engine; its key rules are portable.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HostKeyRules.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BrowserControlSite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BrowserEventSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DocumentEventSink.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EventDispatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IePageElement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/IePageEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MyBrowserControlSite.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SinkConnection.cpp)
