#pragma once
// The instance's icon in the notification area, removed with its owner.
#include <windows.h>

#include <string>

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
    // A balloon from the icon with `title` over `text` (cut to what the
    // record holds), marked as a warning or as information. A click on it
    // comes as NIN_BALLOONUSERCLICK. False without an icon.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning);

private:
    HWND m_owner = nullptr;
};
