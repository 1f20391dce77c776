# The hotkey model, its store and the keyboard hook.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HookDecision.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HookSnapshot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HotkeyRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HotkeyModel.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/HotkeyStore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeyboardHook.cpp)
