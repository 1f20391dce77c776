# Sound muting: silencing a page process's own audio.
list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/MuteLatch.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MuteMechanism.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X86Decoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/X86Relocation.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SoundMute.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MixerLineMute.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FunctionRedirect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InterfaceSlotPatches.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AudioInterceptors.cpp)
