// The launcher's entry point and its one application object.
#include <windows.h>

#include "app/Plexor3App.h"
#include "framework/SystemLibrary.h"

CPlexor3App theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // Before anything can load a DLL by name: the program's own folder may
    // hold planted ones.
    fw::KeepDllSearchInSystem32();
    return AfxWinMain();
}
