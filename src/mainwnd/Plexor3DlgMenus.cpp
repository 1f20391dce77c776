// CPlexor3Dlg, its pop-up menus (the system menu, the tray menu and the menu
// of a tab) and the tray icon's clicks.
#include "mainwnd/Plexor3Dlg.h"

#include "base/WindowMessages.h"
#include "hotkey/HotkeyStore.h"
#include "mainwnd/MainWindowHost.h"
#include "mainwnd/MainWindowMessages.h"
#include "mainwnd/MenuItems.h"
#include "mainwnd/TabStripRules.h"
#include "resource.h"
#include "ui/MessageBox.h"

namespace {
fw::MenuHandle MenuOf(const std::vector<MenuItemDef>& items) {
    fw::MenuHandle menu(::CreatePopupMenu());
    if (!menu) return menu;
    for (const MenuItemDef& item : items) {
        if (item.separator)
            ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            ::AppendMenuW(menu.get(), MF_STRING | (item.checked ? MF_CHECKED : 0) | (item.grayed ? MF_GRAYED : 0),
                          static_cast<UINT_PTR>(static_cast<UINT>(item.id)), item.text.c_str());
    }
    return menu;
}

fw::MenuHandle CreateLauncherMenu(LauncherMenu which) {
    return MenuOf(BuildMenuItems(which, FormatHotkey(LoadHotkey(HotkeyId::Boss))));
}
}  // namespace

void CPlexor3Dlg::ShowSystemMenu() {
    fw::MenuHandle menu = CreateLauncherMenu(LauncherMenu::System);
    if (!menu) return;
    const RECT button = m_title.m_btnMenu.GetWindowRect();
    const int chosen = static_cast<int>(
        ::TrackPopupMenu(menu.get(), TPM_RETURNCMD, button.left, button.bottom + 2, 0, m_hWnd, nullptr));
    RunMenuCommand(chosen);
}

void CPlexor3Dlg::ShowTrayMenu() {
    fw::MenuHandle menu = CreateLauncherMenu(LauncherMenu::Tray);
    if (!menu) return;
    // Foreground first, or the menu would not close when the player clicks elsewhere.
    ::SetForegroundWindow(m_hWnd);
    POINT at{};
    ::GetCursorPos(&at);
    const int chosen = static_cast<int>(::TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_BOTTOMALIGN | TPM_RIGHTALIGN, at.x, at.y, 0, m_hWnd, nullptr));
    RunMenuCommand(chosen);
}

void CPlexor3Dlg::ShowTabMenu(int tab) {
    const HWND page = m_pages.Window(tab);
    fw::MenuHandle menu = MenuOf(BuildTabMenuItems(m_pages.AccountMuted(tab), m_pages.AccountZoom(tab)));
    if (!menu) return;
    // Placed as the system menu is under its button: at the tab's left
    // edge, 2 pixels below it.
    const Rect rect = TabRect(tab, scale());
    POINT at{rect.left, rect.bottom + scale().Px(2)};
    ::ClientToScreen(m_hWnd, &at);
    const int chosen = static_cast<int>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD, at.x, at.y, 0, m_hWnd, nullptr));
    m_tabs.ResetHover();
    m_tabs.InvalidateStrip(m_pages.count(), scale());
    // The menu's own message loop runs the mute timer, which drops dead
    // pages: the tab is found again by its page.
    const int index = m_pages.IndexOf(page);
    if (index < 0) return;
    if (chosen == kTabMenuMute) ToggleAccountMute(index);
    if (chosen == kTabMenuZoomIn) ZoomAccount(index, ZoomStep::In);
    if (chosen == kTabMenuZoomOut) ZoomAccount(index, ZoomStep::Out);
    if (chosen == kTabMenuZoomReset) ZoomAccount(index, ZoomStep::ActualSize);
    if (chosen == kTabMenuShot) ShootPage(index);
    if (chosen == kTabMenuClose) ClosePage(index);
}

void CPlexor3Dlg::RunMenuCommand(int command) {
    switch (command) {
    case kMenuRefresh:
        // Marked as the launcher's own, so that no filter takes it for a hotkey.
        PostMessage(WM_KEYDOWN, VK_F5, kSystemMarker);
        break;
    case kMenuHideRestore:
        OnBossKey();
        break;
    case kMenuClearCache:
        if (m_host) m_host->ClearCache();
        break;
    case kMenuUpdate:
        UpdateFromMenu();
        break;
    case kMenuSettings:
        if (const std::unique_ptr<CDialog> settings = m_host ? m_host->MakeSettingsDialog(this) : nullptr)
            RunSettingsDialog(*settings);
        break;
    case kMenuExit:
        ExitLauncher();
        break;
    default:  // the version line, or nothing chosen
        break;
    }
}

void CPlexor3Dlg::UpdateFromMenu() {
    if (!m_host) return;
    if (!m_host->StartUpdate()) {
        AskPlayer(kBoxOk, L"已经是最新版本，无需进行更新。");
        return;
    }
    // The new process downloads and installs; this instance makes way for it.
    ExitLauncher();
}

LRESULT CPlexor3Dlg::OnTrayNotify(LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONUP) {
        OnBossKey();
    } else if (mouseMessage == WM_RBUTTONUP) {
        // After the shell's notification has returned.
        PostMessage(WM_TRAY_MENU, 0, 0);
    } else if (mouseMessage == NIN_BALLOONUSERCLICK) {
        OpenShotFolder();
    }
    return 0;
}
