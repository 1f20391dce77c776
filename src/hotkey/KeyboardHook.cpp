#include "hotkey/KeyboardHook.h"

#include <utility>

#include "hotkey/KeyState.h"

namespace {
// Written by the window's thread only while no hook thread runs; used by
// the hook thread, which starts after it is set and ends before it is cleared.
KeyboardHook* g_pInstalledHook = nullptr;

// How often the hook is put in anew. The system removes a low-level hook
// that kept a key waiting past its time-out (at most a second), and nothing
// tells: this bounds how long the hotkeys may stay dead. A thread that was
// kept waiting finds the timer overdue as soon as it runs again.
constexpr UINT kRenewMs = 2000;

// Handed to the hook thread: it answers whether its hook is in place.
struct HookStartUp {
    fw::KernelHandle answered{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    bool installed = false;
};
}  // namespace

bool KeyboardHook::Install(HWND target, UINT message) {
    if (m_thread || g_pInstalledHook || !target) return false;
    HookStartUp startUp;
    if (!startUp.answered) return false;
    m_target = target;
    m_message = message;
    g_pInstalledHook = this;
    m_thread.reset(::CreateThread(nullptr, 0, &KeyboardHook::HookThread, &startUp, 0, &m_threadId));
    if (m_thread) {
        // The thread may die before it answers; its end counts as a no.
        const HANDLE either[] = {startUp.answered.get(), m_thread.get()};
        if (::WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0 && startUp.installed) return true;
        ::WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
    g_pInstalledHook = nullptr;
    return false;
}

void KeyboardHook::Remove() {
    if (!m_thread) return;
    // The thread only ever runs the hook procedure and its renewal, neither
    // of which blocks, so it reads the quit message at once.
    ::PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(m_thread.get(), INFINITE);
    m_thread.reset();
    g_pInstalledHook = nullptr;
}

DWORD WINAPI KeyboardHook::HookThread(void* param) {
    auto* startUp = static_cast<HookStartUp*>(param);
    // Every key of the desktop waits for this thread: it runs before any
    // busy thread of normal priority, whichever program that is.
    ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    // The queue exists before the window's thread can post the quit message.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    fw::HookHandle hook = NewHook();
    startUp->installed = static_cast<bool>(hook);
    ::SetEvent(startUp->answered.get());  // startUp is gone from here on
    if (!hook) return 1;
    const UINT_PTR renewal = ::SetTimer(nullptr, 0, kRenewMs, nullptr);
    // The system calls the hook from within this loop's wait.
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && !msg.hwnd && msg.wParam == renewal)
            g_pInstalledHook->Renew(hook);
        else
            ::DispatchMessageW(&msg);
    }
    if (renewal) ::KillTimer(nullptr, renewal);
    return 0;
}

fw::HookHandle KeyboardHook::NewHook() {
    return fw::HookHandle(
        ::SetWindowsHookExW(WH_KEYBOARD_LL, &KeyboardHook::Procedure, ::GetModuleHandleW(nullptr), 0));
}

void KeyboardHook::Renew(fw::HookHandle& hook) {
    // In before the old one goes out, so that no key passes unseen; if no
    // new one can be made, the old one stays.
    fw::HookHandle renewed = NewHook();
    if (renewed) hook = std::move(renewed);
    // A key that came up while the hook was out would stay held.
    m_held.ForgetReleased([](int32_t vk) { return (::GetAsyncKeyState(vk) & 0x8000) != 0; });
}

LRESULT CALLBACK KeyboardHook::Procedure(int code, WPARAM wp, LPARAM lp) {
    // A negative code asks for the event to be passed on untouched.
    if (code == HC_ACTION && g_pInstalledHook) g_pInstalledHook->OnKey(wp, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp));
    // Never swallowed: the program with the focus gets the key as well.
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

void KeyboardHook::OnKey(WPARAM message, const KBDLLHOOKSTRUCT& key) {
    const auto keyMessage = static_cast<unsigned>(message);
    const auto vk = static_cast<int32_t>(key.vkCode);
    const bool keyWasDown = m_held.Note(keyMessage, vk);
    const std::optional<HotkeyId> hotkey = m_snapshot.Decide(keyMessage, vk, HeldModifierState(), keyWasDown);
    if (hotkey) ::PostMessageW(m_target, m_message, static_cast<WPARAM>(*hotkey), 0);
}
