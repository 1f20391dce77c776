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

    // Icon id 1, callback WM_TRAY_NOTIFY, tip "KorvelFerrowind". The icon
    // is wanted from here until Delete: when the shell does not take it now,
    // or loses it as it restarts, it comes back once the shell's taskbar is
    // there again. False while the shell does not hold it.
    bool Add(HWND owner, HICON icon);
    void Delete();
    bool shown() const { return m_shown; }
    // Whether `message` is the shell's word that its taskbar was made anew
    // (the desktop's shell restarted); the wanted icon is then added again.
    bool OnTaskbarCreated(UINT message);
    // A balloon from the icon with `title` over `text` (cut to what the
    // record holds), marked as a warning or as information. A click on it
    // comes as NIN_BALLOONUSERCLICK. False without an icon.
    bool ShowBalloon(const std::wstring& title, const std::wstring& text, bool warning);

private:
    // Gives the shell the icon; true when the shell holds it.
    bool GiveToShell() const;

    // The shell's broadcast, registered under this name by every program.
    const UINT m_taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    HWND m_owner = nullptr;  // the icon is wanted
    HICON m_icon = nullptr;
    bool m_shown = false;
};
