list(APPEND ZUVA_PORTABLE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/DialogTemplateFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DpiScale.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Inflate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PackedImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinCatalog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinResample.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinFrame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinPixels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ControlLayout.cpp)
list(APPEND ZUVA_WIN32_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/OwnerPageArea.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RaiseWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BtnEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DlgEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DlgExPlacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ImgProgress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LayeredPicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MessageBox.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Offscreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SkinImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StaticEx.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TaskbarFullScreen.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowDpi.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WorkArea.cpp)
