// The launcher's entry point and its one application object.
#include <windows.h>

#include "app/Plexor3App.h"

CPlexor3App theApp;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) { return AfxWinMain(); }
