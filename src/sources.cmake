# Every subsystem folder lists its own files in files.cmake:
#   ZUVA_PORTABLE_SOURCES  logic without <windows.h>; the host build compiles exactly these
#   ZUVA_WIN32_SOURCES     window classes and platform adapters
set(ZUVA_PORTABLE_SOURCES)
set(ZUVA_WIN32_SOURCES)
# From the bottom floor up: the framework and the base; the skinned toolkit;
# the services; the launcher's windows; the composition root.
set(ZUVA_SUBSYSTEMS framework base ui net cache sound hotkey accounts engine extras settings gamewnd login mainwnd host app)
foreach(dir IN LISTS ZUVA_SUBSYSTEMS)
  include(${CMAKE_CURRENT_LIST_DIR}/${dir}/files.cmake)
endforeach()
