#pragma once
// The low-level keyboard hook of a main-window process. It sees every key of
// the desktop, so the boss and sound keys work whichever program has the
// focus. The system calls it on the thread that installed it and holds every
// key of the desktop until it returns; a hook that keeps it waiting too long
// is removed without notice. So it runs on a thread of its own that does
// nothing else, ahead of every thread of normal priority, and only posts what
// it found to the main window, whose thread may be busy waiting on the
// network; and it is put in anew every few seconds, in case it was removed.
#include <windows.h>

#include "framework/Handles.h"
#include "hotkey/HookSnapshot.h"

// One per process: the hook procedure has no context of its own, so the
// installed hook is process-wide.
class KeyboardHook {
public:
    KeyboardHook() = default;
    ~KeyboardHook() { Remove(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Starts the hook's thread, which installs the hook for the whole desktop
    // and posts `message` to `target` (wParam: the HotkeyId) for each hotkey
    // pressed. False when the thread or the hook could not be made, or
    // another hook of this process is installed.
    bool Install(HWND target, UINT message);
    // Removes the hook and ends its thread; returns once the thread is gone.
    void Remove();
    bool installed() const { return static_cast<bool>(m_thread); }

    // What the hook decides by; the window's thread sets them whenever they
    // change (before Install as well).
    void SetHotkeys(const HotkeySet& keys) { m_snapshot.SetHotkeys(keys); }
    void SetGamePageCount(int count) { m_snapshot.SetPageCount(count); }

private:
    static DWORD WINAPI HookThread(void* startUp);
    static LRESULT CALLBACK Procedure(int code, WPARAM wp, LPARAM lp);
    static fw::HookHandle NewHook();
    void Renew(fw::HookHandle& hook);
    void OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key);

    HookSnapshot m_snapshot;
    HeldKeys m_held;  // the hook thread's own
    HWND m_target = nullptr;
    UINT m_message = 0;
    fw::KernelHandle m_thread;
    DWORD m_threadId = 0;
};
