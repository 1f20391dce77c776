#include "ui/MessageBox.h"

// The platform's box stands in until the skinned one replaces it; the texts,
// buttons and answers are already the launcher's own.
int ShowMessageBox(int type, const std::wstring& text, HWND owner) {
    UINT buttons = type == 4 ? MB_YESNO : type == 1 ? MB_OKCANCEL : MB_OK;
    return ::MessageBoxW(owner, text.c_str(), L"KorvelFerrowind", buttons | MB_TOPMOST);
}
