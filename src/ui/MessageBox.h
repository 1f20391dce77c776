#pragma once
#include <windows.h>

#include <string>

// The launcher's message box, captioned "KorvelFerrowind". type: 0 OK,
// 1 OK and Cancel, 4 Yes and No. Answers 1 (OK), 2 (Cancel or closed),
// 6 (Yes) or 7 (No).
int ShowMessageBox(int type, const std::wstring& text, HWND owner);
