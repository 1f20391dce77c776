#include "app/AppGlobals.h"

HWND g_hOwnerWnd = nullptr;
int g_nOwnerPages = 0;
