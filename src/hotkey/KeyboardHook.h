#pragma once
// The low-level keyboard hook of a main-window process. It sees every key of
// the desktop, so the boss and sound keys work whichever program has the
// focus; it runs on the thread that installed it, between that thread's
// messages, so its target needs no locks.
#include <windows.h>

#include "framework/Handles.h"
#include "hotkey/HotkeyModel.h"

// What the hook acts on: the main window of the process.
class HotkeyActions {
public:
    virtual int GamePageCount() const = 0;
    virtual const HotkeySet& Hotkeys() const = 0;
    virtual void OnHotkey(HotkeyId id) = 0;

protected:
    ~HotkeyActions() = default;
};

// One per process: the hook procedure has no context of its own, so the
// target is process-wide while the hook is installed.
class KeyboardHook {
public:
    KeyboardHook() = default;
    ~KeyboardHook() { Remove(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Installs the hook for the whole desktop; false when the system refused
    // it or another hook of this process is installed.
    bool Install(HotkeyActions* target);
    void Remove();
    bool installed() const { return static_cast<bool>(m_hook); }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM wp, LPARAM lp);
    fw::HookHandle m_hook;
};
