# Every subsystem folder lists its own files in files.cmake:
#   ZUVA_PORTABLE_SOURCES  logic without <windows.h>; the host build compiles exactly these
#   ZUVA_WIN32_SOURCES     window classes and platform adapters
set(ZUVA_PORTABLE_SOURCES)
set(ZUVA_WIN32_SOURCES)
set(ZUVA_SUBSYSTEMS framework app mainwnd hotkey sound ui net browser login cache extras)
foreach(dir IN LISTS ZUVA_SUBSYSTEMS)
  include(${CMAKE_CURRENT_LIST_DIR}/${dir}/files.cmake)
endforeach()
