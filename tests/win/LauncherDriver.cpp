#include "LauncherDriver.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "engine/ScriptedCommands.h"
#include "framework/Handles.h"
#include "ui/MessageBox.h"
#include "ui/WindowDpi.h"

namespace wintest {

namespace {
// The creation time of process `process`, 0 when it cannot be read.
ULONGLONG CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!process || !::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (static_cast<ULONGLONG>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

ULONGLONG CreationTimeOf(DWORD pid) {
    fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    return CreationTime(process.get());
}
}  // namespace

std::vector<DWORD> ChildProcesses(DWORD pid) {
    std::vector<DWORD> children;
    fw::KernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return children;
    // A snapshot names the parent by id, and Wine gives an id out again
    // once its process is gone: a process left over from before `pid`
    // started may name an earlier holder of its id. A child starts later.
    const ULONGLONG parentCreated = CreationTimeOf(pid);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (entry.th32ParentProcessID == pid && CreationTimeOf(entry.th32ProcessID) >= parentCreated)
            children.push_back(entry.th32ProcessID);
    return children;
}

namespace {
BOOL CALLBACK FindEngine(HWND child, LPARAM lp) {
    wchar_t cls[64] = {};
    ::GetClassNameW(child, cls, 64);
    if (wcscmp(cls, kScriptedEngineClass) == 0) {
        *reinterpret_cast<HWND*>(lp) = child;
        return FALSE;
    }
    return TRUE;
}

struct OwnedSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindLoginPage(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<OwnedSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !::IsWindowVisible(hwnd)) return TRUE;
    if (FindPageEngineWindow(hwnd)) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

struct FrameSearch {
    HWND main;
    DWORD mainPid;
    std::vector<HWND> frames;
};

BOOL CALLBACK CollectFrames(HWND child, LPARAM lp) {
    auto* s = reinterpret_cast<FrameSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(child, &pid);
    // GetParent names the owner of a window without WS_CHILD; the frames are
    // re-parented top-level windows, so ask for the parent itself.
    if (::GetAncestor(child, GA_PARENT) == s->main && pid != s->mainPid) s->frames.push_back(child);
    return TRUE;
}
}  // namespace

HWND FindPageEngineWindow(HWND topLevel) {
    HWND found = nullptr;
    ::EnumChildWindows(topLevel, &FindEngine, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool SendPageCommand(HWND topLevel, const std::wstring& command) {
    HWND engine = FindPageEngineWindow(topLevel);
    return engine && SendEngineCommand(engine, command);
}

bool ClickPage(HWND topLevel, int cssX, int cssY) {
    HWND engine = FindPageEngineWindow(topLevel);
    if (!engine) return false;
    const DpiScale scale = ScaleOfWindow(engine);
    POINT point{scale.Px(cssX), scale.Px(cssY)};
    ::ClientToScreen(engine, &point);
    ClickAt(point);
    PumpFor(300);
    return true;
}

bool PutOnClipboard(const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    const bool put = ::OpenClipboard(nullptr) && ::EmptyClipboard() && ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
    if (!put) ::GlobalFree(memory);
    return put;
}

bool SendEngineCommand(HWND engine, const std::wstring& command) {
    std::wstring text = command;
    COPYDATASTRUCT cds{};
    cds.dwData = COPYDATA_SCRIPTED_COMMAND;
    cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = &text[0];
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(engine, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 10000,
                               &result))
        return false;
    return result == 1;
}

HWND WaitForLoginPage(DWORD pid, DWORD ms) {
    HWND page = nullptr;
    WaitUntil(
        [&] {
            OwnedSearch s{pid, nullptr};
            ::EnumWindows(&FindLoginPage, reinterpret_cast<LPARAM>(&s));
            page = s.found;
            return page != nullptr;
        },
        ms);
    return page;
}

HWND LoginPicture(DWORD pid) {
    for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
        if (!FindPageEngineWindow(w)) return w;
    return nullptr;
}

bool FocusWindow(HWND window) {
    return WaitUntil(
        [&] {
            // Asked again each time: a page that shows takes the focus a
            // moment after it is told to.
            ::SetForegroundWindow(window);
            PumpFor(20);
            HWND front = ::GetForegroundWindow();
            GUITHREADINFO input{};
            input.cbSize = sizeof(input);
            return (front == window || front == ::GetAncestor(window, GA_ROOT)) &&
                   ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &input) && input.hwndFocus;
        },
        3000);
}

bool WaitForPageKeyboard(HWND frame) {
    const HWND page = FindPageEngineWindow(frame);
    return page && WaitUntil(
                       [&] {
                           GUITHREADINFO input{};
                           input.cbSize = sizeof(input);
                           return ::GetGUIThreadInfo(::GetWindowThreadProcessId(page, nullptr), &input) &&
                                  input.hwndFocus == page;
                       },
                       3000);
}

std::vector<HWND> PageFrames(HWND mainWindow) {
    FrameSearch s{mainWindow, 0, {}};
    ::GetWindowThreadProcessId(mainWindow, &s.mainPid);
    ::EnumChildWindows(mainWindow, &CollectFrames, reinterpret_cast<LPARAM>(&s));
    return s.frames;
}

bool RegisterCaption(HWND mainWindow, const std::wstring& caption) {
    std::wstring text = caption;
    COPYDATASTRUCT cds{};
    cds.dwData = COPYDATA_REGISTER_CAPTION;
    cds.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    cds.lpData = &text[0];
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(mainWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 5000, &result);
    return result == 1;
}

namespace {
// The question box's buttons: Yes (or OK) and No.
const int kFirstButton = 5000;
const int kSecondButton = 5001;
}  // namespace

bool TrayIconExists(HWND main) {
    // Changing the tip succeeds only for an icon the tray holds.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = main;
    nid.uID = 1;
    nid.uFlags = NIF_TIP;
    wcscpy_s(nid.szTip, L"KorvelFerrowind");
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

HWND FrameOf(HWND main, DWORD pid) {
    for (HWND f : PageFrames(main)) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(f, &owner);
        if (owner == pid) return f;
    }
    return nullptr;
}

namespace {
// A Yes/No box of the process showing now, other than `except`.
HWND ShownQuestion(DWORD pid, HWND except) {
    for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
        if (w != except && ::IsWindowVisible(w) && ::GetDlgItem(w, kSecondButton)) return w;
    return nullptr;
}
}  // namespace

bool AnswerQuestion(DWORD pid, HWND except, bool yes) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = ShownQuestion(pid, except)) != nullptr; }, 10000);
    if (!box) return false;
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(yes ? kFirstButton : kSecondButton, BN_CLICKED), 0);
    return WaitUntil([&] { return !::IsWindow(box) || !::IsWindowVisible(box); }, 5000);
}

