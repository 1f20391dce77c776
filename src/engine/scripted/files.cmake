# The scripted page engine: page scripts fetched from the test portal.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CssColour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FieldText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NavigationRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageLook.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PointerModel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestCommandText.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BitmapFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/EngineWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageFetch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PagePainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptedElement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptedEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ScriptedEngineInput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebMessage.cpp)
