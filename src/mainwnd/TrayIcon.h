#pragma once
// The instance's icon in the notification area, removed with its owner.
#include <windows.h>

class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon() { Delete(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Icon id 1, callback WM_TRAY_NOTIFY, tip "KorvelFerrowind".
    bool Add(HWND owner, HICON icon);
    void Delete();
    bool shown() const { return m_owner != nullptr; }

private:
    HWND m_owner = nullptr;
};