HWND WaitForMessageBoxOfAnother(DWORD except, DWORD ms) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            HWND w = nullptr;
            while ((w = ::FindWindowExW(nullptr, w, kDialogClass, kMainTitle)) != nullptr)
                if (ProcessOfWindow(w) != except && ::IsWindowVisible(w) &&
                    ::GetDlgItem(w, CMessageBox::kIdButton1))
                    box = w;
            return box != nullptr;
        },
        ms);
    return box;
}

std::wstring MessageBoxText(HWND box) {
    wchar_t text[512] = {};
    ::GetDlgItemTextW(box, CMessageBox::kIdText, text, 512);
    return text;
}

LauncherInstance::LauncherInstance(const std::wstring& exe) : process(exe, L"/ZuvaD") {
    if (process.started()) main = WaitForWindow(process.pid(), kDialogClass, kMainTitle, 15000);
}

LauncherInstance::LauncherInstance(DWORD pid) : process(pid) {
    if (process.started()) main = WaitForWindow(process.pid(), kDialogClass, kMainTitle, 15000);
}

LauncherInstance::~LauncherInstance() {
    if (main && ::IsWindow(main)) {
        // With pages the exit asks first; a pending login may hold the window
        // disabled, so the question comes by the cancel command.
        // Without pages the close request ends it at once; pages of the
        // test's own (spies) make it ask like real ones, and so does a page
        // that ended a moment ago and is not yet noticed.
        const bool ended = Pages() == 0 && ::PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0) &&
                           process.WaitForExit(1500);
        if (!ended) {
            if (!ShownQuestion(process.pid(), main))
                ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            AnswerQuestion(process.pid(), main, true);
        }
    }
    process.WaitForExit(5000);
    for (const SeenProcess& child : m_seen)
        if (::WaitForSingleObject(child.handle(), 3000) == WAIT_TIMEOUT) ::TerminateProcess(child.handle(), 1);
}

HWND LauncherInstance::NextLogin() {
    HWND login = nullptr;
    WaitUntil(
        [&] {
            for (DWORD child : ChildProcesses(process.pid())) {
                if (Met(child)) continue;
                SeenProcess held(child);
                if (!held.Running() || !(login = WaitForLoginPage(child, 50))) continue;
                m_seen.push_back(std::move(held));
                children.push_back(child);
                return true;
            }
            return false;
        },
        20000);
    return login;
}

bool LauncherInstance::Met(DWORD pid) const {
    return std::any_of(m_seen.begin(), m_seen.end(), [pid](const SeenProcess& seen) { return seen.Is(pid); });
}

bool LauncherInstance::ChildrenEnd(DWORD ms) const {
    return WaitUntil([&] { return std::none_of(m_seen.begin(), m_seen.end(), [](const SeenProcess& s) { return s.Running(); }); }, ms);
}

SeenProcess::SeenProcess(DWORD pid)
    : m_pid(pid),
      m_handle(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid)),
      m_created(CreationTime(m_handle.get())) {}

bool SeenProcess::Is(DWORD pid) const {
    if (pid != m_pid) return false;
    fw::KernelHandle now(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    return now && CreationTime(now.get()) == m_created;
}

bool SeenProcess::Running() const { return m_handle && ::WaitForSingleObject(m_handle.get(), 0) == WAIT_TIMEOUT; }

bool LauncherInstance::WaitForPages(size_t n) {
    return WaitUntil([&] { return Pages() == n; }, 20000);
}

bool AnswerAddAccount(LauncherInstance& app, bool newTab) {
    ::PostMessageW(app.main, WM_COMMAND, MAKEWPARAM(1005, STN_CLICKED), 0);
    // The prompt hides itself whenever it loses activation, so it is looked
    // for whether shown or not.
    HWND prompt = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> found = FindWindows(app.process.pid(), kDialogClass, L"登录其他账号");
            if (!found.empty()) prompt = found.front();
            return prompt != nullptr;
        },
        10000);
    if (!prompt) return false;
    ::PostMessageW(prompt, WM_COMMAND, MAKEWPARAM(newTab ? IDOK : IDCANCEL, BN_CLICKED), 0);
    return true;
}

bool LogIn(LauncherInstance& app, const wchar_t* account) {
    HWND login = app.NextLogin();
    return login && SendPageCommand(login, std::wstring(L"click ") + account);
}

}  // namespace wintest
