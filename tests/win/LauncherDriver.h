#pragma once
// Driving running launcher processes the way a player would: finding their
// windows, clicking page elements through the scripted page engine, and
// watching their child processes.
#include <windows.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "framework/Handles.h"

namespace wintest {

// The class and title of a launcher's main window; its message and
// question boxes carry the same ones.
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kMainTitle[] = L"KorvelFerrowind";

// The processes that `pid` started and that still run.
std::vector<DWORD> ChildProcesses(DWORD pid);

// The scripted engine's window inside a top-level window (or null).
HWND FindPageEngineWindow(HWND topLevel);
// Sends a test command (see engine/ScriptedCommands.h) to the page engine
// of `topLevel`; true when it was carried out.
bool SendPageCommand(HWND topLevel, const std::wstring& command);
// The same to the page engine's window itself.
bool SendEngineCommand(HWND engine, const std::wstring& command);
// A real left click on the page engine of `topLevel` at a point of its page
// (CSS pixels, placed at the engine window's scale); false without an engine.
bool ClickPage(HWND topLevel, int cssX, int cssY);
// Puts `text` on the clipboard, as another program would.
bool PutOnClipboard(const std::wstring& text);

// Waits for `pid`'s visible "#32770" window titled "KorvelFerrowind" that
// carries a page engine (the login page's background carries none itself; its
// login page is an owned window with the engine).
HWND WaitForLoginPage(DWORD pid, DWORD ms);

// The login background (the picture) of login child `pid`: its
// "KorvelFerrowind" dialog without a page engine (or null).
HWND LoginPicture(DWORD pid);

// Brings `window` to the front and waits until it, or its top-level window,
// really is the foreground window (Wine names either) and its thread has a
// focus window: a key pressed before that goes nowhere. True when it came.
bool FocusWindow(HWND window);
// Waits until the page in `frame` has taken the keyboard, as a page does a
// moment after it shows: its engine's window has its thread's focus.
bool WaitForPageKeyboard(HWND frame);

// A main window's game frames: its child windows that belong to other processes.
std::vector<HWND> PageFrames(HWND mainWindow);

// Registers a caption with a main window as a login page does; true when
// the main window accepted it.
bool RegisterCaption(HWND mainWindow, const std::wstring& caption);

// Waits until `condition` holds, up to `ms`.
template <class Condition>
bool WaitUntil(Condition condition, DWORD ms) {
    const DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > ms) return false;
        ::Sleep(25);
    }
    return true;
}

// Whether the tray holds the icon of main window `main`.
bool TrayIconExists(HWND main);

// The middle of tab `tab` (from 0) of main window `main`, in screen
// coordinates: where the tab strip draws it at the window's scale.
POINT TabPoint(HWND main, int tab);

// The frame among `main`'s pages that belongs to process `pid` (or null).
HWND FrameOf(HWND main, DWORD pid);

// Presses Yes (or No) in the visible skinned question box of `pid` other
// than `except`; true when the box took the answer and went.
bool AnswerQuestion(DWORD pid, HWND except, bool yes);

// A visible skinned message box of a process other than `except` (0: of
// any process), waiting up to `ms`; null when none came.
HWND WaitForMessageBoxOfAnother(DWORD except, DWORD ms);
// The whole text of a live skinned message box, read from the hidden label
// that keeps it.
std::wstring MessageBoxText(HWND box);

// A process the driver has met, held open for as long as the driver keeps
// it. Wine hands out a process id again once its process is gone, so an id
// alone does not tell a new child from an old one; the id with the
// process's creation time does, and the handle tells whether it still runs.
class SeenProcess {
public:
    explicit SeenProcess(DWORD pid);
    DWORD pid() const { return m_pid; }
    HANDLE handle() const { return m_handle.get(); }
    // Whether the running process `pid` is this very one, not a later one
    // given its id.
    bool Is(DWORD pid) const;
    bool Running() const;

private:
    DWORD m_pid;
    fw::KernelHandle m_handle;
    ULONGLONG m_created = 0;
};

// A launcher instance with its main window, and the login children it
// started that the driver has met so far.
class LauncherInstance {
public:
    // Starts `exe` as the desktop shortcut does.
    explicit LauncherInstance(const std::wstring& exe = ScriptedExe());
    // Takes on an instance that another one started.
    explicit LauncherInstance(DWORD pid);
    // Ends the instance as a player would (answering the exit question when
    // pages ask it), then any child that outlives it.
    ~LauncherInstance();
    LauncherInstance(const LauncherInstance&) = delete;
    LauncherInstance& operator=(const LauncherInstance&) = delete;

    // The newest child at its login page (null when none came): a child
    // process that is none the driver has met.
    HWND NextLogin();
    // Whether child `index` of `children` still runs, and whether all have
    // ended within `ms`: by the processes held, whatever their ids name now.
    bool ChildRunning(size_t index) const { return m_seen.at(index).Running(); }
    bool ChildrenEnd(DWORD ms) const;
    HANDLE Child(size_t index) const { return m_seen.at(index).handle(); }
    // Whether the running process `pid` is one of the children met.
    bool Met(DWORD pid) const;
    size_t Pages() const { return PageFrames(main).size(); }
    bool WaitForPages(size_t n);

    LauncherProcess process;
    HWND main = nullptr;
    std::vector<DWORD> children;  // their ids, in the order they came

private:
    std::vector<SeenProcess> m_seen;  // the same children, held
};

// Opens the system menu (or the tray menu) of `app`'s main window and
// chooses its `position`-th item (from 1, separators not counted) with the
// arrow keys and Enter, as a player would; a screenshot of the open menu goes
// to `screenshot` when given. True when the menu opened and closed again.
bool ChooseMenuItem(LauncherInstance& app, bool trayMenu, int position, const wchar_t* screenshot = nullptr);
// The same with the menu of tab `tab` (from 0), opened by a right click on it.
bool ChooseTabMenuItem(LauncherInstance& app, int tab, int position, const wchar_t* screenshot = nullptr);

// The add-account prompt of `app`, answered with "是" (a new tab) or "否"
// (a new window).
bool AnswerAddAccount(LauncherInstance& app, bool newTab);
// Logs in the page element `account` through a new child of `app`.
bool LogIn(LauncherInstance& app, const wchar_t* account);

}  // namespace wintest
