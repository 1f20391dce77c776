// The floor of the start-up benchmark: the smallest dialog program, built the
// same way as the launcher (mingw, static, same manifest), that shows one
// dialog and ends when it is closed.
#include <windows.h>

namespace {
INT_PTR CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_INITDIALOG) {
        SetWindowTextW(hwnd, L"ZuvaBenchFloor");
        return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
        EndDialog(hwnd, 0);
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(102), nullptr, FloorProc, 0);
    return 0;
}
